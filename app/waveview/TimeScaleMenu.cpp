// The time ruler's popup menu and its commands: unit, look, origin, hiding, markers.
#include "waveview/TimeScale.h"

#include "audio/Wave.h"
#include "core/Module.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/DoubleView.h"
#include "waveview/MarkerCommands.h"
#include "waveview/MouseKeys.h"
#include "waveview/PositionText.h"
#include "waveview/ScaleLookDialogs.h"
#include "waveview/ScaleScope.h"
#include "waveview/WaveView.h"

namespace {

enum { kPopupMenu = 100, kTextHideMarkers = 11102, kTextShowMarkers = 11103, kTextDeleteMarker = 11313 };

struct UnitCommand {
    uint id;
    unsigned unit;
};

// Bars counted from 0 have no item.
UnitCommand const kUnitCommands[] = {
    {TimeScale::kCmUnitSeconds, kUnitSeconds}, {TimeScale::kCmUnitSamples, kUnitSamples},
    {TimeScale::kCmUnitSmpte, kUnitSmpte},     {TimeScale::kCmUnitBars, kUnitBars},
    {TimeScale::kCmUnitBytes, kUnitBytes},
};

}  // namespace

void TimeScale::EvRButtonDown(uint, TPoint &point) {
    int index = -1;
    MarkerAt(point, &index);
    SetClickedMarker(index);
    if (index >= 0)
        SetCurrentMarker(view_->GetWave(), index);  // the one 820 edits
    RunScalePopup(*this, kPopupMenu, point,
                  [](HMENU menu, void *arg) {
                      TimeScaleStyle const &style = static_cast<TimeScale *>(arg)->GetStyle();
                      for (UnitCommand const &c : kUnitCommands)
                          if (c.unit == style.unit)
                              ::CheckMenuItem(menu, c.id, MF_BYCOMMAND | MF_CHECKED);
                      ::CheckMenuItem(menu, style.style == 1 ? kCmFlat : kCmThreeD, MF_BYCOMMAND | MF_CHECKED);
                  },
                  this);
    SetClickedMarker(-1);
}

void TimeScale::CmUnit(uint id) {
    for (UnitCommand const &c : kUnitCommands)
        if (c.id == id)
            style_->unit = c.unit;
    ApplyTimeScaleChange(view_, kApplyUnit);
    if (DoubleView *doubleView = view_->GetDoubleView())
        doubleView->UpdateStatusBar();
}

void TimeScale::CmStyle(uint id) {
    style_->style = id == kCmFlat;
    ApplyTimeScaleChange(view_, kApplyStyle);
}

void TimeScale::CmFont() {
    if (AskScaleFont(this, style_->font, style_->fontColor))
        ApplyTimeScaleChange(view_, kApplyFont);
}

void TimeScale::CmTickColor() {
    if (AskScaleColor(this, style_->tickColor))
        ApplyTimeScaleChange(view_, kApplyTickColor);
}

void TimeScale::SetOriginHere(long origin) {
    origin_ = origin;
    Invalidate(false);
    if (ReadHeldKeys().shift && view_->GetDoubleView())
        if (WaveView *other = view_->GetDoubleView()->OtherView(view_))
            if (TimeScale *ruler = other->GetTimeScale()) {
                ruler->SetOrigin(origin);
                ruler->Invalidate(false);
            }
    view_->GetWave()->GetMarkers().NoteChange();
}

void TimeScale::CmOriginAtCaret() { SetOriginHere(view_->GetWave()->GetPlayOrCaretPosition()); }

void TimeScale::CeOriginAtCaret(TCommandEnabler &ce) { ce.Enable(view_->GetWave()->GetPlayOrCaretPosition() != origin_); }

void TimeScale::CmClearOrigin() { SetOriginHere(0); }

void TimeScale::CeClearOrigin(TCommandEnabler &ce) { ce.Enable(origin_ != 0); }

// Only this ruler; the view hides it once this handler has returned.
void TimeScale::CmHide() { ::PostMessageA(view_->GetHandle(), WM_COMMAND, WaveView::kCmTimeScale, 0); }

void TimeScale::CmShowMarkers() {
    style_->showMarkers = !style_->showMarkers;
    Invalidate(false);
}

void TimeScale::CeShowMarkers(TCommandEnabler &ce) {
    ce.Enable(1);
    String text(FindString(style_->showMarkers ? kTextHideMarkers : kTextShowMarkers));
    ce.SetText(text.c_str());
}

void TimeScale::CmDeleteMarker() {
    int index = GetClickedMarker();
    if (index < 0)
        return;
    EditMarkers(*view_->GetWave(), kTextDeleteMarker, [index](MarkerSet &markers) {
        if (!markers.GetMarker(index))
            return false;
        markers.Remove(index);
        return true;
    });
}

void TimeScale::CeMarkerUnderClick(TCommandEnabler &ce) { ce.Enable(GetClickedMarker() >= 0); }

void TimeScale::CmForward(uint id) {
    if (DoubleView *doubleView = view_->GetDoubleView())
        if (doubleView->GetHandle())
            doubleView->SendMessageA(WM_COMMAND, WPARAM(id), 0);
}
