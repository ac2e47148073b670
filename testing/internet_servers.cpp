// Starting the test servers' script outside Wine and talking to it over its control port.
#include "internet_servers.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <ws2tcpip.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <map>
#include <mutex>
#include <thread>

namespace {

constexpr DWORD StartMilliseconds = 30000;

// The Unix name of a Windows path, through Wine's own conversion.
std::string UnixName(const std::string& windowsPath)
{
    using Convert = char* (*)(const WCHAR*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return "";
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, windowsPath.c_str(), -1, wide, MAX_PATH);
    char* unixName = convert(wide);
    if (!unixName)
        return "";
    std::string name = unixName;
    HeapFree(GetProcessHeap(), 0, unixName);
    return name;
}

std::map<std::string, int> ReadPorts(const std::string& stateFile)
{
    std::map<std::string, int> ports;
    std::ifstream in(stateFile);
    std::string line;
    while (std::getline(in, line)) {
        const size_t equal = line.find('=');
        if (equal != std::string::npos)
            ports[line.substr(0, equal)] = std::atoi(line.c_str() + equal + 1);
    }
    return ports;
}

// Unix processes started from Wine give no handle to wait on; the shell detaches the script
// and sends its output to a file, so no pipe of the test runner stays open.
bool LaunchScript(const std::string& root, const std::string& state)
{
    std::string command = "Z:\\bin\\sh -c \"exec setsid /usr/bin/python3 '" QX_INTERNET_SERVERS_SCRIPT "' --root '" +
                          root + "' --state '" + state + "' > '" + root + "/servers.out' 2>&1 < /dev/null &\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hProcess)
        CloseHandle(process.hProcess);
    if (process.hThread)
        CloseHandle(process.hThread);
    return true;
}

}  // namespace

InternetServers::InternetServers()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    const std::string root = UnixName(root_.Path());
    const std::string stateFile = root_ / "state";
    if (root.empty() || !LaunchScript(root, UnixName(root_.Path()) + "state"))
        return;
    std::map<std::string, int> ports;
    for (const DWORD start = GetTickCount(); GetTickCount() - start < StartMilliseconds; Sleep(50)) {
        ports = ReadPorts(stateFile);
        if (ports.count("control"))
            break;
    }
    if (!ports.count("control"))
        return;
    httpPort_ = static_cast<unsigned short>(ports["http"]);
    ftpPort_ = static_cast<unsigned short>(ports["ftp"]);
    proxyPort_ = static_cast<unsigned short>(ports["proxy"]);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<unsigned short>(ports["control"]));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    control_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (connect(control_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        closesocket(control_);
        control_ = INVALID_SOCKET;
    }
}

InternetServers::~InternetServers()
{
    // The script takes the end of the connection as the order to stop.
    if (control_ != INVALID_SOCKET)
        closesocket(control_);
    WSACleanup();
}

std::string InternetServers::HttpHost() const { return "127.0.0.1:" + std::to_string(httpPort_); }

std::string InternetServers::FtpHost() const { return "127.0.0.1:" + std::to_string(ftpPort_); }

bool InternetServers::ReadExactly(char* buffer, int size)
{
    while (size > 0) {
        const int got = recv(control_, buffer, size, 0);
        if (got <= 0)
            return false;
        buffer += got;
        size -= got;
    }
    return true;
}

std::string InternetServers::Command(const std::string& line)
{
    if (control_ == INVALID_SOCKET)
        return "";
    const std::string sent = line + "\n";
    send(control_, sent.data(), static_cast<int>(sent.size()), 0);
    // "<length>\n<bytes>".
    std::string length;
    char c = 0;
    while (ReadExactly(&c, 1) && c != '\n')
        length += c;
    std::string answer(static_cast<size_t>(std::atoi(length.c_str())), '\0');
    if (!answer.empty() && !ReadExactly(answer.data(), static_cast<int>(answer.size())))
        return "";
    return answer;
}

InternetServers& SharedInternetServers()
{
    static InternetServers servers;
    return servers;
}

namespace {

class CaseTimeLimit : public testing::EmptyTestEventListener {
public:
    explicit CaseTimeLimit(unsigned seconds) : seconds_(seconds), watchdog_([this] { Watch(); }) {}
    ~CaseTimeLimit() override
    {
        {
            const std::lock_guard<std::mutex> hold(mutex_);
            ending_ = true;
        }
        changed_.notify_all();
        watchdog_.join();
    }
    void OnTestStart(const testing::TestInfo& test) override
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        name_ = std::string(test.test_suite_name()) + "." + test.name();
        ++serial_;
        running_ = true;
        changed_.notify_all();
    }
    void OnTestEnd(const testing::TestInfo&) override
    {
        const std::lock_guard<std::mutex> hold(mutex_);
        running_ = false;
        changed_.notify_all();
    }

private:
    void Watch()
    {
        std::unique_lock<std::mutex> hold(mutex_);
        while (!ending_) {
            if (!running_) {
                changed_.wait(hold);
                continue;
            }
            const unsigned serial = serial_;
            if (!changed_.wait_for(hold, std::chrono::seconds(seconds_),
                                   [&] { return ending_ || !running_ || serial_ != serial; })) {
                std::fprintf(stderr, "\n%s: still running after %u s, the test program stops\n", name_.c_str(),
                             seconds_);
                std::fflush(stderr);
                ExitProcess(3);
            }
        }
    }

    unsigned seconds_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string name_;
    unsigned serial_ = 0;
    bool running_ = false;
    bool ending_ = false;
    std::thread watchdog_;
};

}  // namespace

void LimitEachTestCase(unsigned seconds)
{
    testing::UnitTest::GetInstance()->listeners().Append(new CaseTimeLimit(seconds));
}
