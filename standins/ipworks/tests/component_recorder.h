// Receivers that note the component's events, and the servers every case of the program
// shares.
#pragma once

#include "internet_servers.h"
#include "ipworks_api.h"

#include <memory>
#include <string>
#include <vector>

class FtpRecorder : public IPWorksFtpEvents {
public:
    int DirectoryLine(const char* line) override;
    int EndTransfer() override;
    int Error(unsigned short code, const char* text) override;
    int Reply(unsigned short code, const char* text) override;
    int Data(long count, const char* block, unsigned short length) override;

    std::vector<std::string> lines;
    std::vector<int> replies;
    std::string data;
    int ends = 0;
    int errors = 0;
    long lastCount = -1;
    unsigned short largestBlock = 0;
};

class HttpRecorder : public IPWorksHttpEvents {
public:
    int Status(unsigned short code, const char* text) override;
    int HeadersEnd(unsigned short code, const char* text) override;
    int EndTransfer() override;
    int Error(int code, const char* text) override;
    int Data(long count, const char* block, unsigned short length) override;

    std::vector<int> statuses;
    std::string data;
    int ends = 0;
    int errors = 0;
};

// A component object deleted as its user would: switched off first.
template <int Kind>
struct ObjectDeleter {
    void operator()(IPWorksObject* object) const
    {
        object->SetEnabled(0);
        _IPWorks_DeleteObject(Kind, object);
    }
};

template <class Object, int Kind>
std::unique_ptr<Object, ObjectDeleter<Kind>> MakeObject(void* events)
{
    std::unique_ptr<Object, ObjectDeleter<Kind>> object(static_cast<Object*>(_IPWorks_CreateObject(Kind, events)));
    if (object) {
        object->SetEnabled(1);
        object->SetTimeout(20);
    }
    return object;
}

inline InternetServers& Servers() { return SharedInternetServers(); }
