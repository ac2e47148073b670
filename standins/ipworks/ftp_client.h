// The component's FTP client: a control connection with its replies, and one data
// connection per transfer, passive (PASV) or active (PORT).
#pragma once

#include "component_object.h"

#include <string>

class FtpClient : public ComponentObject<IPWorksFtp> {
public:
    explicit FtpClient(IPWorksFtpEvents* events);

    int SetEnabled(int on) override;
    int SetAction(int action) override;
    int SetRemoteHost(const char* host) override;
    int SetRemotePort(unsigned short port) override;
    int SetPassive(int passive) override;
    int SetTransferMode(int mode) override;
    int SetLocalFile(const char* file) override;
    int SetRemoteFile(const char* file) override;
    int SetRemotePath(const char* path) override;
    int GetRemotePath(char* path, int size) override;
    int SetCommand(const char* line) override;

private:
    // Runs one step as an action: nothing else may start meanwhile, and a failure is told
    // through the error event.
    template <class Step>
    int Run(int action, Step step);
    int LogOn();
    int LogOff();
    // Sends a line and reads the whole reply; `code` is the reply's number.
    int Exchange(const std::string& line, int* code, std::string* text = nullptr);
    int ReadReply(int* code, std::string* text);
    // A command whose reply must be below 400.
    int Command(const std::string& line);
    // TYPE for the transfer mode.
    int TellMode();
    // The data connection for `command` (RETR, STOR or LIST ...), then the command's work
    // over it and its final reply.
    enum class Direction { Receive, Send, ReceiveLines };
    int Transfer(const std::string& command, Direction direction);
    int OpenData(SocketChannel& data, SocketChannel& listener, const std::string& command);
    int Receive(SocketChannel& data, bool asLines);
    int Send(SocketChannel& data);
    int AbortTransfer(SocketChannel& data);
    int Fail(int error, const char* text);

    IPWorksFtpEvents* events_;
    IPWorksFtpEvents silent_;
    SocketChannel control_;
    std::string host_;
    unsigned short port_ = 21;
    std::string localFile_;
    std::string remoteFile_;
    bool passive_ = true;
    int mode_ = FTP_IMAGE;
    int serverMode_ = FTP_ASCII;  // what the server was told, ASCII until then
    std::string lastReply_;
};
