// The player end to end: qxstage30.exe started on a copy of the sample publication, driven
// only by window messages from this process.
#include "dialog_items.h"
#include "internet_servers.h"
#include "resource.h"
#include "sample_files.h"
#include "scratch_dir.h"
#include "test_programs.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int StartMs = 30000;
// The titles of the sample's pages on the publication window.
constexpr const char* HomeTitle = "D\xe9monstration Vistrelle (Accueil)";
constexpr const char* GalleryTitle = "D\xe9monstration Vistrelle (Galerie)";
// The animations page: a FLIC with its control bar, a series of pictures and a film.
constexpr POINT Flic{100, 100};
constexpr POINT Series{320, 100};
constexpr POINT Film{530, 100};
// The colour of the text page's hover message.
constexpr COLORREF MessageBackground = RGB(255, 255, 192);

// Polls until the condition holds or the time is up, pumping this thread's messages.
bool WaitUntil(const std::function<bool()>& condition, int ms)
{
    for (DWORD start = GetTickCount(); GetTickCount() - start < static_cast<DWORD>(ms); Sleep(50)) {
        if (condition()) return true;
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return condition();
}

struct WindowSearch {
    DWORD process;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process || WindowClass(window) != search->className) return TRUE;
    search->found = window;
    return FALSE;
}

class Player : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"accueil.pag", "galerie.pag", "son.pag", "fin.pag", "signets.qxb", "coucher.bmp",
                                 "damier.bmp", "bouton_haut.bmp", "bouton_bas.bmp", "carillon.wav"})
            pub.Write(name, ReadWholeFile(SampleFile(name)));
    }

    void TearDown() override
    {
        if (process.hProcess) {
            // A player that a failed test left running is ended with the media server it
            // started, so that the next test starts from nothing.
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) {
                // Once ended, the player starts no server any more.
                TerminateProcess(process.hProcess, 1);
                WaitForSingleObject(process.hProcess, StartMs);
                ProcessRuns(QX_MEDIA_SERVER_PROGRAM, true, process.dwProcessId);
            }
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
    }

    // The sample's settings with another idle time.
    void WriteSettings(int idleSeconds)
    {
        std::string settings = ReadWholeFile(SampleFile("demo.xsc"));
        settings.replace(settings.find("Timer=120"), 9, "Timer=" + std::to_string(idleSeconds));
        pub.Write("demo.xsc", settings);
    }

    void Start(const std::string& arguments)
    {
        std::string line = "qxstage30.exe " + arguments;
        STARTUPINFOA start{};
        start.cb = sizeof start;
        ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &start, &process))
            << GetLastError();
    }

    DWORD ExitCode(int ms)
    {
        if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    HWND PlayerWindow(const char* className)
    {
        WindowSearch search{process.dwProcessId, className, nullptr};
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The publication window once it shows a page with that title.
    HWND ShownWithTitle(const std::string& title, int ms)
    {
        HWND appView = nullptr;
        WaitUntil(
            [&] {
                appView = PlayerWindow("AppViewWindow");
                return appView && IsWindowVisible(appView) && WindowText(appView) == title;
            },
            ms);
        return appView;
    }

    // The page window on top in the view window, and the object window at a point of it.
    static HWND PageOf(HWND appView)
    {
        HWND view = FindWindowExA(appView, nullptr, "ViewWindow", nullptr);
        return view ? ChildWindowFromPointEx(view, POINT{1, 1}, CWP_SKIPINVISIBLE) : nullptr;
    }

    // The page window on top once the page named `name` has come up over the one before:
    // the title changes before the new page is raised.
    static HWND PageOnTop(HWND appView, const std::string& name)
    {
        HWND page = nullptr;
        WaitUntil(
            [&] {
                page = PageOf(appView);
                return page && WindowText(page) == name;
            },
            10000);
        return page;
    }

    ScratchDir pub;
    PROCESS_INFORMATION process{};
};

// Whether the screen shows what programs draw: not under the null display driver, which draws
// the windows of other programs nowhere.
bool ScreenCanBeRead()
{
    HDC screen = GetDC(nullptr);
    const bool readable = GetPixel(screen, 0, 0) != CLR_INVALID;
    ReleaseDC(nullptr, screen);
    return readable;
}

// The picture of a window as the screen shows it now.
std::vector<uint32_t> OnScreen(HWND window)
{
    RECT place{};
    GetWindowRect(window, &place);
    const int width = place.right - place.left, height = place.bottom - place.top;
    std::vector<uint32_t> pixels;
    HDC screen = GetDC(nullptr);
    if (width > 0 && height > 0) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        HDC memory = CreateCompatibleDC(screen);
        HBITMAP picture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(memory, picture);
        if (bits && BitBlt(memory, 0, 0, width, height, screen, place.left, place.top, SRCCOPY)) {
            GdiFlush();
            pixels.assign(static_cast<uint32_t*>(bits), static_cast<uint32_t*>(bits) + width * height);
        }
        SelectObject(memory, old);
        DeleteObject(picture);
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return pixels;
}

// How many pixels of a picture of the screen are near the colour.
int PixelsNear(const std::vector<uint32_t>& picture, COLORREF colour)
{
    return static_cast<int>(std::count_if(picture.begin(), picture.end(), [colour](uint32_t p) {
        return std::abs(static_cast<int>(p >> 16 & 0xFF) - GetRValue(colour)) < 40 &&
               std::abs(static_cast<int>(p >> 8 & 0xFF) - GetGValue(colour)) < 40 &&
               std::abs(static_cast<int>(p & 0xFF) - GetBValue(colour)) < 40;
    }));
}

// Posts a mouse message at a point of the window, the cursor put there first so that the
// player's own look at the cursor finds it on the same place.
void PostMouse(HWND window, UINT message, POINT at)
{
    POINT onScreen = at;
    ClientToScreen(window, &onScreen);
    SetCursorPos(onScreen.x, onScreen.y);
    PostMessageA(window, message, message == WM_LBUTTONDOWN ? MK_LBUTTON : 0, MAKELPARAM(at.x, at.y));
}

}  // namespace

