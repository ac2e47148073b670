// Making and deleting the component's objects.
#include "ftp_client.h"
#include "http_client.h"

IPWorksObject* _IPWorks_CreateObject(int kind, void* receiver)
{
    try {
        if (kind == IPWORKS_FTP)
            return new FtpClient(static_cast<IPWorksFtpEvents*>(receiver));
        if (kind == IPWORKS_HTTP)
            return new HttpClient(static_cast<IPWorksHttpEvents*>(receiver));
    } catch (...) {
    }
    return nullptr;
}

void _IPWorks_DeleteObject(int, IPWorksObject* object)
{
    delete object;
}
