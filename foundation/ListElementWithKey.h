// A list element carrying a key: lists of them sort and compare by the key.
#pragma once

#include "foundation/Lists.h"

template <class K>
class ListElementWithKey : public ListElement {
public:
    explicit ListElementWithKey(K key = K()) : key_(key) {}

    K GetKey() const { return key_; }
    void SetKey(K key) { key_ = key; }

    int Compare(CollectionElement const &other, int) const override {
        K o = static_cast<ListElementWithKey const &>(other).key_;
        return key_ < o ? -1 : o < key_ ? 1 : 0;
    }
    unsigned int GetHashedValue() const override { return (unsigned int)key_; }

protected:
    K key_;
};
