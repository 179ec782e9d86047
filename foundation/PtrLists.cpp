#include "foundation/PtrLists.h"

#include <utility>
#include <vector>

#include "foundation/ContainerSearch.h"
#include "foundation/ListChain.h"

typedef containers::Chain<ListNode> Nodes;

ListPtrIterator::ListPtrIterator(DoubleListOfPtr const &list) : _node(list.GetFirstNode()) {}

DoubleListOfPtr::DoubleListOfPtr(int owns) : CollectionOfPtr(owns), _first(0), _last(0) {}

DoubleListOfPtr::DoubleListOfPtr(DoubleListOfPtr const &other) : CollectionOfPtr(other), _first(0), _last(0) {
    Insert(other, 0, 0);
    SetFlag(kListSorted, other.HasFlag(kListSorted));
}

DoubleListOfPtr::~DoubleListOfPtr() { Clear(); }

ListNode *DoubleListOfPtr::FindNode(int i) const { return i < _count ? Nodes::At(_first, i) : 0; }

ListNode *DoubleListOfPtr::FindNode(void const *item) const {
    for (ListNode *n = _first; n; n = n->_next)
        if (n->_item == item)
            return n;
    return 0;
}

ListNode *DoubleListOfPtr::FindEqualNode(void const *probe) const {
    for (ListNode *n = _first; n; n = n->_next)
        if (CompareItems(n->_item, probe) == 0)
            return n;
    return 0;
}

void *DoubleListOfPtr::GetNext(void const *item) const {
    ListNode *n = FindNode(item);
    return n && n->_next ? n->_next->_item : 0;
}

void *DoubleListOfPtr::GetPrev(void const *item) const {
    ListNode *n = FindNode(item);
    return n && n->_prev ? n->_prev->_item : 0;
}

void *DoubleListOfPtr::operator[](int i) const {
    ListNode *n = FindNode(i);
    return n ? n->_item : 0;
}

void DoubleListOfPtr::Link(void *item, ListNode *before) {
    Nodes::LinkBefore(_first, _last, new ListNode(item), before);
    ++_count;
}

void *DoubleListOfPtr::Place(void *item, ListNode *before) {
    Link(item, before);
    Unsorted();
    return item;
}

void *DoubleListOfPtr::Prepend(void *item) { return Place(item, _first); }

void *DoubleListOfPtr::Append(void *item) { return Place(item, 0); }

void *DoubleListOfPtr::InsertAfter(void *item, void const *after) {
    if (!after)
        return Prepend(item);
    ListNode *n = FindNode(after);
    return n ? Place(item, n->_next) : 0;
}

void *DoubleListOfPtr::InsertBefore(void *item, void const *before) {
    if (!before)
        return Append(item);
    ListNode *n = FindNode(before);
    return n ? Place(item, n) : 0;
}

void *DoubleListOfPtr::InsertInSortedList(void *item) {
    ListNode *x = _first;
    while (x && CompareItems(item, x->_item) >= 0)
        x = x->_next;
    Link(item, x);
    return item;
}

void *DoubleListOfPtr::AddUnique(void *item) {
    ListNode *held = FindEqualNode(item);
    if (!held)
        return Append(item);
    if (held->_item != item)
        Drop(item);
    return held->_item;
}

void *DoubleListOfPtr::DetachNode(ListNode *node) {
    if (!node)
        return 0;
    Nodes::Unlink(_first, _last, node);
    --_count;
    void *item = node->_item;
    delete node;
    return item;
}

void DoubleListOfPtr::DetachAll() {
    while (_first)
        DetachNode(_first);
}

void DoubleListOfPtr::DeleteAll() {
    while (_first)
        Drop(DetachNode(_first));
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
    Drop(n->_item);
    n->_item = item;
    Unsorted();
    return item;
}

void DoubleListOfPtr::Split(DoubleListOfPtr &tail, ListNode &at) {
    if (&tail == this || !Nodes::IsLinked(_first, _last, &at))
        return;
    tail.Clear();
    Nodes::Cut(_first, _last, &at, tail._first, tail._last);
    tail._count = Nodes::Count(tail._first);
    _count -= tail._count;
    tail.SetFlag(kListSorted, HasFlag(kListSorted));
}

void DoubleListOfPtr::Swap(void const *a, void const *b) {
    ListNode *x = FindNode(a);
    ListNode *y = FindNode(b);
    if (!x || !y || x == y)
        return;
    std::swap(x->_item, y->_item);
    Unsorted();
}

