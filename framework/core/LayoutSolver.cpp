#include "core/LayoutSolver.h"

#include "core/Window.h"
#include "core/XBase.h"

namespace {

typedef TLayoutSolver::TExpr TExpr;
int64_t const One = 1 << 16;

int64_t FloorDiv(int64_t a, int64_t d) {
    int64_t q = a / d;
    if (a % d != 0 && ((a < 0) != (d < 0)))
        --q;
    return q;
}

int64_t Gcd(int64_t a, int64_t b) {
    while (b) {
        int64_t t = a % b;
        a = b;
        b = t;
    }
    return a < 0 ? -a : a;
}

TExpr Const(int64_t value) {
    TExpr e = {};
    e.K = value * One;
    e.Div = One;
    return e;
}

TExpr Var(int v) {
    TExpr e = {};
    e.N = 1;
    e.Var[0] = v;
    e.Coef[0] = One;
    e.Div = One;
    return e;
}

// num/den times e.
TExpr Scale(TExpr e, int64_t num, int64_t den) {
    for (int i = 0; i < e.N; ++i)
        e.Coef[i] *= num;
    e.K *= num;
    e.Div *= den;
    return e;
}

TExpr Plus(TExpr a, TExpr b) {
    int64_t g = Gcd(a.Div, b.Div);
    int64_t fa = b.Div / g, fb = a.Div / g;
    a = Scale(a, fa, fa);
    b = Scale(b, fb, fb);
    a.K += b.K;
    for (int j = 0; j < b.N; ++j) {
        int i = 0;
        while (i < a.N && a.Var[i] != b.Var[j])
            ++i;
        if (i == a.N) {
            if (a.N == TExpr::MaxTerms)
                TXWindow::Raise(0, IDS_LAYOUTINCOMPLETE);
            a.Var[a.N] = b.Var[j];
            a.Coef[a.N++] = 0;
        }
        a.Coef[i] += b.Coef[j];
    }
    // Terms that cancelled out are no inputs.
    int n = 0;
    for (int i = 0; i < a.N; ++i)
        if (a.Coef[i]) {
            a.Var[n] = a.Var[i];
            a.Coef[n++] = a.Coef[i];
        }
    a.N = n;
    return a;
}

TExpr Plus(TExpr a, int64_t c) { return Plus(a, Const(c)); }

// Pixels of a constraint's value.
int64_t Pixels(TLayoutConstraint const &c, int fontHeight) {
    if (c.Units == lmPixels)
        return c.Value;
    return FloorDiv(int64_t(c.Value) * fontHeight + 4, 8);
}

// Edge variables: the layout window's four come first, then four per child.
int EdgeVar(int child, int edge) { return 4 * (child + 1) + edge; }

}  // namespace

TLayoutMetrics::TLayoutMetrics() {
    TEdge const edges[4] = {lmLeft, lmTop, lmWidth, lmHeight};
    for (int i = 0; i < 4; ++i) {
        TLayoutConstraint &c = (*this)[i];
        c.RelWin = 0;
        c.MyEdge = c.OtherEdge = edges[i];
        c.Relationship = lmAsIs;
        c.Units = lmLayoutUnits;
        c.Value = 0;
    }
}

void TLayoutMetrics::SetMeasurementUnits(TMeasurementUnits units) {
    for (int i = 0; i < 4; ++i)
        (*this)[i].Units = units;
}

TLayoutSolver::TLayoutSolver() : Changed(false), BuiltFontHeight(0) {}

int TLayoutSolver::IndexOf(TWindow const *w) const {
    for (size_t i = 0; i < Children.size(); ++i)
        if (Children[i].Window == w)
            return int(i);
    return -1;
}

void TLayoutSolver::SetMetrics(TWindow &child, TLayoutMetrics const &metrics) {
    Changed = true;
    int i = IndexOf(&child);
    if (i >= 0) {
        Children[i].Metrics = metrics;
        return;
    }
    TChild c = {&child, metrics, {0, 0, 0, 0}};
    Children.insert(Children.begin(), c);
}

bool TLayoutSolver::GetMetrics(TWindow const &child, TLayoutMetrics &metrics) const {
    int i = IndexOf(&child);
    if (i < 0)
        return false;
    metrics = Children[i].Metrics;
    return true;
}

