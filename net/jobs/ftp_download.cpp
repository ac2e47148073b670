// The FTP download of a job: log on (to the proxy with its own log-on commands when the
// settings say so), binary mode, the download, log off; abort checks between the steps.
#include "attempt.h"
#include "proxy_logon.h"
#include "proxy_store.h"

#include <algorithm>
#include <cstdio>

int URL_FTP_THREAD_DATA::Run()
{
    return Attempt([this](qnet_CConnectionThread& thread) { return thread.CreateFtpInterface(this); },
                   [this](const qnet_CFtpInterface& ftp) { return Sequence(ftp); });
}

int URL_FTP_THREAD_DATA::Sequence(const qnet_CFtpInterface& ftp)
{
    char proxyHost[QXWEB_TEXT_BUFFER];
    char commandStyle[QXWEB_TEXT_BUFFER];
    char proxyPassword[QXWEB_TEXT_BUFFER];
    char proxyUser[QXWEB_TEXT_BUFFER];
    int proxyPort = 0;
    BYTE authenticationNeeded = 0;
    const bool proxy = GetFtpProxyInfo(proxyHost, sizeof proxyHost, &proxyPort, &authenticationNeeded, commandStyle,
                                       sizeof commandStyle, proxyPassword, sizeof proxyPassword, proxyUser,
                                       sizeof proxyUser, 0) != 0;
    try {
        // Through a proxy the log-on only reaches the proxy; an empty user stops it at the
        // greeting, so that the proxy's commands can follow.
        CheckAbort();
        Step(ftp.SetUser(proxy ? (authenticationNeeded ? proxyUser : "") : user));
        CheckAbort();
        Step(ftp.SetPassword(proxy ? (authenticationNeeded ? proxyPassword : "") : password));
        CheckAbort();
        Step(ftp.SetPassive(GetFtpUsePASV()));
        CheckAbort();
        Step(ftp.SetRemoteHost(proxy ? proxyHost : host));
        if (proxy) {
            CheckAbort();
            Step(ftp.SetRemotePort(static_cast<unsigned short>(proxyPort)));
        }
        CheckAbort();
        Step(ftp.SetRemoteFile(remotePath.c_str()));
    } catch (const JobAborted&) {
        return Aborted();
    } catch (const JobFailed&) {
        return Failed();
    }
    if (ftp.SetAction(FTP_LOGON)) {
        ftp.SetAction(FTP_LOGOFF);
        return Failed();
    }
    try {
        CheckAbort();
        if (proxy) {
            const std::vector<std::string> commands = ProxyLogonCommands(commandStyle, host, user, password);
            if (commands.empty())
                throw JobFailed();
            for (const std::string& command : commands) {
                CheckAbort();
                Step(ftp.SetCommand(command.c_str()));
            }
        }
        CheckAbort();
        Step(ftp.SetTransferMode(FTP_IMAGE));
        CheckAbort();
        Step(ftp.SetAction(FTP_DOWNLOAD));
        CheckAbort();
    } catch (const JobAborted&) {
        ftp.SetAction(FTP_LOGOFF);
        return Aborted();
    } catch (const JobFailed&) {
        ftp.SetAction(FTP_LOGOFF);
        return Failed();
    }
    ftp.SetAction(FTP_LOGOFF);
    return SucceededUnlessFailed();
}

int URL_FTP_THREAD_DATA::OnDirectoryLine(const char* line)
{
    if (LocalFileOpen()) {
        char text[1024];
        const int length = std::snprintf(text, sizeof text, "%s\n", line ? line : "");
        WriteBlock(text, std::min<size_t>(static_cast<size_t>(std::max(length, 0)), sizeof text - 1));
    }
    return 1;
}

// The sequence decides at its end whether the file arrived: a transfer ended by the server
// may still be followed by an abort or a failing step.
int URL_FTP_THREAD_DATA::OnEndTransfer() { return 1; }

int URL_FTP_THREAD_DATA::OnError(int, const char*)
{
    node->failed.Set();
    return 1;
}

int URL_FTP_THREAD_DATA::OnNotice(int, const char*) { return 1; }

int URL_FTP_THREAD_DATA::OnStartTransfer() { return 1; }

int URL_FTP_THREAD_DATA::OnData(long, const char* block, unsigned short length)
{
    WriteBlock(block, length);
    return 1;
}
