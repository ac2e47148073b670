// The saved-address views.
#include "address_view.h"

#include "form_texts.h"
#include "opendialog_ids.h"

namespace {

constexpr int ServerImage = 0;
constexpr int AddRemoveImage = 1;

}  // namespace

qhyp_CAddressView::qhyp_CAddressView(int* result, HWND parent, int id, const RECT& area, int multiSelect,
                                     int viewKind)
    : qhyp_CListView(nullptr, parent, id, area.left, area.top, area.right, area.bottom, multiSelect, viewKind)
{
    sortKey_ = lastSortKey_ = 1;
    const int answer = AddIconsAndColumns("IDI_SERVER", "IDI_ADDREM", IDS_ADDRESS_NAME,
                                          {LVCFMT_LEFT, LVCFMT_LEFT, LVCFMT_LEFT, LVCFMT_LEFT});
    if (result)
        *result = answer;
}

int qhyp_CAddressView::AddEntry(const char* text, int kind)
{
    auto entry = std::make_unique<qhyp_CAddressViewItem>();
    entry->text = text ? text : "";
    entry->type = LibraryString(kind == ADDRESS_SAVED ? IDS_ADDRESS_KIND : IDS_ADDRESS_ADDREMOVE_KIND);
    entry->kind = kind;
    const int row = InsertRow(entry->text.c_str(), kind == ADDRESS_SAVED ? ServerImage : AddRemoveImage, entry.get());
    SetCell(row, 2, entry->type.c_str());
    entries_.push_back(std::move(entry));
    return 0;
}

int qhyp_CAddressView::NextSelected(int from, int* index)
{
    const LRESULT row = Send(LVM_GETNEXTITEM, static_cast<WPARAM>(from), LVNI_SELECTED);
    if (row < 0)
        return ADDRESS_NONE_SELECTED;
    if (index)
        *index = static_cast<int>(row);
    return 0;
}

int qhyp_CAddressView::GetEntryText(int index, std::string& text)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    if (!Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) || !item.lParam)
        return ADDRESS_NO_ENTRY;
    text = reinterpret_cast<const qhyp_CAddressViewItem*>(item.lParam)->text;
    return 0;
}

std::string qhyp_CAddressView::SelectedText()
{
    int row = -1;
    std::string text;
    if (NextSelected(-1, &row) == 0)
        GetEntryText(row, text);
    return text;
}

int qhyp_CAddressView::Sort(int code) { return SortRows(code, CompareRows); }

LRESULT qhyp_CAddressView::OnNotify(const NMHDR* header)
{
    if (header->code != LVN_COLUMNCLICK)
        return 0;
    Sort(30 + reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
    return 1;
}

int qhyp_CAddressView::Compare(const qhyp_CAddressViewItem& a, const qhyp_CAddressViewItem& b, int key)
{
    int order = 0;
    if (key / 2 == 0)
        order = a.kind != b.kind ? (a.kind == ADDRESS_ADDREMOVE ? -1 : 1) : lstrcmpiA(a.text.c_str(), b.text.c_str());
    else if (key / 2 == 2)
        order = lstrcmpiA(a.type.c_str(), b.type.c_str());
    return key % 2 ? -order : order;
}

int CALLBACK qhyp_CAddressView::CompareRows(LPARAM a, LPARAM b, LPARAM view)
{
    return Compare(*reinterpret_cast<const qhyp_CAddressViewItem*>(a),
                   *reinterpret_cast<const qhyp_CAddressViewItem*>(b),
                   reinterpret_cast<const qhyp_CAddressView*>(view)->sortKey_);
}
