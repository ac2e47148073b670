// The process-wide state of the kernel library, and its string table.
#include "kernelprocess.h"

#include "qxwindowtree.h"
#include "qxutil.h"

#include <cstdio>
#include <cstring>

KERNPROCESS& KernProcess()
{
    static KERNPROCESS process;
    return process;
}

QXSTRING KernModuleFolder()
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(KernProcess().module, path, sizeof path);
    char* cut = std::strrchr(path, '\\');
    if (cut)
        cut[1] = '\0';
    else
        path[0] = '\0';
    return QXSTRING(path);
}

QXSTRING KernString(int id)
{
    QXSTRING text;
    text.LoadResource(KernProcess().module, id);
    return text;
}

int KernAlert(HWND owner, int caption, int text)
{
    return Alert(owner, KernString(caption), KernString(text));
}

int KernAlert(HWND owner, int caption, int text, const char* value)
{
    // The texts of the string table hold one "%s" for the value; the value itself may hold
    // any character, so it never becomes the format.
    QXSTRING message;
    message.Format(static_cast<const char*>(KernString(text)), value ? value : "");
    return Alert(owner, KernString(caption), message);
}

int KernTreeMessageBox(HWND owner, int caption, int text, UINT style, const char* value, const char* value2)
{
    QXSTRING message;
    message.Format(static_cast<const char*>(KernString(text)), value ? value : "", value2 ? value2 : "");
    qutl_EnableWindowTree tree;
    tree.GetWindowTree(owner);
    tree.SetEnableState(0);
    const int answer = MessageBoxA(owner, message, KernString(caption), style);
    tree.ResetInitEnableState();
    return answer;
}