TEST_F(Player, PlaysTheSamplePublicationFromStartToClose)
{
    WriteSettings(3);
    Start("\"" + pub.Path() + "demo.xsc\"");

    // The first page: its title on the publication window, its page window the size of the
    // publication, the picture and both buttons on it.
    HWND appView = ShownWithTitle(HomeTitle, StartMs);
    ASSERT_TRUE(appView) << "title: " << WindowText(PlayerWindow("AppViewWindow"));
    HWND page = PageOnTop(appView, "Accueil");
    ExpectSampleHomePage(page);
    if (HasFatalFailure()) return;
    EXPECT_TRUE(ProcessRuns(QX_MEDIA_SERVER_PROGRAM, false, process.dwProcessId))
        << "the media server is started by the player";

    // A click on "Suivant >>" goes to the gallery.
    Click(ObjectAt(page, SampleNextButton));
    EXPECT_TRUE(ShownWithTitle(GalleryTitle, 10000)) << WindowText(appView);
    EXPECT_EQ("Galerie", WindowText(PageOnTop(appView, "Galerie")));

    // Left alone, the player returns to the first page after the idle time.
    EXPECT_TRUE(ShownWithTitle(HomeTitle, 10000)) << WindowText(appView);
    EXPECT_EQ("Accueil", WindowText(PageOnTop(appView, "Accueil")));

    // Closing the publication window ends the program and leaves nothing running.
    HWND frame = PlayerWindow("HYPW");
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
    EXPECT_FALSE(IsWindow(appView));
    EXPECT_FALSE(IsWindow(frame));
    // The media server it started does not stay behind: it ends once idle for a few seconds.
    const DWORD player = process.dwProcessId;
    EXPECT_TRUE(WaitUntil([player] { return !ProcessRuns(QX_MEDIA_SERVER_PROGRAM, false, player); }, StartMs));
}

