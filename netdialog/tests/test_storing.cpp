// Leaving the form: "Close" stores every field, the close box and Esc store nothing.
#include "form_driver.h"
#include "password_scramble.h"
#include "qxnetdlg.h"
#include "resource.h"
#include "scratch_settings.h"

#include <gtest/gtest.h>

namespace {

// Changes every field away from the custom settings.
void EditEveryField(HWND form)
{
    TypeInto(form, IDC_EDIT_PORT_FTP, "2121");
    ClickItem(form, IDC_CHECK_PROXY_FTP);
    ClickItem(form, IDC_RADIO_DIRECT_FTP);
    TypeInto(form, IDC_EDIT_PORT_HTTP, "3128");
    ClickItem(form, IDC_CHECK_PROXY_HTTP);
    TypeInto(form, IDC_EDIT_PROXY_USERNAME, "Frédéric");
    TypeInto(form, IDC_EDIT_PROXY_PASSWORD, "mot de passé");
    ClickItem(form, IDC_RADIO_PROXY_NO_LOGON);
    TypeInto(form, IDC_EDIT_FTP_PROXY_ADDRESS, "10.0.0.21");
    TypeInto(form, IDC_EDIT_HTTP_PROXY_ADDRESS, "");
    ClickItem(form, IDC_RADIO_AFTER_BOTH);
    ClickItem(form, IDC_RADIO_COMMAND_OPEN);
}

TEST(Storing, CloseStoresEveryFieldWithItsType)
{
    for (auto show : {ShowModal_English, ShowModal_French}) {
        ScratchSettings settings;
        settings.PutCustomSettings();
        ModalScript script({OnForm([](HWND form) {
            EditEveryField(form);
            PressClose(form);
        })});
        EXPECT_EQ(1, show(HKEY_CURRENT_USER, settings.BaseKey()));
        EXPECT_TRUE(script.Finished());

        EXPECT_EQ(2121u, settings.Integer("FTP", "Port"));
        EXPECT_EQ(0u, settings.Integer("FTP", "Active"));
        EXPECT_EQ(0u, settings.Integer("FTP", "UsePASV"));
        EXPECT_EQ(0u, settings.Integer("FTP", "AuthenticationNeeded"));
        EXPECT_EQ("Fr\xE9" "d\xE9ric", settings.Text("FTP", "Username"));  // CP1252
        std::string scrambled = "mot de pass\xE9";
        ScrambleProxyPassword(scrambled.data(), static_cast<int>(scrambled.size()));
        EXPECT_EQ(scrambled, settings.Text("FTP", "Password"));
        EXPECT_EQ(1u, settings.Integer("FTP", "PasswordScrambled"));
        EXPECT_EQ("10.0.0.21", settings.Text("FTP", "URL"));
        EXPECT_EQ("OPEN $host$", settings.Text("FTP", "CommandStyle"));
        EXPECT_EQ(3u, settings.Integer("FTP", "AfterRemoteLogon"));
        EXPECT_EQ(3128u, settings.Integer("HTTP", "Port"));
        EXPECT_EQ(0u, settings.Integer("HTTP", "Active"));
        EXPECT_EQ("", settings.Text("HTTP", "URL"));  // empty addresses are stored as they are
        EXPECT_TRUE(settings.Has("HTTP", "URL"));
    }
}

TEST(Storing, EachChoiceIsStoredAsItsNumberOrStyle)
{
    const struct {
        int button;
        const char* name;
        DWORD number;
        const char* style;
    } cases[] = {
        {IDC_RADIO_AFTER_NO_LOGON, "AfterRemoteLogon", 0, nullptr},
        {IDC_RADIO_AFTER_PASS, "AfterRemoteLogon", 1, nullptr},
        {IDC_RADIO_AFTER_USER, "AfterRemoteLogon", 2, nullptr},
        {IDC_RADIO_AFTER_BOTH, "AfterRemoteLogon", 3, nullptr},
        {IDC_RADIO_PASSIVE_FTP, "UsePASV", 1, nullptr},
        {IDC_RADIO_PROXY_LOGON, "AuthenticationNeeded", 1, nullptr},
        {IDC_RADIO_COMMAND_USER, "CommandStyle", 0, "USER $user$@$host$"},
        {IDC_RADIO_COMMAND_SITE, "CommandStyle", 0, "SITE $host$"},
        {IDC_RADIO_COMMAND_OPEN, "CommandStyle", 0, "OPEN $host$"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        ScratchSettings settings;
        ModalScript script({OnForm([&](HWND form) {
            ClickItem(form, c.button);
            PressClose(form);
        })});
        EXPECT_EQ(1, ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey()));
        if (c.style)
            EXPECT_EQ(c.style, settings.Text("FTP", c.name));
        else
            EXPECT_EQ(c.number, settings.Integer("FTP", c.name));
    }
}

TEST(Storing, TheCloseBoxAndEscStoreNothing)
{
    const struct {
        const char* how;
        std::function<void(HWND)> leave;
    } ways[] = {
        {"close box", PressCloseBox},
        {"Esc", [](HWND form) { PostMessageA(form, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0); }},
        {"Esc key", [](HWND form) {
             SetFocus(FormItem(form, IDC_EDIT_PORT_FTP));
             PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        for (auto show : {ShowModal_English, ShowModal_French}) {
            ScratchSettings settings;
            settings.PutCustomSettings();
            const auto ftp = settings.Values("FTP");
            const auto http = settings.Values("HTTP");
            ModalScript script({OnForm([&](HWND form) {
                EditEveryField(form);
                way.leave(form);
            })});
            EXPECT_EQ(2, show(HKEY_CURRENT_USER, settings.BaseKey()));
            EXPECT_TRUE(script.Finished());
            EXPECT_EQ(ftp, settings.Values("FTP"));
            EXPECT_EQ(http, settings.Values("HTTP"));
        }
    }
}

TEST(Storing, TextsLongerThanTheLibraryReadsAreKeptButNotTyped)
{
    ScratchSettings settings;
    const std::string longName(2000, 'u');
    settings.PutText("FTP", "Username", longName);
    ModalScript script({OnForm([](HWND form) {
        for (int id : {IDC_EDIT_PROXY_USERNAME, IDC_EDIT_PROXY_PASSWORD, IDC_EDIT_FTP_PROXY_ADDRESS,
                       IDC_EDIT_HTTP_PROXY_ADDRESS})
            EXPECT_EQ(1023, SendMessageA(FormItem(form, id), EM_GETLIMITTEXT, 0, 0)) << id;
        PressClose(form);
    })});
    EXPECT_EQ(1, ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey()));
    EXPECT_EQ(longName, settings.Text("FTP", "Username"));
}

}  // namespace
