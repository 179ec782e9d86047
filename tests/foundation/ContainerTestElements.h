// Elements for the container tests: a key that orders them, an id that tells
// equal keys apart, and a count of live elements to catch leaks and double
// deletes.
#pragma once

#include <vector>

#include "foundation/HashLists.h"

namespace containertest {

extern int alive;

class Num : public HashListElement {
public:
    explicit Num(int key, int id = 0) : key(key), id(id) { ++alive; }
    Num(Num const &other) : HashListElement(), key(other.key), id(other.id) { ++alive; }
    ~Num() override { --alive; }

    int Compare(CollectionElement const &other, int) const override {
        int k = static_cast<Num const &>(other).key;
        return key < k ? -1 : key > k ? 1 : 0;
    }
    CollectionElement *CreateClone(void const *) const override { return new Num(*this); }
    unsigned int GetHashedValue() const override { return static_cast<unsigned int>(key) % hashModulus; }

    int key;
    int id;
    static unsigned int hashModulus;
};

// The ids of a list in order.
inline std::vector<int> Ids(DoubleList const &list) {
    std::vector<int> ids;
    for (ListElement *e = list.GetFirst(); e; e = e->GetNext())
        ids.push_back(static_cast<Num *>(e)->id);
    return ids;
}

// Backwards too, so a broken back link shows.
inline std::vector<int> IdsBackwards(DoubleList const &list) {
    std::vector<int> ids;
    for (ListElement *e = list.GetLast(); e; e = e->GetPrev())
        ids.insert(ids.begin(), static_cast<Num *>(e)->id);
    return ids;
}

}  // namespace containertest
