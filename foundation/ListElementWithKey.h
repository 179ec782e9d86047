// A list element carrying a key: lists of them sort and compare by the key.
#pragma once

#include "foundation/Lists.h"

template <class K>
class ListElementWithKey : public ListElement {
public:
    explicit ListElementWithKey(K key = K()) : Key(key) {}

    K GetKey() const { return Key; }
    void SetKey(K key) { Key = key; }

    int Compare(CollectionElement const &other, int) const override {
        K o = static_cast<ListElementWithKey const &>(other).Key;
        return Key < o ? -1 : o < Key ? 1 : 0;
    }
    unsigned int GetHashedValue() const override { return (unsigned int)Key; }

protected:
    K Key;
};
