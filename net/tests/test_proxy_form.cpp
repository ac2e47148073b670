// The proxy settings form, shown through its export on the opening thread: what it shows of
// the store, how its boxes enable their rows, what OK stores and what Cancel leaves alone.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "download_fixture.h"
#include "form_ids.h"
#include "registry_values.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

bool Checked(HWND form, int control) { return IsDlgButtonChecked(form, control) == BST_CHECKED; }
bool Enabled(HWND form, int control) { return IsWindowEnabled(GetDlgItem(form, control)) != FALSE; }
void Click(HWND form, int control) { SendMessageA(GetDlgItem(form, control), BM_CLICK, 0, 0); }

class ProxyForm : public DownloadJobs {
protected:
    // Shows the form, lets `work` look at it and answers it with what `work` returns.
    void Show(const std::function<int(HWND)>& work)
    {
        DialogAnswerer answerer(work);
        web.ConfigureProxy(nullptr);
        ASSERT_EQ(1u, answerer.Shown().size());
    }
};

TEST_F(ProxyForm, ShowsTheStoreAndTheBrowsersHttpProxy)
{
    char password[] = "abc";
    ASSERT_EQ(1, SetFtpProxyInfo("ftpproxy.example", 0, 1, "SITE $host$", "gardien", password, 1));
    SetFtpUsePASV(0);
    PutText(HKEY_LOCAL_MACHINE, HTTP_HANDLER_KEY, nullptr, "IExplore");
    PutInteger(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyEnable", 1);
    PutText(HKEY_CURRENT_USER, INTERNET_SETTINGS_KEY, "ProxyServer", "webproxy.example:3128");
    Show([](HWND form) {
        EXPECT_EQ("Paramètres Proxy", WindowText(form));
        EXPECT_TRUE(Checked(form, IDC_PROXY_FTP_ACTIVE));
        EXPECT_EQ("ftpproxy.example", ItemText(form, IDC_PROXY_FTP_HOST));
        EXPECT_EQ("", ItemText(form, IDC_PROXY_FTP_PORT)) << "port 0 shows empty";
        EXPECT_EQ("SITE $host$", ItemText(form, IDC_PROXY_COMMAND_STYLE));
        EXPECT_TRUE(Checked(form, IDC_PROXY_AUTHENTICATION));
        EXPECT_EQ("gardien", ItemText(form, IDC_PROXY_USERNAME));
        EXPECT_EQ("abc", ItemText(form, IDC_PROXY_PASSWORD));
        EXPECT_TRUE(Checked(form, IDC_PROXY_HTTP_ACTIVE));
        EXPECT_EQ("webproxy.example", ItemText(form, IDC_PROXY_HTTP_HOST));
        EXPECT_EQ("3128", ItemText(form, IDC_PROXY_HTTP_PORT));
        EXPECT_FALSE(Checked(form, IDC_PROXY_PASV));
        for (int control : {IDC_PROXY_FTP_HOST, IDC_PROXY_FTP_GROUP, IDC_PROXY_USERNAME, IDC_PROXY_PASSWORD,
                            IDC_PROXY_HTTP_HOST, IDC_PROXY_HTTP_PORT})
            EXPECT_TRUE(Enabled(form, control)) << control;
        char styles[4][32] = {};
        const HWND combo = GetDlgItem(form, IDC_PROXY_COMMAND_STYLE);
        EXPECT_EQ(4, SendMessageA(combo, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < 4; ++i)
            SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(styles[i]));
        EXPECT_STREQ("SITE $host$", styles[0]);
        EXPECT_STREQ("OPEN $host$", styles[1]);
        EXPECT_STREQ("USER $user$@$host$", styles[2]);
        EXPECT_STREQ("PASSERVE $host$", styles[3]);
        return IDCANCEL;
    });
}

// Each box enables exactly its own row.
TEST_F(ProxyForm, BoxesEnableTheirRows)
{
    Show([](HWND form) {
        const struct {
            int box;
            std::vector<int> row;
        } rows[] = {
            {IDC_PROXY_HTTP_ACTIVE, {IDC_PROXY_HTTP_HOST, IDC_PROXY_HTTP_PORT, IDC_PROXY_LABEL_HTTP}},
            {IDC_PROXY_FTP_ACTIVE, {IDC_PROXY_FTP_HOST, IDC_PROXY_FTP_PORT, IDC_PROXY_LABEL_FTP, IDC_PROXY_FTP_GROUP}},
            {IDC_PROXY_AUTHENTICATION,
             {IDC_PROXY_USERNAME, IDC_PROXY_PASSWORD, IDC_PROXY_LABEL_USERNAME, IDC_PROXY_LABEL_PASSWORD}},
        };
        for (const auto& row : rows) {
            for (const bool on : {false, true, false}) {
                EXPECT_EQ(on, Checked(form, row.box));
                for (int control : row.row)
                    EXPECT_EQ(on, Enabled(form, control)) << "control " << control << " box " << row.box;
                Click(form, row.box);
            }
            Click(form, row.box);
        }
        return IDCANCEL;
    });
}

TEST_F(ProxyForm, OkStoresEveryGroupAsTyped)
{
    Show([](HWND form) {
        Click(form, IDC_PROXY_FTP_ACTIVE);
        SetDlgItemTextA(form, IDC_PROXY_FTP_HOST, "");
        SetDlgItemTextA(form, IDC_PROXY_FTP_PORT, "  42abc");
        SetDlgItemTextA(form, IDC_PROXY_COMMAND_STYLE, "PROXY $user$ at $host$");
        Click(form, IDC_PROXY_AUTHENTICATION);
        SetDlgItemTextA(form, IDC_PROXY_USERNAME, "gardien");
        SetDlgItemTextA(form, IDC_PROXY_PASSWORD, "abc");
        Click(form, IDC_PROXY_HTTP_ACTIVE);
        SetDlgItemTextA(form, IDC_PROXY_HTTP_HOST, "webproxy.example");
        SetDlgItemTextA(form, IDC_PROXY_HTTP_PORT, "");
        if (!Checked(form, IDC_PROXY_PASV))
            Click(form, IDC_PROXY_PASV);
        return IDOK;
    });
    EXPECT_EQ(0u, StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Active")) << "no host, no proxy";
    EXPECT_EQ(42u, StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Port"));
    EXPECT_EQ(std::string("PROXY $user$ at $host$", 23), StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "CommandStyle"));
    EXPECT_EQ(1u, StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "AuthenticationNeeded"));
    EXPECT_EQ(std::string("\x85\x89\x8D", 4), StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "Password"));
    EXPECT_EQ(1u, StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "PasswordScrambled"));
    EXPECT_EQ(1u, StoredInteger(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "UsePASV"));
    EXPECT_EQ(1u, StoredInteger(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "Active"));
    EXPECT_EQ(0u, StoredInteger(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "Port")) << "an empty port is 0";
    EXPECT_EQ(std::string("webproxy.example", 17), StoredBytes(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, "URL"));
}

