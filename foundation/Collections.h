// Bases of the intrusive, polymorphic containers: the element that compares,
// clones and hashes itself, the common container base with its flags, and the
// base of containers of plain pointers driven by call-backs.
#pragma once

#include "foundation/OsmeraDefs.h"

class OSMERA_API CollectionElement {
public:
    CollectionElement() {}
    CollectionElement(CollectionElement const &) {}
    CollectionElement &operator=(CollectionElement const &) { return *this; }
    virtual ~CollectionElement();

    // Below 0 when this sorts before other, 0 when equal, above 0 after. The
    // mode is the container's, so one element type can sort several ways.
    virtual int Compare(CollectionElement const &other, int mode) const;
    // A new copy; arg is passed through from the copying container.
    virtual CollectionElement *CreateClone(void const *arg) const;
    virtual unsigned int GetHashedValue() const;
};

class OSMERA_API Collection {
public:
    enum Flags {
        kOwnsElements = 1,   // the container deletes what it holds
        kMarkedSorted = 2,   // an array the caller declared sorted
        kListSorted = 4      // a list left in order by its own sorting
    };

    virtual ~Collection();

    int IsEmpty() const { return count_ == 0; }
    int GetCount() const { return count_; }
    int GetLastIndex() const { return count_ - 1; }
    int GetEndIndex() const { return count_; }
    int ShouldDeleteElements() const { return (flags_ & kOwnsElements) != 0; }
    void ShouldDeleteElements(int owns) { SetFlag(kOwnsElements, owns); }
    int IsMarkedAsSorted() const { return (flags_ & kMarkedSorted) != 0; }
    void MarkAsSorted(int sorted) { SetFlag(kMarkedSorted, sorted); }
    // Containers keep no name; accepted for callers that label them.
    void SetName(char const *) {}

protected:
    explicit Collection(int owns);
    Collection(Collection const &other);
    Collection &operator=(Collection const &other);

    void SetFlag(unsigned long flag, int on) {
        if (on)
            flags_ |= flag;
        else
            flags_ &= ~flag;
    }
    int HasFlag(unsigned long flag) const { return (flags_ & flag) != 0; }
    // A list change that may break the order drops the sorted mark.
    void Unsorted() { SetFlag(kListSorted, 0); }

    unsigned long flags_;
    int count_;
};

// Base of containers of untyped pointers. An owning container needs a deleter,
// a sorting or searching one a comparer, a copying one a cloner. Without a
// deleter dropped items are left alone; without a comparer items compare by
// address; without a cloner a copy shares the items unless it owns them.
class OSMERA_API CollectionOfPtr : public Collection {
public:
    typedef void (*Deleter)(void *item);
    typedef int (*Comparer)(void const *a, void const *b);
    typedef void *(*Cloner)(void const *item, void const *arg);

    virtual ~CollectionOfPtr();
    CollectionOfPtr &operator=(CollectionOfPtr const &other);

    void SetDeleter(Deleter deleter) { deleter_ = deleter; }
    void SetComparer(Comparer comparer) { comparer_ = comparer; }
    void SetCloner(Cloner cloner) { cloner_ = cloner; }

protected:
    explicit CollectionOfPtr(int owns);
    CollectionOfPtr(CollectionOfPtr const &other);

    void DeleteItem(void *item) const {
        if (item && deleter_)
            deleter_(item);
    }
    int CompareItems(void const *a, void const *b) const {
        if (comparer_)
            return comparer_(a, b);
        return a == b ? 0 : a < b ? -1 : 1;
    }

    Deleter deleter_;
    Comparer comparer_;
    Cloner cloner_;
};
