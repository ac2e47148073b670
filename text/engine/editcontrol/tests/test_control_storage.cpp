// The document stored between two controls through memory and files, bound to its file or not,
// and a damaged stream.
#include "control_fixture.h"
#include "rte_control_internal.h"
#include "rte_io.h"
#include "rte_record_codec.h"
#include "rte_record_stream.h"
#include "rte_text_blocks.h"
#include "rte_typed.h"
#include "scratch_dir.h"

namespace {

TEST_F(ControlTest, MemoryStorageCarriesTextAndStyles)
{
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un mot gras"));
    SendMessageA(from, EM_SETSEL, 0, MAKELPARAM(7, 11));
    SendMessageA(from, RTEM_SETATTRIBUTES, 0, 0x1);
    RteHandle memory = RteAlloc(RteControlContext(), 1, 0, 0, false);
    LRESULT end = SendMessageA(from, RTEM_SAVEMEM, 0, reinterpret_cast<LPARAM>(memory));
    ASSERT_GT(end, 0);
    EXPECT_EQ(SendMessageA(from, RTEM_GETCHANGECOUNT, 0, 0), 0) << "a save clears the change count";
    EXPECT_EQ(SendMessageA(to, RTEM_PROBEMEM, 0, reinterpret_cast<LPARAM>(memory)), 0);
    EXPECT_EQ(SendMessageA(to, RTEM_LOADMEM, 0, reinterpret_cast<LPARAM>(memory)), end);
    EXPECT_EQ(Text(to), "un mot gras");
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(7, 11));
    EXPECT_EQ(SendMessageA(to, RTEM_GETATTRIBUTES, 0, 0) & 0x1, 0x1);
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(0, 2));
    EXPECT_EQ(SendMessageA(to, RTEM_GETATTRIBUTES, 0, 0) & 0x1, 0);
    RteFree(memory);
}

TEST_F(ControlTest, ATruncatedStreamLeavesTheControlAsItWas)
{
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un texte entier"));
    RteHandle memory = RteAlloc(RteControlContext(), 1, 0, 0, false);
    LRESULT end = SendMessageA(from, RTEM_SAVEMEM, 0, reinterpret_cast<LPARAM>(memory));
    ASSERT_GT(end, 40);
    RteSetCount(memory, static_cast<int32_t>(end / 2));
    SendMessageA(to, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("avant"));
    SendMessageA(to, RTEM_SETCHANGECOUNT, 0, 5);
    notifications_.clear();
    EXPECT_LT(SendMessageA(to, RTEM_LOADMEM, 0, reinterpret_cast<LPARAM>(memory)), 0);
    EXPECT_EQ(Text(to), "avant");
    EXPECT_EQ(SendMessageA(to, RTEM_GETCHANGECOUNT, 0, 0), 5);
    EXPECT_EQ(Count(RTEN_ERROR), 1);
    RteSetCount(memory, 8);
    EXPECT_EQ(SendMessageA(to, RTEM_PROBEMEM, 0, reinterpret_cast<LPARAM>(memory)), -1);
    RteFree(memory);
}

TEST_F(ControlTest, FileStorageBetweenTwoControls)
{
    ScratchDir dir;
    std::string path = dir.Path() + "\\texte.rtd";
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("écrit dans un fichier"));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LRESULT end = SendMessageA(from, RTEM_SAVE, reinterpret_cast<WPARAM>(file), 0);
    ASSERT_GT(end, 0);
    EXPECT_EQ(SendMessageA(to, RTEM_PROBE, reinterpret_cast<WPARAM>(file), 0), 0);
    EXPECT_EQ(SendMessageA(to, RTEM_LOAD, reinterpret_cast<WPARAM>(file), 0), end);
    CloseHandle(file);
    EXPECT_EQ(Text(to), "écrit dans un fichier");
}

}  // namespace

