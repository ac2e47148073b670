// A dialog driven by a script run from its own message loop.
#include "dialogdriver.h"

#include "accessors.h"
#include "objet.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

thread_local DialogDriver* activeDriver = nullptr;

}  // namespace

DialogDriver::DialogDriver(int markerId, std::function<void(HWND)> script, std::function<int(HWND)> answer)
    : markerId_(markerId),
      script_(std::move(script)),
      answer_(std::move(answer)),
      previous_(activeDriver),
      answerer_([this](HWND dialog) { return Respond(dialog); })
{
    activeDriver = this;
}

DialogDriver::~DialogDriver() { activeDriver = previous_; }

// The driven dialog gets a command of no control (id 0): the script sends the real ones.
int DialogDriver::Respond(HWND dialog)
{
    if (driven_ || !GetDlgItem(dialog, markerId_))
        return answer_(dialog);
    driven_ = dialog;
    SetTimer(nullptr, 0, 1, RunScript);
    return 0;
}

void CALLBACK DialogDriver::RunScript(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    DialogDriver* driver = activeDriver;
    if (!driver || driver->ran_)
        return;
    // A modal loop shows its dialog only once its queue is first empty: on a busy machine the
    // timer may come first, and a script would find every control hidden.
    if (IsWindow(driver->driven_) && !IsWindowVisible(driver->driven_) && ++driver->waits_ < MAX_WAITS_FOR_SHOW) {
        SetTimer(nullptr, 0, 10, RunScript);
        return;
    }
    driver->ran_ = true;
    driver->script_(driver->driven_);
    if (IsWindow(driver->driven_))
        PostMessageA(driver->driven_, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

void Click(HWND dialog, int id)
{
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void SetCheck(HWND dialog, int id, bool checked)
{
    CheckDlgButton(dialog, id, checked ? BST_CHECKED : BST_UNCHECKED);
    Click(dialog, id);
}

void SetText(HWND dialog, int id, const std::string& text) { SetDlgItemTextA(dialog, id, text.c_str()); }

bool IsEnabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

std::function<void(HWND)> ClickThenRead(int button, int field, std::string& shown)
{
    return [button, field, &shown](HWND dialog) {
        Click(dialog, button);
        shown = ItemText(dialog, field);
        Click(dialog, IDOK);
    };
}

int OpenFileNamed(HWND open, const std::string& name)
{
    // The explorer kind of dialog has the combo box, the older kind the edit.
    SetDlgItemTextA(open, cmb13, name.c_str());
    SetDlgItemTextA(open, edt1, name.c_str());
    return IDOK;
}

void ExpectWindowKeptThroughDialog(KERNEL* kernel, const char* name, int markerId, int ending)
{
    OBJET* object = KernFindObjetEx(kernel, name);
    ASSERT_NE(nullptr, object);
    const HWND window = object->window;
    ASSERT_NE(nullptr, window);
    DialogDriver driver(markerId, [ending](HWND dialog) { Click(dialog, ending); });
    EXPECT_EQ(ending == IDOK ? 1 : 0, object->Modify());
    EXPECT_EQ(window, object->window);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(object), GetWindowLongPtrA(window, 0));
}
