// The small utilities: message boxes, dialog controls, system metrics, version blocks and
// rectangle fitting.
#include "qxutil.h"

#include "qxpath.h"

#include "dialog_answerer.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// ---- Message boxes ----

// The icon shown by a message box: the one static control that holds an icon.
HICON ShownIcon(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
    return nullptr;
}

struct BoxCase {
    const char* name;
    int (*show)(HWND, const char*, const char*);
    LPCSTR icon;
};

class MessageBoxes : public testing::TestWithParam<BoxCase> {};

TEST_P(MessageBoxes, ShowTextCaptionIconAndOnlyOk)
{
    const BoxCase& c = GetParam();
    const HWND owner = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    HICON icon = nullptr;
    HWND boxOwner = nullptr;
    bool hasCancel = true;
    DialogAnswerer answerer([&](HWND box) {
        icon = ShownIcon(box);
        boxOwner = GetWindow(box, GW_OWNER);
        hasCancel = GetDlgItem(box, IDCANCEL) != nullptr || GetDlgItem(box, IDNO) != nullptr;
        return IDOK;
    });
    EXPECT_EQ(c.show(owner, "Erreur de fichier", "Impossible de charger le fichier.\nRéessayez."), 0);
    ASSERT_EQ(answerer.Shown().size(), 1u);
    EXPECT_EQ(answerer.Shown()[0].caption, "Erreur de fichier");
    EXPECT_NE(answerer.Shown()[0].text.find("Impossible de charger le fichier.\nRéessayez."), std::string::npos)
        << answerer.Shown()[0].text;
    EXPECT_EQ(icon, LoadIconA(nullptr, c.icon));
    EXPECT_EQ(boxOwner, owner);
    EXPECT_FALSE(hasCancel);
    DestroyWindow(owner);
}

INSTANTIATE_TEST_SUITE_P(Util, MessageBoxes,
                         testing::Values(BoxCase{"Alert", Alert, IDI_ERROR}, BoxCase{"Warning", Warning, IDI_WARNING}),
                         [](const testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

// ---- Dialog controls ----

struct ControlCase {
    bool enabledBefore;
    BOOL (*change)(HWND, int);
    int id;
    bool enabledAfter;
    bool wasDisabled;  // EnableWindow's answer: the control was disabled before
};

class DialogControls : public testing::TestWithParam<ControlCase> {};

TEST_P(DialogControls, FollowEnableWindow)
{
    const ControlCase& c = GetParam();
    const HWND dialog = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const HWND control = CreateWindowExA(0, "BUTTON", "", WS_CHILD, 0, 0, 10, 10, dialog,
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(5)), nullptr, nullptr);
    EnableWindow(control, c.enabledBefore);
    EXPECT_EQ(c.change(dialog, c.id) != 0, c.wasDisabled);
    EXPECT_EQ(IsWindowEnabled(control) != 0, c.enabledAfter);
    DestroyWindow(dialog);
}

INSTANTIATE_TEST_SUITE_P(Util, DialogControls,
                         testing::Values(ControlCase{false, EnableWindowInDialog, 5, true, true},
                                         ControlCase{true, EnableWindowInDialog, 5, true, false},
                                         ControlCase{false, EnableWindowInDialog, 0x10005, true, true},
                                         ControlCase{true, DisableWindowInDialog, 5, false, false},
                                         ControlCase{false, DisableWindowInDialog, 5, false, true},
                                         ControlCase{true, DisableWindowInDialog, 0x30005, false, false},
                                         ControlCase{false, EnableWindowInDialog, 6, false, false}));

// ---- System metrics ----

struct MetricCase {
    int index;
    int less;  // how much less than the system's value on the newer systems
};

class SystemMetrics : public testing::TestWithParam<MetricCase> {};

TEST_P(SystemMetrics, FramesAreOneLessOnNewerSystems)
{
    ASSERT_EQ(TrueGetVersion(nullptr, nullptr, nullptr, nullptr), 4);
    EXPECT_EQ(_GetSystemMetrics(GetParam().index), GetSystemMetrics(GetParam().index) - GetParam().less);
}

INSTANTIATE_TEST_SUITE_P(Util, SystemMetrics,
                         testing::Values(MetricCase{SM_CXFRAME, 1}, MetricCase{SM_CYFRAME, 1},
                                         MetricCase{SM_CXSCREEN, 0}, MetricCase{SM_CYCAPTION, 0},
                                         MetricCase{SM_CXBORDER, 0}, MetricCase{SM_CXFIXEDFRAME, 0}));

// ---- Version blocks ----

std::string ModulePath(HMODULE module)
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, sizeof path);
    return path;
}

