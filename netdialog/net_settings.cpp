// Reading and writing the network settings, value by value in the internet library's order.
#include "net_settings.h"

#include "password_scramble.h"
#include "settings_key.h"

namespace {

const char* const kLoopback = "127.0.0.1";

std::string FtpPath(const std::string& baseKey) { return baseKey + "\\FTP"; }
std::string HttpPath(const std::string& baseKey) { return baseKey + "\\HTTP"; }

bool IsOfferedCommandStyle(const std::string& style)
{
    for (const char* offered : kCommandStyles)
        if (style == offered)  // with case, as the proxy commands are sent as stored
            return true;
    return false;
}

// Scrambled when the marker says so; plain, as this dialog used to store it, otherwise.
std::string ReadPassword(SettingsKey& key)
{
    std::string password = key.TextOrDefault("Password", "");
    if (key.StoredInteger(PASSWORD_SCRAMBLED_VALUE) == 1)
        UnscrambleProxyPassword(password.data(), static_cast<int>(password.size()));
    return password;
}

void StorePassword(SettingsKey& key, std::string password)
{
    ScrambleProxyPassword(password.data(), static_cast<int>(password.size()));
    key.PutText("Password", password);
    key.PutInteger(PASSWORD_SCRAMBLED_VALUE, 1);
}

bool ReadFtp(SettingsKey& key, FTP_SETTINGS& ftp)
{
    if (!key.IsOpen())
        return false;
    ftp.proxyHost = key.TextOrDefault("URL", kLoopback);
    ftp.proxyActive = key.IntegerOrDefault("Active", 0) != 0;
    ftp.port = key.IntegerOrDefault("Port", kDefaultFtpPort);
    ftp.passive = key.IntegerOrDefault("UsePASV", 0) != 0;
    ftp.logonNeeded = key.IntegerOrDefault("AuthenticationNeeded", 0) != 0;
    ftp.username = key.TextOrDefault("Username", "");
    ftp.password = ReadPassword(key);
    ftp.commandStyle = key.TextOrDefault("CommandStyle", kCommandStyles[0]);
    if (!IsOfferedCommandStyle(ftp.commandStyle)) {
        ftp.commandStyle = kCommandStyles[0];
        key.PutText("CommandStyle", ftp.commandStyle);
    }
    ftp.afterRemoteLogon = key.IntegerOrDefault("AfterRemoteLogon", 0);
    return true;
}

bool ReadHttp(SettingsKey& key, HTTP_SETTINGS& http)
{
    if (!key.IsOpen())
        return false;
    http.proxyHost = key.TextOrDefault("URL", kLoopback);
    http.proxyActive = key.IntegerOrDefault("Active", 0) != 0;
    http.port = key.IntegerOrDefault("Port", kDefaultHttpPort);
    return true;
}

}  // namespace

bool ReadNetSettings(HKEY root, const std::string& baseKey, NET_SETTINGS& settings)
{
    SettingsKey ftp(root, FtpPath(baseKey));
    if (!ReadFtp(ftp, settings.ftp))
        return false;
    SettingsKey http(root, HttpPath(baseKey));
    return ReadHttp(http, settings.http);
}

void StoreNetSettings(HKEY root, const std::string& baseKey, const NET_SETTINGS& settings)
{
    const FTP_SETTINGS& ftp = settings.ftp;
    SettingsKey ftpKey(root, FtpPath(baseKey));
    ftpKey.PutText("URL", ftp.proxyHost);
    ftpKey.PutInteger("Active", ftp.proxyActive);
    ftpKey.PutInteger("Port", ftp.port);
    ftpKey.PutInteger("UsePASV", ftp.passive);
    ftpKey.PutInteger("AuthenticationNeeded", ftp.logonNeeded);
    ftpKey.PutText("Username", ftp.username);
    StorePassword(ftpKey, ftp.password);
    ftpKey.PutText("CommandStyle", ftp.commandStyle);
    ftpKey.PutInteger("AfterRemoteLogon", ftp.afterRemoteLogon);

    const HTTP_SETTINGS& http = settings.http;
    SettingsKey httpKey(root, HttpPath(baseKey));
    httpKey.PutText("URL", http.proxyHost);
    httpKey.PutInteger("Active", http.proxyActive);
    httpKey.PutInteger("Port", http.port);
}