namespace {

HANDLE NewFile(const std::string& path)
{
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
}

TEST_F(ControlTest, PlainTextSavedAndLoaded)
{
    ScratchDir dir;
    std::string path = dir.Path() + "\\texte.txt";
    HWND from = MakeControl();
    std::string text;
    for (int i = 0; i < 800; ++i)
        text += "mot" + std::to_string(i) + " ";
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    HANDLE file = NewFile(path);
    ASSERT_EQ(SendMessageA(from, RTEM_SAVETEXT, reinterpret_cast<WPARAM>(file), 0), static_cast<LRESULT>(text.size()));
    HWND to = MakeControl();
    SendMessageA(to, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("[]"));
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(1, 1));
    EXPECT_EQ(SendMessageA(to, RTEM_LOADTEXT, reinterpret_cast<WPARAM>(file), 0), static_cast<LRESULT>(text.size()))
        << "read in chunks of 4096 bytes";
    CloseHandle(file);
    EXPECT_EQ(Text(to), "[" + text + "]");
}

// The end record of a saved stream: where it starts and its bytes.
size_t EndRecordAt(const std::vector<uint8_t>& stream)
{
    for (size_t at = stream.size() - RTE_HEADER_BYTES + 1; at-- > 0;) {
        RteRecordHeader header;
        if (RteParseHeader(stream.data() + at, &header) && header.type == RTE_RECORD_END &&
            at + RTE_HEADER_BYTES + static_cast<size_t>(header.length) == stream.size())
            return at;
    }
    return stream.size();
}

TEST_F(ControlTest, UserRecordsOfTheirOwnTypesComeBack)
{
    ScratchDir dir;
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("avec des records"));
    HANDLE file = NewFile(dir.Path() + "\\records.rtd");
    LRESULT end = SendMessageA(from, RTEM_SAVE, reinterpret_cast<WPARAM>(file), 0);
    ASSERT_GT(end, 0);
    std::vector<uint8_t> stream(static_cast<size_t>(end));
    DWORD read = 0;
    SetFilePointer(file, 0, nullptr, FILE_BEGIN);
    ReadFile(file, stream.data(), static_cast<DWORD>(end), &read, nullptr);
    size_t endAt = EndRecordAt(stream);
    ASSERT_LT(endAt, stream.size());
    // Two records of the caller's before the end record: the default type and type 1052 + 3.
    const uint8_t first[] = "premier";
    const uint8_t second[] = "second";
    RteUserRecord plain{static_cast<int32_t>(endAt), 11, first, first + 7, 0};
    LRESULT written = SendMessageA(from, RTEM_WRITERECORD, reinterpret_cast<WPARAM>(file), reinterpret_cast<LPARAM>(&plain));
    ASSERT_GT(written, 7);
    RteUserRecord numbered{plain.position + static_cast<int32_t>(written), 22, second, second + 6, 3};
    LRESULT more = SendMessageA(from, RTEM_WRITERECORD, reinterpret_cast<WPARAM>(file), reinterpret_cast<LPARAM>(&numbered));
    ASSERT_GT(more, 6);
    DWORD put = 0;
    SetFilePointer(file, numbered.position + static_cast<LONG>(more), nullptr, FILE_BEGIN);
    WriteFile(file, stream.data() + endAt, static_cast<DWORD>(stream.size() - endAt), &put, nullptr);
    SendMessageA(to, RTEM_REGISTERRECORD, 0, 0);
    SendMessageA(to, RTEM_REGISTERRECORD, 3, 0);
    notifications_.clear();
    EXPECT_GT(SendMessageA(to, RTEM_LOAD, reinterpret_cast<WPARAM>(file), 0), 0);
    CloseHandle(file);
    EXPECT_EQ(Text(to), "avec des records");
    std::vector<std::string> records;
    for (const Notification& note : notifications_)
        if (note.message == RTEN_USERRECORD)
            records.emplace_back(note.record.begin(), note.record.end());
    EXPECT_EQ(records, (std::vector<std::string>{"1052:premier", "1055:second"}));
}

}  // namespace

