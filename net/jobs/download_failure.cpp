// The failure of a download, shown on the opening thread through the synchronisation window
// as a box in the library's language with the job's address, Retry and Cancel.
#include "download_failure.h"

#include "net_session.h"
#include "url_thread_data.h"

#include <string>

namespace {

// Modal results the job list acts on.
constexpr int GIVE_UP = 1;
constexpr int RETRY = 2;

struct FailureTexts {
    const char* caption;
    const char* message;
    const char* advice;
};

const FailureTexts French = {"Téléchargement", "Un problème est survenu lors du téléchargement du fichier :",
                             "Le serveur est possiblement inaccessible ou votre configuration Internet n'est pas "
                             "adéquate."};
const FailureTexts English = {"Download", "A problem occured while downloading the following file :",
                              "The server is probably down or your Internet is not configured correctly"};

class URL_THREAD_DATA_ERROR : public qnet_CSynchroExecObject {
public:
    explicit URL_THREAD_DATA_ERROR(URL_THREAD_DATA* job) : job_(job) {}
    int Execute() override
    {
        if (!job_)
            ThrowSyncFailure();
        const FailureTexts& texts = FrenchForms() ? French : English;
        const std::string text = std::string(texts.message) + "\n" + job_->address + "\n\n" + texts.advice;
        const int answer = MessageBoxA(nullptr, text.c_str(), texts.caption,
                                       MB_RETRYCANCEL | MB_ICONWARNING | MB_SETFOREGROUND);
        return answer == IDRETRY ? RETRY : GIVE_UP;
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
    return window->Execute(&call) == RETRY;
}
