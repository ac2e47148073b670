// The "rtedit" edit control: the engine started for windows of that class, the record each
// window keeps, its private messages and the notifications it sends to its notify window.
#pragma once

#include <windows.h>

#include <cstdint>

#include "rte_document.h"
#include "rte_environment.h"

struct RteControl;

constexpr char RTE_CONTROL_CLASS[] = "rtedit";
constexpr char RTE_CLIPBOARD_FORMAT[] = "RTEDOC";
constexpr UINT RTE_CONTROL_CLASS_STYLE = 0x408B;

// Notification flags: which notifications the control sends.
constexpr uint32_t RTEN_FLAG_CHAR = 0x40;
constexpr uint32_t RTEN_FLAG_CLICK = 0x200;
constexpr uint32_t RTEN_FLAG_DBLCLICK = 0x400;
constexpr uint32_t RTEN_FLAG_BUTTONUP = 0x800;
constexpr uint32_t RTEN_FLAG_DRAGMOVE = 0x1000;
constexpr uint32_t RTEN_FLAG_HOVER = 0x2000;
constexpr uint32_t RTEN_FLAG_CHANGE = 0x80000;
constexpr uint32_t RTEN_FLAG_PENDING = 0x100000;
constexpr uint32_t RTEN_FLAG_PASTEDATA = 0x200000;
constexpr uint32_t RTEN_FLAG_COPYDATA = 0x400000;
constexpr uint32_t RTEN_FLAG_PARDRAWN = 0x4;
constexpr uint32_t RTEN_FLAG_PAGEDRAWN = 0x8;
constexpr uint32_t RTEN_FLAG_PAGEDECOR = 0x10;
constexpr uint32_t RTEN_FLAG_PREDRAW = 0x20;
constexpr uint32_t RTEN_FLAG_AUTOSCROLL = 0x100;
constexpr uint32_t RTEN_FLAG_OBJECT = 0x20000;
constexpr uint32_t RTEN_FLAG_PAGEMARGINS = 0x40000;

// Control flags.
constexpr uint32_t RTE_CTL_DEFAULT_FLAGS = 0x801E;
constexpr uint32_t RTE_CTL_WRAP_FOLLOWS_VIEW = 0x10;
constexpr uint32_t RTE_CTL_PAGES = 0x20;  // the wrap area repeats downwards as pages
constexpr uint32_t RTE_CTL_NO_UNDO = 0x0400;
constexpr uint32_t RTE_CTL_NO_MARGINS = 0x0800;
constexpr uint32_t RTE_CTL_FIXED_VIEW = 0x4000;

// State flags.
constexpr uint16_t RTE_STATE_SCROLLBARS = 0x1;
constexpr uint16_t RTE_STATE_FREE_WRAP = 0x4;
constexpr uint16_t RTE_STATE_DOUBLE_CLICK = 0x8;

// Notifications (wParam: control id).
constexpr UINT RTEN_CLICK = 0x360A;
constexpr UINT RTEN_DBLCLICK = 0x360B;
constexpr UINT RTEN_BUTTONUP = 0x360C;
constexpr UINT RTEN_DRAGMOVE = 0x360D;
constexpr UINT RTEN_HOVER = 0x360E;
constexpr UINT RTEN_USERRECORD = 0x3613;
constexpr UINT RTEN_CHAR = 0x3618;
constexpr UINT RTEN_CHANGE = 0x3619;
constexpr UINT RTEN_PENDING = 0x361A;
constexpr UINT RTEN_ERROR = 0x361C;
constexpr UINT RTEN_PASTEDATA = 0x361D;
constexpr UINT RTEN_COPYDATA = 0x361E;
constexpr UINT RTEN_PARDRAWN = 0x3603;
constexpr UINT RTEN_PAGEDRAWN = 0x3604;
constexpr UINT RTEN_PAGEDECOR = 0x3605;
constexpr UINT RTEN_PREDRAW = 0x3606;
constexpr UINT RTEN_AUTOSCROLL = 0x3608;
constexpr UINT RTEN_OBJECT = 0x3612;
constexpr UINT RTEN_PAGEMARGINS1 = 0x3616;
constexpr UINT RTEN_PAGEMARGINS2 = 0x3617;

