// The component's HTTP client: one HTTP/1.0 GET per action, straight to the server or as an
// absolute address through a proxy.
#pragma once

#include "component_object.h"

#include <string>

class HttpClient : public ComponentObject<IPWorksHttp> {
public:
    explicit HttpClient(IPWorksHttpEvents* events);

    int SetEnabled(int on) override;
    int SetAction(int action) override;
    int SetURL(const char* url) override;
    int SetProxyServer(const char* host) override;
    int SetProxyPort(unsigned short port) override;
    int SetUserAgent(const char* agent) override;

private:
    int Get();
    int ReadHead(SocketChannel& connection, int* status);
    int ReadBody(SocketChannel& connection);

    IPWorksHttpEvents* events_;
    IPWorksHttpEvents silent_;
    std::string url_;
    std::string proxyServer_;
    unsigned short proxyPort_ = 0;
    std::string userAgent_;
};
