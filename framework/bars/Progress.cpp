#include "bars/Progress.h"

#include "core/Application.h"
#include "bars/BitmapGadget.h"
#include "bars/DecoratedFrame.h"
#include "bars/StatusBar.h"
#include "controls/MessageBoxes.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>

int _disableFrame = 0;

namespace {

enum { CancelQuestion = 19004 };

unsigned long SystemClock() { return ::timeGetTime(); }
TProgressClock clock_ = &SystemClock;

// The nesting of AutoProgressBar objects, library-wide and GUI thread only.
int depth_ = 0;
List<GaugeData> &Levels() {
    static List<GaugeData> levels;
    return levels;
}
int cancelled_ = 0;
long cancelAtCheck_ = 0;  // of a test: checks left until a cancel, 0 for none

StatusBar *MainStatusBar() {
    TApplication *app = GetApplicationObject();
    TFrameWindow *main = app ? app->GetMainWindow() : 0;
    return main ? dynamic_cast<StatusBar *>(main->ChildWithId(IDW_MESSAGEBAR)) : 0;
}

void PumpAndIdle(int idle) {
    if (TApplication *app = GetApplicationObject()) {
        app->PumpWaitingMessages();
        if (idle)
            app->IdleAction(0);
    }
}

int OwnForeground() {
    HWND foreground = ::GetForegroundWindow();
    return foreground && ::GetWindowThreadProcessId(foreground, 0) == ::GetCurrentThreadId();
}

int KeyDown(int key) { return (::GetAsyncKeyState(key) & 0x8000) || (::GetKeyState(key) & 0x8000); }

}  // namespace

TProgressClock SetProgressClock(TProgressClock clock) {
    TProgressClock old = clock_;
    clock_ = clock ? clock : &SystemClock;
    return old;
}

unsigned long ProgressClock() { return clock_(); }

void SetProgressCancelAtCheck(long n) { cancelAtCheck_ = n; }

// ---- AutoProgressBar

AutoProgressBar::AutoProgressBar(long total, int titleMessage, int cancelButton) {
    Begin(total, String(FindString(unsigned(titleMessage))), cancelButton);
}

AutoProgressBar::AutoProgressBar(long total, String const &title, int cancelButton) {
    Begin(total, title, cancelButton);
}

AutoProgressBar::AutoProgressBar(long total, char const *title, int cancelButton) {
    Begin(total, String(title ? title : ""), cancelButton);
}

void AutoProgressBar::Begin(long total, String const &title, int cancelButton) {
    showTime_ = 0;
    bar_ = MainStatusBar();
    start_ = ProgressClock();
    Levels().Append(new GaugeData(title, total));
    int enclosed = depth_++ != 0;
    if (!enclosed) {
        _disableFrame = 1;
        cancelled_ = 0;
    }
    if (!bar_)
        return;
    bar_->ElapsedStart = start_;
    bar_->CurrentProgress = this;
    if (enclosed) {
        // The gauge restarts at 0 for the inner operation.
        bar_->ResetGauge();
        bar_->SetGaugeTitle(title);
        bar_->GaugeTotal = total;
    } else
        bar_->OpenGauge(total, title, cancelButton, 500, 1);
}

AutoProgressBar::~AutoProgressBar() {
    Levels().DeleteLast();
    if (--depth_ > 0) {
        if (bar_) {
            bar_->CurrentProgress = 0;
            GaugeData *outer = Levels().GetLast();
            bar_->ResetGauge();
            bar_->SetGaugeTitle(outer->Title);
            bar_->GaugeTotal = outer->Total;
        }
    } else {
        depth_ = 0;
        Levels().DeleteAll();
        _disableFrame = 0;
        if (bar_) {
            bar_->CurrentProgress = 0;
            bar_->CloseGauge(1);
            bar_->RestoreOwnGadgets();
            bar_->LayoutSession();
            if (bar_->GetHandle()) {
                bar_->Invalidate(true);
                bar_->UpdateWindow();
            }
        }
    }
    if (showTime_ && bar_) {
        // The name is the gauge title up to its percent format.
        String name = bar_->GetGaugeTitle();
        long percent = name.FindFirst('%');
        if (percent >= 0)
            name = String(name, 0, static_cast<unsigned long>(percent));
        TrimEnd(name);
        try {
            bar_->NotifyCompletedOperation(name, long(ProgressClock() - start_));
        } catch (...) {
            // a destructor may run while a cancel unwinds: the notice is not worth a second failure
        }
    }
}

