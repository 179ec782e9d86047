// The progress gauge of the status bar: opening, throttled reports, the gadgets that
// show the gauge and the two time texts, and closing.
#include "bars/StatusBar.h"

#include "bars/BitmapGadget.h"
#include "bars/ControlGadget.h"
#include "core/Application.h"
#include "core/DrawHelpers.h"
#include "controls/Gauge.h"
#include "bars/Progress.h"
#include "bars/TextGadget.h"

#include "foundation/MessageCatalogue.h"

#include <climits>
#include <cstdio>
#include <vector>

int StatusBar::_escapePressed = 0;
int StatusBar::_mouseClicked = 0;

namespace {

enum { ElapsedText = 19009, RemainingText = 19010, DoneInText = 19008 };
enum { CancelBitmapLarge = 22025, CancelBitmapSmall = 22026 };
enum { TextLimit = 199, ReportInterval = 100, TextInterval = 500 };

// The bar's own gadgets while an AutoProgressBar's gauge has the whole bar; deleted
// when the library unloads still holding some.
struct SavedGadgetList {
    std::vector<TGadget *> Gadgets;
    ~SavedGadgetList() {
        for (TGadget *g : Gadgets)
            delete g;
    }
};
SavedGadgetList &SavedGadgets() {
    static SavedGadgetList list;
    return list;
}

// "<message><duration>", cut to the texts' limit.
void JoinText(char *out, char const *head, long milliseconds, int exact) {
    char duration[64];
    FormatDuration(duration, milliseconds, exact);
    std::snprintf(out, TextLimit + 1, "%s%s", head, duration);
}

// A text of the catalogue, fetched once; asked again while the catalogue has none (no
// language module yet).
char const *CatalogueText(String *&cache, int message) {
    AdoptString(cache, message);
    if (cache->GetLength())
        return *cache;
    delete cache;
    cache = 0;
    return "";
}

template <class T>
void DeleteGadget(StatusBar &bar, T *&gadget) {
    if (!gadget)
        return;
    bar.Remove(*gadget);
    delete gadget;
    gadget = 0;
}

}  // namespace

StatusBar::StatusBar(TToolTipJq *tip, TWindow *parent, TGadget::TBorderStyle style, unsigned modeIndicators,
                     TFont *font, TModule *module)
    : TWindow(parent, 0, module),
      TTipStatusBar(tip, parent, style, modeIndicators, font, module),
      SavedCursor(0),
      HoldMouse(0),
      Delay(0),
      ShowTime(0),
      NextReportTime(0),
      GaugeTotal(1),
      LastReportTime(0),
      LastTextTime(0),
      LateOpenLimit(75),
      PredictedValue(0),
      Clamped(0),
      CancelButton(0),
      TextUpdates(0),
      LastValue(0),
      GaugeDue(0),
      GaugeWindow(0),
      GaugeGadget(0),
      CancelGadget(0),
      Separator(0),
      RemainingGadget(0),
      ElapsedGadget(0),
      ElapsedStart(0),
      CurrentProgress(0) {
    SampleTimes[0] = 0;
    SampleValues[0] = 0;
}

StatusBar::~StatusBar() {
    // The input held for an operation is given back even when the bar goes first.
    CloseGauge(0);
}

int StatusBar::TakeEscapePressed() {
    int was = _escapePressed;
    _escapePressed = 0;
    return was;
}

int StatusBar::TakeMouseClicked() {
    int was = _mouseClicked;
    _mouseClicked = 0;
    return was;
}

