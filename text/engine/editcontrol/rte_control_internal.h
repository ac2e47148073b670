// What the edit control's files share: the process-wide state behind the public calls, the
// areas and flags carried into the document, notifications and the message groups.
#pragma once

#include "rte_edit_control.h"

int32_t RteControlUsers();
HCURSOR RteControlCursor(bool ibeam);
// The current document is the one of the control that last took the focus.
void RteSetCurrentControl(HWND window);
void RteForgetCurrentControl(HWND window);

// The progress and port hooks that report to the notify window, in the environment's defaults.
void RteInstallControlHooks(RteEnvironment* env);
// Record 21, the control's settings and pens, known to the environment from start-up.
void RteRegisterControlRecords(RteEnvironment* env);
// Record 1051, the control's layout, known while the control itself saves or loads.
class RteLayoutRecordScope {
public:
    RteLayoutRecordScope();
    ~RteLayoutRecordScope();
    RteLayoutRecordScope(const RteLayoutRecordScope&) = delete;
    RteLayoutRecordScope& operator=(const RteLayoutRecordScope&) = delete;
};

// Creation and destruction of a window's record and document.
LRESULT RteControlCreate(HWND window, const CREATESTRUCTA* create);
void RteControlDestroy(HWND window);

// Recomputes the document's areas from the view rect, pens, margins and columns; true when they
// changed.
bool RteComputeAreas(RteControl* control);
// Carries the control flags into the document; true when a page-layout bit changed.
bool RteApplyControlFlags(RteControl* control, uint32_t flags);
// The scroll bars set to the document's scroll values, the caret first brought into view when
// asked.
void RteUpdateScrollBars(RteControl* control, bool caretIntoView);
// Redraws: invalidated with erase, or at once with the edit redraw mode.
void RteControlRedraw(RteControl* control, bool now);

// The control of a document, locked while this lives, or null: a document of no control (a
// scratch or clipboard document), or, when a notification flag is given, one not asking for it.
class RteDocControl {
public:
    explicit RteDocControl(RteHandle doc, uint32_t notifyFlag = 0);
    ~RteDocControl();
    RteDocControl(const RteDocControl&) = delete;
    RteDocControl& operator=(const RteDocControl&) = delete;
    RteControl* get() const { return control_; }

private:
    RteHandle handle_;
    RteControl* control_;
};

// Notifications to the notify window.
LRESULT RteNotify(const RteControl* control, UINT message, LPARAM lParam);
void RteNotifyChange(const RteControl* control);
void RteNotifyPending(const RteControl* control);
void RteNotifyError(const RteControl* control, uint16_t code);
// Runs the work under an error frame; a caught engine error goes to the notify window as
// RTEN_ERROR. True when the work ran to its end.
template <class Work>
bool RteGuarded(const RteControl* control, Work&& work);

// A new undo record of the kind in place of the control's old one, unless undo is off.
void RteControlPrepareUndo(RteControl* control, int16_t kind, const void* reference);
void RteControlDropUndo(RteControl* control);

// Handlers by kind of message; each answers as the window procedure returns.
LRESULT RteControlKey(RteControl* control, UINT message, WPARAM key);
LRESULT RteControlChar(RteControl* control, uint8_t character);
LRESULT RteControlScroll(RteControl* control, bool vertical, WPARAM wParam);
LRESULT RteControlMouse(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlClipboard(RteControl* control, UINT message);
LRESULT RteControlEditMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlGroupMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlAppearanceMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlParagraphMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
void RteDrawControlDecorations(RteControl* control, HDC dc);
LRESULT RteControlLineMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlTextMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlParamMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
// The hit kind of a window point: 0x1 on the text, 0x8 inside the view.
uint16_t RteControlHitKind(const RteControl* control, const RtePoint& point);
LRESULT RteControlAreaMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlPrintMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlStorageMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);

#include "rte_error.h"

template <class Work>
bool RteGuarded(const RteControl* control, Work&& work)
{
    uint16_t code = RteTry(RteControlContext(), work);
    if (code)
        RteNotifyError(control, code);
    return code == 0;
}

// The container record filled with a rect and the negated display offsets.
void RteContainerRecordOut(const RteControl* control, const RteRect& rect, RteContainerRecord* record);
LRESULT RteControlExclusionMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlObjectMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlPageMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
// The object callback of the control's objects: the notify window serves them when its flags ask.
intptr_t RteControlObjectProc(RteHandle doc, RteHandle object, intptr_t value, int32_t message, intptr_t x,
                              intptr_t data, int32_t length);
// Every object the document's styles carry goes through the control's object callback, whoever
// made it (a translator, another document).
void RteHookControlObjects(RteHandle doc);
// The drawing, paragraph-drawn, auto-scroll and page-margin hooks that report to the notify
// window.
void RteInstallDrawingHooks(RteEnvironment* env);
// The pages a paint showed, reported to the notify window when its flags ask.
void RteReportDrawnPages(RteControl* control, HDC dc, const RECT& painted);
// The first wrap rect of a page (from 1), moved to the page's copy of the wrap area.
RteRect RtePageRect(RteHandle doc, int32_t page);
// The character messages on shifts, style values, style-sheet entries and style names; the
// paragraph messages on values, tab stops and the keep bit; the highlight region and the
// second lines; the output record and the refit.
LRESULT RteControlCharacterMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlStyleNameMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlParagraphValueMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlTextQueryMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT RteControlOutputMessage(RteControl* control, UINT message, WPARAM wParam, LPARAM lParam);
// The style-change undo record and the change notification that precede a restyle.
void RteControlRestyleUndo(RteControl* control);
// A font-style record as a style and font for a style-sheet entry, and back.
void RteFontStyleToStyle(const RteFontStyleRecord& record, RteCharStyle* style, RteFont* font);
void RteStyleToFontStyle(const RteCharStyle& style, const RteFont& font, RteFontStyleRecord* record);
// A masked paragraph format over the selection's paragraphs, with the restyle undo record and
// notification when asked; the first paragraph's format.
void RteControlSetParFormat(RteControl* control, WPARAM redraw, const RteParFormat& format, const RteParFormat& mask,
                            bool notify);
RteParFormat RteControlFirstParFormat(RteControl* control);
// A style change under an error frame, after the restyle undo record and notification; a caught
// engine error leaves the undo record cleared.
template <class Work>
void RteGuardedRestyle(RteControl* control, Work&& work)
{
    if (!RteGuarded(control, [&] {
            RteControlRestyleUndo(control);
            work();
        }))
        RteControlDropUndo(control);
}
