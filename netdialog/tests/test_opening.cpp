// Opening the form: missing values written with their defaults, stored values shown, an
// unknown command style reset.
#include "form_driver.h"
#include "qxnetdlg.h"
#include "resource.h"
#include "scratch_settings.h"

#include <gtest/gtest.h>

namespace {

// Opens the English form, lets `look` see it and shuts it with the close box.
void LookAtForm(const ScratchSettings& settings, std::function<void(HWND)> look)
{
    ModalScript script({OnForm([&](HWND form) {
        look(form);
        PressCloseBox(form);
    })});
    EXPECT_EQ(2, ShowModal_English(HKEY_CURRENT_USER, settings.BaseKey()));
    EXPECT_TRUE(script.Finished());
}

TEST(Opening, AnEmptyBaseKeyIsFilledWithEveryDefault)
{
    ScratchSettings settings;
    LookAtForm(settings, [](HWND form) {
        EXPECT_EQ("21", FormItemText(form, IDC_EDIT_PORT_FTP));
        EXPECT_EQ("80", FormItemText(form, IDC_EDIT_PORT_HTTP));
        EXPECT_EQ("127.0.0.1", FormItemText(form, IDC_EDIT_FTP_PROXY_ADDRESS));
        EXPECT_EQ("127.0.0.1", FormItemText(form, IDC_EDIT_HTTP_PROXY_ADDRESS));
        EXPECT_EQ("", FormItemText(form, IDC_EDIT_PROXY_USERNAME));
        EXPECT_EQ("", FormItemText(form, IDC_EDIT_PROXY_PASSWORD));
        EXPECT_FALSE(IsItemChecked(form, IDC_CHECK_PROXY_FTP));
        EXPECT_FALSE(IsItemChecked(form, IDC_CHECK_PROXY_HTTP));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_DIRECT_FTP));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_PROXY_NO_LOGON));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_COMMAND_USER));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_AFTER_NO_LOGON));
    });

    const struct {
        const char* subkey;
        const char* name;
        StoredValue expected;
    } defaults[] = {
        {"FTP", "URL", {REG_SZ, std::string("127.0.0.1", 10)}},
        {"FTP", "Active", {REG_DWORD, std::string("\0\0\0\0", 4)}},
        {"FTP", "Port", {REG_DWORD, std::string("\x15\0\0\0", 4)}},
        {"FTP", "UsePASV", {REG_DWORD, std::string("\0\0\0\0", 4)}},
        {"FTP", "AuthenticationNeeded", {REG_DWORD, std::string("\0\0\0\0", 4)}},
        {"FTP", "Username", {REG_SZ, std::string("", 1)}},
        {"FTP", "Password", {REG_SZ, std::string("", 1)}},
        {"FTP", "CommandStyle", {REG_SZ, std::string("USER $user$@$host$", 19)}},
        {"FTP", "AfterRemoteLogon", {REG_DWORD, std::string("\0\0\0\0", 4)}},
        {"HTTP", "URL", {REG_SZ, std::string("127.0.0.1", 10)}},
        {"HTTP", "Active", {REG_DWORD, std::string("\0\0\0\0", 4)}},
        {"HTTP", "Port", {REG_DWORD, std::string("\x50\0\0\0", 4)}},
    };
    for (const auto& value : defaults) {
        SCOPED_TRACE(std::string(value.subkey) + "\\" + value.name);
        const auto stored = settings.Values(value.subkey);
        ASSERT_EQ(1u, stored.count(value.name));
        EXPECT_EQ(value.expected.type, stored.at(value.name).type);
        EXPECT_EQ(value.expected.bytes, stored.at(value.name).bytes);
    }
    EXPECT_EQ(9u, settings.Values("FTP").size());
    EXPECT_EQ(3u, settings.Values("HTTP").size());
}

