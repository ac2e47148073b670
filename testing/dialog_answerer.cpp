#include "dialog_answerer.h"

#include "dialog_items.h"

namespace {

thread_local DialogAnswerer* activeAnswerer = nullptr;

bool IsDialog(HWND window)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM lParam)
{
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        std::string text = WindowText(child);
        if (!text.empty()) {
            auto* joined = reinterpret_cast<std::string*>(lParam);
            if (!joined->empty())
                *joined += '\n';
            *joined += text;
        }
    }
    return TRUE;
}

}  // namespace

DialogAnswerer::DialogAnswerer(int answer)
    : DialogAnswerer([answer](HWND) { return answer; })
{
}

DialogAnswerer::DialogAnswerer(std::function<int(HWND)> respond)
    : respond_(std::move(respond)),
      hook_(SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId())),
      previous_(activeAnswerer)
{
    activeAnswerer = this;
}

DialogAnswerer::~DialogAnswerer()
{
    UnhookWindowsHookEx(hook_);
    activeAnswerer = previous_;
}

void DialogAnswerer::Answer(HWND dialog)
{
    if (!answered_.insert(dialog).second)
        return;
    ShownDialog shown{WindowText(dialog), {}};
    EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&shown.text));
    shown_.push_back(shown);
    // Posted: the dialog's own loop delivers it once the dialog is up and running.
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(respond_(dialog), BN_CLICKED), 0);
}

LRESULT CALLBACK DialogAnswerer::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    const HWND window = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && activeAnswerer && IsDialog(window))
        activeAnswerer->Answer(window);
    else if (code == HCBT_DESTROYWND && activeAnswerer)
        activeAnswerer->answered_.erase(window);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
