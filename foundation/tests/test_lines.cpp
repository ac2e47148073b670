// Files and line records: the open-file functions, the line reader, the typed and string
// readers and TINPUT, on real files of a scratch folder.
#include "qxfile.h"
#include "scratch_dir.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

// A handle from QXopen, closed with QXclose at the end of the scope.
class OpenedFile {
public:
    explicit OpenedFile(QXFILE file) : file_(file) {}
    ~OpenedFile()
    {
        if (file_)
            QXclose(file_);
    }
    OpenedFile(const OpenedFile&) = delete;
    OpenedFile& operator=(const OpenedFile&) = delete;
    operator QXFILE() const { return file_; }

private:
    QXFILE file_;
};

// n characters that differ from their neighbours, so a cut in the wrong place shows.
std::string Text(size_t n)
{
    std::string text;
    for (size_t i = 0; i < n; ++i)
        text += static_cast<char>('a' + i % 26);
    return text;
}

std::string Printable(const std::string& text)
{
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            shown += "\\r";
        else if (c == '\n')
            shown += "\\n";
        else
            shown += c;
    }
    return shown.size() > 60 ? shown.substr(0, 60) + "... (" + std::to_string(text.size()) + " bytes)"
                             : shown;
}

long Position(QXFILE file) { return static_cast<long>(SetFilePointer(file, 0, nullptr, FILE_CURRENT)); }

// Nobody holds the file open: only then does an exclusive open succeed.
bool ClosedEverywhere(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Lines(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

class LinesTest : public testing::Test {
protected:
    // Writes the bytes to a file of their own and opens it for reading.
    QXFILE OpenBytes(const std::string& bytes)
    {
        const std::string name = "records" + std::to_string(files_++) + ".txt";
        dir_.Write(name, bytes);
        return QXopen((dir_ / name).c_str(), 0);
    }

    ScratchDir dir_;

private:
    int files_ = 0;
};

// ---------------------------------------------------------------------------------------
// QXGetLine

struct LineCase {
    std::string name;
    std::string bytes;
    int size;
    std::vector<std::string> lines;  // delivered in this order, then the end
    std::vector<long> positions;     // file position after each line
};

std::vector<LineCase> LineCases()
{
    return {
        {"mixed line ends", "12\r\n34\n56\r78", 20, {"12", "34", "56"}, {4, 7, 10}},
        {"CR LF split between two reads", "ab\r\ncd\r\n", 3, {"ab", "cd"}, {4, 8}},
        {"CR at the end of a read without LF", "ab\rcd\r", 3, {"ab", "cd"}, {3, 6}},
        {"LF then CR are two line ends", "a\n\rb\r\n", 20, {"a", "", "b"}, {2, 3, 6}},
        {"lone CR then CR LF", "\r\r\nx\r\n", 20, {"", "", "x"}, {1, 3, 6}},
        {"line filling the buffer", "abcd\r\nefgh\r\n", 5, {"abcd", "efgh"}, {6, 12}},
        {"line one longer than the buffer", "abcde\r\nx\r\n", 5, {"abcd", "x"}, {7, 10}},
        {"size 1 keeps nothing", "abc\r\nd\r\n", 1, {"", ""}, {5, 8}},
        {"over-long line", Text(700) + "\r\nnext\r\n", 500, {Text(499), "next"}, {702, 708}},
        // 10 bytes in the first read, then 255-byte pieces: the CR ends the second piece.
        {"CR LF split while skipping", Text(264) + "\r\nz\r\n", 10, {Text(9), "z"}, {266, 269}},
        {"size above 1024 keeps the whole line", Text(1500) + "\r\n", 2000, {Text(1500)}, {1502}},
        {"size above 1024 cuts a longer line", Text(3000) + "\ny\n", 2000, {Text(1999), "y"}, {3001, 3003}},
        {"CR LF split at a 1024-byte piece", Text(1023) + "\r\nw\r\n", 2000, {Text(1023), "w"}, {1025, 1028}},
        {"last line without line end is not delivered", "a\r\nlast", 20, {"a"}, {3}},
        {"empty file", "", 20, {}, {}},
    };
}

TEST_F(LinesTest, GetLineSplitsRecords)
{
    constexpr char Guard = '#';
    constexpr int GuardBytes = 16;
    for (const LineCase& c : LineCases()) {
        SCOPED_TRACE(c.name + ": " + Printable(c.bytes) + " size " + std::to_string(c.size));
        OpenedFile file(OpenBytes(c.bytes));
        ASSERT_NE(nullptr, static_cast<QXFILE>(file));
        std::vector<char> buf(c.size + GuardBytes, Guard);
        for (size_t i = 0; i < c.lines.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i));
            ASSERT_EQ(1, QXGetLine(file, buf.data(), c.size));
            EXPECT_EQ(c.lines[i], std::string(buf.data()));
            EXPECT_EQ(c.positions[i], Position(file));
        }
        EXPECT_EQ(0, QXGetLine(file, buf.data(), c.size));
        EXPECT_EQ("", std::string(buf.data()));
        EXPECT_EQ(std::string(GuardBytes, Guard), std::string(buf.end() - GuardBytes, buf.end()))
            << "written beyond the given size";
    }
}

