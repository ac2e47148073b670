// FTP over a control connection and one data connection per transfer.
#include "ftp_client.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

// "host" or "host:port"; the port given here wins.
void SplitHostPort(const std::string& given, std::string* host, unsigned short* port)
{
    const size_t colon = given.rfind(':');
    if (colon == std::string::npos) {
        *host = given;
        return;
    }
    *host = given.substr(0, colon);
    *port = static_cast<unsigned short>(std::atoi(given.c_str() + colon + 1));
}

}  // namespace

FtpClient::FtpClient(IPWorksFtpEvents* events) : events_(events ? events : &silent_), control_(wait_) {}

int FtpClient::Fail(int error, const char* text)
{
    events_->Error(static_cast<unsigned short>(error), text);
    return error;
}

template <class Step>
int FtpClient::Run(int action, Step step)
{
    if (wait_.Running())
        return IPWORKS_BUSY;
    const RunningAction running(wait_);
    action_ = action;
    const int result = step();
    action_ = FTP_IDLE;
    if (result)
        Fail(result, lastReply_.empty() ? "action failed" : lastReply_.c_str());
    return result;
}

int FtpClient::SetEnabled(int on)
{
    if (!on && control_.IsOpen())
        control_.Close();
    return IPWORKS_OK;
}

int FtpClient::SetAction(int action)
{
    switch (action) {
    case FTP_IDLE:
        return IPWORKS_OK;
    case FTP_INTERRUPT:
        wait_.Interrupt();
        return IPWORKS_OK;
    case FTP_LOGON:
        return Run(action, [this] { return LogOn(); });
    case FTP_LOGOFF:
        return Run(action, [this] { return LogOff(); });
    case FTP_DOWNLOAD:
        return Run(action, [this] { return Transfer("RETR " + remoteFile_, Direction::Receive); });
    case FTP_UPLOAD:
        return Run(action, [this] { return Transfer("STOR " + remoteFile_, Direction::Send); });
    case FTP_LIST:
        return Run(action, [this] {
            return Transfer(remoteFile_.empty() ? "LIST" : "LIST " + remoteFile_, Direction::ReceiveLines);
        });
    case FTP_MAKE_DIRECTORY:
        return Run(action, [this] { return Command("MKD " + remoteFile_); });
    default:
        return IPWORKS_BAD_VALUE;
    }
}

int FtpClient::SetRemoteHost(const char* host)
{
    host_ = PropertyText(host);
    return IPWORKS_OK;
}

int FtpClient::SetRemotePort(unsigned short port)
{
    port_ = port;
    return IPWORKS_OK;
}

int FtpClient::SetPassive(int passive)
{
    passive_ = passive != 0;
    return IPWORKS_OK;
}

int FtpClient::SetTransferMode(int mode)
{
    if (mode != FTP_ASCII && mode != FTP_IMAGE)
        return IPWORKS_BAD_VALUE;
    mode_ = mode;
    if (!control_.IsOpen())
        return IPWORKS_OK;
    return Run(action_, [this] { return TellMode(); });
}

int FtpClient::SetLocalFile(const char* file)
{
    localFile_ = PropertyText(file);
    return IPWORKS_OK;
}

int FtpClient::SetRemoteFile(const char* file)
{
    remoteFile_ = PropertyText(file);
    return IPWORKS_OK;
}

int FtpClient::SetRemotePath(const char* path)
{
    if (!control_.IsOpen())
        return IPWORKS_NOT_CONNECTED;
    return Run(action_, [this, change = PropertyText(path)] { return Command("CWD " + change); });
}

int FtpClient::GetRemotePath(char* path, int size)
{
    if (!path || size <= 0)
        return IPWORKS_BAD_VALUE;
    *path = 0;
    if (!control_.IsOpen())
        return IPWORKS_NOT_CONNECTED;
    return Run(action_, [&] {
        int code = 0;
        std::string text;
        if (const int failed = Exchange("PWD", &code, &text))
            return failed;
        // 257 "/the/folder" is current.
        const size_t open = text.find('"');
        const size_t close = text.find('"', open + 1);
        if (code >= 400 || open == std::string::npos || close == std::string::npos)
            return static_cast<int>(IPWORKS_REFUSED);
        lstrcpynA(path, text.substr(open + 1, close - open - 1).c_str(), size);
        return static_cast<int>(IPWORKS_OK);
    });
}

