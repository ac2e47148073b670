#include "qxlist.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An element class with a value order, counting its destructions.
int destroyed = 0;

struct Item : LNODE {
    explicit Item(int value) : value(value) {}
    ~Item() override { ++destroyed; }
    int operator<=(const LNODE& other) const override { return value <= static_cast<const Item&>(other).value; }
    int operator>=(const LNODE& other) const override { return value >= static_cast<const Item&>(other).value; }
    int value;
};

struct HugeItem : HUGELNODE {
    explicit HugeItem(int value) : value(value) {}
    int operator<=(const HUGELNODE& other) const override { return value <= static_cast<const HugeItem&>(other).value; }
    int operator>=(const HUGELNODE& other) const override { return value >= static_cast<const HugeItem&>(other).value; }
    int value;
};

template <class List, class ItemType>
std::vector<int> Values(List& list)
{
    std::vector<int> values;
    for (long i = 0; i < list.Items(); ++i)
        values.push_back(static_cast<ItemType*>(list.GetItem(i))->value);
    return values;
}

std::vector<int> Values(LIST& list) { return Values<LIST, Item>(list); }

void Fill(LIST& list, std::initializer_list<int> values)
{
    for (int v : values)
        list.AddTail(new Item(v));
}

TEST(List, AddInsertRemoveKeepCountAndOrder)
{
    LIST list;
    Item* a = new Item(1);
    Item* b = new Item(2);
    Item* c = new Item(3);
    EXPECT_EQ(list.AddTail(b), 0);
    EXPECT_EQ(list.AddHead(a), 0);
    EXPECT_EQ(list.InsertAfter(b, c), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
    Item* d = new Item(4);
    EXPECT_EQ(list.InsertBefore(c, d), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 4, 3}));
    Item* e = new Item(5);
    EXPECT_EQ(list.InsertBefore(a, e), 0) << "before the head";
    EXPECT_EQ(Values(list), (std::vector<int>{5, 1, 2, 4, 3}));

    EXPECT_EQ(list.Remove(d), 0);
    EXPECT_EQ(list.InList(d), 0);
    EXPECT_EQ(list.RemoveIndex(0), 0);
    EXPECT_EQ(Values(list), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(list.Items(), 3);
    delete d;
    delete e;
}

TEST(List, RefusesNullAndForeignNodes)
{
    LIST list, other;
    Fill(list, {1});
    Item* foreign = new Item(9);
    other.AddTail(foreign);
    Item* loose = new Item(8);

    EXPECT_EQ(list.AddTail(nullptr), 1);
    EXPECT_EQ(list.AddHead(nullptr), 1);
    EXPECT_EQ(list.Remove(nullptr), 1);
    EXPECT_EQ(list.Remove(foreign), 1) << "a node of another list";
    EXPECT_EQ(list.InsertBefore(foreign, loose), 1);
    EXPECT_EQ(list.InsertBefore(nullptr, loose), 1);
    EXPECT_EQ(list.InsertAfter(list.GetItem(0), nullptr), 1);
    EXPECT_EQ(list.Items(), 1);
    EXPECT_EQ(other.InList(foreign), 1);
    EXPECT_EQ(list.GetItem(1), nullptr);
    EXPECT_EQ(list.GetItem(-1), nullptr);
    delete loose;
}

TEST(List, ClearDeletesResetForgets)
{
    destroyed = 0;
    Item* kept;
    {
        LIST list;
        Fill(list, {1, 2, 3});
        list.Clear();
        EXPECT_EQ(destroyed, 3);
        EXPECT_EQ(list.Items(), 0);
        kept = new Item(4);
        list.AddTail(kept);
        list.Reset();
        EXPECT_EQ(list.Items(), 0);
        EXPECT_EQ(list.GetItem(0), nullptr);
        Fill(list, {5});
    }
    EXPECT_EQ(destroyed, 4) << "the destructor deletes what is linked, not what was reset";
    delete kept;
}

