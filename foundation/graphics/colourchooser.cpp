// The colour chooser with its transparent choice, and the library's custom colours.
#include "qxcolour.h"
#include "colourids.h"

#include <cstring>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

COLORREF customColours[16];

HINSTANCE ThisLibrary() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

UINT ColourOkMessage() { return RegisterWindowMessageA(COLOROKSTRINGA); }

// The answer block: the chooser's value with its top byte, written by the hook when the user
// accepts; the dialog structure is kept to read the colour it holds at that moment.
struct ANSWER {
    COLORREF value;
    const CHOOSECOLORA* choice;
};

void TakeAnswer(HWND dialog, ANSWER* answer)
{
    const COLORREF colour = answer->choice->rgbResult & 0x00FFFFFF;
    answer->value = IsDlgButtonChecked(dialog, IDC_COLOUR_TRANSPARENT) == BST_CHECKED ? colour
                                                                                      : colour | QX_COLOUR_OPAQUE;
}

}  // namespace

QXBASE_API UINT_PTR CALLBACK ChooseCHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    static const UINT colourOk = ColourOkMessage();
    if (message == WM_INITDIALOG) {
        const CHOOSECOLORA* choice = reinterpret_cast<const CHOOSECOLORA*>(lParam);
        ANSWER* answer = reinterpret_cast<ANSWER*>(choice->lCustData);
        answer->choice = choice;
        SetPropA(dialog, "QXCOLOURANSWER", answer);
        CheckRadioButton(dialog, IDC_COLOUR_TRANSPARENT, IDC_COLOUR_OPAQUE,
                         (answer->value & QX_COLOUR_OPAQUE) == 0 ? IDC_COLOUR_TRANSPARENT : IDC_COLOUR_OPAQUE);
        return 0;
    }
    ANSWER* answer = static_cast<ANSWER*>(GetPropA(dialog, "QXCOLOURANSWER"));
    if (!answer)
        return 0;
    // The acceptance notice reaches the hook on some systems and only the owner window on
    // others; OK itself always passes through the hook first, so both take the answer.
    if (message == colourOk || (message == WM_COMMAND && LOWORD(wParam) == IDOK))
        TakeAnswer(dialog, answer);
    else if (message == WM_DESTROY)
        RemovePropA(dialog, "QXCOLOURANSWER");
    return 0;
}

QXBASE_API BOOL QXChooseColor(CHOOSECOLORA* choice)
{
    if (!choice)
        return 0;
    ANSWER answer{choice->rgbResult, choice};
    const LPARAM callerData = choice->lCustData;
    choice->hInstance = reinterpret_cast<HWND>(ThisLibrary());
    choice->lpTemplateName = QX_COLOUR_TEMPLATE;
    choice->lpfnHook = ChooseCHookProc;
    choice->Flags |= CC_ENABLEHOOK | CC_ENABLETEMPLATE;
    choice->lCustData = reinterpret_cast<LPARAM>(&answer);
    choice->rgbResult &= 0x00FFFFFF;
    const BOOL result = ChooseColorA(choice);
    choice->lCustData = callerData;
    choice->rgbResult = answer.value;
    return result;
}

QXBASE_API void QXBASE_SetCustomColor(const COLORREF* colours)
{
    if (colours)
        std::memcpy(customColours, colours, sizeof customColours);
}

QXBASE_API void QXBASE_GetCustomColor(COLORREF* colours)
{
    if (colours)
        std::memcpy(colours, customColours, sizeof customColours);
}
