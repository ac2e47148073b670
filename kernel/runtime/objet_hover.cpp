// The hover message of an object: its block, the process-wide style a new block starts with,
// the delay timer (id 1 on the object window) and the pop-up that shows it.
#include "objet.h"

#include "branch.h"
#include "kernel.h"
#include "kernelprocess.h"
#include "qxwindowptr.h"
#include "sound.h"

namespace {

MESSAGESTYLE MakeDefaultStyle()
{
    MESSAGESTYLE style{};
    style.font.lfHeight = 20;
    style.font.lfWeight = FW_NORMAL;
    style.font.lfOutPrecision = OUT_STROKE_PRECIS;
    style.font.lfClipPrecision = CLIP_STROKE_PRECIS;
    style.font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(style.font.lfFaceName, "System", LF_FACESIZE);
    style.background = {192, 192, 192, 0};
    return style;
}

// Clip precision bit that lets a font with restricted rights be drawn.
constexpr BYTE EmbeddedClipping = 0x80;

// A cell height, as files store it, becomes the character height the display wants:
// the screen font's internal leading minus the stored height.
LONG CharacterHeight(const LOGFONTA& font)
{
    const HDC screen = GetDC(nullptr);
    const HFONT made = CreateFontIndirectA(&font);
    TEXTMETRICA metrics{};
    const HGDIOBJ previous = SelectObject(screen, made);
    GetTextMetricsA(screen, &metrics);
    SelectObject(screen, previous);
    DeleteObject(made);
    ReleaseDC(nullptr, screen);
    return metrics.tmInternalLeading - font.lfHeight;
}

void CALLBACK HoverTimerProc(HWND window, UINT, UINT_PTR, DWORD)
{
    auto* object = static_cast<OBJET*>(GetQORVEXXpointer(window, QXKEY_HOVER_OBJECT_1, QXKEY_HOVER_OBJECT_2));
    if (!object)
        return;
    object->ReleaseMsgTimer();
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(window, &cursor);
    if (object->message && object->In(cursor.x, cursor.y) && object->kernel->mode == QX_MODE_PRESENTATION)
        object->AfficherMessage(object->message->title, object->message->text);
}

}  // namespace

MESSAGESTYLE* KernGetDefaultMessageStyle()
{
    static MESSAGESTYLE style = MakeDefaultStyle();
    return &style;
}

MESSOBJ::MESSOBJ()
{
    const MESSAGESTYLE* style = KernGetDefaultMessageStyle();
    font = style->font;
    textColour = style->text;
    backColour = style->background;
    timerProc = HoverTimerProc;
}

MESSOBJ::~MESSOBJ()
{
    if (shown)
        window.DetruireFenetre();
}

void OBJET::SetMsgTimer()
{
    if (!message)
        return;
    if (kernel->mode != QX_MODE_PRESENTATION || message->delay != 0) {
        if (!message->timerArmed && window) {
            const UINT delay = message->delay > 0 ? static_cast<UINT>(message->delay) : 0;
            SetTimer(window, QX_TIMER_HOVER, delay * 1000, message->timerProc);
            message->timerArmed = 1;
        }
        return;
    }
    AfficherMessage(message->title, message->text);
}

void OBJET::ReleaseMsgTimer()
{
    if (!message || !message->timerArmed)
        return;
    if (window)
        KillTimer(window, QX_TIMER_HOVER);
    message->timerArmed = 0;
}

void OBJET::AfficherMessage(const char* title, const char* text)
{
    // Every loaded object carries a block; one with neither text nor title has no message,
    // as its DHTML form says, and must not pop up an empty box.
    if (!message || message->shown || !text || (!*text && !(title && *title)))
        return;
    if (*text) {
        const int flags = KernGetFontEmbedingFlag(message->font.lfFaceName);
        if (flags != -1 && (flags & (QX_EMBED_EDITABLE | QX_EMBED_PREVIEW_PRINT)))
            message->font.lfClipPrecision |= EmbeddedClipping;
        else
            message->font.lfClipPrecision &= static_cast<BYTE>(~EmbeddedClipping);
    }
    if (message->font.lfHeight > 0)
        message->font.lfHeight = CharacterHeight(message->font);

    message->shown = 1;
    POINT corner = {x, y + h};
    if (parent && parent->window)
        ClientToScreen(parent->window, &corner);
    const Color& back = message->backColour;
    const HBRUSH brush = CreateSolidBrush(RGB(back.red, back.green, back.blue));
    // The pop-up's class owns the brush from now on and deletes it with the class.
    const int result = message->window.AfficherFenetre(title, text, message->textColour, &message->font, corner.x,
                                                       corner.y, window, KernProcess().module, 0, brush);
    if (result != MSGWIND_SHOWN) {
        if (result == MSGWIND_NO_CLASS)
            DeleteObject(brush);
        ReleaseMessage();
        return;
    }
    if (message->sound.length() > 0 && kernel->mode == QX_MODE_PRESENTATION)
        KernPlaySound(kernel, message->sound);
}

void OBJET::ReleaseMessage()
{
    if (!message || !message->shown)
        return;
    message->shown = 0;
    message->window.DetruireFenetre();
}
