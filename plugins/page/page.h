// PAGE: the root object of every page. It owns the page window in which the other objects
// live, gives the page its title, frame, background colour and click branch, and may hand
// every message of its window first to a procedure of a user DLL named by the page.
#pragma once

#include "objet.h"

// The procedure of the page's DLL: non-zero when it handled the message.
using PAGEHOOK = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Answers of BindPageHook.
constexpr int QX_HOOK_BOUND = 33;
constexpr int QX_HOOK_NO_DLL = 34;
constexpr int QX_HOOK_NO_FUNCTION = 35;
constexpr int QX_HOOK_DLL_NOT_LOADED = 36;
// The DLL lies on a server: neither fetched nor loaded, and the user already told why.
constexpr int QX_HOOK_REMOTE_REFUSED = 37;

// The procedure set directly through property 1000 instead of a DLL.
constexpr const char* QX_EXTERNAL_FUNCTION = "EXTERNAL FUNCTION";
// Property 1000 reads the procedure as pointer text: 16 hex digits, a prefix and the zero.
constexpr int QX_HOOK_TEXT_CHARS = 19;

// Frame types.
constexpr int QX_FRAME_NONE = 0;
constexpr int QX_FRAME_BORDER = 1;
constexpr int QX_FRAME_CAPTION = 2;
constexpr int QX_FRAME_SIZABLE = 3;  // while the page is selected for editing
constexpr int QX_FRAME_POPUP = 4;

// Bits of the record's flags line.
constexpr int QX_PAGE_CLOSE = 1;
constexpr int QX_PAGE_SIZEDEP = 2;
constexpr int QX_PAGE_MODELESS = 4;
constexpr int QX_PAGE_NOFILL = 8;

// Posted to a page window just created, with the page in lParam.
constexpr UINT QX_PAGE_CREATED = WM_USER + 25;

// Window style and outer rectangle of a frame type for the page rectangle x, y, w, h.
void GetFrameStyle(int type, int x, int y, int w, int h, DWORD* style, RECT* outer);

class PAGE : public OBJET {
public:
    PAGE(KERNEL* kernel, HINSTANCE module);
    ~PAGE() override;

    void SetXYWH(int x, int y, int w, int h) override;
    int isBaseObject() override { return 1; }
    LRESULT WindowsMessage(MSGL* msg) override;
    LRESULT KernelMessage(MSGL* msg) override;
    int Load(QXFILE file, int& universe) override;
    int SetProperties(long id, const char* value) override;
    int GetProperties(long id, int size, char* buffer) override;
    void Select() override;
    void UnSelect() override;
    int Modify() override;
    int Save(QXFILE file, int& universe, int withBranches) override;
    int ExportToDHTML(QXFILE file, int& index) override;
    OBJET& operator=(const OBJET& other) override;

    int BindPageHook();
    BRANCH* ClickBranch() { return GetBranch(0); }
    void ApplyFrame(int type);

    int newPage = 1;
    char title[50]{};
    QXSTRING pageFile;
    int frameType = QX_FRAME_NONE;
    int red = 255, green = 255, blue = 255;
    int noFill = 0;
    QXSTRING procDll;
    char procFunction[100]{};
    HMODULE procModule{};  // not copied: each page loads the DLL for itself
    PAGEHOOK procHook{};

private:
    void DropPageHook();
    void FillBackground(HDC dc, const RECT& area, bool clipChildren);
    LRESULT OnShown(MSGL* msg);
    LRESULT OnExtent(MSGL* msg);
    LRESULT OnPaintTo(MSGL* msg);
};
