// How a tool bar lays out its gadgets (docked in one row or one column, floating in as
// many rows as its current shape has) and draws the border lines of bars and stations.
#include "bars/Toolbar.h"

#include "core/Application.h"
#include "core/Dc.h"
#include "bars/DecoratedFrame.h"
#include "core/SysInfo.h"
#include "bars/TextGadget.h"

#include <algorithm>

namespace {

// A visible gadget's desired size and the gap to the next one; false for a gadget the
// layout leaves out.
bool Measure(TGadget &g, int floating, int showDisabled, TSize &size, int &gap) {
    g.GetDesiredSize(size);
    gap = g.NextGadget() && !_win95 ? -1 : 0;
    if (dynamic_cast<TTextGadget *>(&g))
        return floating != 0;
    if (dynamic_cast<TSeparatorGadget *>(&g))
        return true;
    return g.GetEnabled() || showDisabled;
}

bool IsSeparator(TGadget *g) { return dynamic_cast<TSeparatorGadget *>(g) != 0; }

}  // namespace

void TToolbar::GetInnerRect(TRect &rect) {
    rect = TRect(7, 5, Attr.W - 7, Attr.H - 5);
    if (Attr.Style & WS_BORDER) {
        rect.right -= 2 * ::GetSystemMetrics(SM_CYBORDER);
        rect.bottom -= 2 * ::GetSystemMetrics(SM_CXBORDER);
    }
}

void TToolbar::GetGadgetTotals(unsigned short style, int &total, TSize &smallest, TSize &largest) {
    total = 0;
    smallest = TSize(0x7FFF, 0x7FFF);
    largest = TSize(0, 0);
    for (TGadget *g = FirstGadget(); g; g = g->NextGadget()) {
        TSize size;
        int gap;
        if (!Measure(*g, style & Floating, ShowDisabled, size, gap))
            continue;
        total += size.cx + gap;
        if (IsSeparator(g))
            continue;
        smallest.cx = std::min(smallest.cx, size.cx);
        smallest.cy = std::min(smallest.cy, size.cy);
        largest.cx = std::max(largest.cx, size.cx);
        largest.cy = std::max(largest.cy, size.cy);
    }
}

TSize TToolbar::Compose(unsigned short style, int rows, int *rowCount, int apply) {
    TRect inner;
    GetInnerRect(inner);
    int floating = style & Floating;
    int limit = 0x7FFF;
    if (floating && rows >= 2) {
        int total;
        TSize smallest, largest;
        GetGadgetTotals(style, total, smallest, largest);
        limit = std::max<int>((total + rows - 1) / rows, largest.cx);
    }
    int x = inner.left - 1, y = inner.top;
    int right = x, bottom = y, rowHeight = 0, made = 1;
    int pending = 0, pendingOverflow = 0, lastRowOverflowed = 0;
    for (TGadget *g = FirstGadget(); g; g = g->NextGadget()) {
        TSize size;
        int gap;
        if (!Measure(*g, floating, ShowDisabled, size, gap)) {
            if (apply)
                g->SetBounds(TRect(-size.cx, -size.cy, 0, 0));
            continue;
        }
        int separator = IsSeparator(g);
        int doBreak = pending;
        if (!doBreak && separator && floating && rows > 1) {
            // the run up to the next separator must fit before the limit
            int run = 0;
            for (TGadget *n = g->NextGadget(); n && !IsSeparator(n); n = n->NextGadget()) {
                TSize s;
                int gp;
                if (Measure(*n, floating, ShowDisabled, s, gp))
                    run += s.cx + gp;
            }
            doBreak = lastRowOverflowed || x + run > limit;
        }
        if (doBreak) {
            made++;
            y += rowHeight - (_win95 ? 0 : 1);
            x = inner.left - 1;
            rowHeight = 0;
            lastRowOverflowed = pending && pendingOverflow;
            pending = pendingOverflow = 0;
            if (separator) {
                y += 6;
                if (apply)
                    g->SetBounds(TRect(-size.cx, -size.cy, 0, 0));
                continue;
            }
        }
        if (apply)
            g->SetBounds(TRect(x, y, x + size.cx, y + size.cy));
        right = std::max(right, x + int(size.cx));
        bottom = std::max(bottom, y + int(size.cy));
        rowHeight = std::max(rowHeight, int(size.cy));
        x += size.cx + gap;
        if (style & (DockLeft | DockRight)) {
            pending = 1;
        } else if (floating && rows != 1 && x > limit) {
            pending = 1;
            pendingOverflow = 1;
        }
    }
    if (rowCount)
        *rowCount = made;
    TSize result(right + (Attr.W - inner.right), bottom + (Attr.H - inner.bottom));
    if (floating) {
        result.cx += FrameWidth + 1;
        result.cy += FrameHeight + CaptionHeight + 3;
    }
    return result;
}

// The current case comes from the settings and stands unchecked until the cases are
// made: outside them the layout takes no row count.
int TToolbar::CurrentRows() const {
    return IsFloating() && CurrentCase >= 0 && CurrentCase < CaseCount ? CaseRows[CurrentCase] : 0;
}

