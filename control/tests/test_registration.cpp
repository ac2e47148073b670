// The control's self-registration through regsvr32 and its type library, as containers read
// them.
#include "registered_control.h"
#include "sample_files.h"
#include "test_container.h"

#include <gtest/gtest.h>

#include <olectl.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr const char* kControlKey = "CLSID\\{3BDEBB73-0AA5-11D2-B3DE-0060089131DA}";
constexpr const char* kPageKey = "CLSID\\{3BDEBB74-0AA5-11D2-B3DE-0060089131DA}";
constexpr GUID LIBID_QXStage = {0x3BDEBB70, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};
constexpr GUID DIID_Events = {0x3BDEBB72, 0x0AA5, 0x11D2, {0xB3, 0xDE, 0x00, 0x60, 0x08, 0x91, 0x31, 0xDA}};

std::string LowerCase(std::string text)
{
    CharLowerA(text.data());
    return text;
}

void ExpectRegistered()
{
    EXPECT_EQ(LowerCase(ControlFile()), LowerCase(ClassesValue(std::string(kControlKey) + "\\InprocServer32")));
    EXPECT_EQ("Apartment", ClassesValue(std::string(kControlKey) + "\\InprocServer32", "ThreadingModel"));
    EXPECT_EQ("QXSTAGE.QXStageCtrl.1", ClassesValue(std::string(kControlKey) + "\\ProgID"));
    EXPECT_EQ("", ClassesValue(std::string(kControlKey) + "\\Control"));
    EXPECT_EQ(std::to_string(0x20191), ClassesValue(std::string(kControlKey) + "\\MiscStatus\\1"));
    EXPECT_EQ("{3BDEBB70-0AA5-11D2-B3DE-0060089131DA}", ClassesValue(std::string(kControlKey) + "\\TypeLib"));
    EXPECT_EQ("1.0", ClassesValue(std::string(kControlKey) + "\\Version"));
    EXPECT_EQ("{3BDEBB73-0AA5-11D2-B3DE-0060089131DA}", ClassesValue("QXSTAGE.QXStageCtrl.1\\CLSID"));
    EXPECT_EQ("QXSTAGE.QXStagePropPage.1", ClassesValue(std::string(kPageKey) + "\\ProgID"));
    EXPECT_EQ("{3BDEBB74-0AA5-11D2-B3DE-0060089131DA}", ClassesValue("QXSTAGE.QXStagePropPage.1\\CLSID"));
    EXPECT_NE("<missing>", ClassesValue("TypeLib\\{3BDEBB70-0AA5-11D2-B3DE-0060089131DA}\\1.0"));
}

// The identifiers the type library gives the names of an interface.
std::vector<DISPID> IdsOf(ITypeInfo* info, std::vector<const wchar_t*> names)
{
    std::vector<DISPID> ids;
    for (const wchar_t* name : names) {
        MEMBERID id = 0;
        LPOLESTR asked = const_cast<LPOLESTR>(name);
        ids.push_back(SUCCEEDED(info->GetIDsOfNames(&asked, 1, &id)) ? id : DISPID_UNKNOWN);
    }
    return ids;
}

// The modules a program file imports, read from its import table.
std::vector<std::string> ImportedModules(const std::string& file)
{
    const std::string bytes = ReadWholeFile(file);
    auto at = [&](size_t offset, size_t size) { return offset + size <= bytes.size() ? bytes.data() + offset : nullptr; };
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(at(0, sizeof(IMAGE_DOS_HEADER)));
    const auto* nt = dos ? reinterpret_cast<const IMAGE_NT_HEADERS64*>(at(dos->e_lfanew, sizeof(IMAGE_NT_HEADERS64)))
                         : nullptr;
    if (!nt) return {};
    const auto* sections = reinterpret_cast<const IMAGE_SECTION_HEADER*>(
        at(dos->e_lfanew + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) + nt->FileHeader.SizeOfOptionalHeader,
           nt->FileHeader.NumberOfSections * sizeof(IMAGE_SECTION_HEADER)));
    auto offsetOf = [&](DWORD rva) -> size_t {
        for (WORD i = 0; sections && i < nt->FileHeader.NumberOfSections; ++i)
            if (rva >= sections[i].VirtualAddress && rva < sections[i].VirtualAddress + sections[i].SizeOfRawData)
                return rva - sections[i].VirtualAddress + sections[i].PointerToRawData;
        return bytes.size();
    };
    std::vector<std::string> modules;
    size_t entry = offsetOf(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (;; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        const auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(at(entry, sizeof(IMAGE_IMPORT_DESCRIPTOR)));
        if (!import || !import->Name) break;
        const char* name = at(offsetOf(import->Name), 1);
        modules.push_back(name ? LowerCase(std::string(name, strnlen(name, bytes.size() - offsetOf(import->Name)))) : "");
    }
    return modules;
}

}  // namespace

TEST(Registration, TheControlImportsOnlyThePlatform)
{
    const std::vector<std::string> modules = ImportedModules(ControlFile());
    EXPECT_FALSE(modules.empty());
    for (const std::string& module : modules)
        EXPECT_EQ(std::string::npos, module.find("qx")) << module;
    EXPECT_NE(modules.end(), std::find(modules.begin(), modules.end(), "ole32.dll"));
}