// The whole-line reader: a line comes back whatever its length, and so does a last line
// without its line end.
TEST_F(LinesTest, WholeLinesComeBackUncut)
{
    struct Case {
        std::string name;
        std::string bytes;
        std::vector<std::string> lines;
        std::vector<long> positions;
    };
    const Case cases[] = {
        {"mixed line ends", "12\r\n34\n56\r78", {"12", "34", "56", "78"}, {4, 7, 10, 12}},
        {"empty lines", "\r\n\n\r", {"", "", ""}, {2, 3, 4}},
        {"lines longer than any buffer", Text(100000) + "\r\n" + Text(600) + "\r\n", {Text(100000), Text(600)},
         {100002, 100604}},
        {"CR LF split at a 1024-byte piece", Text(1023) + "\r\nw\r\n", {Text(1023), "w"}, {1025, 1028}},
        {"CR ending a piece without LF", Text(2047) + "\rz\r\n", {Text(2047), "z"}, {2048, 2051}},
        {"last line without line end", "a\r\nlast", {"a", "last"}, {3, 7}},
        {"empty file", "", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name + ": " + Printable(c.bytes));
        OpenedFile file(OpenBytes(c.bytes));
        ASSERT_NE(nullptr, static_cast<QXFILE>(file));
        QXSTRING line;
        for (size_t i = 0; i < c.lines.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i));
            ASSERT_EQ(1, QXGetWholeLineStr(file, &line));
            EXPECT_EQ(c.lines[i], std::string(static_cast<const char*>(line)));
            EXPECT_EQ(c.positions[i], Position(file));
        }
        line = "before";
        EXPECT_EQ(0, QXGetWholeLineStr(file, &line));
        EXPECT_EQ("", std::string(static_cast<const char*>(line)));
    }
    EXPECT_EQ(0, QXGetWholeLineStr(nullptr, nullptr));
}

TEST_F(LinesTest, GetLineSizeZeroSkipsALine)
{
    OpenedFile file(OpenBytes("skip\r\n" + Text(600) + "\r\nkeep\r\n"));
    char buf[20] = "untouched";
    EXPECT_EQ(1, QXGetLine(file, buf, 0));
    EXPECT_EQ(6, Position(file));
    EXPECT_EQ(1, QXGetLine(file, buf, 0));
    EXPECT_EQ(608, Position(file));
    EXPECT_STREQ("untouched", buf);
    EXPECT_EQ(1, QXGetLine(file, buf, sizeof buf));
    EXPECT_STREQ("keep", buf);
    EXPECT_EQ(0, QXGetLine(file, buf, 0));
}

TEST_F(LinesTest, GetLineRefusesMissingBufferOrFile)
{
    OpenedFile file(OpenBytes("first\r\n"));
    char buf[20] = "untouched";
    EXPECT_EQ(0, QXGetLine(nullptr, buf, sizeof buf));
    EXPECT_STREQ("", buf);
    EXPECT_EQ(0, QXGetLine(file, nullptr, 20));
    EXPECT_EQ(0, QXGetLine(file, buf, -1));
    EXPECT_EQ(0, QXGetLineStr(file, nullptr));
    EXPECT_EQ(0, Position(file)) << "a refused call must not read";
    EXPECT_EQ(1, QXGetLine(file, buf, sizeof buf));
    EXPECT_STREQ("first", buf);
}

// ---------------------------------------------------------------------------------------
// String readers

