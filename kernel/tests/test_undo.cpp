// The undo list: records kept only in authoring modes, empty groups dropped, one undo step
// back to the begin of the last group, and whether the page changed.
#include "kerneltest.h"
#include "history.h"
#include "selection.h"
#include "undo.h"

#include <gtest/gtest.h>

namespace {

// A record that counts how often it was undone.
class COUNTED : public UNDO {
public:
    COUNTED(KERNEL* kernel, int* undone, int changesPage = 1) : UNDO(kernel, changesPage, 0), undone_(undone) {}
    int Execute() override
    {
        ++*undone_;
        return mark;
    }

private:
    int* undone_;
};

TEST(Undo, PresentationModeKeepsNoRecord)
{
    TestKernel kernel;
    int undone = 0;
    KernUndoPush(kernel, new COUNTED(kernel, &undone));
    EXPECT_EQ(0, kernel->undo.Items());
    EXPECT_EQ(0, kernel->undo.IsModified());
}

TEST(Undo, AnEmptyGroupLeavesNothing)
{
    TestKernel kernel(TestPluginFolder(), 2);
    int undone = 0;
    KernUndoPush(kernel, new COUNTED(kernel, &undone));
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    EXPECT_EQ(1, kernel->undo.Items());
}

TEST(Undo, AStepUndoesTheLastGroupWithTheGroupsItHolds)
{
    TestKernel kernel(TestPluginFolder(), 2);
    int before = 0, inner = 0, outer = 0;
    KernUndoPush(kernel, new COUNTED(kernel, &before));
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUndoPush(kernel, new COUNTED(kernel, &outer));
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUndoPush(kernel, new COUNTED(kernel, &inner));
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    KernUndoPop(kernel);
    EXPECT_EQ(1, inner);
    EXPECT_EQ(1, outer);
    EXPECT_EQ(0, before);
    EXPECT_EQ(1, kernel->undo.Items());
    KernUndoPop(kernel);
    EXPECT_EQ(1, before);
    EXPECT_EQ(0, kernel->undo.Items());
    KernUndoPop(kernel);  // nothing left: nothing happens
    EXPECT_EQ(0, kernel->undo.Items());
}

TEST(Undo, AnEndMarkWithoutItsBeginStopsAtTheStartOfTheList)
{
    TestKernel kernel(TestPluginFolder(), 2);
    int undone = 0;
    KernUndoPush(kernel, new COUNTED(kernel, &undone));
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    KernUndoPop(kernel);
    EXPECT_EQ(1, undone);
    EXPECT_EQ(0, kernel->undo.Items());
}

TEST(Undo, RestoredPositionsAreNotSnappedAndTheGridComesBack)
{
    TestKernel kernel(TestPluginFolder(), 2);
    kernel->gridActive = 1;
    struct GRIDSEEN : UNDO {
        GRIDSEEN(KERNEL* kernel, int* seen) : UNDO(kernel, 1, 0), seen(seen) {}
        int Execute() override
        {
            *seen = kernel->gridActive;
            return 0;
        }
        int* seen;
    };
    int seen = -1;
    KernUndoPush(kernel, new GRIDSEEN(kernel, &seen));
    KernUndoPop(kernel);
    EXPECT_EQ(0, seen);
    EXPECT_EQ(1, kernel->gridActive);
}

TEST(Undo, OnlyChangesOfThePageMakeItModified)
{
    TestKernel kernel(TestPluginFolder(), 2);
    int undone = 0;
    KernUndoPush(kernel, new UNDO_MARK_BEGIN(kernel));
    KernUndoPush(kernel, new COUNTED(kernel, &undone, 0));
    KernUndoPush(kernel, new UNDO_MARK_END(kernel));
    EXPECT_EQ(0, kernel->undo.IsModified());
    KernUndoPush(kernel, new COUNTED(kernel, &undone, 1));
    EXPECT_EQ(1, kernel->undo.IsModified());
    KernFlushUndoBuffer(kernel);
    EXPECT_EQ(0, kernel->undo.IsModified());
    EXPECT_EQ(0, kernel->undo.Items());
}

TEST(Undo, RemovingAnEntryThatIsNotListedDoesNothing)
{
    TestKernel kernel(TestPluginFolder(), 2);
    int undone = 0;
    auto* listed = new COUNTED(kernel, &undone);
    KernUndoPush(kernel, listed);
    COUNTED stranger(kernel, &undone);
    KernUndoRemoveEntry(kernel, &stranger);
    EXPECT_EQ(1, kernel->undo.Items());
    KernUndoRemoveEntry(kernel, listed);
    EXPECT_EQ(0, kernel->undo.Items());
}

TEST(Undo, TheHostIsToldHowManyRecordsThereAre)
{
    TestKernel kernel(TestPluginFolder(), 2);
    std::vector<int> counts;
    kernel->appPointer = &counts;
    kernel->eventUndo = [](void* host, int records) { static_cast<std::vector<int>*>(host)->push_back(records); };
    int undone = 0;
    KernUndoPush(kernel, new COUNTED(kernel, &undone));
    KernUndoPush(kernel, new COUNTED(kernel, &undone));
    KernUndoPop(kernel);
    EXPECT_EQ((std::vector<int>{1, 2, 1}), counts);
}

TEST(Undo, SelectingAnObjectIsRecordedAndUndoneByUnselectingIt)
{
    TestKernel kernel(TestPluginFolder(), 2);
    OBJET* root = new OBJET(kernel, nullptr);
    kernel->loadedPages.AddTail(new TREE("page.pag", root));
    OBJET* object = new OBJET(kernel, nullptr);
    root->AddChild(object);
    KernSelectObject(kernel, object);
    EXPECT_EQ(1, object->selected);
    EXPECT_EQ(1, kernel->undo.Items());
    KernUndoPop(kernel);
    EXPECT_EQ(0, object->selected);
    EXPECT_EQ(0, KernObjectsSelected(kernel));
}

}  // namespace
