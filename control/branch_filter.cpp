// The kernel's branch filter: the built-in actions and the links of the publication become
// events of the container, which may stop them or send a link elsewhere.
#include "stage_control.h"

#include "control_ids.h"
#include "wide_text.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr const char* kGadgetPrefix = "GADGET: ";

// The event of each built-in action that has one of its own; 0 and 6 run without any.
DISPID EventOfGadget(int number)
{
    switch (number) {
    case 1: return EVENT_GOHOME;
    case 2: return EVENT_GOBACK;
    case 3: return EVENT_QUIT;
    case 4: return EVENT_OPENBOOKMARK;
    case 7: return EVENT_PRINTCURRENTPAGE;
    default: return 0;
    }
}

VARIANTARG Text(BSTR text)
{
    VARIANTARG argument;
    VariantInit(&argument);
    argument.vt = VT_BSTR;
    argument.bstrVal = text;
    return argument;
}

VARIANTARG FlagByReference(VARIANT_BOOL* flag)
{
    VARIANTARG argument;
    VariantInit(&argument);
    argument.vt = VT_BOOL | VT_BYREF;
    argument.pboolVal = flag;
    return argument;
}

// The three texts every event starts with: the object's name, its user string and the
// branch's second string.
struct EVENTTEXTS {
    explicit EVENTTEXTS(const char* name, const char* user, const char* second)
        : texts{WideBstr(name), WideBstr(user), WideBstr(second)}
    {
    }
    ~EVENTTEXTS()
    {
        for (BSTR text : texts) SysFreeString(text);
    }
    EVENTTEXTS(const EVENTTEXTS&) = delete;
    EVENTTEXTS& operator=(const EVENTTEXTS&) = delete;
    BSTR texts[3];
};

int FilterOfHost(BRANCH* branch, void* host)
{
    return static_cast<CQXStageCtrl*>(host)->FilterBranch(branch);
}

}  // namespace

KERNFILTERBRANCH ControlBranchFilter()
{
    return FilterOfHost;
}

int CQXStageCtrl::FilterBranch(BRANCH* branch)
{
    constexpr int size = KERNELBINDING::kBranchTextSize;
    char target[size] = {}, name[size] = {}, user[size] = {}, second[size] = {}, file[size] = {};
    if (!binding_.GetBranchParams(branch, target, name, user, second, file)) return 1;
    EVENTTEXTS texts(name, user, second);
    VARIANT_BOOL goOn = VARIANT_TRUE;
    const size_t prefix = strlen(kGadgetPrefix);
    const bool gadget = _strnicmp(target, kGadgetPrefix, prefix) == 0;
    const int number = gadget ? atoi(target + prefix) : -1;
    if (number == 0 || number == 6) return 1;
    if (const DISPID event = gadget ? EventOfGadget(number) : 0) {
        VARIANTARG arguments[] = {Text(texts.texts[0]), Text(texts.texts[1]), Text(texts.texts[2]),
                                  FlagByReference(&goOn)};
        FireEvent(event, arguments, 4);
        return goOn != VARIANT_FALSE;
    }
    if (number == 5) {
        // The control asks on its own: the kernel's confirmation must not run.
        VARIANT_BOOL ask = VARIANT_TRUE;
        VARIANTARG arguments[] = {Text(texts.texts[0]), Text(texts.texts[1]), Text(texts.texts[2]),
                                  FlagByReference(&goOn), FlagByReference(&ask)};
        FireEvent(EVENT_QUITCONFIRMATION, arguments, 5);
        if (goOn != VARIANT_FALSE && window_)
            SendMessageA(window_, RegisterWindowMessageA("LOCX_WM_QUIT_MESSAGE"), ask != VARIANT_FALSE ? 1 : 0, 0);
        return 0;
    }
    BSTR targetFile = WideBstr(file);
    VARIANTARG targetArgument;
    VariantInit(&targetArgument);
    targetArgument.vt = VT_BSTR | VT_BYREF;
    targetArgument.pbstrVal = &targetFile;
    VARIANTARG arguments[] = {Text(texts.texts[0]), Text(texts.texts[1]), Text(texts.texts[2]), targetArgument,
                              FlagByReference(&goOn)};
    FireEvent(EVENT_LINK, arguments, 5);
    binding_.SetBranchLocation(branch, Narrow(targetFile).c_str());
    SysFreeString(targetFile);
    return goOn != VARIANT_FALSE;
}

void CQXStageCtrl::OnQuitMessage(bool ask)
{
    if (ask && MessageBoxA(window_, "Voulez-vous vraiment quitter?", "Vistrelle", MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    binding_.Quit();
}
