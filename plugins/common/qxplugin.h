// What every object plug-in shares with the host that reads its tools: the tool record that
// GetTool fills, the tool-bar bitmaps a module keeps from attach to detach, and the marker of
// the undecorated exports.
#pragma once

#include "kernel.h"
#include "objet.h"

// Hosts bind the plug-in's entry points by their plain names.
#define QXPLUGIN_EXPORT extern "C" __declspec(dllexport)

// The interactive creation function a tool record names.
using TOOLCREATE = void (*)(KERNEL* kernel, int unused);

// Filled by GetTool; the host reads it in this order.
struct TOOLINFO {
    TOOLCREATE create;
    DWORD reserved1;     // always 0
    DWORD reserved2;     // always 0
    HBITMAP bitmap1;     // the three belong to the module: the host never frees them
    HBITMAP bitmap2;
    HBITMAP bitmap3;
    char menuPath[200];  // menu;submenu;item with '&' before the access letters
    char tooltip[80];
    QXSTRING helpPage;
};

// The tool-bar category of objects that can be added to a page.
constexpr int QX_TOOL_CATEGORY_OBJECT = 2;
// String of every module: the menu path of its tool.
constexpr int QX_STRING_MENU_PATH = 200;

// "BITMAP1".."BITMAP3" of a module; null handles when a bitmap failed to load.
struct TOOLBITMAPS {
    HBITMAP bitmaps[3]{};
    void Load(HINSTANCE module);
    void Free();
};

// GetNumberTools of a module with one tool.
int ToolCount(int category);
// GetTool of a module with one tool: fills the record for the object category only.
void FillToolInfo(HINSTANCE module, const TOOLBITMAPS& bitmaps, TOOLCREATE create, int tooltipId,
                  const char* helpPage, int category, TOOLINFO* tool);

// The object's window made at its rectangle, titled and shown without activation; null when
// the kernel could not make it.
HWND CreateShownObjectWindow(OBJET& object, const char* helpPage, const char* title);

// True when the text after the last '.' of path is one whole word of `words` (words
// separated by blanks, compared without regard to case).
bool HasSuffixIn(const char* path, const char* words);
