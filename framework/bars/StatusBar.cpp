#include "bars/StatusBar.h"

#include "bars/TextGadget.h"

namespace {
// The gadget ids of the indicators, by bit; the size grip is the last.
int const IndicatorIds[] = {30001, 30002, 30003, 30004, 30005, 30006, TSizeGripGadget::DefaultId};
}  // namespace

TStatusBar::TStatusBar(TWindow *parent, TGadget::TBorderStyle style, unsigned modeIndicators, TFont *font,
                       TModule *module)
    : TWindow(parent, 0, module),
      TMessageBar(parent, font, module),
      BorderStyle(style),
      NumModeIndicators(0),
      ModeIndicators(modeIndicators),
      ModeIndicatorState(0),
      WideHintText(1) {
    SetFlag(wfInsertAtEdge);
    if (style == TGadget::Plain || style == TGadget::Embossed)
        HighlightLine = 0;
    else
        Spacing.Value = 2;
    if (style == TGadget::Plain) {
        Margins = TMargins(TMargins::BorderUnits, -1, -1, -1, -1);
    } else if (style == TGadget::Raised || style == TGadget::Recessed) {
        int line = ::GetSystemMetrics(SM_CYBORDER);
        Margins = TMargins(TMargins::Pixels, LayoutUnitsToPixels(4),
                           LayoutUnitsToPixels(modeIndicators & SizeGrip ? 1 : 4), line, line);
    }
    if (TGadget *message = GadgetWithId(MessageGadgetId))
        message->SetBorderStyle(style);
    // The keyboard indicators have no texts, so only the size grip makes a gadget.
    if (modeIndicators & SizeGrip)
        InsertSizeGrip();
}

int TStatusBar::IndicatorId(TModeIndicator indicator) {
    for (int bit = 0; bit < 7; ++bit)
        if (unsigned(indicator) == 1u << bit)
            return IndicatorIds[bit];
    return 0;
}

int TStatusBar::IsModeIndicator(TGadget const &gadget) const {
    unsigned index = 0;
    for (TGadget *g = Gadgets; g && g != &gadget; g = g->NextGadget())
        ++index;
    return index < NumGadgets && index >= NumGadgets - NumModeIndicators;
}

void TStatusBar::InsertSizeGrip() {
    TSizeGripGadget *grip = new TSizeGripGadget;
    TGadgetWindow::Insert(*grip, After);
    grip->SetBounds(grip->GetBounds().InflatedBy(1, 1));
    ++NumModeIndicators;
}

void TStatusBar::Insert(TGadget &gadget, TPlacement placement, TGadget *sibling) {
    gadget.SetBorderStyle(BorderStyle);
    if (!sibling && NumGadgets > NumModeIndicators)
        sibling = (*this)[NumGadgets - NumModeIndicators - 1];
    TGadgetWindow::Insert(gadget, placement, sibling);
}

void TStatusBar::SetHintText(char const *text) {
    if (WideHintText)
        TMessageBar::SetHintText(text);
    else
        SetText(text);
}

void TStatusBar::PositionGadget(TGadget *, TGadget *next, TPoint &point) {
    int border = ::GetSystemMetrics(SM_CXBORDER);
    if (BorderStyle == TGadget::Plain)
        point.x -= border;
    if (!IsModeIndicator(*next) || next->GetId() == TSizeGripGadget::DefaultId)
        return;
    switch (Spacing.Units) {
    case TMargins::Pixels: point.x += Spacing.Value; break;
    case TMargins::LayoutUnits: point.x += LayoutUnitsToPixels(Spacing.Value); break;
    case TMargins::BorderUnits: point.x += Spacing.Value * border; break;
    }
}

void TStatusBar::SetModeIndicator(TModeIndicator indicator, int on) {
    if (TGadget *gadget = GadgetWithId(IndicatorId(indicator)))
        gadget->SetEnabled(on);
    ModeIndicatorState = on ? (ModeIndicatorState | indicator) : (ModeIndicatorState & ~indicator);
}

void TStatusBar::ToggleModeIndicator(TModeIndicator indicator) {
    SetModeIndicator(indicator, !GetModeIndicator(indicator));
}

uint TStatusBar::EvNCHitTest(TPoint &screenPoint) {
    uint result = uint(DefaultProcessing());
    TGadget *grip = GadgetWithId(TSizeGripGadget::DefaultId);
    if (!grip || !grip->GetEnabled() || !HWindow)
        return result;
    POINT client = screenPoint;
    ::ScreenToClient(HWindow, &client);
    TRect area = grip->GetBounds();
    ++area.right;
    ++area.bottom;
    return area.Contains(TPoint(client.x, client.y)) ? HTBOTTOMRIGHT : result;
}

void TStatusBar::EvYrtFrameSize(uint sizeType, TSize &) {
    TGadget *grip = GadgetWithId(TSizeGripGadget::DefaultId);
    if (sizeType == SIZE_MAXIMIZED && grip) {
        Remove(*grip);
        delete grip;
        --NumModeIndicators;
        LayoutSession();
    } else if (sizeType == SIZE_RESTORED && !grip && (ModeIndicators & SizeGrip)) {
        InsertSizeGrip();
        LayoutSession();
    }
}

DEFINE_RESPONSE_TABLE1(TStatusBar, TGadgetWindow)
    EV_MESSAGE(WM_NCHITTEST, EvNCHitTest, U_POINT),
    EV_MESSAGE(32501, EvYrtFrameSizeRaw, v_WPARAM_LPARAM),
END_RESPONSE_TABLE;
