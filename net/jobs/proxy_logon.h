#pragma once

#include <string>
#include <vector>

// The proxy log-on of the FTP settings' command style: "$host$", "$user$" and "$pass$" (the
// first of each) replaced by the job's values, followed by "USER " and "PASS " commands for
// what the style does not name itself. Empty when the style names no "$host$".
std::vector<std::string> ProxyLogonCommands(const std::string& commandStyle, const std::string& host,
                                            const std::string& user, const std::string& password);
