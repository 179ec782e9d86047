// One view of a wave in its window: the panes of its channels with the time ruler above,
// a level scale beside each pane, the scroll bars, the zoom sliders, the splitter and (in
// the overview) the shadow bar. It owns what the panes draw with: the zooms, the scroll
// position, the view's look and the peak cache the panes share.
#pragma once

#include "audio/WaveLinks.h"
#include "core/LayoutWindow.h"
#include "waveview/PeakCache.h"
#include "waveview/ViewStyle.h"
#include "waveview/ZoomState.h"

#include <cstdint>

class DoubleView;
class HorizontalSlider;
class LevelScale;
class ShadowBar;
class SizeBox;
class TimeScale;
class VerticalSlider;
class Wave;
class WaveViewGlobalMemento;
class WavePane;
class WavePaneSeparator;
class WaveScrollBar;
class WaveViewSplitter;
struct FadeOpcodes;

class WaveView : public TLayoutWindow, public CaretView {
public:
    enum { kVerticalSliderId = 1200, kHorizontalSliderId = 1201 };
    // Commands of the view's own table.
    enum {
        kCmShadowBarTop = 459,
        kCmShadowBarBottom = 460,
        kCmAxisSolid = 461,
        kCmAxisDotted = 462,
        kCmAxis50Solid = 463,
        kCmAxis50Dotted = 464,
        kCmTimeScale = 466,
        kCmLevelScales = 467,
        kCmZoomToSelection = 469,
        kCmZoomToFit = 585,
    };

    WaveView(TWindow *parent, Wave *wave, int overview, WaveViewGlobalMemento *memento);
    ~WaveView() override;

    // ---- children and layout
    void SetupWindow() override;
    // Sets the edge constraints of every child.
    void LayoutChildren();
    void Relayout();
    void SetTimeScaleShown(int show);
    void SetLevelScalesShown(int show);
    // The ruler, the level scales and the panes follow a new look in the view's block.
    void ReadStyleBlock();

    // ---- zoom and scrolling
    void SetZoom(int valueOrIndex, int byIndex, int notifySlider, int keepFrame);
    void ZoomToRange(int first, int last, int percent);
    void ZoomToFit();
    void LimitZoomIn(int notifySlider);
    // A new length: the usable zooms follow it (the zoom-in limit, how far out it zooms).
    void FollowLength();
    // The zoom takes a value without scrolling (the slider follows).
    void SetZoomValue(int z);
    void SetVerticalZoom(int index, int notifySlider, int anchor);
    void FitLevelToPeaks();
    // The overview's first paint: the whole wave across width pixels, the level fitted.
    void FitWholeWave(int width);
    void ScrollToFrame(int frame, int redraw);
    void SetScrollFromFrame(int frame);
    void CenterOnFrame(int frame, int redraw);
    // 1 when it scrolled.
    int MakeSampleVisible(int frame, int mode);
    void ShowCaret() override;
    int GetFirstVisibleFrame() const;
    int GetVisibleLength() override;
    int ScaleByZoom(int n) const;
    int FramesForSteps(int steps) override { return ScaleByZoom(steps); }
    // The horizontal scroll bar takes its range, page and steps from the zoom and width.
    void ResetScrollRange();
    // The vertical scroll bar takes its range from the vertical zoom and a position.
    void ResetVerticalRange(int position);

    // ---- what the panes and bars read
    Wave *GetWave() const { return wave_; }
    DoubleView *GetDoubleView() const { return doubleView_; }
    int IsOverview() const { return overview_; }
    int GetStyleIndex() const { return styleIndex_; }
    int IsStereo() const { return stereo_; }
    int GetZoom() const { return zoom_.Value(); }
    ZoomState const &GetZoomState() const { return zoom_; }
    int GetVerticalZoom() const { return verticalZoom_.Value(); }
    ZoomState const &GetVerticalZoomState() const { return verticalZoom_; }
    // Pixels from the wave's start to the panes' left edge.
    int GetScrollPosition() const;
    // Percent of the pane height; centred in a view without a vertical scroll bar.
    int GetVerticalOffset() const;
    WaveViewStyleBlock &GetStyleBlock() const { return *style_; }
    WaveViewStyle &GetStyle() const { return style_->view; }
    WavePane *GetPane(int channel) const { return panes_[channel]; }
    // Channel 0's pane, else channel 1's.
    WavePane *GetFirstPane() const { return panes_[0] ? panes_[0] : panes_[1]; }
    int GetPaneWidth() const;
    TimeScale *GetTimeScale() const { return timeScale_; }
    LevelScale *GetLevelScale(int channel) const { return levelScales_[channel]; }
    ShadowBar *GetShadowBar() const { return shadowBar_; }
    WaveScrollBar *GetHorizontalScrollBar() const { return horizontalBar_; }
    WaveScrollBar *GetVerticalScrollBar() const { return verticalBar_; }
    WaveViewSplitter *GetSplitter() const { return splitter_; }
    HorizontalSlider *GetHorizontalSlider() const { return horizontalSlider_; }
    VerticalSlider *GetVerticalSlider() const { return verticalSlider_; }
    int GetOrigin() const;
    // The overview's first paint fits the wave once.
    int IsFirstPaintDone() const { return firstPaintDone_; }
    void SetFirstPaintDone() { firstPaintDone_ = 1; }
    FadeOpcodes const *GetFadePreview() const { return fade_; }
    void SetFadePreview(FadeOpcodes const *fade);
    // The level scale of a channel and the ruler paint again (a new background colour).
    void InvalidateScales(int channel);
    // The ruler and the overview's shadow bar follow a new scroll position.
    void InvalidateRulerAndShadow();

