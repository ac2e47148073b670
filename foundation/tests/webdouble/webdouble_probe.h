// What the tests read back from the stand-in internet library: the journal of the calls it
// received, one line each, e.g. "FTPCopy(5,local.txt,remote.txt)". The journal starts empty
// each time the library is loaded.
#pragma once

// Exported by the stand-in under this undecorated name.
#define WEB_DOUBLE_JOURNAL "WebDoubleJournal"
using WebDoubleJournalFunction = const char* (*)();
