// The winding buttons of the main frame's transport bar (commands 133 and 134): while one
// is held down, the active wave's caret moves every 50 ms, 20 screen steps at a time, 80
// with Shift. One button repeats at a time; its timer is on the bar's window and goes with
// the button, and a tick finding no active wave window does nothing.
#pragma once

#include "bars/ToolbarButtonGadget.h"

#include <windows.h>

class RewindButton : public TToolbarButtonGadget {
public:
    enum : int { kBackward = 133, kForward = 134, kTimerOffset = 999, kTickMs = 50, kSteps = 20, kShiftSteps = 80 };

    RewindButton(TResId bitmap, int id, TType type = Command, int enabled = 0, TState state = Up, int repeat = 0);
    ~RewindButton() override;

    void BeginPressed(TPoint const &point) override;
    void CancelPressed(TPoint const &point) override;
    void Removed() override;

    // The id of the running repeat timer, 0 when none.
    static UINT_PTR RunningTimer() { return _timer; }
    // One tick: the timer of the backward button moves the caret left, any other right.
    static void Repeat(UINT_PTR timerId);

private:
    bool IsRepeating() const { return _timer == UINT_PTR(GetId() + kTimerOffset); }
    static void StopRepeat();
    static void CALLBACK Tick(HWND, UINT, UINT_PTR timerId, DWORD);

    static UINT_PTR _timer;
    static HWND _timerWindow;
};
