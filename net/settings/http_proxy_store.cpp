// The HTTP proxy settings, with the browser's settings standing in while none are stored.
#include <string>

#include "bounded_text.h"
#include "detect_http_proxy.h"
#include "proxy_store.h"
#include "registry_key.h"

int ReadHttpProxy(HKEY root, const char* keyPath, char* host, int hostSize, int* port, BYTE detect)
{
    ClearBuffer(host, hostSize);
    *port = 0;
    if (hostSize > QXWEB_TEXT_BUFFER)
        return 0;

    const RegistryKey key(root, keyPath, RegistryKey::Reading);
    if (!key.Has("URL") || !key.Has("Active") || !key.Has("Port"))
        return detect ? DetectHttpProxy(host, hostSize, port) : 0;
    // A value of an unexpected type ends the read there; what was copied before it stays.
    DWORD active = 0;
    if (key.ReadInteger("Active", &active) != RegistryRead::Done)
        return 0;
    const int result = active != 0;
    std::string text;
    if (key.ReadText("URL", &text) != RegistryRead::Done)
        return result;
    CopyToBuffer(text, host, hostSize);
    DWORD storedPort = 0;
    if (key.ReadInteger("Port", &storedPort) == RegistryRead::Done)
        *port = static_cast<int>(storedPort);
    return result;
}

int WriteHttpProxy(HKEY root, const char* keyPath, const char* host, int port, BYTE active)
{
    const RegistryKey key(root, keyPath, RegistryKey::Writing);
    // A proxy without a host cannot be in use.
    const bool inUse = active && !BoundedText(host).empty();
    return key.WriteText("URL", host) && key.WriteInteger("Port", static_cast<DWORD>(port)) &&
           key.WriteInteger("Active", inUse);
}

int GetHttpProxyInfo(char* host, int hostSize, int* port, BYTE detect)
{
    return AnswerZeroOnException([&] {
        int unusedPort;
        return ReadHttpProxy(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, host, hostSize, port ? port : &unusedPort, detect);
    });
}

int SetHttpProxyInfo(const char* host, int port, BYTE active)
{
    return AnswerZeroOnException([&] { return WriteHttpProxy(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, host, port, active); });
}
