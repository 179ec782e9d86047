// Where a wave view puts its children, by edge constraints on the view and on each other:
// the ruler on top, the panes below it sharing their area equally, a level scale left of
// each pane, the zoom sliders and scroll bars along the right and the bottom edge.
#include "waveview/WaveView.h"

#include "controls/Slider.h"
#include "waveview/DoubleView.h"
#include "waveview/LevelScale.h"
#include "waveview/ShadowBar.h"
#include "waveview/TimeScale.h"
#include "waveview/WavePane.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveViewSplitter.h"

namespace {

int const kSplitterHeight = 8;
int const kVerticalSliderHeight = 30;
int const kHorizontalSliderWidth = 40;
int const kShadowBarHeight = 5;

TLayoutConstraint Edge(TWindow *other, TEdge mine, TRelationship how, TEdge theirs, int value = 0) {
    return PixelConstraint(other, mine, how, theirs, value);
}

TLayoutConstraint Size(TEdge edge, int pixels) { return PixelConstraint(nullptr, edge, lmAbsolute, edge, pixels); }

// Constraints, the view's own edges where other is null.
class Metrics : public TLayoutMetrics {
public:
    Metrics() { SetMeasurementUnits(lmPixels); }
    Metrics &Left(TWindow *w, TRelationship how, TEdge e) { return X = Edge(w, lmLeft, how, e), *this; }
    Metrics &RightEdge(TWindow *w, TRelationship how, TEdge e) { return Width = Edge(w, lmRight, how, e), *this; }
    Metrics &RightAt(TWindow *w, TRelationship how, TEdge e) { return X = Edge(w, lmRight, how, e), *this; }
    Metrics &Wide(int pixels) { return Width = Size(lmWidth, pixels), *this; }
    Metrics &Top(TWindow *w, TRelationship how, TEdge e) { return Y = Edge(w, lmTop, how, e), *this; }
    Metrics &BottomEdge(TWindow *w, TRelationship how, TEdge e) { return Height = Edge(w, lmBottom, how, e), *this; }
    Metrics &BottomAt(TWindow *w, TRelationship how, TEdge e) { return Y = Edge(w, lmBottom, how, e), *this; }
    Metrics &High(int pixels) { return Height = Size(lmHeight, pixels), *this; }
};

}  // namespace

