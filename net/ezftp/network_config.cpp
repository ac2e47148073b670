// The FTP network configuration of the synchronous interface, read from the library's FTP
// settings key. Only a proxy in use brings its logon, its command style and its port, so that
// a proxy switched off is never reached through settings left behind.
#include "ezftp.h"

#include "password_scramble.h"
#include "proxy_store.h"
#include "registry_key.h"

#include <cstring>
#include <string>

namespace {

constexpr char KeyClass[] = "EZ_API";
constexpr char DefaultProxyHost[] = "127.0.0.1";
constexpr DWORD DefaultProxyPort = 21;

void CopyField(char (&field)[EZFTP_TEXT_BYTES], const std::string& text)
{
    lstrcpynA(field, text.c_str(), EZFTP_TEXT_BYTES);
}

// The key made when it is missing, with nothing written into it.
void MakeSettingsKey()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, 0, const_cast<char*>(KeyClass), REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

DWORD IntegerOr(const RegistryKey& key, const char* name, DWORD fallback)
{
    DWORD value = fallback;
    return key.ReadInteger(name, &value) == RegistryRead::Done ? value : fallback;
}

std::string TextOr(const RegistryKey& key, const char* name, const char* fallback)
{
    std::string text;
    return key.ReadText(name, &text) == RegistryRead::Done ? text : fallback;
}

}  // namespace

int EZFTPNetworkGetConfig(FTP_NETWORK_CONFIG* config)
{
    try {
        if (!config)
            return EZFTP_BAD_ARGUMENT;
        std::memset(config, 0, sizeof *config);
        MakeSettingsKey();
        const RegistryKey key(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, RegistryKey::Reading);
        const bool active = IntegerOr(key, "Active", 0) != 0;
        std::string password = TextOr(key, "Password", "");
        if (IntegerOr(key, PASSWORD_SCRAMBLED_VALUE, 0) == 1)
            UnscrambleProxyPassword(password.data(), static_cast<int>(password.size()));
        const std::string style = TextOr(key, "CommandStyle", "");

        DWORD flags = 0;
        if (IntegerOr(key, "UsePASV", 0))
            flags |= EZFTP_PASSIVE;
        flags |= IntegerOr(key, "AfterRemoteLogon", 0) << EZFTP_AFTER_LOGON_SHIFT;
        if (active) {
            flags |= EZFTP_PROXY;
            if (IntegerOr(key, "AuthenticationNeeded", 0))
                flags |= EZFTP_PROXY_LOGON;
            if (lstrcmpiA(style.c_str(), "SITE $host$") == 0)
                flags |= EZFTP_SITE_STYLE;
            else if (lstrcmpiA(style.c_str(), "OPEN $host$") == 0)
                flags |= EZFTP_OPEN_STYLE;
            config->port = IntegerOr(key, "Port", DefaultProxyPort);
        }
        config->flags = flags;
        CopyField(config->proxyHost, TextOr(key, "URL", DefaultProxyHost));
        CopyField(config->proxyUser, TextOr(key, "Username", ""));
        CopyField(config->proxyPassword, password);
        return EZFTP_OK;
    } catch (...) {
        return EZFTP_EXCEPTION;
    }
}

int EZFTPNetworkSetConfig(const FTP_NETWORK_CONFIG*) { return EZFTP_NOT_IMPLEMENTED; }
