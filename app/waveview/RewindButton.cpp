#include "waveview/RewindButton.h"

#include "audio/Wave.h"
#include "foundation/Exception.h"
#include "waveview/DoubleView.h"
#include "waveview/MouseKeys.h"
#include "waveview/WaveView.h"

UINT_PTR RewindButton::_timer = 0;
HWND RewindButton::_timerWindow = 0;

RewindButton::RewindButton(TResId bitmap, int id, TType type, int enabled, TState state, int repeat)
    : TToolbarButtonGadget(bitmap, id, type, enabled, state, repeat) {}

// A button going while it repeats takes its timer along.
RewindButton::~RewindButton() {
    if (IsRepeating())
        StopRepeat();
}

void RewindButton::BeginPressed(TPoint const &point) {
    TToolbarButtonGadget::BeginPressed(point);
    if (!DoubleView::GetActive() || !Window || !Window->GetHandle())
        return;
    StopRepeat();
    UINT_PTR id = UINT_PTR(GetId() + kTimerOffset);
    if (::SetTimer(Window->GetHandle(), id, kTickMs, Tick)) {
        _timer = id;
        _timerWindow = Window->GetHandle();
    }
}

void RewindButton::CancelPressed(TPoint const &point) {
    StopRepeat();
    TToolbarButtonGadget::CancelPressed(point);
}

void RewindButton::Removed() {
    if (IsRepeating())
        StopRepeat();
    TToolbarButtonGadget::Removed();
}

void RewindButton::StopRepeat() {
    if (_timer)
        ::KillTimer(_timerWindow, _timer);
    _timer = 0;
    _timerWindow = 0;
}

void RewindButton::Repeat(UINT_PTR timerId) {
    DoubleView *view = DoubleView::GetActive();
    if (!view)
        return;
    int steps = ReadHeldKeysAtTick().shift ? kShiftSteps : kSteps;
    Wave &wave = view->GetWave();
    if (timerId == UINT_PTR(kBackward + kTimerOffset))
        wave.MoveCaretLeft(*view->GetMainView(), steps);
    else
        wave.MoveCaretRight(*view->GetMainView(), steps);
}

void CALLBACK RewindButton::Tick(HWND, UINT, UINT_PTR timerId, DWORD) {
    try {
        Repeat(timerId);
    } catch (...) {
        PostCurrentFailure();
    }
}
