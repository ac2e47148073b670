// OBJET, the base class of every object on a page, with the record of the messages it is
// handed (MSGL) and the block of its hover message (MESSOBJ). A page is the tree of OBJETs
// under one root; each object owns its children, its branches and its message block.
#pragma once

#include "qxkernel.h"
#include "fonts.h"
#include "qxmsgwind.h"

#include <vector>

// What an object's WindowsMessage and KernelMessage receive.
struct MSGL {
    WORD mode;      // low 16 bits of the kernel mode when the record was built
    HWND window;    // the object window for Windows messages, null for kernel messages
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// Font and colours of a hover message.
struct MESSAGESTYLE {
    LOGFONTA font;
    Color text;
    Color background;
};

// The style a new message block starts with, for the whole process; the general-options
// dialog may change it.
QXCORE_EXPORT MESSAGESTYLE* KernGetDefaultMessageStyle();

// The hover message of an object: created on demand, owned by its object.
struct QXCORE_API MESSOBJ {
    MESSOBJ();  // the process-wide default style, everything else empty
    ~MESSOBJ();
    MESSOBJ(const MESSOBJ&) = delete;
    MESSOBJ& operator=(const MESSOBJ&) = delete;

    QXSTRING text;    // may hold CR LF pairs
    QXSTRING title;
    QXSTRING sound;   // absolute in memory, relative in files
    int delay{};      // seconds before the message shows
    LOGFONTA font{};
    Color textColour{};
    Color backColour{};
    int shown{};      // the message window is up
    MSGWIND window;
    int timerArmed{};
    TIMERPROC timerProc{};
};

// Extra bits of OBJET's visibility word, above its own invisibility byte.
constexpr int QX_VISIBILITY_WAITING = 0x100;  // hidden until the show delay has run

// Window timers of object windows.
constexpr UINT_PTR QX_TIMER_HOVER = 1;
constexpr UINT_PTR QX_TIMER_SHOWDELAY = 169;

class QXCORE_API OBJET : public HUGELNODE {
public:
    // A plain object of the kernel; plug-ins construct their objects through it.
    OBJET(KERNEL* kernel, HINSTANCE module);
    virtual ~OBJET();

    // The virtual operations, in the order every plug-in's table follows (after the two
    // comparison operators and the destructor of HUGELNODE).
    virtual void SetBeParent(int beParent);
    virtual void GetFonts(FONTS_LIST* list);
    virtual int BeginWaitingForShow();
    virtual void EndWaitingForShow();
    virtual void SetXYWH(int x, int y, int w, int h);
    virtual int isBaseObject();
    virtual LRESULT WindowsMessage(MSGL* msg);
    virtual LRESULT KernelMessage(MSGL* msg);
    virtual int Load(QXFILE file, int& universe);
    virtual int SetProperties(long id, const char* value);
    virtual int GetProperties(long id, int size, char* buffer);
    virtual void Select();
    virtual void UnSelect();
    virtual int Modify();
    virtual int IsStdClipFormatAvailable();
    virtual void CopyToClipboard(char* text);
    virtual int PasteFromClipboard(char* text);
    virtual int Save(QXFILE file, int& universe, int withBranches);
    virtual int ExportToDHTML(QXFILE file, int& index);
    virtual void AfficherInfos();
    virtual OBJET& operator=(const OBJET& other);
    virtual int DelaiObjetShow();

    // Names.
    void SetDLLName(const char* name);  // at most 19 characters kept
    const char* GetDLLName() const { return moduleName; }
    char* GetUserID() { return userID; }
    char* GetTmpUserID() { return tmpUserID; }
    const char* GetObjetName() const { return objetName; }
    HINSTANCE GetHDLL() const { return module; }
    KERNEL* GetKernel() const { return kernel; }
    const char* GetUserString() const { return userString; }
    void SetUserString(const char* text);  // at most 511 characters kept

    // The tree.
    OBJET* GetParent() const { return parent; }
    void SetParent(OBJET* newParent) { parent = newParent; }
    void AddChild(OBJET* child);
    void InsertChild(OBJET* child, int index);
    void RemoveChild(OBJET* child);
    bool HasChild(OBJET* child);
    int FindPos();
    HWND FindHwnd(int index);
    // The child after this one in its parent's list, null for the last one or without a
    // parent: one step, where finding its place first would walk the list.
    OBJET* NextSibling() const { return parent ? static_cast<OBJET*>(next) : nullptr; }
    OBJET* GetChild(int index) { return static_cast<OBJET*>(children.GetItem(index)); }
    int GetChildItems() const { return children.Items(); }
    // The children in their order, taken in one pass: the list is singly linked, and asking
    // for them by index from the last one down would walk it from its head for each child.
    std::vector<OBJET*> Children();

