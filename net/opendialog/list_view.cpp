// The common base of the dialog's list views.
#include "list_view.h"

#include "browse_sort.h"
#include "form_texts.h"
#include "synchronize_window.h"

qhyp_CListView::qhyp_CListView(int* result, HWND parent, int id, int left, int top, int right, int bottom,
                               int multiSelect, int viewKind)
    : parent_(parent), viewKind_(viewKind), id_(id)
{
    DWORD style = LVS_AUTOARRANGE;
    if (!multiSelect)
        style |= LVS_SINGLESEL;
    if (viewKind == BROWSE_LIST)
        style |= LVS_LIST;
    else if (viewKind == BROWSE_DETAILS)
        style |= LVS_REPORT;
    const int created = Create(style, left, top, right, bottom);
    if (result)
        *result = created;
}

int qhyp_CListView::Create(DWORD style, int left, int top, int right, int bottom)
{
    style_ = style;
    const DWORD windowStyle = WS_CHILD | WS_TABSTOP | (visible_ ? WS_VISIBLE : 0) | style;
    window_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", windowStyle, left, top, right - left, bottom - top,
                              parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)), LibraryInstance(), nullptr);
    return window_ ? 0 : BROWSE_NO_WINDOW;
}

qhyp_CListView::~qhyp_CListView()
{
    // A list view destroys its image lists with itself.
    if (window_)
        DestroyWindow(window_);
    else if (images_)
        ImageList_Destroy(images_);
}

int qhyp_CListView::SetViewStyle(int style)
{
    if (style != BROWSE_LIST && style != BROWSE_DETAILS)
        return 0;
    const LONG_PTR bits = GetWindowLongPtrA(window_, GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_TYPEMASK);
    SetWindowLongPtrA(window_, GWL_STYLE, bits | (style == BROWSE_LIST ? LVS_LIST : LVS_REPORT));
    // Some list views lay their rows out again only when told the view by message, and
    // repaint only when asked.
    Send(LVM_SETVIEW, style == BROWSE_LIST ? LV_VIEW_LIST : LV_VIEW_DETAILS, 0);
    InvalidateRect(window_, nullptr, TRUE);
    return 1;
}

BOOL qhyp_CListView::Show(int flag) { return ShowWindow(window_, flag); }

LRESULT qhyp_CListView::Send(UINT message, WPARAM wParam, LPARAM lParam)
{
    return SendMessageA(window_, message, wParam, lParam);
}

int qhyp_CListView::DeleteAll()
{
    Send(LVM_DELETEALLITEMS, 0, 0);
    return 1;
}

int qhyp_CListView::Count(int selectedOnly, int* count)
{
    const LRESULT rows = Send(selectedOnly ? LVM_GETSELECTEDCOUNT : LVM_GETITEMCOUNT, 0, 0);
    if (count)
        *count = static_cast<int>(rows);
    return 0;
}

int qhyp_CListView::SortRows(int code, PFNLVCOMPARE compare)
{
    sortKey_ = NextSortKey(code, lastSortKey_);
    lastSortKey_ = sortKey_;
    Send(LVM_SORTITEMS, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(compare));
    return 1;
}

int qhyp_CListView::InsertRow(const char* text, int image, const void* entry)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    item.pszText = const_cast<char*>(text);
    item.iImage = image;
    item.lParam = reinterpret_cast<LPARAM>(entry);
    const LRESULT row = Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return row < 0 ? 0 : static_cast<int>(row);
}

void qhyp_CListView::SetCell(int row, int column, const char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    Send(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}


int qhyp_CListView::AddIconsAndColumns(const char* firstIcon, const char* secondIcon, UINT firstText,
                                       const int (&formats)[4])
{
    images_ = ImageList_Create(16, 16, ILC_MASK | ILC_COLOR32, 2, 0);
    if (!images_)
        return -1;
    for (const char* name : {firstIcon, secondIcon}) {
        const HICON icon = static_cast<HICON>(LoadImageA(LibraryInstance(), name, IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(images_, icon);
        if (icon)
            DestroyIcon(icon);
    }
    Send(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images_));
    for (int column = 0; column < 4; ++column) {
        const std::string heading = LibraryString(firstText + static_cast<UINT>(column));
        LVCOLUMNA description{};
        description.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        description.fmt = formats[column];
        description.cx = 100;
        description.pszText = const_cast<char*>(heading.c_str());
        description.iSubItem = column;
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&description));
    }
    return 0;
}
