#include "foundation/Arrays.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "foundation/ContainerSearch.h"
#include "malvane/Malvane.h"

// ---- CellSequence ----

CellSequence::CellSequence(int cellSize, int initialSize, int expansionSize, int owns, NH_Heap *heap)
    : Collection(owns),
      cells_(0),
      allocated_(0),
      expansionSize_(expansionSize),
      initialSize_(initialSize),
      cellSize_(cellSize),
      heap_(heap ? heap : &NH_Heap::GetDefault()) {}

CellSequence::CellSequence(CellSequence const &other, int copyCells)
    : Collection(other),
      cells_(0),
      allocated_(0),
      expansionSize_(other.expansionSize_),
      initialSize_(other.initialSize_),
      cellSize_(other.cellSize_),
      heap_(other.heap_) {
    if (copyCells)
        CopyCells(other);
}

CellSequence::~CellSequence() { FreeMemory(); }

void CellSequence::CopyCells(CellSequence const &other) {
    if (!other.cells_)
        return;
    cells_ = static_cast<char *>(heap_->Alloc(other.allocated_ * cellSize_, 0));
    allocated_ = other.allocated_;
    std::memcpy(cells_, other.cells_, GetRangeSize(other.count_));
    count_ = other.count_;
}

CellSequence &CellSequence::Assign(CellSequence const &other, int copyCells) {
    if (this == &other)
        return *this;
    FreeMemory();
    Collection::operator=(other);
    expansionSize_ = other.expansionSize_;
    initialSize_ = other.initialSize_;
    cellSize_ = other.cellSize_;
    heap_ = other.heap_;
    if (copyCells)
        CopyCells(other);
    return *this;
}

void CellSequence::SetNumBusyCells(int n) {
    count_ = n < 0 ? 0 : n > allocated_ ? allocated_ : n;
}

void CellSequence::EnsureNumCells(int n, int round) {
    if (allocated_ >= n)
        return;
    long long wanted = cells_ ? static_cast<long long>(n) - allocated_ : n;
    if (round && expansionSize_ > 0)
        wanted = (wanted + expansionSize_ - 1) / expansionSize_ * expansionSize_;
    // A count whose bytes do not fit (from a damaged file, say) is a failed
    // allocation, never a wrapped size and a short buffer.
    if ((allocated_ + wanted) * cellSize_ > 0x7FFFFFFFLL) {
        NH_Heap::ExecuteStandardNewHandler();
        throw std::bad_alloc();
    }
    int grow = static_cast<int>(wanted);
    if (cells_)
        cells_ = static_cast<char *>(heap_->ExpandBy(cells_, GetRangeSize(grow), 0));
    else
        cells_ = static_cast<char *>(heap_->Alloc(GetRangeSize(grow), 0));
    allocated_ += grow;
}

void CellSequence::AllocateBusyCells(int n) {
    if (n <= 0)
        return;
    EnsureNumCells(n, 0);
    count_ = n;
}

void CellSequence::FreeMemory() {
    NH_Heap::FreeMem(cells_);
    cells_ = 0;
    allocated_ = 0;
    count_ = 0;
}

void CellSequence::OptimizeSize() {
    if (count_ == 0) {
        FreeMemory();
    } else if (allocated_ > count_) {
        cells_ = static_cast<char *>(heap_->ReAlloc(cells_, GetRangeSize(count_), 0));
        allocated_ = count_;
    }
}

void CellSequence::ClearAll() {
    if (cells_)
        std::memset(cells_, 0, GetRangeSize(count_));
}

void *CellSequence::InsertCell(void const *data, int pos) {
    pos = ClampPos(pos);
    EnsureNumCells(count_ + 1, 1);
    char *cell = cells_ + GetRangeSize(pos);
    std::memmove(cell + cellSize_, cell, GetRangeSize(count_ - pos));
    if (data)
        std::memcpy(cell, data, cellSize_);
    ++count_;
    return cell;
}

void *CellSequence::FillCell(int i, void const *data) {
    if (i < 0 || i >= count_)
        return 0;
    void *cell = GetCellPtr(i);
    if (data)
        std::memcpy(cell, data, cellSize_);
    return cell;
}

void CellSequence::CutCells(int first, int n) {
    if (first < 0 || first >= count_ || n <= 0)
        return;
    if (n > count_ - first)
        n = count_ - first;
    char *cell = cells_ + GetRangeSize(first);
    std::memmove(cell, cell + GetRangeSize(n), GetRangeSize(count_ - first - n));
    count_ -= n;
}