TEST_F(Player, WithoutIdleTimeThePageStays)
{
    WriteSettings(0);
    Start("\"" + pub.Path() + "demo.xsc\"");
    HWND appView = ShownWithTitle(HomeTitle, StartMs);
    ASSERT_TRUE(appView);
    Click(ObjectAt(PageOnTop(appView, "Accueil"), SampleNextButton));
    ASSERT_TRUE(ShownWithTitle(GalleryTitle, 10000)) << WindowText(appView);
    Sleep(4000);
    EXPECT_EQ(GalleryTitle, WindowText(appView));
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
}

TEST_F(Player, TheArrowKeysStepThroughTheSlideShowOfTheCommandLine)
{
    WriteSettings(0);
    // A delay long enough for the show to move only by the keys.
    std::string bookmarks = ReadWholeFile(SampleFile("signets.qxb"));
    bookmarks.replace(bookmarks.find("SlideShowDelay=3"), 16, "SlideShowDelay=600");
    pub.Write("show.qxb", bookmarks);
    Start("\"" + pub.Path() + "demo.xsc\" -WEXOR -S=" + pub.Path() + "show.qxb -G");
    HWND appView = ShownWithTitle(HomeTitle, StartMs);
    ASSERT_TRUE(appView);
    HWND frame = PlayerWindow("HYPW");
    struct Step {
        WORD command;
        const char* page;
    };
    for (Step step : {Step{IDM_NEXT_SLIDE, "Galerie"}, Step{IDM_NEXT_SLIDE, "Son"}, Step{IDM_PREVIOUS_SLIDE, "Galerie"},
                      Step{IDM_PREVIOUS_SLIDE, "Accueil"}}) {
        PostMessageA(frame, WM_COMMAND, step.command, 0);
        std::string title = std::string("D\xe9monstration Vistrelle (") + step.page + ")";
        EXPECT_TRUE(ShownWithTitle(title, 10000)) << step.page << ": " << WindowText(appView);
        EXPECT_EQ(step.page, WindowText(PageOnTop(appView, step.page)));
    }
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
}

TEST_F(Player, TabAndShiftTabMoveTheFocusRoundTheTabStops)
{
    WriteSettings(0);
    Start("\"" + pub.Path() + "demo.xsc\"");
    HWND appView = ShownWithTitle(HomeTitle, StartMs);
    ASSERT_TRUE(appView);
    // The sample's objects take no focus of their own: the picture and both buttons become
    // tab stops here, as the windows of objects that edit text are.
    HWND page = PageOnTop(appView, "Accueil");
    for (POINT at : SampleObjects) {
        HWND object = ObjectAt(page, at);
        ASSERT_TRUE(object);
        SetWindowLongA(object, GWL_STYLE, GetWindowLongA(object, GWL_STYLE) | WS_TABSTOP);
    }
    HWND frame = PlayerWindow("HYPW");
    auto focusAfter = [&](WORD command) {
        HWND before = nullptr;
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(process.dwThreadId, &info);
        before = info.hwndFocus;
        PostMessageA(frame, WM_COMMAND, command, 0);
        WaitUntil(
            [&] {
                GetGUIThreadInfo(process.dwThreadId, &info);
                return info.hwndFocus != before;
            },
            2000);
        return info.hwndFocus;
    };
    // Three Tabs visit the three stops in their order; then both directions wrap round.
    HWND order[3];
    for (HWND& stop : order) stop = focusAfter(IDM_NEXT_FOCUS);
    EXPECT_NE(order[0], order[1]);
    EXPECT_NE(order[1], order[2]);
    EXPECT_NE(order[0], order[2]);
    struct Step {
        WORD command;
        HWND focused;
    };
    for (Step step : {Step{IDM_NEXT_FOCUS, order[0]}, Step{IDM_PREVIOUS_FOCUS, order[2]},
                      Step{IDM_PREVIOUS_FOCUS, order[1]}, Step{IDM_PREVIOUS_FOCUS, order[0]}})
        EXPECT_EQ(step.focused, focusAfter(step.command)) << "command " << step.command;
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
}

