#include "foundation/HashLists.h"

#include <cstring>

namespace {

unsigned int const kPrimes[] = {3,        7,        13,       31,        61,        127,       251,      509,
                                1021,     2017,     4093,     5987,      9551,      15683,     19609,    31397,
                                65521,    131071,   262139,   524287,    1048573,   2097143,   4194301,  8388593,
                                16777213, 33554393, 67108859, 134217689, 268435399, 536870909, 1073741789};

unsigned int BucketCountFor(unsigned int requested) {
    for (unsigned int p : kPrimes)
        if (p > requested)
            return p;
    // Beyond the table the largest prime serves.
    return kPrimes[sizeof kPrimes / sizeof kPrimes[0] - 1];
}

}  // namespace

HashListImp::HashListImp(unsigned int requestedSize, int owns)
    : DoubleList(owns), buckets_(0), bucketCount_(BucketCountFor(requestedSize)) {
    buckets_ = new ListElement *[bucketCount_]();
}

HashListImp::~HashListImp() { delete[] buckets_; }

HashListElement *HashListImp::Add(HashListElement *e) {
    if (!e || IsLinkedHere(e))
        return 0;
    unsigned int bucket = e->GetHashedValue() % bucketCount_;
    e->bucketIndex_ = bucket;
    if (!buckets_[bucket]) {
        DoubleList::Append(e);
        buckets_[bucket] = e;
    } else {
        DoubleList::InsertAfter(e, buckets_[bucket]);
    }
    return e;
}

HashListElement *HashListImp::Find(HashListElement const &probe) const {
    unsigned int bucket = probe.GetHashedValue() % bucketCount_;
    for (ListElement *e = buckets_[bucket]; e && static_cast<HashListElement *>(e)->bucketIndex_ == bucket;
         e = e->GetNext())
        if (e->Compare(probe, compareMode_) == 0)
            return static_cast<HashListElement *>(e);
    return 0;
}

HashListElement *HashListImp::Detach(HashListElement *e) {
    if (!IsLinkedHere(e) || e->bucketIndex_ >= bucketCount_)
        return 0;
    unsigned int bucket = e->bucketIndex_;
    if (buckets_[bucket] == e) {
        // The bucket's next element, if it shares the bucket, becomes its first.
        ListElement *next = e->GetNext();
        buckets_[bucket] = next && static_cast<HashListElement *>(next)->bucketIndex_ == bucket ? next : 0;
    }
    DoubleList::Detach(e);
    return e;
}

void HashListImp::Delete(HashListElement *e) { delete Detach(e); }

void HashListImp::DetachAll() {
    std::memset(buckets_, 0, bucketCount_ * sizeof(ListElement *));
    DoubleList::DetachAll();
}

void HashListImp::DeleteAll() {
    std::memset(buckets_, 0, bucketCount_ * sizeof(ListElement *));
    DoubleList::DeleteAll();
}

void HashListImp::Clear() {
    if (ShouldDeleteElements())
        DeleteAll();
    else
        DetachAll();
}

int GetPowerOf2(unsigned int v) {
    for (int n = 0; n < 32; ++n)
        if (v == (1u << n))
            return n;
    return -1;
}
