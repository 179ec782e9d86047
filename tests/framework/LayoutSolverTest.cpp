// The layout constraint solver, without windows: metrics in, rectangles out.
#include "core/LayoutSolver.h"
#include "core/Window.h"
#include "core/XBase.h"

#include <gtest/gtest.h>

namespace {

TLayoutConstraint C(TWindow *rel, TEdge my, TRelationship r, TEdge other, int value, TMeasurementUnits u = lmPixels) {
    TLayoutConstraint c = PixelConstraint(rel, my, r, other, value);
    c.Units = u;
    return c;
}

TLayoutMetrics M(TLayoutConstraint x, TLayoutConstraint y, TLayoutConstraint w, TLayoutConstraint h) {
    TLayoutMetrics m;
    m.X = x;
    m.Y = y;
    m.Width = w;
    m.Height = h;
    return m;
}

struct Edges {
    int l, t, r, b;
};

void ExpectEdges(TLayoutSolver const &s, TWindow &w, Edges e) {
    TLayoutSolver::TEdges got;
    ASSERT_TRUE(s.GetEdges(w, got));
    EXPECT_EQ(e.l, got.Left);
    EXPECT_EQ(e.t, got.Top);
    EXPECT_EQ(e.r, got.Right);
    EXPECT_EQ(e.b, got.Bottom);
}

TLayoutSolver::TEdges const Own = {0, 0, 199, 99};

uint SolveError(TLayoutSolver &s) {
    try {
        s.Solve(Own, 12);
    } catch (TXWindow &x) {
        return x.GetErrorCode();
    }
    return 0;
}

}  // namespace

TEST(LayoutSolver, DefaultMetricsKeepTheCreationPlace) {
    TWindow a(0, "a");
    a.Attr.X = 3, a.Attr.Y = 4, a.Attr.W = 50, a.Attr.H = 10;
    TLayoutMetrics m;
    EXPECT_EQ(lmLayoutUnits, m.X.Units);
    TLayoutSolver s;
    s.SetMetrics(a, m);
    s.Solve(Own, 12);
    ExpectEdges(s, a, {3, 4, 52, 13});
}

// A bar at the bottom keeps its own height, and the window above it abuts it: when the
// bar changes its height after a solve, the next solve follows without new constraints.
TEST(LayoutSolver, OwnSizesAreReadAtEverySolve) {
    TWindow bar(0, "bar"), above(0, "above");
    bar.Attr.X = 5, bar.Attr.H = 15;
    TLayoutSolver s;
    s.SetMetrics(bar, M(C(0, lmLeft, lmAsIs, lmLeft, 0), C(0, lmBottom, lmSameAs, lmBottom, 0),
                        C(0, lmRight, lmSameAs, lmRight, 0), C(0, lmHeight, lmAsIs, lmHeight, 0)));
    s.SetMetrics(above, M(C(0, lmLeft, lmSameAs, lmLeft, 0), C(0, lmTop, lmSameAs, lmTop, 0),
                          C(0, lmRight, lmSameAs, lmRight, 0), C(&bar, lmBottom, lmAbove, lmTop, 0)));
    s.Solve(Own, 12);
    ExpectEdges(s, bar, {5, 85, 199, 99});
    ExpectEdges(s, above, {0, 0, 199, 84});
    bar.Attr.X = 0, bar.Attr.H = 19;
    s.Solve(Own, 12);
    ExpectEdges(s, bar, {0, 81, 199, 99});
    ExpectEdges(s, above, {0, 0, 199, 80});
}

TEST(LayoutSolver, RelationshipsTable) {
    TWindow a(0, "a"), b(0, "b"), c(0, "c"), d(0, "d"), e(0, "e");
    TLayoutSolver s;
    // a: 10 right of the layout's left, 5 below its top, 100 x 20.
    s.SetMetrics(a, M(C(0, lmLeft, lmSameAs, lmLeft, 10), C(0, lmTop, lmSameAs, lmTop, 5),
                      C(0, lmWidth, lmAbsolute, lmWidth, 100), C(0, lmHeight, lmAbsolute, lmHeight, 20)));
    // b: below a by 0 (one pixel under a's bottom), same left as a, half the layout's
    // width, bottom 2 above the layout's bottom.
    s.SetMetrics(b, M(C(&a, lmLeft, lmSameAs, lmLeft, 0), C(&a, lmTop, lmBelow, lmBottom, 0),
                      C(0, lmWidth, lmPercentOf, lmWidth, 50), C(0, lmBottom, lmSameAs, lmBottom, -2)));
    // c: centred on the layout, 40 wide; its bottom edge shares a's top edge line.
    s.SetMetrics(c, M(C(0, lmCenter, lmSameAs, lmCenter, 0), C(&a, lmBottom, lmSameAs, lmTop, 0),
                      C(0, lmWidth, lmAbsolute, lmWidth, 40), C(0, lmHeight, lmAbsolute, lmHeight, 3)));
    // d: right of a by 1 layout unit (font height 12: (12 + 4) / 8 = 2 pixels),
    // 8 units (one font height) high, right edge at 90 percent of the layout's width.
    s.SetMetrics(d, M(C(&a, lmLeft, lmRightOf, lmRight, 1, lmLayoutUnits), C(0, lmTop, lmAbsolute, lmTop, 0),
                      C(0, lmRight, lmPercentOf, lmWidth, 90), C(0, lmHeight, lmAbsolute, lmHeight, 8, lmLayoutUnits)));
    // e: right edge left of the layout's right by 4, 30 wide, centred vertically on b.
    s.SetMetrics(e, M(C(0, lmRight, lmLeftOf, lmRight, 4), C(&b, lmCenter, lmSameAs, lmCenter, 0),
                      C(0, lmWidth, lmAbsolute, lmWidth, 30), C(0, lmHeight, lmAbsolute, lmHeight, 11)));
    s.Solve(Own, 12);
    ExpectEdges(s, a, {10, 5, 109, 24});
    ExpectEdges(s, b, {10, 25, 109, 97});
    ExpectEdges(s, c, {80, 3, 119, 5});
    ExpectEdges(s, d, {112, 0, 180, 11});
    ExpectEdges(s, e, {165, 56, 194, 66});

    // A resize re-evaluates the same plan.
    TLayoutSolver::TEdges wide = {0, 0, 399, 99};
    s.Solve(wide, 12);
    ExpectEdges(s, b, {10, 25, 209, 97});
    ExpectEdges(s, c, {180, 3, 219, 5});
}