TEST(PlayerResources, IconHelpCursorAndKeys)
{
    HMODULE program = LoadLibraryExA("qxstage30.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(program);
    EXPECT_TRUE(FindResourceA(program, "AHYPW", MAKEINTRESOURCEA(14)));  // RT_GROUP_ICON
    EXPECT_TRUE(FindResourceA(program, "MF_HELP", MAKEINTRESOURCEA(12)));  // RT_GROUP_CURSOR
    HACCEL table = LoadAcceleratorsA(program, "HOTKEYPLAY");
    ASSERT_TRUE(table);
    ACCEL keys[20];
    int count = CopyAcceleratorTableA(table, keys, 20);
    struct Key {
        WORD key;
        BYTE shift;
        WORD command;
    };
    for (Key want : {Key{VK_TAB, 0, IDM_NEXT_FOCUS}, Key{VK_TAB, FSHIFT, IDM_PREVIOUS_FOCUS},
                     Key{VK_LEFT, 0, IDM_PREVIOUS_SLIDE}, Key{VK_RIGHT, 0, IDM_NEXT_SLIDE},
                     Key{VK_HOME, 0, IDM_HOME_KEY}, Key{VK_PRIOR, 0, IDM_PAGE_UP_KEY},
                     Key{VK_NEXT, 0, IDM_PAGE_DOWN_KEY}}) {
        bool found = false;
        for (int i = 0; i < count; ++i)
            found = found || (keys[i].key == want.key && (keys[i].fVirt & FSHIFT) == want.shift &&
                              keys[i].cmd == want.command);
        EXPECT_TRUE(found) << "key " << want.key << " command " << want.command;
    }
    FreeLibrary(program);
}

TEST_F(Player, AStartDocumentOfAnotherKindClosesTheProgram)
{
    pub.Write("notes.txt", "texte\r\n");
    Start("\"" + pub.Path() + "notes.txt\"");
    EXPECT_EQ(0u, ExitCode(StartMs));
}

// The sample publication played from servers: its pages on the HTTP server, the first page's
// picture on the FTP server; only its settings and bookmarks files are local.
class ServedPlayer : public Player {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(servers.Started());
        servers.ClearLogs();
        for (const char* name : {"galerie.pag", "son.pag", "fin.pag", "damier.bmp", "bouton_haut.bmp",
                                 "bouton_bas.bmp", "carillon.wav"})
            servers.ServeHttp(name, ReadWholeFile(SampleFile(name)));
        servers.ServeFtp("coucher.bmp", ReadWholeFile(SampleFile("coucher.bmp")));
        std::string settings = ReadWholeFile(SampleFile("demo.xsc"));
        settings.replace(settings.find("Timer=120"), 9, "Timer=0");
        settings.replace(settings.find(".\\accueil.pag"), 13, "HTTP://" + servers.HttpHost() + "/accueil.pag");
        pub.Write("demo.xsc", settings);
        pub.Write("signets.qxb", ReadWholeFile(SampleFile("signets.qxb")));
    }

    // The first page with its picture named `picture` on the FTP server.
    void ServeFirstPage(const std::string& picture)
    {
        std::string page = ReadWholeFile(SampleFile("accueil.pag"));
        page.replace(page.find(".\\coucher.bmp"), 13, "FTP://" + servers.FtpHost() + "/" + picture);
        servers.ServeHttp("accueil.pag", page);
    }

    // A dialog box of the player with that caption.
    HWND PlayerDialog(const std::string& caption)
    {
        struct Search {
            DWORD process;
            std::string caption;
            HWND found;
        } search{process.dwProcessId, caption, nullptr};
        EnumWindows(
            [](HWND window, LPARAM data) {
                auto* search = reinterpret_cast<Search*>(data);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != search->process || WindowClass(window) != "#32770" || WindowText(window) != search->caption)
                    return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The texts of a box's static controls, joined.
    static std::string BoxText(HWND box)
    {
        std::string text;
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (WindowClass(child) == "Static")
                text += WindowText(child) + "\n";
        return text;
    }

    InternetServers& servers = SharedInternetServers();
};

TEST_F(ServedPlayer, PagesAndTheirPictureComeFromTheServersAndTheButtonLeadsOn)
{
    ServeFirstPage("coucher.bmp");
    Start("\"" + pub.Path() + "demo.xsc\"");
    HWND appView = ShownWithTitle(HomeTitle, StartMs);
    ASSERT_TRUE(appView) << "title: " << WindowText(PlayerWindow("AppViewWindow"));
    HWND page = PageOnTop(appView, "Accueil");
    ASSERT_TRUE(page);
    EXPECT_TRUE(ObjectAt(page, SamplePicture));
    EXPECT_TRUE(WaitUntil([&] { return servers.FtpLog().find("RETR coucher.bmp") != std::string::npos; }, 20000))
        << servers.FtpLog();
    Click(ObjectAt(page, SampleNextButton));
    EXPECT_TRUE(ShownWithTitle(GalleryTitle, 20000)) << WindowText(appView);
    EXPECT_NE(std::string::npos, servers.HttpLog().find("GET /galerie.pag")) << servers.HttpLog();
    EXPECT_FALSE(PlayerDialog("Téléchargement"));
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
}

TEST_F(ServedPlayer, AMissingPictureIsToldWithItsAddressAndThePlayGoesOn)
{
    ServeFirstPage("absente.bmp");
    Start("\"" + pub.Path() + "demo.xsc\"");
    HWND appView = ShownWithTitle(HomeTitle, StartMs);
    ASSERT_TRUE(appView);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (box = PlayerDialog("Téléchargement")) != nullptr; }, 30000));
    const std::string text = BoxText(box);
    // The address as the library was given it: the kernel asks for the server and the path.
    EXPECT_NE(std::string::npos, text.find("ftp://" + servers.FtpHost() + "/absente.bmp")) << text;
    PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    // The kernel then says the file was not found; the play goes on once that is read.
    HWND alert = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (alert = PlayerDialog("Erreur de réseau")) != nullptr; }, 20000));
    PostMessageA(alert, WM_COMMAND, IDOK, 0);
    HWND page = PageOnTop(appView, "Accueil");
    ASSERT_TRUE(page);
    Click(ObjectAt(page, SampleNextButton));
    EXPECT_TRUE(ShownWithTitle(GalleryTitle, 20000)) << WindowText(appView);
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
}

