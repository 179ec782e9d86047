// The mouse in wave windows, driven by real input (SendInput): the pointer, the buttons and
// the keys go through the system, so capture, key state and the window under the pointer
// are the system's own. Gestures in one window, drops between two, the capture taken away
// mid-gesture, and play from a click heard on the test sound device.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "audio/Marker.h"
#include "audio/WaveSettings.h"
#include "core/Module.h"
#include "manager/MdiDocumentWindows.h"
#include "waveview/DropLinks.h"
#include "waveview/PaneMouseState.h"
#include "waveview/WavePane.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/app/engine/EngineTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using wavetest::ReadChannel;
using wavetest::Samples;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 4000;

// Never 0, so that what plays is told apart from the device's silence.
int Ramp(int channel, int frame) { return ((frame * 7 + channel * 3000) % 16000 - 8000) | 1; }

// Handles what waits until the condition holds (at most milliseconds).
bool PumpUntil(std::function<bool()> const &condition, unsigned milliseconds = 5000) {
    for (DWORD end = GetTickCount() + milliseconds; GetTickCount() < end;) {
        Settle();
        if (condition())
            return true;
    }
    return condition();
}

// ---- real input

void SendMouse(DWORD flags, POINT p = {0, 0}) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
        in.mi.dx = LONG((int64_t(p.x) * 65536 + w - 1) / w);
        in.mi.dy = LONG((int64_t(p.y) * 65536 + h - 1) / h);
    }
    SendInput(1, &in, sizeof in);
}

bool PointerAt(POINT p) {
    POINT at;
    return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
}

// The system may still be delivering motion of earlier moves: the pointer counts as there
// once it stayed there over a few rounds.
void MoveTo(POINT p) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p);
    int stayed = 0;
    for (int round = 0; round < 400 && stayed < 3; ++round) {
        Settle();
        if (PointerAt(p)) {
            ++stayed;
        } else {
            stayed = 0;
            SetCursorPos(p.x, p.y);
        }
    }
    EXPECT_EQ(3, stayed) << "the pointer did not stay at " << p.x << ", " << p.y;
}

