// The frame of one transfer attempt, shared by the FTP and HTTP sequences.
#pragma once

#include "url_thread_data.h"

// Every attempt starts from an empty local file; an abort found before any step ends as
// aborted, a job without a connection thread or an exception (a failed synchronisation
// call, an interface that cannot be made) as failed.
template <class Make, class Sequence>
int URL_THREAD_DATA::Attempt(Make make, Sequence sequence)
{
    try {
        if (node->MustAbort())
            return Aborted();
        if (!node->connection)
            return Failed();
        EmptyLocalFile();
        auto* made = make(*node->connection);
        protocol = made;
        return sequence(*made);
    } catch (...) {
        return Failed();
    }
}
