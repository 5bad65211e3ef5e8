// The effect lists' walk: removal of the visited element or others, additions during the walk.
#include "services/TList.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace vsm {
namespace {

struct Item {
    explicit Item(int v) : value(v) {}
    int value;
};
using ItemPtr = std::shared_ptr<Item>;

TList<Item> MakeList(std::vector<int> values) {
    TList<Item> list;
    for (int v : values)
        list.AddLast(std::make_shared<Item>(v));
    return list;
}

std::vector<int> Values(const TList<Item>& list) {
    std::vector<int> out;
    for (const ItemPtr& p : list)
        out.push_back(p->value);
    return out;
}

TEST(ListWalkTest, RemovingTheVisitedElementGoesOnWithTheNext) {
    TList<Item> list = MakeList({1, 2, 3, 4});
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value % 2 == 0) list.Remove(p.get());
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.Count(), 2u);
}

TEST(ListWalkTest, RemovingEveryElementAsItIsVisitedEmptiesTheList) {
    TList<Item> list = MakeList({1, 2, 3});
    int visits = 0;
    list.ForEach([&](const ItemPtr& p) {
        ++visits;
        list.Remove(p);
        EXPECT_EQ(p->value, visits); // the object stays alive through its own removal
    });
    EXPECT_EQ(visits, 3);
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ListWalkTest, AnElementRemovedAheadOfTheWalkIsNotVisited) {
    TList<Item> list = MakeList({1, 2, 3});
    ItemPtr second = list.Snapshot()[1];
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value == 1) list.Remove(second.get());
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 3}));
    EXPECT_EQ(Values(list), (std::vector<int>{1, 3}));
}

TEST(ListWalkTest, ElementsAppendedDuringTheWalkAreVisitedInTheSameWalk) {
    // Appending from the last element is the case a saved "next" iterator gets wrong.
    TList<Item> list = MakeList({1});
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value < 4) list.AddLast(std::make_shared<Item>(p->value + 1));
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(list.Count(), 4u);
}

TEST(ListWalkTest, AnElementThatRemovesItselfAndAppendsAnotherHandsOnToIt) {
    TList<Item> list = MakeList({1});
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value < 3) list.AddLast(std::make_shared<Item>(p->value + 1));
        list.Remove(p.get());
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ListWalkTest, ElementsPutInFrontDuringTheWalkWaitForTheNextWalk) {
    TList<Item> list = MakeList({1, 2});
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value == 1) list.AddFirst(std::make_shared<Item>(0));
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2}));
    EXPECT_EQ(Values(list), (std::vector<int>{0, 1, 2}));
}

TEST(ListWalkTest, ClearingDuringTheWalkStopsItButKeepsLaterAdditions) {
    TList<Item> list = MakeList({1, 2, 3});
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value == 1) {
            list.Clear();
            EXPECT_EQ(list.Count(), 0u);
            list.AddLast(std::make_shared<Item>(9));
        }
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 9}));
    EXPECT_EQ(Values(list), (std::vector<int>{9}));
}

TEST(ListWalkTest, NestedWalksRemovingElementsLeaveTheOuterWalkIntact) {
    TList<Item> list = MakeList({1, 2, 3, 4});
    std::vector<int> visited;
    list.ForEach([&](const ItemPtr& p) {
        visited.push_back(p->value);
        if (p->value == 2) {
            // An inner walk takes out the outer walk's current element and the next one.
            list.ForEach([&](const ItemPtr& q) {
                if (q->value == 2 || q->value == 3) list.Remove(q.get());
            });
        }
    });
    EXPECT_EQ(visited, (std::vector<int>{1, 2, 4}));
    EXPECT_EQ(Values(list), (std::vector<int>{1, 4}));
}

TEST(ListWalkTest, AnExceptionLeavesTheListConsistent) {
    TList<Item> list = MakeList({1, 2, 3});
    EXPECT_THROW(list.ForEach([&](const ItemPtr& p) {
        list.Remove(p.get());
        if (p->value == 2) throw std::runtime_error("stop");
    }),
                 std::runtime_error);
    EXPECT_EQ(Values(list), (std::vector<int>{3}));
    list.Remove(list.First());
    EXPECT_TRUE(list.IsEmpty());
}

TEST(ListWalkTest, RemoveOutsideAWalkAndLookups) {
    TList<Item> list = MakeList({1, 2, 3});
    ItemPtr two = list.Snapshot()[1];
    EXPECT_TRUE(list.Contains(two.get()));
    EXPECT_TRUE(list.Remove(two));
    EXPECT_FALSE(list.Remove(two));
    EXPECT_FALSE(list.Contains(two.get()));
    EXPECT_EQ(list.First()->value, 1);
    EXPECT_EQ(list.Last()->value, 3);
    list.AddLast(nullptr);
    EXPECT_EQ(list.Count(), 2u);
    TList<Item> copy = list;
    list.Clear();
    EXPECT_EQ(Values(copy), (std::vector<int>{1, 3}));
    EXPECT_EQ(list.First(), nullptr);
}

} // namespace
} // namespace vsm
