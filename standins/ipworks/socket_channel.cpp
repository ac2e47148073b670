// TCP connections that wait through the action, so that windows and interruptions are served.
#include "socket_channel.h"

#include "ipworks_api.h"

#include <ws2tcpip.h>

#include <cstring>

namespace {

constexpr long AllEvents = FD_READ | FD_WRITE | FD_CONNECT | FD_ACCEPT | FD_CLOSE;

}  // namespace

WinsockUse::WinsockUse()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

WinsockUse::~WinsockUse()
{
    WSACleanup();
}

SocketChannel::SocketChannel(ActionWait& wait) : wait_(wait), event_(WSACreateEvent()) {}

SocketChannel::~SocketChannel()
{
    Close();
    WSACloseEvent(event_);
}

void SocketChannel::Close()
{
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
    socket_ = INVALID_SOCKET;
    pending_.clear();
}

int SocketChannel::Adopt(SOCKET socket)
{
    Close();
    if (socket == INVALID_SOCKET)
        return IPWORKS_SOCKET;
    socket_ = socket;
    // Makes the socket non-blocking too.
    if (WSAEventSelect(socket_, event_, AllEvents) != 0) {
        Close();
        return IPWORKS_SOCKET;
    }
    return IPWORKS_OK;
}

int SocketChannel::WaitOrFail(DWORD deadline)
{
    if (WSAGetLastError() != WSAEWOULDBLOCK)
        return IPWORKS_SOCKET;
    return wait_.Wait(event_, deadline);
}

int SocketChannel::Connect(const std::string& host, unsigned short port)
{
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (host.empty() || getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return IPWORKS_CONNECT_FAILED;
    sockaddr_in address;
    std::memcpy(&address, found->ai_addr, sizeof address);
    freeaddrinfo(found);
    address.sin_port = htons(port);
    if (const int adopted = Adopt(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)))
        return adopted;
    if (connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
        return IPWORKS_OK;
    if (WSAGetLastError() != WSAEWOULDBLOCK) {
        Close();
        return IPWORKS_CONNECT_FAILED;
    }
    const DWORD deadline = wait_.Deadline();
    for (;;) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(socket_, &writable);
        FD_SET(socket_, &failed);
        timeval now = {0, 0};
        if (select(0, nullptr, &writable, &failed, &now) > 0) {
            int error = 0;
            int length = sizeof error;
            getsockopt(socket_, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
            if (FD_ISSET(socket_, &failed) || error) {
                Close();
                return IPWORKS_CONNECT_FAILED;
            }
            return IPWORKS_OK;
        }
        if (const int waited = wait_.Wait(event_, deadline)) {
            Close();
            return waited;
        }
    }
}

int SocketChannel::Listen(const sockaddr_in& address, unsigned short* port)
{
    if (const int adopted = Adopt(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP)))
        return adopted;
    sockaddr_in any = address;
    any.sin_port = 0;
    int length = sizeof any;
    if (bind(socket_, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0 || listen(socket_, 1) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&any), &length) != 0) {
        Close();
        return IPWORKS_SOCKET;
    }
    *port = ntohs(any.sin_port);
    return IPWORKS_OK;
}

int SocketChannel::Accept(SocketChannel& listener)
{
    const DWORD deadline = wait_.Deadline();
    for (;;) {
        const SOCKET accepted = accept(listener.socket_, nullptr, nullptr);
        if (accepted != INVALID_SOCKET)
            return Adopt(accepted);
        if (const int failed = listener.WaitOrFail(deadline))
            return failed;
    }
}

int SocketChannel::SendAll(const std::string& data)
{
    size_t sent = 0;
    DWORD deadline = wait_.Deadline();
    while (sent < data.size()) {
        const int chunk = send(socket_, data.data() + sent, static_cast<int>(data.size() - sent), 0);
        if (chunk > 0) {
            sent += static_cast<size_t>(chunk);
            deadline = wait_.Deadline();
            continue;
        }
        if (const int failed = WaitOrFail(deadline))
            return failed;
    }
    return IPWORKS_OK;
}

int SocketChannel::ReadSome(char* buffer, int size, int* got)
{
    *got = 0;
    if (!pending_.empty()) {
        const int taken = std::min<int>(size, static_cast<int>(pending_.size()));
        std::memcpy(buffer, pending_.data(), static_cast<size_t>(taken));
        pending_.erase(0, static_cast<size_t>(taken));
        *got = taken;
        return IPWORKS_OK;
    }
    const DWORD deadline = wait_.Deadline();
    for (;;) {
        const int received = recv(socket_, buffer, size, 0);
        if (received >= 0) {
            *got = received;
            return IPWORKS_OK;
        }
        if (const int failed = WaitOrFail(deadline))
            return failed;
    }
}

int SocketChannel::ReadLine(std::string* line)
{
    for (;;) {
        const size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            line->assign(pending_, 0, end);
            if (!line->empty() && line->back() == '\r')
                line->pop_back();
            pending_.erase(0, end + 1);
            return IPWORKS_OK;
        }
        char buffer[4096];
        int got = 0;
        const std::string kept = std::move(pending_);
        pending_.clear();
        if (const int failed = ReadSome(buffer, sizeof buffer, &got))
            return failed;
        if (got == 0)
            return IPWORKS_SOCKET;  // the line never ended
        pending_ = kept + std::string(buffer, static_cast<size_t>(got));
    }
}

sockaddr_in SocketChannel::LocalAddress() const
{
    sockaddr_in address = {};
    int length = sizeof address;
    getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length);
    return address;
}
