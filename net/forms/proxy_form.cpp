// The proxy settings form and its export. The form shows what the settings store reads (the
// browser's HTTP proxy when none is stored), keeps the rows' enabled states with their boxes,
// and writes all three groups of settings on OK only.
#include "proxy_form.h"

#include "form_ids.h"
#include "form_texts.h"
#include "net_session.h"
#include "proxy_store.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

constexpr ENGLISH_CAPTION EnglishCaptions[] = {
    {IDC_PROXY_HEAD_ADDRESS, "Proxy addresses"},
    {IDC_PROXY_HEAD_ACTIVE, "Active"},
    {IDC_PROXY_FTP_GROUP, "FTP proxy authentification"},
    {IDC_PROXY_COMMAND_LABEL, "Proxy logon string (valid keywords : $user$ $host$ $pass$) :"},
    {IDC_PROXY_AUTHENTICATION, "This server requires authentification"},
    {IDC_PROXY_LABEL_USERNAME, "Username :"},
    {IDC_PROXY_LABEL_PASSWORD, "Password :"},
    {IDC_PROXY_PASV, "Use PASV for FTP connections"},
    {IDCANCEL, "&Cancel"},
};

constexpr const char* CommandStyles[] = {"SITE $host$", "OPEN $host$", "USER $user$@$host$", "PASSERVE $host$"};

std::string ItemText(HWND form, int control)
{
    char text[QXWEB_TEXT_BUFFER] = {};
    GetDlgItemTextA(form, control, text, sizeof text);
    return text;
}

bool Checked(HWND form, int control) { return IsDlgButtonChecked(form, control) == BST_CHECKED; }

void Check(HWND form, int control, bool on) { CheckDlgButton(form, control, on ? BST_CHECKED : BST_UNCHECKED); }

void EnableItems(HWND form, std::initializer_list<int> controls, bool on)
{
    for (const int control : controls)
        EnableWindow(GetDlgItem(form, control), on);
}

// A stored port of 0 shows as an empty field.
void ShowPort(HWND form, int control, int port)
{
    SetDlgItemTextA(form, control, port ? std::to_string(port).c_str() : "");
}

// The field's leading decimal number (blanks and a sign allowed); 0 when there is none.
int ReadPort(HWND form, int control)
{
    const std::string text = ItemText(form, control);
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno == ERANGE || value > INT_MAX || value < INT_MIN)
        return 0;
    return static_cast<int>(value);
}

void FollowHttpBox(HWND form)
{
    EnableItems(form, {IDC_PROXY_HTTP_HOST, IDC_PROXY_HTTP_PORT, IDC_PROXY_LABEL_HTTP},
                Checked(form, IDC_PROXY_HTTP_ACTIVE));
}

void FollowFtpBox(HWND form)
{
    EnableItems(form, {IDC_PROXY_FTP_GROUP, IDC_PROXY_FTP_HOST, IDC_PROXY_FTP_PORT, IDC_PROXY_LABEL_FTP},
                Checked(form, IDC_PROXY_FTP_ACTIVE));
    InvalidateRect(GetDlgItem(form, IDC_PROXY_FTP_GROUP), nullptr, TRUE);
}

void FollowAuthenticationBox(HWND form)
{
    EnableItems(form, {IDC_PROXY_USERNAME, IDC_PROXY_PASSWORD, IDC_PROXY_LABEL_USERNAME, IDC_PROXY_LABEL_PASSWORD},
                Checked(form, IDC_PROXY_AUTHENTICATION));
}

