// Private to the library: the ordered searches shared by arrays and lists.
#pragma once

namespace containers {

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

// The starting state for a seed; 0 seeds from the tick count.
unsigned long RandomSeed(int seed);

// Next draw of the library's pseudo-random sequence in 0..n-1 (the state
// advances by Schrage's form of 16807 modulo 2^31 - 1).
inline unsigned long NextRandom(unsigned long &state, unsigned long n) {
    if (n == 0)
        return 0;
    state = 16807ul * state - (state / 127773ul) * 2147483647ul;
    if (state == 0)
        state = 2147483647ul;
    return state % n;
}

}  // namespace containers
