// Finding an object from a window handle: object pointers kept in window properties, and
// snapshots of a window's property names and of its descendant windows.
#pragma once

#include "qxbase.h"

// The pointer pair: one object pointer a window, in the properties "QXHI" (every bit above
// the low 16) and "QXLO" (the low 16 bits). Returns the second property write's result.
extern "C" QXBASE_API BOOL SetQORVEXpointer(HWND window, void* pointer);
// The pointer of the pair, null when the window carries none.
extern "C" QXBASE_API void* GetQORVEXpointer(HWND window);

// Keyed pointers: any number a window, each the NAME of a property with a null value,
// "QORVEY" + the pointer in 16 hexadecimal digits + " first second". A new use takes a key
// pair of its own; the pairs in use are listed below.
extern "C" QXBASE_API BOOL SetQORVEXXpointer(HWND window, int first, void* pointer, int second);
// The pointer recorded with exactly these keys, null when none.
extern "C" QXBASE_API void* GetQORVEXXpointer(HWND window, int first, int second);
// Removes the property that SetQORVEXXpointer(window, first, pointer, second) wrote; what
// the removal returns (the property's value, always null for these properties).
extern "C" QXBASE_API HANDLE ClearQORVEXXpointer(HWND window, void* pointer, int first, int second);

// Key pairs in use.
constexpr int QXKEY_CLICKED_OBJECT_1 = 0, QXKEY_CLICKED_OBJECT_2 = 1;      // page window, click delay
constexpr int QXKEY_HOVER_OBJECT_1 = 512, QXKEY_HOVER_OBJECT_2 = 0;        // object's own window
constexpr int QXKEY_BUTTON_TOOLTIP_1 = 512, QXKEY_BUTTON_TOOLTIP_2 = 1;    // QXButton
constexpr int QXKEY_BRANCH_TIMER = 275;                                    // second key: the timer id
constexpr int QXKEY_WINDOW_BLOCK_1 = 999, QXKEY_WINDOW_BLOCK_2 = 999;      // MSGWIND font block, preview record
constexpr int QXKEY_LIST_PROC_1 = 101, QXKEY_LIST_PROC_2 = 101;            // bookmark dialog, its list's own procedure

// Longest property name a snapshot keeps; longer names are cut (keyed names stay far below).
constexpr int QX_PROPERTY_NAME_CHARS = 63;

// The string names of all properties of one window at the moment of construction.
class QXBASE_API WINDOW_PROPS {
public:
    explicit WINDOW_PROPS(HWND window);
    ~WINDOW_PROPS();
    WINDOW_PROPS(const WINDOW_PROPS&) = delete;
    WINDOW_PROPS& operator=(const WINDOW_PROPS&) = delete;

    // The pointer of the first keyed name (in enumeration order) with these keys, or null.
    void* GetQORVEXXpointer(int first, int second) const;

    // Allocated and released by this library, whoever creates the snapshot.
    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    // The property enumeration procedure; `snapshot` is the WINDOW_PROPS being filled.
    static BOOL CALLBACK CallBack(HWND window, LPSTR name, HANDLE value, ULONG_PTR snapshot);

    int fillMode;   // 0 while counting, 1 while copying names
    int fillIndex;  // names copied so far
    int count;      // every property, atom-named ones included: their entries stay empty
    char (*names)[QX_PROPERTY_NAME_CHARS + 1];  // count entries; null when count is 0
};

// All descendant windows of one window at the moment of construction. Callers walk
// windows[0..count-1] directly; count is 0 whenever windows is null.
class QXBASE_API WINDOW_CHILDREN {
public:
    explicit WINDOW_CHILDREN(HWND window);
    ~WINDOW_CHILDREN();
    WINDOW_CHILDREN(const WINDOW_CHILDREN&) = delete;
    WINDOW_CHILDREN& operator=(const WINDOW_CHILDREN&) = delete;

    // The first window whose control id, as 16 bits, equals id as 16 bits; null when none.
    HWND FindID(int id) const;
    // The rectangle of window `id` relative to its parent's window rectangle (all 0 when
    // there is no such window); always 0.
    int GetWindowPos(int id, int& left, int& top, int& right, int& bottom) const;
    // Sends the message to each window in order, stopping at the first non-zero answer,
    // which it returns; 0 when all answered 0.
    LRESULT BroadcastMessage(UINT message, WPARAM wParam, LPARAM lParam) const;

    static void* operator new(size_t bytes);
    static void operator delete(void* block);

    // The child enumeration procedure; `snapshot` is the WINDOW_CHILDREN being filled.
    static BOOL CALLBACK CallBack(HWND window, LPARAM snapshot);

    int fillMode;   // 0 while counting, 1 while storing
    int fillIndex;  // windows stored so far
    int count;
    HWND* windows;
};
