// The saved FTP servers and URLs in the registry: read in the registry's order whatever the
// names, values that cannot be read left out, rewritten numbered from 1.
#include "open_dialog_fixture.h"
#include "registry_values.h"
#include "saved_addresses.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class SavedAddresses : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, SAVED_ADDRESSES_KEY); }

private:
    SavedRegistryKey saved_{HKEY_LOCAL_MACHINE, SAVED_ADDRESSES_KEY};
};

}  // namespace

TEST_F(SavedAddresses, AMissingKeyIsAnEmptyList)
{
    EXPECT_TRUE(ReadSavedAddresses(SAVED_LIST::SERVERS).empty());
    EXPECT_TRUE(ReadSavedAddresses(SAVED_LIST::URLS).empty());
}

TEST_F(SavedAddresses, ValuesThatCannotBeReadAreLeftOut)
{
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server1", "ftp.one.org");
    PutInteger(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server2", 7);
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server3", std::string(256, 'h'));
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "Server4", std::string(255, 'k'));
    PutText(HKEY_LOCAL_MACHINE, SAVED_SERVERS_KEY, "mine", "ftp.hand.org");
    // In the registry's order, which is not the same everywhere.
    std::vector<std::string> expected = {"ftp.one.org", std::string(255, 'k'), "ftp.hand.org"};
    std::vector<std::string> read = ReadSavedAddresses(SAVED_LIST::SERVERS);
    std::sort(expected.begin(), expected.end());
    std::sort(read.begin(), read.end());
    EXPECT_EQ(expected, read);
}

TEST_F(SavedAddresses, RewritingRenumbersFromOneAndKeepsOtherTypes)
{
    PutText(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL1", "http://a/");
    PutText(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL7", "http://b/");
    PutText(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "by hand", "http://c/");
    PutInteger(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "Count", 3);
    ASSERT_TRUE(WriteSavedAddresses(SAVED_LIST::URLS, {"http://b/", "http://c/"}));
    EXPECT_EQ(std::string("http://b/\0", 10), StoredBytes(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL1"));
    EXPECT_EQ(std::string("http://c/\0", 10), StoredBytes(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "URL2"));
    for (const char* gone : {"URL3", "URL7", "by hand"})
        EXPECT_EQ("", StoredBytes(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, gone)) << gone;
    EXPECT_EQ(3u, StoredInteger(HKEY_LOCAL_MACHINE, SAVED_URLS_KEY, "Count"));
    const std::vector<std::string> expected = {"http://b/", "http://c/"};
    EXPECT_EQ(expected, ReadSavedAddresses(SAVED_LIST::URLS));
}
