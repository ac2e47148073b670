// The exports as callers bind them, and what they answer to arguments they cannot use.
#include "form_driver.h"
#include "qxnetdlg.h"
#include "scratch_settings.h"

#include <gtest/gtest.h>

namespace {

TEST(Exports, AreFoundByTheirPlainNames)
{
    const HMODULE library = LoadLibraryA("qxnetdlg.dll");
    ASSERT_NE(nullptr, library);
    for (const char* name : {"ShowModal", "ShowModal_English", "ShowModal_French"})
        EXPECT_NE(nullptr, reinterpret_cast<void*>(GetProcAddress(library, name))) << name;
    FreeLibrary(library);
}

TEST(Exports, ShowModalBoundByNameRunsTheForm)
{
    ScratchSettings settings;
    const HMODULE library = LoadLibraryA("qxnetdlg.dll");
    ASSERT_NE(nullptr, library);
    const auto showModal = reinterpret_cast<QXNETDLG_SHOWMODAL>(reinterpret_cast<void*>(GetProcAddress(library, "ShowModal")));
    ASSERT_NE(nullptr, showModal);
    ModalScript script({OnForm(PressClose)});
    EXPECT_EQ(1, showModal(1, HKEY_CURRENT_USER, settings.BaseKey()));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(21u, settings.Integer("FTP", "Port"));
    FreeLibrary(library);
}

TEST(Exports, UnusableArgumentsAnswer0WithoutAnyWindow)
{
    const struct {
        const char* what;
        HKEY root;
        const char* baseKey;
    } cases[] = {
        {"no base key name", HKEY_CURRENT_USER, nullptr},
        {"empty base key name", HKEY_CURRENT_USER, ""},
        {"no root", nullptr, "Software\\QorvexTests\\NetDialog"},
        {"not a key", reinterpret_cast<HKEY>(0x1234), "Software\\QorvexTests\\NetDialog"},
    };
    const struct {
        const char* name;
        std::function<int(HKEY, const char*)> show;
    } exports[] = {
        {"ShowModal 0", [](HKEY root, const char* key) { return ShowModal(0, root, key); }},
        {"ShowModal 1", [](HKEY root, const char* key) { return ShowModal(1, root, key); }},
        {"ShowModal_English", ShowModal_English},
        {"ShowModal_French", ShowModal_French},
    };
    for (const auto& c : cases)
        for (const auto& entry : exports) {
            SCOPED_TRACE(std::string(c.what) + ", " + entry.name);
            ScratchSettings settings;
            ModalScript script({OnForm(PressCloseBox)});
            EXPECT_EQ(0, entry.show(c.root, c.baseKey));
            EXPECT_FALSE(script.SawWindow());
            EXPECT_FALSE(settings.Has("FTP", "Port"));
        }
    // An empty name would have put the settings straight under the root key.
    HKEY stray;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "FTP", 0, KEY_READ, &stray));
}

}  // namespace