bool TLayoutSolver::GetEdges(TWindow const &child, TEdges &edges) const {
    int i = IndexOf(&child);
    if (i < 0)
        return false;
    edges = Children[i].Edges;
    return true;
}

bool TLayoutSolver::RemoveMetrics(TWindow &child) {
    int i = IndexOf(&child);
    if (i < 0)
        return false;
    TLayoutMetrics removed = Children[i].Metrics;
    Children.erase(Children.begin() + i);
    Changed = true;
    // A stack closes up over the gap: an edge attached to the removed window
    // takes over that window's own constraint; a size relative to it keeps
    // the window's own size.
    for (TChild &c : Children)
        for (int k = 0; k < 4; ++k) {
            TLayoutConstraint &lc = c.Metrics[k];
            if (lc.RelWin != &child)
                continue;
            if (k >= 2) {
                lc.RelWin = 0;
                lc.Relationship = lmAsIs;
            } else {
                lc = removed[k];
            }
        }
    return true;
}

TExpr TLayoutSolver::OtherEdge(int child, TLayoutConstraint const &c, int axis) const {
    int base = -1;
    if (c.RelWin) {
        int other = IndexOf(c.RelWin);
        if (other < 0)
            TXWindow::Raise(Children[child].Window, IDS_LAYOUTBADRELWIN);
        base = other;
    }
    switch (c.OtherEdge) {
        case lmLeft:
        case lmTop:
        case lmRight:
        case lmBottom:
            return Var(EdgeVar(base, c.OtherEdge));
        case lmCenter: {
            int lo = axis ? lmTop : lmLeft, hi = axis ? lmBottom : lmRight;
            return Scale(Plus(Var(EdgeVar(base, lo)), Var(EdgeVar(base, hi))), 1, 2);
        }
        case lmWidth:
            return Plus(Plus(Var(EdgeVar(base, lmRight)), Scale(Var(EdgeVar(base, lmLeft)), -1, 1)), 1);
        case lmHeight:
            return Plus(Plus(Var(EdgeVar(base, lmBottom)), Scale(Var(EdgeVar(base, lmTop)), -1, 1)), 1);
    }
    TXWindow::Raise(Children[child].Window, IDS_LAYOUTINCOMPLETE);
}

TExpr TLayoutSolver::Relate(int child, TLayoutConstraint const &c, int axis, int fontHeight) const {
    if (c.Relationship == lmAbsolute)
        return Const(Pixels(c, fontHeight));
    TExpr other = OtherEdge(child, c, axis);
    switch (c.Relationship) {
        case lmPercentOf:
            return Scale(other, c.Value, 100);
        case lmAbove:
            return Plus(other, -Pixels(c, fontHeight) - 1);
        case lmBelow:
            return Plus(other, Pixels(c, fontHeight) + 1);
        case lmSameAs:
            return Plus(other, Pixels(c, fontHeight));
    }
    TXWindow::Raise(Children[child].Window, IDS_LAYOUTINCOMPLETE);
}

// After the edges: a child's own X, Y, width and height.
int TLayoutSolver::OwnVar(int child, int k) const { return 4 * int(Children.size() + 1) + 4 * child + k; }

int TLayoutSolver::VarCount() const { return 4 * int(2 * Children.size() + 1); }

void TLayoutSolver::Add(int out, TExpr const &e) {
    TEquation eq = {out, e};
    Plan.push_back(eq);
}