TEST(Registration, RegsvrWritesTheKeysContainersLookForAndTakesThemAway)
{
    ExpectRegistered();
    ASSERT_EQ(0u, RunRegsvr32(ControlFile(), true));
    for (const char* key : {kControlKey, kPageKey, "QXSTAGE.QXStageCtrl.1", "QXSTAGE.QXStagePropPage.1",
                            "TypeLib\\{3BDEBB70-0AA5-11D2-B3DE-0060089131DA}"})
        EXPECT_EQ("<missing>", ClassesValue(key)) << key;
    ASSERT_EQ(0u, RunRegsvr32(ControlFile(), false));
    ExpectRegistered();
}

TEST(Registration, TheModuleAnswersTheSelfRegistrationCodes)
{
    HMODULE module = LoadLibraryA(ControlFile().c_str());
    ASSERT_TRUE(module);
    using SELFREG = HRESULT(STDAPICALLTYPE*)();
    auto registerServer = reinterpret_cast<SELFREG>(reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    auto canUnload = reinterpret_cast<SELFREG>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
    ASSERT_TRUE(registerServer && canUnload);
    EXPECT_EQ(S_OK, registerServer());
    EXPECT_EQ(S_OK, canUnload());
    ExpectRegistered();
    FreeLibrary(module);
}

TEST(Registration, TheTypeLibraryNamesThePropertiesTheMethodAndTheEvents)
{
    ITypeLib* library = nullptr;
    ASSERT_EQ(S_OK, LoadRegTypeLib(LIBID_QXStage, 1, 0, LOCALE_NEUTRAL, &library));
    ITypeInfo* events = nullptr;
    ASSERT_EQ(S_OK, library->GetTypeInfoOfGuid(DIID_Events, &events));
    EXPECT_EQ((std::vector<DISPID>{1, 2, 3, 4, 5, 6, 7}),
              IdsOf(events, {L"Quit", L"GoBack", L"GoHome", L"PrintCurrentPage", L"OpenBookmark", L"Link",
                             L"QuitConfirmation"}));
    events->Release();
    library->Release();

    TestContainer container;
    ASSERT_EQ(S_OK, container.Made());
    IDispatch* dispatch = nullptr;
    ASSERT_EQ(S_OK, container.Control()->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)));
    ITypeInfo* info = nullptr;
    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info));
    EXPECT_EQ((std::vector<DISPID>{1, 2, 3, DISPID_ABOUTBOX}),
              IdsOf(info, {L"Filename", L"PubWidth", L"PubHeight", L"AboutBox"}));
    info->Release();
    dispatch->Release();

    IProvideClassInfo2* classInfo = nullptr;
    ASSERT_EQ(S_OK, container.Control()->QueryInterface(IID_IProvideClassInfo2, reinterpret_cast<void**>(&classInfo)));
    GUID source{};
    EXPECT_EQ(S_OK, classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source));
    EXPECT_TRUE(IsEqualGUID(DIID_Events, source));
    classInfo->Release();
}

TEST(Registration, AContainerListingTheConnectionPointsFindsTheEvents)
{
    TestContainer container;
    ASSERT_EQ(S_OK, container.Made());
    IConnectionPointContainer* points = nullptr;
    ASSERT_EQ(S_OK, container.Control()->QueryInterface(IID_IConnectionPointContainer,
                                                        reinterpret_cast<void**>(&points)));
    IEnumConnectionPoints* listed = nullptr;
    ASSERT_EQ(S_OK, points->EnumConnectionPoints(&listed));
    points->Release();
    IConnectionPoint* point[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, listed->Next(2, point, &fetched));
    ASSERT_EQ(1u, fetched);
    IID connected{};
    EXPECT_EQ(S_OK, point[0]->GetConnectionInterface(&connected));
    EXPECT_TRUE(IsEqualGUID(DIID_Events, connected));
    point[0]->Release();
    listed->Release();
}

TEST(Registration, TheControlOffersItsPropertyPage)
{
    TestContainer container;
    ASSERT_EQ(S_OK, container.Made());
    ISpecifyPropertyPages* specify = nullptr;
    ASSERT_EQ(S_OK, container.Control()->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify)));
    CAUUID pages{};
    ASSERT_EQ(S_OK, specify->GetPages(&pages));
    specify->Release();
    ASSERT_EQ(1u, pages.cElems);
    IPropertyPage* page = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(pages.pElems[0], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                     reinterpret_cast<void**>(&page)));
    CoTaskMemFree(pages.pElems);
    PROPPAGEINFO info{};
    ASSERT_EQ(S_OK, page->GetPageInfo(&info));
    char title[100] = {};
    WideCharToMultiByte(CP_ACP, 0, info.pszTitle, -1, title, sizeof title, nullptr, nullptr);
    EXPECT_STREQ("G\xe9n\xe9ral", title);
    CoTaskMemFree(info.pszTitle);
    RECT area{0, 0, 300, 100};
    EXPECT_EQ(S_OK, page->Activate(container.Host(), &area, FALSE));
    EXPECT_EQ(S_FALSE, page->IsPageDirty());
    EXPECT_EQ(S_OK, page->Deactivate());
    page->Release();
}