// The records of the page notifications (0x3604, 0x3605) and of the drawing one (0x3606): a
// page number or value (0 for drawing), a rect in engine order, the scroll offsets (0x3604)
// or the drawing origin less them (0x3606), and the DC drawn into.
struct RtePageNotify {
    int32_t page;
    RteRect rect;
    int32_t reserved;
    int32_t v;
    int32_t h;
    HDC dc;
};
// The record of the paragraph notification (0x3603), sent once a paragraph's last line is drawn:
// the DC drawn into, the bounds of its drawn lines and of those among them that ran on into a
// later container (the next column or page; zero when none did), the redraw mode and the index
// of the text block drawn, the text offsets where its first drawn line starts and its last line
// ends, and flags.
struct RteParagraphNotify {
    HDC dc;
    RECT rect;
    RECT second;
    int32_t mode;
    int32_t block;
    int32_t start;
    int32_t end;
    uint16_t flags;
};
// Its flags: from the first line, whether it starts the paragraph; from the last, how it ends
// (the paragraph, at a left tab, at a page break); whether no line ran on into another container;
// whether the paragraph ends the text.
constexpr uint16_t RTE_PARDRAWN_FIRST_LINE_FLAGS = 0x200;
constexpr uint16_t RTE_PARDRAWN_LAST_LINE_FLAGS = 0x4014;
constexpr uint16_t RTE_PARDRAWN_NO_SECOND = 0x1000;
constexpr uint16_t RTE_PARDRAWN_TEXT_END = 0x2000;

// The record of the auto-scroll notification: the redraw mode of the scroll, the amounts the
// engine would scroll by (vertical, horizontal; the parent may change them) and the point that
// is outside the view.
struct RteAutoScrollNotify {
    int32_t mode;
    int32_t v;
    int32_t h;
    int16_t pointV;
    int16_t pointH;
};

// The records of the progress notification and of the drawing DC's.
struct RteProgressNotify {
    HWND window;
    int16_t mode;  // 0 layout, 3 save, 4 read
    int32_t done;
    int32_t total;
};
struct RteDcNotify {
    HDC dc;  // the parent may put another DC here
    RteControl* control;
};

// The record of the mouse notifications.
#pragma pack(push, 2)
struct RteMouseNotify {
    int32_t v;
    int32_t h;
    uint16_t keys;
    uint16_t hit;
    uint16_t doubleClick;
    uint16_t thirdClick;
    int32_t selStart;
    int32_t selEnd;
};
#pragma pack(pop)
static_assert(sizeof(RteMouseNotify) == 24);

