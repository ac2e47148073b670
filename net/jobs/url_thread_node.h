// One background download as the job list keeps it: its data, the connection thread lent to
// it while it runs, its mutex (held by the job's thread for the whole transfer) and its events.
#pragma once

#include "named_objects.h"
#include "qxlist.h"

class URL_THREAD_DATA;
class qnet_CConnectionThread;

// What GetState answers, in the order the events are looked at.
enum JobState : int {
    JOB_QUEUED = -1,
    JOB_SUCCEEDED = 0,
    JOB_ABORTED = 1,
    JOB_FAILED = 2,
    JOB_CREATED = 3,
    JOB_ACTIVATED = 4,
};

class URL_THREAD_NODE : public LNODE {
public:
    // Takes the data and points it back to this node.
    explicit URL_THREAD_NODE(URL_THREAD_DATA* jobData);
    // The data is destroyed by whoever removes the job, before the node.
    ~URL_THREAD_NODE() override = default;

    // The first of succeeded, aborted, failed, created, activated that is signalled within the
    // time-out; JOB_QUEUED when none is.
    int GetState(DWORD timeout = 0);
    // Resets the five status events (not must-abort).
    void ResetEvents();
    bool MustAbort() { return mustAbort.Wait(0) != 0; }

    URL_THREAD_DATA* data;
    qnet_CConnectionThread* connection = nullptr;
    qnet_CMutex mutex{"UrlThreadDataMutex"};
    qnet_CEvent mustAbort{"UrlThreadDataMustAbortEvent", false};
    qnet_CEvent succeeded{"UrlThreadDataSucceededEvent", false};
    qnet_CEvent failed{"UrlThreadDataFailedEvent", false};
    qnet_CEvent aborted{"UrlThreadDataAbortedEvent", false};
    qnet_CEvent created{"UrlThreadDataCreatedEvent", false};
    qnet_CEvent activated{"UrlThreadDataActivatedEvent", false};
};
