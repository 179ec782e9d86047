#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/foundation/ContainerTestElements.h"
#include "foundation/Lists.h"

using containertest::Ids;
using containertest::IdsBackwards;
using containertest::Num;
using containertest::alive;

namespace {

// A list of count elements with ids 0..count-1 and the given keys (key = id by default).
void Fill(DoubleList &list, int count, std::vector<int> const &keys = {}) {
    for (int i = 0; i < count; ++i)
        list.Append(new Num(keys.empty() ? i : keys[i], i));
}

void ExpectLinks(DoubleList const &list, std::vector<int> const &oracle) {
    ASSERT_EQ(oracle, Ids(list));
    ASSERT_EQ(oracle, IdsBackwards(list));
    ASSERT_EQ(static_cast<int>(oracle.size()), list.GetCount());
}

TEST(DoubleList, SwapRotateReverseAgreeWithAVectorOracle) {
    std::srand(3);
    for (int round = 0; round < 40; ++round) {
        int n = 1 + std::rand() % 12;
        List<Num> list;
        Fill(list, n);
        std::vector<int> oracle;
        for (int i = 0; i < n; ++i)
            oracle.push_back(i);
        for (int step = 0; step < 60; ++step) {
            int i = std::rand() % n;
            int j = std::rand() % n;
            Num *a = list[i];
            Num *b = list[j];
            switch (std::rand() % 3) {
            case 0:
                list.Swap(a, b);
                std::swap(oracle[i], oracle[j]);
                break;
            case 1:
                list.Rotate(a, b);
                if (i != j) {
                    int moved = oracle[i];
                    oracle.erase(oracle.begin() + i);
                    int at = static_cast<int>(std::find(oracle.begin(), oracle.end(), b->id) - oracle.begin());
                    oracle.insert(oracle.begin() + (i < j ? at + 1 : at), moved);
                }
                break;
            default:
                list.Reverse();
                std::reverse(oracle.begin(), oracle.end());
            }
            ExpectLinks(list, oracle);
        }
    }
    EXPECT_EQ(0, alive);
}

TEST(DoubleList, SortIsStableLikeStableSort) {
    std::srand(5);
    for (int round = 0; round < 40; ++round) {
        int n = std::rand() % 150;
        std::vector<int> keys;
        for (int i = 0; i < n; ++i)
            keys.push_back(std::rand() % 8);
        List<Num> list;
        Fill(list, n, keys);
        std::vector<int> oracle;
        for (int i = 0; i < n; ++i)
            oracle.push_back(i);
        std::stable_sort(oracle.begin(), oracle.end(), [&](int x, int y) { return keys[x] < keys[y]; });
        list.Sort();
        ExpectLinks(list, oracle);
        EXPECT_TRUE(list.IsSorted());
    }
}

TEST(DoubleList, AbsorbAndSortMergesSortedListsStably) {
    std::vector<int> keysA = {1, 3, 3, 7}, keysB = {0, 3, 8};
    List<Num> a, b;
    for (int i = 0; i < 4; ++i)
        a.Append(new Num(keysA[i], i));
    for (int i = 0; i < 3; ++i)
        b.Append(new Num(keysB[i], 10 + i));
    a.Sort();
    b.Sort();
    a.AbsorbAndSort(b);
    ExpectLinks(a, {10, 0, 1, 2, 11, 3, 12});
    EXPECT_EQ(0, b.GetCount());
    EXPECT_EQ(nullptr, b.GetFirst());

    // Not marked sorted: each element goes in by InsertInSortedList.
    List<Num> c;
    c.Append(new Num(3, 20));
    c.Append(new Num(0, 21));
    a.AbsorbAndSort(c);
    ExpectLinks(a, {10, 21, 0, 1, 2, 11, 20, 3, 12});
}

TEST(DoubleList, InsertionAtTheEnds) {
    List<Num> list;
    Fill(list, 2);
    list.InsertAfter(new Num(0, 7), nullptr);
    list.InsertBefore(new Num(0, 8), nullptr);
    ExpectLinks(list, {7, 0, 1, 8});
    list.InsertAfter(new Num(0, 9), list.GetLast());
    list.InsertBefore(new Num(0, 6), list.GetFirst());
    ExpectLinks(list, {6, 7, 0, 1, 8, 9});
    list.Push(new Num(0, 5));
    Num *popped = list.Pop();
    EXPECT_EQ(5, popped->id);
    delete popped;
    Num probe(0);
    EXPECT_EQ(0, list.FindIndexOfEqual(probe));
}

TEST(DoubleList, SwapAndRotateCorners) {
    List<Num> two;
    Fill(two, 2);
    two.Swap(two.GetFirst(), two.GetLast());
    ExpectLinks(two, {1, 0});
    List<Num> five;
    Fill(five, 5);
    five.Swap(five.GetFirst(), five.GetLast());
    ExpectLinks(five, {4, 1, 2, 3, 0});
    five.Rotate(five[0], five[4]);  // first goes after the last
    ExpectLinks(five, {1, 2, 3, 0, 4});
    five.Rotate(five[4], five[0]);  // last goes before the first
    ExpectLinks(five, {4, 1, 2, 3, 0});
}

TEST(DoubleList, ElementsNotHeldAreRefused) {
    {
        List<Num> list;
        Fill(list, 3);
        Num *middle = list[1];
        EXPECT_EQ(middle, list.Detach(middle));
        EXPECT_EQ(nullptr, list.Detach(middle));  // already out; its stale links are not followed
        list.Delete(middle);                      // not held: nothing happens
        EXPECT_EQ(3, alive);
        ExpectLinks(list, {0, 2});

        Num stranger(9, 9);
        list.Delete(&stranger);
        Num copy(*list.GetFirst());  // carries the original's links
        EXPECT_EQ(nullptr, list.Detach(&copy));
        EXPECT_EQ(nullptr, list.InsertAfter(middle, &stranger));
        EXPECT_EQ(nullptr, list.Append(list.GetFirst()));  // already linked
        ExpectLinks(list, {0, 2});
        EXPECT_EQ(nullptr, list[2]);
        EXPECT_EQ(nullptr, list[-1]);
        delete middle;
    }
    EXPECT_EQ(0, alive);
}

// Membership is known without following an element's links: a detached
// element keeps links to neighbours that may be gone (one this big goes back
// to the system when freed, so a look at it faults), and an element standing
// in the middle of another list is not held here.
TEST(DoubleList, MembershipNeverFollowsForeignLinks) {
    struct Big : ListElement {
        char payload[4 << 20];
    };
    List<ListElement> from(0);
    List<ListElement> to(0);
    ListElement moved;
    from.Append(new Big);
    from.Append(&moved);
    EXPECT_EQ(&moved, from.DetachLast());
    from.DeleteFirst();
    EXPECT_EQ(&moved, to.Append(&moved));
    EXPECT_EQ(nullptr, to.Append(&moved));
    EXPECT_EQ(1, to.GetCount());

    List<Num> held;
    List<Num> other(0);
    Fill(held, 3);
    Num extra(7, 7);
    EXPECT_EQ(nullptr, other.Detach(held[1]));
    EXPECT_EQ(nullptr, other.InsertAfter(&extra, held[1]));
    EXPECT_EQ(0, other.GetCount());
    ExpectLinks(held, {0, 1, 2});

    // Elements forgotten all at once may come back, whatever their old
    // neighbours' links still say.
    List<Num> some(0);
    Num a(0, 0), b(1, 1), c(2, 2), d(3, 3);
    for (Num *e : {&a, &b, &c, &d})
        some.Append(e);
    some.DetachAll();
    EXPECT_EQ(&d, some.Append(&d));
    EXPECT_EQ(&b, some.Append(&b));
    EXPECT_EQ(nullptr, some.Detach(&a));
    ExpectLinks(some, {3, 1});
}

TEST(DoubleList, AssigningAnElementKeepsItsPlace) {
    List<Num> list;
    Fill(list, 3);
    Num outside(5, 5);
    *list[1] = outside;  // copies the value, not the links
    ExpectLinks(list, {0, 5, 2});
}

TEST(DoubleList, SplitAtTheFirstMovesEverything) {
    List<Num> list, tail;
    Fill(list, 4);
    tail.Append(new Num(0, 99));
    list.Split(tail, *list.GetFirst());
    ExpectLinks(list, {});
    ExpectLinks(tail, {0, 1, 2, 3});
    tail.Split(list, *tail[2]);
    ExpectLinks(tail, {0, 1});
    ExpectLinks(list, {2, 3});
}

TEST(DoubleList, ForEachMayDeleteTheElementItVisits) {
    List<Num> list;
    Fill(list, 5);
    struct Visit {
        List<Num> *list;
        std::vector<int> seen;
    } visit{&list, {}};
    list.ForEach(
        [](CollectionElement &e, void *arg) {
            Visit *v = static_cast<Visit *>(arg);
            v->seen.push_back(static_cast<Num &>(e).id);
            v->list->Delete(&static_cast<Num &>(e));
        },
        &visit);
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4}), visit.seen);
    EXPECT_EQ(0, list.GetCount());
    EXPECT_EQ(0, alive);
}

