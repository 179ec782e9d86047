// The winding buttons of the transport bar held down over a wave window: each tick of the
// backward or forward button moves the caret by 20 screen steps, 80 with Shift held on the
// keyboard; no wave window, no timer; a window closed, a mouse taken away or a button gone
// mid-hold leave nothing running that could act.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "bars/GadgetWindow.h"
#include "core/FrameWindow.h"
#include "core/Module.h"
#include "waveview/RewindButton.h"

#include "tests/app/AppTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using wavewindowtest::WindowsScope;

int const kFrames = 200000;

void PressShift(bool down) {
    INPUT shift = {};
    shift.type = INPUT_KEYBOARD;
    shift.ki.wVk = VK_SHIFT;
    shift.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &shift, sizeof shift);
}

class TransportButtons : public testing::Test {
protected:
    void SetUp() override {
        wave_ = app_.OpenWave("transport.wav", 2, kFrames, [](int, int frame) { return frame % 2000 - 1000; });
        view_ = app_.OpenWindow(wave_);
        bar_ = new TGadgetWindow(app_.GetMainWindow(), TGadgetWindow::Horizontal, new TGadgetWindowFont, &language_);
        backward_ = new RewindButton(TResId(RewindButton::kBackward), RewindButton::kBackward);
        forward_ = new RewindButton(TResId(RewindButton::kForward), RewindButton::kForward);
        bar_->Insert(*backward_);
        bar_->Insert(*forward_);
        bar_->Create();
        bar_->LayoutSession();
    }
    void TearDown() override {
        ReleaseMouse();
        bar_->Destroy();
        delete bar_;
    }

    // The left button down over a winding button, the mouse standing on it (a move
    // elsewhere would end the press).
    void Hold(RewindButton *button) {
        button->SetEnabled(1);  // the test frame has no enabler for the winding commands
        TRect r = button->GetBounds();
        POINT at = {r.left + 2, r.top + 2};
        ::ClientToScreen(bar_->GetHandle(), &at);
        ::SetCursorPos(at.x, at.y);
        bar_->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.left + 2, r.top + 2));
        held_ = button;
    }
    void ReleaseMouse() {
        if (!held_)
            return;
        TRect r = held_->GetBounds();
        bar_->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(r.left + 2, r.top + 2));
        held_ = nullptr;
    }
    // Handles messages one at a time, without idle enabling, until the condition holds;
    // false after the timeout.
    bool PumpUntil(std::function<bool()> const &condition, DWORD ms = 10000) {
        for (DWORD end = GetTickCount() + ms; !condition();) {
            if (GetTickCount() > end)
                return false;
            MSG msg;
            if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (msg.message == WM_TIMER && msg.hwnd == bar_->GetHandle())
                    ++ticks_;
                DispatchMessageA(&msg);
            } else {
                MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
            }
        }
        return true;
    }
    // The timer of the button is gone from the bar's window.
    bool TimerGone(int id) { return !::KillTimer(bar_->GetHandle(), UINT_PTR(id + RewindButton::kTimerOffset)); }

    TModule language_{"EnglishTs", apptest::UseEnglishTexts()};
    WindowsScope app_;
    Wave *wave_ = nullptr;
    DoubleView *view_ = nullptr;
    TGadgetWindow *bar_ = nullptr;
    RewindButton *backward_ = nullptr, *forward_ = nullptr, *held_ = nullptr;
    static int ticks_;
};

int TransportButtons::ticks_ = 0;

struct WindCase {
    int id;
    bool shift;
    int steps;  // signed: backward moves left
};

// One tick moves by the step of the view's zoom; the release ends the repeat.
TEST_F(TransportButtons, EachTickMovesTheCaretByTheStepOfButtonAndShift) {
    WindCase const cases[] = {
        {RewindButton::kBackward, false, -20},
        {RewindButton::kBackward, true, -80},
        {RewindButton::kForward, false, 20},
        {RewindButton::kForward, true, 80},
    };
    CaretView &caretView = *view_->GetMainView();
    for (WindCase const &c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << (c.shift ? " with Shift" : ""));
        int const start = kFrames / 2;
        wave_->SetCaret(3, start);
        int const step = caretView.FramesForSteps(c.steps < 0 ? -c.steps : c.steps);
        ASSERT_GT(step, 0);
        if (c.shift)
            PressShift(true);
        Hold(c.id == RewindButton::kBackward ? backward_ : forward_);
        EXPECT_EQ(UINT_PTR(c.id + RewindButton::kTimerOffset), RewindButton::RunningTimer());
        // one tick at a time: the first move is a whole step
        ASSERT_TRUE(PumpUntil([&] { return wave_->GetCurrentPosition() != start; }))
            << ticks_ << " ticks, timer " << RewindButton::RunningTimer() << ", caret " << wave_->GetCurrentPosition();
        EXPECT_EQ(start + (c.steps < 0 ? -step : step), wave_->GetCurrentPosition());
        ReleaseMouse();
        if (c.shift)
            PressShift(false);
        EXPECT_EQ(0u, RewindButton::RunningTimer());
        EXPECT_TRUE(TimerGone(c.id));
    }
}

// Without an active wave window a press starts nothing.
TEST_F(TransportButtons, NoWaveWindowNoTimer) {
    app_.CloseAll();
    ASSERT_EQ(nullptr, DoubleView::GetActive());
    Hold(forward_);
    EXPECT_TRUE(forward_->IsPressed());
    EXPECT_EQ(0u, RewindButton::RunningTimer());
    EXPECT_TRUE(TimerGone(RewindButton::kForward));
}

// The window closed while the button is held: the next ticks find no wave and do nothing,
// and the release ends them.
TEST_F(TransportButtons, TicksAfterTheWindowClosedDoNothing) {
    wave_->SetCaret(3, kFrames / 2);
    Hold(backward_);
    ASSERT_TRUE(PumpUntil([&] { return wave_->GetCurrentPosition() != kFrames / 2; }));
    app_.CloseAll();
    ASSERT_EQ(nullptr, DoubleView::GetActive());
    int seen = ticks_;
    EXPECT_TRUE(PumpUntil([&] { return ticks_ >= seen + 3; }));
    ReleaseMouse();
    EXPECT_EQ(0u, RewindButton::RunningTimer());
    EXPECT_TRUE(TimerGone(RewindButton::kBackward));
}

// Another window taking the mouse (a box, a task switch) ends the press and its repeat; so
// does the button going while held.
TEST_F(TransportButtons, TheRepeatEndsWithTheMouseTakenOrTheButtonGone) {
    Hold(forward_);
    ASSERT_NE(0u, RewindButton::RunningTimer());
    ::SetCapture(app_.GetMainWindow()->GetHandle());
    EXPECT_FALSE(forward_->IsPressed());
    EXPECT_EQ(0u, RewindButton::RunningTimer());
    EXPECT_TRUE(TimerGone(RewindButton::kForward));
    ::ReleaseCapture();
    held_ = nullptr;

    Hold(backward_);
    ASSERT_NE(0u, RewindButton::RunningTimer());
    held_ = nullptr;
    delete bar_->Remove(*backward_);
    EXPECT_EQ(0u, RewindButton::RunningTimer());
    EXPECT_TRUE(TimerGone(RewindButton::kBackward));
    ::ReleaseCapture();
}

}  // namespace
