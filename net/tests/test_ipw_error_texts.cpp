// The component's error texts that the synchronous FTP interface logs, found by number.
#include "ipw_ftp.h"

#include <gtest/gtest.h>

namespace {

TEST(IpwErrorTexts, KnownNumbersGiveTheirRowOthersTheUnknownText)
{
    const struct {
        long number;
        const char* text;
    } cases[] = {
        {101, "You cannot change the RemoteHost at this time. A connection is in progress. \r\n"},
        {143, "Busy performing current action.  \r\n"},
        {10004, "(WSAEINTR)  [10004] Interrupted system call.\r\n"},
        {10061, "(WSAECONNREFUSED)  [10061] Connection refused.\r\n"},
        {10093, "(WSANOTINITIALISED) [10093] Winsock not loaded yet.\r\n"},
        {11004, "(WSANO_DATA)  [11004] Valid name, no data record (check DNS setup). \r\n"},
        {0x10000 + 10061, "(WSAECONNREFUSED)  [10061] Connection refused.\r\n"},  // the low 16 bits count
        {50, "Unknown Error 50\r\n"},
        {10000, "Unknown Error 10000\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.text, CIPWFTP::ErrorText(c.number)) << c.number;
}

}  // namespace