TEST_F(LinesTest, StringReadersTrimOnlyBlanks)
{
    using Reader = int (*)(QXFILE, char*, int);
    using StrReader = int (*)(QXFILE, QXSTRING*);
    struct ReaderCase {
        const char* name;
        Reader read;
        StrReader readStr;
        bool trims;
    };
    const ReaderCase readers[] = {
        {"QXLoadString", QXLoadString, QXLoadStringStr, true},
        {"QXLoadStringTrim", QXLoadStringTrim, QXLoadStringTrimStr, true},
        {"QXLoadStringRaw", QXLoadStringRaw, QXLoadStringRawStr, false},
        {"QXGetLine", QXGetLine, QXGetLineStr, false},
    };
    struct TextCase {
        std::string line, trimmed;
    };
    const TextCase texts[] = {
        {"NULL   ", "NULL"}, {"  x\t  ", "  x\t"}, {"", ""}, {"   ", ""}, {"a b", "a b"},
    };
    std::vector<std::string> lines;
    for (const TextCase& t : texts)
        lines.push_back(t.line);

    for (const ReaderCase& r : readers) {
        SCOPED_TRACE(r.name);
        OpenedFile plain(OpenBytes(Lines(lines)));
        OpenedFile forStr(OpenBytes(Lines(lines)));
        char buf[QX_NAME_BUFFER];
        QXSTRING str;
        for (const TextCase& t : texts) {
            SCOPED_TRACE("line \"" + t.line + "\"");
            const std::string expected = r.trims ? t.trimmed : t.line;
            ASSERT_EQ(1, r.read(plain, buf, sizeof buf));
            EXPECT_EQ(expected, std::string(buf));
            ASSERT_EQ(1, r.readStr(forStr, &str));
            EXPECT_EQ(expected, std::string(static_cast<const char*>(str)));
        }
        EXPECT_EQ(0, r.read(plain, buf, sizeof buf));
        str = "before";
        EXPECT_EQ(0, r.readStr(forStr, &str));
        EXPECT_EQ("", std::string(static_cast<const char*>(str))) << "assigned at the end too";
    }
}

TEST_F(LinesTest, StringFormsReadThroughAWorkBuffer)
{
    OpenedFile file(OpenBytes(Text(600) + "\r\nnext\r\n"));
    QXSTRING str;
    ASSERT_EQ(1, QXGetLineStr(file, &str));
    EXPECT_EQ(Text(QX_NAME_BUFFER - 1), std::string(static_cast<const char*>(str)));
    ASSERT_EQ(1, QXGetLineStr(file, &str));
    EXPECT_EQ("next", std::string(static_cast<const char*>(str)));
}

// ---------------------------------------------------------------------------------------
// Typed readers

constexpr long Unset = 987654;

struct OneValueCase {
    std::string line;
    long value;
};

// Reads each line with `load` into an output preset to Unset, then checks the end.
template <class T>
void CheckOneValuePerLine(QXFILE file, int (*load)(QXFILE, T*), const std::vector<OneValueCase>& cases)
{
    for (const OneValueCase& c : cases) {
        SCOPED_TRACE("line \"" + c.line + "\"");
        T value = static_cast<T>(Unset);
        ASSERT_EQ(1, load(file, &value));
        EXPECT_EQ(static_cast<T>(c.value), value);
    }
    T value = static_cast<T>(Unset);
    EXPECT_EQ(0, load(file, &value));
    EXPECT_EQ(static_cast<T>(Unset), value) << "untouched at the end";
}

const std::vector<OneValueCase>& IntegerLines()
{
    static const std::vector<OneValueCase> cases = {
        {"12", 12},
        {"-17", -17},
        {"  +5", 5},
        {"\t7", 7},
        {"42abc", 42},
        {"NULL", 0},
        {"", 0},
        {"2147483647", 2147483647},
        {"0000000000000000001234", 1},  // only the first 19 characters are read
    };
    return cases;
}

std::string LinesOf(const std::vector<OneValueCase>& cases)
{
    std::vector<std::string> lines;
    for (const OneValueCase& c : cases)
        lines.push_back(c.line);
    return Lines(lines);
}

