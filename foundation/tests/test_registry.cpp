// Registry access on the real registry of the test prefix: the flat functions, the user-setting
// readers with their fallback to the default user, and qutl_CRegistry with each result code.
// Every key lives below a test-only name and is removed before and after each test.
#include "qxregistry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char TestGroup[] = "QxRegistryTest";
const char TestKey[] = "Software\\QxRegistryTest";
const char DefaultUserTestKey[] = ".Default\\Software\\QxRegistryTest";

std::string Str(const QXSTRING& text) { return static_cast<const char*>(text); }

bool KeyExists(HKEY root, const std::string& key)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

void WriteRaw(HKEY root, const std::string& key, const char* name, DWORD type, const void* data, DWORD size)
{
    HKEY opened;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &opened, nullptr));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(opened, name, 0, type, static_cast<const BYTE*>(data), size));
    RegCloseKey(opened);
}

void WriteRawText(HKEY root, const std::string& key, const char* name, DWORD type, const std::string& text)
{
    WriteRaw(root, key, name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// What a value holds as the registry itself reports it; type REG_NONE when missing.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<unsigned char> bytes;
    std::string Text() const { return std::string(reinterpret_cast<const char*>(bytes.data())); }
};

RawValue ReadRaw(HKEY root, const std::string& key, const char* name)
{
    RawValue value;
    DWORD size = 0;
    if (RegGetValueA(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, nullptr, &size) != ERROR_SUCCESS)
        return RawValue{};
    value.bytes.resize(size + 1);
    RegGetValueA(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &value.type, value.bytes.data(), &size);
    value.bytes.resize(size);
    value.bytes.push_back(0);
    return value;
}

class Registry : public testing::Test {
protected:
    void SetUp() override { RemoveTestKeys(); }
    void TearDown() override { RemoveTestKeys(); }

    static void RemoveTestKeys()
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, TestKey);
        RegDeleteTreeA(HKEY_USERS, DefaultUserTestKey);
    }
};

// A qutl_CRegistry whose operations reach Software\QxRegistryTest\App\4.0\<subkey>.
class RegistryClass : public Registry {
protected:
    RegistryClass()
    {
        registry.SetGroupString(TestGroup);
        registry.SetAppString("App");
        registry.SetVerString("4.0");
    }
    static std::string Key(const std::string& subkey) { return std::string(TestKey) + "\\App\\4.0\\" + subkey; }

    qutl_CRegistry registry;
};

}  // namespace

// ---- Flat functions ----

TEST_F(Registry, FlatStringsAreWrittenAsRegSzAndReadBack)
{
    for (const std::string& text : {std::string(""), std::string("C:\\pub\\bookmarks.qxb"), std::string("Été à Noël"),
                                    std::string(600, 'x')}) {
        SCOPED_TRACE(text.substr(0, 20));
        ASSERT_EQ(1, SetRegistryStringValue(HKEY_CURRENT_USER, "Software\\QxRegistryTest\\Flat", "Value", text.c_str()));
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, "Software\\QxRegistryTest\\Flat", "Value");
        EXPECT_EQ(static_cast<DWORD>(REG_SZ), raw.type);
        EXPECT_EQ(text.size() + 1, raw.bytes.size() - 1) << "the terminator is written";
        QXSTRING out("old");
        EXPECT_EQ(1, GetRegistryStrValueAsString(HKEY_CURRENT_USER, "Software\\QxRegistryTest\\Flat", "Value", "dflt", &out));
        EXPECT_EQ(text, Str(out));
    }
}

TEST_F(Registry, FlatWriteRefusesNullPointersAndWritesNothing)
{
    struct Case {
        HKEY root;
        const char* subkey;
        const char* valueName;
        const char* text;
    } cases[] = {
        {nullptr, "Software\\QxRegistryTest", "V", "t"},
        {HKEY_CURRENT_USER, nullptr, "V", "t"},
        {HKEY_CURRENT_USER, "Software\\QxRegistryTest", nullptr, "t"},
        {HKEY_CURRENT_USER, "Software\\QxRegistryTest", "V", nullptr},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(0, SetRegistryStringValue(c.root, c.subkey, c.valueName, c.text));
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey));
    }
}

