// The library's exports: one modal form, in the language the caller asks for.
#include "qxnetdlg.h"

#include "net_form.h"

namespace {

// Nothing may escape into a caller that knows only 0 as failure.
int RunGuarded(FormLanguage language, HKEY root, const char* baseKeyName)
{
    try {
        return RunNetForm(language, root, baseKeyName);
    } catch (...) {
        return 0;
    }
}

}  // namespace

int WINAPI ShowModal(BYTE french, HKEY root, const char* baseKeyName)
{
    return french ? ShowModal_French(root, baseKeyName) : ShowModal_English(root, baseKeyName);
}

int WINAPI ShowModal_English(HKEY root, const char* baseKeyName)
{
    return RunGuarded(FormLanguage::English, root, baseKeyName);
}

int WINAPI ShowModal_French(HKEY root, const char* baseKeyName)
{
    return RunGuarded(FormLanguage::French, root, baseKeyName);
}