struct VersionNumbers {
    int major = -1, minor = -1, release = -1, build = -1;
};

TEST(Version, OfTheFoundationLibrary)
{
    VersionNumbers v;
    char description[64];
    ASSERT_EQ(GetFileVersion(ModulePath(GetModuleHandleA("qxbase40.dll")).c_str(), &v.major, &v.minor, &v.release,
                             &v.build, description, sizeof description),
              1);
    EXPECT_EQ(v.major, 4);
    EXPECT_EQ(v.minor, 0);
    EXPECT_EQ(v.release, 0);
    EXPECT_EQ(v.build, 5);
    EXPECT_STREQ(description, "Bibliothèque de base Vistrelle");
}

struct BoundCase {
    int size;
    const char* expected;
};

class VersionDescription : public testing::TestWithParam<BoundCase> {};

TEST_P(VersionDescription, IsCutToTheBuffer)
{
    const BoundCase& c = GetParam();
    std::vector<char> buffer(64, '#');
    ASSERT_EQ(GetFileVersion(ModulePath(GetModuleHandleA("qxbase40.dll")).c_str(), nullptr, nullptr, nullptr, nullptr,
                             buffer.data(), c.size),
              1);
    if (c.size > 0) {
        EXPECT_STREQ(buffer.data(), c.expected);
    }
    // Nothing is written past the size given.
    for (size_t i = static_cast<size_t>(c.size); i < buffer.size(); ++i)
        ASSERT_EQ(buffer[i], '#') << "byte " << i;
}

INSTANTIATE_TEST_SUITE_P(Util, VersionDescription,
                         testing::Values(BoundCase{64, "Bibliothèque de base Vistrelle"},
                                         BoundCase{31, "Bibliothèque de base Vistrelle"},
                                         BoundCase{30, "Bibliothèque de base Vistrell"},
                                         BoundCase{10, "Bibliothè"}, BoundCase{1, ""}, BoundCase{0, nullptr}));

TEST(Version, FileWithoutVersionBlock)
{
    // The test program carries no version resource.
    VersionNumbers v;
    char description[32] = "ancien texte";
    EXPECT_EQ(GetFileVersion(ModulePath(nullptr).c_str(), &v.major, &v.minor, &v.release, &v.build, description,
                             sizeof description),
              0);
    EXPECT_STREQ(description, "");
    EXPECT_EQ(v.major, -1);
    EXPECT_EQ(v.build, -1);
}

