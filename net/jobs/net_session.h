// The process-wide state of the internet library: how often it is open, the window that runs
// its forms on the opening thread, the job list with its manager, and the language of forms.
#pragma once

#include "named_objects.h"
#include "qxlist.h"
#include "synchronize_window.h"

#include <memory>
#include <vector>

class QXFTPBrowser;

struct NetSession {
    int openCount = 0;
    std::unique_ptr<qnet_CSynchronizeWindow> synchronizeWindow;
    HANDLE manager = nullptr;
    // URL_THREAD_NODE jobs, the newest at the head.
    LIST jobs;
    // Set while a started job has not been handled yet: one job runs at a time.
    bool jobStarting = false;
    // The FTP browser's open connections.
    std::vector<QXFTPBrowser*> browsers;
    bool languageSet = false;
    char language[100] = {};
    // Taken in this order: cleaning, list, a job's mutex.
    qnet_CMutex threadListMutex{"ThreadListMutex"};
    qnet_CEvent manageListTermEvent{"ManageListTermEvent", false};
    qnet_CMutex cleaningDeadWndMutex{"CleaningDeadWndMutex"};
};

// Made when the library is loaded, gone when it is unloaded.
NetSession& Session();
void MakeSession();
void EndSession();

// Forms are French unless a language other than "French" (any case) was set.
bool FrenchForms();

// Disconnects the FTP browser's connections still open.
void DisconnectEveryBrowser();

// The manager thread's body.
DWORD WINAPI ManageListThreadProc(void*);
// Asks every job that would notify the window to abort.
void KillWindowUrlThreads(HWND window);
