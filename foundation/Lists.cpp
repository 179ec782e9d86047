#include "foundation/Lists.h"

#include <utility>
#include <vector>

#include "foundation/ContainerSearch.h"
#include "foundation/ListChain.h"

typedef containers::Chain<ListElement> Links;

namespace {

// Lists are made and emptied on any thread.
unsigned long lastStamp;

unsigned long NewStamp() {
    unsigned long stamp;
    do
        stamp = __atomic_add_fetch(&lastStamp, 1, __ATOMIC_RELAXED);
    while (stamp == 0);
    return stamp;
}

struct ListCursor {
    typedef ListElement *ItemType;
    ListElement *e;
    int i;
    int Valid() const { return e != 0; }
    void Next() {
        e = e->GetNext();
        ++i;
    }
    ItemType Item() const { return e; }
    int Index() const { return i; }
};

}  // namespace

DoubleList::DoubleList(int owns) : Collection(owns), compareMode_(0), first_(0), last_(0), stamp_(NewStamp()) {}

DoubleList::DoubleList(DoubleList const &other)
    : Collection(other), compareMode_(other.compareMode_), first_(0), last_(0), stamp_(NewStamp()) {
    Insert(other, 0, 0);
    SetFlag(kListSorted, other.HasFlag(kListSorted));
}

DoubleList::~DoubleList() { Clear(); }

DoubleList &DoubleList::operator=(DoubleList const &other) {
    compareMode_ = other.compareMode_;
    return Assign(other, 0);
}

int DoubleList::IsLinkedHere(ListElement const *e) const { return e && e->stamp_ == stamp_; }

void DoubleList::MarkChain(ListElement *first, unsigned long stamp) {
    for (ListElement *e = first; e; e = e->next_)
        e->stamp_ = stamp;
}

ListElement *DoubleList::operator[](int i) const { return i < count_ ? Links::At(first_, i) : 0; }

ListElement *DoubleList::Prepend(ListElement *e) { return InsertBefore(e, first_); }

ListElement *DoubleList::Append(ListElement *e) { return InsertBefore(e, 0); }

ListElement *DoubleList::InsertAfter(ListElement *e, ListElement *after) {
    if (after && !IsLinkedHere(after))
        return 0;
    return InsertBefore(e, after ? after->GetNext() : first_);
}

ListElement *DoubleList::InsertBefore(ListElement *e, ListElement *before) {
    if (!e || IsLinkedHere(e) || (before && !IsLinkedHere(before)))
        return 0;
    Links::LinkBefore(first_, last_, e, before);
    e->stamp_ = stamp_;
    ++count_;
    Unsorted();
    return e;
}

ListElement *DoubleList::InsertInSortedList(ListElement *e) {
    if (!e || IsLinkedHere(e))
        return 0;
    ListElement *x = first_;
    while (x && e->Compare(*x, compareMode_) >= 0)
        x = x->GetNext();
    Links::LinkBefore(first_, last_, e, x);
    e->stamp_ = stamp_;
    ++count_;
    return e;
}

ListElement *DoubleList::AddUnique(ListElement *e) {
    if (!e)
        return e;
    if (ListElement *held = FindEqual(*e)) {
        if (held != e && ShouldDeleteElements())
            delete e;
        return held;
    }
    return Append(e);
}

ListElement *DoubleList::Detach(ListElement *e) {
    if (!IsLinkedHere(e))
        return 0;
    Links::Unlink(first_, last_, e);
    e->stamp_ = 0;
    --count_;
    return e;
}

void DoubleList::Delete(ListElement *e) { delete Detach(e); }

void DoubleList::DetachAll() {
    // The elements are not touched (they may be gone): a new stamp disowns them.
    stamp_ = NewStamp();
    first_ = last_ = 0;
    count_ = 0;
}

void DoubleList::DeleteAll() {
    while (first_)
        delete Detach(first_);
}

void DoubleList::Clear() {
    if (ShouldDeleteElements())
        DeleteAll();
    else
        DetachAll();
}

int DoubleList::DetachEqual(ListElement const &probe) { return Detach(FindEqual(probe)) != 0; }

int DoubleList::DeleteEqual(ListElement const &probe) {
    ListElement *e = Detach(FindEqual(probe));
    delete e;
    return e != 0;
}

ListElement *DoubleList::Replace(ListElement *old, ListElement *e) {
    if (old == e)
        return e;
    if (!IsLinkedHere(old) || !e)
        return 0;
    if (IsLinkedHere(e))
        Detach(e);
    ListElement *before = old->GetPrev();
    if (ShouldDeleteElements())
        Delete(old);
    else
        Detach(old);
    InsertAfter(e, before);
    return e;
}

void DoubleList::Split(DoubleList &tail, ListElement const &at) {
    if (&tail == this)
        return;
    tail.Clear();
    ListElement *start = const_cast<ListElement *>(&at);
    if (!IsLinkedHere(start))
        return;
    Links::Cut(first_, last_, start, tail.first_, tail.last_);
    MarkChain(tail.first_, tail.stamp_);
    tail.SetFlag(kListSorted, HasFlag(kListSorted));
    tail.count_ = Links::Count(tail.first_);
    count_ -= tail.count_;
}

void DoubleList::Swap(ListElement *a, ListElement *b) {
    if (a == b || !IsLinkedHere(a) || !IsLinkedHere(b))
        return;
    Links::Swap(first_, last_, a, b);
    Unsorted();
}

void DoubleList::Rotate(ListElement *a, ListElement *b) {
    if (a == b || !IsLinkedHere(a) || !IsLinkedHere(b))
        return;
    Links::Rotate(first_, last_, a, b);
    Unsorted();
}

void DoubleList::Reverse() {
    Links::Reverse(first_, last_);
    Unsorted();
}