void CellSequence::ExchangeCells(int i, int j) {
    char *a = cells_ + GetRangeSize(i);
    char *b = cells_ + GetRangeSize(j);
    for (int k = 0; k < cellSize_; ++k) {
        char t = a[k];
        a[k] = b[k];
        b[k] = t;
    }
}

void CellSequence::Reverse() {
    for (int i = 0; i < count_ / 2; ++i)
        ExchangeCells(i, count_ - 1 - i);
}

void CellSequence::Shuffle(int seed) {
    containers::Shuffle(count_, seed, [this](int i, int j) { ExchangeCells(i, j); });
}

void CellSequence::Sort(int (*compare)(void const *, void const *)) {
    if (count_ >= 2 && compare)
        std::qsort(cells_, count_, cellSize_, compare);
}

void CellSequence::Insert(CellSequence const &other, int pos, int makeRoomOnly) {
    if (other.cellSize_ != cellSize_ || other.count_ == 0)
        return;
    if (this == &other) {
        CellSequence copy(other, 1);
        Insert(copy, pos, makeRoomOnly);
        return;
    }
    pos = ClampPos(pos);
    int n = other.count_;
    EnsureNumCells(count_ + n, 1);
    char *cell = cells_ + GetRangeSize(pos);
    std::memmove(cell + GetRangeSize(n), cell, GetRangeSize(count_ - pos));
    if (!makeRoomOnly) {
        std::memcpy(cell, other.cells_, GetRangeSize(n));
        count_ += n;
    }
}

void CellSequence::Absorb(CellSequence &other, int pos) {
    if (this == &other)
        return;
    Insert(other, pos, 0);
    other.FreeMemory();
}

int operator==(CellSequence const &a, CellSequence const &b) {
    if (a.count_ != b.count_ || a.cellSize_ != b.cellSize_)
        return 0;
    return a.count_ == 0 || std::memcmp(a.cells_, b.cells_, a.GetRangeSize(a.count_)) == 0;
}

// ---- ArrayBase ----

namespace {

// Walks the elements, passing over empty cells.
struct ArrayCursor {
    typedef CollectionElement *ItemType;
    ArrayBase const &array;
    int i;
    ArrayCursor(ArrayBase const &a) : array(a), i(-1) { Next(); }
    int Valid() const { return i < array.GetCount(); }
    void Next() {
        while (++i < array.GetCount() && !array[i]) {
        }
    }
    ItemType Item() const { return array[i]; }
    int Index() const { return i; }
};

}  // namespace

ArrayBase::ArrayBase() : CellSequence(sizeof(CollectionElement *), 20, 20, 1, 0), compareMode_(0) {}

ArrayBase::ArrayBase(int initialSize, int expansionSize, int owns)
    : CellSequence(sizeof(CollectionElement *), initialSize, expansionSize, owns, 0), compareMode_(0) {}

ArrayBase::ArrayBase(ArrayBase const &other) : CellSequence(other, 0), compareMode_(other.compareMode_) {
    Insert(other, 0, 0);
}

ArrayBase::~ArrayBase() { Clear(); }

CollectionElement *ArrayBase::Insert(CollectionElement *e, int pos) {
    InsertCell(&e, pos);
    return e;
}

CollectionElement *ArrayBase::InsertInSortedArray(CollectionElement *e) {
    int pos = -1;
    if (e)
        BinaryFindClosestGreater(*e, &pos);
    return Insert(e, pos < 0 ? count_ : pos);
}

CollectionElement *ArrayBase::AddUnique(CollectionElement *e) {
    if (!e)
        return Insert(e, count_);
    if (IsMarkedAsSorted() && !BinaryFindEqual(*e))
        return InsertInSortedArray(e);
    if (CollectionElement *held = LinearFindEqual(*e)) {
        if (held != e && ShouldDeleteElements())
            delete e;
        return held;
    }
    // Only a sorted array has a place to keep; others take the newcomer last.
    return IsMarkedAsSorted() ? InsertInSortedArray(e) : Insert(e, count_);
}

CollectionElement *ArrayBase::Pop() {
    if (count_ == 0)
        return 0;
    return GetCellPtr(--count_);
}

CollectionElement *ArrayBase::CutDetach(int i) {
    if (i < 0 || i >= count_)
        return 0;
    CollectionElement *e = GetCellPtr(i);
    CutCells(i, 1);
    return e;
}

void ArrayBase::CutDelete(int i) { delete CutDetach(i); }

void ArrayBase::CutRange(int first, int n, int deleteThem) {
    if (first < 0 || first >= count_ || n <= 0)
        return;
    if (n > count_ - first)
        n = count_ - first;
    if (deleteThem)
        for (int i = first; i < first + n; ++i)
            delete GetCellPtr(i);
    CutCells(first, n);
}