TEST_F(LinesTest, Load1IntAndLoad1LongReadOneValuePerLine)
{
    {
        SCOPED_TRACE("Load1Int");
        OpenedFile file(OpenBytes(LinesOf(IntegerLines())));
        CheckOneValuePerLine<int>(file, Load1Int, IntegerLines());
    }
    {
        SCOPED_TRACE("Load1Long");
        OpenedFile file(OpenBytes(LinesOf(IntegerLines())));
        CheckOneValuePerLine<long>(file, Load1Long, IntegerLines());
    }
}

TEST_F(LinesTest, Load1IntLeavesTheFileAfterEachLineEnd)
{
    OpenedFile file(OpenBytes("12\r\n34\n56\r78"));
    const int expected[] = {12, 34, 56};
    const long positions[] = {4, 7, 10};
    for (int i = 0; i < 3; ++i) {
        int value = -1;
        ASSERT_EQ(1, Load1Int(file, &value));
        EXPECT_EQ(expected[i], value);
        EXPECT_EQ(positions[i], Position(file));
    }
    int value = -1;
    EXPECT_EQ(0, Load1Int(file, &value));
    EXPECT_EQ(-1, value);
}

TEST_F(LinesTest, Load1CharStoresOneByte)
{
    const std::vector<OneValueCase> cases = {{"65", 65}, {"200", 200}, {"-1", -1}, {"NULL", 0}};
    OpenedFile file(OpenBytes(LinesOf(cases)));
    CheckOneValuePerLine<char>(file, Load1Char, cases);
}

struct GroupCase {
    std::string line;
    int result;
    std::array<long, 4> values;
};

template <class T, size_t N>
void CheckGroups(QXFILE file, int (*load)(QXFILE, T*, T*, T*, T*), const std::vector<GroupCase>& cases)
{
    for (const GroupCase& c : cases) {
        SCOPED_TRACE("line \"" + c.line + "\"");
        std::array<T, 4> v;
        v.fill(static_cast<T>(Unset));
        EXPECT_EQ(c.result, load(file, &v[0], &v[1], &v[2], &v[3]));
        for (size_t i = 0; i < N; ++i)
            EXPECT_EQ(static_cast<T>(c.values[i]), v[i]) << "value " << i;
    }
}

const std::vector<GroupCase>& FourIntegerLines()
{
    static const std::vector<GroupCase> cases = {
        {"10 20 30 40", 1, {10, 20, 30, 40}},
        {"10  20 30  40", 1, {10, 20, 30, 40}},
        {"   10 20 30 40   ", 1, {10, 20, 30, 40}},
        {"1 2 3 4 5", 1, {1, 2, 3, 4}},
        {"NULL 2 3 4", 1, {0, 2, 3, 4}},
        {"-1 +2 3x 4", 1, {-1, 2, 3, 4}},
        {"10 20 30", 0, {10, 20, 30, Unset}},
        {"10 20 30   ", 0, {10, 20, 30, Unset}},
        {"10\t20 30 40", 0, {10, 30, 40, Unset}},  // TAB is no separator
        {"     ", 0, {Unset, Unset, Unset, Unset}},
        {"", 0, {Unset, Unset, Unset, Unset}},
        // The fourth value lies beyond the 79 characters read.
        {"1 2 3" + std::string(80, ' ') + "4", 0, {1, 2, 3, Unset}},
        {"7 8 9 6", 1, {7, 8, 9, 6}},
    };
    return cases;
}

std::string LinesOf(const std::vector<GroupCase>& cases)
{
    std::vector<std::string> lines;
    for (const GroupCase& c : cases)
        lines.push_back(c.line);
    return Lines(lines);
}

TEST_F(LinesTest, Load4IntAndLoad4LongReadGroups)
{
    {
        SCOPED_TRACE("Load4Int");
        OpenedFile file(OpenBytes(LinesOf(FourIntegerLines())));
        CheckGroups<int, 4>(file, Load4Int, FourIntegerLines());
    }
    {
        SCOPED_TRACE("Load4Long");
        OpenedFile file(OpenBytes(LinesOf(FourIntegerLines())));
        CheckGroups<long, 4>(file, Load4Long, FourIntegerLines());
    }
}

TEST_F(LinesTest, Load2IntReadsPairs)
{
    const std::vector<GroupCase> cases = {
        {"7 8", 1, {7, 8}},
        {" 7   8 ", 1, {7, 8}},
        {"7", 0, {7, Unset}},
        {"", 0, {Unset, Unset}},
        // The second value lies beyond the 49 characters read.
        {"7" + std::string(60, ' ') + "8", 0, {7, Unset}},
        {"5 6", 1, {5, 6}},
    };
    OpenedFile file(OpenBytes(LinesOf(cases)));
    auto load = [](QXFILE f, int* a, int* b, int*, int*) { return Load2Int(f, a, b); };
    CheckGroups<int, 2>(file, +load, cases);
}