void DoubleList::Sort() {
    containers::ElementOrder order = {compareMode_};
    Links::Sort(first_, last_, count_, order);
    SetFlag(kListSorted, 1);
}

void DoubleList::Shuffle(int seed) {
    if (count_ < 2)
        return;
    std::vector<ListElement *> nodes;
    Links::Collect(first_, nodes);
    containers::Shuffle(count_, seed, [&nodes](int i, int j) { std::swap(nodes[i], nodes[j]); });
    Links::Relink(first_, last_, nodes);
    Unsorted();
}

DoubleList &DoubleList::Assign(DoubleList const &other, void const *arg) {
    if (this == &other)
        return *this;
    Clear();
    Insert(other, 0, arg);
    SetFlag(kListSorted, other.HasFlag(kListSorted));
    return *this;
}

DoubleList &DoubleList::Insert(DoubleList const &other, ListElement *before, void const *arg) {
    // Clones gather in a list of their own first, so a list may copy itself.
    DoubleList clones(0);
    for (ListElement *e = other.first_; e; e = e->GetNext())
        if (CollectionElement *c = e->CreateClone(arg))
            clones.Append(static_cast<ListElement *>(c));
    Absorb(clones, before);
    return *this;
}

void DoubleList::Absorb(DoubleList &other, ListElement *before) {
    if (&other == this || !other.first_)
        return;
    if (before && !IsLinkedHere(before))
        before = 0;
    MarkChain(other.first_, stamp_);
    Links::Splice(first_, last_, other.first_, other.last_, before);
    count_ += other.count_;
    other.count_ = 0;
    Unsorted();
}

void DoubleList::AbsorbAndSort(DoubleList &other) {
    if (&other == this)
        return;
    if (HasFlag(kListSorted) && other.HasFlag(kListSorted)) {
        containers::ElementOrder order = {compareMode_};
        MarkChain(other.first_, stamp_);
        Links::Merge(first_, last_, other.first_, other.last_, order);
        count_ += other.count_;
        other.count_ = 0;
        return;
    }
    while (ListElement *e = other.DetachFirst())
        InsertInSortedList(e);
}

ListElement *DoubleList::FindEqual(ListElement const &probe) const {
    for (ListElement *e = first_; e; e = e->GetNext())
        if (e->Compare(probe, compareMode_) == 0)
            return e;
    return 0;
}

int DoubleList::FindIndexOfEqual(ListElement const &probe) const {
    int i = 0;
    for (ListElement *e = first_; e; e = e->GetNext(), ++i)
        if (e->Compare(probe, compareMode_) == 0)
            return i;
    return -1;
}

int DoubleList::FindIndexOfMember(ListElement const &member) const {
    int i = 0;
    for (ListElement *e = first_; e; e = e->GetNext(), ++i)
        if (e == &member)
            return i;
    return -1;
}

ListElement *DoubleList::FindSmallest() const {
    ListCursor c = {first_, 0};
    containers::ElementOrder order = {compareMode_};
    return containers::FindExtreme(c, 0, order, 0);
}

ListElement *DoubleList::FindGreatest() const {
    ListCursor c = {first_, 0};
    containers::ElementOrder order = {compareMode_};
    return containers::FindExtreme(c, 1, order, 0);
}

ListElement *DoubleList::FindClosest(ListElement const &probe, int kind) const {
    ListCursor c = {first_, 0};
    containers::ElementOrder order = {compareMode_};
    containers::ToProbe toProbe = {probe, compareMode_};
    return containers::FindClosest(c, static_cast<containers::Closest>(kind), toProbe, order, 0);
}

ListElement *DoubleList::FindClosestSmaller(ListElement const &probe) const {
    return FindClosest(probe, containers::kClosestSmaller);
}

ListElement *DoubleList::FindClosestGreater(ListElement const &probe) const {
    return FindClosest(probe, containers::kClosestGreater);
}

ListElement *DoubleList::FindEqualOrSmaller(ListElement const &probe) const {
    return FindClosest(probe, containers::kEqualOrSmaller);
}

ListElement *DoubleList::FindEqualOrGreater(ListElement const &probe) const {
    return FindClosest(probe, containers::kEqualOrGreater);
}

ListElement *DoubleList::FindFirstThat(int (*test)(CollectionElement const &, void const *), void const *arg) const {
    for (ListElement *e = first_; e; e = e->GetNext())
        if (test(*e, arg))
            return e;
    return 0;
}

ListElement *DoubleList::FindLastThat(int (*test)(CollectionElement const &, void const *), void const *arg) const {
    for (ListElement *e = last_; e; e = e->GetPrev())
        if (test(*e, arg))
            return e;
    return 0;
}

void DoubleList::ForEach(void (*action)(CollectionElement &, void *), void *arg) {
    for (ListElement *e = first_; e;) {
        ListElement *next = e->GetNext();
        action(*e, arg);
        e = next;
    }
}

int DoubleList::IsSorted() const {
    for (ListElement *e = first_; e && e->GetNext(); e = e->GetNext())
        if (e->Compare(*e->GetNext(), compareMode_) > 0)
            return 0;
    return 1;
}

int DoubleList::IsSortedBackwards() const {
    for (ListElement *e = first_; e && e->GetNext(); e = e->GetNext())
        if (e->Compare(*e->GetNext(), compareMode_) < 0)
            return 0;
    return 1;
}

int DoubleList::AreEqual(DoubleList const &a, DoubleList const &b, int mode) {
    if (&a == &b)
        return 1;
    if (a.count_ != b.count_)
        return 0;
    for (ListElement *x = a.first_, *y = b.first_; x && y; x = x->GetNext(), y = y->GetNext())
        if (x->Compare(*y, mode) != 0)
            return 0;
    return 1;
}
