// Private to the library: the ordered searches and the shuffle shared by
// arrays and lists.
#pragma once

#include "foundation/Collections.h"
#include "foundation/Randomizer.h"

namespace containers {

// Elements compared in the container's compare mode: two with each other, or
// one with the probe of a search.
struct ElementOrder {
    int mode;
    int operator()(CollectionElement const *a, CollectionElement const *b) const { return a->Compare(*b, mode); }
};

struct ToProbe {
    CollectionElement const &probe;
    int mode;
    int operator()(CollectionElement const *e) const { return e->Compare(probe, mode); }
};

// What a closest-value search looks for.
enum Closest { kClosestSmaller, kClosestGreater, kEqualOrSmaller, kEqualOrGreater };

// Walks a sequence through a cursor (Valid, Next, Item, Index) and returns the
// element the search wants: the largest strictly smaller (or smallest strictly
// greater) than the probe, the first of equal candidates winning; the "equal
// or" kinds return the first equal element at once. toProbe(item) compares an
// element with the probe, order(a, b) two elements.
template <class Cursor, class ToProbe, class Order>
typename Cursor::ItemType FindClosest(Cursor c, Closest kind, ToProbe toProbe, Order order, int *index) {
    typename Cursor::ItemType best = typename Cursor::ItemType();
    int bestIndex = -1;
    int greater = kind == kClosestGreater || kind == kEqualOrGreater;
    int acceptEqual = kind == kEqualOrSmaller || kind == kEqualOrGreater;
    for (; c.Valid(); c.Next()) {
        typename Cursor::ItemType item = c.Item();
        int r = toProbe(item);
        if (r == 0 && acceptEqual) {
            best = item;
            bestIndex = c.Index();
            break;
        }
        if (greater ? r <= 0 : r >= 0)
            continue;
        if (bestIndex < 0 || (greater ? order(item, best) < 0 : order(item, best) > 0)) {
            best = item;
            bestIndex = c.Index();
        }
    }
    if (index)
        *index = bestIndex;
    return best;
}

// The first of equal extremes: the smallest when wantGreatest is 0.
template <class Cursor, class Order>
typename Cursor::ItemType FindExtreme(Cursor c, int wantGreatest, Order order, int *index) {
    typename Cursor::ItemType best = typename Cursor::ItemType();
    int bestIndex = -1;
    for (; c.Valid(); c.Next()) {
        typename Cursor::ItemType item = c.Item();
        if (bestIndex < 0 || (wantGreatest ? order(item, best) > 0 : order(item, best) < 0)) {
            best = item;
            bestIndex = c.Index();
        }
    }
    if (index)
        *index = bestIndex;
    return best;
}

// Shuffles count places through exchange(i, j): a seed always gives the same
// order, whichever container holds the places.
template <class Exchange>
void Shuffle(int count, int seed, Exchange exchange) {
    Randomizer random(seed);
    for (int i = count - 1; i > 0; --i) {
        int j = static_cast<int>(random.Get(i + 1));
        if (j != i)
            exchange(j, i);
    }
}

}  // namespace containers
