#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "tests/foundation/ContainerTestElements.h"
#include "foundation/HashLists.h"

using containertest::Num;
using containertest::alive;

namespace {

// Every bucket's elements stand together, the table pointing at the first.
void ExpectBucketsContiguous(HashListImp const &hash) {
    std::set<unsigned int> finished;
    unsigned int current = ~0u;
    int count = 0;
    for (ListElement *e = hash.GetFirst(); e; e = hash.GetNext(e), ++count) {
        unsigned int bucket = static_cast<HashListElement *>(e)->GetBucketIndex();
        if (bucket != current) {
            ASSERT_TRUE(finished.insert(bucket).second) << "bucket " << bucket << " is split";
            current = bucket;
        }
    }
    ASSERT_EQ(hash.GetCount(), count);
}

TEST(HashListImp, BucketCountIsTheNextPrime) {
    struct {
        unsigned int requested, buckets;
    } cases[] = {{0, 3}, {3, 7}, {500, 509}, {509, 1021}, {1073741788, 1073741789}, {4000000000u, 1073741789}};
    for (auto const &c : cases) {
        if (c.buckets > 100000)
            continue;  // the table itself would be gigabytes
        HashListImp hash(c.requested, 1);
        EXPECT_EQ(c.buckets, hash.GetBucketCount()) << c.requested;
    }
}

TEST(HashListImp, ThousandsOfCollidingKeysAddFindAndRemove) {
    Num::hashModulus = 11;  // many keys per hash value, and hash values share buckets too
    {
        HashListImp hash(5, 1);  // 7 buckets
        std::vector<Num *> elements;
        for (int k = 0; k < 4000; ++k)
            elements.push_back(static_cast<Num *>(hash.Add(new Num(k, k))));
        EXPECT_EQ(4000, hash.GetCount());
        ExpectBucketsContiguous(hash);
        for (int k = 0; k < 4000; k += 37) {
            Num probe(k);
            ASSERT_EQ(elements[k], hash.Find(probe)) << k;
        }

        std::srand(17);
        std::vector<bool> removed(4000, false);
        for (int i = 0; i < 2500; ++i) {
            int k = std::rand() % 4000;
            if (removed[k]) {
                EXPECT_EQ(nullptr, hash.Detach(elements[k]));  // not held: refused
                continue;
            }
            removed[k] = true;
            if (i % 2)
                hash.Delete(elements[k]);
            else
                delete hash.Detach(elements[k]);
        }
        ExpectBucketsContiguous(hash);
        int held = 0;
        for (int k = 0; k < 4000; ++k) {
            Num probe(k);
            Num *found = static_cast<Num *>(hash.Find(probe));
            ASSERT_EQ(removed[k] ? nullptr : elements[k], found) << k;
            held += !removed[k];
        }
        EXPECT_EQ(held, hash.GetCount());
        EXPECT_EQ(held, alive);

        // Emptied buckets fill again.
        for (int k = 0; k < 4000; ++k)
            if (removed[k])
                elements[k] = static_cast<Num *>(hash.Add(new Num(k, k)));
        ExpectBucketsContiguous(hash);
        for (int k = 0; k < 4000; k += 13) {
            Num probe(k);
            ASSERT_EQ(elements[k], hash.Find(probe));
        }
        EXPECT_EQ(nullptr, hash.Add(elements[0]));  // already held
        hash.Clear();
        EXPECT_EQ(0, alive);
        Num probe(5);
        EXPECT_EQ(nullptr, hash.Find(probe));
        hash.Add(new Num(5));
        EXPECT_NE(nullptr, hash.Find(probe));
    }
    EXPECT_EQ(0, alive);
    Num::hashModulus = 1000003;
}

TEST(HashListImp, NonOwningLeavesElementsAlone) {
    Num a(1), b(2);
    {
        HashListImp hash(10, 0);
        hash.Add(&a);
        hash.Add(&b);
    }
    EXPECT_EQ(2, alive);
}

TEST(GetPowerOf2, ExactPowersOnly) {
    struct {
        unsigned int v;
        int n;
    } cases[] = {{1, 0}, {2, 1}, {1024, 10}, {2147483648u, 31}, {12, -1}, {0, -1}, {3, -1}, {0xFFFFFFFFu, -1}};
    for (auto const &c : cases)
        EXPECT_EQ(c.n, GetPowerOf2(c.v)) << c.v;
}

}  // namespace
