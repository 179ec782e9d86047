#include "foundation/Collections.h"

CollectionElement::~CollectionElement() {}

int CollectionElement::Compare(CollectionElement const &, int) const { return -1; }

CollectionElement *CollectionElement::CreateClone(void const *) const { return 0; }

unsigned int CollectionElement::GetHashedValue() const { return 0; }

Collection::Collection(int owns) : _flags(owns ? kOwnsElements : 0), _count(0) {}

Collection::Collection(Collection const &other)
    : _flags(other._flags & (kOwnsElements | kMarkedSorted | kListSorted)), _count(0) {}

Collection &Collection::operator=(Collection const &other) {
    // The elements are the derived container's business; only the flags travel.
    if (this != &other)
        _flags = other._flags & (kOwnsElements | kMarkedSorted | kListSorted);
    return *this;
}

Collection::~Collection() {}

CollectionOfPtr::CollectionOfPtr(int owns) : Collection(owns), _deleter(0), _comparer(0), _cloner(0) {}

CollectionOfPtr::CollectionOfPtr(CollectionOfPtr const &other)
    : Collection(other), _deleter(other._deleter), _comparer(other._comparer), _cloner(other._cloner) {}

CollectionOfPtr &CollectionOfPtr::operator=(CollectionOfPtr const &other) {
    if (this != &other) {
        Collection::operator=(other);
        _deleter = other._deleter;
        _comparer = other._comparer;
        _cloner = other._cloner;
    }
    return *this;
}

CollectionOfPtr::~CollectionOfPtr() {}
