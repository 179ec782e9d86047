// Turns the layout constraints of a set of child windows into linear equations,
// orders them so that each one only reads edges already computed, and evaluates
// them for a given layout rectangle and font height. No window is touched here.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/LayoutMetrics.h"

#include <cstdint>
#include <vector>

class TWindow;

class VELTRANE_API TLayoutSolver {
public:
    // The computed edges of one child (right and bottom inclusive).
    struct TEdges {
        int Left, Top, Right, Bottom;
    };

    TLayoutSolver();

    // Replaces a child's metrics, or adds the child at the front.
    void SetMetrics(TWindow &child, TLayoutMetrics const &metrics);
    bool GetMetrics(TWindow const &child, TLayoutMetrics &metrics) const;
    // Removes the child and re-attaches the constraints that named it.
    bool RemoveMetrics(TWindow &child);
    int GetCount() const { return int(Children.size()); }
    TWindow *GetChild(int i) const { return Children[i].Window; }
    TEdges const &GetEdges(int i) const { return Children[i].Edges; }
    bool GetEdges(TWindow const &child, TEdges &edges) const;

    // own: the layout window's edges (inclusive). The equations are rebuilt only
    // after a constraint changed; the children's own places and sizes (lmAsIs) are
    // read at every solve. A failure raises TXWindow 32740 or 32741.
    void Solve(TEdges const &own, int fontHeight);

    // A linear expression of edge variables in fixed point: its value is
    // floor((sum of Coef * edge + K) / Div), Div a multiple of 1 << 16.
    struct TExpr {
        enum { MaxTerms = 6 };
        int N;
        int Var[MaxTerms];
        int64_t Coef[MaxTerms];
        int64_t K;
        int64_t Div;
    };

private:
    struct TChild {
        TWindow *Window;
        TLayoutMetrics Metrics;
        TEdges Edges;
    };
    struct TEquation {
        int Out;
        TExpr Expr;
    };

    int IndexOf(TWindow const *w) const;
    void Build(int fontHeight);
    void BuildAxis(int child, int axis, int fontHeight);
    TExpr OtherEdge(int child, TLayoutConstraint const &c, int axis) const;
    TExpr Relate(int child, TLayoutConstraint const &c, int axis, int fontHeight) const;
    int OwnVar(int child, int k) const;
    int VarCount() const;
    void Add(int out, TExpr const &e);
    int64_t Eval(TExpr const &e) const;

    std::vector<TChild> Children;
    std::vector<TEquation> Plan;
    std::vector<int64_t> Values;
    bool Changed;
    int BuiltFontHeight;
};
