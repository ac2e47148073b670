// Runs the steps of a modal script on a thread timer.
#include "modal_script.h"

namespace {

thread_local ModalScript* activeScript = nullptr;
constexpr DWORD kPatience = 10000;

}  // namespace

ModalScript::ModalScript(std::vector<Step> steps)
    : steps_(std::move(steps)), started_(GetTickCount()), timer_(SetTimer(nullptr, 0, 10, Tick))
{
    activeScript = this;
}

ModalScript::~ModalScript()
{
    KillTimer(nullptr, timer_);
    activeScript = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD)
{
    ModalScript* script = activeScript;
    const HWND active = GetActiveWindow();
    if (!script || !active || script->running_)
        return;
    script->sawWindow_ = true;
    // Also after the last step: a window that should have gone but stays must not hang the test.
    if (GetTickCount() - script->started_ > kPatience) {
        PostMessageA(active, WM_CLOSE, 0, 0);
        return;
    }
    if (script->Finished())
        return;
    script->running_ = true;
    if (script->steps_[script->next_](active))
        ++script->next_;
    script->running_ = false;
}