int AutoProgressBar::NotifyProgress(long value, StatusBar::Mode mode) {
    if (bar_)
        return bar_->NotifyProgress(value, mode);
    return mode == StatusBar::NoCancelCheck || !DetectUserCancel(mode);
}

int AutoProgressBar::GetNestingDepth() { return depth_; }

// ---- cancel

int DetectUserCancel(StatusBar::Mode mode) {
    if (mode != StatusBar::KeepPainted && cancelAtCheck_ > 0 && --cancelAtCheck_ == 0) {
        cancelled_ = 1;
        if (mode == StatusBar::ThrowOnCancel)
            ThrowIfUserCancel();
        return 1;
    }
    StatusBar *bar = MainStatusBar();
    if (!bar)
        return 0;
    if (mode != StatusBar::KeepPainted && bar->CancelButton && bar->GaugeWindow) {
        TGadget *cancel = 0;
        POINT p;
        if (bar->GetHandle() && ::GetCursorPos(&p) && ::ScreenToClient(bar->GetHandle(), &p)) {
            TPoint at(p);
            cancel = bar->GadgetFromPoint(at);
        }
        int overCancel = cancel && cancel == static_cast<TGadget *>(bar->CancelGadget);
        ::SetCursor(::LoadCursorA(0, overCancel ? IDC_ARROW : IDC_WAIT));
        int request = StatusBar::_escapePressed || KeyDown(VK_ESCAPE) ||
                      (overCancel && (StatusBar::_mouseClicked || KeyDown(VK_LBUTTON)));
        if (request && OwnForeground()) {
            StatusBar::_escapePressed = StatusBar::_mouseClicked = 0;
            PumpAndIdle(0);
            // The box must have the mouse: the bar's capture would take its clicks.
            HWND held = bar->GetHandle() && ::GetCapture() == bar->GetHandle() ? bar->GetHandle() : 0;
            if (held)
                ::ReleaseCapture();
            char question[2048];
            TApplication *app = GetApplicationObject();
            if (MessageBox(FindString(question, CancelQuestion), app ? app->GetName() : "",
                           MB_YESNO | MB_ICONQUESTION) == IDYES)
                cancelled_ = 1;
            if (held && ::IsWindow(held) && bar->IsGaugeOpen())
                ::SetCapture(held);
            if (app && app->GetMainWindow() && app->GetMainWindow()->GetHandle())
                app->GetMainWindow()->UpdateWindow();
            if (cancelled_) {
                if (mode == StatusBar::ThrowOnCancel)
                    ThrowIfUserCancel();
                return 1;
            }
        }
        StatusBar::_escapePressed = StatusBar::_mouseClicked = 0;
    }
    if (bar->GaugeDue)
        PumpAndIdle(1);
    return 0;
}

void ThrowIfUserCancel() {
    if (cancelled_)
        ExceptionThrower(0).SetAndThrow();
}

int IsUserCancelled() { return cancelled_; }

// ---- durations

void FormatDuration(char *buffer, long milliseconds, int exact) {
    if (milliseconds == 0) {
        std::strcpy(buffer, "0 ms");
        return;
    }
    long ms = exact ? milliseconds : milliseconds + 500;
    char *out = buffer;
    int coarse = 0;
    if (ms >= 3600000) {
        out += std::sprintf(out, "%lih ", ms / 3600000);
        ms %= 3600000;
        coarse = 1;
    }
    if (ms > 59999) {
        out += std::sprintf(out, "%limn ", ms / 60000);
        ms %= 60000;
        coarse = 1;
    }
    if (ms >= 1000) {
        out += std::sprintf(out, "%lis ", ms / 1000);
        ms %= 1000;
    }
    *out = 0;
    if (out == buffer)
        // Under a second nothing is dropped: the rounding added above must not show.
        std::sprintf(out, "%lims", exact ? ms : milliseconds);
    else if (ms && exact && !coarse)
        std::sprintf(out, "%lims", ms);
}

// ---- AutoDisplayDuration

AutoDisplayDuration::AutoDisplayDuration(int message)
    : prevent_(0), text_(FindString(unsigned(message))), start_(ProgressClock()) {}

AutoDisplayDuration::AutoDisplayDuration(String const &text) : prevent_(0), text_(text), start_(ProgressClock()) {}

AutoDisplayDuration::~AutoDisplayDuration() {
    if (prevent_)
        return;
    try {
        if (StatusBar *bar = MainStatusBar())
            bar->NotifyCompletedOperation(text_, long(ProgressClock() - start_));
    } catch (...) {
        // a duration notice never ends the program
    }
}
