#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "foundation/PtrLists.h"

namespace {

struct Item {
    int key;
    int id;
};

int liveItems = 0;

Item *NewItem(int key, int id) {
    ++liveItems;
    return new Item{key, id};
}

void DeleteItem(void *p) {
    --liveItems;
    delete static_cast<Item *>(p);
}

int CompareItems(void const *a, void const *b) {
    return static_cast<Item const *>(a)->key - static_cast<Item const *>(b)->key;
}

void *CloneItem(void const *p, void const *) {
    Item const *item = static_cast<Item const *>(p);
    return NewItem(item->key, item->id);
}

void Configure(DoubleListOfPtr &list) {
    list.SetDeleter(DeleteItem);
    list.SetComparer(CompareItems);
    list.SetCloner(CloneItem);
}

std::vector<int> Ids(DoubleListOfPtr const &list) {
    std::vector<int> ids;
    for (ListPtrIterator i(list); i; ++i)
        ids.push_back(static_cast<Item *>(list.Get(i))->id);
    return ids;
}

TEST(DoubleListOfPtr, OwningListHandsDroppedItemsToTheDeleter) {
    {
        DoubleListOfPtr list;
        Configure(list);
        Item *a = static_cast<Item *>(list.Append(NewItem(1, 0)));
        list.Append(NewItem(2, 1));
        list.Append(NewItem(3, 2));
        EXPECT_EQ(a, list.AddUnique(NewItem(1, 9)));  // the newcomer goes to the deleter
        EXPECT_EQ(3, liveItems);

        Item stranger{7, 7};
        list.Delete(&stranger);  // not held: nothing happens
        EXPECT_EQ(3, list.GetCount());

        list.Replace(a, NewItem(5, 5));  // a goes to the deleter
        EXPECT_EQ((std::vector<int>{5, 1, 2}), Ids(list));
        EXPECT_EQ(3, liveItems);

        Item *detached = static_cast<Item *>(list.DetachLast());
        EXPECT_EQ(2, detached->id);
        DeleteItem(detached);
        list.DeleteFirst();
        EXPECT_EQ(1, liveItems);
        Item probe{2, 0};
        EXPECT_EQ(1, list.DeleteEqual(&probe));
        EXPECT_EQ(0, list.DeleteEqual(&probe));
        EXPECT_EQ(0, liveItems);
        list.Append(NewItem(1, 1));
    }
    EXPECT_EQ(0, liveItems);
}

TEST(DoubleListOfPtr, SwapExchangesItemsAndSortIsStable) {
    DoubleListOfPtr list;
    Configure(list);
    std::srand(23);
    std::vector<int> keys;
    for (int i = 0; i < 60; ++i) {
        keys.push_back(std::rand() % 5);
        list.Append(NewItem(keys.back(), i));
    }
    std::vector<int> oracle;
    for (int i = 0; i < 60; ++i)
        oracle.push_back(i);
    for (int step = 0; step < 100; ++step) {
        int i = std::rand() % 60, j = std::rand() % 60;
        list.Swap(list[i], list[j]);
        std::swap(oracle[i], oracle[j]);
    }
    EXPECT_EQ(oracle, Ids(list));
    list.Sort();
    std::stable_sort(oracle.begin(), oracle.end(), [&](int x, int y) { return keys[x] < keys[y]; });
    EXPECT_EQ(oracle, Ids(list));
    EXPECT_TRUE(list.IsSorted());
    list.Reverse();
    EXPECT_TRUE(list.IsSortedBackwards());
}

TEST(DoubleListOfPtr, AbsorbAndSortMergesAndForEachMayRemove) {
    DoubleListOfPtr a, b;
    Configure(a);
    Configure(b);
    int keysA[] = {1, 3, 3, 7}, keysB[] = {0, 3, 8};
    for (int i = 0; i < 4; ++i)
        a.Append(NewItem(keysA[i], i));
    for (int i = 0; i < 3; ++i)
        b.Append(NewItem(keysB[i], 10 + i));
    a.Sort();
    b.Sort();
    a.AbsorbAndSort(b);
    EXPECT_EQ((std::vector<int>{10, 0, 1, 2, 11, 3, 12}), Ids(a));
    EXPECT_EQ(0, b.GetCount());
    Item probe{3, 0};
    EXPECT_EQ(2, a.FindIndexOfEqual(&probe));

    a.ForEach([](void *item, void *list) { static_cast<DoubleListOfPtr *>(list)->Delete(item); }, &a);
    EXPECT_EQ(0, a.GetCount());
    EXPECT_EQ(0, liveItems);
}

TEST(DoubleListOfPtr, CopiesUseTheSourceCloner) {
    {
        DoubleListOfPtr source;
        Configure(source);
        for (int i = 0; i < 3; ++i)
            source.Append(NewItem(i, i));
        DoubleListOfPtr copy(source);
        EXPECT_EQ(Ids(source), Ids(copy));
        EXPECT_NE(source.GetFirst(), copy.GetFirst());
        EXPECT_TRUE(DoubleListOfPtr::AreEqual(source, copy));
        EXPECT_EQ(6, liveItems);

        DoubleListOfPtr owningCopy;
        owningCopy.SetDeleter(DeleteItem);
        owningCopy = source;  // keeps its own call-backs, copies with the source's cloner
        EXPECT_EQ(9, liveItems);
        EXPECT_NE(source.GetFirst(), owningCopy.GetFirst());

        // Without a cloner a non-owning copy shares the items.
        DoubleListOfPtr bare(0), shared(0);
        Item x{1, 1}, y{2, 2}, z{3, 3};
        bare.Append(&x);
        bare.Append(&z);
        shared = bare;
        EXPECT_EQ(&x, shared.GetFirst());
        shared.InsertBefore(&y, &z);
        EXPECT_EQ((std::vector<int>{1, 2, 3}), Ids(shared));
        Item w{4, 4};
        EXPECT_EQ(nullptr, shared.InsertAfter(&w, &w));  // the anchor is not held
        EXPECT_EQ(&z, shared.GetNext(&y));
        EXPECT_EQ(&x, shared.GetPrev(&y));
        EXPECT_EQ(1, shared.FindIndexOfMember(&y));

        DoubleListOfPtr tail(0);
        shared.Split(tail, *shared.FindNode(1));
        EXPECT_EQ((std::vector<int>{1}), Ids(shared));
        EXPECT_EQ((std::vector<int>{2, 3}), Ids(tail));
        shared.Absorb(tail, &x);
        EXPECT_EQ((std::vector<int>{2, 3, 1}), Ids(shared));
        shared.Rotate(&y, &x);
        EXPECT_EQ((std::vector<int>{3, 1, 2}), Ids(shared));
    }
    EXPECT_EQ(0, liveItems);
}

}  // namespace