// Control group.
constexpr UINT RTEM_GETENV = 0x1400;
constexpr UINT RTEM_SETENV = 0x1401;
constexpr UINT RTEM_GETFLAGS = 0x1403;
constexpr UINT RTEM_SETFLAGS = 0x1404;
constexpr UINT RTEM_GETNOTIFY = 0x1405;
constexpr UINT RTEM_SETNOTIFY = 0x1406;
constexpr UINT RTEM_SETPARAMS = 0x1407;
constexpr UINT RTEM_GETPARAMS = 0x1408;
constexpr UINT RTEM_GETDOC = 0x1409;
constexpr UINT RTEM_SETPURGEVALUE = 0x140A;
constexpr UINT RTEM_HITTEST = 0x140B;
constexpr UINT RTEM_SETUSERDATA = 0x140C;
constexpr UINT RTEM_GETUSERDATA = 0x140D;
constexpr UINT RTEM_GETHEIGHT = 0x140E;
constexpr UINT RTEM_GETLENGTH = 0x140F;
constexpr UINT RTEM_GETSCROLLPOS = 0x1410;
constexpr UINT RTEM_RELAYOUT = 0x1411;
constexpr UINT RTEM_OFFSETATPOINT = 0x1412;
constexpr UINT RTEM_DRAW = 0x1413;
constexpr UINT RTEM_GETCHANGECOUNT = 0x1414;
constexpr UINT RTEM_SETCHANGECOUNT = 0x1415;
constexpr UINT RTEM_SHAREDOC = 0x1416;
constexpr UINT RTEM_UPDATESCROLL = 0x1417;
constexpr UINT RTEM_SETNOTIFYWND = 0x1418;
// Character group.
constexpr UINT RTEM_SETLOGFONT = 0x2600;
constexpr UINT RTEM_SETLOGFONTFACE = 0x2601;
constexpr UINT RTEM_GETLOGFONT = 0x2602;
constexpr UINT RTEM_GETFONTNAME = 0x2603;
constexpr UINT RTEM_SETATTRIBUTES = 0x2604;
constexpr UINT RTEM_GETATTRIBUTES = 0x2605;
constexpr UINT RTEM_SETPIXELSIZE = 0x2606;
constexpr UINT RTEM_GETPIXELSIZE = 0x2607;
constexpr UINT RTEM_SETTEXTCOLOR = 0x2608;
constexpr UINT RTEM_GETTEXTCOLOR = 0x2609;
constexpr UINT RTEM_SETBACKCOLOR = 0x260A;
constexpr UINT RTEM_GETBACKCOLOR = 0x260B;
constexpr UINT RTEM_SETSHIFT = 0x260C;
constexpr UINT RTEM_GETSHIFT = 0x260D;
constexpr UINT RTEM_SETSTYLEVALUEB = 0x260E;
constexpr UINT RTEM_GETSTYLEVALUEB = 0x260F;
constexpr UINT RTEM_SETSTYLEVALUEA = 0x2610;
constexpr UINT RTEM_GETSTYLEVALUEA = 0x2611;
constexpr UINT RTEM_DEFINESTYLE = 0x2613;
constexpr UINT RTEM_APPLYSTYLE = 0x2614;
constexpr UINT RTEM_DEFINESTYLEREC = 0x2615;
constexpr UINT RTEM_NEWSTYLENAME = 0x2616;
constexpr UINT RTEM_GETSTYLENAME = 0x2617;
constexpr UINT RTEM_GETRANGESTYLENAME = 0x2618;
constexpr UINT RTEM_STYLENAMECOUNT = 0x2619;
constexpr UINT RTEM_APPLYSTYLENAME = 0x261A;
constexpr UINT RTEM_FINDSTYLENAME = 0x261B;
constexpr UINT RTEM_RENAMESTYLE = 0x261C;
constexpr UINT RTEM_DELETESTYLENAME = 0x261D;
// Paragraph group.
constexpr UINT RTEM_SETINDENT = 0x2800;
constexpr UINT RTEM_GETINDENT = 0x2801;
constexpr UINT RTEM_SETALIGN = 0x2802;
constexpr UINT RTEM_GETALIGN = 0x2803;
constexpr UINT RTEM_SETPARVALUE1 = 0x2804;
constexpr UINT RTEM_GETPARVALUE1 = 0x2805;
constexpr UINT RTEM_GETPARVALUE2 = 0x2806;
constexpr UINT RTEM_SETPARVALUE2 = 0x2807;
constexpr UINT RTEM_GETPARVALUE3 = 0x2808;
constexpr UINT RTEM_SETPARVALUE3 = 0x2809;
constexpr UINT RTEM_SETTAB = 0x280A;
constexpr UINT RTEM_GETTABCOUNT = 0x280B;
constexpr UINT RTEM_GETTABS = 0x280C;
constexpr UINT RTEM_GETTABFLAGS = 0x280D;
constexpr UINT RTEM_SETPARBIT = 0x280E;
constexpr UINT RTEM_GETPARBIT = 0x280F;
// Appearance group.
constexpr UINT RTEM_SETBKCOLOR = 0x3200;
constexpr UINT RTEM_GETBKCOLOR = 0x3201;
constexpr UINT RTEM_SETFRAMEPEN = 0x3202;
constexpr UINT RTEM_GETFRAMEPEN = 0x3203;
constexpr UINT RTEM_SETCOLUMNPEN = 0x3204;
constexpr UINT RTEM_GETCOLUMNPEN = 0x3205;
constexpr UINT RTEM_SETRULEPEN = 0x3206;
constexpr UINT RTEM_GETRULEPEN = 0x3207;
constexpr UINT RTEM_SETCOLUMNS = 0x3208;
constexpr UINT RTEM_GETCOLUMNS = 0x3209;
constexpr UINT RTEM_SETMARGINS = 0x320C;
constexpr UINT RTEM_GETMARGINS = 0x320D;
constexpr UINT RTEM_INSERTBREAK = 0x3212;
constexpr UINT RTEM_SETSCALE = 0x320A;
constexpr UINT RTEM_GETSCALE = 0x320B;
constexpr UINT RTEM_SETDOCBIT6 = 0x320E;
constexpr UINT RTEM_GETDOCBIT6 = 0x320F;
constexpr UINT RTEM_SETDOCBIT7 = 0x3210;
constexpr UINT RTEM_GETDOCBIT7 = 0x3211;
constexpr UINT RTEM_PAGEOFOFFSET = 0x3213;
constexpr UINT RTEM_PAGEATPOINT = 0x3214;
constexpr UINT RTEM_GETPAGERECT = 0x3215;
constexpr UINT RTEM_SETDOCVALUE = 0x3216;
constexpr UINT RTEM_GETDOCVALUE = 0x3217;
constexpr UINT RTEM_SETPAGEPAIR = 0x3218;
constexpr UINT RTEM_GETPAGEPAIR = 0x3219;
// Page and area group.
constexpr UINT RTEM_SETRECT = 0x3400;
constexpr UINT RTEM_GETRECT = 0x3401;
constexpr UINT RTEM_SETVIEWAREA = 0x3402;
constexpr UINT RTEM_GETVIEWAREA = 0x3403;
constexpr UINT RTEM_SETCONTAINERS = 0x3404;
constexpr UINT RTEM_ADDCONTAINER = 0x3405;
constexpr UINT RTEM_CONTAINERCOUNT = 0x3406;
constexpr UINT RTEM_GETCONTAINER = 0x3407;
constexpr UINT RTEM_DELCONTAINER = 0x3408;
constexpr UINT RTEM_SETCONTAINER = 0x3409;
constexpr UINT RTEM_CONTAINERATPOINT = 0x340A;
constexpr UINT RTEM_RESETCONTAINERS = 0x340B;
constexpr UINT RTEM_ADDEXCLUSION = 0x340C;
constexpr UINT RTEM_EXCLUSIONCOUNT = 0x340D;
constexpr UINT RTEM_GETEXCLUSION = 0x340E;
constexpr UINT RTEM_DELEXCLUSION = 0x340F;
constexpr UINT RTEM_SETEXCLUSION = 0x3410;
constexpr UINT RTEM_CLEAREXCLUSIONS = 0x3411;
constexpr UINT RTEM_EXCLUSIONATPOINT = 0x3412;
constexpr UINT RTEM_SETEXCLUSIONVALUE = 0x3413;
constexpr UINT RTEM_GETEXCLUSIONVALUE = 0x3414;
constexpr UINT RTEM_MOVEEXCLUSION = 0x3415;
// Embedded-object group (the object record is RteControlObject).
constexpr UINT RTEM_INSERTOBJECT = 0x3000;
constexpr UINT RTEM_APPLYOBJECT = 0x3001;
constexpr UINT RTEM_COUNTOBJECTS = 0x3002;
constexpr UINT RTEM_GETOBJECT = 0x3003;
constexpr UINT RTEM_SETOBJECT = 0x3004;
constexpr UINT RTEM_GETOBJECTRECT = 0x3005;
constexpr UINT RTEM_SETOBJECTSIZE = 0x3006;
constexpr UINT RTEM_OBJECTATPOINT = 0x3007;
constexpr UINT RTEM_NEXTOBJECT = 0x3008;
constexpr UINT RTEM_DELETEOBJECT = 0x3009;
constexpr UINT RTEM_GETOBJECTAT = 0x300A;
constexpr UINT RTEM_UPDATEOBJECT = 0x300B;
// Text and selection group.
constexpr UINT RTEM_GETSEL = 0x2C00;
constexpr UINT RTEM_SETSEL = 0x2C01;
constexpr UINT RTEM_INSERT = 0x2C02;
constexpr UINT RTEM_GETTEXTRANGE = 0x2C03;
constexpr UINT RTEM_COPYTEXT = 0x2C04;
constexpr UINT RTEM_PREPAREUNDO = 0x2C05;
constexpr UINT RTEM_UNDO = 0x2C06;
constexpr UINT RTEM_UNDOKIND = 0x2C07;
constexpr UINT RTEM_SELECTALL = 0x2C08;
constexpr UINT RTEM_HASRANGE = 0x2C09;
constexpr UINT RTEM_CANPASTE = 0x2C0A;
constexpr UINT RTEM_ENABLEUNDO = 0x2C0B;
constexpr UINT RTEM_SETCARET = 0x2C0C;
constexpr UINT RTEM_GETHILITERGN = 0x2C0D;
constexpr UINT RTEM_PARLINECOUNT = 0x2C0E;
constexpr UINT RTEM_PARLINEAT = 0x2C0F;
constexpr UINT RTEM_PARLINESTART = 0x2C10;
constexpr UINT RTEM_SECONDCOUNT = 0x2C11;
constexpr UINT RTEM_SECONDAT = 0x2C12;
constexpr UINT RTEM_SECONDRANGE = 0x2C13;
constexpr UINT RTEM_CARETRECT = 0x2C14;
constexpr UINT RTEM_WORDBOUNDS = 0x2C15;
constexpr UINT RTEM_PARBOUNDS = 0x2C16;
constexpr UINT RTEM_COPYDOC = 0x2C17;
constexpr UINT RTEM_INSERTDOC = 0x2C18;
constexpr UINT RTEM_INSERTDOCPLAIN = 0x2C19;
constexpr UINT RTEM_INSERTDOCSTYLED = 0x2C1A;
constexpr UINT RTEM_DESTROYDOC = 0x2C1B;
constexpr UINT RTEM_CARETRIGHT = 0x2C1C;
constexpr UINT RTEM_CARETLEFT = 0x2C1D;
// Storage group.
constexpr UINT RTEM_SAVE = 0x2E00;
constexpr UINT RTEM_SAVEBOUND = 0x2E01;
constexpr UINT RTEM_SAVETEXT = 0x2E02;
constexpr UINT RTEM_SAVETEXT2 = 0x2E03;
constexpr UINT RTEM_LOAD = 0x2E04;
constexpr UINT RTEM_LOADBOUND = 0x2E05;
constexpr UINT RTEM_LOADTEXT = 0x2E06;
constexpr UINT RTEM_REGISTERRECORD = 0x2E07;
constexpr UINT RTEM_WRITERECORD = 0x2E08;
constexpr UINT RTEM_PROBE = 0x2E09;
constexpr UINT RTEM_PRINTPAGE = 0x2E0A;
constexpr UINT RTEM_GETPRINTINFO = 0x2E0B;
constexpr UINT RTEM_FITPRINTPAGE = 0x2E0C;
constexpr UINT RTEM_SETOUTPUTREC = 0x2E0D;
constexpr UINT RTEM_GETOUTPUTDC = 0x2E0E;
constexpr UINT RTEM_SAVEMEM = 0x2E0F;
constexpr UINT RTEM_LOADMEM = 0x2E10;
constexpr UINT RTEM_PROBEMEM = 0x2E11;
constexpr UINT RTEM_REFIT = 0x2E12;

