// The FTP servers and URLs that the user keeps for the open-file dialog, machine-wide in the
// registry: one REG_SZ value each, numbered from 1 when the list is written, read in the
// registry's own order whatever their names.
#pragma once

#include <string>
#include <vector>

enum class SAVED_LIST { SERVERS, URLS };

// The list's values that can be read; a missing key is an empty list. Values of another type
// and names or texts of 256 characters or more are left out.
std::vector<std::string> ReadSavedAddresses(SAVED_LIST list);
// Replaces the list's REG_SZ values by "Server1", "Server2" ... ("URL1" ... for URLs); values
// of other types stay. False when the key cannot be opened or created.
bool WriteSavedAddresses(SAVED_LIST list, const std::vector<std::string>& entries);
