// Doubly linked list of untyped pointers, held in nodes of its own and driven
// by the deleter, comparer and cloner call-backs.
#pragma once

#include "foundation/Collections.h"

class DoubleListOfPtr;

namespace containers {
template <class N>
struct Chain;
}

class OSMERA_API ListNode {
public:
    explicit ListNode(void *item) : next_(0), prev_(0), item_(item) {}
    ListNode *GetNext() const { return next_; }
    ListNode *GetPrev() const { return prev_; }
    void *GetItem() const { return item_; }

private:
    template <class N>
    friend struct containers::Chain;
    friend class DoubleListOfPtr;
    ListNode *next_;
    ListNode *prev_;
    void *item_;
};

// Walks the nodes of a pointer list: for (ListPtrIterator i(list); i; ++i).
class OSMERA_API ListPtrIterator {
public:
    explicit ListPtrIterator(DoubleListOfPtr const &list);
    explicit ListPtrIterator(ListNode *node) : node_(node) {}
    operator int() const { return node_ != 0; }
    ListPtrIterator &operator++() {
        node_ = node_ ? node_->GetNext() : 0;
        return *this;
    }
    ListPtrIterator &operator--() {
        node_ = node_ ? node_->GetPrev() : 0;
        return *this;
    }
    ListNode *GetNode() const { return node_; }
    void *Current() const { return node_ ? node_->GetItem() : 0; }

private:
    ListNode *node_;
};

// Items are known by pointer value: a member taking an item acts on the first
// node holding it and does nothing when no node does.
class OSMERA_API DoubleListOfPtr : public CollectionOfPtr {
public:
    typedef int (*Test)(void const *item, void const *arg);
    typedef void (*Action)(void *item, void *arg);

    explicit DoubleListOfPtr(int owns = 1);
    DoubleListOfPtr(DoubleListOfPtr const &other);
    virtual ~DoubleListOfPtr();
    // Keeps this list's call-backs and makes the copies with other's cloner.
    DoubleListOfPtr &operator=(DoubleListOfPtr const &other) { return Assign(other, 0); }

    void *GetFirst() const { return first_ ? first_->item_ : 0; }
    void *GetLast() const { return last_ ? last_->item_ : 0; }
    void *Get(ListPtrIterator const &i) const { return i.Current(); }
    void *GetNext(void const *item) const;
    void *GetPrev(void const *item) const;
    void *operator[](int i) const;
    ListNode *FindNode(int i) const;
    ListNode *FindNode(void const *item) const;
    ListNode *GetFirstNode() const { return first_; }

    void *Prepend(void *item);
    void *Push(void *item) { return Prepend(item); }
    void *Append(void *item);
    void *Add(void *item) { return Append(item); }
    void *InsertAfter(void *item, void const *after);
    void *InsertBefore(void *item, void const *before);
    void *InsertInSortedList(void *item);
    void *AddUnique(void *item);

    void *Pop() { return DetachFirst(); }
    void *DetachFirst() { return DetachNode(first_); }
    void *DetachLast() { return DetachNode(last_); }
    void DeleteFirst() { Drop(DetachNode(first_)); }
    void DeleteLast() { Drop(DetachNode(last_)); }
    void *Detach(void const *item) { return DetachNode(FindNode(item)); }
    void Delete(void const *item) { Drop(DetachNode(FindNode(item))); }
    void DetachAll();
    void DeleteAll();
    void Clear();
    int DetachEqual(void const *probe);
    int DeleteEqual(void const *probe);
    void *Replace(void const *old, void *item);
    void Split(DoubleListOfPtr &tail, ListNode &at);

    void Swap(void const *a, void const *b);
    void Rotate(void const *a, void const *b);
    void Reverse();
    void Sort();
    void Shuffle(int seed);

    DoubleListOfPtr &Assign(DoubleListOfPtr const &other, void const *arg);
    DoubleListOfPtr &Insert(DoubleListOfPtr const &other, void const *before, void const *arg);
    DoubleListOfPtr &Add(DoubleListOfPtr const &other, void const *arg) { return Insert(other, 0, arg); }
    DoubleListOfPtr &Append(DoubleListOfPtr const &other, void const *arg) { return Insert(other, 0, arg); }
    DoubleListOfPtr &operator+=(DoubleListOfPtr const &other) { return Insert(other, 0, 0); }
    void Absorb(DoubleListOfPtr &other, void const *before);
    void AbsorbAndSort(DoubleListOfPtr &other);

    void *FindEqual(void const *probe) const;
    int FindIndexOfEqual(void const *probe) const;
    int FindIndexOfMember(void const *item) const;
    int HasMember(void const *item) const { return FindNode(item) != 0; }
    void *FindFirstThat(Test test, void const *arg) const;
    void *FindLastThat(Test test, void const *arg) const;
    // The next node is taken before each call: the action may remove its item.
    void ForEach(Action action, void *arg);
    int IsSorted() const;
    int IsSortedBackwards() const;

    static int AreEqual(DoubleListOfPtr const &a, DoubleListOfPtr const &b);

private:
    void *DetachNode(ListNode *node);
    // An owning list hands a dropped item to the deleter.
    void Drop(void *item) const {
        if (ShouldDeleteElements())
            DeleteItem(item);
    }
    ListNode *FindEqualNode(void const *probe) const;
    // Both link item before `before` (null: at the end); Place also drops
    // the sorted mark and returns item.
    void Link(void *item, ListNode *before);
    void *Place(void *item, ListNode *before);

    ListNode *first_;
    ListNode *last_;
};

// A typed pointer list; by default it refers to its items without owning them.
template <class T>
class ListOfPtr : public DoubleListOfPtr {
public:
    explicit ListOfPtr(int owns = 0) : DoubleListOfPtr(owns) {}
    T *GetFirst() const { return static_cast<T *>(DoubleListOfPtr::GetFirst()); }
    T *GetLast() const { return static_cast<T *>(DoubleListOfPtr::GetLast()); }
    T *GetNext(T const *item) const { return static_cast<T *>(DoubleListOfPtr::GetNext(item)); }
    T *GetPrev(T const *item) const { return static_cast<T *>(DoubleListOfPtr::GetPrev(item)); }
    T *operator[](int i) const { return static_cast<T *>(DoubleListOfPtr::operator[](i)); }
    T *Append(T *item) { return static_cast<T *>(DoubleListOfPtr::Append(item)); }
};