namespace {

TEST_F(ControlTest, SettingsPensAndLayoutTravelWithTheDocument)
{
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("réglages"));
    RECT margins{7, 6, 5, 4};
    SendMessageA(from, RTEM_SETMARGINS, 0, reinterpret_cast<LPARAM>(&margins));
    SendMessageA(from, RTEM_SETFRAMEPEN, 0, reinterpret_cast<LPARAM>(CreatePen(PS_DOT, 3, RGB(0, 0, 200))));
    SendMessageA(from, RTEM_SETRULEPEN, PS_SOLID, 0);
    SendMessageA(from, RTEM_SETCOLUMNS, 0, MAKELPARAM(2, 12));
    SendMessageA(from, EM_LIMITTEXT, 500, 0);
    SendMessageA(from, RTEM_SETNOTIFY, 0, RTEN_FLAG_CLICK | RTEN_FLAG_CHANGE);
    RteHandle handle;
    RteControlFromWindow(from, &handle)->state = RTE_STATE_SCROLLBARS | RTE_STATE_FREE_WRAP | RTE_STATE_DOUBLE_CLICK;
    RteUnlock(handle);
    RteHandle memory = RteAlloc(RteControlContext(), 1, 0, 0, false);
    ASSERT_GT(SendMessageA(from, RTEM_SAVEMEM, 0, reinterpret_cast<LPARAM>(memory)), 0);
    ASSERT_GT(SendMessageA(to, RTEM_LOADMEM, 0, reinterpret_cast<LPARAM>(memory)), 0);
    RteFree(memory);
    RteControlInfo info = {};
    SendMessageA(to, RTEM_GETPARAMS, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.margins.left, 7);
    EXPECT_EQ(info.margins.bottom, 4);
    EXPECT_EQ(info.columns, 2);
    EXPECT_EQ(info.columnGap, 12);
    EXPECT_EQ(info.notifyFlags, RTEN_FLAG_CLICK | RTEN_FLAG_CHANGE);
    ASSERT_NE(info.framePen, nullptr);
    LOGPEN frame = {};
    GetObjectA(info.framePen, sizeof frame, &frame);
    EXPECT_EQ(frame.lopnWidth.x, 3);
    EXPECT_EQ(frame.lopnStyle, static_cast<UINT>(PS_DOT));
    EXPECT_EQ(frame.lopnColor, RGB(0, 0, 200));
    LOGPEN rule = {};
    GetObjectA(info.rulePen, sizeof rule, &rule);
    EXPECT_EQ(rule.lopnWidth.x, 4);
    EXPECT_EQ(info.columnPen, nullptr) << "a pen of width 0 is not made";
    RteControl* control = RteControlFromWindow(to, &handle);
    EXPECT_EQ(control->textLimit, 500);
    EXPECT_EQ(control->state, RTE_STATE_FREE_WRAP) << "only the free-list bit of the state survives";
    RteUnlock(handle);
    EXPECT_EQ(Text(to), "réglages");
}

}  // namespace

namespace {

TEST_F(ControlTest, ProgressAndDrawingDcAreReportedWhenAsked)
{
    HWND control = MakeControl(ES_MULTILINE | WS_VISIBLE);
    ShowWindow(parent_, SW_SHOWNOACTIVATE);
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("progrès"));
    RteHandle memory = RteAlloc(RteControlContext(), 1, 0, 0, false);
    UpdateWindow(control);
    notifications_.clear();
    SendMessageA(control, RTEM_SAVEMEM, 0, reinterpret_cast<LPARAM>(memory));
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    EXPECT_EQ(Count(0x3600) + Count(0x3601) + Count(0x3602), 0) << "nothing without the flags";
    SendMessageA(control, RTEM_SETNOTIFY, 0, 0x1 | 0x2);
    SendMessageA(control, RTEM_SAVEMEM, 0, reinterpret_cast<LPARAM>(memory));
    SendMessageA(control, RTEM_LOADMEM, 0, reinterpret_cast<LPARAM>(memory));
    EXPECT_GT(Count(0x3600), 0);
    InvalidateRect(control, nullptr, TRUE);
    UpdateWindow(control);
    EXPECT_GT(Count(0x3601), 0);
    EXPECT_EQ(Count(0x3601), Count(0x3602)) << "each push has its pop";
    RteFree(memory);
}

