#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "foundation/Arrays.h"
#include "tests/foundation/ContainerTestElements.h"
#include "foundation/Exception.h"

namespace containertest {
int alive = 0;
unsigned int Num::hashModulus = 1000003;
}  // namespace containertest

using containertest::Num;
using containertest::alive;

namespace {

Num *At(ArrayBase const &a, int i) { return static_cast<Num *>(a[i]); }

std::vector<int> Keys(ArrayBase const &a) {
    std::vector<int> keys;
    for (int i = 0; i < a.GetCount(); ++i)
        keys.push_back(At(a, i)->key);
    return keys;
}

// Counts the Compare calls it takes part in.
struct Counted : CollectionElement {
    static int calls;
    int Compare(CollectionElement const &, int) const override {
        ++calls;
        return 0;
    }
};
int Counted::calls = 0;

TEST(ArrayBase, GrowsInExpansionSteps) {
    ArrayBase a;
    a.Add(new Num(1));
    EXPECT_EQ(20, a.GetNumCells());
    for (int i = 0; i < 20; ++i)
        a.Add(new Num(i));
    EXPECT_EQ(21, a.GetCount());
    EXPECT_EQ(40, a.GetNumCells());
    a.Clear();
    EXPECT_EQ(0, alive);
    EXPECT_FALSE(a.HasAllocatedMemory());
}

TEST(ArrayBase, OutOfRangeAccessAndRemovalAreHarmless) {
    {
        ArrayBase a;
        EXPECT_EQ(nullptr, a.Pop());
        EXPECT_EQ(nullptr, a.GetFirst());
        EXPECT_EQ(nullptr, a.GetLast());
        a.Add(new Num(1));
        a.Add(new Num(2));
        EXPECT_EQ(nullptr, a[-1]);
        EXPECT_EQ(nullptr, a[2]);
        EXPECT_EQ(nullptr, a.CutDetach(2));
        EXPECT_EQ(nullptr, a.CutDetach(-1));
        a.CutDelete(5);
        a.CutRange(1, 100, 1);  // clamped to the one element there
        EXPECT_EQ(1, a.GetCount());
        EXPECT_EQ(1, alive);
        a.CutRange(7, 1, 1);
        delete a.Pop();
        EXPECT_EQ(nullptr, a.Pop());
        EXPECT_EQ(0, a.GetCount());
    }
    EXPECT_EQ(0, alive);
}

TEST(ArrayBase, DeleteAllWithoutFreeingLeavesNothingToDeleteTwice) {
    {
        ArrayBase a;
        a.Add(new Num(1));
        a.Add(new Num(2));
        a.DeleteAll(0);
        EXPECT_EQ(0, alive);
        EXPECT_EQ(2, a.GetCount());
    }  // the destructor's Clear must not delete them again
    EXPECT_EQ(0, alive);
}

TEST(ArrayBase, AddUniqueKeepsTheHeldElement) {
    {
        ArrayBase owning;
        Num *held = static_cast<Num *>(owning.Add(new Num(5, 1)));
        EXPECT_EQ(held, owning.AddUnique(new Num(5, 2)));  // the newcomer is deleted
        EXPECT_EQ(1, alive);
        EXPECT_EQ(held, owning.AddUnique(held));  // the same element is never deleted
        EXPECT_EQ(1, owning.GetCount());

        ArrayBase loose(20, 20, 0);
        Num mine(5, 3);
        loose.Add(held);
        EXPECT_EQ(held, loose.AddUnique(&mine));
        EXPECT_EQ(2, alive);  // left alone
    }
    EXPECT_EQ(0, alive);
}

// An empty cell (a null taken in by Insert or AddUnique, or cells made busy
// and cleared) is passed over by the linear searches instead of being compared.
TEST(ArrayBase, LinearSearchesPassOverEmptyCells) {
    {
        ArrayBase a;
        EXPECT_EQ(nullptr, a.AddUnique(nullptr));
        Num *five = static_cast<Num *>(a.AddUnique(new Num(5)));
        EXPECT_EQ(five, a.AddUnique(new Num(5)));
        a.Add(nullptr);
        Num *two = static_cast<Num *>(a.Add(new Num(2)));
        int index = -1;
        EXPECT_EQ(two, a.LinearFindSmallest(&index));
        EXPECT_EQ(3, index);
        EXPECT_EQ(five, a.LinearFindGreatest());
        Num probe(3);
        EXPECT_EQ(two, a.LinearFindClosestSmaller(probe));
        EXPECT_EQ(five, a.LinearFindEqualOrGreater(probe));
        ArrayBase copy(a);
        EXPECT_TRUE(ArrayBase::AreEqual(a, copy, 0));
    }
    EXPECT_EQ(0, alive);
}

TEST(ArrayBase, AddUniqueAppendsWhenUnsortedAndInsertsInPlaceWhenSorted) {
    ArrayBase a;
    for (int k : {5, 1, 9})
        a.AddUnique(new Num(k));
    EXPECT_EQ((std::vector<int>{5, 1, 9}), Keys(a));

    ArrayBase s;
    s.MarkAsSorted(1);
    for (int k : {5, 1, 9, 3, 1})
        s.AddUnique(new Num(k));
    EXPECT_EQ((std::vector<int>{1, 3, 5, 9}), Keys(s));
}

TEST(ArrayBase, InsertInSortedArrayPlacesEqualsAfterTheHeldOnes) {
    ArrayBase a;
    int keys[] = {3, 1, 3, 2, 3, 1};
    for (int i = 0; i < 6; ++i)
        a.InsertInSortedArray(new Num(keys[i], i));
    std::vector<int> ids;
    for (int i = 0; i < a.GetCount(); ++i)
        ids.push_back(At(a, i)->id);
    EXPECT_EQ((std::vector<int>{1, 5, 3, 0, 2, 4}), ids);
}

TEST(ArrayBase, SearchesAgreeWithAnOracle) {
    std::srand(7);
    for (int round = 0; round < 20; ++round) {
        ArrayBase a;
        std::vector<int> keys;
        int n = std::rand() % 30;
        for (int i = 0; i < n; ++i)
            keys.push_back(std::rand() % 15);
        std::sort(keys.begin(), keys.end());
        for (int i = 0; i < n; ++i)
            a.Add(new Num(keys[i], i));
        for (int probeKey = -1; probeKey <= 16; ++probeKey) {
            Num probe(probeKey);
            // Oracle: index of the first key meeting a condition, scanning in a direction.
            auto firstWhere = [&](auto pred) {
                for (int i = 0; i < n; ++i)
                    if (pred(keys[i]))
                        return i;
                return -1;
            };
            auto lastWhere = [&](auto pred) {
                for (int i = n - 1; i >= 0; --i)
                    if (pred(keys[i]))
                        return i;
                return -1;
            };
            int greater = firstWhere([&](int k) { return k > probeKey; });
            int smaller = lastWhere([&](int k) { return k < probeKey; });
            int equal = firstWhere([&](int k) { return k == probeKey; });
            int index = -2;

            EXPECT_EQ(greater < 0 ? nullptr : a[greater], a.BinaryFindClosestGreater(probe, &index));
            EXPECT_EQ(greater, index);
            EXPECT_EQ(smaller < 0 ? nullptr : a[smaller], a.BinaryFindClosestSmaller(probe, &index));
            EXPECT_EQ(smaller, index);

            Num *found = static_cast<Num *>(a.BinaryFindEqual(probe, &index));
            EXPECT_EQ(equal >= 0, found != nullptr);
            if (found) {
                EXPECT_EQ(probeKey, found->key);
            }
            found = static_cast<Num *>(a.BinaryFindEqualOrGreater(probe, &index));
            int wantKey = equal >= 0 ? probeKey : greater >= 0 ? keys[greater] : -100;
            EXPECT_EQ(wantKey, found ? found->key : -100);
            found = static_cast<Num *>(a.BinaryFindEqualOrSmaller(probe, &index));
            wantKey = equal >= 0 ? probeKey : smaller >= 0 ? keys[smaller] : -100;
            EXPECT_EQ(wantKey, found ? found->key : -100);

            // Linear searches keep the first of equal candidates.
            int firstSmaller = smaller < 0 ? -1 : firstWhere([&](int k) { return k == keys[smaller]; });
            int firstGreater = greater;
            EXPECT_EQ(firstSmaller < 0 ? nullptr : a[firstSmaller], a.LinearFindClosestSmaller(probe, &index));
            EXPECT_EQ(firstSmaller, index);
            EXPECT_EQ(firstGreater < 0 ? nullptr : a[firstGreater], a.LinearFindClosestGreater(probe, &index));
            EXPECT_EQ(equal >= 0 ? a[equal] : (firstSmaller < 0 ? nullptr : a[firstSmaller]),
                      a.LinearFindEqualOrSmaller(probe));
            EXPECT_EQ(equal >= 0 ? a[equal] : (firstGreater < 0 ? nullptr : a[firstGreater]),
                      a.LinearFindEqualOrGreater(probe));
            EXPECT_EQ(equal < 0 ? nullptr : a[equal], a.LinearFindEqual(probe, &index));
            EXPECT_EQ(equal, index);
        }
        EXPECT_EQ(n ? a[0] : nullptr, a.LinearFindSmallest());
        int greatest = n ? static_cast<int>(std::lower_bound(keys.begin(), keys.end(), keys.back()) - keys.begin()) : -1;
        EXPECT_EQ(n ? a[greatest] : nullptr, a.LinearFindGreatest());
    }
    EXPECT_EQ(0, alive);
}

TEST(ArrayBase, SortOrdersLikeTheStandardSort) {
    std::srand(11);
    for (int round = 0; round < 30; ++round) {
        ArrayBase a;
        std::vector<int> keys;
        int n = std::rand() % 200;
        for (int i = 0; i < n; ++i) {
            keys.push_back(std::rand() % 50);
            a.Add(new Num(keys.back()));
        }
        a.Sort();
        std::sort(keys.begin(), keys.end());
        EXPECT_EQ(keys, Keys(a));
        EXPECT_TRUE(a.IsSorted());
        a.Reverse();
        EXPECT_TRUE(a.IsSortedBackwards());
        EXPECT_EQ(n < 2 || keys.front() == keys.back(), static_cast<bool>(a.IsSorted()));
    }
    ArrayBase empty;
    EXPECT_TRUE(empty.IsSorted());
    empty.Add(new Num(1));
    EXPECT_TRUE(empty.IsSorted());
}

TEST(ArrayBase, SortSurvivesAnInconsistentCompare) {
    // The base element's Compare says "before" to everything, itself included.
    ArrayBase a(20, 20, 0);
    std::vector<CollectionElement> elements(50);
    for (auto &e : elements)
        a.Add(&e);
    a.Sort();
    ASSERT_EQ(50, a.GetCount());
    for (auto &e : elements)
        EXPECT_TRUE(a.HasMember(&e));
}

TEST(ArrayBase, ShuffleIsAPermutationFixedBySeed) {
    ArrayBase a, b;
    for (int i = 0; i < 50; ++i) {
        a.Add(new Num(i));
        b.Add(new Num(i));
    }
    a.Shuffle(42);
    b.Shuffle(42);
    EXPECT_EQ(Keys(a), Keys(b));
    b.Shuffle(43);
    EXPECT_NE(Keys(a), Keys(b));
    std::vector<int> keys = Keys(a);
    std::vector<int> identity(keys);
    std::sort(identity.begin(), identity.end());
    EXPECT_NE(identity, keys);
    std::sort(keys.begin(), keys.end());
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(i, keys[i]);
}

TEST(ArrayBase, CopiesHoldClonesAndAbsorbMovesPointers) {
    {
        ArrayBase a;
        for (int k : {3, 1, 2})
            a.Add(new Num(k));
        ArrayBase copy(a);
        EXPECT_EQ(Keys(a), Keys(copy));
        EXPECT_NE(a[0], copy[0]);
        EXPECT_EQ(6, alive);
        EXPECT_TRUE(ArrayBase::AreEqual(a, copy, 0));

        copy.Insert(copy, 1, nullptr);  // clones of itself in the middle
        EXPECT_EQ((std::vector<int>{3, 3, 1, 2, 1, 2}), Keys(copy));

        ArrayBase other;
        other = a;
        other.Append(a, nullptr);
        EXPECT_EQ((std::vector<int>{3, 1, 2, 3, 1, 2}), Keys(other));

        ArrayBase target;
        target.Add(new Num(0));
        Num *moved = At(a, 0);
        target.AbsorbAndSort(a);
        EXPECT_EQ(0, a.GetCount());
        EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), Keys(target));
        EXPECT_TRUE(target.HasMember(moved));
    }
    EXPECT_EQ(0, alive);
}

