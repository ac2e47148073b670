// The control as the tests find it: registered with the system's regsvr32 for the whole test
// program (and unregistered at its end, which must take its keys away), and the sample
// publication's files.
#include "registered_control.h"

#include "message_pump.h"
#include "sample_files.h"
#include "test_programs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr const char* kControlKey = "CLSID\\{3BDEBB73-0AA5-11D2-B3DE-0060089131DA}";

std::vector<std::string> PageRecords(const std::string& page)
{
    std::vector<std::string> records;
    const std::string separator = PageSeparator() + "\r\n";
    size_t start = 0;
    for (size_t at = page.find(separator); at != std::string::npos; at = page.find(separator, start)) {
        records.push_back(page.substr(start, at - start));
        start = at + separator.size();
    }
    return records;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const size_t at = text.find(from);
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class RegisteredControl : public ::testing::Environment {
public:
    void SetUp() override
    {
        OleInitialize(nullptr);
        ASSERT_EQ(0u, RunRegsvr32(ControlFile(), false));
    }
    void TearDown() override
    {
        EXPECT_EQ(0u, RunRegsvr32(ControlFile(), true));
        EXPECT_EQ("<missing>", ClassesValue(kControlKey));
        EXPECT_EQ("<missing>", ClassesValue("QXSTAGE.QXStageCtrl.1\\CLSID"));
        EXPECT_EQ("<missing>", ClassesValue("TypeLib\\{3BDEBB70-0AA5-11D2-B3DE-0060089131DA}"));
        // The media server that the last control let go ends before the next test program
        // needs one: a server still ending refuses to serve.
        EXPECT_TRUE(PumpUntil([] { return !ProcessRuns(QX_MEDIA_SERVER_PROGRAM); }, 10000));
        OleUninitialize();
    }
};

const auto* const registration = ::testing::AddGlobalTestEnvironment(new RegisteredControl);

}  // namespace

std::string ControlFile()
{
    return TestProgramFolder() + "qxstage40.ocx";
}

DWORD RunRegsvr32(const std::string& file, bool unregister)
{
    return RunProgram(std::string("regsvr32.exe /s ") + (unregister ? "/u " : "") + "\"" + file + "\"");
}

LooseControl::LooseControl()
{
    const std::string copy = folder_ / "qxstage40.ocx";
    if (CopyFileA(ControlFile().c_str(), copy.c_str(), FALSE)) module_ = LoadLibraryA(copy.c_str());
}

LooseControl::~LooseControl()
{
    if (module_) FreeLibrary(module_);
}

IUnknown* LooseControl::Create() const
{
    if (!module_) return nullptr;
    using GETCLASSOBJECT = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto getClassObject =
        reinterpret_cast<GETCLASSOBJECT>(reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    const CLSID control = {0x3BDEBB73, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
    IClassFactory* factory = nullptr;
    if (!getClassObject || FAILED(getClassObject(control, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    IUnknown* made = nullptr;
    factory->CreateInstance(nullptr, IID_IUnknown, reinterpret_cast<void**>(&made));
    factory->Release();
    return made;
}

std::string ClassesValue(const std::string& key, const char* name)
{
    char value[1024] = {};
    DWORD size = sizeof value;
    if (RegGetValueA(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
        return "<missing>";
    return value;
}

void CopySamplePublication(const ScratchDir& folder)
{
    for (const char* name : {"demo.xsc", "accueil.pag", "galerie.pag", "son.pag", "fin.pag", "signets.qxb",
                             "coucher.bmp", "damier.bmp", "bouton_haut.bmp", "bouton_bas.bmp", "carillon.wav"})
        folder.Write(name, ReadWholeFile(SampleFile(name)));
}

std::string PageSeparator()
{
    return std::string(73, '-');
}

std::string PageOf(const std::string& title, int width, int height, const std::vector<std::string>& buttons)
{
    const std::vector<std::string> records = PageRecords(ReadWholeFile(SampleFile("accueil.pag")));
    // The root's record counts its children on the line after its module.
    std::string root = Replaced(records.at(1), "QXSHEET.DLL\r\n3\r\n",
                                "QXSHEET.DLL\r\n" + std::to_string(buttons.size()) + "\r\n");
    root = Replaced(root, "Accueil\r\n0 0 640 480",
                    title + "\r\n0 0 " + std::to_string(width) + " " + std::to_string(height));
    const std::string separator = PageSeparator() + "\r\n";
    std::string page = records.at(0) + separator + root + separator;
    for (const std::string& button : buttons) page += button + separator;
    return page;
}

std::string ButtonRecord(const std::string& name, const std::string& target, int x, int y)
{
    const std::vector<std::string> records = PageRecords(ReadWholeFile(SampleFile("accueil.pag")));
    std::string button = Replaced(records.at(3), "\r\nsuivant\r\n", "\r\n" + name + "\r\n");
    button = Replaced(button, ".\\galerie.pag", target);
    button = Replaced(button, "440 380 160 44", std::to_string(x) + " " + std::to_string(y) + " 60 30");
    return button;
}
