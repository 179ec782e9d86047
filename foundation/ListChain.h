// Private to the library: link surgery shared by the element lists and the
// pointer lists. N is a node with next_ and prev_; a chain is its first and
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
            e->prev_ = last;
            e->next_ = 0;
            if (last)
                last->next_ = e;
            else
                first = e;
            last = e;
            return;
        }
        e->next_ = before;
        e->prev_ = before->prev_;
        if (before->prev_)
            before->prev_->next_ = e;
        else
            first = e;
        before->prev_ = e;
    }

    // after null: at the front.
    static void LinkAfter(N *&first, N *&last, N *e, N *after) {
        LinkBefore(first, last, e, after ? after->next_ : first);
    }

    // The node's own links are left as they were.
    static void Unlink(N *&first, N *&last, N *e) {
        if (e->prev_)
            e->prev_->next_ = e->next_;
        else
            first = e->next_;
        if (e->next_)
            e->next_->prev_ = e->prev_;
        else
            last = e->prev_;
    }

    // Whether e stands in this chain, judged by its neighbours' links: a node
    // already unlinked, or a stray, is refused without walking the chain.
    static bool IsLinked(N const *first, N const *last, N const *e) {
        return e && (e->prev_ ? e->prev_->next_ == e : first == e) && (e->next_ ? e->next_->prev_ == e : last == e);
    }

    static N *At(N *first, int i) {
        if (i < 0)
            return 0;
        while (first && i-- > 0)
            first = first->next_;
        return first;
    }

    static void Reverse(N *&first, N *&last) {
        for (N *e = first; e;) {
            N *next = e->next_;
            e->next_ = e->prev_;
            e->prev_ = next;
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
        if (a->next_ == b) {
            Unlink(first, last, b);
            LinkBefore(first, last, b, a);
        } else if (b->next_ == a) {
            Unlink(first, last, a);
            LinkBefore(first, last, a, b);
        } else {
            N *afterA = a->next_;
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
            x = x->next_;
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
        N *after = before ? before->prev_ : last;
        otherFirst->prev_ = after;
        otherLast->next_ = before;
        if (after)
            after->next_ = otherFirst;
        else
            first = otherFirst;
        if (before)
            before->prev_ = otherLast;
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
                x = x->next_;
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
        last = at->prev_;
        if (last)
            last->next_ = 0;
        else
            first = 0;
        at->prev_ = 0;
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
        for (N *e = first; e; e = e->next_)
            nodes.push_back(e);
    }

    static int Count(N const *first) {
        int n = 0;
        for (; first; first = first->next_)
            ++n;
        return n;
    }
};

}  // namespace containers
