// Drawing the Internet items of the look-in combo: an icon, and a text indented by its depth
// in the dropped-down list and shortened with "..." to the item's width.
#include "internet_lookin.h"

#include "ofn_data.h"
#include "synchronize_window.h"

#include <string>

namespace {

constexpr int TextOffset = 21;
constexpr int IconOffset = 18;
constexpr int IndentStep = 10;

struct ITEM_LOOK {
    const char* icon;
    int indent;  // in the dropped-down list only
};

// Folder items carry their depth as leading blanks, which are not drawn.
ITEM_LOOK LookOf(LRESULT data, std::string& text)
{
    if (IsFolderItem(data)) {
        const size_t blanks = text.find_first_not_of(' ');
        const size_t removed = blanks == std::string::npos ? text.size() : blanks;
        text.erase(0, removed);
        return {data == ITEM_CURFOLDER ? "OPENFOLDER" : "CLOSEFOLDER",
                IndentStep + IndentStep * static_cast<int>(removed)};
    }
    if (data == ITEM_ADDREMOVE)
        return {"FTPADD", IndentStep};
    if (data == ITEM_FTPSERVER || data == ITEM_URL)
        return {"FTPNODE", IndentStep};
    return {"FTPSERV", 0};
}

int TextWidth(HDC dc, const std::string& text)
{
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// Drops characters until the text fits, ending it with "..." while at least 4 remain.
std::string Shortened(HDC dc, std::string text, int width)
{
    while (!text.empty() && TextWidth(dc, text) > width) {
        text.pop_back();
        if (text.size() < 4)
            break;
        text.replace(text.size() - 3, 3, "...");
    }
    return text;
}

}  // namespace

void DrawInternetItem(const DRAWITEMSTRUCT& item)
{
    LOOKIN_ITEM read = ReadLookInItem(item.hwndItem, static_cast<LRESULT>(static_cast<int>(item.itemID)));
    std::string text = read.text;
    const ITEM_LOOK look = LookOf(static_cast<LRESULT>(static_cast<LONG_PTR>(item.itemData)), text);
    RECT textRect = item.rcItem;
    textRect.left += TextOffset;
    if (SendMessageA(item.hwndItem, CB_GETDROPPEDSTATE, 0, 0))
        textRect.left += look.indent;
    const HDC dc = item.hDC;
    text = Shortened(dc, text, item.rcItem.right - textRect.left);
    textRect.right = textRect.left + TextWidth(dc, text);

    if (item.itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) {
        FillRect(dc, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
        const bool selected = item.itemState & ODS_SELECTED;
        const COLORREF oldText = SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        const COLORREF oldBack = SetBkColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        if (selected)
            FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
        if (const auto icon =
                static_cast<HICON>(LoadImageA(LibraryInstance(), look.icon, IMAGE_ICON, 16, 16, 0))) {
            DrawIconEx(dc, textRect.left - IconOffset, textRect.top, icon, 16, 16, 0, nullptr, DI_NORMAL);
            DestroyIcon(icon);
        }
        TextOutA(dc, textRect.left, textRect.top, text.c_str(), static_cast<int>(text.size()));
        SetTextColor(dc, oldText);
        SetBkColor(dc, oldBack);
    }
    if (item.itemAction == ODA_FOCUS || (item.itemState & ODS_FOCUS))
        DrawFocusRect(dc, &textRect);
}
