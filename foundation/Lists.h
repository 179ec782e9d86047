// Doubly linked lists whose links live inside the elements, and the typed
// list template over them.
#pragma once

#include "foundation/Collections.h"

namespace containers {
template <class N>
struct Chain;
}

class OSMERA_API ListElement : public CollectionElement {
public:
    ListElement() : next_(0), prev_(0), stamp_(0) {}
    // A copy carries the original's links until it is linked into a list; it
    // stands in no list itself.
    ListElement(ListElement const &other)
        : CollectionElement(other), next_(other.next_), prev_(other.prev_), stamp_(0) {}
    // Assignment copies the value, never the links: the target may stand in a list.
    ListElement &operator=(ListElement const &) { return *this; }

    ListElement *GetNext() const { return next_; }
    ListElement *GetPrev() const { return prev_; }

private:
    template <class N>
    friend struct containers::Chain;
    friend class DoubleList;
    ListElement *next_;
    ListElement *prev_;
    // The stamp of the list that linked it, 0 once detached. Membership is
    // read here, never through the links, which a detached element keeps
    // (they may lead to elements long gone).
    unsigned long stamp_;
};

// Elements are checked for membership: one that does not stand in this list
// (already detached, a stray copy, an element of another list) is refused, and
// detaching or deleting it does nothing. Adding an element already here, or
// next to one that is not, adds nothing and returns null.
class OSMERA_API DoubleList : public Collection {
public:
    explicit DoubleList(int owns = 1);
    DoubleList(DoubleList const &other);
    virtual ~DoubleList();
    DoubleList &operator=(DoubleList const &other);

    ListElement *GetFirst() const { return first_; }
    ListElement *GetLast() const { return last_; }
    ListElement *GetNext(ListElement const *e) const { return e ? e->GetNext() : 0; }
    ListElement *GetPrev(ListElement const *e) const { return e ? e->GetPrev() : 0; }
    // Null for an index outside the list.
    ListElement *operator[](int i) const;
    int GetCompareMode() const { return compareMode_; }
    void SetCompareMode(int mode) { compareMode_ = mode; }

    ListElement *Prepend(ListElement *e);
    ListElement *Push(ListElement *e) { return Prepend(e); }
    ListElement *Append(ListElement *e);
    ListElement *Add(ListElement *e) { return Append(e); }
    ListElement *InsertAfter(ListElement *e, ListElement *after);
    ListElement *InsertBefore(ListElement *e, ListElement *before);
    ListElement *InsertInSortedList(ListElement *e);
    ListElement *AddUnique(ListElement *e);

    ListElement *Detach(ListElement *e);
    void Delete(ListElement *e);
    ListElement *Pop() { return DetachFirst(); }
    ListElement *DetachFirst() { return Detach(first_); }
    ListElement *DetachLast() { return Detach(last_); }
    void DeleteFirst() { Delete(first_); }
    void DeleteLast() { Delete(last_); }
    void DetachAll();
    void DeleteAll();
    void Clear();
    int DetachEqual(ListElement const &probe);
    int DeleteEqual(ListElement const &probe);
    // Puts e where old stood; null when old is not in the list.
    ListElement *Replace(ListElement *old, ListElement *e);
    void Split(DoubleList &tail, ListElement const &at);

    void Swap(ListElement *a, ListElement *b);
    void Rotate(ListElement *a, ListElement *b);
    void Reverse();
    void Sort();
    void Shuffle(int seed);

    DoubleList &Assign(DoubleList const &other, void const *arg);
    DoubleList &Add(DoubleList const &other, void const *arg) { return Insert(other, 0, arg); }
    DoubleList &Insert(DoubleList const &other, ListElement *before, void const *arg);
    DoubleList &Append(DoubleList const &other, void const *arg) { return Insert(other, 0, arg); }
    DoubleList &operator+=(DoubleList const &other) { return Insert(other, 0, 0); }
    void Absorb(DoubleList &other, ListElement *before);
    void AbsorbAndSort(DoubleList &other);

