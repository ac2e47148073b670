// The preview windows of the editor's dialogs and their painting.
#include "face_sample.h"

#include "dialog_support.h"
#include "text_defaults.h"

#include <map>
#include <string>

namespace {

// Class styles CS_VREDRAW | CS_HREDRAW | CS_PARENTDC.
constexpr UINT SampleClassStyles = 0x83;
// A transparent fill shows as "no background" with a light hatch over it.
constexpr COLORREF TransparentHatch = RGB(0xC0, 0xC0, 0xC0);

std::map<std::string, int>& ClassUsers()
{
    static std::map<std::string, int> users;
    return users;
}

COLORREF Drawn(COLORREF colour) { return IsOpaqueColour(colour) ? colour & QX_COLOUR_RGB_MASK : QX_NO_BACKGROUND; }

void Fill(HDC dc, const RECT& client, COLORREF fill)
{
    const HBRUSH brush = CreateSolidBrush(Drawn(fill));
    FillRect(dc, &client, brush);
    DeleteObject(brush);
    if (IsOpaqueColour(fill))
        return;
    const HBRUSH hatch = CreateHatchBrush(HS_BDIAGONAL, TransparentHatch);
    const int mode = SetBkMode(dc, TRANSPARENT);
    FillRect(dc, &client, hatch);
    SetBkMode(dc, mode);
    DeleteObject(hatch);
}

LRESULT CALLBACK SampleProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_PAINT)
        return DefWindowProcA(window, message, wParam, lParam);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    const auto* sample = reinterpret_cast<const FACESAMPLE*>(GetWindowLongPtrA(window, 0));
    RECT client;
    GetClientRect(window, &client);
    if (sample)
        DrawFaceSample(dc, client, *sample);
    EndPaint(window, &paint);
    return 0;
}

}  // namespace

SampleClassUse::SampleClassUse(const char* className) : className_(className), registered_(true)
{
    int& users = ClassUsers()[className];
    if (users == 0) {
        WNDCLASSA windowClass{};
        windowClass.style = SampleClassStyles;
        windowClass.lpfnWndProc = SampleProc;
        windowClass.cbWndExtra = QX_SAMPLE_WINDOW_EXTRA;
        windowClass.hInstance = DialogsModule();
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.lpszClassName = className;
        registered_ = RegisterClassA(&windowClass) != 0;
    }
    if (registered_)
        ++users;
}

SampleClassUse::~SampleClassUse()
{
    if (!registered_)
        return;
    int& users = ClassUsers()[className_];
    if (--users == 0)
        UnregisterClassA(className_, DialogsModule());
}

HWND CreateSampleWindow(HWND dialog, int frameId, const char* className, FACESAMPLE* sample)
{
    const HWND frame = GetDlgItem(dialog, frameId);
    if (!frame)
        return nullptr;
    RECT place;
    GetWindowRect(frame, &place);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
    // Inside the frame's etched edge.
    InflateRect(&place, -2, -2);
    const HWND window = CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE, place.left, place.top,
                                        place.right - place.left, place.bottom - place.top, dialog, nullptr,
                                        DialogsModule(), nullptr);
    if (!window)
        return nullptr;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(sample));
    GetClientRect(window, &sample->preview);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return window;
}

void DrawFaceSample(HDC dc, const RECT& client, const FACESAMPLE& sample)
{
    Fill(dc, client, sample.fill);
    if (!sample.font || !sample.textShown)
        return;
    const HFONT font = CreateFontIndirectA(sample.font);
    const HGDIOBJ previous = SelectObject(dc, font);
    const COLORREF behind = IsOpaqueColour(sample.textBackground) ? sample.textBackground
                            : IsOpaqueColour(sample.fill)         ? sample.fill
                                                                   : QX_NO_BACKGROUND;
    SetTextColor(dc, sample.textColour & QX_COLOUR_RGB_MASK);
    SetBkColor(dc, behind & QX_COLOUR_RGB_MASK);
    SetBkMode(dc, OPAQUE);
    RECT place = sample.preview;
    DrawTextA(dc, sample.font->lfFaceName, -1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, previous);
    DeleteObject(font);
}