struct DoubleCase {
    std::string line;
    int result;
    std::array<double, 4> values;
};

constexpr double UnsetDouble = -12345.5;

TEST_F(LinesTest, Load1DoubleAndLoad4DoubleReadDecimals)
{
    const std::vector<DoubleCase> one = {
        {"3.25", 1, {3.25}},
        {"  0.5", 1, {0.5}},
        {"-1.5e2 rest", 1, {-150.0}},
        {"NULL", 1, {UnsetDouble}},  // read, but not a number: the output keeps its value
        {"   ", 0, {UnsetDouble}},
        {"", 0, {UnsetDouble}},
    };
    const std::vector<DoubleCase> four = {
        {"1.5 2.5  3.5 4.5", 1, {1.5, 2.5, 3.5, 4.5}},
        {"10.00     20.00     30.00     40.00", 1, {10, 20, 30, 40}},
        {"1.5 NULL 3.5", 0, {1.5, UnsetDouble, 3.5, UnsetDouble}},
        {"1 2 3" + std::string(80, ' ') + "4", 0, {1, 2, 3, UnsetDouble}},
        {"   ", 0, {UnsetDouble, UnsetDouble, UnsetDouble, UnsetDouble}},
    };
    std::vector<std::string> lines;
    for (const DoubleCase& c : one)
        lines.push_back(c.line);
    for (const DoubleCase& c : four)
        lines.push_back(c.line);
    OpenedFile file(OpenBytes(Lines(lines)));

    for (const DoubleCase& c : one) {
        SCOPED_TRACE("Load1Double \"" + c.line + "\"");
        double value = UnsetDouble;
        EXPECT_EQ(c.result, Load1Double(file, &value));
        EXPECT_DOUBLE_EQ(c.values[0], value);
    }
    for (const DoubleCase& c : four) {
        SCOPED_TRACE("Load4Double \"" + c.line + "\"");
        std::array<double, 4> v;
        v.fill(UnsetDouble);
        EXPECT_EQ(c.result, Load4Double(file, &v[0], &v[1], &v[2], &v[3]));
        for (size_t i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(c.values[i], v[i]) << "value " << i;
    }
    double value = UnsetDouble;
    EXPECT_EQ(0, Load1Double(file, &value));
    EXPECT_EQ(UnsetDouble, value);
}

// ---------------------------------------------------------------------------------------
// QXopen and QXclose

TEST_F(LinesTest, OpenRefusesUnknownModesAndMissingFiles)
{
    dir_.Write("present.txt", "x\r\n");
    for (int mode : {3, -1, 99}) {
        SCOPED_TRACE("mode " + std::to_string(mode));
        EXPECT_EQ(nullptr, QXopen((dir_ / "present.txt").c_str(), mode));
    }
    EXPECT_EQ(nullptr, QXopen(nullptr, 0));
    EXPECT_EQ(nullptr, QXopen((dir_ / "missing.txt").c_str(), 0));
    EXPECT_FALSE(Exists(dir_ / "missing.txt")) << "reading must not create";
    EXPECT_EQ(nullptr, QXopen((dir_ / "no folder\\missing.txt").c_str(), 2));
    EXPECT_TRUE(ClosedEverywhere(dir_ / "present.txt"));
}

TEST_F(LinesTest, OpenRestoresTheErrorMode)
{
    dir_.Write("present.txt", "x\r\n");
    const UINT before = SetErrorMode(SEM_NOGPFAULTERRORBOX);
    { OpenedFile file(QXopen((dir_ / "present.txt").c_str(), 0)); }
    { OpenedFile missing(QXopen((dir_ / "missing.txt").c_str(), 0)); }
    const UINT after = GetErrorMode();
    SetErrorMode(before);
    EXPECT_EQ(static_cast<UINT>(SEM_NOGPFAULTERRORBOX), after);
}

TEST_F(LinesTest, OpenForReadingSharesReadingOnly)
{
    const std::string path = dir_ / "shared.txt";
    dir_.Write("shared.txt", "one\r\n");
    OpenedFile first(QXopen(path.c_str(), 0));
    ASSERT_NE(nullptr, static_cast<QXFILE>(first));
    DWORD written = 0;
    EXPECT_FALSE(WriteFile(first, "x", 1, &written, nullptr)) << "mode 0 must not write";
    OpenedFile second(QXopen(path.c_str(), 0));
    EXPECT_NE(nullptr, static_cast<QXFILE>(second)) << "a second reader is allowed";
    EXPECT_EQ(nullptr, QXopen(path.c_str(), 1)) << "a writer is not, while readers hold the file";
    char buf[20];
    EXPECT_EQ(1, QXGetLine(second, buf, sizeof buf));
    EXPECT_STREQ("one", buf);
}

TEST_F(LinesTest, OpenForWritingCreatesOrTruncates)
{
    dir_.Write("old.txt", "old content\r\n");
    for (const char* name : {"old.txt", "new.txt"}) {
        SCOPED_TRACE(name);
        const std::string path = dir_ / name;
        QXFILE file = QXopen(path.c_str(), 1);
        ASSERT_NE(nullptr, file);
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, "new\r\n", 5, &written, nullptr));
        EXPECT_NE(0, QXclose(file));
        EXPECT_EQ("new\r\n", dir_.Read(name));
    }
}

