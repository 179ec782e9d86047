// Private to the library: link surgery shared by the element lists and the
// pointer lists. N is a node with _next and _prev; a chain is its first and
// last node (both null when empty).
#pragma once

#include <cstddef>
#include <vector>

namespace containers {

template <class N>
struct Chain {
    // before null: at the end.
    static void LinkBefore(N *&first, N *&last, N *e, N *before) {
        if (!before) {
            e->_prev = last;
            e->_next = 0;
            if (last)
                last->_next = e;
            else
                first = e;
            last = e;
            return;
        }
        e->_next = before;
        e->_prev = before->_prev;
        if (before->_prev)
            before->_prev->_next = e;
        else
            first = e;
        before->_prev = e;
    }

    // after null: at the front.
    static void LinkAfter(N *&first, N *&last, N *e, N *after) {
        LinkBefore(first, last, e, after ? after->_next : first);
    }

    // The node's own links are left as they were.
    static void Unlink(N *&first, N *&last, N *e) {
        if (e->_prev)
            e->_prev->_next = e->_next;
        else
            first = e->_next;
        if (e->_next)
            e->_next->_prev = e->_prev;
        else
            last = e->_prev;
    }

    // Whether e stands in this chain, judged by its neighbours' links: a node
    // already unlinked, or a stray, is refused without walking the chain.
    static bool IsLinked(N const *first, N const *last, N const *e) {
        return e && (e->_prev ? e->_prev->_next == e : first == e) && (e->_next ? e->_next->_prev == e : last == e);
    }

    static N *At(N *first, int i) {
        if (i < 0)
            return 0;
        while (first && i-- > 0)
            first = first->_next;
        return first;
    }

    static void Reverse(N *&first, N *&last) {
        for (N *e = first; e;) {
            N *next = e->_next;
            e->_next = e->_prev;
            e->_prev = next;
            e = next;
        }
        N *t = first;
        first = last;
        last = t;
    }

    // a and b exchange places, neighbours and ends included.
    static void Swap(N *&first, N *&last, N *a, N *b) {
        if (a == b)
            return;
        if (a->_next == b) {
            Unlink(first, last, b);
            LinkBefore(first, last, b, a);
        } else if (b->_next == a) {
            Unlink(first, last, a);
            LinkBefore(first, last, a, b);
        } else {
            N *afterA = a->_next;
            Unlink(first, last, a);
            LinkBefore(first, last, a, b);
            Unlink(first, last, b);
            LinkBefore(first, last, b, afterA);
        }
    }

    // a moves to b's far side: after b when a came first, else before it, so
    // the run from one to the other turns by one place.
    static void Rotate(N *&first, N *&last, N *a, N *b) {
        N *x = first;
        while (x != a && x != b)
            x = x->_next;
        Unlink(first, last, a);
        if (x == a)
            LinkAfter(first, last, a, b);
        else
            LinkBefore(first, last, a, b);
    }

    // Moves the whole other chain before `before` (null: at the end).
    static void Splice(N *&first, N *&last, N *&otherFirst, N *&otherLast, N *before) {
        if (!otherFirst)
            return;
        N *after = before ? before->_prev : last;
        otherFirst->_prev = after;
        otherLast->_next = before;
        if (after)
            after->_next = otherFirst;
        else
            first = otherFirst;
        if (before)
            before->_prev = otherLast;
        else
            last = otherLast;
        otherFirst = otherLast = 0;
    }

    // Stable merge of the ordered other chain into this ordered one; order(x,
    // y) <= 0 keeps x ahead. Other ends empty.
    template <class Order>
    static void Merge(N *&first, N *&last, N *&otherFirst, N *&otherLast, Order order) {
        N *x = first;
        while (x && otherFirst) {
            if (order(x, otherFirst) <= 0) {
                x = x->_next;
                continue;
            }
            N *y = otherFirst;
            Unlink(otherFirst, otherLast, y);
            LinkBefore(first, last, y, x);
        }
        Splice(first, last, otherFirst, otherLast, 0);
    }

    // The chain ends before at; at and what follows become the tail chain.
    static void Cut(N *&first, N *&last, N *at, N *&tailFirst, N *&tailLast) {
        tailFirst = at;
        tailLast = last;
        last = at->_prev;
        if (last)
            last->_next = 0;
        else
            first = 0;
        at->_prev = 0;
    }

    // Stable merge sort of a chain of count nodes.
    template <class Order>
    static void Sort(N *&first, N *&last, int count, Order order) {
        if (count < 2)
            return;
        N *tailFirst;
        N *tailLast;
        Cut(first, last, At(first, count / 2), tailFirst, tailLast);
        Sort(first, last, count / 2, order);
        Sort(tailFirst, tailLast, count - count / 2, order);
        Merge(first, last, tailFirst, tailLast, order);
    }

    // Relinks the chain in the order of nodes.
    static void Relink(N *&first, N *&last, std::vector<N *> const &nodes) {
        first = last = 0;
        for (std::size_t i = 0; i < nodes.size(); ++i)
            LinkBefore(first, last, nodes[i], 0);
    }

    static void Collect(N *first, std::vector<N *> &nodes) {
        nodes.clear();
        for (N *e = first; e; e = e->_next)
            nodes.push_back(e);
    }

    static int Count(N const *first) {
        int n = 0;
        for (; first; first = first->_next)
            ++n;
        return n;
    }
};

}  // namespace containers
