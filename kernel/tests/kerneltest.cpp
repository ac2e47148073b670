#include "kerneltest.h"

#include "gadget.h"
#include "history.h"

namespace {

using TESTOBJTEXT = const char* (*)(OBJET*);
using TESTOBJINT = int (*)(OBJET*);

HMODULE TestObjModule()
{
    static HMODULE module = LoadLibraryA((TestPluginFolder() + "qxtestobj40.dll").c_str());
    return module;
}

template <class Function>
Function TestObjExport(const char* name)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(TestObjModule(), name)));
}

}  // namespace

std::string TestPluginFolder()
{
    char exe[MAX_PATH];
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    std::string folder = exe;
    folder.resize(folder.rfind('\\') + 1);
    return folder + "kernplugins\\";
}

TestKernel::TestKernel(const std::string& appFolder, int mode) : kernel_(new KERNEL)
{
    kernel_->appPath = appFolder.c_str();
    kernel_->mode = mode;
    KernBuildGadgetList(kernel_);
}

TestKernel::~TestKernel() { delete kernel_; }

void TestKernel::Show(const std::string& page)
{
    kernel_->history.Add(page.c_str());
    kernel_->activeFilename = page.c_str();
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

std::string Separator() { return std::string(73, '-'); }

std::vector<std::string> PlainCommonBlock(const std::string& userID)
{
    return {userID, "NULL", "NULL", "0", "NULL", "0", "NULL", "1", "20 0 0 0 400 0 0 0 0 3 2 0 34", "System",
            "0 0 0", "192 192 192", "-1", "NULL", "  0.0", "FONTS [", "0", "]", "}", "BRANCH {", "0",
            "BRANCHEX [", "0", "]", "}"};
}

std::vector<std::string> TestObjRecord(const std::string& label, int children, int isRoot, const std::string& userID)
{
    std::vector<std::string> record = {Separator(), "OBJET {", "QXTESTOBJ.DLL", std::to_string(children)};
    for (const std::string& line : PlainCommonBlock(userID))
        record.push_back(line);
    for (const std::string& line : {std::string("TESTOBJ {"), label, std::to_string(isRoot), std::string("}")})
        record.push_back(line);
    return record;
}

std::string PageText(const std::vector<std::vector<std::string>>& records, const std::string& version)
{
    std::vector<std::string> lines = {"QORVEX-HYPERMEDIA PAGE", "version : " + version};
    for (const auto& record : records)
        lines.insert(lines.end(), record.begin(), record.end());
    lines.push_back(Separator());
    return Lines(lines);
}

std::string TestObjLabel(OBJET* object) { return TestObjExport<TESTOBJTEXT>("TestObjLabel")(object); }

int TestObjUnitsSeen(OBJET* object) { return TestObjExport<TESTOBJINT>("TestObjUnitsSeen")(object); }

std::string Visible(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n\n";
        else
            shown += c;
    }
    return shown;
}
