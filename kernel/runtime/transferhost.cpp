// The host window's part of background transfers: it starts the transfer a starter window
// hands over, and answers a server that does not answer, cannot be found, or a start that
// was cancelled.
#include "transfer.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"

#include <memory>

namespace {

// The job is still listed in a kernel of the process: its object may have gone since the
// block was made.
bool JobAlive(const FTP_PROCESS* job)
{
    HUGELIST& kernels = KernProcess().kernels;
    for (int k = 0; k < kernels.Items(); ++k) {
        LIST& jobs = static_cast<KERNEL*>(kernels.GetItem(k))->jobs;
        for (int j = 0; j < jobs.Items(); ++j)
            if (jobs.GetItem(j) == job)
                return true;
    }
    return false;
}

int Retrieve(const BACKGROUND_XFER& block, GETFILE_STRUCT* record)
{
    if (block.request.kind == QX_LOCATION_FTP) {
        const char* user;
        const char* password;
        ChooseFtpAccount(block.user, block.password, &user, &password);
        return FTP_Retrieve(block.remotePath, block.localFile, 0, block.server, user, password, block.notify,
                            block.message, record, &record->transferId);
    }
    if (block.request.kind == QX_LOCATION_HTTP)
        return HTTP_Retrieve(block.remotePath, block.localFile, block.server, block.notify, block.message, record,
                             &record->transferId);
    return 0;
}

void ForgetStarter(BACKGROUND_XFER* block)
{
    if (block->job && JobAlive(block->job))
        block->job->starter = nullptr;
}

}  // namespace

void ChooseFtpAccount(const char* user, const char* password, const char** sendUser, const char** sendPassword)
{
    const bool given = user && *user && password && *password;
    *sendUser = given ? user : QX_ANONYMOUS_USER;
    *sendPassword = given ? password : QX_ANONYMOUS_PASSWORD;
}

LRESULT KernStartRetrieve(BACKGROUND_XFER* given)
{
    const std::unique_ptr<BACKGROUND_XFER> block(given);
    if (!block)
        return 1;
    FTP_PROCESS* job = JobAlive(block->job) ? block->job : nullptr;
    // The job was removed after its starter window let go: nothing waits for the file.
    if (block->job && !job)
        return 1;
    if (job)
        job->starter = nullptr;
    auto* record = new GETFILE_STRUCT(block->request);
    if (!Retrieve(*block, record)) {
        // The arrival path reports the failure and lets go of the cache item.
        KernNotifyRequest(block->notify, block->message, QX_FILE_FAILED, *record);
        delete record;
        return 1;
    }
    if (job) {
        job->transferId = record->transferId;
        job->record = record;
    }
    return 1;
}

LRESULT KernNetNoAnswer(KERNEL* kernel, BACKGROUND_XFER* given)
{
    const std::unique_ptr<BACKGROUND_XFER> block(given);
    if (!block) {
        // Which transfer could not be prepared is not known.
        KernRemoveAllFtpProcess(kernel);
        return 1;
    }
    ForgetStarter(block.get());
    KernAlert(KernGetAppWindow(kernel), IDS_NETWORK_ERROR, IDS_SERVER_NO_ANSWER, block->server);
    // Only that server's jobs: transfers from other servers go on.
    KernRemoveAllFtpByServer(kernel, block->server);
    return 1;
}

LRESULT KernNetCancel(BACKGROUND_XFER* given)
{
    const std::unique_ptr<BACKGROUND_XFER> block(given);
    if (block)
        ForgetStarter(block.get());
    return 1;
}

LRESULT KernNetNoHost(KERNEL* kernel, BACKGROUND_XFER* given)
{
    const std::unique_ptr<BACKGROUND_XFER> block(given);
    if (!block)
        return 1;
    ForgetStarter(block.get());
    KernRemoveAllFtpByServer(kernel, block->server);
    KernAlert(KernGetAppWindow(kernel), IDS_NETWORK_ERROR, IDS_SERVER_UNKNOWN, block->server);
    return 1;
}