// A press soon after the last one would make a double click: it waits the double-click time out.
void Button(bool down) {
    static DWORD lastPress = 0;
    if (down) {
        DWORD wait = GetDoubleClickTime() + 50, since = GetTickCount() - lastPress;
        if (since < wait)
            PumpUntil([] { return false; }, wait - since);
        lastPress = GetTickCount();
    }
    SendMouse(down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    PumpUntil([&] { return ((GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0) == down; });
    Settle();
}

void Key(WORD vk, bool down) {
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
    EXPECT_TRUE(PumpUntil([&] { return ((GetKeyState(vk) & 0x8000) != 0) == down; })) << "key " << vk;
}

// Keys held for a scope.
class Held {
public:
    explicit Held(std::vector<WORD> keys) : keys_(std::move(keys)) {
        for (WORD k : keys_)
            Key(k, true);
    }
    ~Held() {
        for (WORD k : keys_)
            Key(k, false);
    }

private:
    std::vector<WORD> keys_;
};

// A point of a pane in screen coordinates: the column of a frame, y a share of the height.
POINT At(WavePane &pane, int frame, double share = 0.5) {
    POINT p = {pane.FrameX(frame), LONG(pane.GetClientRect().Height() * share)};
    ClientToScreen(pane.GetHandle(), &p);
    return p;
}

void Drag(POINT from, POINT to) {
    MoveTo(from);
    Button(true);
    POINT middle = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    MoveTo(middle);
    MoveTo(to);
    Button(false);
}

void Click(POINT p) {
    MoveTo(p);
    Button(true);
    Button(false);
}

class PaneMouse : public testing::Test {
public:
    WavePane &Left() { return *view_->GetMainView()->GetPane(0); }
    WavePane &Right() { return *view_->GetMainView()->GetPane(1); }

protected:
    void SetUp() override {
        previousLanguage_ = TModule::_localizedResourceDLL;
        TModule::_localizedResourceDLL = &language_;
        settings_ = TheWaveSettings();
        TheWaveSettings().snapOn = 0;
        TheWaveSettings().magnetMark = 0;
        TheWaveWindowSettings() = WaveWindowSettings();
        Wave::DeleteClipboardWave();
        wave_ = app_.OpenWave("mouse.wav", 2, kFrames, Ramp);
        view_ = app_.OpenWindow(wave_);
        view_->GetMainView()->SetZoom(1, 0, 1, -1);
        view_->GetMainView()->ScrollToFrame(0, 1);
        Fresh();
    }
    void TearDown() override {
        Button(false);
        // no window of these waves stays in the layout for the tests after
        app_.GetMDIClient()->CloseChildren();
        Wave::DeleteClipboardWave();
        TheWaveSettings() = settings_;
        TheWaveWindowSettings() = WaveWindowSettings();
        TModule::_localizedResourceDLL = previousLanguage_;
    }

    void Fresh() {
        SetForegroundWindow(app_.GetMainWindow()->GetHandle());
        SetFocus(Left().GetHandle());
        wave_->ClearSelection(1);
        wave_->SetCaret(3, 0);
        wave_->SetActiveChannels(3, 1);
        wave_->SetLevel(32767, 1);
        view_->GetMainView()->SetZoom(1, 0, 1, -1);
        view_->GetMainView()->ScrollToFrame(0, 1);
        Settle();
    }

    TModule language_{"EnglishTs", apptest::UseEnglishTexts()};
    TModule *previousLanguage_ = nullptr;
    WaveSettings settings_;
    WindowsScope app_;
    Wave *wave_ = nullptr;
    DoubleView *view_ = nullptr;
};

struct Selection {
    int start, end, channels, caret;
};

std::string Show(Selection s) {
    return std::to_string(s.start) + ".." + std::to_string(s.end) + " ch " + std::to_string(s.channels) + " caret " +
           std::to_string(s.caret);
}

struct GestureCase {
    char const *name;
    std::function<void(PaneMouse &, Wave &)> prepare;
    std::function<void(PaneMouse &)> gesture;
    Selection expected;  // start -1: none
};

// What a press, a drag and a release leave of the selection, its channels and the caret.
TEST_F(PaneMouse, GesturesSelectAndPlaceTheCaret) {
    auto nothing = [](PaneMouse &, Wave &) {};
    auto select100to300 = [](PaneMouse &, Wave &w) { w.SetSelection(100, 300, 3, 1); };
    GestureCase const cases[] = {
        {"a press that moves 2 pixels is a click", nothing,
         [](PaneMouse &t) {
             POINT p = At(t.Left(), 150, 0.75);
             MoveTo(p);
             Button(true);
             MoveTo({p.x + 2, p.y});
             Button(false);
         },
         {-1, -1, 0, 150}},
        {"a drag selects", nothing, [](PaneMouse &t) { Drag(At(t.Left(), 100, 0.75), At(t.Left(), 300, 0.75)); },
         {100, 300, 3, 301}},
        {"a drag backwards", nothing, [](PaneMouse &t) { Drag(At(t.Left(), 300, 0.75), At(t.Left(), 100, 0.75)); },
         {100, 300, 3, 100}},
        {"upper half of the left pane: left only", nothing,
         [](PaneMouse &t) { Drag(At(t.Left(), 100, 0.2), At(t.Left(), 200, 0.2)); }, {100, 200, 1, 201}},
        {"lower half of the right pane: right only", nothing,
         [](PaneMouse &t) { Drag(At(t.Right(), 100, 0.8), At(t.Right(), 200, 0.8)); }, {100, 200, 2, 201}},
        {"inner halves: both", nothing, [](PaneMouse &t) { Drag(At(t.Right(), 100, 0.2), At(t.Right(), 200, 0.2)); },
         {100, 200, 3, 201}},
        {"the start edge dragged past the end keeps the end", select100to300,
         [](PaneMouse &t) { Drag(At(t.Left(), 100, 0.75), At(t.Left(), 500, 0.75)); }, {300, 500, 3, 501}},
        {"the end edge dragged", select100to300,
         [](PaneMouse &t) { Drag(At(t.Left(), 300, 0.75), At(t.Left(), 250, 0.75)); }, {100, 250, 3, 251}},
        {"Shift and a click extend", select100to300,
         [](PaneMouse &t) {
             MoveTo(At(t.Left(), 600, 0.75));
             Held shift({VK_SHIFT});
             Button(true);
             Button(false);
         },
         {100, 600, 3, 601}},
        {"a click inside the selection clears it", select100to300,
         [](PaneMouse &t) { Click(At(t.Left(), 200, 0.75)); }, {-1, -1, 0, 200}},
        {"a magnet marker ends the edge one frame before it",
         [](PaneMouse &, Wave &w) {
             TheWaveSettings().magnetMark = 1;
             w.GetMarkers().Add(new Marker("m", 400, Marker::kPlain, 0), 0);
         },
         [](PaneMouse &t) { Drag(At(t.Left(), 100, 0.75), At(t.Left(), 403, 0.75)); }, {100, 399, 3, 400}},
        {"a double click selects between markers",
         [](PaneMouse &, Wave &w) {
             w.GetMarkers().Add(new Marker("a", 400, Marker::kPlain, 0), 0);
             w.GetMarkers().Add(new Marker("b", 800, Marker::kPlain, 0), 0);
         },
         [](PaneMouse &t) {
             POINT p = At(t.Left(), 600, 0.75);
             MoveTo(p);
             for (int i = 0; i < 2; ++i) {
                 SendMouse(MOUSEEVENTF_LEFTDOWN);
                 SendMouse(MOUSEEVENTF_LEFTUP);
             }
             PumpUntil([] { return false; }, 300);
         },
         {400, 799, 3, -2}},
    };
    for (GestureCase const &c : cases) {
        Fresh();
        while (wave_->GetMarkers().GetCount())
            wave_->GetMarkers().Remove(0);
        TheWaveSettings().magnetMark = 0;
        c.prepare(*this, *wave_);
        Settle();
        c.gesture(*this);
        Settle();
        Selection got = {wave_->GetSelectionStart(), wave_->GetSelectionEnd(), wave_->GetSelectedChannels(),
                         c.expected.caret == -2 ? -2 : wave_->GetCaret()};
        Selection want = c.expected;
        if (want.start < 0)
            got.channels = want.channels = 0;
        EXPECT_EQ(Show(want), Show(got)) << c.name;
        EXPECT_FALSE(WavePane::IsGestureActive()) << c.name;
    }
    while (wave_->GetMarkers().GetCount())
        wave_->GetMarkers().Remove(0);
}

// With Shift the band's edge moves the level; the cursor said so before the press.
TEST_F(PaneMouse, TheLevelBandFollowsTheMouse) {
    wave_->SetSelection(100, 900, 3, 1);
    Settle();
    WavePane &pane = Left();
    int h = pane.GetClientRect().Height();
    POINT top = At(pane, 500, 0);
    top.y += 3;
    MoveTo(top);
    {
        Held shift({VK_SHIFT});
        Button(true);
    }
    EXPECT_EQ(32645, WavePane::GetChosenCursor());
    POINT quarter = At(pane, 500, 0.25);
    MoveTo({quarter.x, quarter.y + 1});
    MoveTo(quarter);
    Button(false);
    int grab = 3 - pane.Geometry().BandTop(32767);
    EXPECT_EQ(std::abs(pane.LevelAtY(h / 4 - grab, 1)), wave_->GetLevel());
    EXPECT_LT(wave_->GetLevel(), 24000);
    EXPECT_EQ(100, wave_->GetSelectionStart());
    EXPECT_EQ(900, wave_->GetSelectionEnd());
}

// Held past the pane's right edge, the view scrolls and the selection follows.
TEST_F(PaneMouse, ADragPastTheEdgeScrollsTheView) {
    WavePane &pane = Left();
    POINT from = At(pane, 100, 0.75);
    POINT outside = {from.x - pane.FrameX(100) + pane.GetClientRect().Width() + 20, from.y};
    outside.x = std::min<LONG>(outside.x, GetSystemMetrics(SM_CXSCREEN) - 2);
    MoveTo(from);
    Button(true);
    MoveTo({from.x + 50, from.y});
    MoveTo(outside);
    int width = pane.GetClientRect().Width();
    EXPECT_TRUE(view_->GetMainView()->GetHorizontalScrollBar()->IsAutoScrolling());
    EXPECT_TRUE(PumpUntil([&] { return view_->GetMainView()->GetScrollPosition() > 20; }, 10000));
    Button(false);
    EXPECT_EQ(100, wave_->GetSelectionStart());
    EXPECT_GE(wave_->GetSelectionEnd(), width + 20);
    EXPECT_FALSE(view_->GetMainView()->GetHorizontalScrollBar()->IsAutoScrolling());
}

// Ctrl's band in the main view zooms it to the band; a click in the overview shows the main
// view from there.
TEST_F(PaneMouse, ZoomBandAndOverviewClick) {
    WaveView *main = view_->GetMainView();
    MoveTo(At(Left(), 200, 0.5));
    {
        Held ctrl({VK_CONTROL});
        Button(true);
    }
    MoveTo(At(Left(), 400, 0.5));
    MoveTo(At(Left(), 600, 0.5));
    Button(false);
    EXPECT_GT(main->GetZoom(), 1);
    EXPECT_NEAR(200, main->GetFirstVisibleFrame(), 40);
    ASSERT_TRUE(view_->GetOverview());
    WavePane &overview = *view_->GetOverview()->GetPane(0);
    Click(At(overview, 2000, 0.5));
    EXPECT_NEAR(2000, main->GetFirstVisibleFrame(), std::max(-view_->GetOverview()->GetZoom(), 1) + 1);
    EXPECT_EQ(-1, wave_->GetSelectionStart());
}

// Two nudges in a row are one undo step; a nudge right stops where the selection meets the end.
TEST_F(PaneMouse, NudgesJoinTheirUndoStepAndStopAtTheEnd) {
    wave_->SetSelection(1000, 1099, 3, 1);
    wave_->ClearUndoMementos();
    Samples before = ReadChannel(*wave_, 0);
    TheWaveWindowSettings().mouseTool = 4;
    view_->GetMainView()->SetZoom(-4, 0, 1, -1);
    Settle();
    for (int i = 0; i < 2; ++i)
        Click(At(Left(), 500, 0.75));
    EXPECT_EQ(1008, wave_->GetSelectionStart());
    EXPECT_EQ(1, wave_->GetNumUndoMementos());
    Samples after = ReadChannel(*wave_, 0);
    EXPECT_TRUE(std::equal(before.begin() + 1000, before.begin() + 1100, after.begin() + 1008));
    wave_->UndoCurrentState();
    EXPECT_EQ(before, ReadChannel(*wave_, 0));

    wave_->SetSelection(kFrames - 102, kFrames - 3, 3, 1);
    Click(At(Left(), 500, 0.75));
    EXPECT_EQ(kFrames - 100, wave_->GetSelectionStart());
    EXPECT_EQ(kFrames - 1, wave_->GetSelectionEnd());
    TheWaveWindowSettings().mouseTool = 3;
    wave_->SetSelection(2, 101, 3, 1);
    Click(At(Left(), 500, 0.75));
    EXPECT_EQ(0, wave_->GetSelectionStart());
}

// Another window taking the capture, the system's cancel and the window closing each end a
// gesture: no drag goes on, and play from a click stops with the view's scrolling back.
TEST_F(PaneMouse, LosingTheCaptureEndsTheGesture) {
    enginetest::PlaybackScope playback;
    HWND frame = app_.GetMainWindow()->GetHandle();
    struct Loss {
        char const *name;
        std::function<void()> take;
    } const losses[] = {
        {"another window captures", [&] { SetCapture(frame); }},
        {"cancel mode", [&] { SendMessageA(Left().GetHandle(), WM_CANCELMODE, 0, 0); }},
        {"Alt+Tab, then the other window captures",
         [&] {
             Held alt({VK_MENU});
             Key(VK_TAB, true);
             Key(VK_TAB, false);
             SetCapture(frame);
         }},
    };
    for (Loss const &loss : losses) {
        for (int play = 0; play < 2; ++play) {
            SCOPED_TRACE(std::string(loss.name) + (play ? ", playing" : ""));
            Fresh();
            TheWaveWindowSettings().scrollOnPlay = 1;
            MoveTo(At(Left(), 100, 0.75));
            {
                std::unique_ptr<Held> space(play ? new Held({VK_SPACE}) : nullptr);
                Button(true);
            }
            MoveTo(At(Left(), 200, 0.75));
            ASSERT_TRUE(WavePane::IsGestureActive());
            EXPECT_EQ(play ? 0 : 1, TheWaveWindowSettings().scrollOnPlay);
            loss.take();
            Settle();
            EXPECT_FALSE(WavePane::IsGestureActive());
            EXPECT_EQ(1, TheWaveWindowSettings().scrollOnPlay);
            EXPECT_FALSE(wave_->IsPlaying());
            ReleaseCapture();
            int end = wave_->GetSelectionEnd();
            MoveTo(At(Left(), 300, 0.75));
            EXPECT_EQ(end, wave_->GetSelectionEnd());
            Button(false);
        }
    }
    // the window closes under the drag
    Fresh();
    MoveTo(At(Left(), 100, 0.75));
    Button(true);
    MoveTo(At(Left(), 200, 0.75));
    ASSERT_TRUE(WavePane::IsGestureActive());
    view_->GetParentO()->SendMessageA(WM_CLOSE, 0, 0);
    Settle();
    EXPECT_FALSE(WavePane::IsGestureActive());
    Button(false);
}

// Space and a press play the wave from the clicked frame until the release.
TEST_F(PaneMouse, PlayFromAClickStartsAtTheClickedFrame) {
    enginetest::PlaybackScope playback;
    enginetest::ClearPlayed();
    int const clicked = 734;
    MoveTo(At(Left(), clicked, 0.75));
    {
        Held space({VK_SPACE});
        Button(true);
    }
    EXPECT_TRUE(WavePane::IsGestureActive());
    EXPECT_TRUE(enginetest::WaitUntil([] { return enginetest::PlayedBytes().size() >= 400 * 4; }, 20000));
    Button(false);
    Settle();
    EXPECT_FALSE(wave_->IsPlaying());
    std::string bytes = enginetest::PlayedBytes();
    size_t first = 0;
    while (first + 4 <= bytes.size() && !bytes.compare(first, 4, std::string(4, '\0')))
        first += 4;
    ASSERT_GE(bytes.size(), first + 400 * 4);
    for (int i = 0; i < 400; ++i)
        for (int c = 0; c < 2; ++c) {
            int16_t sample;
            memcpy(&sample, bytes.data() + first + i * 4 + c * 2, 2);
            ASSERT_EQ(int16_t(Ramp(c, clicked + i)), sample) << "frame " << i << " channel " << c;
        }
}

// ---- drops between two windows

class RecordedCrossfade : public CrossfadeDropLink {
public:
    void Crossfade(Wave &target, int channels, int first, int last, Wave &source, int sourceFirst,
                   int sourceLast) override {
        calls.push_back({&target == &source, channels, first, last, sourceFirst, sourceLast});
    }
    std::vector<std::vector<int>> calls;
};

class PaneDrops : public PaneMouse {
public:
    WavePane &TargetPane(int channel) { return *targetView_->GetMainView()->GetPane(channel); }

protected:
    void SetUp() override {
        PaneMouse::SetUp();
        target_ = app_.OpenWave("target.wav", 2, kFrames, [](int c, int f) { return Ramp(1 - c, f + 11); });
        targetView_ = app_.OpenWindow(target_);
        TRect client = app_.GetMDIClient()->GetClientRect();
        int w = client.Width() / 2, h = client.Height() * 6 / 10;
        Place(view_, 0, w, h);
        Place(targetView_, w, w, h);
        previous_ = SetCrossfadeDropLink(&crossfade_);
    }
    void TearDown() override {
        SetCrossfadeDropLink(previous_);
        PaneMouse::TearDown();
    }
    void Place(DoubleView *view, int x, int w, int h) {
        TWindow *child = view->GetParentO();
        child->ShowWindow(SW_RESTORE);
        child->MoveWindow(x, 0, w, h, true);
        view->GetMainView()->SetZoom(-4, 0, 1, -1);
        view->GetMainView()->ScrollToFrame(0, 1);
        Settle();
    }
    void Reset() {
        for (Wave *w : {wave_, target_}) {
            for (int n = w->GetNumUndoMementos(); n > 0; --n)
                w->UndoCurrentState();
            w->ClearUndoMementos();
            w->ClearSelection(1);
            w->SetActiveChannels(3, 1);
        }
        // a change of length fits the views anew
        for (DoubleView *view : {view_, targetView_}) {
            view->GetMainView()->SetZoom(-4, 0, 1, -1);
            view->GetMainView()->ScrollToFrame(0, 1);
        }
        crossfade_.calls.clear();
        WindowsScope::boxes = 0;
        Settle();
    }

    Wave *target_ = nullptr;
    DoubleView *targetView_ = nullptr;
    RecordedCrossfade crossfade_;
    CrossfadeDropLink *previous_ = nullptr;
};

struct DropCase {
    char const *name;
    int sourceChannels;
    std::vector<WORD> keys;
    std::function<POINT(PaneDrops &)> where;
    int sourceLength, targetLength, sourceSteps, targetSteps;
};

// Frames 100..299 dragged from the first window; lengths and undo steps of both waves after.
TEST_F(PaneDrops, DropTableAcrossTwoWindows) {
    int const n = 200;
    DropCase const cases[] = {
        {"onto its own selection: nothing", 3, {}, [](PaneDrops &t) { return At(t.Left(), 250, 0.75); }, kFrames,
         kFrames, 0, 0},
        {"copy into both channels", 3, {}, [](PaneDrops &t) { return At(t.TargetPane(0), 1000, 0.75); }, kFrames,
         kFrames + n, 0, 1},
        {"copy of the left into the left", 1, {}, [](PaneDrops &t) { return At(t.TargetPane(0), 1000, 0.2); },
         kFrames, kFrames + n, 0, 1},
        {"copy of the left into the right", 1, {}, [](PaneDrops &t) { return At(t.TargetPane(1), 1000, 0.8); },
         kFrames, kFrames + n, 0, 1},
        {"move with Shift", 3, {VK_SHIFT}, [](PaneDrops &t) { return At(t.TargetPane(0), 1000, 0.75); },
         kFrames - n, kFrames + n, 1, 1},
        {"move inside its own wave", 3, {VK_SHIFT}, [](PaneDrops &t) { return At(t.Left(), 1000, 0.75); }, kFrames,
         kFrames, 1, 0},
        {"copy inside its own wave", 3, {}, [](PaneDrops &t) { return At(t.Left(), 1000, 0.75); }, kFrames + n,
         kFrames, 1, 0},
    };
    for (DropCase const &c : cases) {
        Reset();
        Samples before = ReadChannel(*wave_, 0);
        wave_->SetSelection(100, 299, c.sourceChannels, 1);
        Settle();
        POINT from = At(Left(), 200, c.sourceChannels == 1 ? 0.2 : 0.75);
        POINT to = c.where(*this);
        MoveTo(from);
        Button(true);
        MoveTo({from.x + 5, from.y + 5});
        MoveTo(to);
        {
            // keys after the last move: the system takes the modifiers of a pointer motion as they are
            Held keys(c.keys);
            Button(false);
            // another key before Alt goes up keeps the frame's menu from opening
            Key(VK_CONTROL, true);
            Key(VK_CONTROL, false);
        }
        Settle();
        EXPECT_EQ(c.sourceLength, wave_->GetLength()) << c.name;
        EXPECT_EQ(c.targetLength, target_->GetLength()) << c.name;
        EXPECT_EQ(c.sourceSteps, wave_->GetNumUndoMementos()) << c.name;
        EXPECT_EQ(c.targetSteps, target_->GetNumUndoMementos()) << c.name;
        if (c.targetSteps && c.sourceChannels == 3 && c.keys.empty()) {
            Samples got = ReadChannel(*target_, 0);
            EXPECT_TRUE(std::equal(before.begin() + 100, before.begin() + 300, got.begin() + 1000)) << c.name;
        }
        EXPECT_EQ(0, WindowsScope::boxes) << c.name;
    }
}

// A move whose rate question is answered No, or whose paste fails, keeps the source.
TEST_F(PaneDrops, ARefusedOrFailedMoveKeepsTheSource) {
    Samples before = ReadChannel(*wave_, 0);
    for (int failing = 0; failing < 2; ++failing) {
        SCOPED_TRACE(failing ? "paste fails" : "rates differ");
        Reset();
        int rate = target_->GetRate();
        if (!failing)
            target_->SetRate(22050);
        std::unique_ptr<AudioObject::BusyHold> busy(
            failing ? new AudioObject::BusyHold(*target_, AudioObject::BusyHold::kTakeWhenFree) : nullptr);
        wave_->SetSelection(100, 299, 3, 1);
        Settle();
        POINT from = At(Left(), 200, 0.75);
        MoveTo(from);
        Button(true);
        MoveTo({from.x + 5, from.y});
        MoveTo(At(TargetPane(0), 1000, 0.75));
        {
            Held shift({VK_SHIFT});
            Button(false);
        }
        Settle();
        busy.reset();
        target_->SetRate(rate);
        EXPECT_EQ(kFrames, wave_->GetLength());
        EXPECT_EQ(before, ReadChannel(*wave_, 0));
        EXPECT_EQ(kFrames, target_->GetLength());
        EXPECT_EQ(1, WindowsScope::boxes);
    }
}

// Onto another wave's selection: the crossfade link, or 10004 when the dragged range is shorter.
TEST_F(PaneDrops, CrossfadeDropsAndTheNewWindow) {
    struct {
        int sourceLast, channels;
        double y;
        int pane;
        std::vector<int> call;  // empty: refused
    } const cases[] = {
        {399, 3, 0.75, 0, {0, 3, 1000, 1199, 100, 399}},
        {399, 1, 0.2, 0, {0, 1, 1000, 1199, 100, 399}},
        {399, 2, 0.8, 1, {0, 2, 1000, 1199, 100, 399}},
        {199, 3, 0.75, 0, {}},
    };
    for (auto const &c : cases) {
        Reset();
        target_->SetSelection(1000, 1199, c.channels, 1);
        wave_->SetSelection(100, c.sourceLast, c.channels, 1);
        Settle();
        POINT from = At(c.channels == 2 ? Right() : Left(), 150, c.y);
        MoveTo(from);
        Button(true);
        MoveTo({from.x + 5, from.y});
        MoveTo(At(TargetPane(c.pane), 1100, c.y));
        Button(false);
        Settle();
        if (c.call.empty()) {
            EXPECT_TRUE(crossfade_.calls.empty());
            EXPECT_EQ(1, WindowsScope::boxes);
        } else {
            ASSERT_EQ(1u, crossfade_.calls.size()) << c.channels;
            EXPECT_EQ(c.call, crossfade_.calls[0]);
            EXPECT_EQ(0, WindowsScope::boxes);
        }
    }
    // onto the empty client: a new window with the dragged frames
    Reset();
    TRect client = app_.GetMDIClient()->GetClientRect();
    Place(view_, 0, client.Width() / 2, client.Height() * 6 / 10);
    Place(targetView_, client.Width() / 2, client.Width() / 2, client.Height() * 6 / 10);
    wave_->SetSelection(100, 299, 3, 1);
    Settle();
    POINT empty = {client.Width() / 2, client.Height() * 9 / 10};
    ClientToScreen(app_.GetMDIClient()->GetHandle(), &empty);
    POINT from = At(Left(), 200, 0.75);
    std::vector<Document *> before;
    for (Document *d = app_.FindFirstDoc(); d; d = app_.FindNextDoc(d))
        before.push_back(d);
    MoveTo(from);
    Button(true);
    MoveTo({from.x + 5, from.y});
    MoveTo(empty);
    EXPECT_EQ(111, WavePane::GetChosenCursor());  // both channels, no Ctrl
    Button(false);
    Settle();
    Wave *made = nullptr;
    for (Document *d = app_.FindFirstDoc(); d; d = app_.FindNextDoc(d))
        if (std::find(before.begin(), before.end(), d) == before.end())
            made = dynamic_cast<Wave *>(d);
    ASSERT_TRUE(made);
    EXPECT_EQ(200, made->GetLength());
    EXPECT_EQ(kFrames, wave_->GetLength());
}

}  // namespace

namespace {

// A CD program view as the CD programs would register it: it keeps the drops it receives.
class CdStandIn : public CdDropLink {
public:
    int IsCdProgramView(HWND window) override { return window == view; }
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == kCdDropMessage)
            drops.push_back({wParam, lParam});
        return DefWindowProcA(window, message, wParam, lParam);
    }
    HWND view = nullptr;
    static std::vector<std::pair<WPARAM, LPARAM>> drops;
};