TEST_F(Registry, FlatStringReaderKeepsTheDefaultOnEveryFailure)
{
    const std::string key = std::string(TestKey) + "\\Flat";
    WriteRawText(HKEY_CURRENT_USER, key, "Expand", REG_EXPAND_SZ, "%WINDIR%");
    const DWORD number = 7;
    WriteRaw(HKEY_CURRENT_USER, key, "Number", REG_DWORD, &number, sizeof number);
    WriteRawText(HKEY_CURRENT_USER, key, "Text", REG_SZ, "found");
    struct Case {
        HKEY root;
        std::string subkey;
        const char* valueName;
        const char* defaultText;
        int result;
        const char* out;
    } cases[] = {
        {HKEY_CURRENT_USER, key, "Text", "dflt", 1, "found"},
        {HKEY_CURRENT_USER, key, "Missing", "dflt", 0, "dflt"},
        {HKEY_CURRENT_USER, key + "\\Missing", "Text", "dflt", 0, "dflt"},
        {HKEY_CURRENT_USER, key, "Expand", "dflt", 0, "dflt"},
        {HKEY_CURRENT_USER, key, "Number", "dflt", 0, "dflt"},
        {nullptr, key, "Text", "dflt", 0, "dflt"},
        {HKEY_CURRENT_USER, key, "Text", nullptr, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.subkey + " / " + c.valueName);
        QXSTRING out("old");
        EXPECT_EQ(c.result, GetRegistryStrValueAsString(c.root, c.subkey.c_str(), c.valueName, c.defaultText, &out));
        EXPECT_EQ(c.out, Str(out));
    }
    EXPECT_EQ(0, GetRegistryStrValueAsString(HKEY_CURRENT_USER, key.c_str(), "Text", "dflt", nullptr));
}

TEST_F(Registry, FlatReadersOpenWithoutCreating)
{
    QXSTRING out;
    int number = 0;
    EXPECT_EQ(0, GetRegistryStrValueAsString(HKEY_CURRENT_USER, "Software\\QxRegistryTest\\Absent", "V", "", &out));
    EXPECT_EQ(0, GetRegistryStrValueAsInteger(HKEY_CURRENT_USER, "Software\\QxRegistryTest\\Absent", "V", 0, &number));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey));
}

TEST_F(Registry, FlatIntegerReaderParsesTheLeadingDecimalNumber)
{
    struct Case {
        const char* stored;
        int value;
    } cases[] = {
        {"  42abc", 42},     {"42", 42},         {"-17", -17},          {"+5", 5},
        {"\t\n 8", 8},       {"abc", 0},         {"", 0},               {"- 3", 0},
        {"007", 7},          {"2147483647", INT_MAX}, {"99999999999", INT_MAX}, {"-2147483648", INT_MIN},
        {"-99999999999", INT_MIN},
    };
    const std::string key = std::string(TestKey) + "\\Numbers";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        WriteRawText(HKEY_CURRENT_USER, key, "N", REG_SZ, c.stored);
        int out = 12345;
        EXPECT_EQ(1, GetRegistryStrValueAsInteger(HKEY_CURRENT_USER, key.c_str(), "N", 99, &out));
        EXPECT_EQ(c.value, out);
    }
    int out = 12345;
    EXPECT_EQ(0, GetRegistryStrValueAsInteger(HKEY_CURRENT_USER, key.c_str(), "Missing", 99, &out));
    EXPECT_EQ(99, out) << "a missing value gives the default";
    const DWORD number = 5;
    WriteRaw(HKEY_CURRENT_USER, key, "Dword", REG_DWORD, &number, sizeof number);
    out = 12345;
    EXPECT_EQ(0, GetRegistryStrValueAsInteger(HKEY_CURRENT_USER, key.c_str(), "Dword", 99, &out));
    EXPECT_EQ(99, out) << "only string values are read";
    out = 12345;
    EXPECT_EQ(0, GetRegistryStrValueAsInteger(nullptr, key.c_str(), "N", 99, &out));
    EXPECT_EQ(99, out);
    EXPECT_EQ(0, GetRegistryStrValueAsInteger(HKEY_CURRENT_USER, key.c_str(), "N", 99, nullptr));
}

