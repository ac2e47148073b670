// The failure of a download, shown on the opening thread through the synchronisation window
// as the error form with the job's address.
#include "download_failure.h"

#include "error_form.h"
#include "net_session.h"
#include "url_thread_data.h"

namespace {

class URL_THREAD_DATA_ERROR : public qnet_CSynchroExecObject {
public:
    explicit URL_THREAD_DATA_ERROR(URL_THREAD_DATA* job) : job_(job) {}
    int Execute() override
    {
        if (!job_)
            ThrowSyncFailure();
        ERROR_FORM_SETUP setup;
        setup.file = job_->address;
        return RunErrorForm(setup);
    }

private:
    URL_THREAD_DATA* job_;
};

}  // namespace

bool AskRetry(URL_THREAD_DATA& job)
{
    qnet_CSynchronizeWindow* window = Session().synchronizeWindow.get();
    if (!window)
        ThrowSyncFailure();
    URL_THREAD_DATA_ERROR call(&job);
    return window->Execute(&call) == ERROR_FORM_RETRY;
}
