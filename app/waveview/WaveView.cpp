// The wave view: its zooms as it opens, its children, what the panes read of it, its
// texts and status bar fields, and the display commands. Zooming and scrolling are in
// WaveViewZoom.cpp, the placing of the children in WaveViewLayout.cpp.
#include "waveview/WaveView.h"

#include "audio/TimeSettings.h"
#include "audio/Wave.h"
#include "bars/TextGadget.h"
#include "controls/Slider.h"
#include "manager/DocumentManager.h"
#include "manager/MdiDocumentWindows.h"
#include "waveview/DoubleView.h"
#include "waveview/LevelFormat.h"
#include "waveview/LevelScale.h"
#include "waveview/MouseKeys.h"
#include "waveview/PositionText.h"
#include "waveview/ShadowBar.h"
#include "waveview/TimeScale.h"
#include "waveview/WavePane.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveViewMemento.h"
#include "waveview/WaveViewSplitter.h"
#include "waveview/WaveWindowSettings.h"

#include <algorithm>
#include <cstdio>

namespace {

int const kDefaultZoom = -16;
int const kTimeScaleId = 1210;

int ScreenWidth() { return std::max(::GetSystemMetrics(SM_CXFULLSCREEN), 2); }

int MdiClientWidth() {
    MDIClient *client = _docManager ? _docManager->GetMDIClient() : nullptr;
    return client && client->GetHandle() ? client->GetClientRect().Width() : ScreenWidth();
}

}  // namespace

DEFINE_RESPONSE_TABLE1(WaveView, TLayoutWindow)
    EV_COMMAND_AND_ID(WaveView::kCmShadowBarTop, CmShadowBar),
    EV_COMMAND_AND_ID(WaveView::kCmShadowBarBottom, CmShadowBar),
    EV_COMMAND_ENABLE(WaveView::kCmShadowBarTop, CeShadowBar),
    EV_COMMAND_ENABLE(WaveView::kCmShadowBarBottom, CeShadowBar),
    EV_COMMAND_AND_ID(WaveView::kCmAxisSolid, CmAxis),
    EV_COMMAND_AND_ID(WaveView::kCmAxisDotted, CmAxis),
    EV_COMMAND_ENABLE(WaveView::kCmAxisSolid, CeAxis),
    EV_COMMAND_ENABLE(WaveView::kCmAxisDotted, CeAxis),
    EV_COMMAND_AND_ID(WaveView::kCmAxis50Solid, CmAxis50),
    EV_COMMAND_AND_ID(WaveView::kCmAxis50Dotted, CmAxis50),
    EV_COMMAND_ENABLE(WaveView::kCmAxis50Solid, CeAxis50),
    EV_COMMAND_ENABLE(WaveView::kCmAxis50Dotted, CeAxis50),
    EV_COMMAND(WaveView::kCmTimeScale, CmTimeScale),
    EV_COMMAND_ENABLE(WaveView::kCmTimeScale, CeTimeScale),
    EV_COMMAND(WaveView::kCmLevelScales, CmLevelScales),
    EV_COMMAND_ENABLE(WaveView::kCmLevelScales, CeLevelScales),
    EV_COMMAND(WaveView::kCmZoomToSelection, CmZoomToSelection),
    EV_COMMAND_ENABLE(WaveView::kCmZoomToSelection, CeZoomToSelection),
    EV_COMMAND(WaveView::kCmZoomToFit, CmZoomToFit),
    EV_CHILD_NOTIFY_ALL_CODES(WaveView::kVerticalSliderId, EvVerticalSlider),
    EV_CHILD_NOTIFY_ALL_CODES(WaveView::kHorizontalSliderId, EvHorizontalSlider),
    EV_WM_SIZE,
END_RESPONSE_TABLE;

