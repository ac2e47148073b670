#include "navtest.h"

#include "history.h"

#include <cstring>
#include <vector>

namespace {

using RECOBJLOG = const char* (*)();
using RECOBJCLEAR = void (*)();

HMODULE RecObjModule()
{
    static HMODULE module = LoadLibraryA((TestPluginFolder() + "qxrecobj40.dll").c_str());
    return module;
}

std::vector<std::string> RecRecord(const std::string& label, int children, const std::string& colour,
                                   const std::string& rect, int closeOnLeave)
{
    std::vector<std::string> record = {Separator(), "OBJET {", "QXRECOBJ.DLL", std::to_string(children)};
    for (const std::string& line : PlainCommonBlock())
        record.push_back(line);
    for (const std::string& line : {std::string("RECOBJ {"), label, colour, rect, std::to_string(closeOnLeave),
                                    std::string("}")})
        record.push_back(line);
    return record;
}

}  // namespace

std::vector<std::string> RecObjectRecord(const std::string& label, int children, const std::string& colour,
                                         const std::string& rect)
{
    return RecRecord(label, children, colour, rect, 0);
}

std::string RecPage(const std::string& label, const std::string& colour, int closeOnLeave)
{
    return PageText({RecRecord(label, 1, "192 192 192", "0 0 200 100", closeOnLeave),
                     RecRecord(label + "-child", 0, colour, "10 10 50 30", 0)});
}

std::string TestToolFolder(const std::string& name)
{
    std::string folder = TestPluginFolder();
    folder.resize(folder.size() - std::strlen("kernplugins\\"));
    return folder + name + "\\";
}

std::string RecLog()
{
    return reinterpret_cast<RECOBJLOG>(reinterpret_cast<void*>(GetProcAddress(RecObjModule(), "RecObjLog")))();
}

void ClearRecLog()
{
    reinterpret_cast<RECOBJCLEAR>(reinterpret_cast<void*>(GetProcAddress(RecObjModule(), "RecObjClearLog")))();
}

NavKernel::NavKernel()
{
    view = CreateWindowExA(0, "STATIC", "view", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
    host = CreateWindowExA(0, "STATIC", "Publication", WS_CHILD, 0, 0, 300, 200, view, nullptr, nullptr, nullptr);
    kernel->appWindow = new QORVEXWINDOW{host, GetModuleHandleA(nullptr)};
    kernel->appTitle = "Publication";
    kernel->scnPath = pub.Path().c_str();
    ClearRecLog();
}

NavKernel::~NavKernel()
{
    while (kernel->history.Items() > 0)
        kernel->history.Pop();
    DestroyWindow(view);
}

std::string NavKernel::Shown() const
{
    OBJET* root = KernGetTopObjet(kernel);
    if (!root || !root->window)
        return "";
    char title[100] = "";
    GetWindowTextA(root->window, title, sizeof title);
    return title;
}
