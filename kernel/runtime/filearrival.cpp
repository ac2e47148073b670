// A finished transfer as the host window hears of it: the user is told of a failure once,
// every object of every kernel that waits for the same source receives the notification,
// and the cache keeps the arrived file or forgets the failed one.
#include "filefetch.h"

#include "kernel.h"
#include "kernelprocess.h"
#include "kernelres.h"
#include "kerntree.h"
#include "objet.h"

namespace {

void NudgeCursor()
{
    // A move of the cursor makes every window compute its cursor again.
    POINT at;
    if (!GetCursorPos(&at))
        return;
    SetCursorPos(at.x + 1, at.y);
    SetCursorPos(at.x, at.y);
}

void ReportFailure(KERNEL* kernel, const GETFILE_STRUCT& record)
{
    if (kernel->jobsKilled || record.state == QX_REQUEST_LOCAL)
        return;
    KernAlert(KernGetAppWindow(kernel), IDS_NETWORK_ERROR, IDS_REMOTE_FILE_NOT_FOUND, record.source);
}

// Hands the notification to every job of the source, in every kernel, each once, in the
// order they were made: an object told may end jobs (its own too) or ask for the same file,
// whose new job waits for this arrival. A failed source leaves its jobs without a use of
// the cache item, which the cache drops.
void TellWaiters(WPARAM status, GETFILE_STRUCT* record)
{
    HUGELIST& kernels = KernProcess().kernels;
    for (int k = 0; k < kernels.Items(); ++k) {
        auto* kernel = static_cast<KERNEL*>(kernels.GetItem(k));
        unsigned long told = 0;
        while (FTP_PROCESS* job = KernNextJobOfSource(kernel, record->source, told)) {
            told = job->serial;
            job->transferId = nullptr;
            job->record = nullptr;
            if (status != QX_FILE_ARRIVED)
                job->holdsCacheUse = 0;
            // Only a listed job vouches for its object: the requester may be gone.
            if (status != QX_FILE_ARRIVED && job->object && job->object == record->object)
                job->object->effectPending = 0;
            if (job->object) {
                job->object->fileWait = 0;
                KernBroadCastToObjet(kernel, job->object, KM_FILEREADY, status, reinterpret_cast<LPARAM>(record));
            }
        }
    }
}

}  // namespace

LRESULT KernFileReady(KERNEL* kernel, WPARAM status, GETFILE_STRUCT* record)
{
    if (!record)
        return 1;
    if (status != QX_FILE_ARRIVED)
        ReportFailure(kernel, *record);
    NudgeCursor();
    const QXSTRING source = record->source;
    TellWaiters(status, record);
    if (status == QX_FILE_ARRIVED)
        KernProcess().cache.SetFileStatus(source, QX_CACHE_COMPLETE);
    else
        KernProcess().cache.DropFailedFile(source);
    delete record;
    return 1;
}
