// MSGWIND: showing, measuring, placing and painting the pop-up message window.
#include "qxmsgwind.h"

#include "qxwindowptr.h"

#include <windowsx.h>

#include <cstring>
#include <new>

namespace {

constexpr char ClassName[] = "MsgWind";
constexpr int WindowExtraBytes = 40;
constexpr int InitialWidth = 150;
constexpr int TextIndent = 4;     // the text starts 4 pixels in from the left
constexpr int SizeMargin = 5;     // added to the measured text's right and bottom
constexpr int CursorOffset = 12;  // the pop-up's corner below and right of the cursor

constexpr UINT WrappedFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK;
constexpr UINT SingleLineFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;

// Hung on the pop-up under the keyed pointer (999, 999) and freed with the window.
struct FontBlock {
    LOGFONTA font;
    Color colour;
};

FontBlock* AttachedBlock(HWND popup)
{
    return static_cast<FontBlock*>(GetQORVEXXpointer(popup, QXKEY_WINDOW_BLOCK_1, QXKEY_WINDOW_BLOCK_2));
}

// Selects the block's font and colour into the DC for the object's lifetime, then puts the
// DC's own font back. Without a block the DC keeps the system font and black.
class BlockFont {
public:
    BlockFont(HDC dc, const FontBlock* block) : dc_(dc), font_(nullptr), previous_(nullptr)
    {
        SetTextColor(dc, block ? RGB(block->colour.red, block->colour.green, block->colour.blue) : RGB(0, 0, 0));
        if (block && (font_ = CreateFontIndirectA(&block->font)))
            previous_ = SelectObject(dc, font_);
    }
    ~BlockFont()
    {
        if (font_) {
            SelectObject(dc_, previous_);
            DeleteObject(font_);
        }
    }
    BlockFont(const BlockFont&) = delete;
    BlockFont& operator=(const BlockFont&) = delete;

private:
    HDC dc_;
    HFONT font_;
    HGDIOBJ previous_;
};

// The caption is drawn in the system's caption font, so it is measured in that font.
int CaptionWidth(HDC dc, const char* caption)
{
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
    const HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE size{};
    GetTextExtentPoint32A(dc, caption, static_cast<int>(std::strlen(caption)), &size);
    if (font) {
        SelectObject(dc, previous);
        DeleteObject(font);
    }
    return size.cx;
}

bool HasCaption(const char* caption) { return caption && *caption; }

}  // namespace

MSGWIND::MSGWIND() : windowClass{}, style(0), window(nullptr), owner(nullptr), textRect{}, format(0) {}

MSGWIND::~MSGWIND() { DetruireFenetre(); }

int MSGWIND::AfficherFenetre(const char* caption, const char* text, Color colour, const LOGFONTA* font, int, int,
                             HWND ownerWindow, HINSTANCE instance, unsigned long, HBRUSH background)
{
    return Show(caption, text, &colour, font, ownerWindow, instance, background);
}

int MSGWIND::AfficherFenetre(const char* caption, const char* text, int, int, HWND ownerWindow, HINSTANCE instance,
                             unsigned long, HBRUSH background)
{
    return Show(caption, text, nullptr, nullptr, ownerWindow, instance, background);
}

int MSGWIND::Show(const char* caption, const char* shownText, const Color* colour, const LOGFONTA* font,
                  HWND ownerWindow, HINSTANCE instance, HBRUSH background)
{
    if (!shownText)
        return MSGWIND_NO_TEXT;

    // The class is registered per pop-up: while it is registered for the instance another
    // pop-up of that instance is open, and this one is refused.
    WNDCLASSA wanted{};
    wanted.style = CS_NOCLOSE;
    wanted.lpfnWndProc = MsgWindProc;
    wanted.cbWndExtra = WindowExtraBytes;
    wanted.hInstance = instance;
    wanted.hbrBackground = background ? background : static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wanted.lpszClassName = ClassName;
    if (!RegisterClassA(&wanted))
        return MSGWIND_NO_CLASS;
    windowClass = wanted;
    text = shownText;
    owner = ownerWindow;
    format = std::strpbrk(shownText, "\r\n") ? WrappedFormat : SingleLineFormat;

    style = HasCaption(caption) ? WS_POPUP | WS_CAPTION : WS_POPUP | WS_BORDER;
    const HWND popup = CreateWindowExA(WS_EX_TOPMOST, ClassName, caption, style, 0, 0, InitialWidth, 0, nullptr,
                                       nullptr, instance, nullptr);
    if (!popup) {
        DetruireFenetre();
        return MSGWIND_NO_WINDOW;
    }
    window = popup;
    SetQORVEXpointer(popup, this);

    if (colour) {
        auto* block = new (std::nothrow) FontBlock{};
        if (!block) {
            DetruireFenetre();
            return MSGWIND_NO_WINDOW;
        }
        if (font)
            block->font = *font;
        else
            GetObjectA(GetStockObject(SYSTEM_FONT), sizeof block->font, &block->font);
        block->colour = *colour;
        SetQORVEXXpointer(popup, QXKEY_WINDOW_BLOCK_1, block, QXKEY_WINDOW_BLOCK_2);
    }

    Measure(caption);
    Place();
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    UpdateWindow(popup);
    return MSGWIND_SHOWN;
}

