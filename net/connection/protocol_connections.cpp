// Forwarding the component's events to the job's handlers; without a receiver an event
// answers 1.
#include "protocol_connections.h"

#include "named_objects.h"

namespace {

constexpr const char* UserAgent = "QORVEX Internet Library";

template <class Vendor>
Vendor* MakeVendor(int kind, void* events)
{
    auto* vendor = static_cast<Vendor*>(_IPWorks_CreateObject(kind, events));
    if (!vendor)
        ThrowSyncFailure();
    return vendor;
}

void DeleteVendor(int kind, IPWorksObject* vendor)
{
    vendor->SetEnabled(0);
    _IPWorks_DeleteObject(kind, vendor);
}

}  // namespace

qnet_CFtpConnection::qnet_CFtpConnection(qnet_CFtpReceiver* receiver)
    : vendor_(MakeVendor<IPWorksFtp>(IPWORKS_FTP, static_cast<IPWorksFtpEvents*>(this))), receiver_(receiver)
{
    vendor_->SetEnabled(1);
}

qnet_CFtpConnection::~qnet_CFtpConnection() { DeleteVendor(IPWORKS_FTP, vendor_); }

int qnet_CFtpConnection::DirectoryLine(const char* line) { return receiver_ ? receiver_->OnDirectoryLine(line) : 1; }

int qnet_CFtpConnection::EndTransfer() { return receiver_ ? receiver_->OnEndTransfer() : 1; }

int qnet_CFtpConnection::Error(unsigned short code, const char* text)
{
    return receiver_ ? receiver_->OnError(code, text) : 1;
}

int qnet_CFtpConnection::Reply(unsigned short code, const char* text)
{
    return receiver_ ? receiver_->OnNotice(code, text) : 1;
}

int qnet_CFtpConnection::StartTransfer() { return receiver_ ? receiver_->OnStartTransfer() : 1; }

int qnet_CFtpConnection::Data(long count, const char* block, unsigned short length)
{
    return receiver_ ? receiver_->OnData(count, block, length) : 1;
}

qnet_CHttpConnection::qnet_CHttpConnection(qnet_CHttpReceiver* receiver)
    : vendor_(MakeVendor<IPWorksHttp>(IPWORKS_HTTP, static_cast<IPWorksHttpEvents*>(this))), receiver_(receiver)
{
    vendor_->SetUserAgent(UserAgent);
    vendor_->SetEnabled(1);
}

qnet_CHttpConnection::~qnet_CHttpConnection() { DeleteVendor(IPWORKS_HTTP, vendor_); }

int qnet_CHttpConnection::Status(unsigned short code, const char* text)
{
    return receiver_ ? receiver_->OnStatus(code, text) : 1;
}

int qnet_CHttpConnection::HeadersEnd(unsigned short code, const char* text)
{
    return receiver_ ? receiver_->OnSecondStatus(code, text) : 1;
}

int qnet_CHttpConnection::EndTransfer() { return receiver_ ? receiver_->OnEndTransfer() : 1; }

int qnet_CHttpConnection::Error(int code, const char* text) { return receiver_ ? receiver_->OnError(code, text) : 1; }

int qnet_CHttpConnection::Header(const char* name, const char* value)
{
    return receiver_ ? receiver_->OnNotice(name, value) : 1;
}

int qnet_CHttpConnection::StartTransfer() { return receiver_ ? receiver_->OnStartTransfer() : 1; }

int qnet_CHttpConnection::Data(long count, const char* block, unsigned short length)
{
    return receiver_ ? receiver_->OnData(count, block, length) : 1;
}