void TLayoutSolver::BuildAxis(int child, int axis, int fontHeight) {
    TChild const &c = Children[child];
    TLayoutConstraint const &pos = c.Metrics[axis];
    TLayoutConstraint const &size = c.Metrics[axis + 2];
    // The window's own place and size are read when solving: a window may resize itself
    // after the equations were built.
    TExpr const start = Var(OwnVar(child, axis));
    TExpr const extent = Var(OwnVar(child, axis + 2));
    TExpr const end = Plus(Plus(start, extent), -1);
    int const lo = EdgeVar(child, axis ? lmTop : lmLeft);
    int const hi = EdgeVar(child, axis ? lmBottom : lmRight);
    unsigned const hiEdge = axis ? lmBottom : lmRight;

    // The position: which edge it fixes and how.
    enum { Low, High, Centre } kind = pos.MyEdge == hiEdge ? High : pos.MyEdge == lmCenter ? Centre : Low;
    TExpr p;
    if (pos.Relationship == lmAsIs) {
        p = kind == High ? end : start;
        if (kind == Centre)
            kind = Low;
    } else {
        p = Relate(child, pos, axis, fontHeight);
    }

    // The size: either the far edge itself or an extent.
    bool sizeIsEdge = size.MyEdge == hiEdge;
    TExpr s;
    if (size.Relationship == lmAsIs)
        s = sizeIsEdge ? end : extent;
    else
        s = Relate(child, size, axis, fontHeight);

    if (sizeIsEdge) {
        if (kind == High)  // both fix the far edge: the near one is undetermined
            TXWindow::Raise(c.Window, IDS_LAYOUTINCOMPLETE);
        Add(hi, s);
        if (kind == Low)
            Add(lo, p);
        else  // near = 2 * centre - far
            Add(lo, Plus(Scale(p, 2, 1), Scale(Var(hi), -1, 1)));
        return;
    }
    switch (kind) {
        case Low:
            Add(lo, p);
            Add(hi, Plus(Plus(Var(lo), s), -1));
            break;
        case High:
            Add(hi, p);
            Add(lo, Plus(Plus(Var(hi), Scale(s, -1, 1)), 1));
            break;
        case Centre:
            // near = 2 * centre - far with far = near + extent - 1, solved for near.
            Add(lo, Plus(Plus(p, Scale(s, -1, 2)), Scale(Const(1), 1, 2)));
            Add(hi, Plus(Plus(Var(lo), s), -1));
            break;
    }
}

void TLayoutSolver::Build(int fontHeight) {
    Plan.clear();
    for (size_t i = 0; i < Children.size(); ++i) {
        BuildAxis(int(i), 0, fontHeight);
        BuildAxis(int(i), 1, fontHeight);
    }
    // Order: an equation goes once all its inputs are known; every value that no
    // equation computes (the layout window's edges, the children's own places and
    // sizes) is known from the start.
    std::vector<char> known(VarCount(), 1);
    for (TEquation const &eq : Plan)
        known[eq.Out] = 0;
    std::vector<TEquation> pending;
    pending.swap(Plan);
    bool progress = true;
    while (!pending.empty() && progress) {
        progress = false;
        for (size_t i = 0; i < pending.size();) {
            TExpr const &e = pending[i].Expr;
            bool ready = true;
            for (int t = 0; t < e.N && ready; ++t)
                ready = known[e.Var[t]] != 0;
            if (ready) {
                known[pending[i].Out] = 1;
                Plan.push_back(pending[i]);
                pending.erase(pending.begin() + i);
                progress = true;
            } else {
                ++i;
            }
        }
    }
    if (!pending.empty()) {
        Plan.clear();
        TXWindow::Raise(Children[pending[0].Out / 4 - 1].Window, IDS_LAYOUTINCOMPLETE);
    }
    Changed = false;
    BuiltFontHeight = fontHeight;
}

int64_t TLayoutSolver::Eval(TExpr const &e) const {
    int64_t sum = e.K;
    for (int i = 0; i < e.N; ++i)
        sum += e.Coef[i] * Values[e.Var[i]];
    return FloorDiv(sum, e.Div);
}

void TLayoutSolver::Solve(TEdges const &own, int fontHeight) {
    if (Changed || fontHeight != BuiltFontHeight || Plan.empty())
        Build(fontHeight);
    Values.assign(VarCount(), 0);
    Values[lmLeft] = own.Left;
    Values[lmTop] = own.Top;
    Values[lmRight] = own.Right;
    Values[lmBottom] = own.Bottom;
    for (size_t i = 0; i < Children.size(); ++i) {
        TWindowAttr const &attr = Children[i].Window->Attr;
        int const values[4] = {attr.X, attr.Y, attr.W, attr.H};
        for (int k = 0; k < 4; ++k)
            Values[OwnVar(int(i), k)] = values[k];
    }
    for (TEquation const &eq : Plan)
        Values[eq.Out] = Eval(eq.Expr);
    for (size_t i = 0; i < Children.size(); ++i) {
        TEdges &r = Children[i].Edges;
        r.Left = int(Values[EdgeVar(int(i), lmLeft)]);
        r.Top = int(Values[EdgeVar(int(i), lmTop)]);
        r.Right = int(Values[EdgeVar(int(i), lmRight)]);
        r.Bottom = int(Values[EdgeVar(int(i), lmBottom)]);
    }
}
