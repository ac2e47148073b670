// The label history: every label text typed in a settings dialog of the process, offered in
// the label boxes of the later dialogs until the module is unloaded.
#include "bouton_dialog.h"

#include "qxlist.h"

namespace {

class LABEL : public LNODE {
public:
    explicit LABEL(const char* text) : text(text) {}
    QXSTRING text;
};

class LABEL_LIST : public LIST {
public:
    bool Holds(const char* text)
    {
        for (int i = 0; i < Items(); ++i)
            if (lstrcmpiA(static_cast<LABEL*>(GetItem(i))->text, text) == 0)
                return true;
        return false;
    }
};

// A plain static, not a function's: the module clears it while it is unloaded, where a
// function's static first met would be guarded, and the guard's lock kept by the process.
LABEL_LIST LabelHistory;

LABEL_LIST& Labels() { return LabelHistory; }

}  // namespace

void AddLabelToHistory(const char* text)
{
    if (!text || !*text || Labels().Holds(text))
        return;
    if (auto* label = new LABEL(text))
        Labels().AddTail(label);
}

void FillLabelCombo(HWND combo)
{
    for (int i = 0; i < Labels().Items(); ++i)
        SendMessageA(combo, CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(static_cast<const char*>(static_cast<LABEL*>(Labels().GetItem(i))->text)));
}

void ForgetLabelHistory() { Labels().Clear(); }
