// An array of values held in its own cells (not pointers to elements). The
// cells move when the array grows, so T must be movable byte by byte (String
// is: one pointer).
#pragma once

#include "foundation/Arrays.h"

#include <new>

template <class T>
class ArrayInPlace : public CellSequence {
public:
    explicit ArrayInPlace(int expansionSize = 20, NH_Heap *heap = nullptr)
        : CellSequence(sizeof(T), 0, expansionSize, 1, heap) {}
    ~ArrayInPlace() { Clear(); }

    ArrayInPlace(ArrayInPlace const &) = delete;
    ArrayInPlace &operator=(ArrayInPlace const &) = delete;

    int GetCount() const { return GetNumBusyCells(); }
    T &operator[](int i) const { return *static_cast<T *>(GetCellPtr(i)); }
    T &Add(T const &value) { return *::new (InsertCell(nullptr, GetNumBusyCells())) T(value); }
    // Releases every value and the cells.
    void Clear() {
        for (int i = 0; i < GetNumBusyCells(); ++i)
            (*this)[i].~T();
        FreeMemory();
    }
};