TEST(Version, MissingFile)
{
    char description[32] = "ancien texte";
    EXPECT_EQ(GetFileVersion("C:\\nulle\\part\\absent.dll", nullptr, nullptr, nullptr, nullptr, description,
                             sizeof description),
              0);
    EXPECT_STREQ(description, "");
    EXPECT_EQ(GetFileVersion(nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

// A version resource built by hand: nested blocks of (length, value length, type, UTF-16 key,
// value, children), each part aligned on 4 bytes.
class VersionBlock {
public:
    static std::vector<char> Node(const std::wstring& key, const void* value, size_t valueBytes, WORD valueLength,
                                  WORD type, const std::vector<std::vector<char>>& children = {})
    {
        std::vector<char> bytes(6);
        Append(bytes, key.c_str(), (key.size() + 1) * sizeof(wchar_t));
        Align(bytes);
        Append(bytes, value, valueBytes);
        for (const std::vector<char>& child : children) {
            Align(bytes);
            Append(bytes, child.data(), child.size());
        }
        const WORD header[3] = {static_cast<WORD>(bytes.size()), valueLength, type};
        std::memcpy(bytes.data(), header, sizeof header);
        return bytes;
    }
    static std::vector<char> Text(const std::wstring& key, const std::wstring& value)
    {
        return Node(key, value.c_str(), (value.size() + 1) * sizeof(wchar_t), static_cast<WORD>(value.size() + 1), 1);
    }
    // The whole resource: file version a.b.c.d, string tables by language, and the
    // translation list.
    static std::vector<char> Resource(const WORD version[4], const std::vector<std::vector<char>>& tables,
                                      const std::vector<DWORD>& translations)
    {
        VS_FIXEDFILEINFO fixed{};
        fixed.dwSignature = VS_FFI_SIGNATURE;
        fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
        fixed.dwFileVersionMS = MAKELONG(version[1], version[0]);
        fixed.dwFileVersionLS = MAKELONG(version[3], version[2]);
        fixed.dwProductVersionMS = fixed.dwFileVersionMS;
        fixed.dwProductVersionLS = fixed.dwFileVersionLS;
        const std::vector<char> strings = Node(L"StringFileInfo", nullptr, 0, 0, 1, tables);
        const std::vector<char> vars = Node(
            L"VarFileInfo", nullptr, 0, 0, 1,
            {Node(L"Translation", translations.data(), translations.size() * sizeof(DWORD),
                  static_cast<WORD>(translations.size() * sizeof(DWORD)), 0)});
        return Node(L"VS_VERSION_INFO", &fixed, sizeof fixed, sizeof fixed, 0, {strings, vars});
    }

private:
    static void Append(std::vector<char>& bytes, const void* data, size_t count)
    {
        const char* from = static_cast<const char*>(data);
        bytes.insert(bytes.end(), from, from + count);
    }
    static void Align(std::vector<char>& bytes) { bytes.resize((bytes.size() + 3) & ~size_t{3}); }
};

// A copy of the test program with the given version resource.
std::string ProgramWithVersion(const ScratchDir& scratch, const std::vector<char>& resource)
{
    const std::string copy = scratch / "versioned.exe";
    if (!CopyFileA(ModulePath(nullptr).c_str(), copy.c_str(), FALSE))
        return {};
    const HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
    if (!update)
        return {};
    UpdateResourceA(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                    const_cast<char*>(resource.data()), static_cast<DWORD>(resource.size()));
    return EndUpdateResourceA(update, FALSE) ? copy : std::string();
}

constexpr DWORD UsEnglish = MAKELONG(0x0409, 1252);
constexpr DWORD French = MAKELONG(0x040C, 1252);
constexpr DWORD German = MAKELONG(0x0407, 1252);

struct BlockCase {
    const char* name;
    std::vector<std::vector<char>> tables;
    std::vector<DWORD> translations;
    const char* description;
};

class VersionBlocks : public testing::TestWithParam<BlockCase> {};

// The numbers come from the fixed part; the description from the US English table when
// there is one, else from the first language the file lists.
TEST_P(VersionBlocks, GiveNumbersAndDescription)
{
    const BlockCase& c = GetParam();
    const WORD version[4] = {0x1234, 0x0002, 0xABCD, 0x0009};
    ScratchDir scratch;
    const std::string file = ProgramWithVersion(scratch, VersionBlock::Resource(version, c.tables, c.translations));
    ASSERT_FALSE(file.empty()) << "could not write the version resource";
    VersionNumbers v;
    char description[64] = "ancien texte";
    ASSERT_EQ(GetFileVersion(file.c_str(), &v.major, &v.minor, &v.release, &v.build, description, sizeof description), 1);
    EXPECT_EQ(v.major, 0x1234);
    EXPECT_EQ(v.minor, 2);
    EXPECT_EQ(v.release, 0xABCD);
    EXPECT_EQ(v.build, 9);
    EXPECT_STREQ(description, c.description);
}

std::vector<char> Table(const wchar_t* language, const std::vector<std::vector<char>>& strings)
{
    return VersionBlock::Node(language, nullptr, 0, 0, 1, strings);
}

INSTANTIATE_TEST_SUITE_P(
    Util, VersionBlocks,
    testing::Values(
        BlockCase{"UsEnglishFirst",
                  {Table(L"040C04E4", {VersionBlock::Text(L"FileDescription", L"Texte français")}),
                   Table(L"040904E4", {VersionBlock::Text(L"FileDescription", L"English text")})},
                  {French, UsEnglish},
                  "English text"},
        BlockCase{"FirstListedLanguage",
                  {Table(L"040704E4", {VersionBlock::Text(L"FileDescription", L"Deutscher Text")}),
                   Table(L"040C04E4", {VersionBlock::Text(L"FileDescription", L"Texte français")})},
                  {French, German},
                  "Texte français"},
        BlockCase{"EmptyUsEnglishDescription",
                  {Table(L"040904E4", {VersionBlock::Text(L"FileDescription", L"")}),
                   Table(L"040C04E4", {VersionBlock::Text(L"FileDescription", L"Texte français")})},
                  {French},
                  "Texte français"},
        BlockCase{"NoDescription",
                  {Table(L"040904E4", {VersionBlock::Text(L"ProductName", L"Vistrelle")})},
                  {UsEnglish},
                  ""}),
    [](const testing::TestParamInfo<BlockCase>& info) { return std::string(info.param.name); });

// ---- Fitting rectangles ----

struct FitCase {
    const char* name;
    RECT frame;
    RECT content;
    int always;
    RECT expected;
};

class RectFit : public testing::TestWithParam<FitCase> {};

TEST_P(RectFit, CentresAndScales)
{
    const FitCase& c = GetParam();
    RECT out{-1, -1, -1, -1};
    ASSERT_EQ(StretchRectToFit(&out, &c.frame, &c.content, c.always), 1);
    EXPECT_EQ(out.left, c.expected.left);
    EXPECT_EQ(out.top, c.expected.top);
    EXPECT_EQ(out.right, c.expected.right);
    EXPECT_EQ(out.bottom, c.expected.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Util, RectFit,
    testing::Values(FitCase{"WiderThanFrame", {0, 0, 100, 100}, {0, 0, 200, 100}, 0, {0, 25, 100, 75}},
                    FitCase{"TallerThanFrame", {0, 0, 100, 100}, {0, 0, 100, 400}, 0, {38, 0, 63, 100}},
                    FitCase{"SmallKeepsItsSize", {0, 0, 100, 100}, {0, 0, 50, 20}, 0, {25, 40, 75, 60}},
                    FitCase{"SmallStretchedWhenAlways", {0, 0, 100, 100}, {0, 0, 50, 20}, 1, {0, 30, 100, 70}},
                    FitCase{"ContentPositionIgnored", {0, 0, 100, 100}, {300, 400, 350, 420}, 0, {25, 40, 75, 60}},
                    FitCase{"OffsetFrameAndRounding", {10, 20, 110, 220}, {0, 0, 300, 100}, 0, {10, 103, 110, 137}},
                    FitCase{"SameSize", {5, 5, 65, 45}, {0, 0, 60, 40}, 0, {5, 5, 65, 45}},
                    FitCase{"SameSizeAlways", {5, 5, 65, 45}, {0, 0, 60, 40}, 1, {5, 5, 65, 45}},
                    FitCase{"ZeroWidthKept", {0, 0, 100, 100}, {0, 0, 0, 50}, 0, {50, 25, 50, 75}},
                    FitCase{"ZeroWidthAlwaysIsFlat", {0, 0, 100, 100}, {0, 0, 0, 50}, 1, {0, 50, 100, 50}}),
    [](const testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

TEST(RectFit, NullPointersAreRefused)
{
    RECT a{0, 0, 10, 10}, b{0, 0, 5, 5}, out{};
    EXPECT_EQ(StretchRectToFit(nullptr, &a, &b, 0), 0);
    EXPECT_EQ(StretchRectToFit(&out, nullptr, &b, 0), 0);
    EXPECT_EQ(StretchRectToFit(&out, &a, nullptr, 0), 0);
}

// ---- CreateDIBitmap ----

TEST(Util, CreateDIBitmapMakesTheBitmapDescribed)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 3;
    info.bmiHeader.biHeight = 2;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    const uint32_t pixels[6] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0x00123456, 0x00ABCDEF, 0x00000000};
    const HDC screen = GetDC(nullptr);
    const HBITMAP bitmap = QXCreateDIBitmap(screen, &info.bmiHeader, CBM_INIT, pixels, &info, DIB_RGB_COLORS);
    ASSERT_NE(bitmap, nullptr);
    uint32_t back[6] = {};
    EXPECT_EQ(GetDIBits(screen, bitmap, 0, 2, back, &info, DIB_RGB_COLORS), 2);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(back[i] & 0xFFFFFF, pixels[i]) << "pixel " << i;
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
}

}  // namespace
