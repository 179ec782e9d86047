// The wave window as a whole: how its views lay out their children, which panes the
// document's notifications repaint, the window's state kept in the layout and brought back
// at a restart, and when the overview opens.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "audio/AudioFile.h"
#include "audio/WaveFactory.h"
#include "core/LayoutWindow.h"
#include "manager/MdiDocumentWindows.h"
#include "waveview/LevelScale.h"
#include "waveview/PaneGeometry.h"
#include "waveview/ShadowBar.h"
#include "waveview/WavePane.h"
#include "waveview/WaveScrollBar.h"
#include "waveview/WaveViewSplitter.h"
#include "waveview/WaveWindow.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using wavewindowtest::PaintRecorder;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int Ramp(int channel, int frame) { return (frame * 13 + channel * 5000) % 30000 - 15000; }

class WaveWindow : public testing::Test {
protected:
    void SetUp() override {
        TheWaveWindowSettings() = WaveWindowSettings();
        TheWaveWindowSettings().autoZoom = 0;
    }
    void TearDown() override { TheWaveWindowSettings() = WaveWindowSettings(); }
};

bool Overlap(TRect const &a, TRect const &b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::vector<TRect> VisibleChildren(WaveView &view) {
    std::vector<TRect> rects;
    for (HWND h = GetWindow(view.GetHandle(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
        if (IsWindowVisible(h)) {
            TRect r;
            GetWindowRect(h, &r);
            if (r.Width() > 0 && r.Height() > 0)
                rects.push_back(r);
        }
    return rects;
}

TEST_F(WaveWindow, PanesShareTheirAreaAndNothingOverlaps) {
    WindowsScope app;
    for (int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        Wave *wave = app.OpenWave(channels == 1 ? "layout1.wav" : "layout2.wav", channels, 50000, Ramp);
        DoubleView *view = app.OpenWindow(wave);
        ASSERT_TRUE(view->GetOverview());
        for (WaveView *v : {view->GetMainView(), view->GetOverview()}) {
            std::vector<TRect> rects = VisibleChildren(*v);
            for (size_t i = 0; i < rects.size(); ++i)
                for (size_t j = i + 1; j < rects.size(); ++j)
                    EXPECT_FALSE(Overlap(rects[i], rects[j])) << i << " " << j;
            if (channels == 2) {
                int h0 = v->GetPane(0)->GetClientRect().Height(), h1 = v->GetPane(1)->GetClientRect().Height();
                EXPECT_LE(std::abs(h0 - h1), 1);
                EXPECT_GT(h0, 0);
            }
        }
        WaveView *overview = view->GetOverview();
        EXPECT_FALSE(overview->GetVerticalScrollBar());
        EXPECT_FALSE(overview->GetSplitter());
        EXPECT_FALSE(overview->GetLevelScale(0));
        EXPECT_TRUE(overview->GetShadowBar() && IsWindowVisible(overview->GetShadowBar()->GetHandle()));
        EXPECT_TRUE(view->GetMainView()->GetVerticalScrollBar());
        EXPECT_TRUE(view->GetMainView()->GetLevelScale(0));
        EXPECT_EQ(channels == 2, view->GetMainView()->GetLevelScale(1) != nullptr);
        // without a vertical scroll bar the zero line stays in the middle
        overview->SetVerticalZoom(2, 1, -1);
        EXPECT_EQ(4, overview->GetVerticalZoom());
        EXPECT_EQ(CentredVerticalOffset(4), overview->GetVerticalOffset());
        PaneGeometry g = overview->GetPane(0)->Geometry();
        EXPECT_LE(std::abs(g.ZeroY() - g.height / 2), 1);
        // the overview's shadow band spans what the main view shows
        int from, to;
        ASSERT_TRUE(overview->GetShadowBar()->GetBand(from, to));
        WavePane *main = view->GetMainView()->GetPane(0);
        EXPECT_EQ(overview->GetPane(0)->FrameX(main->FrameAt(0)), from);
        view->GetParentO()->SendMessageA(WM_CLOSE);
        Settle();
    }
}

// Zooming in or out keeps the level shown at the panes' middle there; a level put in the
// middle through the vertical bar is shown there.
TEST_F(WaveWindow, AVerticalZoomKeepsTheLevelAtTheMiddle) {
    WindowsScope app;
    Wave *wave = app.OpenWave("vertical.wav", 2, 50000, Ramp);
    WaveView *main = app.OpenWindow(wave)->GetMainView();
    WavePane *pane = main->GetPane(0);
    int middle = pane->GetClientRect().Height() / 2;
    main->SetVerticalZoom(3, 1, -1);
    SetVerticalPositionFromLevel(*main->GetVerticalScrollBar(), *pane, 12000);
    EXPECT_NEAR(12000, pane->Geometry().LevelAt(middle, false), 400);
    for (int index : {5, 8, 4}) {
        int before = pane->Geometry().LevelAt(middle, false);
        main->SetVerticalZoom(index, 1, -1);
        // one percent of the height, at the smaller of the two zooms
        EXPECT_NEAR(before, pane->Geometry().LevelAt(middle, false), 65536 / 100 / 8 + 2) << index;
    }
}

// A wave made of several files holds them one after the other; a file of another rate
// fails the whole, and no file stays open.
TEST_F(WaveWindow, AWaveOfSeveralFilesHoldsThemInTurn) {
    WindowsScope app;
    auto write = [&](std::string const &name, int frames, uint32_t rate, int first) {
        std::string samples;
        for (int frame = 0; frame < frames; ++frame)
            samples += audiotest::Le16(uint16_t(first + frame));
        std::string path = app.Folder() + "\\" + name;
        testsupport::WriteBytes(path, audiotest::SimpleWave(1, 16, rate, samples));
        return FileName(path.c_str());
    };
    auto open = [](FileName const &name) { return OpenAudioFile(kAccessUnchosen, name, 0, 1); };
    SamplePattern mono(kPcm16, 1, 1, 44100);
    FileName a = write("part1.wav", 300, 44100, 0), b = write("part2.wav", 200, 44100, 1000);
    DoubleView *view = OpenWaveFromFiles({open(a), open(b)}, mono);
    ASSERT_TRUE(view && view->GetMainView());
    wavetest::Samples samples = wavetest::ReadChannel(view->GetWave(), 0);
    ASSERT_EQ(500u, samples.size());
    EXPECT_EQ(299 << 8, samples[299]);
    EXPECT_EQ(1000 << 8, samples[300]);
    EXPECT_EQ(1199 << 8, samples[499]);
    FileName c = write("part3.wav", 100, 44100, 0), d = write("part4.wav", 100, 22050, 0),
             e = write("part5.wav", 100, 44100, 0);
    EXPECT_THROW(OpenWaveFromFiles({open(c), open(d), open(e)}, mono), AException);
    for (FileName const &name : {c, d, e})
        EXPECT_FALSE(IsAudioFileOpen(name)) << name.c_str();
}

// 1000 redraws the left channel's panes of both views, 1001 the right's, 1002 both.
TEST_F(WaveWindow, RangeNotificationsRepaintTheirChannelsPanesInBothViews) {
    WindowsScope app;
    for (int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        Wave *wave = app.OpenWave(channels == 1 ? "notify1.wav" : "notify2.wav", channels, 50000, Ramp);
        DoubleView *view = app.OpenWindow(wave);
        std::vector<WavePane *> panes;
        for (WaveView *v : {view->GetMainView(), view->GetOverview()})
            for (int channel = 0; channel < channels; ++channel)
                panes.push_back(v->GetPane(channel));
        std::vector<HWND> handles;
        for (WavePane *pane : panes)
            handles.push_back(pane->GetHandle());
        PaintRecorder paints(handles);
        for (int code : {1000, 1001, 1002}) {
            paints.Clear();
            view->Handler(code, 2000, 3000);
            for (WavePane *pane : panes) {
                bool mine = code == 1002 || code - 1000 == pane->GetChannel();
                std::vector<RECT> const &got = paints.Of(pane->GetHandle());
                ASSERT_EQ(mine ? 1u : 0u, got.size()) << code << " channel " << pane->GetChannel();
                if (!mine)
                    continue;
                EXPECT_LE(got[0].left, std::max(pane->FrameX(2000), 0));
                EXPECT_GE(got[0].right, std::min<int>(pane->FrameX(3000) + 1, pane->GetClientRect().right));
            }
        }
        view->GetParentO()->SendMessageA(WM_CLOSE);
        Settle();
    }
}

// A wave that grows while its window is minimised is fitted once the window has a size.
TEST_F(WaveWindow, ANewLengthWhileMinimisedIsFittedWhenTheWindowComesBack) {
    WindowsScope app;
    Wave *wave = app.OpenWave("grow.wav", 2, 20000, Ramp);
    DoubleView *view = app.OpenWindow(wave);
    TWindow *child = view->GetParentO();
    child->ShowWindow(SW_MINIMIZE);
    Settle();
    std::unique_ptr<Wave> more(wavetest::DistinctWave(3, 2, 400000));
    wave->InsertFrom(wave->GetLength(), wave->GetLength() - 1, 3, *more, 0);
    wave->NotifyViews(kNotifyAll, 0, 0);
    Settle();
    child->ShowWindow(SW_SHOWMAXIMIZED);
    Settle();
    WaveView *main = view->GetMainView();
    int width = main->GetClientRect().Width();
    EXPECT_EQ(420000, wave->GetLength());
    EXPECT_LE(FramesToPixels(wave->GetLength(), main->GetZoom()), width / 2);
    EXPECT_GT(FramesToPixels(wave->GetLength(), main->GetZoom()), width / 8);
}

// What a window's memento keeps comes back in a window opened with it.
TEST_F(WaveWindow, AWindowsMementoOpensTheSameWindow) {
    TheWaveWindowSettings().openOverView2 = 1;
    WindowsScope app;
    Wave *wave = app.OpenWave("memento.wav", 2, 200000, Ramp);
    DoubleView *first = app.OpenWindow(wave);
    first->GetParentO()->ShowWindow(SW_RESTORE);
    first->GetParentO()->MoveWindow(10, 10, 700, 500, true);
    first->ShowOverView(120);
    WaveView *main = first->GetMainView();
    main->SetZoom(-16, 0, 1, 3000);
    main->SetVerticalZoom(3, 1, -1);
    Settle();
    std::unique_ptr<WaveViewGlobalMemento> taken(first->TakeMemento());
    std::unique_ptr<PackedMemento, void (*)(void *)> packed(PackViewMemento(*taken), PackedMemento::Free);
    std::unique_ptr<WaveViewGlobalMemento> back(UnpackViewMemento(packed.get(), 580));
    DoubleView *second = app.OpenWindow(wave, back.get());
    second->GetParentO()->ShowWindow(SW_RESTORE);
    Settle();
    WaveView *again = second->GetMainView();
    EXPECT_EQ(-16, again->GetZoom());
    EXPECT_EQ(main->GetFirstVisibleFrame(), again->GetFirstVisibleFrame());
    EXPECT_NEAR(3000, again->GetFirstVisibleFrame(), 16);
    EXPECT_EQ(8, again->GetVerticalZoom());
    EXPECT_EQ(main->GetVerticalOffset(), again->GetVerticalOffset());
    ASSERT_TRUE(second->GetOverview());
    EXPECT_EQ(first->GetOverview()->GetZoom(), second->GetOverview()->GetZoom());
    EXPECT_EQ(120, second->TakeMemento()->words.overviewHeight);
}

// The layout saved at the end brings the window back at the next start.
TEST_F(WaveWindow, ARestartRestoresZoomScrollAndTheOverviewsHeight) {
    std::string layout = testsupport::ProgramFolder() + "\\system\\layout.dat";
    DeleteFileA(layout.c_str());
    std::string file;
    WindowViewWords saved;
    {
        WindowsScope app;
        Wave *wave = app.OpenWave("restart.wav", 2, 300000, Ramp);
        file = std::string(wave->GetFileName(0).c_str());
        DoubleView *view = app.OpenWindow(wave);
        view->ShowOverView(140);
        view->GetMainView()->SetZoom(-32, 0, 1, 40000);
        Settle();
        saved = std::unique_ptr<WaveViewGlobalMemento>(view->TakeMemento())->words;
        EXPECT_EQ(1, app.CanClose());
    }
    WindowsScope again;
    DoubleView *view = DoubleView::GetActive();
    ASSERT_TRUE(view) << "no window came back";
    EXPECT_EQ(file, std::string(view->GetWave().GetFileName(0).c_str()));
    WindowViewWords restored = std::unique_ptr<WaveViewGlobalMemento>(view->TakeMemento())->words;
    EXPECT_EQ(-32, restored.zoom[0]);
    EXPECT_EQ(40000, restored.firstFrame[0]);
    EXPECT_EQ(saved.zoom[1], restored.zoom[1]);
    EXPECT_EQ(140, restored.overviewHeight);
    again.CloseAll();
    DeleteFileA(layout.c_str());
}

// The first window of a wave has the overview as "OpenOverView" says, further ones as
// "OpenOverView2" says; a window of the layout as the layout says.
TEST_F(WaveWindow, TheOverviewOpensAsTheSettingsOrTheLayoutSay) {
    WindowsScope app;
    struct Case {
        int openOverView, openOverView2, restoring, height, first, second;
    } const cases[] = {
        {1, 0, 0, 0, 1, 0}, {0, 1, 0, 0, 0, 1}, {1, 1, 0, 0, 1, 1}, {0, 0, 1, 90, 1, 1}, {1, 1, 1, 0, 0, 0},
    };
    int n = 0;
    for (Case const &c : cases) {
        SCOPED_TRACE(testing::Message() << c.openOverView << c.openOverView2 << c.restoring);
        // closing a wave's last window closes the wave
        Wave *wave = app.OpenWave("overview" + std::to_string(++n) + ".wav", 1, 10000, Ramp);
        TheWaveWindowSettings().openOverView = c.openOverView;
        TheWaveWindowSettings().openOverView2 = c.openOverView2;
        app.SetRestoring(c.restoring);
        WaveViewGlobalMemento m;
        m.words.overviewHeight = c.height;
        DoubleView *first = app.OpenWindow(wave, &m);
        DoubleView *second = app.OpenWindow(wave, &m);
        app.SetRestoring(0);
        EXPECT_EQ(c.first, first->GetOverview() != nullptr);
        EXPECT_EQ(c.second, second->GetOverview() != nullptr);
        second->GetParentO()->SendMessageA(WM_CLOSE);
        first->GetParentO()->SendMessageA(WM_CLOSE);
        Settle();
    }
}

}  // namespace

namespace {

// A stored position brings the main view back; an empty one changes nothing; the temporary
// one also brings back the caret and the selection.
TEST_F(WaveWindow, StoredViewPositionsComeBack) {
    WindowsScope app;
    Wave *wave = app.OpenWave("positions.wav", 2, 200000, Ramp);
    DoubleView *view = app.OpenWindow(wave);
    WaveView *main = view->GetMainView();
    main->SetZoom(-64, 0, 1, 64000);
    main->SetVerticalZoom(2, 1, -1);
    int vertical = main->GetVerticalOffset();
    view->StoreViewPosition(3);
    wave->SetSelection(1000, 2000, 3, 1);
    wave->SetCaret(3, 1500);
    view->StoreViewPosition(-1);
    main->SetZoom(-4, 0, 1, 100);
    main->SetVerticalZoom(0, 1, -1);
    wave->ClearSelection(1);
    view->RecallViewPosition(5);  // empty
    EXPECT_EQ(-4, main->GetZoom());
    view->RecallViewPosition(3);
    EXPECT_EQ(-64, main->GetZoom());
    EXPECT_EQ(64000, main->GetFirstVisibleFrame());
    EXPECT_EQ(4, main->GetVerticalZoom());
    EXPECT_EQ(vertical, main->GetVerticalOffset());
    main->SetZoom(-4, 0, 1, 100);
    view->RecallViewPosition(-1);
    EXPECT_EQ(-64, main->GetZoom());
    EXPECT_EQ(1000, wave->GetSelectionStart());
    EXPECT_EQ(2000, wave->GetSelectionEnd());
    EXPECT_EQ(1500, wave->GetCaret());
}

}  // namespace
