// The FTP proxy settings: host, port, logon command style and the proxy's own logon.
#include <cstring>
#include <string>

#include "bounded_text.h"
#include "password_scramble.h"
#include "proxy_store.h"
#include "registry_key.h"

namespace {

// The library treats the FTP settings as not configured unless every one of these exists;
// "UsePASV" and "AfterRemoteLogon" are not among them.
constexpr const char* RequiredFtpValues[] = {"AuthenticationNeeded", "CommandStyle", "Password", "Username",
                                             "URL", "Active", "Port"};

bool ReadTextInto(const RegistryKey& key, const char* name, char* buffer, int size)
{
    std::string text;
    if (key.ReadText(name, &text) != RegistryRead::Done)
        return false;
    CopyToBuffer(text, buffer, size);
    return true;
}

}  // namespace

int ReadFtpProxy(HKEY root, const char* keyPath, char* host, int hostSize, int* port,
                 BYTE* authenticationNeeded, char* commandStyle, int commandStyleSize, char* password,
                 int passwordSize, char* username, int usernameSize)
{
    ClearBuffer(host, hostSize);
    ClearBuffer(commandStyle, commandStyleSize);
    ClearBuffer(password, passwordSize);
    ClearBuffer(username, usernameSize);
    *port = 0;
    *authenticationNeeded = 0;
    for (const int size : {hostSize, commandStyleSize, passwordSize, usernameSize}) {
        if (size > QXWEB_TEXT_BUFFER)
            return 0;
    }

    const RegistryKey key(root, keyPath, RegistryKey::Reading);
    for (const char* name : RequiredFtpValues) {
        if (!key.Has(name))
            return 0;
    }
    // A value of an unexpected type ends the read there; what was copied before it stays.
    DWORD active = 0;
    if (key.ReadInteger("Active", &active) != RegistryRead::Done)
        return 0;
    const int result = active != 0;
    if (!ReadTextInto(key, "URL", host, hostSize) || !ReadTextInto(key, "CommandStyle", commandStyle, commandStyleSize))
        return result;
    DWORD authentication = 0;
    if (key.ReadInteger("AuthenticationNeeded", &authentication) != RegistryRead::Done)
        return result;
    *authenticationNeeded = authentication != 0;
    if (!ReadTextInto(key, "Username", username, usernameSize) || !ReadTextInto(key, "Password", password, passwordSize))
        return result;
    // Stored scrambled with the marker, and by this store always scrambled before it existed.
    if (password && passwordSize > 0)
        UnscrambleProxyPassword(password, static_cast<int>(std::strlen(password)));
    DWORD storedPort = 0;
    if (key.ReadInteger("Port", &storedPort) == RegistryRead::Done)
        *port = static_cast<int>(storedPort);
    return result;
}

int WriteFtpProxy(HKEY root, const char* keyPath, const char* host, int port, BYTE authenticationNeeded,
                  const char* commandStyle, const char* username, char* password, BYTE active)
{
    const RegistryKey key(root, keyPath, RegistryKey::Writing);
    // A proxy without a host cannot be in use.
    const bool inUse = active && !BoundedText(host).empty();
    const bool settingsWritten = key.WriteText("URL", host) && key.WriteInteger("Active", inUse) &&
                                 key.WriteInteger("Port", static_cast<DWORD>(port)) &&
                                 key.WriteText("CommandStyle", commandStyle) &&
                                 key.WriteInteger("AuthenticationNeeded", authenticationNeeded != 0);
    if (!settingsWritten)
        return 0;
    // The caller's buffer keeps the scrambled text, as the export's declaration tells callers.
    if (password)
        ScrambleProxyPassword(password, static_cast<int>(std::strlen(password)));
    return key.WriteText("Username", username) && key.WriteText("Password", password) &&
           key.WriteInteger(PASSWORD_SCRAMBLED_VALUE, 1);
}

int GetFtpProxyInfo(char* host, int hostSize, int* port, BYTE* authenticationNeeded, char* commandStyle,
                    int commandStyleSize, char* password, int passwordSize, char* username, int usernameSize,
                    int /*reserved*/)
{
    return AnswerZeroOnException([&] {
        int unusedPort;
        BYTE unusedFlag;
        return ReadFtpProxy(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, host, hostSize, port ? port : &unusedPort,
                            authenticationNeeded ? authenticationNeeded : &unusedFlag, commandStyle,
                            commandStyleSize, password, passwordSize, username, usernameSize);
    });
}

int SetFtpProxyInfo(const char* host, int port, BYTE authenticationNeeded, const char* commandStyle,
                    const char* username, char* password, BYTE active)
{
    return AnswerZeroOnException([&] {
        return WriteFtpProxy(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, host, port, authenticationNeeded, commandStyle,
                             username, password, active);
    });
}