// The control's parameter record (messages 0x1407 and 0x1408): the pens are taken over by the
// control; the flags are read only, the set message applies them through the flag-apply step.
struct RteControlInfo {
    uint32_t flags;
    uint32_t notifyFlags;
    int16_t hSlack;
    int16_t vSlack;
    RECT wrap;
    RECT view;
    RECT margins;  // left, top, right, bottom
    HPEN columnPen;
    HPEN framePen;
    HPEN rulePen;
    int16_t columns;
    int16_t columnGap;
    int16_t rulePenWidth;
    int16_t pageValue;
    int16_t paintMode;
    int16_t editRedraw;
    int16_t scrollRedraw;
    int16_t spareMode;
};

// The record of RTEM_CARETRECT: the offset in, the rect (engine order) and the negated display
// offsets out.
struct RteCaretRecord {
    int32_t offset;
    RteRect rect;
    int32_t v;
    int32_t h;
};

// The print record: a page of a DC, its margins, its resolution (horizontal dots per inch in the
// high word, vertical in the low; 0: the DC's) and the pages to print (last 0: up to the end).
struct RtePrintRecord {
    HDC dc;
    int32_t reserved;
    RECT page;
    RECT margins;
    int32_t resolution;
    int16_t nextPage;
    int16_t lastPage;
    int32_t result;
};