TEST_F(Registry, FlatReadersTakeAnOpenedKeyAsRoot)
{
    WriteRawText(HKEY_CURRENT_USER, TestKey, "Direct", REG_SZ, "12");
    HKEY opened;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, TestKey, 0, KEY_READ, &opened));
    QXSTRING text;
    int number = 0;
    EXPECT_EQ(1, GetRegistryStrValueAsString(opened, nullptr, "Direct", "", &text));
    EXPECT_EQ("12", Str(text));
    EXPECT_EQ(1, GetRegistryStrValueAsInteger(opened, "", "Direct", 0, &number));
    EXPECT_EQ(12, number);
    RegCloseKey(opened);
}

// ---- User settings with the fallback to the default user ----

TEST_F(Registry, UserSettingsFallBackToTheDefaultUser)
{
    struct Case {
        const char* currentUser;  // null: no such value
        const char* defaultUser;
        int result;
        const char* text;
        int number;
    } cases[] = {
        {nullptr, "31", 1, "31", 31},      // only the default user has it
        {"7", "31", 1, "7", 7},            // the current user wins
        {"", "31", 1, "", 0},              // an empty value is a value
        {"5", nullptr, 1, "5", 5},
        {nullptr, nullptr, 0, "dflt", -1}, // neither: the default
    };
    const std::string sub = "\\Prefs";
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.currentUser ? c.currentUser : "(none)") + " / " + (c.defaultUser ? c.defaultUser : "(none)"));
        RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
        RegDeleteTreeA(HKEY_USERS, DefaultUserTestKey);
        if (c.currentUser) {
            ASSERT_EQ(1, SetRegistryStringValue(HKEY_CURRENT_USER, (TestKey + sub).c_str(), "Value", c.currentUser));
        }
        if (c.defaultUser) {
            ASSERT_EQ(1, SetRegistryStringValue(HKEY_USERS, (DefaultUserTestKey + sub).c_str(), "Value", c.defaultUser));
        }
        QXSTRING text("old");
        EXPECT_EQ(c.result, GetUserSettingAsString((TestKey + sub).c_str(), "Value", "dflt", &text));
        EXPECT_EQ(c.text, Str(text));
        int number = 12345;
        EXPECT_EQ(c.result, GetUserSettingAsInteger((TestKey + sub).c_str(), "Value", -1, &number));
        EXPECT_EQ(c.number, number);
    }
}

TEST_F(Registry, UserSettingsFallBackWhenTheCurrentUserValueIsNotAString)
{
    WriteRawText(HKEY_CURRENT_USER, TestKey, "Value", REG_EXPAND_SZ, "%WINDIR%");
    WriteRawText(HKEY_USERS, DefaultUserTestKey, "Value", REG_SZ, "fallback");
    QXSTRING text;
    EXPECT_EQ(1, GetUserSettingAsString(TestKey, "Value", "dflt", &text));
    EXPECT_EQ("fallback", Str(text));
    text = "old";
    EXPECT_EQ(0, GetUserSettingAsString(nullptr, "Value", "dflt", &text));
    EXPECT_EQ("dflt", Str(text));
}

// ---- qutl_CRegistry ----