TEST(LayoutSolver, NegativeValuesRoundDown) {
    TWindow a(0, "a");
    TLayoutSolver s;
    // -1 layout unit at font height 12: floor((-12 + 4) / 8) = -1; a centre at
    // 99.5 with width 40 starts at 80 whatever the sign of the coordinates.
    s.SetMetrics(a, M(C(0, lmLeft, lmSameAs, lmLeft, -1, lmLayoutUnits), C(0, lmCenter, lmSameAs, lmCenter, 0),
                      C(0, lmWidth, lmAbsolute, lmWidth, 7), C(0, lmHeight, lmAbsolute, lmHeight, 4)));
    TLayoutSolver::TEdges own = {-100, -100, -1, -1};
    s.Solve(own, 12);
    ExpectEdges(s, a, {-101, -52, -95, -49});
}

TEST(LayoutSolver, RemovingTheMiddleOfAStackAttachesTheLowerToTheUpper) {
    TWindow top(0, "top"), middle(0, "middle"), bottom(0, "bottom");
    TLayoutSolver s;
    TLayoutConstraint left = C(0, lmLeft, lmSameAs, lmLeft, 0);
    TLayoutConstraint width = C(0, lmWidth, lmAbsolute, lmWidth, 50);
    TLayoutConstraint height = C(0, lmHeight, lmAbsolute, lmHeight, 10);
    s.SetMetrics(top, M(left, C(0, lmTop, lmSameAs, lmTop, 0), width, height));
    s.SetMetrics(middle, M(left, C(&top, lmTop, lmBelow, lmBottom, 2), width, height));
    s.SetMetrics(bottom, M(left, C(&middle, lmTop, lmBelow, lmBottom, 2), C(&middle, lmWidth, lmSameAs, lmWidth, 0),
                           height));
    s.Solve(Own, 12);
    ExpectEdges(s, bottom, {0, 24, 49, 33});

    EXPECT_TRUE(s.RemoveMetrics(middle));
    EXPECT_FALSE(s.RemoveMetrics(middle));
    TLayoutMetrics m;
    ASSERT_TRUE(s.GetMetrics(bottom, m));
    EXPECT_EQ(&top, m.Y.RelWin);
    EXPECT_EQ(lmAsIs, m.Width.Relationship);  // a size relative to the removed window keeps its own
    bottom.Attr.W = 70;
    s.Solve(Own, 12);
    ExpectEdges(s, bottom, {0, 12, 69, 21});
}

TEST(LayoutSolver, FailuresNameTheirCodes) {
    TWindow a(0, "a"), b(0, "b"), stranger(0, "stranger");
    TLayoutConstraint top = C(0, lmTop, lmAbsolute, lmTop, 0);
    TLayoutConstraint width = C(0, lmWidth, lmAbsolute, lmWidth, 5);
    TLayoutConstraint height = C(0, lmHeight, lmAbsolute, lmHeight, 5);
    {
        TLayoutSolver s;  // relative to a window without metrics here
        s.SetMetrics(a, M(C(&stranger, lmLeft, lmSameAs, lmLeft, 0), top, width, height));
        EXPECT_EQ(uint(IDS_LAYOUTBADRELWIN), SolveError(s));
    }
    {
        TLayoutSolver s;  // a cycle
        s.SetMetrics(a, M(C(&b, lmLeft, lmSameAs, lmLeft, 0), top, width, height));
        s.SetMetrics(b, M(C(&a, lmLeft, lmSameAs, lmLeft, 0), top, width, height));
        EXPECT_EQ(uint(IDS_LAYOUTINCOMPLETE), SolveError(s));
    }
    {
        TLayoutSolver s;  // both constraints fix the right edge: the left one is undetermined
        s.SetMetrics(a, M(C(0, lmRight, lmSameAs, lmRight, 0), top, C(0, lmRight, lmAbsolute, lmRight, 9), height));
        EXPECT_EQ(uint(IDS_LAYOUTINCOMPLETE), SolveError(s));
    }
}
