// The servers every case of the library's test program shares.
#pragma once

#include "internet_servers.h"

inline InternetServers& NetServers() { return SharedInternetServers(); }
