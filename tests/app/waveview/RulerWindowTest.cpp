// The rulers on the screen: the time ruler's labelled ticks over the frames the panes show,
// the level scale's ticks on the panes' axis lines, changes reaching the views the keys
// ask for, markers dragged on the ruler, style sets applied to windows, and the overview's
// shadow band.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "audio/Marker.h"
#include "audio/MarkerSet.h"
#include "audio/WaveSettings.h"
#include "core/Module.h"
#include "waveview/LevelFormat.h"
#include "waveview/LevelScale.h"
#include "waveview/MarkerWindow.h"
#include "waveview/PositionText.h"
#include "waveview/RulerSteps.h"
#include "waveview/SaveStyleDialog.h"
#include "waveview/ScaleScope.h"
#include "waveview/ShadowBar.h"
#include "waveview/TimeScale.h"
#include "waveview/ViewStyle.h"
#include "waveview/WavePane.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using wavewindowtest::Pixels;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 40000;
COLORREF const kTick = 0x000000FF;

int Sine(int channel, int frame) { return int((channel ? 9000 : 12000) * std::sin(frame * 2 * 3.14159265358979 / 400)); }

// A window at zoom z without an overview unless asked; flat rulers with red ticks.
WaveViewGlobalMemento Memento(int z, int overview = 0, int verticalZoom = 1) {
    WaveViewGlobalMemento m;
    m.defaultFlag = 0;
    m.words.zoom[0] = m.words.zoom[1] = z;
    m.words.verticalZoom[0] = verticalZoom;
    m.words.verticalPosition = (verticalZoom * 100 - 100) / 2;
    m.views.overviewOpen = overview;
    for (WaveViewStyleBlock &b : m.views.views) {
        b.timeScale.style = 1;
        b.timeScale.tickColor = kTick;
        b.timeScale.fontColor = 0x00808080;
        b.levelScale.style = 0;
        b.levelScale.tickColor = kTick;
        b.view.axis = b.view.axis50 = 1;
        b.panes[0][WavePaneColors::kAxis] = b.panes[1][WavePaneColors::kAxis] = 0x0000FF00;
        b.panes[0][WavePaneColors::kAxis50] = b.panes[1][WavePaneColors::kAxis50] = 0x00FF0000;
    }
    return m;
}