TEST_F(ProxyForm, CancelStoresNothing)
{
    Show([](HWND form) {
        Click(form, IDC_PROXY_FTP_ACTIVE);
        SetDlgItemTextA(form, IDC_PROXY_FTP_HOST, "ftpproxy.example");
        return IDCANCEL;
    });
    DWORD type = REG_NONE;
    StoredBytes(HKEY_CURRENT_USER, FTP_SETTINGS_KEY, "URL", &type);
    EXPECT_EQ(static_cast<DWORD>(REG_NONE), type);
    HKEY key = nullptr;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, HTTP_SETTINGS_KEY, 0, KEY_READ, &key));
}

TEST_F(ProxyForm, CaptionsOfEitherLanguage)
{
    const struct {
        const char* language;
        int control;
        const char* caption;
    } cases[] = {
        {"English", IDC_PROXY_HEAD_ADDRESS, "Proxy addresses"},
        {"English", IDC_PROXY_HEAD_ACTIVE, "Active"},
        {"English", IDC_PROXY_FTP_GROUP, "FTP proxy authentification"},
        {"English", IDC_PROXY_AUTHENTICATION, "This server requires authentification"},
        {"English", IDC_PROXY_LABEL_USERNAME, "Username :"},
        {"English", IDC_PROXY_LABEL_PASSWORD, "Password :"},
        {"English", IDC_PROXY_PASV, "Use PASV for FTP connections"},
        {"English", IDCANCEL, "&Cancel"},
        {"FRENCH", IDC_PROXY_HEAD_ADDRESS, "Addresse du proxy à utiliser"},
        {"FRENCH", IDC_PROXY_HEAD_ACTIVE, "Actif"},
        {"FRENCH", IDC_PROXY_LABEL_USERNAME, "Usager :"},
        {"FRENCH", IDCANCEL, "&Annuler"},
    };
    for (const auto& c : cases) {
        web.QXNetSetLanguage(c.language);
        Show([&](HWND form) {
            EXPECT_EQ(c.caption, ItemText(form, c.control)) << c.language << " " << c.control;
            return IDCANCEL;
        });
    }
}

TEST_F(ProxyForm, NothingShowsOnceTheLibraryIsClosed)
{
    web.QXNetClose();
    web.QXNetClose = nullptr;
    DialogAnswerer answerer(IDOK);
    web.ConfigureProxy(nullptr);
    EXPECT_TRUE(answerer.Shown().empty());
}

}  // namespace