TEST(Opening, StoredValuesAreShownAndKept)
{
    ScratchSettings settings;
    settings.PutCustomSettings();
    const auto before = settings.Values("FTP");
    LookAtForm(settings, [](HWND form) {
        EXPECT_EQ("8021", FormItemText(form, IDC_EDIT_PORT_FTP));
        EXPECT_EQ("8080", FormItemText(form, IDC_EDIT_PORT_HTTP));
        EXPECT_EQ("ftpproxy.example", FormItemText(form, IDC_EDIT_FTP_PROXY_ADDRESS));
        EXPECT_EQ("webproxy.example", FormItemText(form, IDC_EDIT_HTTP_PROXY_ADDRESS));
        EXPECT_EQ("gardien", FormItemText(form, IDC_EDIT_PROXY_USERNAME));
        EXPECT_EQ("secret", FormItemText(form, IDC_EDIT_PROXY_PASSWORD));  // plain text, as stored
        EXPECT_TRUE(IsItemChecked(form, IDC_CHECK_PROXY_FTP));
        EXPECT_TRUE(IsItemChecked(form, IDC_CHECK_PROXY_HTTP));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_PASSIVE_FTP));
        EXPECT_FALSE(IsItemChecked(form, IDC_RADIO_DIRECT_FTP));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_PROXY_LOGON));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_COMMAND_SITE));
        EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_AFTER_USER));
    });
    EXPECT_EQ(before, settings.Values("FTP"));
}

TEST(Opening, EachStoredChoiceChecksItsButton)
{
    const struct {
        const char* name;
        bool isText;
        const char* text;
        DWORD number;
        int checked;
        int others[3];
    } cases[] = {
        {"CommandStyle", true, "USER $user$@$host$", 0, IDC_RADIO_COMMAND_USER, {IDC_RADIO_COMMAND_SITE, IDC_RADIO_COMMAND_OPEN}},
        {"CommandStyle", true, "OPEN $host$", 0, IDC_RADIO_COMMAND_OPEN, {IDC_RADIO_COMMAND_USER, IDC_RADIO_COMMAND_SITE}},
        {"AfterRemoteLogon", false, "", 0, IDC_RADIO_AFTER_NO_LOGON, {IDC_RADIO_AFTER_PASS, IDC_RADIO_AFTER_BOTH}},
        {"AfterRemoteLogon", false, "", 1, IDC_RADIO_AFTER_PASS, {IDC_RADIO_AFTER_NO_LOGON, IDC_RADIO_AFTER_USER}},
        {"AfterRemoteLogon", false, "", 3, IDC_RADIO_AFTER_BOTH, {IDC_RADIO_AFTER_NO_LOGON, IDC_RADIO_AFTER_USER}},
        // Outside the four choices: nothing is sent, as with 0.
        {"AfterRemoteLogon", false, "", 7, IDC_RADIO_AFTER_NO_LOGON, {IDC_RADIO_AFTER_PASS, IDC_RADIO_AFTER_BOTH}},
        {"AfterRemoteLogon", false, "", DWORD(-1), IDC_RADIO_AFTER_NO_LOGON, {IDC_RADIO_AFTER_BOTH}},
        // Any flag other than 0 counts as set.
        {"UsePASV", false, "", 5, IDC_RADIO_PASSIVE_FTP, {IDC_RADIO_DIRECT_FTP}},
        {"AuthenticationNeeded", false, "", 0, IDC_RADIO_PROXY_NO_LOGON, {IDC_RADIO_PROXY_LOGON}},
        {"Active", false, "", 2, IDC_CHECK_PROXY_FTP, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.text + " " + std::to_string(c.number));
        ScratchSettings settings;
        if (c.isText)
            settings.PutText("FTP", c.name, c.text);
        else
            settings.PutInteger("FTP", c.name, c.number);
        LookAtForm(settings, [&](HWND form) {
            EXPECT_TRUE(IsItemChecked(form, c.checked));
            for (int other : c.others) {
                if (other) {
                    EXPECT_FALSE(IsItemChecked(form, other)) << other;
                }
            }
        });
        // Only the defaults of missing values are written on opening.
        if (!c.isText) {
            EXPECT_EQ(c.number, settings.Integer("FTP", c.name));
        }
    }
}