void ShowStoredSettings(HWND form)
{
    char host[QXWEB_TEXT_BUFFER], style[QXWEB_TEXT_BUFFER], password[QXWEB_TEXT_BUFFER], user[QXWEB_TEXT_BUFFER];
    int port = 0;
    BYTE authentication = 0;
    Check(form, IDC_PROXY_FTP_ACTIVE, GetFtpProxyInfo(host, sizeof host, &port, &authentication, style, sizeof style,
                                                      password, sizeof password, user, sizeof user, 0));
    SetDlgItemTextA(form, IDC_PROXY_FTP_HOST, host);
    ShowPort(form, IDC_PROXY_FTP_PORT, port);
    SetDlgItemTextA(form, IDC_PROXY_COMMAND_STYLE, style);
    Check(form, IDC_PROXY_AUTHENTICATION, authentication);
    SetDlgItemTextA(form, IDC_PROXY_USERNAME, user);
    SetDlgItemTextA(form, IDC_PROXY_PASSWORD, password);

    Check(form, IDC_PROXY_HTTP_ACTIVE, GetHttpProxyInfo(host, sizeof host, &port, 1));
    SetDlgItemTextA(form, IDC_PROXY_HTTP_HOST, host);
    ShowPort(form, IDC_PROXY_HTTP_PORT, port);

    Check(form, IDC_PROXY_PASV, GetFtpUsePASV());
}

void SetUp(HWND form)
{
    if (!FrenchForms())
        PutEnglishCaptions(form, EnglishCaptions);
    const HWND styles = GetDlgItem(form, IDC_PROXY_COMMAND_STYLE);
    for (const char* style : CommandStyles)
        SendMessageA(styles, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(style));
    ShowStoredSettings(form);
    FollowHttpBox(form);
    FollowFtpBox(form);
    FollowAuthenticationBox(form);
}

void StoreSettings(HWND form)
{
    // The store scrambles the password in place: it gets a copy, the field stays as typed.
    std::string password = ItemText(form, IDC_PROXY_PASSWORD);
    SetFtpProxyInfo(ItemText(form, IDC_PROXY_FTP_HOST).c_str(), ReadPort(form, IDC_PROXY_FTP_PORT),
                    Checked(form, IDC_PROXY_AUTHENTICATION), ItemText(form, IDC_PROXY_COMMAND_STYLE).c_str(),
                    ItemText(form, IDC_PROXY_USERNAME).c_str(), password.data(), Checked(form, IDC_PROXY_FTP_ACTIVE));
    SetHttpProxyInfo(ItemText(form, IDC_PROXY_HTTP_HOST).c_str(), ReadPort(form, IDC_PROXY_HTTP_PORT),
                     Checked(form, IDC_PROXY_HTTP_ACTIVE));
    SetFtpUsePASV(Checked(form, IDC_PROXY_PASV));
}

// The group's title is drawn in the window-text colour while the FTP proxy is in use, in the
// inactive-caption colour otherwise.
INT_PTR GroupTitleColour(HWND form, HWND control, HDC dc)
{
    if (GetDlgCtrlID(control) != IDC_PROXY_FTP_GROUP)
        return FALSE;
    SetTextColor(dc, GetSysColor(Checked(form, IDC_PROXY_FTP_ACTIVE) ? COLOR_WINDOWTEXT : COLOR_INACTIVECAPTION));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

INT_PTR CALLBACK ProxyFormProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUp(form);
        return TRUE;
    case WM_CTLCOLORSTATIC:
        return GroupTitleColour(form, reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam));
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_PROXY_HTTP_ACTIVE:
            FollowHttpBox(form);
            return TRUE;
        case IDC_PROXY_FTP_ACTIVE:
            FollowFtpBox(form);
            return TRUE;
        case IDC_PROXY_AUTHENTICATION:
            FollowAuthenticationBox(form);
            return TRUE;
        case IDOK:
            StoreSettings(form);
            EndDialog(form, IDOK);
            return TRUE;
        case IDCANCEL:
            EndDialog(form, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

class ShowProxySettingsCommand : public qnet_CSynchroExecObject {
public:
    int Execute() override
    {
        RunProxyForm();
        return 1;
    }
};

}  // namespace

void RunProxyForm()
{
    DialogBoxParamA(LibraryInstance(), MAKEINTRESOURCEA(IDD_PROXY_FORM), nullptr, ProxyFormProc, 0);
}

void ConfigureProxy(HWND /*owner*/)
{
    AnswerZeroOnException([] {
        // Nothing to run the form on while the library is closed.
        qnet_CSynchronizeWindow* window = Session().synchronizeWindow.get();
        if (!window)
            return 0;
        ShowProxySettingsCommand command;
        return window->Execute(&command);
    });
}