    // The cache the panes share: made for the first pane, freed after the last.
    WavePeakCache *GetViewPeakCache();
    void ReleaseViewPeakCache();
    // Forgets what the cache holds.
    void ForgetDrawnRange();

    // ---- texts and the status bar
    unsigned GetTimeUnit() const;
    int GetLevelUnit() const;
    String GetZoomText() const;
    String GetPositionText(int position) const;
    // The mouse tool a press uses now (Space, Ctrl and the tool bar's choice).
    int GetMouseTool() const;
    void UpdateStatusPosition();
    void UpdateStatusSelection();
    void UpdateStatusLevel();

    // ---- commands
    void CmShadowBar(uint id);
    void CeShadowBar(TCommandEnabler &ce);
    void CmAxis(uint id);
    void CeAxis(TCommandEnabler &ce);
    void CmAxis50(uint id);
    void CeAxis50(TCommandEnabler &ce);
    void CmTimeScale();
    void CeTimeScale(TCommandEnabler &ce);
    void CmLevelScales();
    void CeLevelScales(TCommandEnabler &ce);
    void CmZoomToSelection();
    void CeZoomToSelection(TCommandEnabler &ce);
    void CmZoomToFit();
    // Whether the view's table answers a command.
    static bool IsViewCommand(uint id);

    void EvSize(uint sizeType, TSize &size);
    void EvHorizontalSlider(uint code);
    void EvVerticalSlider(uint code);

private:
    friend class WaveViewLayout;

    WaveView(WaveView const &) = delete;
    WaveView &operator=(WaveView const &) = delete;

    void CreateScrollBarsAndSliders();
    // Caret between the frames at the panes' edges.
    bool IsCaretVisible() const;
    void InvalidatePanes(bool update);
    void InvalidateLevelScales();
    // Keeps the ruler's origin for when it is shown again.
    void TakeOriginBack();
    // Posts zoom-to-fit when the wave no longer fits the width as it did.
    void CheckAutoZoom();
    // The first restored frame and vertical position, once.
    void RestoreScroll();

    int32_t restoredFirstFrame_ = -1;
    int32_t restoredVerticalPosition_ = 0;
    int32_t origins_[2] = {0, 0};
    Wave *wave_;
    int32_t overview_;
    int32_t styleIndex_;
    int32_t stereo_;
    DoubleView *doubleView_;
    int16_t firstPaintDone_ = 1;
    LevelScale *levelScales_[2] = {nullptr, nullptr};
    WavePane *panes_[2] = {nullptr, nullptr};
    WavePaneSeparator *separator_ = nullptr;
    WaveScrollBar *horizontalBar_ = nullptr;
    WaveScrollBar *verticalBar_ = nullptr;
    TWindow *corner_ = nullptr;
    SizeBox *sizeBox_ = nullptr;
    HorizontalSlider *horizontalSlider_ = nullptr;
    VerticalSlider *verticalSlider_ = nullptr;
    WaveViewSplitter *splitter_ = nullptr;
    TimeScale *timeScale_ = nullptr;
    ShadowBar *shadowBar_ = nullptr;
    ZoomState zoom_;
    ZoomState verticalZoom_;
    FadeOpcodes const *fade_ = nullptr;
    ViewPeakCache peakCache_;
    WaveViewStyleBlock *style_;

    DECLARE_RESPONSE_TABLE(WaveView);
};