TEST(List, AssignmentMovesTheNodes)
{
    destroyed = 0;
    LIST source, target;
    Fill(source, {1, 2});
    Fill(target, {7});
    source.GetItem(1);  // a cached position travels with the nodes
    target = source;
    EXPECT_EQ(destroyed, 1) << "the target's own nodes are deleted";
    EXPECT_EQ(source.Items(), 0);
    EXPECT_EQ(source.GetItem(0), nullptr);
    EXPECT_EQ(Values(target), (std::vector<int>{1, 2}));
}

TEST(List, CachedWalkStepsOnOrRestartsFromTheHead)
{
    LIST list;
    Fill(list, {0, 1, 2, 3, 4});
    LNODE* head = list.GetItem(0);
    LNODE* second = head->next;

    // With the chain cut after the head, only a walk that goes on from the cached node 3
    // can reach node 4.
    list.GetItem(3);
    head->next = nullptr;
    EXPECT_EQ(static_cast<Item*>(list.GetItem(4))->value, 4);

    // An earlier index walks from the head: a stand-in linked after the head is found.
    Item standIn(99);
    standIn.next = second->next;
    head->next = &standIn;
    EXPECT_EQ(static_cast<Item*>(list.GetItem(1))->value, 99);
    head->next = second;
}

TEST(List, ChangesEmptyTheCache)
{
    LIST list;
    Fill(list, {10, 20, 30});
    EXPECT_EQ(static_cast<Item*>(list.GetItem(2))->value, 30);
    list.AddHead(new Item(5));
    EXPECT_EQ(static_cast<Item*>(list.GetItem(2))->value, 20);
    LNODE* first = list.GetItem(0);
    list.Remove(first);
    delete first;
    EXPECT_EQ(static_cast<Item*>(list.GetItem(2))->value, 30);
    list.Sort(1);
    EXPECT_EQ(static_cast<Item*>(list.GetItem(2))->value, 10);
}

// The list with its last node in view: what appending goes on from.
struct ProbedList : LIST {
    LNODE* Tail() const { return tail; }
};

void RemoveAndDelete(LIST& list, long index)
{
    LNODE* node = list.GetItem(index);
    list.Remove(node);
    delete node;
}

// After every kind of change the last node is known, so an append lands after it.
TEST(List, EveryChangeKeepsTheLastNodeKnown)
{
    struct Case {
        const char* what;
        void (*change)(ProbedList& list);
        std::vector<int> expected;
    };
    const Case cases[] = {
        {"nothing", [](ProbedList&) {}, {}},
        {"appends", [](ProbedList& l) { Fill(l, {1, 2, 3}); }, {1, 2, 3}},
        {"a head onto an empty list", [](ProbedList& l) { l.AddHead(new Item(1)); }, {1}},
        {"a head before others", [](ProbedList& l) { Fill(l, {2}); l.AddHead(new Item(1)); }, {1, 2}},
        {"after the last", [](ProbedList& l) { Fill(l, {1, 2}); l.InsertAfter(l.GetItem(1), new Item(3)); },
         {1, 2, 3}},
        {"after the first", [](ProbedList& l) { Fill(l, {1, 3}); l.InsertAfter(l.GetItem(0), new Item(2)); },
         {1, 2, 3}},
        {"before the head", [](ProbedList& l) { Fill(l, {2}); l.InsertBefore(l.GetItem(0), new Item(1)); }, {1, 2}},
        {"before the last", [](ProbedList& l) { Fill(l, {1, 3}); l.InsertBefore(l.GetItem(1), new Item(2)); },
         {1, 2, 3}},
        {"the last removed", [](ProbedList& l) { Fill(l, {1, 2, 3}); RemoveAndDelete(l, 2); }, {1, 2}},
        {"the head removed", [](ProbedList& l) { Fill(l, {1, 2}); RemoveAndDelete(l, 0); }, {2}},
        {"a middle removed", [](ProbedList& l) { Fill(l, {1, 2, 3}); RemoveAndDelete(l, 1); }, {1, 3}},
        {"the only node removed", [](ProbedList& l) { Fill(l, {1}); RemoveAndDelete(l, 0); }, {}},
        {"a foreign node refused",
         [](ProbedList& l) {
             Fill(l, {1});
             Item loose(9);
             l.Remove(&loose);
         },
         {1}},
        {"the last removed by index",
         [](ProbedList& l) {
             Fill(l, {1, 2});
             LNODE* last = l.GetItem(1);
             l.RemoveIndex(1);
             delete last;
         },
         {1}},
        {"cleared", [](ProbedList& l) { Fill(l, {1, 2}); l.Clear(); }, {}},
        {"reset",
         [](ProbedList& l) {
             Item kept(1);
             l.AddTail(&kept);
             l.Reset();
         },
         {}},
        {"sorted ascending", [](ProbedList& l) { Fill(l, {3, 1, 2}); l.Sort(0); }, {1, 2, 3}},
        {"sorted descending", [](ProbedList& l) { Fill(l, {1, 3, 2}); l.Sort(1); }, {3, 2, 1}},
        {"given another list's nodes",
         [](ProbedList& l) {
             LIST source;
             Fill(source, {4, 5});
             Fill(l, {1});
             static_cast<LIST&>(l) = source;
         },
         {4, 5}},
        {"its nodes given to another list",
         [](ProbedList& l) {
             LIST target;
             Fill(l, {1, 2});
             target = l;
         },
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProbedList list;
        c.change(list);
        EXPECT_EQ(Values(list), c.expected);
        // A stale last node would take the append astray: the cases stop here.
        ASSERT_EQ(list.Tail(), list.GetItem(list.Items() - 1));
        Item* appended = new Item(99);
        list.AddTail(appended);
        std::vector<int> after = c.expected;
        after.push_back(99);
        EXPECT_EQ(Values(list), after);
        EXPECT_EQ(list.Tail(), appended);
        EXPECT_EQ(appended->next, nullptr);
    }
}

// An append goes straight to the last node: with the chain cut short after the head, only
// a walk from the head would miss the last node.
TEST(List, AppendingDoesNotWalkTheList)
{
    LIST list;
    Fill(list, {0, 1, 2});
    LNODE* head = list.GetItem(0);
    LNODE* second = head->next;
    Item end(98);
    head->next = &end;
    list.AddTail(new Item(3));
    head->next = second;
    EXPECT_EQ(end.next, nullptr);
    ASSERT_EQ(list.GetItem(0), head) << "the head was replaced";
    EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2, 3}));
}

