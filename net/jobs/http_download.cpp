// The HTTP download of a job: the address, the account and the proxy (the library's own, else
// the browser's), then the get; abort checks between the steps. An answer other than 2xx
// fails the job.
#include "attempt.h"
#include "proxy_store.h"

int URL_HTTP_THREAD_DATA::Run()
{
    return Attempt([this](qnet_CConnectionThread& thread) { return thread.CreateHttpInterface(this); },
                   [this](const qnet_CHttpInterface& http) { return Sequence(http); });
}

int URL_HTTP_THREAD_DATA::Sequence(const qnet_CHttpInterface& http)
{
    char proxyHost[QXWEB_TEXT_BUFFER];
    int proxyPort = 0;
    const bool proxy = GetHttpProxyInfo(proxyHost, sizeof proxyHost, &proxyPort, 1) != 0;
    try {
        Step(http.SetURL(address.c_str()));
        CheckAbort();
        Step(http.SetUser(user));
        CheckAbort();
        Step(http.SetPassword(password));
        CheckAbort();
        Step(http.SetProxyServer(proxy ? proxyHost : ""));
        CheckAbort();
        Step(http.SetProxyPort(static_cast<unsigned short>(proxy ? proxyPort : 0)));
        CheckAbort();
        Step(http.SetAction(HTTP_GET));
    } catch (const JobAborted&) {
        return Aborted();
    } catch (const JobFailed&) {
        return Failed();
    }
    return SucceededUnlessFailed();
}

int URL_HTTP_THREAD_DATA::OnStatus(int code, const char*)
{
    if (code)
        node->failed.Set();
    return 1;
}

int URL_HTTP_THREAD_DATA::OnSecondStatus(int code, const char* text) { return OnStatus(code, text); }

int URL_HTTP_THREAD_DATA::OnEndTransfer() { return 1; }

int URL_HTTP_THREAD_DATA::OnError(int, const char*)
{
    node->failed.Set();
    return 1;
}

int URL_HTTP_THREAD_DATA::OnNotice(const char*, const char*) { return 1; }

int URL_HTTP_THREAD_DATA::OnStartTransfer() { return 1; }

int URL_HTTP_THREAD_DATA::OnData(long, const char* block, unsigned short length)
{
    WriteBlock(block, length);
    return 1;
}
