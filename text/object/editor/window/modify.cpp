// Modify(): the text edited on a copy in the editor, the copy assigned back on OK.
#include "edit_frame.h"
#include "font_list.h"
#include "fonts.h"
#include "kernel.h"
#include "modify_text.h"
#include "textres.h"

namespace {

// A text that uses a font installed read-only from a page cannot be edited.
bool UsesReadOnlyFont(TEXTE* text)
{
    FONTS_LIST fonts;
    text->GetFonts(&fonts);
    for (int i = 0; i < fonts.Items(); ++i)
        if (KernIsFontReadOnly(fonts.GetFont(i)->logName))
            return true;
    return false;
}

// What lies beneath the object, for a transparent text's background while it is edited.
HBITMAP SnapshotBeneath(TEXTE* text)
{
    if (!text->window)
        return nullptr;
    RECT client{};
    GetClientRect(text->window, &client);
    HDC screen = GetDC(text->window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP snapshot = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, snapshot);
    text->DrawWindowBackground(memory);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(text->window, screen);
    return snapshot;
}

}  // namespace

int ModifyText(TEXTE* text)
{
    KERNEL* kernel = text->GetKernel();
    const HWND application = KernGetAppWindow(kernel);
    if (UsesReadOnlyFont(text)) {
        QXSTRING caption, message;
        caption.LoadResource(TextModule(), IDS_TEXT_READONLY_CAPTION);
        message.LoadResource(TextModule(), IDS_TEXT_READONLY_FONTS);
        MessageBoxA(application, message, caption, MB_OK | MB_ICONINFORMATION);
        return 0;
    }
    BuildTextFontList(application);
    auto* copy = new TEXTE(kernel, TextModule());
    *copy = *text;
    copy->parent = text->parent;
    copy->backgroundSnapshot = SnapshotBeneath(text);
    EDITSESSION session;
    session.original = text;
    session.objectWindow = text->window;
    session.copy = copy;
    const int result = RunEditFrame(application, &session);
    if (result) {
        *text = *copy;
        if (text->window) {
            text->RebuildDocument();
            text->LoadText();
            InvalidateRect(text->window, nullptr, TRUE);
        }
    }
    if (copy->backgroundSnapshot)
        DeleteObject(copy->backgroundSnapshot);
    copy->backgroundSnapshot = nullptr;
    copy->window = nullptr;
    delete copy;
    return result;
}
