// Job state from the job's events.
#include "url_thread_node.h"

#include "url_thread_data.h"

URL_THREAD_NODE::URL_THREAD_NODE(URL_THREAD_DATA* jobData) : data(jobData)
{
    data->node = this;
}

int URL_THREAD_NODE::GetState(DWORD timeout)
{
    qnet_CEvent* const inOrder[] = {&succeeded, &aborted, &failed, &created, &activated};
    const DWORD start = GetTickCount();
    for (;;) {
        for (int state = JOB_SUCCEEDED; state <= JOB_ACTIVATED; ++state)
            if (inOrder[state]->Wait(0))
                return state;
        if (timeout != INFINITE && GetTickCount() - start >= timeout)
            return JOB_QUEUED;
        Sleep(10);
    }
}

void URL_THREAD_NODE::ResetEvents()
{
    for (qnet_CEvent* event : {&succeeded, &aborted, &failed, &created, &activated})
        event->Set(false);
}
