// The FTP and HTTP proxy settings and the FTP passive-mode choice, kept in two keys under
// HKEY_CURRENT_USER. The network-settings dialog reads and writes the same values directly.
// The exports work on the user's keys; the functions taking a root and a key path are the
// same operations on any key, so that a key that cannot be written can be tried.
#pragma once

#include "qxweb.h"

constexpr const char* FTP_SETTINGS_KEY = "SOFTWARE\\Qorvex\\QXWEB\\FTP";
constexpr const char* HTTP_SETTINGS_KEY = "SOFTWARE\\Qorvex\\QXWEB\\HTTP";

// Exported beside the proxy functions that the foundation forwards: only the library's own
// proxy form and transfers use them.
QXWEB_API int GetFtpUsePASV();
QXWEB_API int SetFtpUsePASV(BYTE usePasv);

int ReadFtpProxy(HKEY root, const char* keyPath, char* host, int hostSize, int* port,
                 BYTE* authenticationNeeded, char* commandStyle, int commandStyleSize, char* password,
                 int passwordSize, char* username, int usernameSize);
int WriteFtpProxy(HKEY root, const char* keyPath, const char* host, int port, BYTE authenticationNeeded,
                  const char* commandStyle, const char* username, char* password, BYTE active);
int ReadHttpProxy(HKEY root, const char* keyPath, char* host, int hostSize, int* port, BYTE detect);
int WriteHttpProxy(HKEY root, const char* keyPath, const char* host, int port, BYTE active);
int ReadFtpUsePasv(HKEY root, const char* keyPath);
int WriteFtpUsePasv(HKEY root, const char* keyPath, BYTE usePasv);