void TToolbar::GetDesiredSize(TSize &size) { size = Compose(Style, CurrentRows(), 0, 0); }

TRect TToolbar::TileGadgets() {
    TSize size = Compose(Style, CurrentRows(), 0, 1);
    return TRect(0, 0, size.cx, size.cy);
}

void TToolbar::CreateCases() {
    int gadgets = int(GadgetCount());
    CaseCount = 0;
    int previous = -1;
    for (int rows = 1; rows <= std::max(gadgets, 1) && CaseCount < MaxCases; ++rows) {
        int made = 0;
        TSize size = Compose(Style | Floating, rows, &made, 0);
        if (made != previous) {
            // the rows asked for, so that composing the case again gives its size
            CaseSizes[CaseCount] = size;
            CaseRows[CaseCount] = rows;
            CaseCount++;
            previous = made;
        }
        if (made == gadgets)
            break;
    }
    if (CurrentCase > CaseCount - 1)
        CurrentCase = CaseCount - 1;
    if (CurrentCase < 0)
        CurrentCase = 0;
    Compose(Style, CurrentRows(), 0, 1);
}

// ---- helpers of bars and stations

void ResizeBorders(TGadgetWindow &window, int width) {
    for (TGadget *g = window.FirstGadget(); g; g = g->NextGadget()) {
        TGadget::TBorders borders;
        borders.Left = borders.Right = borders.Top = borders.Bottom = uint8_t(width);
        g->SetBorders(borders);
    }
}

void DrawBarEdges(TDC &dc, TRect r, unsigned short style) {
    int sides = (style >> 8) & 0xF;
    if (!sides)
        return;
    enum { Left = 1, Top = 2, Right = 4, Bottom = 8 };
    int w = _win95 ? 2 : 1;
    int top = r.top + (sides & Top ? w : 0);
    int bottom = r.bottom - (sides & Bottom ? w : 0);
    int etched = style & TToolbar::Look3D;
    int right1 = etched ? r.right - 1 : r.right;
    int bottom1 = etched ? r.bottom - 1 : r.bottom;
    HDC h = dc.GetHDC();
    COLORREF oldBack = ::SetBkColor(h, ::GetSysColor(_win95 ? COLOR_BTNSHADOW : COLOR_WINDOWFRAME));
    auto line = [h](int left, int t, int right, int b) {
        RECT box = {left, t, right, b};
        ::ExtTextOutA(h, 0, 0, ETO_OPAQUE, &box, 0, 0, 0);
    };
    if (sides & Left)
        line(r.left, top, r.left + 1, bottom);
    if (sides & Top)
        line(r.left, r.top, r.right, r.top + 1);
    if (sides & Right)
        line(right1 - 1, top, right1, bottom);
    if (sides & Bottom)
        line(r.left, bottom1 - 1, r.right, bottom1);
    if (etched) {
        ::SetBkColor(h, ::GetSysColor(COLOR_BTNHIGHLIGHT));
        if (sides & Left)
            line(r.left + 1, top, r.left + 2, bottom);
        if (sides & Top)
            line(r.left, r.top + 1, r.right, r.top + 2);
        if (sides & Right)
            line(r.right - 1, top, r.right, bottom);
        if (sides & Bottom)
            line(r.left, r.bottom - 1, r.right, r.bottom);
    }
    ::SetBkColor(h, oldBack);
}

void CalcBarNonClient(TWindow *bar, TRect &r, unsigned short style, int empty) {
    TApplication *app = GetApplicationObject();
    TDecoratedFrame *frame = app ? dynamic_cast<TDecoratedFrame *>(app->GetMainWindow()) : 0;
    TLayoutMetrics metrics;
    if (frame && bar && frame->GetChildLayoutMetrics(*bar, metrics)) {
        // an edge that lies on the same edge of the frame's client area shares its line
        for (int i = 0; i < 4; ++i) {
            TLayoutConstraint const &c = metrics[i];
            if (c.RelWin || c.Relationship != lmSameAs || c.MyEdge != c.OtherEdge)
                continue;
            switch (c.MyEdge) {
            case lmLeft: r.left += ::GetSystemMetrics(SM_CXBORDER); break;
            case lmTop: r.top += ::GetSystemMetrics(SM_CYBORDER); break;
            case lmRight: r.right -= ::GetSystemMetrics(SM_CXBORDER); break;
            case lmBottom: r.bottom -= ::GetSystemMetrics(SM_CYBORDER); break;
            }
        }
    }
    int sides = (style >> 8) & 0xF;
    int w = _win95 ? 2 : 1;
    if (empty) {
        if ((sides & 2) && (sides & 8))
            r.left += w;
        if ((sides & 1) && (sides & 4))
            r.top += w;
        return;
    }
    if (sides & 1)
        r.left += w;
    if (sides & 2)
        r.top += w;
    if (sides & 4)
        r.right -= w;
    if (sides & 8)
        r.bottom -= w;
}
