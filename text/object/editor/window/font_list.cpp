// The editor's font list: the box posts itself 3021 on its first message and lists the screen
// families under the hourglass then.
#include "font_list.h"

#include "texte.h"

#include <algorithm>

namespace {

constexpr UINT LoadFontsMessage = 3021;

std::vector<std::string> faces;
bool built = false;

int CALLBACK AddFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM)
{
    // Vertical faces ("@...") are not offered.
    if (font->lfFaceName[0] && font->lfFaceName[0] != '@')
        faces.emplace_back(font->lfFaceName);
    return 1;
}

void ListFamilies()
{
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    HDC dc = GetDC(nullptr);
    LOGFONTA all{};
    all.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &all, AddFamily, 0, 0);
    ReleaseDC(nullptr, dc);
    std::sort(faces.begin(), faces.end());
    faces.erase(std::unique(faces.begin(), faces.end()), faces.end());
    built = true;
    SetCursor(previous);
}

INT_PTR CALLBACK LoadFontProc(HWND box, UINT message, WPARAM, LPARAM)
{
    if (message == WM_INITDIALOG) {
        PostMessageA(box, LoadFontsMessage, 0, 0);
        return TRUE;
    }
    if (message == LoadFontsMessage) {
        ListFamilies();
        EndDialog(box, 1);
        return TRUE;
    }
    return FALSE;
}

}  // namespace

void BuildTextFontList(HWND owner)
{
    if (built)
        return;
    DialogBoxParamA(TextModule(), "D_LOADFONT", owner, LoadFontProc, 0);
    if (!built)
        ListFamilies();
}

const std::vector<std::string>& TextFontList() { return faces; }