    // Branches.
    int GetBranchItems() const { return branches.Items(); }
    BRANCH* GetBranch(int index);
    void AddBranch(BRANCH* branch);
    BRANCH* RemoveBranch(int index);  // unlinked; the caller owns it

    // State.
    void SetModeless(int on) { modeless = on; }
    void SetSizeDep(int on) { sizeDep = on; }
    void SetInvisibility(int invisible);  // the object's own byte only
    int Invisibility() const;
    int In(int px, int py) const;

    // Hover message.
    void SetMsgTimer();
    void ReleaseMsgTimer();
    void AfficherMessage(const char* title, const char* text);
    void ReleaseMessage();

    // The dialog procedure of the general options of an object.
    static INT_PTR CALLBACK LoadOptGenProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Painting and export helpers.
    void DrawWindowBackground(HDC dc);
    // Draws the image with the object's transition effect; -1 when it has none.
    int DrawEffect(HWND window, HDC dc, int x, int y, int width, int height, void* image, HPALETTE palette,
                   long rasterOp, int flags);
    // Drives the effect combo box of an object's dialog; 1 when the message was its own.
    int EffectComboCommand(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam, HWND combo);
    int ExportTooltipToDHTML(QXFILE file);

    // Members, in the order of the object model; 0 unless the constructor says otherwise.
    int selected{};
    char moduleName[20]{}; // plug-in file name without the version, "" for a plain object
    char userID[20]{};
    char tmpUserID[20]{};
    char objetName[20]{};
    HINSTANCE module{};    // the plug-in that made the object, null for the kernel's own
    HUGELIST branches;     // of BRANCH
    FONTS_LIST fonts;
    KERNEL* kernel{};
    OBJET* parent{};       // null for a page root
    char userString[512]{};
    HWND window{};         // window long 0 points back to the object
    int modeless{};
    int x{}, y{}, w{}, h{}; // pixels, relative to the parent window
    unsigned int defX{}, defY{}, defWidth{}, defHeight{}; // 0, 0, 75, 75: the size of a new object
    double ux{}, uy{}, uw{}, uh{};                 // universe units
    int beParent{};        // may hold children
    MESSOBJ* message{};    // null until one is loaded or edited
    int sizeMode{};        // 1 defined, 3 maximal
    BYTE sizeChoice{};     // the options dialog may change the size mode
    BYTE loaded{};         // Load completed, or a creation function placed the object
    int paintThrough{};    // paints its whole rectangle itself
    int activeCursor{};
    int shown{};           // between KM_SHOWN and KM_LEAVEPAGE
    int sizeDep{};
    int visibility{};      // low byte: own invisibility; QX_VISIBILITY_WAITING
    double showDelay{};    // seconds
    BYTE delayPending{};   // the show delay still has to run on the next show
    UINT_PTR delayTimer{}; // 0 when none runs
    BYTE closeOnLeave{};   // a page root: destroy the page when it is left
    QXSTRING effectModule; // transition effect: module file name and index within it
    int effectIndex{};
    int effectId{};        // kernel-wide effect number, 0 for none
    int effectPending{};   // the effect is still to be played on the next show
    HUGELIST children;     // in stacking order, first lowest
    int fileWait{};        // non-zero while the object waits for a remote file

    static constexpr int ModuleNameChars = 19;
    static constexpr int UserIdChars = 19;
    static constexpr int UserStringChars = 511;
};

// Destroys an object: its transfers are cancelled, the hover forgotten, it leaves its parent,
// is deleted and gives back its reference on its plug-in module.
QXCORE_EXPORT void KillObjet(OBJET* object);

// Among the objects under root whose show-delay timer runs, the one with the smallest
// delay (the first found on equal delays); null when none.
QXCORE_EXPORT OBJET* KernFindMinDelai(KERNEL* kernel, OBJET* root);
// Re-arms the show-delay timers of the other waiting objects of the object's page for what
// remains of their delays once this object is shown. Returns 0.
QXCORE_EXPORT int KernReInitTimer(KERNEL* kernel, OBJET* object);
// Invalidates, with erasing, the parts of the windows above target (in the tree under root)
// that intersect rect (target's window rectangle when null); clears *goOn on reaching target.
QXCORE_EXPORT void KernInvalidateWindowOverObjet(KERNEL* kernel, OBJET* root, OBJET* target, int* goOn,
                                                 const RECT* rect);
