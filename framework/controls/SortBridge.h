// The list and tree controls sort by calling back into us with each pair's item data.
// A comparator's exception must not unwind through the control: the first one is kept,
// the remaining pairs count as equal, and it is thrown again once the control returns.
#pragma once

#include <windows.h>

#include <exception>

template <class Comparator>
class TSortBridge {
public:
    TSortBridge(Comparator const &comparator, LPARAM value) : Order(comparator), Value(value) {}

    // The control's callback; the bridge itself is its sort parameter.
    static int CALLBACK Compare(LPARAM data1, LPARAM data2, LPARAM bridge) {
        TSortBridge &self = *(TSortBridge *)bridge;
        if (self.Failure)
            return 0;
        try {
            return self.Order.Compare(data1, data2, self.Value);
        } catch (...) {
            self.Failure = std::current_exception();
            return 0;
        }
    }

    LPARAM Param() { return LPARAM(this); }
    void ThrowFailure() const {
        if (Failure)
            std::rethrow_exception(Failure);
    }

private:
    Comparator const &Order;
    LPARAM Value;
    std::exception_ptr Failure;
};
