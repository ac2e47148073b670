// The properties verb as a container uses it: listed among the control's verbs, it brings up a
// modal property frame with the control's page.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "test_container.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <olectl.h>

#include <string>
#include <vector>

namespace {

// What the frame held as it closed.
struct SHOWNFRAME {
    std::string caption;
    std::string tab;      // the title of the frame's only tab
    HWND page = nullptr;  // the control's own page dialog, made from the control's module
};

BOOL CALLBACK FindControlPage(HWND child, LPARAM lParam)
{
    auto* frame = reinterpret_cast<SHOWNFRAME*>(lParam);
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(child, GWLP_HINSTANCE));
    if (WindowClass(child) == "#32770" && module == GetModuleHandleA("qxstage40.ocx")) frame->page = child;
    return TRUE;
}

SHOWNFRAME Look(HWND sheet)
{
    SHOWNFRAME frame;
    frame.caption = WindowText(sheet);
    if (HWND tabs = FindWindowExA(sheet, nullptr, WC_TABCONTROLA, nullptr)) {
        char title[64] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = title;
        item.cchTextMax = sizeof title;
        if (SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0) == 1
            && SendMessageA(tabs, TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
            frame.tab = title;
    }
    EnumChildWindows(sheet, FindControlPage, reinterpret_cast<LPARAM>(&frame));
    return frame;
}

// Looks at each property frame as it goes, when it is complete: its page made, its caption set.
class FrameWatcher {
public:
    FrameWatcher() : hook_(SetWindowsHookExA(WH_CBT, CbtHook, nullptr, GetCurrentThreadId())) { active = this; }
    ~FrameWatcher()
    {
        UnhookWindowsHookEx(hook_);
        active = nullptr;
    }
    FrameWatcher(const FrameWatcher&) = delete;
    FrameWatcher& operator=(const FrameWatcher&) = delete;

    const std::vector<SHOWNFRAME>& Frames() const { return frames_; }

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam)
    {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_DESTROYWND && active && WindowClass(window) == "#32770"
            && FindWindowExA(window, nullptr, WC_TABCONTROLA, nullptr))
            active->frames_.push_back(Look(window));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static inline thread_local FrameWatcher* active = nullptr;
    HHOOK hook_;
    std::vector<SHOWNFRAME> frames_;
};

IOleObject* OleObject(const TestContainer& container)
{
    IOleObject* object = nullptr;
    container.Control()->QueryInterface(IID_IOleObject, reinterpret_cast<void**>(&object));
    return object;
}

// The verb as a container's menu sends it, the container's window named.
HRESULT AskProperties(const TestContainer& container)
{
    IOleObject* object = OleObject(container);
    if (!object) return E_NOINTERFACE;
    const HRESULT result = object->DoVerb(OLEIVERB_PROPERTIES, nullptr, nullptr, 0, container.Host(), nullptr);
    object->Release();
    return result;
}

}  // namespace

// The frame is titled with the control's name in the container, or its class's when it has none.
struct NAMECASE {
    const wchar_t* displayName;
    const char* title;
};

class PropertiesVerb : public testing::TestWithParam<NAMECASE> {};

// Wine's frame leaves the owner it is given unused, so the container's window owning it cannot be
// seen here; what it shows and how it closes can.
TEST_P(PropertiesVerb, ShowsTheFrameWithTheControlsPage)
{
    AMBIENTS ambients;
    ambients.displayName = GetParam().displayName;
    TestContainer container(640, 480, ambients);
    ASSERT_EQ(S_OK, container.Activate());
    FrameWatcher watcher;
    DialogAnswerer answerer(IDOK);
    EXPECT_EQ(S_OK, AskProperties(container));

    const std::vector<SHOWNFRAME>& frames = watcher.Frames();
    EXPECT_EQ(1, container.PropertyFramesAsked());
    ASSERT_EQ(1u, answerer.Shown().size());
    ASSERT_EQ(1u, frames.size());
    EXPECT_NE(std::string::npos, frames[0].caption.find(GetParam().title)) << frames[0].caption;
    EXPECT_EQ("G\xe9n\xe9ral", frames[0].tab);
    EXPECT_TRUE(frames[0].page);
    // The page goes with the frame.
    EXPECT_FALSE(IsWindow(frames[0].page));
}

INSTANTIATE_TEST_SUITE_P(ControlState, PropertiesVerb,
                         testing::Values(NAMECASE{L"QXStage1", "QXStage1"}, NAMECASE{L"", "QXStage Control"}));

TEST(ControlState, AContainerWithAPropertyFrameOfItsOwnShowsThatOne)
{
    AMBIENTS ambients;
    ambients.ownPropertyFrame = true;
    TestContainer container(640, 480, ambients);
    ASSERT_EQ(S_OK, container.Activate());
    FrameWatcher watcher;
    DialogAnswerer answerer(IDOK);
    EXPECT_EQ(S_OK, AskProperties(container));

    EXPECT_EQ(1, container.PropertyFramesAsked());
    EXPECT_TRUE(answerer.Shown().empty());
    EXPECT_TRUE(watcher.Frames().empty());
}

TEST(ControlState, TheControlListsItsPropertiesVerbForTheContainersMenu)
{
    TestContainer container;
    ASSERT_EQ(S_OK, container.Made());
    IOleObject* object = OleObject(container);
    ASSERT_TRUE(object);
    IEnumOLEVERB* verbs = nullptr;
    ASSERT_EQ(S_OK, object->EnumVerbs(&verbs));
    object->Release();
    std::vector<OLEVERB> listed;
    OLEVERB verb{};
    while (verbs->Next(1, &verb, nullptr) == S_OK) listed.push_back(verb);
    verbs->Release();

    ASSERT_EQ(1u, listed.size());
    EXPECT_EQ(OLEIVERB_PROPERTIES, listed[0].lVerb);
    EXPECT_EQ(static_cast<DWORD>(OLEVERBATTRIB_ONCONTAINERMENU), listed[0].grfAttribs);
    char name[32] = {};
    WideCharToMultiByte(CP_ACP, 0, listed[0].lpszVerbName, -1, name, sizeof name, nullptr, nullptr);
    EXPECT_STREQ("&Propri\xe9t\xe9s...", name);
    CoTaskMemFree(listed[0].lpszVerbName);
}
