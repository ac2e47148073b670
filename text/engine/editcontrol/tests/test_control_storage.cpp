// The document stored between two controls through memory and files, and a damaged stream.
#include "control_fixture.h"
#include "rte_control_internal.h"
#include "rte_io.h"
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