void DoubleListOfPtr::Rotate(void const *a, void const *b) {
    ListNode *x = FindNode(a);
    ListNode *y = FindNode(b);
    if (!x || !y || x == y)
        return;
    Nodes::Rotate(_first, _last, x, y);
    Unsorted();
}

void DoubleListOfPtr::Reverse() {
    Nodes::Reverse(_first, _last);
    Unsorted();
}

void DoubleListOfPtr::Sort() {
    auto order = [this](ListNode const *a, ListNode const *b) { return CompareItems(a->_item, b->_item); };
    Nodes::Sort(_first, _last, _count, order);
    SetFlag(kListSorted, 1);
}

void DoubleListOfPtr::Shuffle(int seed) {
    if (_count < 2)
        return;
    std::vector<ListNode *> nodes;
    Nodes::Collect(_first, nodes);
    // The items move, the nodes keep their places.
    containers::Shuffle(_count, seed, [&nodes](int i, int j) { std::swap(nodes[i]->_item, nodes[j]->_item); });
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
    for (ListNode *n = other._first; n; n = n->_next) {
        if (other._cloner)
            copies.Append(other._cloner(n->_item, arg));
        else if (!ShouldDeleteElements())
            copies.Append(n->_item);
    }
    Absorb(copies, before);
    return *this;
}

void DoubleListOfPtr::Absorb(DoubleListOfPtr &other, void const *before) {
    if (&other == this || !other._first)
        return;
    Nodes::Splice(_first, _last, other._first, other._last, before ? FindNode(before) : 0);
    _count += other._count;
    other._count = 0;
    Unsorted();
}

void DoubleListOfPtr::AbsorbAndSort(DoubleListOfPtr &other) {
    if (&other == this)
        return;
    if (HasFlag(kListSorted) && other.HasFlag(kListSorted)) {
        auto order = [this](ListNode const *a, ListNode const *b) { return CompareItems(a->_item, b->_item); };
        Nodes::Merge(_first, _last, other._first, other._last, order);
        _count += other._count;
        other._count = 0;
        return;
    }
    while (other._first)
        InsertInSortedList(other.DetachNode(other._first));
}

void *DoubleListOfPtr::FindEqual(void const *probe) const {
    ListNode *n = FindEqualNode(probe);
    return n ? n->_item : 0;
}

int DoubleListOfPtr::FindIndexOfEqual(void const *probe) const {
    int i = 0;
    for (ListNode *n = _first; n; n = n->_next, ++i)
        if (CompareItems(n->_item, probe) == 0)
            return i;
    return -1;
}

int DoubleListOfPtr::FindIndexOfMember(void const *item) const {
    int i = 0;
    for (ListNode *n = _first; n; n = n->_next, ++i)
        if (n->_item == item)
            return i;
    return -1;
}

void *DoubleListOfPtr::FindFirstThat(Test test, void const *arg) const {
    for (ListNode *n = _first; n; n = n->_next)
        if (test(n->_item, arg))
            return n->_item;
    return 0;
}

void *DoubleListOfPtr::FindLastThat(Test test, void const *arg) const {
    for (ListNode *n = _last; n; n = n->_prev)
        if (test(n->_item, arg))
            return n->_item;
    return 0;
}

void DoubleListOfPtr::ForEach(Action action, void *arg) {
    for (ListNode *n = _first; n;) {
        ListNode *next = n->_next;
        action(n->_item, arg);
        n = next;
    }
}

int DoubleListOfPtr::IsSorted() const {
    for (ListNode *n = _first; n && n->_next; n = n->_next)
        if (CompareItems(n->_item, n->_next->_item) > 0)
            return 0;
    return 1;
}

int DoubleListOfPtr::IsSortedBackwards() const {
    for (ListNode *n = _first; n && n->_next; n = n->_next)
        if (CompareItems(n->_item, n->_next->_item) < 0)
            return 0;
    return 1;
}

int DoubleListOfPtr::AreEqual(DoubleListOfPtr const &a, DoubleListOfPtr const &b) {
    if (&a == &b)
        return 1;
    if (a._count != b._count)
        return 0;
    for (ListNode *x = a._first, *y = b._first; x && y; x = x->_next, y = y->_next)
        if (a.CompareItems(x->_item, y->_item) != 0)
            return 0;
    return 1;
}
