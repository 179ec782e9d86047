// Growable arrays with a chosen lower bound, and small allocation helpers.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Exception.h"
#include "foundation/Strings.h"

#include <windows.h>

#include <climits>

// An int value; new ones are 0.
class TInt {
public:
    TInt() : Value(0) {}
    TInt(int v) : Value(v) {}
    operator int() const { return Value; }
    TInt &operator=(int v) { Value = v; return *this; }
    bool operator==(TInt const &o) const { return Value == o.Value; }

private:
    int Value;
};

// Raised for an index outside an array that cannot grow to it.
VELTRANE_API void RaiseArrayIndexError(int index, int lower, int upper);

// One design for the three element types; slots are value-initialised (an empty
// String, 0 for numbers), and indexes never reach memory outside the block.
template <class T>
class TArrayOf {
public:
    TArrayOf(int upper, int lower, int delta)
        : Lower(lower), Limit(upper >= lower ? unsigned(upper - lower + 1) : 0u), Count(0),
          Delta(delta > 0 ? unsigned(delta) : 0u), Data(Limit ? new T[Limit]() : 0) {}
    TArrayOf(TArrayOf const &o) : Lower(o.Lower), Limit(o.Limit), Count(o.Count), Delta(o.Delta),
                                  Data(o.Limit ? new T[o.Limit]() : 0) {
        for (unsigned i = 0; i < Limit; i++)
            Data[i] = o.Data[i];
    }
    TArrayOf &operator=(TArrayOf const &o) {
        if (this != &o) {
            T *data = o.Limit ? new T[o.Limit]() : 0;
            for (unsigned i = 0; i < o.Limit; i++)
                data[i] = o.Data[i];
            delete[] Data;
            Data = data;
            Lower = o.Lower;
            Limit = o.Limit;
            Count = o.Count;
            Delta = o.Delta;
        }
        return *this;
    }
    ~TArrayOf() { delete[] Data; }

    int LowerBound() const { return Lower; }
    int UpperBound() const { return Limit == 0xFFFFFFFFu ? 2147483646 : Lower + int(Limit) - 1; }
    unsigned ArraySize() const { return Limit; }
    unsigned GetItemsInContainer() const { return Count; }
    int IsEmpty() const { return Count == 0; }
    int IsFull() const { return Delta == 0 && Count >= Limit; }

    int Add(T const &t) {
        Grow(Count + 1);
        if (Count >= Limit)
            return 0;
        Data[Count++] = t;
        return 1;
    }
    int Find(T const &t) const {
        for (unsigned i = 0; i < Count; i++)
            if (Data[i] == t)
                return Lower + int(i);
        return INT_MAX;
    }
    int HasMember(T const &t) const { return Find(t) != INT_MAX; }

    int Detach(T const &t) {
        int index = Find(t);
        return index == INT_MAX ? 0 : Detach(index);
    }
    // 0 for an index outside the used slots
    int Detach(int index) {
        if (index < Lower || unsigned(index - Lower) >= Count)
            return 0;
        unsigned slot = unsigned(index - Lower);
        for (unsigned i = slot; i + 1 < Count; i++)
            Data[i] = Data[i + 1];
        Count--;
        return 1;
    }
    int Destroy(T const &t) { return Detach(t); }
    int Destroy(int index) { return Detach(index); }

    // Grows to reach an index above the upper bound.
    T &operator[](int index) {
        if (index >= Lower)
            Grow(unsigned(index - Lower) + 1);
        Check(index);
        return Data[index - Lower];
    }
    T const &operator[](int index) const {
        Check(index);
        return Data[index - Lower];
    }

    void ForEach(void (*f)(T &, void *), void *args) {
        for (unsigned i = 0; i < Count; i++)
            f(Data[i], args);
    }
    T *FirstThat(int (*f)(T const &, void *), void *args) const {
        for (unsigned i = 0; i < Count; i++)
            if (f(Data[i], args))
                return &Data[i];
        return 0;
    }
    T *LastThat(int (*f)(T const &, void *), void *args) const {
        T *last = 0;
        for (unsigned i = 0; i < Count; i++)
            if (f(Data[i], args))
                last = &Data[i];
        return last;
    }
    void Flush() { Count = 0; }

private:
    void Check(int index) const {
        if (index < Lower || unsigned(index - Lower) >= Limit)
            RaiseArrayIndexError(index, Lower, UpperBound());
    }
    void Grow(unsigned needed) {
        if (needed <= Limit || Delta == 0)
            return;
        unsigned limit = Limit + Delta * ((needed - Limit + Delta - 1) / Delta);
        T *data = new T[limit]();
        for (unsigned i = 0; i < Limit; i++)
            data[i] = Data[i];
        delete[] Data;
        Data = data;
        Limit = limit;
    }

    int Lower;
    unsigned Limit;
    unsigned Count;
    unsigned Delta;
    T *Data;
};

class TStringArray : public TArrayOf<String> {
public:
    TStringArray(int upper, int lower, int delta) : TArrayOf<String>(upper, lower, delta) {}
};

class TIntArray : public TArrayOf<TInt> {
public:
    TIntArray(int upper, int lower, int delta) : TArrayOf<TInt>(upper, lower, delta) {}
};

class TUint32Array : public TArrayOf<unsigned long> {
public:
    TUint32Array(int upper, int lower, int delta) : TArrayOf<unsigned long>(upper, lower, delta) {}
};

// A copy of s (null taken as "") in a block of at least minSize bytes from the global
// allocator; the caller frees it with delete[].
VELTRANE_API char *strnewdup(char const *s, unsigned minSize = 0);
// Number of 16-bit characters before the first 0.
VELTRANE_API unsigned strlen(unsigned short const *s);

// A resource identifier given as a number or as a name (the name is not copied).
class TResId {
public:
    TResId() : Id(0) {}
    TResId(int id) : Id((char const *)(ULONG_PTR)(unsigned short)id) {}
    TResId(char const *name) : Id(name) {}
    operator char const *() const { return Id; }
    bool IsString() const { return !IS_INTRESOURCE(Id); }
    bool operator==(TResId const &o) const {
        return IsString() && o.IsString() ? lstrcmpA(Id, o.Id) == 0 : Id == o.Id;
    }
    bool operator!=(TResId const &o) const { return !(*this == o); }

private:
    char const *Id;
};

// Holds one heap block and frees it.
template <class T>
class TAPointer {
public:
    TAPointer(T *p = 0) : P(p) {}
    ~TAPointer() { delete[] P; }
    TAPointer(TAPointer const &) = delete;
    TAPointer &operator=(TAPointer const &) = delete;
    TAPointer &operator=(T *p) {
        if (p != P) {
            delete[] P;
            P = p;
        }
        return *this;
    }
    operator T *() const { return P; }
    T *Get() const { return P; }

private:
    T *P;
};
