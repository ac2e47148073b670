// One TCP connection of an action, non-blocking under the hood: every wait goes through the
// action's ActionWait. Calls answer 0 or an IPWorks error number.
#pragma once

#include "action_wait.h"

#include <string>

class SocketChannel {
public:
    explicit SocketChannel(ActionWait& wait);
    ~SocketChannel();
    SocketChannel(const SocketChannel&) = delete;
    SocketChannel& operator=(const SocketChannel&) = delete;

    bool IsOpen() const { return socket_ != INVALID_SOCKET; }
    int Connect(const std::string& host, unsigned short port);
    // Listens on `address` (this machine's address of another connection), on a port of the
    // system's choice, which is answered.
    int Listen(const sockaddr_in& address, unsigned short* port);
    // Takes the first connection that reaches `listener`.
    int Accept(SocketChannel& listener);
    int SendAll(const std::string& data);
    // One line without its CR LF.
    int ReadLine(std::string* line);
    // What arrives next, up to `size` bytes; `got` 0 at the end of the stream.
    int ReadSome(char* buffer, int size, int* got);
    // This side's address.
    sockaddr_in LocalAddress() const;
    void Close();

private:
    int Adopt(SOCKET socket);
    // WOULDBLOCK waits for the socket; anything else is a broken connection.
    int WaitOrFail(DWORD deadline);

    ActionWait& wait_;
    SOCKET socket_ = INVALID_SOCKET;
    WSAEVENT event_;
    std::string pending_;  // received but not yet read
};

// Winsock for the lifetime of the component's objects.
class WinsockUse {
public:
    WinsockUse();
    ~WinsockUse();
    WinsockUse(const WinsockUse&) = delete;
    WinsockUse& operator=(const WinsockUse&) = delete;
};