void Repaint(TWindow *window) {
    ::RedrawWindow(window->GetHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
}

class Rulers : public testing::Test {
protected:
    void SetUp() override {
        TheWaveWindowSettings().autoZoom = 0;
        wave = app.OpenWave("rulers.wav", 2, kFrames, Sine);
        ASSERT_TRUE(wave);
    }
    void TearDown() override {
        TheWaveWindowSettings() = WaveWindowSettings();
        BYTE keys[256] = {};
        ::SetKeyboardState(keys);
    }
    DoubleView *Open(Wave *w, WaveViewGlobalMemento const &m) { return app.OpenWindow(w, &m); }

    WindowsScope app;
    Wave *wave = nullptr;
};

// Each labelled tick stands on the screen column where the pane shows its frame, with or
// without an origin, in every unit.
TEST_F(Rulers, LabelledTicksStandOverTheirFrames) {
    DoubleView *window = Open(wave, Memento(-16));
    WaveView *view = window->GetMainView();
    TimeScale *ruler = view->GetTimeScale();
    WavePane *pane = view->GetPane(0);
    ASSERT_TRUE(ruler && pane);
    view->ScrollToFrame(3000, 1);
    for (unsigned unit : {kUnitSeconds, kUnitSamples, kUnitSmpte, kUnitBars, kUnitBarsFromZero, kUnitBytes})
        for (long origin : {0L, 1234L}) {
            SCOPED_TRACE(testing::Message() << unit << " " << origin);
            ruler->GetStyle().unit = unit;
            ruler->SetOrigin(origin);
            Repaint(ruler);
            Pixels pixels(ruler->GetHandle());
            int const offset = pane->GetWindowRect().left - ruler->GetWindowRect().left;
            RulerStep step = ruler->GetStep();
            int checked = 0;
            for (int64_t k = FirstTick(step, pane->FrameAt(-offset), origin);; ++k) {
                int x = pane->FrameX(int(origin + step.TickSamples(k))) + offset;
                if (x >= pixels.Width() - 1)
                    break;
                if (x < 0)
                    continue;
                EXPECT_EQ(kTick, pixels.At(x, pixels.Height() - 3)) << "x " << x;
                EXPECT_EQ(kTick, pixels.At(x, 2)) << "x " << x;
                ++checked;
            }
            EXPECT_GE(checked, 2);
        }
}

// In raw values and decibels the ticks of 0 and half the full scale sit on the rows of the
// pane's zero and 50 % lines.
TEST_F(Rulers, LevelTicksSitOnThePanesAxisLines) {
    for (int verticalZoom : {1, 2, 16})
        for (unsigned unit : {unsigned(kLevelRaw), unsigned(kLevelDecibels)}) {
            SCOPED_TRACE(testing::Message() << verticalZoom << " " << unit);
            WaveViewGlobalMemento m = Memento(-16, 0, verticalZoom);
            m.views.views[0].levelScale.unit = unit;
            DoubleView *window = Open(wave, m);
            WaveView *view = window->GetMainView();
            ASSERT_EQ(verticalZoom, view->GetVerticalZoom());
            LevelScale *scale = view->GetLevelScale(0);
            WavePane *pane = view->GetPane(0);
            ASSERT_TRUE(scale && pane);
            Repaint(view);
            Pixels scalePixels(scale->GetHandle()), panePixels(pane->GetHandle());
            int found = 0;
            for (int level : {0, 16384, -16384}) {
                int y = pane->Geometry().Y(level);
                if (y < 8 || y >= panePixels.Height() - 8)
                    continue;
                EXPECT_NE(panePixels.At(3, y), panePixels.At(3, y + 3)) << "the pane's line of " << level;
                EXPECT_EQ(kTick, scalePixels.At(scalePixels.Width() - 3, y)) << level;
                ++found;
            }
            EXPECT_GE(found, 1);
            window->GetParentO()->SendMessageA(WM_CLOSE);
            Settle();
        }
}

// Without Ctrl this window, with Ctrl every window of the wave, with Ctrl and Shift every
// wave window: rulers and level scales alike.
TEST_F(Rulers, ChangesReachTheViewsTheKeysAskFor) {
    Wave *other = app.OpenWave("other.wav", 1, 5000, Sine);
    DoubleView *windows[3] = {Open(wave, Memento(-16)), Open(wave, Memento(-16)), Open(other, Memento(-16))};
    struct Case {
        int scope;
        unsigned levelUnit;
        bool reached[3];
    } const cases[] = {
        {kScopeThisWindow, kLevelRaw, {true, false, false}},
        {kScopeThisWave, kLevelDecibels, {true, true, false}},
        {kScopeAllWaves, kLevelPercent, {true, true, true}},
    };
    unsigned unit = kUnitSeconds;
    for (Case const &c : cases) {
        unit = unit == kUnitSamples ? kUnitSmpte : kUnitSamples;
        WaveView *source = windows[0]->GetMainView();
        source->GetTimeScale()->GetStyle().unit = unit;
        source->GetLevelScale(0)->GetStyle().unit = c.levelUnit;
        ApplyTimeScaleChange(source, kApplyUnit, c.scope);
        ApplyLevelScaleChange(source, kApplyUnit, c.scope);
        for (int i = 1; i < 3; ++i) {
            WaveView *view = windows[i]->GetMainView();
            EXPECT_EQ(c.reached[i], view->GetTimeScale()->GetStyle().unit == unit) << c.scope << " " << i;
            EXPECT_EQ(c.reached[i], view->GetLevelScale(0)->GetStyle().unit == c.levelUnit) << c.scope << " " << i;
        }
    }
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_EQ(kScopeThisWave, ScopeOfKeys());
    keys[VK_SHIFT] = 0x80;
    ::SetKeyboardState(keys);
    EXPECT_EQ(kScopeAllWaves, ScopeOfKeys());
}

// ---- marker drags

class MarkerDrag : public Rulers {
protected:
    void SetUp() override {
        Rulers::SetUp();
        wave->GetMarkers().Add(new Marker(String("Cue"), 10000, Marker::kPlain, 0), 0);
        window = Open(wave, Memento(-16));
        ruler = window->GetMainView()->GetTimeScale();
        ASSERT_TRUE(ruler);
        window->GetMainView()->ScrollToFrame(8000, 1);
        Settle();
    }
    // Presses on the marker's glyph, moves by dx, dy and lets go there.
    void Drag(int dx, int dy, bool shift = false) {
        BYTE keys[256] = {};
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        int x = ruler->FrameX(MarkerAt(0)->position_), y = ruler->GetClientRect().Height() - 5;
        ruler->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ruler->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx / 2, y + dy / 2));
        ruler->SendMessageA(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + dx, y + dy));
        ruler->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(x + dx, y + dy));
        keys[VK_SHIFT] = 0;
        ::SetKeyboardState(keys);
        Settle();
    }
    Marker *MarkerAt(int i) { return wave->GetMarkers().GetMarker(i); }

    DoubleView *window = nullptr;
    TimeScale *ruler = nullptr;
};

