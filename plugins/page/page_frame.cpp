// Window styles and outer rectangles of the page frame types.
#include "page.h"

#include "qxpath.h"

void GetFrameStyle(int type, int x, int y, int w, int h, DWORD* style, RECT* outer)
{
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    const int cxBorder = GetSystemMetrics(SM_CXBORDER), cyBorder = GetSystemMetrics(SM_CYBORDER);
    const int cxFrame = GetSystemMetrics(SM_CXFRAME), cyFrame = GetSystemMetrics(SM_CYFRAME);
    const int cxDlg = GetSystemMetrics(SM_CXDLGFRAME), cyDlg = GetSystemMetrics(SM_CYDLGFRAME);
    const int cyCaption = GetSystemMetrics(SM_CYCAPTION);
    int left = x, top = y, width = w, height = h;
    switch (type) {
    case QX_FRAME_BORDER:
        *style = child | WS_BORDER;
        left = x - cxBorder;
        top = y - cyBorder;
        width = w + 2 * cxBorder;
        height = h + 2 * cyBorder;
        break;
    case QX_FRAME_CAPTION:
        *style = child | WS_CAPTION;
        left = x - cxBorder;
        top = y - cyCaption;
        width = w + 2 * cxBorder;
        height = h + cyBorder + cyCaption;
        break;
    case QX_FRAME_SIZABLE: {
        *style = child | WS_CAPTION | WS_THICKFRAME;
        left = x - cxFrame;
        top = y + cyBorder - cyFrame - cyCaption;
        width = w + 2 * cxFrame;
        height = h + 2 * cyFrame + cyCaption - cyBorder;
        const int version = TrueGetVersion(nullptr, nullptr, nullptr, nullptr);
        if (version == 2 || version == 4) {
            --left;
            --top;
            width += 2;
            height += 2;
        }
        break;
    }
    case QX_FRAME_POPUP:
        *style = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CAPTION;
        left = x - cxDlg;
        top = y + cyBorder - cyDlg - cyCaption;
        width = w + 2 * cxDlg - 2 * cxBorder;
        height = h + 2 * cyDlg + cyCaption - 3 * cyBorder;
        break;
    default:
        *style = child;
        break;
    }
    *outer = RECT{left, top, left + width, top + height};
}
