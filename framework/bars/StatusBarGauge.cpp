// The gauge state of the framework's status bar: whether an operation runs, the
// mouse held while it runs and the user's requests to break it.
#include "StatusBar.h"

#include "DocumentManager.h"

int _disableFrame = 0;
int StatusBar::_escapePressed = 0;
int StatusBar::_mouseClicked = 0;

StatusBar::StatusBar(TToolTipJq *tip, TWindow *parent, TGadget::TBorderStyle style, unsigned modeIndicators,
                     TFont *font, TModule *module)
    : TWindow(parent, 0, module),
      TTipStatusBar(tip, parent, style, modeIndicators, font, module),
      gaugeOpen_(0),
      holdMouse_(0),
      total_(0),
      value_(0) {}

StatusBar::~StatusBar() {
    if (gaugeOpen_)
        ReleaseInput();
}

// Hints would overwrite the gauge.
int StatusBar::IsHintTextEnabled() { return !gaugeOpen_; }

void StatusBar::OpenGauge(long total, String const &title, int, long, int holdMouse) {
    gaugeOpen_ = 1;
    holdMouse_ = holdMouse;
    total_ = total;
    value_ = 0;
    title_ = title;
}

void StatusBar::SetProgress(long value) {
    if (!gaugeOpen_)
        return;
    value_ = value;
    if (holdMouse_ && _docManager && !_docManager->GetProgressWindow())
        _docManager->SetProgressWindow(this);
}

void StatusBar::CloseGauge(int) {
    if (!gaugeOpen_)
        return;
    gaugeOpen_ = 0;
    ReleaseInput();
}

void StatusBar::ReleaseInput() {
    if (!holdMouse_)
        return;
    if (_docManager && _docManager->GetProgressWindow() == this) {
        _docManager->SetProgressWindow(0);
        if (HWindow && ::GetCapture() == HWindow)
            ::ReleaseCapture();
    }
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
