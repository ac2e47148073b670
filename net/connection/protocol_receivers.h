// What a download job hears of its transfer: the handlers the connection objects forward the
// component's events to, on the connection thread. Each answers 1.
#pragma once

class qnet_CFtpReceiver {
public:
    virtual int OnDirectoryLine(const char* line) = 0;
    virtual int OnEndTransfer() = 0;
    virtual int OnError(int code, const char* text) = 0;
    virtual int OnNotice(int code, const char* text) = 0;
    virtual int OnStartTransfer() = 0;
    virtual int OnData(long count, const char* block, unsigned short length) = 0;
    virtual ~qnet_CFtpReceiver() = default;
};

class qnet_CHttpReceiver {
public:
    virtual int OnStatus(int code, const char* text) = 0;
    virtual int OnSecondStatus(int code, const char* text) = 0;
    virtual int OnEndTransfer() = 0;
    virtual int OnError(int code, const char* text) = 0;
    virtual int OnNotice(const char* first, const char* second) = 0;
    virtual int OnStartTransfer() = 0;
    virtual int OnData(long count, const char* block, unsigned short length) = 0;
    virtual ~qnet_CHttpReceiver() = default;
};