// A stored view state brings the zooms; else the overview fits the wave when it first
// paints and the main view shows the first seconds of it.
WaveView::WaveView(TWindow *parent, Wave *wave, int overview, WaveViewGlobalMemento *memento)
    : TLayoutWindow(parent), wave_(wave), overview_(overview != 0), styleIndex_(overview != 0),
      stereo_(wave->GetNumChannels() == 2), doubleView_(dynamic_cast<DoubleView *>(parent)),
      zoom_(ZoomState::Horizontal()), verticalZoom_(ZoomState::Vertical()),
      style_(&memento->views.views[overview != 0]) {
    Attr.Style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    SetBkgndColor(TColor::Transparent);
    int length = wave->GetLength();
    WindowViewWords const &words = memento->words;
    origins_[0] = words.origin[0];
    origins_[1] = words.origin[1] ? words.origin[1] : words.origin[0];
    zoom_.StartUsableAt(UsableZoomStart(length, ScreenWidth()));
    zoom_.SetIndex(zoom_.IndexFor(kDefaultZoom));
    verticalZoom_.SetIndex(0);
    if (!memento->defaultFlag) {
        zoom_.SetValue(words.zoom[styleIndex_]);
        verticalZoom_.SetValue(words.verticalZoom[styleIndex_]);
        restoredFirstFrame_ = words.firstFrame[styleIndex_];
        restoredVerticalPosition_ = words.verticalPosition;
    } else if (overview_) {
        firstPaintDone_ = 0;
    } else {
        WaveWindowSettings const &settings = TheWaveWindowSettings();
        zoom_.SetValue(InitialZoom(length, wave->GetRate(), settings.openSeconds, MdiClientWidth()));
    }
    LimitZoomIn(0);
}

WaveView::~WaveView() {}

// Created in this order; the base's set-up makes their windows.
void WaveView::SetupWindow() {
    for (int channel = 0; channel < 1 + stereo_; ++channel)
        panes_[channel] = new WavePane(this, wave_, channel, &style_->panes[channel]);
    corner_ = new TWindow(this, 0);
    corner_->Attr.Style = WS_CHILD;
    if (overview_)
        shadowBar_ = new ShadowBar(*this);
    CreateScrollBarsAndSliders();
    if (!overview_)
        splitter_ = new WaveViewSplitter(*this, *doubleView_);
    if (panes_[0] && panes_[1])
        separator_ = new WavePaneSeparator(this);
    TLayoutWindow::SetupWindow();
    if (style_->view.showTimeScale)
        SetTimeScaleShown(1);
    if (style_->view.showLevelScale)
        SetLevelScalesShown(1);
    LayoutChildren();
}

void WaveView::CreateScrollBarsAndSliders() {
    horizontalBar_ = new WaveScrollBar(*this, 0, 1);
    horizontalSlider_ = new HorizontalSlider(this, kHorizontalSliderId, 0, 0, 40, ::GetSystemMetrics(SM_CYHSCROLL), 0);
    horizontalSlider_->Attr.Style |= WS_CLIPSIBLINGS;
    horizontalSlider_->SetRange(0, zoom_.LastIndex());
    horizontalSlider_->SetPosition(zoom_.Index());
    horizontalSlider_->SetPageMagnitude(std::max(zoom_.LastIndex() / 8, 1));
    if (!overview_) {
        sizeBox_ = new SizeBox(this);
        verticalBar_ = new WaveScrollBar(*this, 0, 0);
    }
    verticalSlider_ = new VerticalSlider(this, kVerticalSliderId, 0, 0, ::GetSystemMetrics(SM_CXVSCROLL), 30, 0);
    verticalSlider_->Attr.Style |= WS_CLIPSIBLINGS;
    verticalSlider_->SetRange(0, verticalZoom_.LastIndex());
    verticalSlider_->SetPosition(verticalZoom_.Index());
}

void WaveView::SetTimeScaleShown(int show) {
    style_->view.showTimeScale = show != 0;
    if (show && !timeScale_) {
        timeScale_ = new TimeScale(kTimeScaleId, this, &style_->timeScale, origins_[styleIndex_]);
        if (GetHandle())
            timeScale_->Create();
        horizontalBar_->AddScrollWindow(timeScale_);
    } else if (!show && timeScale_) {
        TakeOriginBack();
        horizontalBar_->RemoveScrollWindow(timeScale_);
        TimeScale *ruler = timeScale_;
        timeScale_ = nullptr;
        ruler->ShutDownWindow();
    }
}

void WaveView::TakeOriginBack() {
    if (timeScale_)
        origins_[styleIndex_] = timeScale_->GetOrigin();
}

void WaveView::SetLevelScalesShown(int show) {
    if (overview_)
        return;
    style_->view.showLevelScale = show != 0;
    for (int channel = 0; channel < 2; ++channel) {
        LevelScale *&scale = levelScales_[channel];
        if (show && !scale && panes_[channel]) {
            scale = new LevelScale(panes_[channel], &style_->levelScale);
            if (GetHandle())
                scale->Create();
            verticalBar_->AddScrollWindow(scale);
        } else if (!show && scale) {
            verticalBar_->RemoveScrollWindow(scale);
            LevelScale *going = scale;
            scale = nullptr;
            going->ShutDownWindow();
        }
    }
}

