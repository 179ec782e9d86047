// A list with a bucket index on top: elements of one bucket stand next to
// each other, the table pointing at the first of them.
#pragma once

#include "foundation/Lists.h"

class HashListImp;

class OSMERA_API HashListElement : public ListElement {
public:
    HashListElement() : bucketIndex_(0) {}
    unsigned int GetBucketIndex() const { return bucketIndex_; }

private:
    friend class HashListImp;
    unsigned int bucketIndex_;
};

// Only members that keep the buckets right are open: adding, finding and
// removing go through the table; the list's reordering members are closed.
class OSMERA_API HashListImp : protected DoubleList {
public:
    // The bucket count is the first prime of the table above requestedSize.
    HashListImp(unsigned int requestedSize, int owns);
    virtual ~HashListImp();
    HashListImp(HashListImp const &) = delete;
    HashListImp &operator=(HashListImp const &) = delete;

    // Null when e is null or already held.
    HashListElement *Add(HashListElement *e);
    HashListElement *Find(HashListElement const &probe) const;
    // Null (and nothing done) when e is not held.
    HashListElement *Detach(HashListElement *e);
    void Delete(HashListElement *e);
    void DetachAll();
    void DeleteAll();
    void Clear();

    unsigned int GetBucketCount() const { return bucketCount_; }

    using Collection::GetCount;
    using Collection::GetEndIndex;
    using Collection::GetLastIndex;
    using Collection::IsEmpty;
    using Collection::ShouldDeleteElements;
    using DoubleList::FindFirstThat;
    using DoubleList::FindIndexOfMember;
    using DoubleList::FindLastThat;
    using DoubleList::GetCompareMode;
    using DoubleList::GetFirst;
    using DoubleList::GetLast;
    using DoubleList::GetNext;
    using DoubleList::GetPrev;
    using DoubleList::HasMember;
    using DoubleList::SetCompareMode;
    using DoubleList::operator[];

private:
    ListElement **buckets_;
    unsigned int bucketCount_;
};

// n when v is 2 to the power n, otherwise -1.
OSMERA_API int GetPowerOf2(unsigned int v);