TEST_F(MarkerDrag, OutOfTheRulerAndPanesDeletesAndOneUndoBringsItBack) {
    int steps = wave->GetNumUndoMementos();
    Drag(0, -300);
    EXPECT_EQ(0, wave->GetMarkers().GetCount());
    EXPECT_EQ(steps + 1, wave->GetNumUndoMementos());
    wave->UndoCurrentState();
    ASSERT_EQ(1, wave->GetMarkers().GetCount());
    EXPECT_EQ(10000, MarkerAt(0)->position_);
}

// A click on the ruler near a magnetic place (here the selection's start) puts the caret on it.
TEST_F(MarkerDrag, AClickSnapsTheCaretToTheSelectionsStart) {
    wave->SetSelection(12000, 12999, 3, 1);
    int y = ruler->GetClientRect().Height() - 5;
    for (int dx : {3, 40}) {
        int x = ruler->FrameX(12000) + dx;
        ruler->SendMessageA(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        ruler->SendMessageA(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
        Settle();
        long expected = dx == 3 ? 12000 : ruler->PositionAt(TPoint(x, y));
        EXPECT_EQ(expected, wave->GetCaret()) << dx << " px from the start";
    }
}

TEST_F(MarkerDrag, TwoPixelsOnlyRedraw) {
    int steps = wave->GetNumUndoMementos();
    Drag(2, 0);
    ASSERT_EQ(1, wave->GetMarkers().GetCount());
    EXPECT_EQ(10000, MarkerAt(0)->position_);
    EXPECT_EQ(steps, wave->GetNumUndoMementos());
    EXPECT_FALSE(MarkerAt(0)->flags_ & Marker::kHighlighted);
}

// Moved to the zero crossing after the drop point; with Shift a copy goes there instead.
TEST_F(MarkerDrag, MovesToTheNextZeroCrossingAndShiftCopies) {
    TheWaveSettings().snapOn = 1;
    int x = ruler->FrameX(10000) + 40;
    long dropped = ruler->PositionAt(TPoint(x, 0));
    int expected = wave->FindZeroCrossing(2, 3, int(dropped), kFrames - 1);
    EXPECT_NE(dropped, expected) << "the drop point is not a crossing itself";
    Drag(40, 0);
    ASSERT_EQ(1, wave->GetMarkers().GetCount());
    EXPECT_EQ(expected, MarkerAt(0)->position_);
    Drag(-40, 0, true);
    ASSERT_EQ(2, wave->GetMarkers().GetCount());
    EXPECT_EQ(expected, MarkerAt(1)->position_) << "the original stays";
}

TEST_F(MarkerDrag, ALockedMarkerStaysAndTheUserIsTold) {
    MarkerAt(0)->flags_ |= Marker::kLocked;
    int boxes = WindowsScope::boxes, steps = wave->GetNumUndoMementos();
    Drag(40, 0);
    EXPECT_EQ(10000, MarkerAt(0)->position_);
    EXPECT_EQ(steps, wave->GetNumUndoMementos());
    EXPECT_EQ(boxes + 1, WindowsScope::boxes);
}

// The glyph of the marker's type stands on the ruler's bottom edge at the marker's column.
TEST_F(MarkerDrag, TheGlyphIsDrawnAtTheMarker) {
    TModule common("CommonRscTs", apptest::LoadLanguageModule("CommonRscTs.dll"));
    TModule *previous = TModule::_commonResourceDLL;
    TModule::_commonResourceDLL = &common;
    window->GetParentO()->SendMessageA(WM_CLOSE);
    Settle();
    window = Open(wave, Memento(-16));
    ruler = window->GetMainView()->GetTimeScale();
    window->GetMainView()->ScrollToFrame(8000, 1);
    Repaint(ruler);
    Pixels pixels(ruler->GetHandle());
    int x = ruler->FrameX(10000), magenta = 0;
    for (int dx = -6; dx <= 6; ++dx)
        for (int y = pixels.Height() - 13; y < pixels.Height(); ++y)
            magenta += pixels.At(x + dx, y) == 0x00FF00FF;
    EXPECT_GT(magenta, 20);
    window->GetParentO()->SendMessageA(WM_CLOSE);
    Settle();
    TModule::_commonResourceDLL = previous;
}

// A double click on a glyph puts the caret there; the popup's delete takes the marker
// under the right click as one undo step; off the markers it opens the marker window.
TEST_F(MarkerDrag, DoubleClickGoesToTheMarkerAndTheMenuDeletesIt) {
    int x = ruler->FrameX(10000);
    ruler->SendMessageA(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 3));
    EXPECT_EQ(10000, wave->GetCaret());
    int steps = wave->GetNumUndoMementos();
    TimeScale::SetClickedMarker(0);
    ruler->SendMessageA(WM_COMMAND, TimeScale::kCmDeleteMarker, 0);
    TimeScale::SetClickedMarker(-1);
    EXPECT_EQ(0, wave->GetMarkers().GetCount());
    EXPECT_EQ(steps + 1, wave->GetNumUndoMementos());
    // with no marker under it the double click opens the marker window
    ruler->SendMessageA(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, 3));
    EXPECT_TRUE(IsMarkerWindowShown());
    ShowMarkerWindow(false);
}