int FtpClient::SetCommand(const char* line)
{
    if (!control_.IsOpen())
        return IPWORKS_NOT_CONNECTED;
    return Run(action_, [this, sent = PropertyText(line)] { return Command(sent); });
}

int FtpClient::ReadReply(int* code, std::string* text)
{
    // A reply of several lines runs from "nnn-" to the line that starts with "nnn ".
    std::string line;
    if (const int failed = control_.ReadLine(&line))
        return failed;
    std::string whole = line;
    if (line.size() >= 4 && line[3] == '-') {
        const std::string last = line.substr(0, 3) + " ";
        do {
            if (const int failed = control_.ReadLine(&line))
                return failed;
            whole += "\r\n" + line;
        } while (line.compare(0, 4, last) != 0);
    }
    *code = std::atoi(whole.c_str());
    if (*code < 100)
        return IPWORKS_SOCKET;
    lastReply_ = whole;
    events_->Reply(static_cast<unsigned short>(*code), whole.c_str());
    if (text)
        *text = whole;
    return IPWORKS_OK;
}

int FtpClient::Exchange(const std::string& line, int* code, std::string* text)
{
    if (const int failed = control_.SendAll(line + "\r\n"))
        return failed;
    return ReadReply(code, text);
}

int FtpClient::Command(const std::string& line)
{
    int code = 0;
    if (const int failed = Exchange(line, &code))
        return failed;
    return code < 400 ? IPWORKS_OK : IPWORKS_REFUSED;
}

int FtpClient::TellMode()
{
    if (const int failed = Command(mode_ == FTP_IMAGE ? "TYPE I" : "TYPE A"))
        return failed;
    serverMode_ = mode_;
    return IPWORKS_OK;
}

int FtpClient::LogOn()
{
    lastReply_.clear();
    serverMode_ = FTP_ASCII;
    std::string host;
    unsigned short port = port_;
    SplitHostPort(host_, &host, &port);
    if (const int failed = control_.Connect(host, port))
        return failed;
    int code = 0;
    if (const int failed = ReadReply(&code, nullptr)) {
        control_.Close();
        return failed;
    }
    // Without a user the connection stays at the greeting, for a proxy's own log-on commands.
    if (code < 400 && !user_.empty()) {
        if (!Exchange("USER " + user_, &code) && code == 331)
            Exchange("PASS " + password_, &code);
    }
    if (code >= 400 || code == 331) {
        control_.Close();
        return IPWORKS_REFUSED;
    }
    return IPWORKS_OK;
}

int FtpClient::LogOff()
{
    if (!control_.IsOpen())
        return IPWORKS_OK;
    int code = 0;
    Exchange("QUIT", &code);
    control_.Close();
    return IPWORKS_OK;
}

int FtpClient::OpenData(SocketChannel& data, SocketChannel& listener, const std::string& command)
{
    int code = 0;
    std::string text;
    if (passive_) {
        // 227 Entering Passive Mode (h1,h2,h3,h4,p1,p2).
        if (const int failed = Exchange("PASV", &code, &text))
            return failed;
        unsigned h[4], p[2];
        const size_t open = text.find('(');
        if (code >= 400 || open == std::string::npos ||
            std::sscanf(text.c_str() + open, "(%u,%u,%u,%u,%u,%u)", &h[0], &h[1], &h[2], &h[3], &p[0], &p[1]) != 6)
            return IPWORKS_REFUSED;
        char host[32];
        std::snprintf(host, sizeof host, "%u.%u.%u.%u", h[0], h[1], h[2], h[3]);
        if (const int failed = data.Connect(host, static_cast<unsigned short>(p[0] * 256 + p[1])))
            return failed;
    } else {
        const sockaddr_in local = control_.LocalAddress();
        unsigned short port = 0;
        if (const int failed = listener.Listen(local, &port))
            return failed;
        const unsigned char* a = reinterpret_cast<const unsigned char*>(&local.sin_addr);
        char line[64];
        std::snprintf(line, sizeof line, "PORT %u,%u,%u,%u,%u,%u", a[0], a[1], a[2], a[3], port / 256, port % 256);
        if (const int failed = Command(line))
            return failed;
    }
    if (const int failed = Exchange(command, &code))
        return failed;
    if (code >= 400)
        return IPWORKS_REFUSED;
    if (!passive_)
        return data.Accept(listener);
    return IPWORKS_OK;
}