TEST(List, SortTable)
{
    struct Case { std::vector<int> input; int order; std::vector<int> expected; };
    const Case cases[] = {
        {{}, 0, {}},
        {{7}, 0, {7}},
        {{3, 1, 2}, 0, {1, 2, 3}},
        {{3, 1, 2}, 1, {3, 2, 1}},
        {{2, 2, 1, 1}, 0, {1, 1, 2, 2}},
        {{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, -1}, 0, {-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {{5, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8, 9, 7}, -3, {9, 9, 8, 7, 6, 5, 5, 5, 5, 4, 3, 2, 1, 1}},
    };
    for (const auto& c : cases) {
        LIST list;
        for (int v : c.input)
            list.AddTail(new Item(v));
        list.GetItem(0);
        list.Sort(c.order);
        EXPECT_EQ(Values(list), c.expected);
        EXPECT_EQ(list.Items(), static_cast<int>(c.input.size()));
    }
}

TEST(List, SortsLongListsOfBothFamilies)
{
    LIST list;
    HUGELIST huge;
    unsigned state = 12345;
    std::vector<int> values;
    for (int i = 0; i < 1000; ++i) {
        state = state * 1103515245 + 12345;
        const int v = static_cast<int>(state >> 16) % 500;
        values.push_back(v);
        list.AddHead(new Item(v));
        huge.AddHead(new HugeItem(v));
    }
    list.Sort(0);
    huge.Sort(0);
    std::sort(values.begin(), values.end());
    EXPECT_EQ(Values(list), values);
    EXPECT_EQ((Values<HUGELIST, HugeItem>(huge)), values);
}

TEST(List, BaseNodesSortByAddress)
{
    LNODE nodes[3];
    LIST list;
    list.AddTail(&nodes[2]);
    list.AddTail(&nodes[0]);
    list.AddTail(&nodes[1]);
    list.Sort(0);
    EXPECT_EQ(list.GetItem(0), &nodes[0]);
    EXPECT_EQ(list.GetItem(2), &nodes[2]);
    list.Reset();  // the nodes are not the list's to delete
}

}  // namespace