std::vector<std::pair<WPARAM, LPARAM>> CdStandIn::drops;

}  // namespace

// Onto a CD program view: the wave and the point go to the view, unless the dragged range holds
// a CD track marker.
TEST_F(PaneDrops, ACdProgramViewTakesRangesWithoutTracks) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = CdStandIn::Procedure;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "CdProgramStandIn";
    RegisterClassA(&wc);
    TRect client = app_.GetMDIClient()->GetClientRect();
    CdStandIn cd;
    cd.view = CreateWindowA("CdProgramStandIn", "", WS_CHILD | WS_VISIBLE, 0, client.Height() * 7 / 10, 200, 100,
                            app_.GetMDIClient()->GetHandle(), nullptr, wc.hInstance, nullptr);
    CdDropLink *previous = SetCdDropLink(&cd);
    for (int withTrack = 0; withTrack < 2; ++withTrack) {
        Reset();
        CdStandIn::drops.clear();
        if (withTrack)
            wave_->GetMarkers().Add(new Marker("t", 150, Marker::kTrackStart, 0), 0);
        wave_->SetSelection(100, 299, 3, 1);
        Settle();
        POINT from = At(Left(), 200, 0.75), onto = {50, 40};
        ClientToScreen(cd.view, &onto);
        MoveTo(from);
        Button(true);
        MoveTo({from.x + 5, from.y});
        MoveTo(onto);
        EXPECT_EQ(withTrack ? 81 : 411, WavePane::GetChosenCursor());
        Button(false);
        Settle();
        if (withTrack) {
            EXPECT_TRUE(CdStandIn::drops.empty());
        } else {
            ASSERT_EQ(1u, CdStandIn::drops.size());
            EXPECT_EQ(WPARAM(wave_), CdStandIn::drops[0].first);
            EXPECT_EQ(LPARAM(MAKELPARAM(50, 40)), CdStandIn::drops[0].second);
        }
        EXPECT_EQ(kFrames, wave_->GetLength());
    }
    wave_->GetMarkers().Remove(0);
    SetCdDropLink(previous);
    DestroyWindow(cd.view);
}