TEST_F(Registry, ClassWordsLoseOneBackslashEachSideAndBuildTheKeyName)
{
    struct Case {
        const char* word;
        const char* shown;
    } cases[] = {
        {"\\Group\\", "Group"}, {"Group", "Group"}, {"\\Group", "Group"}, {"Group\\", "Group"},
        {"A\\B", "A\\B"},       {"\\\\A\\\\", "A\\"}, {"", ""},           {nullptr, ""},
    };
    qutl_CRegistry words;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.word ? c.word : "(null)");
        words.SetGroupString(c.word);
        words.SetAppString(c.word);
        words.SetVerString(c.word);
        EXPECT_STREQ(c.shown, words.GetGroupString());
        EXPECT_STREQ(c.shown, words.GetAppString());
        EXPECT_STREQ(c.shown, words.GetVerString());
    }

    qutl_CRegistry registry;
    registry.SetGroupString("\\QxRegistryTest\\");
    registry.SetAppString("App");
    registry.SetVerString("4.0");
    const char* shownBefore = registry.GetAppString();
    EXPECT_EQ(1, registry.SetString(QX_REGISTRY_CURRENT_USER, "\\Sub\\", "Name", "text"));
    EXPECT_EQ("text", ReadRaw(HKEY_CURRENT_USER, "Software\\QxRegistryTest\\App\\4.0\\Sub", "Name").Text());
    EXPECT_STREQ("App", shownBefore) << "a word's text stays valid while other operations run";
}

TEST_F(Registry, TrimBackSlashesRemovesOneAtEachEnd)
{
    struct Case {
        const char* text;
        const char* trimmed;
    } cases[] = {
        {"\\a\\", "a"}, {"\\\\a\\\\", "\\a\\"}, {"a", "a"}, {"\\", ""}, {"\\\\", ""}, {"", ""}, {"a\\b", "a\\b"},
    };
    for (const Case& c : cases) {
        QXSTRING text(c.text);
        EXPECT_EQ(1, qutl_CRegistry::TrimBackSlashes(text));
        EXPECT_EQ(c.trimmed, Str(text)) << c.text;
    }
}

TEST_F(RegistryClass, OpenKeyTakesRootCodesTenAndElevenOnly)
{
    struct Case {
        int root;
        HKEY rootKey;
        int result;
    } cases[] = {
        {QX_REGISTRY_CURRENT_USER, HKEY_CURRENT_USER, 1},
        {QX_REGISTRY_LOCAL_MACHINE, HKEY_LOCAL_MACHINE, 1},
        {12, nullptr, -1},
        {9, nullptr, -1},
        {0, nullptr, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.root);
        Registry::RemoveTestKeys();
        HKEY key = reinterpret_cast<HKEY>(0x1234);
        EXPECT_EQ(c.result, registry.OpenKey(key, c.root, "\\Open\\", KEY_ALL_ACCESS));
        if (c.result == 1) {
            EXPECT_TRUE(KeyExists(c.rootKey, Key("Open"))) << "OpenKey creates the key";
            EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "V", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
            EXPECT_EQ("x", ReadRaw(c.rootKey, Key("Open"), "V").Text()) << "the key handed back is the one named";
            EXPECT_EQ(1, registry.CloseKey(key));
            EXPECT_EQ(nullptr, key);
        } else {
            EXPECT_EQ(reinterpret_cast<HKEY>(0x1234), key) << "nothing opened";
            EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, TestKey));
            EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, TestKey));
        }
    }
    HKEY closed = nullptr;
    EXPECT_EQ(-1, registry.CloseKey(closed));
}

