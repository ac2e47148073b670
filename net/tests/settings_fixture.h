// Tests of the proxy settings start from a user without any settings of the library and
// leave the user's keys as they found them.
#pragma once

#include <gtest/gtest.h>

#include "proxy_store.h"
#include "saved_registry_key.h"

constexpr const char* LIBRARY_SETTINGS_KEY = "SOFTWARE\\Qorvex\\QXWEB";

class ProxySettings : public testing::Test {
protected:
    void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, LIBRARY_SETTINGS_KEY); }

private:
    // Saved from the publisher's key, which the settings functions create on the way.
    SavedRegistryKey saved_{HKEY_CURRENT_USER, "SOFTWARE\\Qorvex"};
};
