// The text's document on its window: made lazily, laid out in the window less its scroll bar
// and margins, scaled with the page extent, imported from the text file and drawn.
#include "texte.h"

#include "filefetch.h"
#include "filefind.h"
#include "kernel.h"
#include "kerntree.h"
#include "qxpath.h"
#include "qxsupport.h"
#include "qxutil.h"
#include "rte_activation.h"
#include "rte_device_helpers.h"
#include "rte_edit_control.h"
#include "rte_redisplay.h"
#include "rte_scrolling.h"
#include "rte_selection.h"
#include "text_document.h"
#include "textres.h"

namespace {

// The text's scale: screen pixels per 100 pixels of the width the text was laid out at.
int ScalePercent(TEXTE* text)
{
    const int a = KernU2Sx(text->GetKernel(), text->referenceWidth);
    return a > 0 ? a : 1;
}

bool PageScales(TEXTE* text)
{
    OBJET* root = KernGetTopParentObjet(text->GetKernel(), text);
    return !(root && root->sizeDep);
}

RteRect EngineRect(const RECT& r) { return RteRect{r.top, r.left, r.bottom, r.right}; }

}  // namespace

RteHandle TEXTE::ActiveDocument() const { return editControl ? editDocument : document; }

RECT TEXTE::ViewRect() const
{
    RECT view{};
    GetClientRect(editControl ? editControl : window, &view);
    if (scrollBar)
        view.right -= GetSystemMetrics(SM_CXVSCROLL) + 3;
    const RECT& m = defaults.properties.margins;
    view.left += m.left;
    view.top += m.top;
    view.right -= m.right;
    view.bottom -= m.bottom;
    return view;
}

void TEXTE::SetViewAreas()
{
    const RteHandle doc = ActiveDocument();
    if (!doc || !(editControl || window))
        return;
    const RECT view = ViewRect();
    RECT wrap = view;
    if (PageScales(this)) {
        // Lines break at the same words whatever the page extent.
        const int a = ScalePercent(this);
        wrap.right = wrap.right * 100 / a;
        wrap.bottom = wrap.bottom * 100 / a;
    }
    const RteRect viewRect = EngineRect(view), wrapRect = EngineRect(wrap);
    EngineDo([&] {
        RteRectList viewList = RteNewRectList(RteControlContext(), &viewRect);
        RteRectList wrapList = RteNewRectList(RteControlContext(), &wrapRect);
        RteSetAreas(doc, viewList, wrapList, nullptr);
        RteFreeRectList(viewList);
        RteFreeRectList(wrapList);
    });
}

void TEXTE::SetScaling()
{
    if (!document)
        return;
    const RteScaling scaling{0, 0, static_cast<int32_t>((ScalePercent(this) & 0xFFFF) << 16 | 100)};
    EngineDo([&] { RteSetScaling(document, &scaling); });
}

void TEXTE::RebuildDocument()
{
    if (document)
        EngineDo([&] { RteDocDestroy(document); });
    document = nullptr;
    visited.Clear();
    visitedApplied = 0;
    if (editControl || !window)
        return;
    RECT view{};
    GetClientRect(window, &view);
    document = NewTextDocument(this, window, view, view);
    SetViewAreas();
    if (PageScales(this))
        SetScaling();
    if (!painting)
        InvalidateRect(window, nullptr, FALSE);
}

bool TEXTE::ImportFile(const char* path)
{
    const RteHandle doc = ActiveDocument();
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    const int got = ImportTextFile(this, doc, path);
    SetCursor(previous);
    if (got == TEXTFORMAT_NONE) {
        QXSTRING caption, pattern, message;
        caption.LoadResource(TextModule(), IDS_TEXT_LOAD_ERROR);
        pattern.LoadResource(TextModule(), IDS_TEXT_NOT_LOADED);
        message.Format(pattern, path);
        MessageBoxA(window, message, caption, MB_OK | MB_ICONQUESTION);
        return false;
    }
    format = got;
    return true;
}