// The menu's unit reaches this window's ruler; hiding takes this ruler only.
TEST_F(Rulers, ThePopupsCommands) {
    DoubleView *window = Open(wave, Memento(-16, 1));
    TimeScale *main = window->GetMainView()->GetTimeScale();
    ASSERT_TRUE(main && window->GetOverview() && window->GetOverview()->GetTimeScale());
    main->SendMessageA(WM_COMMAND, TimeScale::kCmUnitBytes, 0);
    EXPECT_EQ(unsigned(kUnitBytes), main->GetStyle().unit);
    main->SendMessageA(WM_COMMAND, TimeScale::kCmFlat, 0);
    EXPECT_EQ(1, main->GetStyle().style);
    wave->SetCaret(wave->GetActiveChannels(), 777);
    main->SendMessageA(WM_COMMAND, TimeScale::kCmOriginAtCaret, 0);
    EXPECT_EQ(777, main->GetOrigin());
    main->SendMessageA(WM_COMMAND, TimeScale::kCmHide, 0);
    Settle();
    EXPECT_FALSE(window->GetMainView()->GetTimeScale());
    EXPECT_TRUE(window->GetOverview()->GetTimeScale());
    EXPECT_EQ(777, window->GetMainView()->GetOrigin()) << "the view keeps the origin";
    LevelScale *scale = window->GetMainView()->GetLevelScale(0);
    ASSERT_TRUE(scale);
    scale->SendMessageA(WM_COMMAND, LevelScale::kCmRaw, 0);
    EXPECT_EQ(unsigned(kLevelRaw), scale->GetStyle().unit);
    scale->SendMessageA(WM_COMMAND, LevelScale::kCmHide, 0);
    Settle();
    EXPECT_FALSE(window->GetMainView()->GetLevelScale(0));
}

// ---- style sets on windows

