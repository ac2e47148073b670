// The proxy settings form: HTTP proxy, FTP proxy with its logon command and authentication,
// and FTP passive mode, read from and written to the library's settings store.
#pragma once

#include "qxweb.h"

// Runs the form on the calling thread in the library's language; OK stores every setting.
void RunProxyForm();