TEST(ArrayBase, AreEqualOfAnArrayWithItselfComparesNothing) {
    ArrayBase a(20, 20, 0);
    Counted x, y;
    a.Add(&x);
    a.Add(&y);
    Counted::calls = 0;
    EXPECT_TRUE(ArrayBase::AreEqual(a, a, 0));
    EXPECT_EQ(0, Counted::calls);
}

TEST(CellSequence, CellsMoveAsBytes) {
    CellSequence s(sizeof(int), 0, 4, 0, nullptr);
    for (int i = 0; i < 6; ++i)
        s.InsertCell(&i, 0);  // 5 4 3 2 1 0
    EXPECT_EQ(8, s.GetNumCells());
    s.CutCells(1, 2);  // 5 2 1 0
    int values[] = {5, 2, 1, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(values[i], *static_cast<int *>(s.GetCellPtr(i)));
    CellSequence copy(s, 1);
    EXPECT_TRUE(copy == s);
    copy.Sort([](void const *a, void const *b) { return *static_cast<int const *>(a) - *static_cast<int const *>(b); });
    EXPECT_EQ(0, *static_cast<int *>(copy.GetFirstCell()));
    EXPECT_FALSE(copy == s);
    s.Absorb(copy, 2);
    EXPECT_EQ(8, s.GetNumBusyCells());
    EXPECT_EQ(0, copy.GetNumBusyCells());
    EXPECT_EQ(nullptr, s.FillCell(8, &values[0]));
    s.OptimizeSize();
    EXPECT_EQ(8, s.GetNumCells());
    EXPECT_TRUE(s.IsFull());
}

// A cell count whose byte size does not fit (a count read from a damaged file)
// is a failed allocation, never a short buffer that later writes run past.
TEST(CellSequence, CountsBeyondTheAddressSpaceFailAsOutOfMemory) {
    CellSequence s(sizeof(int), 0, 0, 0, nullptr);
    EXPECT_THROW(s.AllocateBusyCells(0x40000001), Exception);
    EXPECT_EQ(0, s.GetNumCells());
    EXPECT_EQ(0, s.GetNumBusyCells());
    CellSequence stepped(sizeof(int), 0, 0x40000000, 0, nullptr);
    int one = 1;
    EXPECT_THROW(stepped.InsertCell(&one, 0), Exception);
    EXPECT_EQ(0, stepped.GetNumCells());
}

}  // namespace