TEST_F(Rulers, StyleSetsRestyleWindows) {
    WaveViewStyleBlock saved[2] = {StyleSetBlock(2, 0), StyleSetBlock(2, 1)};
    WaveViewStyleBlock savedDefault[2] = {StyleSetBlock(0, 0), StyleSetBlock(0, 1)};
    EditStyleSetBlock(2, 0).view.showTimeScale = 0;
    EditStyleSetBlock(2, 0).levelScale.unit = kLevelPercent;
    DoubleView *window = Open(wave, Memento(-16));
    ASSERT_TRUE(window->GetMainView()->GetTimeScale());
    window->SendMessageA(WM_COMMAND, DoubleView::kCmStyleDefault + 2, 0);
    EXPECT_FALSE(window->GetMainView()->GetTimeScale());
    EXPECT_EQ(unsigned(kLevelPercent), window->GetMainView()->GetLevelScale(0)->GetStyle().unit);
    window->SendMessageA(WM_COMMAND, DoubleView::kCmStyleDefault, 0);
    ASSERT_TRUE(window->GetMainView()->GetTimeScale());
    // the window's look as set 0: the next window starts with it
    window->GetMainView()->GetTimeScale()->GetStyle().unit = kUnitBytes;
    StoreWindowStyle(*window, 0);
    DoubleView *next = app.OpenWindow(wave, nullptr);
    EXPECT_EQ(unsigned(kUnitBytes), next->GetMainView()->GetTimeScale()->GetStyle().unit);
    for (int i = 0; i < 2; ++i) {
        EditStyleSetBlock(2, i) = saved[i];
        EditStyleSetBlock(0, i) = savedDefault[i];
    }
}

// The box's choices: the set that takes the window's look, names cleaned, the file written
// (and put back afterwards).
TEST_F(Rulers, TheStyleBoxStoresTheWindowsLookAndTheNames) {
    std::string path = testsupport::ProgramFolder() + "\\system\\style.set";
    bool existed = ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
    std::string before = existed ? testsupport::ReadBytes(path) : std::string();
    WaveViewStyleBlock saved = StyleSetBlock(3, 0);
    String name = StyleSetName(1);
    TModule english("EnglishTs", apptest::UseEnglishTexts());
    TModule *language = TModule::_localizedResourceDLL;
    TModule::_localizedResourceDLL = &english;
    DoubleView *window = Open(wave, Memento(-16));
    window->GetMainView()->GetTimeScale()->GetStyle().unit = kUnitSmpte;
    apptest::WhenModal([](HWND box) {
        ::CheckRadioButton(box, SaveStyleDialog::kFirstSet, SaveStyleDialog::kFirstSet + 5, SaveStyleDialog::kFirstSet + 3);
        ::SetDlgItemTextA(box, SaveStyleDialog::kFirstName, " {Warm} ");
        apptest::Click(box, IDOK);
    });
    window->SendMessageA(WM_COMMAND, DoubleView::kCmSaveStyle, 0);
    TModule::_localizedResourceDLL = language;
    EXPECT_EQ("Warm", std::string(StyleSetName(1).c_str()));
    EXPECT_EQ(unsigned(kUnitSmpte), StyleSetBlock(3, 0).timeScale.unit);
    EXPECT_NE(std::string::npos, testsupport::ReadBytes(path).find("Warm"));
    if (existed)
        testsupport::WriteBytes(path, before);
    else
        ::DeleteFileA(path.c_str());
    EditStyleSetBlock(3, 0) = saved;
    SetStyleSetName(1, name);
}

// The band inverts exactly the overview's columns of the frames the main view shows.
TEST_F(Rulers, TheShadowBandCoversWhatTheMainViewShows) {
    DoubleView *window = Open(wave, Memento(-4, 1));
    WaveView *overview = window->GetOverview();
    ASSERT_TRUE(overview && overview->GetShadowBar());
    window->GetMainView()->ScrollToFrame(6000, 1);
    Repaint(window);
    WavePane *main = window->GetMainView()->GetPane(0), *over = overview->GetPane(0);
    int from = over->FrameX(main->FrameAt(0)), to = over->FrameX(main->FrameAt(main->GetClientRect().Width()));
    ASSERT_LT(from, to);
    Pixels bar(overview->GetShadowBar()->GetHandle());
    COLORREF back = over->GetColors()[WavePaneColors::kBack];
    for (int x = 0; x < bar.Width(); ++x) {
        bool changed = false;
        for (int y = 1; y < bar.Height() - 1; ++y)
            changed = changed || bar.At(x, y) != back;
        EXPECT_EQ(x >= from && x < to, changed) << "x " << x << " band " << from << ".." << to;
    }
}

}  // namespace