    ListElement *FindEqual(ListElement const &probe) const;
    int FindIndexOfEqual(ListElement const &probe) const;
    int FindIndexOfMember(ListElement const &e) const;
    int HasMember(ListElement const *e) const { return e && FindIndexOfMember(*e) >= 0; }
    ListElement *FindSmallest() const;
    ListElement *FindGreatest() const;
    ListElement *FindClosestSmaller(ListElement const &probe) const;
    ListElement *FindClosestGreater(ListElement const &probe) const;
    ListElement *FindEqualOrSmaller(ListElement const &probe) const;
    ListElement *FindEqualOrGreater(ListElement const &probe) const;
    ListElement *FindFirstThat(int (*test)(CollectionElement const &, void const *), void const *arg) const;
    ListElement *FindLastThat(int (*test)(CollectionElement const &, void const *), void const *arg) const;
    // The next element is taken before each call: the action may detach or delete its element.
    void ForEach(void (*action)(CollectionElement &, void *), void *arg);
    int IsSorted() const;
    int IsSortedBackwards() const;

    static int AreEqual(DoubleList const &a, DoubleList const &b, int mode);

protected:
    int IsLinkedHere(ListElement const *e) const;

    int compareMode_;
    ListElement *first_;
    ListElement *last_;

private:
    ListElement *FindClosest(ListElement const &probe, int kind) const;
    // Marks the chain from first on as standing in the list of stamp.
    static void MarkChain(ListElement *first, unsigned long stamp);

    // Unique among the lists; a new one when the elements are forgotten all
    // at once, so none of them counts as held any longer.
    unsigned long stamp_;
};

// A list of T (a ListElement); the same operations, typed.
template <class T>
class List : public DoubleList {
public:
    explicit List(int owns = 1) : DoubleList(owns) {}
    List(List const &other) : DoubleList(other) {}
    ~List();
    List &operator=(List const &other) {
        DoubleList::operator=(other);
        return *this;
    }

    using DoubleList::Add;
    using DoubleList::Append;
    using DoubleList::Insert;

    T *GetFirst() const { return Cast(first_); }
    T *GetLast() const { return Cast(last_); }
    T *GetNext(T const *e) const { return e ? Cast(DoubleList::GetNext(e)) : 0; }
    T *GetPrev(T const *e) const { return e ? Cast(DoubleList::GetPrev(e)) : 0; }
    T *operator[](int i) const { return Cast(DoubleList::operator[](i)); }

    T *Prepend(T *e) { return Cast(DoubleList::Prepend(e)); }
    T *Push(T *e) { return Cast(DoubleList::Prepend(e)); }
    T *Append(T *e) { return Cast(DoubleList::Append(e)); }
    T *Add(T *e) { return Cast(DoubleList::Append(e)); }
    T *InsertAfter(T *e, T *after) { return Cast(DoubleList::InsertAfter(e, after)); }
    T *InsertBefore(T *e, T *before) { return Cast(DoubleList::InsertBefore(e, before)); }
    T *InsertInSortedList(T *e) { return Cast(DoubleList::InsertInSortedList(e)); }
    T *AddUnique(T *e) { return Cast(DoubleList::AddUnique(e)); }
    T *Detach(T *e) { return Cast(DoubleList::Detach(e)); }
    T *Pop() { return Cast(DoubleList::Pop()); }
    T *DetachFirst() { return Cast(DoubleList::DetachFirst()); }
    T *DetachLast() { return Cast(DoubleList::DetachLast()); }
    T *Replace(T *old, T *e) { return Cast(DoubleList::Replace(old, e)); }

    T *FindEqual(T const &probe) const { return Cast(DoubleList::FindEqual(probe)); }
    T *FindSmallest() const { return Cast(DoubleList::FindSmallest()); }
    T *FindGreatest() const { return Cast(DoubleList::FindGreatest()); }
    T *FindClosestSmaller(T const &probe) const { return Cast(DoubleList::FindClosestSmaller(probe)); }
    T *FindClosestGreater(T const &probe) const { return Cast(DoubleList::FindClosestGreater(probe)); }
    T *FindEqualOrSmaller(T const &probe) const { return Cast(DoubleList::FindEqualOrSmaller(probe)); }
    T *FindEqualOrGreater(T const &probe) const { return Cast(DoubleList::FindEqualOrGreater(probe)); }
    T *FindFirstThat(int (*test)(CollectionElement const &, void const *), void const *arg) const {
        return Cast(DoubleList::FindFirstThat(test, arg));
    }
    T *FindLastThat(int (*test)(CollectionElement const &, void const *), void const *arg) const {
        return Cast(DoubleList::FindLastThat(test, arg));
    }

private:
    static T *Cast(ListElement *e) { return e ? static_cast<T *>(e) : 0; }
};

template <class T>
List<T>::~List() {}
