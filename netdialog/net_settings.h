// The FTP and HTTP connection settings that the dialog edits, kept in the subkeys "FTP" and
// "HTTP" of a base key that the caller names (the internet library's own settings keys).
#pragma once

#include "netdlg_base.h"

#include <string>

// The proxy command styles the dialog offers, in the order of its buttons; any other stored
// style is replaced by the first.
constexpr const char* kCommandStyles[] = {"USER $user$@$host$", "SITE $host$", "OPEN $host$"};
constexpr int kCommandStyleCount = 3;

// What is sent after reaching the remote site through the proxy: 0 nothing, 1 the password,
// 2 the user name, 3 both.
constexpr int kAfterLogonChoices = 4;

constexpr int kDefaultFtpPort = 21;
constexpr int kDefaultHttpPort = 80;

struct FTP_SETTINGS {
    std::string proxyHost;
    bool proxyActive = false;
    int port = kDefaultFtpPort;
    bool passive = false;
    bool logonNeeded = false;
    std::string username;
    std::string password;  // plain here, scrambled in the store
    std::string commandStyle;
    int afterRemoteLogon = 0;
};

struct HTTP_SETTINGS {
    std::string proxyHost;
    bool proxyActive = false;
    int port = kDefaultHttpPort;
};

struct NET_SETTINGS {
    FTP_SETTINGS ftp;
    HTTP_SETTINGS http;
};

// Reads the settings under root\baseKey, writing every missing value with its default (and
// an unknown command style with the first one) so that the keys are complete afterwards.
// False when the keys can be neither opened nor created.
bool ReadNetSettings(HKEY root, const std::string& baseKey, NET_SETTINGS& settings);

// Writes every value.
void StoreNetSettings(HKEY root, const std::string& baseKey, const NET_SETTINGS& settings);
