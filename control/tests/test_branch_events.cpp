// The built-in actions of a page written by the test, and what the container hears of them:
// which event each one fires, a cleared continue flag that stops the kernel, and the quit
// confirmation with and without the control's own question.
#include "dialog_answerer.h"
#include "dialog_items.h"
#include "message_pump.h"
#include "registered_control.h"
#include "sample_files.h"
#include "test_container.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kWaitMs = 10000;
constexpr DISPID kNoEvent = 0;
constexpr DISPID kLink = 6;

// Event arguments: the continue flag of the built-in actions' events, the target and the
// continue flag of Link, the two flags of QuitConfirmation.
constexpr UINT kContinue = 3;
constexpr UINT kLinkContinue = 4;
constexpr UINT kAsk = 4;

POINT ButtonPlace(int gadget)
{
    return POINT{20 + 70 * gadget, 20};
}
constexpr POINT kMarkerPlace{20, 100};

// Runs this thread's queued messages until none is left: a click posted before has then run
// its branch.
void RunQueuedMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

class BuiltInActions : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::vector<std::string> buttons;
        for (int gadget = 0; gadget <= 7; ++gadget)
            buttons.push_back(ButtonRecord("g" + std::to_string(gadget), "GADGET: " + std::to_string(gadget),
                                           ButtonPlace(gadget).x, ButtonPlace(gadget).y));
        // The marker's link is vetoed: it only tells that the branches before it were taken.
        buttons.push_back(ButtonRecord("marker", ".\\gadgets.pag", kMarkerPlace.x, kMarkerPlace.y));
        pub.Write("gadgets.pag", PageOf("Actions", 640, 480, buttons));
        ASSERT_EQ(S_OK, container.Activate());
        ASSERT_EQ(S_OK, container.PutText(L"Filename", pub / "gadgets.pag"));
        ASSERT_TRUE(PumpUntil([&] { return container.Page() && WindowText(container.Page()) == "Actions"; }, kWaitMs))
            << WindowText(container.Page());
    }

    // Clicks the action's button, then the marker; the events heard before the marker's.
    std::vector<FIREDEVENT> EventsOfAction(int gadget)
    {
        const EVENTHANDLER answer = handler;
        container.OnEvent([this, answer](DISPID id, EVENTARGUMENTS& arguments) {
            if (id == kLink && arguments.Count() == 5 && container.Events().back().texts.at(0) == "marker")
                arguments.SetFlag(kLinkContinue, false);
            else if (answer)
                answer(id, arguments);
        });
        container.ClearEvents();
        Click(ChildWindowFromPoint(container.Page(), ButtonPlace(gadget)));
        RunQueuedMessages();
        Click(ChildWindowFromPoint(container.Page(), kMarkerPlace));
        const bool marked = PumpUntil(
            [&] { return !container.Events().empty() && container.Events().back().texts.at(0) == "marker"; }, kWaitMs);
        EXPECT_TRUE(marked) << "action " << gadget;
        std::vector<FIREDEVENT> events = container.Events();
        if (marked) events.pop_back();
        return events;
    }

    ScratchDir pub;
    TestContainer container;
    EVENTHANDLER handler;
};

}  // namespace

TEST_F(BuiltInActions, EachActionFiresItsEventWithTheObjectsTexts)
{
    // The container stops every action, so that none of them quits, prints or opens a dialog.
    handler = [](DISPID, EVENTARGUMENTS& arguments) { arguments.SetFlag(kContinue, false); };
    const struct {
        int gadget;
        DISPID event;
    } table[] = {{0, kNoEvent}, {1, 3}, {2, 2}, {3, 1}, {4, 5}, {5, 7}, {6, kNoEvent}, {7, 4}};
    for (const auto& row : table) {
        const std::vector<FIREDEVENT> events = EventsOfAction(row.gadget);
        if (row.event == kNoEvent) {
            EXPECT_TRUE(events.empty()) << "action " << row.gadget << " fired " << events.front().id;
            continue;
        }
        ASSERT_EQ(1u, events.size()) << "action " << row.gadget;
        EXPECT_EQ(row.event, events[0].id) << "action " << row.gadget;
        EXPECT_EQ((std::vector<std::string>{"g" + std::to_string(row.gadget), "", ""}), events[0].texts);
    }
    EXPECT_EQ(0, container.Closes());
}

TEST_F(BuiltInActions, QuitLeftAloneClosesTheHostAndAClearedContinueFlagStopsIt)
{
    handler = [](DISPID, EVENTARGUMENTS& arguments) { arguments.SetFlag(kContinue, false); };
    EventsOfAction(3);
    EXPECT_EQ(0, container.Closes());

    container.OnEvent(nullptr);
    container.ClearEvents();
    Click(ChildWindowFromPoint(container.Page(), ButtonPlace(3)));
    EXPECT_TRUE(PumpUntil([&] { return container.Closes() == 1; }, kWaitMs));
}

TEST_F(BuiltInActions, QuitConfirmationAsksAndQuitsOnYes)
{
    DialogAnswerer answerer(IDYES);
    Click(ChildWindowFromPoint(container.Page(), ButtonPlace(5)));
    ASSERT_TRUE(PumpUntil([&] { return container.Closes() == 1; }, kWaitMs));
    ASSERT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ("Vistrelle", answerer.Shown()[0].caption);
    EXPECT_NE(std::string::npos, answerer.Shown()[0].text.find("Voulez-vous vraiment quitter?"))
        << answerer.Shown()[0].text;
    ASSERT_EQ(1u, container.Events().size());
    EXPECT_EQ(7, container.Events()[0].id);
}

TEST_F(BuiltInActions, QuitConfirmationAnsweredNoStays)
{
    DialogAnswerer answerer(IDNO);
    EventsOfAction(5);
    EXPECT_EQ(1u, answerer.Shown().size());
    EXPECT_EQ(0, container.Closes());
}

TEST_F(BuiltInActions, QuitConfirmationWithoutAskQuitsAtOnce)
{
    DialogAnswerer answerer(IDNO);
    container.OnEvent([](DISPID, EVENTARGUMENTS& arguments) { arguments.SetFlag(kAsk, false); });
    Click(ChildWindowFromPoint(container.Page(), ButtonPlace(5)));
    ASSERT_TRUE(PumpUntil([&] { return container.Closes() == 1; }, kWaitMs));
    EXPECT_TRUE(answerer.Shown().empty());
}

TEST_F(BuiltInActions, QuitConfirmationWithContinueClearedDoesNothing)
{
    DialogAnswerer answerer(IDYES);
    handler = [](DISPID, EVENTARGUMENTS& arguments) { arguments.SetFlag(kContinue, false); };
    const std::vector<FIREDEVENT> events = EventsOfAction(5);
    ASSERT_EQ(1u, events.size());
    EXPECT_EQ(7, events[0].id);
    EXPECT_TRUE(answerer.Shown().empty());
    EXPECT_EQ(0, container.Closes());
}
