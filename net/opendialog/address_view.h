// The saved-address views of the open-file dialog: the FTP servers and the URLs that the
// user keeps, each list headed by its add/remove entry.
#pragma once

#include "list_view.h"

#include <memory>
#include <string>
#include <vector>

// Entry kinds.
constexpr int ADDRESS_ADDREMOVE = 0;
constexpr int ADDRESS_SAVED = 1;

constexpr int ADDRESS_NONE_SELECTED = -302;
constexpr int ADDRESS_NO_ENTRY = -303;

struct qhyp_CAddressViewItem {
    std::string text;
    std::string type;
    int kind;
};

class qhyp_CAddressView : public qhyp_CListView {
public:
    qhyp_CAddressView(int* result, HWND parent, int id, const RECT& area, int multiSelect, int viewKind);

    int AddEntry(const char* text, int kind);
    // The next selected row after `from` (-1 for the first); ADDRESS_NONE_SELECTED when none.
    int NextSelected(int from, int* index);
    int GetEntryText(int index, std::string& text);
    // The text of the first selected row; "" when none.
    std::string SelectedText();
    int Sort(int code);
    LRESULT OnNotify(const NMHDR* header);
    int OnCommand(WPARAM, LPARAM) { return 0; }

    // The order of two entries for a sort key; negative when `a` comes first.
    static int Compare(const qhyp_CAddressViewItem& a, const qhyp_CAddressViewItem& b, int key);

private:
    static int CALLBACK CompareRows(LPARAM a, LPARAM b, LPARAM view);

    // The entries stay until the view goes; emptying the rows keeps them.
    std::vector<std::unique_ptr<qhyp_CAddressViewItem>> entries_;
};
