// Between the settings and the form's controls, with the check of the two port fields.
#include "net_form_parts.h"

#include "resource.h"

#include <string>

namespace {

// The internet library reads each text into 1024 bytes: what is typed must fit.
constexpr int kLongestText = 1023;
constexpr int kHighestPort = 65535;

constexpr int kTextFields[] = {IDC_EDIT_PROXY_USERNAME, IDC_EDIT_PROXY_PASSWORD, IDC_EDIT_FTP_PROXY_ADDRESS,
                               IDC_EDIT_HTTP_PROXY_ADDRESS};

std::string FieldText(const NET_FORM& form, int id)
{
    const HWND control = FormControl(form, id);
    std::string text(GetWindowTextLengthA(control) + 1, '\0');
    text.resize(GetWindowTextA(control, text.data(), int(text.size())));
    return text;
}

void SetFieldText(const NET_FORM& form, int id, const std::string& text)
{
    SetWindowTextA(FormControl(form, id), text.c_str());
}

bool IsChecked(const NET_FORM& form, int id) { return SendMessageA(FormControl(form, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Check(const NET_FORM& form, int id, bool checked)
{
    SendMessageA(FormControl(form, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// Checks button `chosen` of the group first..first+count-1 and clears the others.
void CheckOneOf(const NET_FORM& form, int first, int count, int chosen)
{
    for (int id = first; id < first + count; ++id)
        Check(form, id, id == chosen);
}

// The position of the checked button in the group, 0 when none is.
int CheckedOf(const NET_FORM& form, int first, int count)
{
    for (int index = 0; index < count; ++index)
        if (IsChecked(form, first + index))
            return index;
    return 0;
}

bool IsValidPort(int port) { return port >= 0 && port <= kHighestPort; }

// A whole number of digits, blanks allowed around it, from 0 to 65535.
bool ParsePort(const std::string& text, int& port)
{
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos || last - first >= 5)
        return false;
    int value = 0;
    for (size_t at = first; at <= last; ++at) {
        if (text[at] < '0' || text[at] > '9')
            return false;
        value = value * 10 + (text[at] - '0');
    }
    port = value;
    return IsValidPort(port);
}

// A stored port that no connection could use is shown as the default, so that the field
// always has a sound value to be put back to.
std::string PortText(int port, int fallback) { return std::to_string(IsValidPort(port) ? port : fallback); }

bool CollectPort(HWND window, const NET_FORM& form, int id, const std::string& shown, int& port)
{
    if (ParsePort(FieldText(form, id), port))
        return true;
    const HWND field = FormControl(form, id);
    SetFieldText(form, id, shown);
    ShowPage(window, form, PageOfControl(form, id));
    char caption[128] = {};
    GetWindowTextA(window, caption, sizeof caption);
    MessageBoxA(window, FormText(form.language, IDS_PORT_NOT_A_NUMBER).c_str(), caption, MB_OK | MB_ICONINFORMATION);
    SendMessageA(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), TRUE);
    return false;
}

}  // namespace

void FillFields(const NET_FORM& form, const NET_SETTINGS& settings)
{
    const FTP_SETTINGS& ftp = settings.ftp;
    const HTTP_SETTINGS& http = settings.http;
    for (int id : kTextFields)
        SendMessageA(FormControl(form, id), EM_LIMITTEXT, kLongestText, 0);

    SetFieldText(form, IDC_EDIT_PORT_FTP, PortText(ftp.port, kDefaultFtpPort));
    SetFieldText(form, IDC_EDIT_PORT_HTTP, PortText(http.port, kDefaultHttpPort));
    Check(form, IDC_CHECK_PROXY_FTP, ftp.proxyActive);
    Check(form, IDC_CHECK_PROXY_HTTP, http.proxyActive);
    CheckOneOf(form, IDC_RADIO_DIRECT_FTP, 2, ftp.passive ? IDC_RADIO_PASSIVE_FTP : IDC_RADIO_DIRECT_FTP);
    SetFieldText(form, IDC_EDIT_FTP_PROXY_ADDRESS, ftp.proxyHost);
    SetFieldText(form, IDC_EDIT_HTTP_PROXY_ADDRESS, http.proxyHost);
    CheckOneOf(form, IDC_RADIO_PROXY_NO_LOGON, 2, ftp.logonNeeded ? IDC_RADIO_PROXY_LOGON : IDC_RADIO_PROXY_NO_LOGON);
    SetFieldText(form, IDC_EDIT_PROXY_USERNAME, ftp.username);
    SetFieldText(form, IDC_EDIT_PROXY_PASSWORD, ftp.password);

    int style = 0;
    while (style < kCommandStyleCount && ftp.commandStyle != kCommandStyles[style])
        ++style;
    CheckOneOf(form, IDC_RADIO_COMMAND_USER, kCommandStyleCount, IDC_RADIO_COMMAND_USER + style);

    // A stored number outside the four choices means the first: nothing is sent.
    const int after = ftp.afterRemoteLogon >= 0 && ftp.afterRemoteLogon < kAfterLogonChoices ? ftp.afterRemoteLogon : 0;
    CheckOneOf(form, IDC_RADIO_AFTER_NO_LOGON, kAfterLogonChoices, IDC_RADIO_AFTER_NO_LOGON + after);
}

bool CollectFields(HWND window, const NET_FORM& form, NET_SETTINGS& settings)
{
    FTP_SETTINGS& ftp = settings.ftp;
    HTTP_SETTINGS& http = settings.http;
    if (!CollectPort(window, form, IDC_EDIT_PORT_FTP, PortText(form.shown.ftp.port, kDefaultFtpPort), ftp.port) ||
        !CollectPort(window, form, IDC_EDIT_PORT_HTTP, PortText(form.shown.http.port, kDefaultHttpPort), http.port))
        return false;
    ftp.proxyHost = FieldText(form, IDC_EDIT_FTP_PROXY_ADDRESS);
    ftp.proxyActive = IsChecked(form, IDC_CHECK_PROXY_FTP);
    ftp.passive = IsChecked(form, IDC_RADIO_PASSIVE_FTP);
    ftp.logonNeeded = IsChecked(form, IDC_RADIO_PROXY_LOGON);
    ftp.username = FieldText(form, IDC_EDIT_PROXY_USERNAME);
    ftp.password = FieldText(form, IDC_EDIT_PROXY_PASSWORD);
    ftp.commandStyle = kCommandStyles[CheckedOf(form, IDC_RADIO_COMMAND_USER, kCommandStyleCount)];
    ftp.afterRemoteLogon = CheckedOf(form, IDC_RADIO_AFTER_NO_LOGON, kAfterLogonChoices);
    http.proxyHost = FieldText(form, IDC_EDIT_HTTP_PROXY_ADDRESS);
    http.proxyActive = IsChecked(form, IDC_CHECK_PROXY_HTTP);
    return true;
}
