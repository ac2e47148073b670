// The two port fields take whole numbers from 0 to 65535; anything else keeps the form open,
// puts the field back and stores nothing.
#include "form_driver.h"
#include "qxnetdlg.h"
#include "resource.h"
#include "scratch_settings.h"

#include "dialog_items.h"

#include <gtest/gtest.h>

namespace {

TEST(Ports, WholeNumbersFrom0To65535AreStored)
{
    const struct {
        int field;
        const char* typed;
        const char* subkey;
        DWORD stored;
    } cases[] = {
        {IDC_EDIT_PORT_FTP, "0", "FTP", 0},
        {IDC_EDIT_PORT_FTP, "65535", "FTP", 65535},
        {IDC_EDIT_PORT_FTP, " 2121 ", "FTP", 2121},
        {IDC_EDIT_PORT_FTP, "00021", "FTP", 21},
        {IDC_EDIT_PORT_HTTP, "8080", "HTTP", 8080},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        ScratchSettings settings;
        ModalScript script({OnForm([&](HWND form) {
            TypeInto(form, c.field, c.typed);
            PressClose(form);
        })});
        EXPECT_EQ(1, ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey()));
        EXPECT_EQ(c.stored, settings.Integer(c.subkey, "Port"));
    }
}

TEST(Ports, AnythingElseIsPutBackShownAndFocusedAndNothingIsStored)
{
    const struct {
        int field;
        const char* typed;
        bool french;
        int page;
        const char* shown;  // the stored value the field is put back to
    } cases[] = {
        {IDC_EDIT_PORT_FTP, "abc", false, 0, "8021"},
        {IDC_EDIT_PORT_FTP, "", false, 0, "8021"},
        {IDC_EDIT_PORT_FTP, "-1", true, 0, "8021"},
        {IDC_EDIT_PORT_FTP, "65536", false, 0, "8021"},
        {IDC_EDIT_PORT_FTP, "99999999999", false, 0, "8021"},
        {IDC_EDIT_PORT_FTP, "8 0", true, 0, "8021"},
        {IDC_EDIT_PORT_HTTP, "80a", false, 1, "8080"},
        {IDC_EDIT_PORT_HTTP, "+80", true, 1, "8080"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + (c.french ? " French" : " English"));
        ScratchSettings settings;
        settings.PutCustomSettings();
        const auto ftp = settings.Values("FTP");
        const auto http = settings.Values("HTTP");
        std::string told;
        std::string caption;
        ModalScript script({
            OnForm([&](HWND form) {
                // The other fields are edited too: none of it may be stored.
                TypeInto(form, IDC_EDIT_PROXY_USERNAME, "quelqu'un");
                ClickItem(form, c.page == 0 ? IDC_RADIO_PROXY_NO_LOGON : IDC_CHECK_PROXY_FTP);
                TypeInto(form, c.field, c.typed);
                PressClose(form);
            }),
            OnBox([&](HWND box) {
                told = BoxText(box);
                caption = WindowText(box);
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            }),
            OnForm([&](HWND form) {
                EXPECT_EQ(c.shown, FormItemText(form, c.field));
                EXPECT_EQ(FormItem(form, c.field), GetFocus());
                EXPECT_EQ(c.page, ShownPage(form));
                PressCloseBox(form);
            }),
        });
        const int result = c.french ? ShowModal_French(HKEY_CURRENT_USER, settings.BaseKey())
                                    : ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey());
        EXPECT_EQ(2, result);
        EXPECT_TRUE(script.Finished());
        EXPECT_EQ(c.french ? "Le port doit \xEAtre un nombre entier de 0 \xE0 65535." 
                           : "The port must be a whole number from 0 to 65535.",
                  told);
        EXPECT_EQ(c.french ? "Configuration R\xE9seau" : "Network Configuration", caption);
        EXPECT_EQ(ftp, settings.Values("FTP"));
        EXPECT_EQ(http, settings.Values("HTTP"));
    }
}

TEST(Ports, TheFieldPutBackCanBeStoredAtTheNextTry)
{
    ScratchSettings settings;
    settings.PutCustomSettings();
    ModalScript script({
        OnForm([](HWND form) {
            TypeInto(form, IDC_EDIT_PORT_HTTP, "web");
            TypeInto(form, IDC_EDIT_PORT_FTP, "2121");
            PressClose(form);
        }),
        OnBox([](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }),
        OnForm(PressClose),
    });
    EXPECT_EQ(1, ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey()));
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(2121u, settings.Integer("FTP", "Port"));
    EXPECT_EQ(8080u, settings.Integer("HTTP", "Port"));
}

}  // namespace
