// Opening and closing the library, counted, and the language of its forms.
#include "net_session.h"

#include "connection_thread.h"
#include "qxweb.h"

namespace {

NetSession* session = nullptr;

}  // namespace

NetSession& Session() { return *session; }

void MakeSession()
{
    try {
        session = new NetSession;
    } catch (int) {
        session = nullptr;
    }
}

void EndSession()
{
    delete session;
    session = nullptr;
}

bool FrenchForms()
{
    return !session->languageSet || lstrcmpiA(session->language, "French") == 0;
}

int QXNetOpen()
{
    return AnswerZeroOnException([] {
        if (!session)
            return 0;
        if (session->openCount++ > 0)
            return 1;
        session->synchronizeWindow = std::make_unique<qnet_CSynchronizeWindow>();
        // A manager of an earlier opening has ended on this event.
        session->manageListTermEvent.Set(false);
        session->manager = CreateThread(nullptr, 0, ManageListThreadProc, nullptr, 0, nullptr);
        return session->manager ? 1 : 0;
    });
}

void QXNetClose()
{
    AnswerZeroOnException([] {
        if (!session || session->openCount == 0 || --session->openCount > 0)
            return 0;
        DisconnectEveryBrowser();
        if (session->manager) {
            session->manageListTermEvent.Set();
            // The manager may still ask this thread for a form while it ends its jobs.
            WaitServingSentMessages(session->manager);
            CloseHandle(session->manager);
            session->manager = nullptr;
        }
        qnet_CConnectionThread::Shutdown();
        session->synchronizeWindow.reset();
        return 1;
    });
}

void QXNetSetLanguage(const char* language)
{
    if (!session)
        return;
    session->languageSet = true;
    lstrcpynA(session->language, language ? language : "", sizeof session->language);
}