TEST_F(LinesTest, OpenForReadingAndWritingCreatesWhenMissing)
{
    const std::string path = dir_ / "both.txt";
    {
        OpenedFile file(QXopen(path.c_str(), 2));
        ASSERT_NE(nullptr, static_cast<QXFILE>(file));
        EXPECT_TRUE(Exists(path));
        DWORD written = 0;
        EXPECT_TRUE(WriteFile(file, "a\r\n", 3, &written, nullptr));
        SetFilePointer(file, 0, nullptr, FILE_BEGIN);
        char buf[20];
        EXPECT_EQ(1, QXGetLine(file, buf, sizeof buf));
        EXPECT_STREQ("a", buf);
    }
    OpenedFile again(QXopen(path.c_str(), 2));
    char buf[20];
    EXPECT_EQ(1, QXGetLine(again, buf, sizeof buf)) << "an existing file is kept";
    EXPECT_STREQ("a", buf);
}

TEST_F(LinesTest, TableHoldsManyOpenFiles)
{
    constexpr int Count = 100;
    std::vector<QXFILE> files;
    for (int i = 0; i < Count; ++i) {
        const std::string name = "many" + std::to_string(i) + ".txt";
        dir_.Write(name, "file " + std::to_string(i) + "\r\n");
        files.push_back(QXopen((dir_ / name).c_str(), 0));
        ASSERT_NE(nullptr, files.back()) << name;
    }
    // Read back in reverse order so that each handle proves it is its own file.
    for (int i = Count - 1; i >= 0; --i) {
        char buf[20];
        ASSERT_EQ(1, QXGetLine(files[i], buf, sizeof buf));
        EXPECT_EQ("file " + std::to_string(i), std::string(buf));
    }
    for (int i = 0; i < Count; i += 2)
        EXPECT_NE(0, QXclose(files[i]));
    for (int i = 1; i < Count; i += 2)
        EXPECT_NE(0, QXclose(files[i]));
    for (int i = 0; i < Count; ++i)
        EXPECT_TRUE(ClosedEverywhere(dir_ / ("many" + std::to_string(i) + ".txt"))) << i;
}

TEST_F(LinesTest, CloseOfAHandleOutsideTheTable)
{
    const std::string path = dir_ / "outside.txt";
    dir_.Write("outside.txt", "x\r\n");
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    EXPECT_FALSE(ClosedEverywhere(path));
    EXPECT_NE(0, QXclose(file));
    EXPECT_TRUE(ClosedEverywhere(path));
    EXPECT_EQ(0, QXclose(nullptr));
}

TEST_F(LinesTest, HandleClosedBehindTheTablesBackCanComeAgain)
{
    const std::string first = dir_ / "first.txt";
    const std::string second = dir_ / "second.txt";
    dir_.Write("first.txt", "first\r\n");
    dir_.Write("second.txt", "second\r\n");
    for (int round = 0; round < 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QXFILE stale = QXopen(first.c_str(), 0);
        ASSERT_NE(nullptr, stale);
        CloseHandle(stale);  // closed without QXclose: the table still records the value
        QXFILE file = QXopen(second.c_str(), 0);
        ASSERT_NE(nullptr, file);
        char buf[20];
        EXPECT_EQ(1, QXGetLine(file, buf, sizeof buf));
        EXPECT_STREQ("second", buf);
        EXPECT_NE(0, QXclose(file));
        EXPECT_TRUE(ClosedEverywhere(second));
        EXPECT_TRUE(ClosedEverywhere(first));
    }
}

