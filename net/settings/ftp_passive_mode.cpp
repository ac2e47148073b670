// The FTP passive-mode choice, kept in the FTP settings key.
#include "proxy_store.h"
#include "registry_key.h"

int ReadFtpUsePasv(HKEY root, const char* keyPath)
{
    const RegistryKey key(root, keyPath, RegistryKey::Reading);
    // Passive mode is the default until the user chooses otherwise.
    if (!key.Has("UsePASV"))
        return 1;
    DWORD usePasv = 0;
    return key.ReadInteger("UsePASV", &usePasv) == RegistryRead::Done && usePasv != 0;
}

int WriteFtpUsePasv(HKEY root, const char* keyPath, BYTE usePasv)
{
    const RegistryKey key(root, keyPath, RegistryKey::Writing);
    return key.WriteInteger("UsePASV", usePasv != 0);
}

int GetFtpUsePASV()
{
    return AnswerZeroOnException([] { return ReadFtpUsePasv(HKEY_CURRENT_USER, FTP_SETTINGS_KEY); });
}

int SetFtpUsePASV(BYTE usePasv)
{
    return AnswerZeroOnException([&] { return WriteFtpUsePasv(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, usePasv); });
}
