// Asking the user, on the thread that opened the library, whether a failed download is to be
// tried again.
#pragma once

class URL_THREAD_DATA;

// True when the user chose to retry. Throws without a synchronisation window.
bool AskRetry(URL_THREAD_DATA& job);