void ArrayBase::Clear() {
    if (ShouldDeleteElements())
        DeleteAll(1);
    else
        FreeMemory();
}

void ArrayBase::DeleteAll(int freeMemory) {
    // Cells are nulled as their elements go, so a later Clear cannot delete twice.
    for (int i = count_ - 1; i >= 0; --i) {
        CollectionElement *e = GetCellPtr(i);
        GetCellPtr(i) = 0;
        delete e;
    }
    if (freeMemory)
        FreeMemory();
}

ArrayBase &ArrayBase::Assign(ArrayBase const &other, void const *cloneArg) {
    if (this == &other)
        return *this;
    Clear();
    CellSequence::Assign(other, 0);
    compareMode_ = other.compareMode_;
    Insert(other, 0, cloneArg);
    return *this;
}

void ArrayBase::Insert(ArrayBase const &other, int pos, void const *cloneArg) {
    int n = other.count_;
    if (n == 0)
        return;
    // Clones are made before any cell moves, so an array may take copies of itself.
    std::vector<CollectionElement *> clones(n);
    for (int i = 0; i < n; ++i) {
        CollectionElement *e = other.GetCellPtr(i);
        clones[i] = e ? e->CreateClone(cloneArg) : 0;
    }
    pos = ClampPos(pos);
    EnsureNumCells(count_ + n, 1);
    std::memmove(&GetCellPtr(pos + n), &GetCellPtr(pos), GetRangeSize(count_ - pos));
    std::memcpy(&GetCellPtr(pos), &clones[0], GetRangeSize(n));
    count_ += n;
}

void ArrayBase::Absorb(ArrayBase &other, int pos) {
    if (this == &other)
        return;
    CellSequence::Insert(other, pos, 0);
    other.FreeMemory();
}

void ArrayBase::AbsorbAndSort(ArrayBase &other) {
    Absorb(other, count_);
    Sort();
}

void ArrayBase::Sort() {
    if (count_ >= 2)
        QuickSort(0, count_ - 1);
}

void ArrayBase::QuickSort(int low, int high) {
    while (low < high) {
        CollectionElement *pivot = GetCellPtr((low + high) / 2);
        int i = low;
        int j = high;
        while (i <= j) {
            // The bounds keep an inconsistent Compare from running off the range.
            while (i < high && GetCellPtr(i)->Compare(*pivot, compareMode_) < 0)
                ++i;
            while (j > low && GetCellPtr(j)->Compare(*pivot, compareMode_) > 0)
                --j;
            if (i <= j) {
                if (i != j) {
                    CollectionElement *t = GetCellPtr(i);
                    GetCellPtr(i) = GetCellPtr(j);
                    GetCellPtr(j) = t;
                }
                ++i;
                --j;
            }
        }
        if (j - low >= 1)
            QuickSort(low, j);
        low = i;
    }
}

int ArrayBase::IsSorted() const {
    for (int i = 0; i + 1 < count_; ++i)
        if (GetCellPtr(i)->Compare(*GetCellPtr(i + 1), compareMode_) > 0)
            return 0;
    return 1;
}

int ArrayBase::IsSortedBackwards() const {
    for (int i = 0; i + 1 < count_; ++i)
        if (GetCellPtr(i)->Compare(*GetCellPtr(i + 1), compareMode_) < 0)
            return 0;
    return 1;
}

int ArrayBase::HasMember(CollectionElement const *e) const {
    for (int i = 0; i < count_; ++i)
        if (GetCellPtr(i) == e)
            return 1;
    return 0;
}

CollectionElement *ArrayBase::Found(int i, int *index) const {
    if (index)
        *index = i;
    return i < 0 ? 0 : GetCellPtr(i);
}

CollectionElement *ArrayBase::LinearFindEqual(CollectionElement const &probe, int *index) const {
    for (int i = 0; i < count_; ++i)
        if (GetCellPtr(i) && probe.Compare(*GetCellPtr(i), compareMode_) == 0)
            return Found(i, index);
    return Found(-1, index);
}

CollectionElement *ArrayBase::LinearFindSmallest(int *index) const {
    ArrayCursor c(*this);
    containers::ElementOrder order = {compareMode_};
    return containers::FindExtreme(c, 0, order, index);
}

CollectionElement *ArrayBase::LinearFindGreatest(int *index) const {
    ArrayCursor c(*this);
    containers::ElementOrder order = {compareMode_};
    return containers::FindExtreme(c, 1, order, index);
}