int FtpClient::Receive(SocketChannel& data, bool asLines)
{
    std::ofstream local;
    if (!asLines && !localFile_.empty()) {
        local.open(localFile_, std::ios::binary | std::ios::trunc);
        if (!local)
            return IPWORKS_LOCAL_FILE;
    }
    std::string lines;
    long count = 0;
    std::vector<char> buffer(DataBlockBytes);
    char* block = buffer.data();
    for (;;) {
        int got = 0;
        if (const int failed = data.ReadSome(block, DataBlockBytes, &got))
            return failed;
        if (got == 0)
            break;
        if (asLines) {
            lines.append(block, static_cast<size_t>(got));
            for (size_t end; (end = lines.find('\n')) != std::string::npos; lines.erase(0, end + 1)) {
                std::string line = lines.substr(0, end);
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                events_->DirectoryLine(line.c_str());
            }
        } else {
            if (local.is_open() && !local.write(block, got))
                return IPWORKS_LOCAL_FILE;
            events_->Data(count, block, static_cast<unsigned short>(got));
        }
        count += got;
        if (const int interrupted = wait_.ServeBetweenBlocks())
            return interrupted;
    }
    if (asLines && !lines.empty())
        events_->DirectoryLine(lines.c_str());
    return IPWORKS_OK;
}

int FtpClient::Send(SocketChannel& data)
{
    std::ifstream local(localFile_, std::ios::binary);
    if (!local)
        return IPWORKS_LOCAL_FILE;
    std::vector<char> block(DataBlockBytes);
    while (local.read(block.data(), DataBlockBytes) || local.gcount() > 0) {
        if (const int failed = data.SendAll(std::string(block.data(), static_cast<size_t>(local.gcount()))))
            return failed;
        if (const int interrupted = wait_.ServeBetweenBlocks())
            return interrupted;
    }
    return IPWORKS_OK;
}

int FtpClient::AbortTransfer(SocketChannel& data)
{
    // The server answers ABOR with the end of the aborted transfer (426), then with the
    // ABOR's own reply; an interrupted wait would cut that short, so the action stops counting
    // as interrupted while it tidies up.
    wait_.Begin();
    int code = 0;
    const int sent = Exchange("ABOR", &code);
    data.Close();
    if (!sent && code == 426)
        ReadReply(&code, nullptr);
    return IPWORKS_INTERRUPTED;
}

int FtpClient::Transfer(const std::string& command, Direction direction)
{
    if (!control_.IsOpen())
        return IPWORKS_NOT_CONNECTED;
    lastReply_.clear();
    // A file goes in the mode asked for, which a server does not take by default.
    if (direction != Direction::ReceiveLines && serverMode_ != mode_) {
        if (const int failed = TellMode())
            return failed;
    }
    SocketChannel data(wait_);
    SocketChannel listener(wait_);
    int result = OpenData(data, listener, command);
    listener.Close();
    if (result)
        return result == IPWORKS_INTERRUPTED ? AbortTransfer(data) : result;
    events_->StartTransfer();
    result = direction == Direction::Send ? Send(data) : Receive(data, direction == Direction::ReceiveLines);
    if (result == IPWORKS_INTERRUPTED)
        return AbortTransfer(data);
    data.Close();
    if (result)
        return result;
    // 226 closes the transfer.
    int code = 0;
    if (const int failed = ReadReply(&code, nullptr))
        return failed;
    if (code >= 400)
        return IPWORKS_REFUSED;
    events_->EndTransfer();
    return IPWORKS_OK;
}