void WaveView::ReadStyleBlock() {
    SetTimeScaleShown(style_->view.showTimeScale);
    SetLevelScalesShown(style_->view.showLevelScale);
    if (timeScale_)
        timeScale_->MeasureLabelCell();
    for (LevelScale *scale : levelScales_)
        if (scale)
            scale->MeasureLabelCell();
    Relayout();
    InvalidatePanes(false);
}

// ---- what the panes read

int WaveView::GetScrollPosition() const { return horizontalBar_ ? int(horizontalBar_->GetPosition32()) : 0; }

int WaveView::GetVerticalOffset() const {
    return verticalBar_ ? int(verticalBar_->GetPosition32()) : CentredVerticalOffset(verticalZoom_.Value());
}

int WaveView::GetPaneWidth() const {
    WavePane *pane = GetFirstPane();
    return pane && pane->GetHandle() ? pane->GetClientRect().Width() : 0;
}

int WaveView::GetOrigin() const { return timeScale_ ? int(timeScale_->GetOrigin()) : origins_[styleIndex_]; }

WavePeakCache *WaveView::GetViewPeakCache() { return peakCache_.Get(); }

void WaveView::ReleaseViewPeakCache() { peakCache_.Release(); }

void WaveView::ForgetDrawnRange() {
    if (WavePeakCache *cache = peakCache_.Current())
        cache->ClearRange();
}

void WaveView::SetFadePreview(FadeOpcodes const *fade) {
    fade_ = fade;
    if (!wave_->HasSelection())
        return;
    for (WavePane *pane : panes_)
        if (pane)
            pane->InvalidateFrames(wave_->GetSelectionStart(), wave_->GetSelectionEnd());
}

void WaveView::InvalidatePanes(bool update) {
    for (WavePane *pane : panes_)
        if (pane && pane->GetHandle()) {
            pane->Invalidate(false);
            if (update)
                pane->UpdateWindow();
        }
}

void WaveView::InvalidateLevelScales() {
    for (LevelScale *scale : levelScales_)
        if (scale && scale->GetHandle())
            scale->Invalidate(true);
}

void WaveView::InvalidateScales(int channel) {
    if (levelScales_[channel] && levelScales_[channel]->GetHandle())
        levelScales_[channel]->Invalidate(true);
    if (timeScale_ && timeScale_->GetHandle())
        timeScale_->Invalidate(true);
}

void WaveView::InvalidateRulerAndShadow() {
    if (timeScale_ && timeScale_->GetHandle())
        timeScale_->Invalidate(true);
    if (shadowBar_ && shadowBar_->GetHandle())
        shadowBar_->Invalidate(true);
    if (!overview_ && doubleView_)
        doubleView_->InvalidateOverViewShadow();
}

// ---- texts and the status bar

// 6 in the settings: this view's ruler's unit, seconds instead of bytes.
unsigned WaveView::GetTimeUnit() const {
    int unit = TheTimeSettings().dialUnit;
    if (unit != kUnitOfEachView)
        return unsigned(std::min(std::max(unit, 0), 5));
    unsigned own = timeScale_ ? timeScale_->GetStyle().unit : kUnitSeconds;
    return own == kUnitBytes ? kUnitSeconds : own;
}

int WaveView::GetLevelUnit() const {
    int unit = GetLevelDialUnit();
    if (unit != kLevelOfEachView)
        return unit;
    LevelScale *scale = levelScales_[0] ? levelScales_[0] : levelScales_[1];
    return scale ? int(scale->GetStyle().unit) : kLevelDecibels;
}

String WaveView::GetZoomText() const {
    char text[32];
    int z = zoom_.Value();
    std::snprintf(text, sizeof text, z >= 0 ? "x %d:1" : "x 1: %d", z < 0 ? -z : z);
    return String(text);
}

// Relative to the ruler's origin; seconds to the precision a pixel shows.
String WaveView::GetPositionText(int position) const {
    unsigned unit = GetTimeUnit();
    uint32_t rate = wave_->GetRate() ? wave_->GetRate() : 1;
    int precision = unit == kUnitSeconds ? int(int64_t(10000) * std::max(-zoom_.Value(), 1) / rate) : 1000;
    return FormatPosition(position, unit, precision, *wave_, this);
}