// The sample's text page played alone.
class TextPagePlayer : public Player {
protected:
    // Starts the player on the page; its page window and the window of its text.
    void ShowTextPage()
    {
        WriteSettings(0);
        for (const char* name : {"texte.pag", "texte.txt"})
            pub.Write(name, ReadWholeFile(SampleFile(name)));
        Start("\"" + pub.Path() + "texte.pag\"");
        ASSERT_TRUE(WaitUntil([&] { return (appView = PlayerWindow("AppViewWindow")) && IsWindowVisible(appView); },
                              StartMs));
        page = PageOnTop(appView, "Texte");
        ASSERT_TRUE(page);
        text = ObjectAt(page, SampleTextLink);
        ASSERT_TRUE(text);
        EXPECT_EQ("TEXTE", WindowText(text));
        link = SampleTextLink;
        MapWindowPoints(page, text, &link, 1);
    }

    // The mouse put on the link; the pop-up of its message once shown.
    HWND HoverLink()
    {
        PostMouse(text, WM_MOUSEMOVE, link);
        HWND message = nullptr;
        WaitUntil([&] { return (message = PlayerWindow("MsgWind")) && IsWindowVisible(message); }, 10000);
        return message;
    }

    void Close()
    {
        PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(0u, ExitCode(StartMs));
    }

    HWND appView = nullptr;
    HWND page = nullptr;
    HWND text = nullptr;
    POINT link{};
};

TEST_F(TextPagePlayer, ShowsItsScrollBarAndItsLinksMessageAndTheLinkLeadsToTheGallery)
{
    ShowTextPage();
    if (HasFatalFailure()) return;
    // The text is longer than its box: its scroll bar shows at the right edge.
    HWND bar = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (bar = FindWindowExA(text, nullptr, "ScrollBar", nullptr)) && IsWindowVisible(bar); },
                          10000));
    RECT box{}, barPlace{};
    GetClientRect(text, &box);
    GetWindowRect(bar, &barPlace);
    MapWindowPoints(nullptr, text, reinterpret_cast<POINT*>(&barPlace), 2);
    EXPECT_EQ(box.right, barPlace.right);
    EXPECT_TRUE(HoverLink());
    PostMouse(text, WM_LBUTTONDOWN, link);
    PostMouse(text, WM_LBUTTONUP, link);
    EXPECT_EQ("Galerie", WindowText(PageOnTop(appView, "Galerie")));
    Close();
}

