// Real FTP and HTTP servers and an HTTP proxy on free ports of 127.0.0.1 for one test program:
// a detached script of ours (servers/internet_servers.py) that stops when this object's
// control connection closes, also when the program dies. The servers' folders are scratch
// folders of the test; tests can take a server down and bring it back, and read what the FTP
// server, the HTTP server and the proxy received.
#pragma once

#include "scratch_dir.h"

#include <winsock2.h>

#include <string>

class InternetServers {
public:
    InternetServers();
    ~InternetServers();
    InternetServers(const InternetServers&) = delete;
    InternetServers& operator=(const InternetServers&) = delete;

    bool Started() const { return control_ != INVALID_SOCKET; }
    // "127.0.0.1:<port>".
    std::string HttpHost() const;
    std::string FtpHost() const;
    unsigned short FtpPort() const { return ftpPort_; }
    unsigned short ProxyPort() const { return proxyPort_; }
    // What the HTTP server serves; what the FTP server serves to anonymous users; the folder
    // of the FTP user "writer" (password "secret"). Each ends in a backslash.
    std::string HttpRoot() const { return root_ / "http\\"; }
    std::string FtpRoot() const { return root_ / "ftp\\"; }
    std::string UploadRoot() const { return root_ / "upload\\"; }

    // Files the HTTP server, the FTP server to anonymous users, and to "writer" serve.
    void ServeHttp(const std::string& name, const std::string& bytes) const { root_.Write("http\\" + name, bytes); }
    void ServeFtp(const std::string& name, const std::string& bytes) const { root_.Write("ftp\\" + name, bytes); }
    void ServeUpload(const std::string& name, const std::string& bytes) const { root_.Write("upload\\" + name, bytes); }
    std::string ReadUpload(const std::string& name) const { return root_.Read("upload\\" + name); }

    // "http" or "ftp": the port refuses connections until Up.
    void Down(const char* server) { Command(std::string("down ") + server); }
    void Up(const char* server) { Command(std::string("up ") + server); }
    // Every command the FTP server received since the last clear, one a line.
    std::string FtpLog() { return Command("ftplog"); }
    // The request lines of the HTTP server, one a line.
    std::string HttpLog() { return Command("httplog"); }
    // "<path>|<User-Agent>|<Authorization>" for each request, one a line.
    std::string HttpHeaders() { return Command("httpheaders"); }
    std::string ProxyLog() { return Command("proxylog"); }
    void ClearLogs() { Command("clear"); }

private:
    std::string Command(const std::string& line);
    bool ReadExactly(char* buffer, int size);

    ScratchDir root_{"servers"};
    SOCKET control_ = INVALID_SOCKET;
    unsigned short httpPort_ = 0;
    unsigned short ftpPort_ = 0;
    unsigned short proxyPort_ = 0;
};

// The servers of the test program, started on first use.
InternetServers& SharedInternetServers();

// Ends the test program with a message when one test case runs longer than `seconds`, so a
// case that hangs fails alone and quickly; the servers stop with the program.
void LimitEachTestCase(unsigned seconds);
