// The error form: French or English, its file line set by the caller; Esc gives up, Enter
// retries, and the third button opens the network settings while the form stays up.
#include "error_form.h"

#include "form_ids.h"
#include "form_texts.h"
#include "net_session.h"
#include "proxy_form.h"
#include "qxweb.h"

namespace {

constexpr ENGLISH_CAPTION EnglishCaptions[] = {
    {0, "Download"},
    {IDC_ERROR_MESSAGE, "A problem occured while downloading the following file :"},
    {IDC_ERROR_ADVICE, "The server is probably down or your Internet is not configured correctly"},
    {IDCANCEL, "&Cancel"},
    {IDRETRY, "&Retry"},
    {IDC_ERROR_NETWORK, "&Internet configuration ..."},
};

// The network-settings dialog library, looked up by its bare name where the system finds it.
constexpr const char NetworkDialogLibrary[] = "qxnetdlg.dll";
constexpr const char NetworkSettingsKey[] = "SOFTWARE\\Qorvex\\QXWeb";
using ShowModalEntry = int(WINAPI*)(BYTE french, HKEY root, const char* baseKeyName);

void ShowNetworkSettings(HWND form)
{
    if (const HMODULE library = LoadLibraryA(NetworkDialogLibrary)) {
        const auto showModal = reinterpret_cast<ShowModalEntry>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "ShowModal")));
        if (showModal)
            showModal(FrenchForms() ? 1 : 0, HKEY_CURRENT_USER, NetworkSettingsKey);
        FreeLibrary(library);
        if (showModal)
            return;
    }
    ConfigureProxy(form);
}

void SetUp(HWND form, const ERROR_FORM_SETUP& setup)
{
    if (!FrenchForms())
        PutEnglishCaptions(form, EnglishCaptions);
    if (setup.message)
        SetDlgItemTextA(form, IDC_ERROR_MESSAGE, LibraryString(setup.message).c_str());
    if (setup.caption)
        SetWindowTextA(form, LibraryString(setup.caption).c_str());
    EnableWindow(GetDlgItem(form, IDC_ERROR_NETWORK), setup.networkButton);
    SetDlgItemTextA(form, IDC_ERROR_FILE, setup.file.c_str());
}

INT_PTR CALLBACK ErrorFormProc(HWND form, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUp(form, *reinterpret_cast<const ERROR_FORM_SETUP*>(lParam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDRETRY:
            EndDialog(form, ERROR_FORM_RETRY);
            return TRUE;
        case IDCANCEL:  // also the close box
            EndDialog(form, ERROR_FORM_GIVE_UP);
            return TRUE;
        case IDC_ERROR_NETWORK:
            ShowNetworkSettings(form);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}

class ErrorFormCall : public qnet_CSynchroExecObject {
public:
    explicit ErrorFormCall(const ERROR_FORM_SETUP& setup) : setup_(setup) {}
    int Execute() override { return RunErrorForm(setup_); }

private:
    const ERROR_FORM_SETUP& setup_;
};

}  // namespace

int RunErrorForm(const ERROR_FORM_SETUP& setup)
{
    const INT_PTR result = DialogBoxParamA(LibraryInstance(), MAKEINTRESOURCEA(IDD_ERROR_FORM), nullptr,
                                           ErrorFormProc, reinterpret_cast<LPARAM>(&setup));
    return result == ERROR_FORM_RETRY ? ERROR_FORM_RETRY : ERROR_FORM_GIVE_UP;
}

int ShowErrorForm(const ERROR_FORM_SETUP& setup)
{
    qnet_CSynchronizeWindow* window = Session().synchronizeWindow.get();
    if (!window)
        ThrowSyncFailure();
    ErrorFormCall call(setup);
    return window->Execute(&call);
}