TEST_F(RegistryClass, TypedValuesRoundTrip)
{
    const unsigned char bytes[10] = {0, 1, 2, 3, 250, 251, 252, 253, 254, 255};
    ASSERT_EQ(1, registry.SetBinary(QX_REGISTRY_CURRENT_USER, "Values", "Binary", bytes, sizeof bytes));
    ASSERT_EQ(1, registry.SetString(QX_REGISTRY_CURRENT_USER, "Values", "String", "Vistrelle é"));
    ASSERT_EQ(1, registry.SetDWord(QX_REGISTRY_CURRENT_USER, "Values", "DWord", 0xFEEDBAC8UL));
    ASSERT_EQ(1, registry.SetString(QX_REGISTRY_LOCAL_MACHINE, "Values", "String", "machine"));

    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), ReadRaw(HKEY_CURRENT_USER, Key("Values"), "Binary").type);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), ReadRaw(HKEY_CURRENT_USER, Key("Values"), "String").type);
    EXPECT_EQ(static_cast<DWORD>(REG_DWORD), ReadRaw(HKEY_CURRENT_USER, Key("Values"), "DWord").type);

    unsigned char read[16] = {};
    unsigned long size = sizeof read;
    EXPECT_EQ(1, registry.GetBinary(QX_REGISTRY_CURRENT_USER, "Values", "Binary", read, size));
    EXPECT_EQ(10UL, size);
    EXPECT_EQ(0, std::memcmp(bytes, read, sizeof bytes));
    QXSTRING text;
    EXPECT_EQ(1, registry.GetString(QX_REGISTRY_CURRENT_USER, "Values", "String", text));
    EXPECT_EQ("Vistrelle é", Str(text));
    EXPECT_EQ(1, registry.GetString(QX_REGISTRY_LOCAL_MACHINE, "Values", "String", text));
    EXPECT_EQ("machine", Str(text));
    unsigned long number = 0;
    EXPECT_EQ(1, registry.GetDWord(QX_REGISTRY_CURRENT_USER, "\\Values\\", "DWord", number));
    EXPECT_EQ(0xFEEDBAC8UL, number);
}

TEST_F(RegistryClass, GettersReportEachKindOfFailure)
{
    WriteRawText(HKEY_CURRENT_USER, Key("Values"), "String", REG_SZ, "text");
    WriteRawText(HKEY_CURRENT_USER, Key("Values"), "Expand", REG_EXPAND_SZ, "%WINDIR%");
    const DWORD number = 42;
    WriteRaw(HKEY_CURRENT_USER, Key("Values"), "DWord", REG_DWORD, &number, sizeof number);
    const unsigned char ten[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    WriteRaw(HKEY_CURRENT_USER, Key("Values"), "Binary", REG_BINARY, ten, sizeof ten);

    enum Getter { Binary, String, DWord };
    struct Case {
        Getter getter;
        const char* subkey;
        const char* valueName;
        int result;
    } cases[] = {
        {DWord, "Values", "String", -3},  {DWord, "Values", "Binary", -3}, {String, "Values", "DWord", -3},
        {String, "Values", "Expand", -3}, {String, "Values", "Binary", -3}, {Binary, "Values", "String", -3},
        {Binary, "Values", "DWord", -3},  {DWord, "Values", "Missing", -1}, {String, "Values", "Missing", -1},
        {Binary, "Values", "Missing", -1}, {DWord, "Absent", "DWord", -1},  {String, "Absent", "String", -1},
        {Binary, "Absent", "Binary", -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.subkey) + " / " + c.valueName + " / getter " + std::to_string(c.getter));
        unsigned char buffer[16] = {0xAA};
        unsigned long size = sizeof buffer;
        QXSTRING text("unchanged");
        unsigned long dword = 777;
        switch (c.getter) {
        case Binary:
            EXPECT_EQ(c.result, registry.GetBinary(QX_REGISTRY_CURRENT_USER, c.subkey, c.valueName, buffer, size));
            EXPECT_EQ(sizeof buffer, size);
            EXPECT_EQ(0xAA, buffer[0]);
            break;
        case String:
            EXPECT_EQ(c.result, registry.GetString(QX_REGISTRY_CURRENT_USER, c.subkey, c.valueName, text));
            EXPECT_EQ("unchanged", Str(text));
            break;
        case DWord:
            EXPECT_EQ(c.result, registry.GetDWord(QX_REGISTRY_CURRENT_USER, c.subkey, c.valueName, dword));
            EXPECT_EQ(777UL, dword);
            break;
        }
    }
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Key("Absent"))) << "getters never create keys";
    QXSTRING text;
    EXPECT_EQ(-1, registry.GetString(12, "Values", "String", text));
}