void StatusBar::OpenGauge(long total, String title, int cancelButton, long delay, int holdMouse) {
    // A gauge still shown from an earlier operation goes first: its gadgets would be lost.
    CloseGauge(0);
    SetGaugeTitle(title);
    GaugeTotal = total;
    Delay = delay;
    LateOpenLimit = 75;
    unsigned long now = ProgressClock();
    LastTextTime = NextReportTime = ElapsedStart = SampleTimes[0] = now;
    SampleValues[0] = 0;
    LastReportTime = 0;
    ShowTime = now + delay;
    HoldMouse = holdMouse;
    PredictedValue = 0;
    Clamped = 0;
    CancelButton = cancelButton;
    GaugeWindow = 0;
    GaugeGadget = 0;
    CancelGadget = 0;
    Separator = 0;
    RemainingGadget = ElapsedGadget = 0;
    SavedCursor = 0;
    TextUpdates = 0;
    LastValue = 0;
    GaugeDue = 0;
}

void StatusBar::SetGaugeTitle(String const &title) {
    GaugeTitle = title.GetLength() ? String(title) + " %d%%" : String("%d%%");
    if (GaugeWindow && GaugeWindow->GetHandle())
        GaugeWindow->SetCaption(GaugeTitle);
}

void StatusBar::ResetGauge() {
    LastValue = 0;
    PredictedValue = 0;
    TextUpdates = 0;
    Clamped = 0;
    SampleTimes[0] = ProgressClock();
    SampleValues[0] = 0;
}

int StatusBar::NotifyProgress(long value, Mode mode) {
    if (value < PredictedValue)
        return 1;
    unsigned long now = ProgressClock();
    if (long(NextReportTime - now) >= 0)
        return 1;
    // The value expected 100 ms later, less one: reports below it cost one comparison.
    long elapsed = long(now - LastReportTime);
    long long step = (long long)(value - LastValue) * ReportInterval / (elapsed > 0 ? elapsed : 1);
    long long predicted = value + step - 1;
    PredictedValue = predicted > LONG_MAX ? LONG_MAX : predicted < LONG_MIN ? LONG_MIN : long(predicted);
    LastReportTime = now;
    LastValue = value;
    SetProgress(value);
    if (mode == NoCancelCheck)
        return 1;
    return DetectUserCancel(mode) ? 0 : 1;
}

void StatusBar::SetProgress(long value) {
    if (PredictedValue > GaugeTotal && !Clamped) {
        PredictedValue = GaugeTotal;
        Clamped = 1;
    }
    unsigned long now = ProgressClock();
    NextReportTime = now + ReportInterval;
    if (long(now - ShowTime) < 0)
        return;
    int percent = int(value * 100.0 / (GaugeTotal > 0 ? GaugeTotal : 1));
    GaugeDue = 1;
    if (!GaugeGadget) {
        // An operation past three quarters within twice the delay ends without a gauge.
        if (Delay && percent > LateOpenLimit && long(now - ShowTime) <= Delay)
            return;
        try {
            BuildGauge();
        } catch (...) {
            DiscardGaugeGadgets();
            return;
        }
    }
    int changed = GaugeWindow->SetValue(percent);
    if (changed && GaugeWindow->GetHandle())
        GaugeWindow->UpdateWindow();
    UpdateTimeTexts(now, value, changed);
}

void StatusBar::BuildGauge() {
    if (CurrentProgress)
        SaveOwnGadgets();
    _escapePressed = _mouseClicked = 0;
    TextUpdates = 0;

    ElapsedGadget = new TextGadget(0, TGadget::Recessed, TTextGadget::Left, 26);
    TGadgetWindow::Insert(*ElapsedGadget, Before, FirstGadget());
    TSize size(0, 0);
    ElapsedGadget->GetDesiredSize(size);

    GaugeWindow = new ::Gauge(this, GaugeTitle, 0, 1, GetDialogUnitsX(120), size.cy);
    GaugeWindow->SetRange(0, 100);
    GaugeGadget = new TControlGadget(*GaugeWindow, TGadget::Recessed);
    TGadgetWindow::Insert(*GaugeGadget, Before, FirstGadget());

    RemainingGadget = new TextGadget(0, TGadget::Recessed, TTextGadget::Left, 34);
    TGadgetWindow::Insert(*RemainingGadget, After, ElapsedGadget);

    if (CancelButton) {
        Separator = new TSeparatorGadget(6, 0);
        TGadgetWindow::Insert(*Separator, Before, FirstGadget());
        TRect window;
        GetWindowRect(window);
        CancelGadget = new TBitmapGadget(window.Height() > 22 ? CancelBitmapLarge : CancelBitmapSmall, 0,
                                         TGadget::None, 1, 0, 0);
        TGadgetWindow::Insert(*CancelGadget, Before, FirstGadget());
    }

    LayoutSession();
    if (GetHandle()) {
        Invalidate(true);
        UpdateWindow();
    }
    if (HoldMouse && GetHandle()) {
        SetCapture();
        if (TApplication *app = GetApplicationObject())
            app->SetProgressWindow(this);
        SavedCursor = ::SetCursor(::LoadCursorA(0, IDC_WAIT));
    }
}