CollectionElement *ArrayBase::LinearFindClosest(CollectionElement const &probe, int kind, int *index) const {
    ArrayCursor c(*this);
    containers::ElementOrder order = {compareMode_};
    containers::ToProbe toProbe = {probe, compareMode_};
    return containers::FindClosest(c, static_cast<containers::Closest>(kind), toProbe, order, index);
}

CollectionElement *ArrayBase::LinearFindClosestSmaller(CollectionElement const &probe, int *index) const {
    return LinearFindClosest(probe, containers::kClosestSmaller, index);
}

CollectionElement *ArrayBase::LinearFindClosestGreater(CollectionElement const &probe, int *index) const {
    return LinearFindClosest(probe, containers::kClosestGreater, index);
}

CollectionElement *ArrayBase::LinearFindEqualOrSmaller(CollectionElement const &probe, int *index) const {
    return LinearFindClosest(probe, containers::kEqualOrSmaller, index);
}

CollectionElement *ArrayBase::LinearFindEqualOrGreater(CollectionElement const &probe, int *index) const {
    return LinearFindClosest(probe, containers::kEqualOrGreater, index);
}

CollectionElement *ArrayBase::BinaryFindEqual(CollectionElement const &probe, int *index) const {
    int low = 0;
    int high = count_ - 1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int r = probe.Compare(*GetCellPtr(mid), compareMode_);
        if (r == 0)
            return Found(mid, index);
        if (r < 0)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return Found(-1, index);
}

CollectionElement *ArrayBase::BinaryFindClosest(CollectionElement const &probe, int kind, int *index) const {
    int greater = kind == containers::kClosestGreater || kind == containers::kEqualOrGreater;
    int acceptEqual = kind == containers::kEqualOrSmaller || kind == containers::kEqualOrGreater;
    int low = 0;
    int high = count_ - 1;
    int kept = -1;
    while (low <= high) {
        int mid = (low + high) / 2;
        int r = probe.Compare(*GetCellPtr(mid), compareMode_);
        if (r == 0 && acceptEqual)
            return Found(mid, index);
        if (greater ? r < 0 : r > 0)
            kept = mid;
        // Past an equal element lies the strictly greater side, before it the smaller.
        if (greater ? r < 0 : r <= 0)
            high = mid - 1;
        else
            low = mid + 1;
    }
    return Found(kept, index);
}

CollectionElement *ArrayBase::BinaryFindClosestSmaller(CollectionElement const &probe, int *index) const {
    return BinaryFindClosest(probe, containers::kClosestSmaller, index);
}

CollectionElement *ArrayBase::BinaryFindClosestGreater(CollectionElement const &probe, int *index) const {
    return BinaryFindClosest(probe, containers::kClosestGreater, index);
}

CollectionElement *ArrayBase::BinaryFindEqualOrSmaller(CollectionElement const &probe, int *index) const {
    return BinaryFindClosest(probe, containers::kEqualOrSmaller, index);
}

CollectionElement *ArrayBase::BinaryFindEqualOrGreater(CollectionElement const &probe, int *index) const {
    return BinaryFindClosest(probe, containers::kEqualOrGreater, index);
}

CollectionElement *ArrayBase::FindFirstThat(int (*test)(CollectionElement const &, void const *), void const *arg,
                                            int *index) const {
    for (int i = 0; i < count_; ++i)
        if (GetCellPtr(i) && test(*GetCellPtr(i), arg))
            return Found(i, index);
    return Found(-1, index);
}

CollectionElement *ArrayBase::FindLastThat(int (*test)(CollectionElement const &, void const *), void const *arg,
                                           int *index) const {
    for (int i = count_ - 1; i >= 0; --i)
        if (GetCellPtr(i) && test(*GetCellPtr(i), arg))
            return Found(i, index);
    return Found(-1, index);
}

void ArrayBase::ForEach(void (*action)(CollectionElement &, void *), void *arg) {
    for (int i = 0; i < count_; ++i)
        if (GetCellPtr(i))
            action(*GetCellPtr(i), arg);
}

int ArrayBase::AreEqual(ArrayBase const &a, ArrayBase const &b, int mode) {
    if (&a == &b)
        return 1;
    if (a.count_ != b.count_)
        return 0;
    for (int i = 0; i < a.count_; ++i) {
        CollectionElement *x = a.GetCellPtr(i);
        CollectionElement *y = b.GetCellPtr(i);
        // Empty cells match only each other.
        if (!x || !y ? x != y : x->Compare(*y, mode) != 0)
            return 0;
    }
    return 1;
}