// The caller's own records: type 1052 + number, written by RTEM_WRITERECORD (number 0 unless the
// caller sets it) and read back through RTEN_USERRECORD once registered by RTEM_REGISTERRECORD.
constexpr int32_t RTE_USER_RECORD = 1052;
struct RteUserRecord {
    int32_t position;
    int32_t value;
    const uint8_t* start;
    const uint8_t* end;
    int32_t number;
};
struct RteUserRecordNotify {
    int32_t zero;
    int32_t type;
    const void* bytes;
    int32_t count;
};

// The container record: a rect in engine order and, from the get messages, the negated display
// offsets.
struct RteContainerRecord {
    int32_t ignored;
    RteRect rect;
    int32_t reserved;
    int32_t v;
    int32_t h;
};

// The record of RTEM_GETPAGERECT: the page (from 1) in; its first wrap rect (engine order) and
// the negated display offsets out.
struct RtePageRectRecord {
    int32_t page;
    RteRect rect;
    int32_t v;
    int32_t h;
};

// The record of RTEM_GETTEXTRANGE.
struct RteTextRangeRecord {
    int32_t offset;
    int32_t count;
    char* buffer;
};

// The records of the style-sheet and style-name messages, kept at the sizes the text object
// stores (82, 536 and 682 bytes). The font-style record: a C-string font name, the size in
// whole points, the style's attribute unit 21, the attribute bits as RTEM_GETATTRIBUTES gives
// them and the text colour. The paragraph record: units of the paragraph format.
#pragma pack(push, 2)
struct RteFontStyleRecord {
    char fontName[64];
    int32_t pointSize;
    int16_t unit21;
    int16_t reserved;
    uint32_t attributes;
    RteColor textColor;
};
struct RteParagraphRecord {
    int32_t leftIndent;
    int32_t rightIndent;
    int32_t firstIndent;
    int16_t alignment;
    int16_t tabCount;
    RteTab tabs[RTE_MAX_TABS];
    int16_t spaceAfter;
    int16_t spaceBefore;
    int16_t lineSpacing;
    int16_t keepTogether;  // bit 0x1, with the other bits of its unit
};
struct RteStyleNameRecord {
    char name[64];
    RteFontStyleRecord character;
    RteParagraphRecord paragraph;
};
#pragma pack(pop)
static_assert(sizeof(RteFontStyleRecord) == 82);
static_assert(sizeof(RteParagraphRecord) == 536);
static_assert(sizeof(RteStyleNameRecord) == 682);