TEST(DoubleList, AddUniqueReplaceAndOwnership) {
    {
        List<Num> owning;
        Num *held = owning.Append(new Num(4, 1));
        EXPECT_EQ(held, owning.AddUnique(new Num(4, 2)));
        EXPECT_EQ(1, alive);
        Num *added = owning.AddUnique(new Num(6, 3));
        EXPECT_EQ(3, added->id);
        Num *fresh = owning.Replace(held, new Num(1, 4));  // the held one is deleted
        EXPECT_EQ(4, fresh->id);
        ExpectLinks(owning, {4, 3});
        EXPECT_EQ(2, alive);

        List<Num> loose(0);
        Num a(1, 1), b(1, 2);
        loose.Append(&a);
        EXPECT_EQ(&a, loose.AddUnique(&b));
        EXPECT_EQ(1, loose.GetCount());
        EXPECT_EQ(1, loose.DetachEqual(b));
        EXPECT_EQ(0, loose.DeleteEqual(b));
    }
    EXPECT_EQ(0, alive);
}

TEST(DoubleList, CopiesAreClonesInOrder) {
    {
        List<Num> list;
        Fill(list, 3);
        List<Num> copy(list);
        ExpectLinks(copy, {0, 1, 2});
        EXPECT_NE(list.GetFirst(), copy.GetFirst());
        EXPECT_TRUE(DoubleList::AreEqual(list, copy, 0));
        copy.Insert(copy, copy[1], nullptr);  // a list may take copies of itself
        ExpectLinks(copy, {0, 0, 1, 2, 1, 2});
        copy = list;
        ExpectLinks(copy, {0, 1, 2});
        copy += list;
        ExpectLinks(copy, {0, 1, 2, 0, 1, 2});
        List<Num> other;
        other.Absorb(copy, nullptr);
        EXPECT_EQ(0, copy.GetCount());
        EXPECT_EQ(6, other.GetCount());
        EXPECT_EQ(9, alive);
    }
    EXPECT_EQ(0, alive);
}