// ---------------------------------------------------------------------------------------
// TINPUT

struct TinputCase {
    std::string name;
    std::string bytes;
    std::vector<std::string> lines;
};

std::vector<TinputCase> TinputCases()
{
    constexpr int Buffer = TINPUT::BufferBytes;
    const std::string cut = Text(TINPUT::LineChars);
    return {
        {"LF and CR LF, last line without line end", "a\r\nb\nc", {"a", "b", "c"}},
        {"Ctrl-Z becomes a blank", "x\x1Ay\r\n\x1A\r\n", {"x y", " "}},
        {"lone CR is text", "a\rb\r\n", {"a\rb"}},
        {"empty lines", "\r\n\n\r\nz\r\n", {"", "", "", "z"}},
        {"empty file", "", {}},
        {"line longer than 1023 characters", Text(1500) + "\r\nz\r\n", {cut, "z"}},
        {"line longer than half the buffer", Text(5000) + "\r\nnext\r\n", {cut, "next"}},
        {"line longer than the buffer", Text(3 * Buffer) + "\nnext\n", {cut, "next"}},
        {"CR LF across the buffer end", Text(Buffer - 1) + "\r\nend\r\n", {cut, "end"}},
        {"lone CR at the buffer end", Text(Buffer - 5) + "\r\nxy\rz\r\n", {cut, "xy\rz"}},
        {"LF first in the next fill", Text(Buffer) + "\nk\n", {cut, "k"}},
    };
}

TEST_F(LinesTest, TinputHandsOutLines)
{
    for (const TinputCase& c : TinputCases()) {
        SCOPED_TRACE(c.name + ": " + Printable(c.bytes));
        const std::string name = "tinput.txt";
        dir_.Write(name, c.bytes);
        TINPUT input((dir_ / name).c_str());
        for (size_t i = 0; i < c.lines.size(); ++i) {
            SCOPED_TRACE("line " + std::to_string(i));
            const char* line = input.GetNextLine();
            ASSERT_NE(nullptr, line);
            EXPECT_EQ(c.lines[i], std::string(line));
        }
        EXPECT_EQ(nullptr, input.GetNextLine());
        EXPECT_EQ(nullptr, input.GetNextLine()) << "the end stays the end";
        EXPECT_EQ(static_cast<int>(c.lines.size()), input.Lines());
    }
}

TEST_F(LinesTest, TinputRefillsItsBufferInOrder)
{
    constexpr int Count = 3000;
    std::string bytes;
    for (int i = 0; i < Count; ++i)
        bytes += "line " + std::to_string(i) + (i % 3 ? "\r\n" : "\n");
    ASSERT_GT(bytes.size(), 2u * TINPUT::BufferBytes);
    dir_.Write("big.txt", bytes);
    TINPUT input((dir_ / "big.txt").c_str());
    for (int i = 0; i < Count; ++i) {
        const char* line = input.GetNextLine();
        ASSERT_NE(nullptr, line) << "line " << i;
        ASSERT_EQ("line " + std::to_string(i), std::string(line));
    }
    EXPECT_EQ(nullptr, input.GetNextLine());
    EXPECT_EQ(Count, input.Lines());
}

TEST_F(LinesTest, TinputOfAMissingFileGivesNoLines)
{
    TINPUT input((dir_ / "missing.txt").c_str());
    EXPECT_EQ(nullptr, input.GetNextLine());
    EXPECT_EQ(0, input.Lines());
}

TEST_F(LinesTest, TinputClosesItsFile)
{
    const std::string path = dir_ / "closed.txt";
    dir_.Write("closed.txt", "a\r\n");
    {
        TINPUT input(path.c_str());
        EXPECT_FALSE(ClosedEverywhere(path)) << "open while the reader lives";
        ASSERT_NE(nullptr, input.GetNextLine());
    }
    EXPECT_TRUE(ClosedEverywhere(path));
}

}  // namespace
