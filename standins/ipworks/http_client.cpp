// HTTP/1.0 GET with Basic authentication and an optional proxy.
#include "http_client.h"

#include "base64.h"

#include <cstdlib>
#include <vector>

namespace {

struct HttpAddress {
    std::string host;
    unsigned short port = 80;
    std::string path;
};

// "http://host[:port][/path]", the scheme compared without case.
bool ParseHttpAddress(const std::string& url, HttpAddress* address)
{
    const std::string scheme = "http://";
    if (url.size() <= scheme.size() || lstrcmpiA(url.substr(0, scheme.size()).c_str(), scheme.c_str()) != 0)
        return false;
    const size_t hostStart = scheme.size();
    const size_t slash = url.find('/', hostStart);
    std::string host = url.substr(hostStart, slash == std::string::npos ? std::string::npos : slash - hostStart);
    address->path = slash == std::string::npos ? "/" : url.substr(slash);
    const size_t colon = host.rfind(':');
    if (colon != std::string::npos) {
        address->port = static_cast<unsigned short>(std::atoi(host.c_str() + colon + 1));
        host.resize(colon);
    }
    address->host = host;
    return !host.empty();
}

}  // namespace

HttpClient::HttpClient(IPWorksHttpEvents* events) : events_(events ? events : &silent_) {}

int HttpClient::SetEnabled(int) { return IPWORKS_OK; }

int HttpClient::SetAction(int action)
{
    if (action == HTTP_IDLE)
        return IPWORKS_OK;
    if (action != HTTP_GET)
        return IPWORKS_BAD_VALUE;
    // Writing the get action again during a get interrupts it.
    if (wait_.Running()) {
        wait_.Interrupt();
        return IPWORKS_OK;
    }
    const RunningAction running(wait_);
    action_ = action;
    const int result = Get();
    action_ = HTTP_IDLE;
    if (result)
        events_->Error(result, "the document could not be fetched");
    return result;
}

int HttpClient::SetURL(const char* url)
{
    url_ = PropertyText(url);
    return IPWORKS_OK;
}

int HttpClient::SetProxyServer(const char* host)
{
    proxyServer_ = PropertyText(host);
    return IPWORKS_OK;
}

int HttpClient::SetProxyPort(unsigned short port)
{
    proxyPort_ = port;
    return IPWORKS_OK;
}

int HttpClient::SetUserAgent(const char* agent)
{
    userAgent_ = PropertyText(agent);
    return IPWORKS_OK;
}

int HttpClient::Get()
{
    HttpAddress address;
    if (!ParseHttpAddress(url_, &address))
        return IPWORKS_BAD_VALUE;
    const bool viaProxy = !proxyServer_.empty();
    SocketChannel connection(wait_);
    const int connected = viaProxy ? connection.Connect(proxyServer_, proxyPort_ ? proxyPort_ : 80)
                                   : connection.Connect(address.host, address.port);
    if (connected)
        return connected;
    // A proxy is given the whole address.
    std::string request = "GET " + (viaProxy ? url_ : address.path) + " HTTP/1.0\r\n";
    request += "Host: " + address.host + (address.port == 80 ? "" : ":" + std::to_string(address.port)) + "\r\n";
    if (!userAgent_.empty())
        request += "User-Agent: " + userAgent_ + "\r\n";
    if (!user_.empty())
        request += "Authorization: Basic " + Base64(user_ + ":" + password_) + "\r\n";
    request += "\r\n";
    if (const int failed = connection.SendAll(request))
        return failed;
    int status = 0;
    if (const int failed = ReadHead(connection, &status))
        return failed;
    if (status < 200 || status > 299)
        return IPWORKS_REFUSED;
    events_->StartTransfer();
    if (const int failed = ReadBody(connection))
        return failed;
    events_->EndTransfer();
    return IPWORKS_OK;
}

int HttpClient::ReadHead(SocketChannel& connection, int* status)
{
    // "HTTP/1.x nnn text".
    std::string line;
    if (const int failed = connection.ReadLine(&line))
        return failed;
    const size_t blank = line.find(' ');
    if (line.compare(0, 5, "HTTP/") != 0 || blank == std::string::npos)
        return IPWORKS_SOCKET;
    *status = std::atoi(line.c_str() + blank + 1);
    const unsigned short told = static_cast<unsigned short>(*status >= 200 && *status <= 299 ? 0 : *status);
    events_->Status(told, line.c_str());
    for (;;) {
        if (const int failed = connection.ReadLine(&line))
            return failed;
        if (line.empty())
            break;
        const size_t colon = line.find(':');
        const std::string name = line.substr(0, colon);
        const size_t value = colon == std::string::npos ? line.size() : line.find_first_not_of(' ', colon + 1);
        events_->Header(name.c_str(), value == std::string::npos ? "" : line.c_str() + value);
    }
    events_->HeadersEnd(told, "");
    return IPWORKS_OK;
}

int HttpClient::ReadBody(SocketChannel& connection)
{
    // HTTP/1.0: the body runs to the end of the connection.
    std::vector<char> block(DataBlockBytes);
    long count = 0;
    for (;;) {
        int got = 0;
        if (const int failed = connection.ReadSome(block.data(), DataBlockBytes, &got))
            return failed;
        if (got == 0)
            return IPWORKS_OK;
        events_->Data(count, block.data(), static_cast<unsigned short>(got));
        count += got;
        wait_.ServeWindows();
        if (wait_.Interrupted())
            return IPWORKS_INTERRUPTED;
    }
}