TEST(DoubleList, ShuffleIsAPermutationFixedBySeed) {
    List<Num> a, b;
    Fill(a, 30);
    Fill(b, 30);
    a.Shuffle(9);
    b.Shuffle(9);
    EXPECT_EQ(Ids(a), Ids(b));
    std::vector<int> ids = Ids(a);
    ExpectLinks(a, ids);
    std::sort(ids.begin(), ids.end());
    EXPECT_NE(ids, Ids(a));
    for (int i = 0; i < 30; ++i)
        EXPECT_EQ(i, ids[i]);
}

TEST(DoubleList, ClosestSearchesTakeTheFirstOfEqualCandidates) {
    List<Num> list;
    Fill(list, 7, {5, 2, 8, 2, 5, 9, 8});
    struct Case {
        int probe;
        int smaller, greater, equalOrSmaller, equalOrGreater;  // ids, -1 for none
    } cases[] = {
        {5, 1, 2, 0, 0}, {1, -1, 1, -1, 1}, {10, 5, -1, 5, -1}, {6, 0, 2, 0, 2}, {9, 2, -1, 5, 5},
    };
    auto id = [](Num *e) { return e ? e->id : -1; };
    for (Case const &c : cases) {
        Num probe(c.probe);
        EXPECT_EQ(c.smaller, id(list.FindClosestSmaller(probe))) << c.probe;
        EXPECT_EQ(c.greater, id(list.FindClosestGreater(probe))) << c.probe;
        EXPECT_EQ(c.equalOrSmaller, id(list.FindEqualOrSmaller(probe))) << c.probe;
        EXPECT_EQ(c.equalOrGreater, id(list.FindEqualOrGreater(probe))) << c.probe;
    }
    EXPECT_EQ(1, id(list.FindSmallest()));
    EXPECT_EQ(5, id(list.FindGreatest()));
}

}  // namespace
