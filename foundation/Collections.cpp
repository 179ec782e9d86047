#include "foundation/Collections.h"

CollectionElement::~CollectionElement() {}

int CollectionElement::Compare(CollectionElement const &, int) const { return -1; }

CollectionElement *CollectionElement::CreateClone(void const *) const { return 0; }

unsigned int CollectionElement::GetHashedValue() const { return 0; }

Collection::Collection(int owns) : flags_(owns ? kOwnsElements : 0), count_(0) {}

Collection::Collection(Collection const &other)
    : flags_(other.flags_ & (kOwnsElements | kMarkedSorted | kListSorted)), count_(0) {}

Collection &Collection::operator=(Collection const &other) {
    // The elements are the derived container's business; only the flags travel.
    if (this != &other)
        flags_ = other.flags_ & (kOwnsElements | kMarkedSorted | kListSorted);
    return *this;
}

Collection::~Collection() {}

CollectionOfPtr::CollectionOfPtr(int owns) : Collection(owns), deleter_(0), comparer_(0), cloner_(0) {}

CollectionOfPtr::CollectionOfPtr(CollectionOfPtr const &other)
    : Collection(other), deleter_(other.deleter_), comparer_(other.comparer_), cloner_(other.cloner_) {}

CollectionOfPtr &CollectionOfPtr::operator=(CollectionOfPtr const &other) {
    if (this != &other) {
        Collection::operator=(other);
        deleter_ = other.deleter_;
        comparer_ = other.comparer_;
        cloner_ = other.cloner_;
    }
    return *this;
}

CollectionOfPtr::~CollectionOfPtr() {}