// Run on a virtual screen by on_screen.sh.
TEST_F(TextPagePlayer, ShowsItsRedWordAndItsLinksMessageOnTheScreen)
{
    if (!ScreenCanBeRead())
        GTEST_SKIP() << "the screen cannot be read under this display driver";
    ShowTextPage();
    if (HasFatalFailure()) return;
    WaitUntil([&] { return PixelsNear(OnScreen(text), RGB(255, 0, 0)) > 40; }, 10000);
    EXPECT_GT(PixelsNear(OnScreen(text), RGB(255, 0, 0)), 40);
    HWND message = HoverLink();
    ASSERT_TRUE(message);
    WaitUntil([&] { return PixelsNear(OnScreen(message), MessageBackground) > 100; }, 10000);
    EXPECT_GT(PixelsNear(OnScreen(message), MessageBackground), 100);
    Close();
}

// Run on a virtual screen by on_screen.sh: under the null display driver the screen shows
// nothing of the player.
TEST_F(Player, TheAnimationsPageShowsItsThreeAnimationsMovingAndTheFilmLeadsOn)
{
    if (!ScreenCanBeRead())
        GTEST_SKIP() << "the screen cannot be read under this display driver";
    WriteSettings(0);
    for (const char* name : {"cercles.flc", "fin.pag"})
        pub.Write(name, ReadWholeFile(SampleFile(name)));
    // The sample's small film swapped for a real one; the film takes the end branch to the
    // last page once it has played three times.
    const std::string film = ReadWholeFile(TestProgramFolder() + "films\\real-inertie.avi");
    ASSERT_FALSE(film.empty());
    pub.Write("film.avi", film);
    std::string page = ReadWholeFile(SampleFile("anim.pag"));
    // The film's second branch record: its target follows the record's first line.
    const std::string noTarget = "BR [\r\n0\r\nNULL";
    const size_t filmBranches = page.find("BRANCHEX [", page.find("\r\nfilm\r\n"));
    const size_t endBranch = page.find(noTarget, page.find("BR [", filmBranches) + 4);
    ASSERT_NE(std::string::npos, endBranch);
    page.replace(endBranch, noTarget.size(), "BR [\r\n0\r\n.\\fin.pag");
    const size_t loops = page.find("1 0 1 1", endBranch);
    ASSERT_NE(std::string::npos, loops);
    page.replace(loops, 7, "1 0 1 3");
    pub.Write("anim.pag", page);

    Start("\"" + pub.Path() + "anim.pag\"");
    HWND appView = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (appView = PlayerWindow("AppViewWindow")) && IsWindowVisible(appView); }, StartMs));
    HWND animations = PageOnTop(appView, "Animations");
    ASSERT_TRUE(animations);
    const POINT places[] = {Flic, Series, Film};
    HWND objects[3] = {};
    for (int i = 0; i < 3; ++i) {
        objects[i] = ObjectAt(animations, places[i]);
        ASSERT_TRUE(objects[i]) << i;
    }
    // Each of the three shows more than one picture while the page is up (a place of one
    // colour is one not painted yet).
    std::set<std::vector<uint32_t>> seen[3];
    WaitUntil(
        [&] {
            bool allMoved = true;
            for (int i = 0; i < 3; ++i) {
                const std::vector<uint32_t> picture = OnScreen(objects[i]);
                if (std::adjacent_find(picture.begin(), picture.end(), std::not_equal_to<>()) != picture.end())
                    seen[i].insert(picture);
                allMoved = allMoved && seen[i].size() >= 2;
            }
            return allMoved || WindowText(PageOf(appView)) != "Animations";
        },
        10000);
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(2u, seen[i].size()) << "animation " << i;
    EXPECT_EQ("Fin", WindowText(PageOnTop(appView, "Fin")));
    PostMessageA(appView, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(0u, ExitCode(StartMs));
}