void TEXTE::LoadText()
{
    const RteHandle doc = ActiveDocument();
    if (!doc || !fileName.length())
        return;
    if (ownsTempFile) {
        localCopy = fileName;
    } else if (!localCopy.length()) {
        GETFILE_STRUCT request;
        KernGetFile(kernel, fileName, QX_FETCH_SYNC, 0, nullptr, &request, nullptr, nullptr);
        QXSTRING fetched = request.localFile;
        if (fetched.length())
            KernFindFileStr(kernel, &fetched, 1);
        if (fetched.length() && DoFileExist(fetched))
            localCopy = fetched;
    }
    if (!localCopy.length()) {
        // Not at hand: the file arrives later with KM_FILEREADY.
        GETFILE_STRUCT request;
        request.object = this;
        KernGetFile(kernel, fileName, QX_FETCH_BACKGROUND, 0, nullptr, &request, nullptr, nullptr);
        return;
    }
    if (!DoFileExist(localCopy)) {
        if (editControl)
            SetFocus(editControl);
        return;
    }
    if (!ImportFile(localCopy))
        return;
    if (!editControl) {
        ApplyVisitedStyling();
        // Imported text is drawn on the object's own background; its colours stay (formats other
        // than the engine's own stream carry no background of the object's).
        if (format != TEXTFORMAT_NATIVE)
            ClearTextBackground(doc);
        EngineDo([&] { RteSetSelection(doc, 0, 0, 0, 0); });
    }
    defaults.properties.background =
        (background & QX_COLOUR_RGB_MASK) | (transparent ? 0 : QX_COLOUR_OPAQUE);
    EngineDo([&] {
        RteScrollStep(doc, 0, 3, 0);
        RteSetSelection(doc, 0, 0, 0, 0);
    });
    UpdateScrollBar();
    if (!editControl) {
        EngineDo([&] { RteSetActivation(doc, 2, 2, 0); });
        if (!painting)
            InvalidateRect(window, nullptr, FALSE);
    }
}

void TEXTE::DrawText(HDC dc, int offsetX, int offsetY, const RECT* clip)
{
    if (!document && !editControl && window) {
        RebuildDocument();
        LoadText();
    }
    const RteHandle doc = ActiveDocument();
    if (!doc)
        return;
    SIZE windowExtent{}, viewportExtent{};
    GetWindowExtEx(dc, &windowExtent);
    GetViewportExtEx(dc, &viewportExtent);
    EngineDo([&] {
        RteScaling scaling{};
        RteGetScaling(doc, &scaling);
        RtePortBinding saved{};
        RtePortUseDC(doc, dc, &scaling, &saved);
        const RtePoint offset{offsetY, offsetX};
        RteRectList view = nullptr;
        if (clip) {
            const RteRect area = EngineRect(*clip);
            view = RteNewRectList(RteControlContext(), &area);
        }
        RteDisplay(doc, nullptr, view, nullptr, &offset, 3);
        if (view)
            RteFreeRectList(view);
        RtePortSetDC(doc, &saved);
    });
    SetWindowExtEx(dc, windowExtent.cx, windowExtent.cy, nullptr);
    SetViewportExtEx(dc, viewportExtent.cx, viewportExtent.cy, nullptr);
}

bool TEXTE::UpdateScrollBar()
{
    const HWND host = editControl ? editControl : window;
    const RteHandle doc = ActiveDocument();
    if (!host || !doc)
        return false;
    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    RECT client{};
    GetClientRect(host, &client);
    int32_t height = 0;
    RteScaling scaling{0, 0, 0x10001};
    EngineDo([&] {
        height = RteDocHeight(doc);
        RteGetScaling(doc, &scaling);
    });
    const int numerator = (scaling.factor >> 16) & 0xFFFF, denominator = scaling.factor & 0xFFFF;
    const long shown = denominator ? static_cast<long>(height) * numerator / denominator : height;
    const RECT& m = defaults.properties.margins;
    const bool needed = client.bottom - m.top - m.bottom < shown;
    if (needed) {
        if (!scrollBar) {
            const int width = GetSystemMetrics(SM_CXVSCROLL);
            scrollBar = CreateWindowA("SCROLLBAR", "", WS_CHILD | SBS_VERT | WS_VISIBLE, client.right - width, 0,
                                      width, client.bottom, host, nullptr, TextModule(), nullptr);
            SetViewAreas();
        }
        int32_t h = 0, v = 0, hMax = 0, vMax = 0;
        EngineDo([&] { RteGetScrollValues(doc, &h, &v, &hMax, &vMax); });
        SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS, 0, vMax > 1 ? vMax : 1, 0, v, 0};
        SetScrollInfo(scrollBar, SB_CTL, &info, TRUE);
        EnableWindow(scrollBar, KernGetMode(kernel) != QX_MODE_EDIT_BIT);
    } else if (scrollBar) {
        EngineDo([&] { RteScrollStep(doc, 0, 3, 0); });
        DestroyWindow(scrollBar);
        scrollBar = nullptr;
        InvalidateRect(host, nullptr, FALSE);
        SetViewAreas();
    }
    SetCursor(previous);
    return needed;
}
