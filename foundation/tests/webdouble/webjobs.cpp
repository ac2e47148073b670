// Downloads of the stand-in internet library. The "server" is a local folder: a job copies
// server\remotePath into the local file on a thread of its own and posts 768, or 767 when the
// copy fails, with the caller's value. A job stays listed, and so can be killed once, until
// the library is closed.
#include "qxwebapi.h"

#include "journal.h"

#include <cstring>
#include <set>
#include <string>
#include <thread>
#include <vector>

class URL_THREAD_NODE {};

namespace {

// The list is used on the caller's thread only; the threads touch nothing shared.
std::set<URL_THREAD_NODE*> jobs;
std::vector<std::thread> transfers;

void Transfer(std::string from, std::string to, HWND notify, UINT message, void* notifyValue)
{
    const bool copied = CopyFileA(from.c_str(), to.c_str(), FALSE) != 0;
    if (notify && message)
        PostMessageA(notify, message, copied ? QXWEB_FILE_ARRIVED : QXWEB_FILE_FAILED,
                     reinterpret_cast<LPARAM>(notifyValue));
}

int StartJob(const char* server, const char* remotePath, const char* localFile, HWND notify,
             UINT message, void* notifyValue, QXWEBJOB* job)
{
    if (job)
        *job = nullptr;
    if (!server || !remotePath || !localFile)
        return 0;
    auto* node = new URL_THREAD_NODE;
    jobs.insert(node);
    if (job)
        *job = node;
    transfers.emplace_back(Transfer, std::string(server) + "\\" + remotePath, std::string(localFile),
                           notify, message, notifyValue);
    return 1;
}

int Kill(QXWEBJOB job)
{
    if (jobs.erase(job) == 0)
        return 0;
    delete job;
    return 1;
}

}  // namespace

void FinishJobs()
{
    for (std::thread& transfer : transfers)
        transfer.join();
    transfers.clear();
    for (URL_THREAD_NODE* job : jobs)
        delete job;
    jobs.clear();
}

int FTP_Retrieve(const char* remotePath, const char* localFile, int synchronous, const char* server,
                 const char* user, const char* password, HWND notify, UINT message, void* notifyValue,
                 QXWEBJOB* job)
{
    Record("FTP_Retrieve(%s,%s,%d,%s,%s,%s,%u,%llx)", remotePath, localFile, synchronous, server, user,
           password, message, Hex(notifyValue));
    return StartJob(server, remotePath, localFile, notify, message, notifyValue, job);
}

int HTTP_Retrieve(const char* remotePath, const char* localFile, const char* server, HWND notify,
                  UINT message, void* notifyValue, QXWEBJOB* job)
{
    Record("HTTP_Retrieve(%s,%s,%s,%u,%llx)", remotePath, localFile, server, message, Hex(notifyValue));
    return StartJob(server, remotePath, localFile, notify, message, notifyValue, job);
}

// "ftp://server/path" or "http://server/path"; the server is everything up to the first '/'.
int URL_Retrieve(const char* address, const char* localFile, int synchronous, const char* user,
                 const char* password, HWND notify, UINT message, void* notifyValue, QXWEBJOB* job)
{
    Record("URL_Retrieve(%s,%s,%d,%s,%s,%u,%llx)", address, localFile, synchronous, user, password,
           message, Hex(notifyValue));
    const char* host = address ? std::strstr(address, "://") : nullptr;
    const char* slash = host ? std::strchr(host + 3, '/') : nullptr;
    if (!slash) {
        if (job)
            *job = nullptr;
        return 0;
    }
    const std::string server(host + 3, slash);
    return StartJob(server.c_str(), slash + 1, localFile, notify, message, notifyValue, job);
}

int FTP_Kill(QXWEBJOB job)
{
    Record("FTP_Kill");
    return Kill(job);
}

int HTTP_Kill(QXWEBJOB job)
{
    Record("HTTP_Kill");
    return Kill(job);
}

int URL_Kill(QXWEBJOB job)
{
    Record("URL_Kill");
    return Kill(job);
}

void CleanUpDeadWindow(HWND window) { Record("CleanUpDeadWindow(%llx)", Hex(window)); }