TEST_F(RegistryClass, GetBinaryReportsTheSizeItNeeds)
{
    const unsigned char ten[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    ASSERT_EQ(1, registry.SetBinary(QX_REGISTRY_CURRENT_USER, "Bin", "Ten", ten, sizeof ten));
    struct Case {
        bool withBuffer;
        unsigned long size;
        int result;
    } cases[] = {
        {true, 4, -4}, {false, 4, 1}, {false, 0, 1}, {true, 9, -4}, {true, 10, 1}, {true, 32, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.size) + (c.withBuffer ? " with buffer" : " without buffer"));
        unsigned char buffer[32] = {};
        unsigned long size = c.size;
        EXPECT_EQ(c.result, registry.GetBinary(QX_REGISTRY_CURRENT_USER, "Bin", "Ten", c.withBuffer ? buffer : nullptr, size));
        EXPECT_EQ(10UL, size);
        EXPECT_EQ(c.result == 1 && c.withBuffer ? 1 : 0, buffer[0]) << "bytes arrive only on success";
    }
}

TEST_F(RegistryClass, SettersFailWithMinusOne)
{
    EXPECT_EQ(-1, registry.SetString(12, "S", "V", "text"));
    EXPECT_EQ(-1, registry.SetDWord(0, "S", "V", 1));
    EXPECT_EQ(-1, registry.SetBinary(7, "S", "V", "x", 1));
    EXPECT_EQ(-1, registry.SetString(QX_REGISTRY_CURRENT_USER, "S", "V", nullptr));
    EXPECT_EQ(-1, registry.SetBinary(QX_REGISTRY_CURRENT_USER, "S", "V", nullptr, 4));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, Key("S"), "V").type, static_cast<DWORD>(REG_NONE)) << "nothing was written";
    EXPECT_EQ(1, registry.SetBinary(QX_REGISTRY_CURRENT_USER, "S", "Empty", nullptr, 0));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), ReadRaw(HKEY_CURRENT_USER, Key("S"), "Empty").type);
}

TEST_F(RegistryClass, EntryTypesOfStoredValues)
{
    const unsigned char data[8] = {1, 0, 0, 0, 0, 0, 0, 0};
    struct Case {
        const char* name;
        DWORD type;
        int entry;
    } cases[] = {
        {"Sz", REG_SZ, 4},          {"ExpandSz", REG_EXPAND_SZ, 4}, {"DWord", REG_DWORD, 3},
        {"Binary", REG_BINARY, 2},  {"MultiSz", REG_MULTI_SZ, 2},   {"QWord", REG_QWORD, 2},
        {"BigEndian", REG_DWORD_BIG_ENDIAN, 2}, {"None", REG_NONE, 2}, {"Unknown", 0x4242, -1},
    };
    for (const Case& c : cases) {
        WriteRaw(HKEY_CURRENT_USER, Key("Types"), c.name, c.type, data, c.type == REG_DWORD ? 4 : sizeof data);
        EXPECT_EQ(c.entry, registry.GetEntryType(QX_REGISTRY_CURRENT_USER, "Types", c.name)) << c.name;
    }
    EXPECT_EQ(-1, registry.GetEntryType(QX_REGISTRY_CURRENT_USER, "Types", "Missing"));
    EXPECT_EQ(-1, registry.GetEntryType(QX_REGISTRY_CURRENT_USER, "Absent", "Sz"));
    EXPECT_EQ(-1, registry.GetEntryType(12, "Types", "Sz"));
}