void StatusBar::DiscardGaugeGadgets() {
    DeleteGadget(*this, RemainingGadget);
    DeleteGadget(*this, ElapsedGadget);
    if (GaugeGadget)
        DeleteGadget(*this, GaugeGadget);  // the gauge window goes with its gadget
    else
        delete GaugeWindow;
    GaugeWindow = 0;
    DeleteGadget(*this, Separator);
    DeleteGadget(*this, CancelGadget);
}

void StatusBar::UpdateTimeTexts(unsigned long now, long value, int gaugeChanged) {
    if (!ElapsedGadget || !RemainingGadget || value == 0)
        return;
    if (long(now - LastTextTime) < TextInterval && !gaugeChanged)
        return;
    static String *elapsedHead, *remainingHead;
    LastTextTime = now;
    ++TextUpdates;
    char text[TextLimit + 1];
    JoinText(text, CatalogueText(elapsedHead, ElapsedText), long(now - ElapsedStart), 1);
    ElapsedGadget->SetText(text);

    // The rate over the last hundred updates, or since the first while there are fewer.
    int slot = int((TextUpdates - 1) % Samples);
    int reference = TextUpdates <= Samples ? 0 : slot;
    // Past the total, or behind the reference after a restart, nothing is left to wait for.
    double remaining = 0;
    if (value != SampleValues[reference])
        remaining =
            double(long(now - SampleTimes[reference])) * (GaugeTotal - value) / (value - SampleValues[reference]);
    remaining = remaining < 0 ? 0 : remaining > LONG_MAX ? LONG_MAX : remaining;
    SampleTimes[slot] = now;
    SampleValues[slot] = value;
    JoinText(text, CatalogueText(remainingHead, RemainingText), long(remaining), 0);
    RemainingGadget->SetText(text);
    if (GetHandle())
        UpdateWindow();
}

void StatusBar::CloseGauge(int) {
    if (!GaugeGadget)
        return;
    DiscardGaugeGadgets();
    LayoutSession();
    if (HoldMouse) {
        if (SavedCursor)
            ::SetCursor(SavedCursor);
        SavedCursor = 0;
        TApplication *app = GetApplicationObject();
        if (app && app->GetProgressWindow() == this)
            app->SetProgressWindow(0);
        if (GetHandle() && ::GetCapture() == GetHandle())
            ::ReleaseCapture();
    }
}

void StatusBar::SaveOwnGadgets() {
    while (TGadget *g = FirstGadget()) {
        Remove(*g);
        SavedGadgets().Gadgets.push_back(g);
    }
}

void StatusBar::RestoreOwnGadgets() {
    std::vector<TGadget *> &saved = SavedGadgets().Gadgets;
    for (TGadget *g : saved)
        TGadgetWindow::Insert(*g, After, 0);
    saved.clear();
}

void StatusBar::NotifyCompletedOperation(String const &text, long milliseconds) {
    static String *doneIn;
    char notice[TextLimit + 1];
    std::snprintf(notice, sizeof notice, "%s%s", text.c_str(), CatalogueText(doneIn, DoneInText));
    char tail[TextLimit + 1];
    JoinText(tail, notice, milliseconds > 1 ? milliseconds : 1, 1);
    SetHintText(tail);
}