void MSGWIND::Measure(const char* caption)
{
    const HDC dc = GetDC(window);
    {
        const BlockFont selected(dc, AttachedBlock(window));
        GetClientRect(window, &textRect);
        textRect.left += TextIndent;
        DrawTextA(dc, text, -1, &textRect, format | DT_CALCRECT);

        // A wider caption widens the text to it; wrapped text may then need fewer lines.
        const int captionWidth = HasCaption(caption) ? CaptionWidth(dc, caption) : 0;
        if (captionWidth > textRect.right) {
            RECT wider = textRect;
            wider.right = captionWidth;
            DrawTextA(dc, text, -1, &wider, format | DT_CALCRECT);
            if (wider.bottom < textRect.bottom)
                textRect.bottom = wider.bottom;
            textRect.right = captionWidth;
        }
    }
    ReleaseDC(window, dc);
}

void MSGWIND::Place()
{
    const int width = textRect.right + SizeMargin;
    const int height = textRect.bottom + SizeMargin + ((style & WS_CAPTION) == WS_CAPTION ? GetSystemMetrics(SM_CYCAPTION) : 0);
    POINT cursor{};
    GetCursorPos(&cursor);
    int x = cursor.x + CursorOffset;
    int y = cursor.y + CursorOffset;
    if (x + width > GetSystemMetrics(SM_CXSCREEN))
        x = cursor.x - width;
    if (y + height > GetSystemMetrics(SM_CYSCREEN))
        y = cursor.y - height;
    SetWindowPos(window, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MSGWIND::PaintText(HDC target) const
{
    const BlockFont selected(target, AttachedBlock(window));
    SetBkMode(target, TRANSPARENT);
    RECT rect;
    GetClientRect(window, &rect);
    rect.left += TextIndent;
    DrawTextA(target, text, -1, &rect, format);
}

void MSGWIND::DetruireFenetre()
{
    if (window)
        DestroyWindow(window);  // WM_DESTROY clears `window`
    if (windowClass.lpszClassName) {
        UnregisterClassA(ClassName, windowClass.hInstance);
        windowClass.lpszClassName = nullptr;
    }
}

LRESULT CALLBACK MSGWIND::MsgWindProc(HWND popup, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = static_cast<MSGWIND*>(GetQORVEXpointer(popup));
    if (!object)
        return DefWindowProcA(popup, message, wParam, lParam);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(popup, &paint);
        object->PaintText(dc);
        EndPaint(popup, &paint);
        return 1;
    }
    case WM_PRINTCLIENT:
        // Lets a snapshot of the screen (PrintWindow) draw the pop-up into any DC.
        object->PaintText(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE: {
        // The pop-up covers the control that shows it: hand the mouse on to the owner's parent,
        // in screen coordinates (signed, for monitors left of or above the primary one).
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (message == WM_MOUSEMOVE)
            ClientToScreen(popup, &point);
        if (const HWND parent = GetParent(object->owner))
            PostMessageA(parent, WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        return 0;
    }
    case WM_DESTROY:
        object->window = nullptr;
        if (FontBlock* block = AttachedBlock(popup)) {
            ClearQORVEXXpointer(popup, block, QXKEY_WINDOW_BLOCK_1, QXKEY_WINDOW_BLOCK_2);
            delete block;
        }
        return 0;
    default:
        return DefWindowProcA(popup, message, wParam, lParam);
    }
}

void* MSGWIND::operator new(size_t bytes) { return ::operator new(bytes); }
void MSGWIND::operator delete(void* block) { ::operator delete(block); }