void WaveView::LayoutChildren() {
    if (!horizontalBar_)
        return;
    bool withOverview = doubleView_ && doubleView_->GetOverview();
    int barWidth = ::GetSystemMetrics(SM_CXVSCROLL), barHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    WaveViewStyle const &style = style_->view;
    TWindow *right = verticalSlider_;  // the column along the right edge

    // the bottom row: zoom slider, scroll bar, size box
    SetChildLayoutMetrics(*horizontalSlider_, Metrics()
                                                  .Left(nullptr, lmSameAs, lmLeft)
                                                  .Wide(kHorizontalSliderWidth)
                                                  .BottomAt(nullptr, lmSameAs, lmBottom)
                                                  .High(barHeight));
    SetChildLayoutMetrics(*horizontalBar_, Metrics()
                                               .Left(horizontalSlider_, lmRightOf, lmRight)
                                               .RightEdge(right, lmLeftOf, lmLeft)
                                               .BottomAt(nullptr, lmSameAs, lmBottom)
                                               .High(barHeight));
    if (sizeBox_)
        SetChildLayoutMetrics(*sizeBox_, Metrics()
                                             .RightAt(nullptr, lmSameAs, lmRight)
                                             .Wide(barWidth)
                                             .BottomAt(nullptr, lmSameAs, lmBottom)
                                             .High(barHeight));

    // the right column: splitter, vertical zoom slider, vertical scroll bar
    if (splitter_) {
        Metrics m;
        m.Top(nullptr, lmSameAs, lmTop).High(kSplitterHeight).RightEdge(nullptr, lmSameAs, lmRight);
        if (withOverview)
            m.Left(nullptr, lmSameAs, lmLeft);
        else
            m.Left(verticalSlider_, lmSameAs, lmLeft);
        SetChildLayoutMetrics(*splitter_, m);
    }
    Metrics slider;
    slider.RightAt(nullptr, lmSameAs, lmRight).Wide(barWidth);
    if (splitter_)
        slider.Top(splitter_, lmBelow, lmBottom);
    else
        slider.Top(nullptr, lmSameAs, lmTop);
    if (verticalBar_)
        slider.High(kVerticalSliderHeight);
    else
        slider.BottomEdge(nullptr, lmSameAs, lmBottom);
    SetChildLayoutMetrics(*verticalSlider_, slider);
    if (verticalBar_)
        SetChildLayoutMetrics(*verticalBar_, Metrics()
                                                 .RightAt(nullptr, lmSameAs, lmRight)
                                                 .Wide(barWidth)
                                                 .Top(verticalSlider_, lmBelow, lmBottom)
                                                 .BottomEdge(horizontalBar_, lmAbove, lmTop));

    // across the top: the splitter (with an overview), the ruler, a shadow bar on top
    TWindow *above = withOverview ? static_cast<TWindow *>(splitter_) : nullptr;
    TWindow *rulerRight = verticalBar_ ? static_cast<TWindow *>(verticalBar_) : verticalSlider_;
    if (timeScale_) {
        Metrics m;
        m.Left(nullptr, lmSameAs, lmLeft).RightEdge(rulerRight, lmLeftOf, lmLeft).High(timeScale_->GetPreferredHeight());
        if (above)
            m.Top(above, lmBelow, lmBottom);
        else
            m.Top(nullptr, lmSameAs, lmTop);
        SetChildLayoutMetrics(*timeScale_, m);
        above = timeScale_;
    }
    TWindow *first = GetFirstPane();
    if (shadowBar_) {
        Metrics m;
        m.Left(first, lmSameAs, lmLeft).RightEdge(first, lmSameAs, lmRight).High(kShadowBarHeight);
        if (style.shadowBar)
            m.BottomAt(horizontalBar_, lmAbove, lmTop);
        else if (above)
            m.Top(above, lmBelow, lmBottom);
        else
            m.Top(nullptr, lmSameAs, lmTop);
        SetChildLayoutMetrics(*shadowBar_, m);
        if (!style.shadowBar)
            above = shadowBar_;
    }
    TWindow *below = shadowBar_ && style.shadowBar ? static_cast<TWindow *>(shadowBar_) : horizontalBar_;

    // the pane area, marked by the hidden corner window
    Metrics corner;
    corner.Left(nullptr, lmSameAs, lmLeft).Wide(1).BottomEdge(below, lmAbove, lmTop);
    if (above)
        corner.Top(above, lmBelow, lmBottom);
    else
        corner.Top(nullptr, lmSameAs, lmTop);
    SetChildLayoutMetrics(*corner_, corner);
    if (separator_)
        SetChildLayoutMetrics(*separator_, Metrics()
                                               .Left(nullptr, lmSameAs, lmLeft)
                                               .RightEdge(verticalSlider_, lmLeftOf, lmLeft)
                                               .Top(corner_, lmSameAs, lmCenter)
                                               .High(1));
    for (int channel = 0; channel < 2; ++channel) {
        WavePane *pane = panes_[channel];
        if (!pane)
            continue;
        Metrics m;
        if (levelScales_[channel])
            m.Left(levelScales_[channel], lmRightOf, lmRight);
        else
            m.Left(nullptr, lmSameAs, lmLeft);
        m.RightEdge(verticalSlider_, lmLeftOf, lmLeft);
        bool topPane = channel == 0 || !panes_[0];
        bool bottomPane = channel == 1 || !panes_[1];
        if (topPane)
            m.Top(corner_, lmSameAs, lmTop);
        else
            m.Top(separator_, lmBelow, lmBottom);
        if (bottomPane)
            m.BottomEdge(corner_, lmSameAs, lmBottom);
        else
            m.BottomEdge(separator_, lmAbove, lmTop);
        SetChildLayoutMetrics(*pane, m);
        if (LevelScale *scale = levelScales_[channel])
            SetChildLayoutMetrics(*scale, Metrics()
                                              .Left(nullptr, lmSameAs, lmLeft)
                                              .Wide(scale->GetPreferredWidth())
                                              .Top(pane, lmSameAs, lmTop)
                                              .BottomEdge(pane, lmSameAs, lmBottom));
    }
}

void WaveView::Relayout() {
    for (TWindow *child = GetFirstChild(); child; child = child == GetLastChild() ? nullptr : child->Next())
        RemoveChildLayoutMetrics(*child);
    LayoutChildren();
    if (GetHandle()) {
        ClientSize = GetClientRect().Size();
        TLayoutWindow::Layout();
        Invalidate(true);
    }
}
