#include "foundation/PtrLists.h"

#include <utility>
#include <vector>

#include "foundation/ContainerSearch.h"
#include "foundation/ListChain.h"

typedef containers::Chain<ListNode> Nodes;

ListPtrIterator::ListPtrIterator(DoubleListOfPtr const &list) : node_(list.GetFirstNode()) {}

DoubleListOfPtr::DoubleListOfPtr(int owns) : CollectionOfPtr(owns), first_(0), last_(0) {}

DoubleListOfPtr::DoubleListOfPtr(DoubleListOfPtr const &other) : CollectionOfPtr(other), first_(0), last_(0) {
    Insert(other, 0, 0);
    SetFlag(kListSorted, other.HasFlag(kListSorted));
}

DoubleListOfPtr::~DoubleListOfPtr() { Clear(); }

ListNode *DoubleListOfPtr::FindNode(int i) const { return i < count_ ? Nodes::At(first_, i) : 0; }

ListNode *DoubleListOfPtr::FindNode(void const *item) const {
    for (ListNode *n = first_; n; n = n->next_)
        if (n->item_ == item)
            return n;
    return 0;
}

ListNode *DoubleListOfPtr::FindEqualNode(void const *probe) const {
    for (ListNode *n = first_; n; n = n->next_)
        if (CompareItems(n->item_, probe) == 0)
            return n;
    return 0;
}

void *DoubleListOfPtr::GetNext(void const *item) const {
    ListNode *n = FindNode(item);
    return n && n->next_ ? n->next_->item_ : 0;
}

void *DoubleListOfPtr::GetPrev(void const *item) const {
    ListNode *n = FindNode(item);
    return n && n->prev_ ? n->prev_->item_ : 0;
}

void *DoubleListOfPtr::operator[](int i) const {
    ListNode *n = FindNode(i);
    return n ? n->item_ : 0;
}

void DoubleListOfPtr::Link(void *item, ListNode *before) {
    Nodes::LinkBefore(first_, last_, new ListNode(item), before);
    ++count_;
}

void *DoubleListOfPtr::Place(void *item, ListNode *before) {
    Link(item, before);
    Unsorted();
    return item;
}

void *DoubleListOfPtr::Prepend(void *item) { return Place(item, first_); }

void *DoubleListOfPtr::Append(void *item) { return Place(item, 0); }

void *DoubleListOfPtr::InsertAfter(void *item, void const *after) {
    if (!after)
        return Prepend(item);
    ListNode *n = FindNode(after);
    return n ? Place(item, n->next_) : 0;
}

void *DoubleListOfPtr::InsertBefore(void *item, void const *before) {
    if (!before)
        return Append(item);
    ListNode *n = FindNode(before);
    return n ? Place(item, n) : 0;
}

void *DoubleListOfPtr::InsertInSortedList(void *item) {
    ListNode *x = first_;
    while (x && CompareItems(item, x->item_) >= 0)
        x = x->next_;
    Link(item, x);
    return item;
}

void *DoubleListOfPtr::AddUnique(void *item) {
    ListNode *held = FindEqualNode(item);
    if (!held)
        return Append(item);
    if (held->item_ != item)
        Drop(item);
    return held->item_;
}

void *DoubleListOfPtr::DetachNode(ListNode *node) {
    if (!node)
        return 0;
    Nodes::Unlink(first_, last_, node);
    --count_;
    void *item = node->item_;
    delete node;
    return item;
}

void DoubleListOfPtr::DetachAll() {
    while (first_)
        DetachNode(first_);
}

void DoubleListOfPtr::DeleteAll() {
    while (first_)
        Drop(DetachNode(first_));
}

void DoubleListOfPtr::Clear() { DeleteAll(); }

int DoubleListOfPtr::DetachEqual(void const *probe) {
    ListNode *n = FindEqualNode(probe);
    DetachNode(n);
    return n != 0;
}

int DoubleListOfPtr::DeleteEqual(void const *probe) {
    ListNode *n = FindEqualNode(probe);
    Drop(DetachNode(n));
    return n != 0;
}

void *DoubleListOfPtr::Replace(void const *old, void *item) {
    if (old == item)
        return item;
    ListNode *n = FindNode(old);
    if (!n)
        return 0;
    Drop(n->item_);
    n->item_ = item;
    Unsorted();
    return item;
}

void DoubleListOfPtr::Split(DoubleListOfPtr &tail, ListNode &at) {
    if (&tail == this || !Nodes::IsLinked(first_, last_, &at))
        return;
    tail.Clear();
    Nodes::Cut(first_, last_, &at, tail.first_, tail.last_);
    tail.count_ = Nodes::Count(tail.first_);
    count_ -= tail.count_;
    tail.SetFlag(kListSorted, HasFlag(kListSorted));
}

void DoubleListOfPtr::Swap(void const *a, void const *b) {
    ListNode *x = FindNode(a);
    ListNode *y = FindNode(b);
    if (!x || !y || x == y)
        return;
    std::swap(x->item_, y->item_);
    Unsorted();
}