// The output record of RTEM_SETOUTPUTREC: owned by the caller, who keeps it while the control
// uses it; its first value is a DC, which the control deletes when it is destroyed.
struct RteOutputRecord {
    HDC dc;
};

// The control's record, one per window, its handle in the window's extra bytes. Every window,
// DC, pen and handle has a pointer-sized field.
struct RteControl {
    RteHandle document;
    RteHandle undo;
    HWND notifyWindow;
    HWND window;
    uint16_t id;
    uint16_t keyState;
    uint16_t buttonState;
    uint16_t trackingHit;
    int16_t paintMode;
    int16_t editRedraw;
    int16_t scrollRedraw;
    int16_t keyInsertMode;
    int16_t spareMode;
    uint16_t state;
    int16_t margins[4];  // left, right, top, bottom
    int16_t columns;
    int16_t columnGap;
    int16_t framePenWidth;
    int16_t columnPenWidth;
    int16_t rulePenWidth;
    int16_t pageValue;
    RteRect wrap;
    RteRect view;
    uint32_t style;
    uint32_t notifyFlags;
    uint32_t flags;
    HPEN framePen;
    HPEN columnPen;
    HPEN rulePen;
    int32_t textLimit;
    int16_t hSlack;
    int16_t vSlack;
    RteHandle userData;
    RteHandle objectUnderMouse;
};

// First use and last use of the engine by the process's controls.
void RteControlStartup(HINSTANCE instance, const char* fontName, HBRUSH background);
void RteControlShutdown();
void RteGetEnvironment(void* buffer);
void RteSetEnvironment(const void* buffer);
RteEnvironment* RteEnvironmentOf();
RteMemContext* RteControlContext();
RteHandle RteControlAlloc(int32_t count, bool zeroed);
// The locked record of a window's control (the caller unlocks the handle), or null. A null window
// stands for the control of the current document: the one that last took the focus.
RteControl* RteControlFromWindow(HWND window, RteHandle* handle);
// At most 63 characters, the count in the first byte.
void RteNameToCounted(const char* name, char* out);
UINT RteControlClipboardFormat();

LRESULT CALLBACK RteControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