TEST_F(ControlTest, BoundStorageLeavesTheTextInItsFile)
{
    ScratchDir dir;
    HWND from = MakeControl();
    HWND to = MakeControl();
    std::string text = "un texte lié à son fichier";
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(from, EM_SETSEL, 0, MAKELPARAM(3, 8));
    SendMessageA(from, RTEM_SETATTRIBUTES, 0, 0x1);
    HANDLE file = NewFile(dir.Path() + "\\lie.rtd");
    LRESULT end = SendMessageA(from, RTEM_SAVEBOUND, reinterpret_cast<WPARAM>(file), 0);
    ASSERT_GT(end, 0);
    EXPECT_EQ(SendMessageA(from, RTEM_GETCHANGECOUNT, 0, 0), 0) << "a save clears the change count";
    EXPECT_EQ(SendMessageA(to, RTEM_LOADBOUND, reinterpret_cast<WPARAM>(file), 0), end);
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(to, RTEM_GETDOC, 0, 0));
    EXPECT_NE(RteIsBoundDoc(RteControlContext(), doc), 0);
    {
        RteLocked<RteDocument> locked(doc);
        EXPECT_EQ(RteLocked<RteTextBlock>(locked->blocks)[0].text, nullptr) << "the text is still in the file";
    }
    EXPECT_EQ(Text(to), text) << "read from the file when asked for";
    SendMessageA(to, EM_SETSEL, 0, MAKELPARAM(3, 8));
    EXPECT_EQ(SendMessageA(to, RTEM_GETATTRIBUTES, 0, 0) & 0x1, 0x1);
    DestroyWindow(to);
    CloseHandle(file);
}

// Text given up when memory runs short, out of view, is read again from the file it was saved
// to, through a reader.
TEST_F(ControlTest, TextGivenUpAfterABoundSaveIsReadAgain)
{
    ScratchDir dir;
    HWND control = MakeControl();
    std::string text = "un texte rendu puis relu";
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    HANDLE file = NewFile(dir.Path() + "\\relu.rtd");
    ASSERT_GT(SendMessageA(control, RTEM_SAVEBOUND, reinterpret_cast<WPARAM>(file), 0), 0);
    DWORD size = GetFileSize(file, nullptr);
    RECT away{0, 5000, 300, 5100};
    SendMessageA(control, RTEM_SETVIEWAREA, 0, reinterpret_cast<LPARAM>(&away));
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(control, RTEM_GETDOC, 0, 0));
    ASSERT_GT(RteReleaseBoundText(doc, nullptr, 1 << 20), 0u);
    EXPECT_EQ(Text(control), text);
    EXPECT_EQ(GetFileSize(file, nullptr), size) << "the file is only read";
    DestroyWindow(control);
    CloseHandle(file);
}

TEST_F(ControlTest, ABoundLoadOfATruncatedFileChangesNothing)
{
    ScratchDir dir;
    HWND from = MakeControl();
    HWND to = MakeControl();
    SendMessageA(from, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("un texte entier pour le fichier"));
    HANDLE file = NewFile(dir.Path() + "\\coupe.rtd");
    LRESULT end = SendMessageA(from, RTEM_SAVE, reinterpret_cast<WPARAM>(file), 0);
    ASSERT_GT(end, 40);
    SetFilePointer(file, static_cast<LONG>(end / 2), nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    SendMessageA(to, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("avant"));
    SendMessageA(to, RTEM_SETCHANGECOUNT, 0, 3);
    notifications_.clear();
    EXPECT_LT(SendMessageA(to, RTEM_LOADBOUND, reinterpret_cast<WPARAM>(file), 0), 0);
    EXPECT_EQ(Text(to), "avant");
    EXPECT_EQ(SendMessageA(to, RTEM_GETCHANGECOUNT, 0, 0), 3);
    EXPECT_EQ(Count(RTEN_ERROR), 1);
    RteHandle doc = reinterpret_cast<RteHandle>(SendMessageA(to, RTEM_GETDOC, 0, 0));
    EXPECT_EQ(RteIsBoundDoc(RteControlContext(), doc), 0) << "not bound to a file it could not read";
    CloseHandle(file);
}

}  // namespace
