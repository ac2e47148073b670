// The list-view child windows that the open-file dialog lays over its file area: their
// common base and the shared sort rule.
#pragma once

#include <windows.h>

#include <commctrl.h>

// View kinds.
constexpr int BROWSE_LIST = 0;
constexpr int BROWSE_DETAILS = 1;

constexpr int BROWSE_NO_WINDOW = -102;

class qhyp_CListView {
public:
    // Creates the window hidden; `result` gets Create's answer.
    qhyp_CListView(int* result, HWND parent, int id, int left, int top, int right, int bottom, int multiSelect,
                   int viewKind);
    virtual int Create(DWORD style, int left, int top, int right, int bottom);
    virtual ~qhyp_CListView();
    // BROWSE_LIST or BROWSE_DETAILS; 0 for any other value, else 1.
    virtual int SetViewStyle(int style);
    virtual BOOL Show(int flag);
    virtual LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam);
    virtual int DeleteAll();
    virtual int Count(int selectedOnly, int* count);

    qhyp_CListView(const qhyp_CListView&) = delete;
    qhyp_CListView& operator=(const qhyp_CListView&) = delete;

    HWND Window() const { return window_; }

protected:
    // The shared rule (browse_sort.h), then the rows sorted by `compare` with this view as
    // its parameter. Answers 1.
    int SortRows(int code, PFNLVCOMPARE compare);
    // Inserts a row at the top; its index (0 when the insertion failed).
    int InsertRow(const char* text, int image, const void* entry);
    void SetCell(int row, int column, const char* text);
    // The rows' two icons of the library (16 by 16, masked, at indices 0 and 1) and four
    // 100-pixel columns headed by the texts `firstText` to `firstText` + 3; 0, or -1 when the
    // icons cannot be listed.
    int AddIconsAndColumns(const char* firstIcon, const char* secondIcon, UINT firstText,
                           const int (&formats)[4]);

    HWND parent_;
    HWND window_ = nullptr;
    int viewKind_;
    int visible_ = 0;
    int id_;
    DWORD style_ = 0;
    int sortKey_ = 0;
    int lastSortKey_ = 0;
    HIMAGELIST images_ = nullptr;  // the window's once given to it
};