// A held key whose tool the wave does not allow falls to the next rule.
int WaveView::GetMouseTool() const {
    HeldKeys keys = ReadHeldKeys();
    auto allows = [this](int tool) { return !doubleView_ || doubleView_->AllowsMouseTool(tool); };
    if (keys.space && allows(1))
        return 1;
    if (keys.ctrl && (overview_ || allows(2)))
        return overview_ ? 0 : 2;
    if (overview_)
        return 2;
    int tool = TheWaveWindowSettings().mouseTool;
    return allows(tool) ? tool : 0;
}

namespace {

// Sets a gadget's text when it changed.
void ShowInGadget(TextGadget *gadget, String const &text) {
    if (gadget && (!gadget->GetText() || text != gadget->GetText()))
        gadget->SetText(text);
}

}  // namespace

void WaveView::UpdateStatusPosition() {
    if (doubleView_)
        ShowInGadget(doubleView_->GetStatusGadget(DoubleView::kPositionGadget),
                     String("> ") + GetPositionText(wave_->GetCurrentPosition()));
}

void WaveView::UpdateStatusSelection() {
    if (doubleView_)
        ShowInGadget(doubleView_->GetStatusGadget(DoubleView::kLengthGadget), wave_->GetLengthText(1));
}

void WaveView::UpdateStatusLevel() {
    if (doubleView_)
        ShowInGadget(doubleView_->GetStatusGadget(DoubleView::kLevelGadget),
                     LevelToString(wave_->GetLevel(), GetLevelUnit()));
}

// ---- commands

bool WaveView::IsViewCommand(uint id) {
    return (id >= kCmShadowBarTop && id <= kCmAxis50Dotted) || id == kCmTimeScale || id == kCmLevelScales ||
           id == kCmZoomToSelection || id == kCmZoomToFit;
}

void WaveView::CmShadowBar(uint id) {
    style_->view.shadowBar = int16_t(id - kCmShadowBarTop);
    Relayout();
}

void WaveView::CeShadowBar(TCommandEnabler &ce) {
    ce.Enable(overview_);
    ce.SetCheck(int(ce.GetId()) - kCmShadowBarTop == style_->view.shadowBar ? TCommandEnabler::Checked
                                                                             : TCommandEnabler::Unchecked);
}

namespace {

// 0 <-> value.
int16_t Toggled(int16_t current, int16_t value) { return current == value ? 0 : value; }

void CheckIf(TCommandEnabler &ce, bool on) {
    ce.Enable(1);
    ce.SetCheck(on ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

}  // namespace

void WaveView::CmAxis(uint id) {
    style_->view.axis = Toggled(style_->view.axis, id == kCmAxisSolid ? 1 : 2);
    InvalidatePanes(false);
}

void WaveView::CeAxis(TCommandEnabler &ce) {
    CheckIf(ce, style_->view.axis == (ce.GetId() == kCmAxisSolid ? 1 : 2));
}

void WaveView::CmAxis50(uint id) {
    style_->view.axis50 = Toggled(style_->view.axis50, id == kCmAxis50Solid ? 1 : 2);
    InvalidatePanes(false);
}

void WaveView::CeAxis50(TCommandEnabler &ce) {
    CheckIf(ce, style_->view.axis50 == (ce.GetId() == kCmAxis50Solid ? 1 : 2));
}

void WaveView::CmTimeScale() {
    SetTimeScaleShown(!timeScale_);
    Relayout();
}

void WaveView::CeTimeScale(TCommandEnabler &ce) { CheckIf(ce, timeScale_ != nullptr); }

void WaveView::CmLevelScales() {
    SetLevelScalesShown(!(levelScales_[0] || levelScales_[1]));
    Relayout();
}

void WaveView::CeLevelScales(TCommandEnabler &ce) {
    CheckIf(ce, levelScales_[0] || levelScales_[1]);
    ce.Enable(!overview_);
}

void WaveView::CmZoomToSelection() {
    WaveView *main = doubleView_ ? doubleView_->GetMainView() : this;
    if (wave_->HasSelection())
        main->ZoomToRange(wave_->GetSelectionStart(), wave_->GetSelectionEnd(), 100);
}

void WaveView::CeZoomToSelection(TCommandEnabler &ce) { ce.Enable(wave_->HasSelection()); }

void WaveView::CmZoomToFit() { ZoomToFit(); }

void WaveView::EvHorizontalSlider(uint code) {
    if (code != SB_ENDSCROLL)
        SetZoom(horizontalSlider_->GetPosition(), 1, 0, -1);
}

void WaveView::EvVerticalSlider(uint code) {
    if (code != SB_ENDSCROLL)
        SetVerticalZoom(verticalSlider_->GetPosition(), 0, -1);
}
