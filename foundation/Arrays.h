// Growable buffers of fixed-size cells on a named heap, and the array of
// element pointers built on them, with sorting and searching.
#pragma once

#include "foundation/Collections.h"

class NH_Heap;

class OSMERA_API CellSequence : public Collection {
public:
    // cellSize bytes per cell; the buffer grows in steps of expansionSize
    // cells (0: exactly as needed); a null heap is the default heap.
    CellSequence(int cellSize, int initialSize, int expansionSize, int owns, NH_Heap *heap);
    // Settings are always copied; with copyCells the cells are too.
    CellSequence(CellSequence const &other, int copyCells);
    virtual ~CellSequence();

    CellSequence &Assign(CellSequence const &other, int copyCells);
    CellSequence &operator=(CellSequence const &other) { return Assign(other, 1); }

    int GetNumBusyCells() const { return count_; }
    int GetNumCells() const { return allocated_; }
    int IsFull() const { return count_ == allocated_; }
    int HasAllocatedMemory() const { return cells_ != 0; }
    NH_Heap *GetHeap() const { return heap_; }
    void *GetFirstCell() const { return cells_; }
    void *GetCellPtr(int i) const { return cells_ + i * cellSize_; }
    int GetRangeSize(int n) const { return n * cellSize_; }
    void SetExpansionSize(int n) { expansionSize_ = n; }
    // The caller vouches that n cells hold data; n is limited to the buffer.
    void SetNumBusyCells(int n);
    void IncNumBusyCells() { SetNumBusyCells(count_ + 1); }
    void DecNumBusyCells() { SetNumBusyCells(count_ - 1); }

    void EnsureNumCells(int n) { EnsureNumCells(n, 0); }
    void AllocateBusyCells(int n);
    void FreeMemory();
    void OptimizeSize();
    void ClearAll();

    // Makes room at pos (limited to the count) and copies one cell of data in
    // when data is not null; returns the cell.
    void *InsertCell(void const *data, int pos);
    // Null for an index outside the busy cells.
    void *FillCell(int i, void const *data);
    void CutCells(int first, int n);
    void Reverse();
    void Shuffle(int seed);
    void Sort(int (*compare)(void const *, void const *));

    // Cells of other at pos; with makeRoomOnly only the room is made and the
    // count is left for the caller to raise.
    void Insert(CellSequence const &other, int pos, int makeRoomOnly);
    void Append(CellSequence const &other) { Insert(other, count_, 0); }
    CellSequence &operator+=(CellSequence const &other) {
        Append(other);
        return *this;
    }
    void Absorb(CellSequence &other, int pos);

    friend OSMERA_API int operator==(CellSequence const &a, CellSequence const &b);

protected:
    // Clamps an insertion or cut position into the busy cells.
    int ClampPos(int pos) const { return pos < 0 || pos > count_ ? count_ : pos; }
    void ExchangeCells(int i, int j);
    // Into an empty sequence with other's settings: other's buffer and busy cells.
    void CopyCells(CellSequence const &other);

    char *cells_;
    int allocated_;
    int expansionSize_;
    int initialSize_;
    int cellSize_;
    NH_Heap *heap_;

    // Insertion rounds the growth up to the expansion step.
    void EnsureNumCells(int n, int round);
};

// Cells are CollectionElement pointers. An index outside 0..count-1 reads as
// null and makes removals do nothing.
class OSMERA_API ArrayBase : public CellSequence {
public:
    ArrayBase();
    ArrayBase(int initialSize, int expansionSize, int owns);
    ArrayBase(ArrayBase const &other);
    virtual ~ArrayBase();

    CollectionElement *operator[](int i) const { return At(i); }
    CollectionElement *GetFirst() const { return At(0); }
    CollectionElement *GetLast() const { return At(count_ - 1); }
    int GetCompareMode() const { return compareMode_; }
    void SetCompareMode(int mode) { compareMode_ = mode; }

    // Each returns the element now in the array.
    CollectionElement *Insert(CollectionElement *e, int pos);
    CollectionElement *Prepend(CollectionElement *e) { return Insert(e, 0); }
    CollectionElement *Add(CollectionElement *e) { return Insert(e, count_); }
    CollectionElement *Append(CollectionElement *e) { return Insert(e, count_); }
    CollectionElement *operator+=(CollectionElement *e) { return Insert(e, count_); }
    CollectionElement *Push(CollectionElement *e) { return Insert(e, count_); }
    CollectionElement *InsertInSortedArray(CollectionElement *e);
    CollectionElement *AddUnique(CollectionElement *e);

    CollectionElement *Pop();
    CollectionElement *CutDetach(int i);
    void CutDelete(int i);
    void CutRange(int first, int n, int deleteThem);
    void Clear();
    void DeleteAll(int freeMemory);

    ArrayBase &Assign(ArrayBase const &other, void const *cloneArg);
    ArrayBase &operator=(ArrayBase const &other) { return Assign(other, 0); }
    void Insert(ArrayBase const &other, int pos, void const *cloneArg);
    void Append(ArrayBase const &other, void const *cloneArg) { Insert(other, count_, cloneArg); }
    ArrayBase &operator+=(ArrayBase const &other) {
        Insert(other, count_, 0);
        return *this;
    }
    void Absorb(ArrayBase &other, int pos);
    void AbsorbAndSort(ArrayBase &other);

    void Sort();
    int IsSorted() const;
    int IsSortedBackwards() const;

    int HasMember(CollectionElement const *e) const;
    CollectionElement *LinearFindEqual(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *LinearFindSmallest(int *index = 0) const;
    CollectionElement *LinearFindGreatest(int *index = 0) const;
    CollectionElement *LinearFindClosestSmaller(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *LinearFindClosestGreater(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *LinearFindEqualOrSmaller(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *LinearFindEqualOrGreater(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *BinaryFindEqual(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *BinaryFindClosestSmaller(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *BinaryFindClosestGreater(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *BinaryFindEqualOrSmaller(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *BinaryFindEqualOrGreater(CollectionElement const &probe, int *index = 0) const;
    CollectionElement *FindFirstThat(int (*test)(CollectionElement const &, void const *), void const *arg,
                                     int *index = 0) const;
    CollectionElement *FindLastThat(int (*test)(CollectionElement const &, void const *), void const *arg,
                                    int *index = 0) const;
    void ForEach(void (*action)(CollectionElement &, void *), void *arg);

    static int AreEqual(ArrayBase const &a, ArrayBase const &b, int mode);

private:
    CollectionElement *&GetCellPtr(int i) const { return reinterpret_cast<CollectionElement **>(cells_)[i]; }
    CollectionElement *At(int i) const { return i >= 0 && i < count_ ? GetCellPtr(i) : 0; }
    CollectionElement *Found(int i, int *index) const;
    // kind is a containers::Closest.
    CollectionElement *LinearFindClosest(CollectionElement const &probe, int kind, int *index) const;
    CollectionElement *BinaryFindClosest(CollectionElement const &probe, int kind, int *index) const;
    void QuickSort(int low, int high);

    int compareMode_;
};
