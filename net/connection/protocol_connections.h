// The component's FTP and HTTP objects as the connection thread owns them: made, driven and
// destroyed on that thread, their events forwarded to the job's receiver.
#pragma once

#include "ipworks_api.h"
#include "protocol_receivers.h"

class qnet_CFtpConnection : public IPWorksFtpEvents {
public:
    // Throws when the component makes no object.
    explicit qnet_CFtpConnection(qnet_CFtpReceiver* receiver);
    ~qnet_CFtpConnection() override;
    qnet_CFtpConnection(const qnet_CFtpConnection&) = delete;
    qnet_CFtpConnection& operator=(const qnet_CFtpConnection&) = delete;
    IPWorksFtp* Vendor() const { return vendor_; }

    int DirectoryLine(const char* line) override;
    int EndTransfer() override;
    int Error(unsigned short code, const char* text) override;
    int Reply(unsigned short code, const char* text) override;
    int StartTransfer() override;
    int Data(long count, const char* block, unsigned short length) override;

private:
    IPWorksFtp* vendor_;
    qnet_CFtpReceiver* receiver_;
};

class qnet_CHttpConnection : public IPWorksHttpEvents {
public:
    explicit qnet_CHttpConnection(qnet_CHttpReceiver* receiver);
    ~qnet_CHttpConnection() override;
    qnet_CHttpConnection(const qnet_CHttpConnection&) = delete;
    qnet_CHttpConnection& operator=(const qnet_CHttpConnection&) = delete;
    IPWorksHttp* Vendor() const { return vendor_; }

    int Status(unsigned short code, const char* text) override;
    int HeadersEnd(unsigned short code, const char* text) override;
    int EndTransfer() override;
    int Error(int code, const char* text) override;
    int Header(const char* name, const char* value) override;
    int StartTransfer() override;
    int Data(long count, const char* block, unsigned short length) override;

private:
    IPWorksHttp* vendor_;
    qnet_CHttpReceiver* receiver_;
};
