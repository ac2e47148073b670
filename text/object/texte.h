// TEXTE: a rectangle of styled text on a page, laid out and drawn by the rich-text engine.
// Runs of the text may carry branches (links), each with a hover message; the text travels in
// the page record (inline) or in a text file of its own.
#pragma once

#include "brmsg.h"
#include "objet.h"
#include "rte_environment.h"
#include "rte_types.h"
#include "text_defaults.h"

class TABRULER;

// Private message of the object window: update the scroll bar again.
constexpr UINT TM_REFRESHSCROLL = WM_USER + 27;

// The text's module word and the help page of its tool and window.
constexpr const char* QX_TEXT_MODULE = "QXTEXT.DLL";
constexpr const char* QX_TEXT_HELP_PAGE = "texte.pag";

// Formats of a loaded text file.
enum TEXTFORMAT : int {
    TEXTFORMAT_NONE = 0,
    TEXTFORMAT_PLAIN = 1,    // the engine's plain translator
    TEXTFORMAT_RTF = 2,
    TEXTFORMAT_NATIVE = 3,   // the engine's record stream
    TEXTFORMAT_QXTEXT = 4,   // the plug-in's own files and plain text with its markup
    TEXTFORMAT_HTML = 5,
};

// The largest text written inline into a page; a longer one goes to a file of its own.
constexpr long QX_TEXT_INLINE_MAX = 32760;

class TEXTE : public OBJET {
public:
    TEXTE(KERNEL* kernel, HINSTANCE module);
    ~TEXTE() override;

    void GetFonts(FONTS_LIST* list) override;
    void SetXYWH(int x, int y, int w, int h) override;
    LRESULT WindowsMessage(MSGL* msg) override;
    LRESULT KernelMessage(MSGL* msg) override;
    int Load(QXFILE file, int& universe) override;
    int SetProperties(long id, const char* value) override;
    int GetProperties(long id, int size, char* buffer) override;
    void Select() override;
    void UnSelect() override;
    // The editor on a copy of the object; 0 while the module has no editor.
    int Modify() override;
    int IsStdClipFormatAvailable() override { return 1; }
    void CopyToClipboard(char* text) override;
    int Save(QXFILE file, int& universe, int withBranches) override;
    int ExportToDHTML(QXFILE file, int& index) override;
    OBJET& operator=(const OBJET& other) override;
    // One text given to another (the editor's copy and back) goes through the assignment above:
    // a member-wise copy would share the document, and the copy's end would free the source's.
    TEXTE& operator=(const TEXTE& other)
    {
        operator=(static_cast<const OBJET&>(other));
        return *this;
    }
    // No caller in the system: stores an empty string into the buffer when one is given.
    virtual void Reserved(int unused, char* buffer);

    // The document: disposed, then made again for the window (not for an editing copy or
    // without a window); the visited list is emptied.
    void RebuildDocument();
    // Imports the text file into the document (the edit control's for an editing copy); an
    // asynchronous fetch is started when the file is not at hand.
    void LoadText();
    // Imports a file into the document as the probe chooses; false after the loading alert.
    bool ImportFile(const char* path);
    // Draws the text into the DC at the offset, clipped to the rectangle (the view area when
    // null); loads the text first when there is neither document nor edit control.
    void DrawText(HDC dc, int offsetX, int offsetY, const RECT* clip);
    // Creates or destroys the scroll bar as the text needs it; true when the text scrolls.
    bool UpdateScrollBar();
    // The view and wrap areas from the window (or edit control) less the scroll bar and margins.
    void SetViewAreas();
    // The display scaling for the page extent against the reference width.
    void SetScaling();
    // The view rectangle in the window's client coordinates.
    RECT ViewRect() const;
    // The document drawn and edited: the edit control's for an editing copy.
    RteHandle ActiveDocument() const;

    // Branches inside the text.
    void OnMouseMove(MSGL* msg);
    void OnLeftButtonDown(MSGL* msg);
    void StartMessage(BRMSG* message);
    void CloseHoveredMessage();
    // The branch id of the character under the point of the object window; 0 for none.
    int BranchIdAt(POINT point, RECT* lineRect = nullptr);
    void ApplyVisitedStyling();
    void RemoveVisitedStyling();
    // Gives every run of the id from its first the visited look; saves what it replaced.
    void StyleVisitedRuns(int id, bool save);
    // The message of branch i; null when there are fewer messages than branches.
    BRMSG* Message(int index) { return static_cast<BRMSG*>(messages.GetItem(index)); }

    // The display: document, scroll bar, reference width and background.
    RteHandle document{};       // null until the text is loaded
    HWND scrollBar{};           // null while the text fits
    double referenceWidth = 0;  // universe width of 100 pixels when the text was laid out
    int transparent = 0;
    COLORREF background = 0xFFFFFF;

    // Only for the editing copy the editor works on.
    RteHandle editDocument{};
    HWND* editScrollBar{};
    HWND editControl{};
    HBITMAP backgroundSnapshot{};
    HBITMAP tabBitmaps[4]{};  // left, centred, right, decimal
    TABRULER* tabRuler{};

    LIST visited;             // of STKBR
    int visitedApplied = 0;
    uint32_t flagsBeforeVisited[2]{};  // the document's flags and flags2 before the first visited run
    TEXTDEFAULTS defaults;
    LIST messages;            // of BRMSG, one a branch
    BRMSG* hovered{};
    int messageActive = 0;

    QXSTRING fileName;        // as the page names it (absolute in memory); "" for none
    QXSTRING localCopy;       // where the text file lies once fetched
    QXSTRING pendingFile;     // replaces the document at the next assignment, then deleted
    QXSTRING importOnShow;    // imported at the first show, then cleared
    int ownsTempFile = 0;     // the local text file is this object's cache file: deleted with it
    int external = 0;         // the text stays in its own file beside the publication
    int dropped = 0;
    int format = TEXTFORMAT_NONE;
    int painting = 0;         // set while the object paints: the loaders do not invalidate
};

// The module's instance, for its resources.
HINSTANCE TextModule();
// The engine environment of the module; null while no text object lives.
RteEnvironment* TextEngine();
// Counts a new live text object; the first starts the engine and the "rtedit" control.
void TextEngineAddUser();
// The last one to go shuts them down; a later object starts them again.
void TextEngineRemoveUser();