void DoubleListOfPtr::Rotate(void const *a, void const *b) {
    ListNode *x = FindNode(a);
    ListNode *y = FindNode(b);
    if (!x || !y || x == y)
        return;
    Nodes::Rotate(first_, last_, x, y);
    Unsorted();
}

void DoubleListOfPtr::Reverse() {
    Nodes::Reverse(first_, last_);
    Unsorted();
}

void DoubleListOfPtr::Sort() {
    auto order = [this](ListNode const *a, ListNode const *b) { return CompareItems(a->item_, b->item_); };
    Nodes::Sort(first_, last_, count_, order);
    SetFlag(kListSorted, 1);
}

void DoubleListOfPtr::Shuffle(int seed) {
    if (count_ < 2)
        return;
    std::vector<ListNode *> nodes;
    Nodes::Collect(first_, nodes);
    // The items move, the nodes keep their places.
    containers::Shuffle(count_, seed, [&nodes](int i, int j) { std::swap(nodes[i]->item_, nodes[j]->item_); });
    Unsorted();
}

DoubleListOfPtr &DoubleListOfPtr::Assign(DoubleListOfPtr const &other, void const *arg) {
    if (this == &other)
        return *this;
    Clear();
    Insert(other, 0, arg);
    SetFlag(kListSorted, other.HasFlag(kListSorted));
    return *this;
}

DoubleListOfPtr &DoubleListOfPtr::Insert(DoubleListOfPtr const &other, void const *before, void const *arg) {
    // Copies gather in a list of their own first, so a list may copy itself.
    DoubleListOfPtr copies(0);
    for (ListNode *n = other.first_; n; n = n->next_) {
        if (other.cloner_)
            copies.Append(other.cloner_(n->item_, arg));
        else if (!ShouldDeleteElements())
            copies.Append(n->item_);
    }
    Absorb(copies, before);
    return *this;
}

void DoubleListOfPtr::Absorb(DoubleListOfPtr &other, void const *before) {
    if (&other == this || !other.first_)
        return;
    Nodes::Splice(first_, last_, other.first_, other.last_, before ? FindNode(before) : 0);
    count_ += other.count_;
    other.count_ = 0;
    Unsorted();
}

void DoubleListOfPtr::AbsorbAndSort(DoubleListOfPtr &other) {
    if (&other == this)
        return;
    if (HasFlag(kListSorted) && other.HasFlag(kListSorted)) {
        auto order = [this](ListNode const *a, ListNode const *b) { return CompareItems(a->item_, b->item_); };
        Nodes::Merge(first_, last_, other.first_, other.last_, order);
        count_ += other.count_;
        other.count_ = 0;
        return;
    }
    while (other.first_)
        InsertInSortedList(other.DetachNode(other.first_));
}

void *DoubleListOfPtr::FindEqual(void const *probe) const {
    ListNode *n = FindEqualNode(probe);
    return n ? n->item_ : 0;
}

int DoubleListOfPtr::FindIndexOfEqual(void const *probe) const {
    int i = 0;
    for (ListNode *n = first_; n; n = n->next_, ++i)
        if (CompareItems(n->item_, probe) == 0)
            return i;
    return -1;
}

int DoubleListOfPtr::FindIndexOfMember(void const *item) const {
    int i = 0;
    for (ListNode *n = first_; n; n = n->next_, ++i)
        if (n->item_ == item)
            return i;
    return -1;
}

void *DoubleListOfPtr::FindFirstThat(Test test, void const *arg) const {
    for (ListNode *n = first_; n; n = n->next_)
        if (test(n->item_, arg))
            return n->item_;
    return 0;
}

void *DoubleListOfPtr::FindLastThat(Test test, void const *arg) const {
    for (ListNode *n = last_; n; n = n->prev_)
        if (test(n->item_, arg))
            return n->item_;
    return 0;
}

void DoubleListOfPtr::ForEach(Action action, void *arg) {
    for (ListNode *n = first_; n;) {
        ListNode *next = n->next_;
        action(n->item_, arg);
        n = next;
    }
}

int DoubleListOfPtr::IsSorted() const {
    for (ListNode *n = first_; n && n->next_; n = n->next_)
        if (CompareItems(n->item_, n->next_->item_) > 0)
            return 0;
    return 1;
}

int DoubleListOfPtr::IsSortedBackwards() const {
    for (ListNode *n = first_; n && n->next_; n = n->next_)
        if (CompareItems(n->item_, n->next_->item_) < 0)
            return 0;
    return 1;
}

int DoubleListOfPtr::AreEqual(DoubleListOfPtr const &a, DoubleListOfPtr const &b) {
    if (&a == &b)
        return 1;
    if (a.count_ != b.count_)
        return 0;
    for (ListNode *x = a.first_, *y = b.first_; x && y; x = x->next_, y = y->next_)
        if (a.CompareItems(x->item_, y->item_) != 0)
            return 0;
    return 1;
}
