// The rich-text engine's paste: any program may put bytes on the clipboard under the engine's
// private format or as text, and the engine reads them into a new document.
#include <windows.h>

#include <cstring>

#include "clipboard_turn.h"
#include "fuzz_files.h"
#include "fuzz_targets.h"
#include "rte_clipboard.h"
#include "rte_document.h"

namespace {

// The bytes as they stand, with no terminating 0 of their own: the block's size is all there is.
void PutExactly(UINT format, const std::string& bytes)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() ? bytes.size() : 1);
    if (!block)
        return;
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    if (!SetClipboardData(format, block))
        GlobalFree(block);
}

void PasteAs(RteEnvironment* env, UINT format, UINT privateFormat, const std::string& bytes, HWND owner)
{
    if (!OpenClipboard(owner))
        return;
    EmptyClipboard();
    PutExactly(format, bytes);
    if (RteHandle doc = RteDocFromClipboard(env, privateFormat, nullptr))
        RteDocDestroy(doc);
    EmptyClipboard();
    CloseClipboard();
}

}  // namespace

void PasteEngineClipboard(const std::string& path)
{
    static const HWND owner =
        CreateWindowExA(0, "STATIC", "engine owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    static const UINT privateFormat = RegisterClipboardFormatA("RTEDOC");
    std::string bytes = FileBytes(path);
    RteMemContext context = {};
    RteEnvironment env = {};
    RteMemInit(&context, 0);
    RteEngineStartup(&env, &context);
    {
        ClipboardTurn turn;
        PasteAs(&env, privateFormat, privateFormat, bytes, owner);
        PasteAs(&env, CF_TEXT, privateFormat, bytes, owner);
    }
    RteEngineShutdown(&env);
    RteMemFree(&context);
}