TEST(Opening, AnUnknownCommandStyleIsResetEvenWhenTheFormIsShutWithItsCloseBox)
{
    for (const char* stored : {"PASSERVE $host$", "site $host$", ""}) {
        SCOPED_TRACE(stored);
        ScratchSettings settings;
        settings.PutText("FTP", "CommandStyle", stored);
        LookAtForm(settings, [](HWND form) { EXPECT_TRUE(IsItemChecked(form, IDC_RADIO_COMMAND_USER)); });
        EXPECT_EQ("USER $user$@$host$", settings.Text("FTP", "CommandStyle"));
    }
}

TEST(Opening, AValueOfAnotherTypeIsReplacedByItsDefault)
{
    ScratchSettings settings;
    settings.PutText("FTP", "Port", "8021");
    settings.PutInteger("HTTP", "URL", 5);
    LookAtForm(settings, [](HWND form) {
        EXPECT_EQ("21", FormItemText(form, IDC_EDIT_PORT_FTP));
        EXPECT_EQ("127.0.0.1", FormItemText(form, IDC_EDIT_HTTP_PROXY_ADDRESS));
    });
    EXPECT_EQ(21u, settings.Integer("FTP", "Port"));
    EXPECT_EQ("127.0.0.1", settings.Text("HTTP", "URL"));
}

TEST(Opening, AStoredPortNoConnectionCouldUseShowsTheDefault)
{
    ScratchSettings settings;
    settings.PutInteger("FTP", "Port", 70000);
    settings.PutInteger("HTTP", "Port", DWORD(-1));
    LookAtForm(settings, [](HWND form) {
        EXPECT_EQ("21", FormItemText(form, IDC_EDIT_PORT_FTP));
        EXPECT_EQ("80", FormItemText(form, IDC_EDIT_PORT_HTTP));
    });
    // Shut with the close box: the stored numbers stay.
    EXPECT_EQ(70000u, settings.Integer("FTP", "Port"));
    EXPECT_EQ(DWORD(-1), settings.Integer("HTTP", "Port"));
}

TEST(Opening, TheFormIsCentredOnTheScreen)
{
    ScratchSettings settings;
    LookAtForm(settings, [](HWND form) {
        RECT window;
        GetWindowRect(form, &window);
        RECT work;
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_NEAR((work.left + work.right) / 2, (window.left + window.right) / 2, 2);
        EXPECT_NEAR((work.top + work.bottom) / 2, (window.top + window.bottom) / 2, 2);
    });
}

// A password stored with the scrambled marker shows as typed; one stored plain by hand, as
// this dialog used to store it, shows as stored.
TEST(Opening, PasswordShownByItsStoredConvention)
{
    const struct {
        const char* stored;
        DWORD marker;  // 2: none stored
        const char* shown;
    } cases[] = {
        {"\x85\x89\x8D", 1, "abc"},
        {"abc", 2, "abc"},
        {"\x85\x89\x8D", 0, "\x85\x89\x8D"},
    };
    for (const auto& c : cases) {
        ScratchSettings settings;
        settings.PutCustomSettings();
        settings.PutText("FTP", "Password", c.stored);
        if (c.marker != 2)
            settings.PutInteger("FTP", "PasswordScrambled", c.marker);
        LookAtForm(settings, [&](HWND form) { EXPECT_EQ(c.shown, FormItemText(form, IDC_EDIT_PROXY_PASSWORD)); });
        EXPECT_EQ(c.marker == 2, !settings.Has("FTP", "PasswordScrambled")) << "reading writes no marker";
    }
}

}  // namespace
