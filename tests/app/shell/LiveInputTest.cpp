// The live input: the command that opens and closes it, its window's size and place, the
// play request it makes, the format chosen by a right click, and the input monitored
// through the test sound device.
#include "shell/FFT3DDoc.h"
#include "shell/LiveInput.h"

#include "audio/NewWaveFormat.h"
#include "engine/PlayerSettings.h"
#include "manager/MdiDocumentWindows.h"
#include "tests/app/engine/EngineTestKit.h"
#include "tests/app/shell/AnalysisTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

using namespace analysistest;

namespace {

class LiveInput : public ::testing::Test {
protected:
    void SetUp() override {
        // what a first live input of the process starts with
        MicroDoc::_type.placed = false;
        MicroDoc::_type.formatSet = false;
        frame.reset(new FrameScope);
    }
    void TearDown() override {
        if (MicroDoc::GetLiveInput())
            ToggleLiveInput();
        frame.reset();
        SetRawFormatChooser(nullptr);
    }
    MDIChild &Window(MicroDoc &doc) {
        return dynamic_cast<MDIChild &>(*doc.GetViews().GetFirst()->GetWindow()->GetParentO());
    }
    std::unique_ptr<FrameScope> frame;
};

}  // namespace

TEST_F(LiveInput, TheCommandOpensThenClosesAFixedWindowOfThePicturesSize) {
    MicroDoc *doc = ToggleLiveInput();
    Pump();
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc, MicroDoc::GetLiveInput());
    EXPECT_EQ(doc, MicroDoc::GetCurrent()) << "its window is the active one";
    View &view = *doc->GetViews().GetFirst();
    EXPECT_STREQ("LiveInputView", view.GetViewName());
    TRect client = view.GetWindow()->GetClientRect();
    EXPECT_EQ(128, client.Width()) << "the picture's size";
    EXPECT_EQ(80, client.Height());
    MDIChild &child = Window(*doc);
    TRect size = child.GetWindowRect();
    MINMAXINFO limits = {};
    child.SendMessageA(WM_GETMINMAXINFO, 0, LPARAM(&limits));
    EXPECT_EQ(size.Width(), limits.ptMinTrackSize.x) << "no resizing";
    EXPECT_EQ(size.Width(), limits.ptMaxTrackSize.x);
    EXPECT_EQ(size.Height(), limits.ptMinTrackSize.y);
    EXPECT_EQ(size.Height(), limits.ptMaxTrackSize.y);

    EXPECT_EQ(nullptr, ToggleLiveInput());
    Pump();
    EXPECT_EQ(nullptr, MicroDoc::GetLiveInput());
    EXPECT_EQ(nullptr, MicroDoc::GetCurrent());
}

TEST_F(LiveInput, ReopenedItStandsWhereItWasClosed) {
    MicroDoc *doc = ToggleLiveInput();
    Pump();
    Window(*doc).SetWindowPos(0, 37, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    WINDOWPLACEMENT before = {sizeof before};
    ::GetWindowPlacement(Window(*doc).GetHandle(), &before);
    ToggleLiveInput();
    doc = ToggleLiveInput();
    Pump();
    WINDOWPLACEMENT after = {sizeof after};
    ::GetWindowPlacement(Window(*doc).GetHandle(), &after);
    EXPECT_EQ(TRect(before.rcNormalPosition), TRect(after.rcNormalPosition));
}

TEST_F(LiveInput, PlayAsksForTheInputInTheFormatARightClickChose) {
    RecordingLink link;
    link.useEngine = 1;
    int32_t bits = ThePlayerSettings().playbackBits;
    ThePlayerSettings().playbackBits = 24;
    MicroDoc *doc = ToggleLiveInput();
    Pump();
    MicroDoc::Play();
    ASSERT_EQ(1u, link.requests.size());
    PlayRequest const &r = link.requests[0];
    EXPECT_EQ(nullptr, r.source);
    EXPECT_EQ(0, r.start);
    EXPECT_EQ(0, r.end);
    EXPECT_EQ(~0u, r.channelMask);
    SamplePattern newWave;
    GetNewWaveFormat(newWave);
    EXPECT_EQ(newWave.GetRate(), r.pattern.GetRate()) << "the format of new waves at first";
    EXPECT_EQ(newWave.GetNumChannels(), r.pattern.GetNumChannels());
    EXPECT_EQ(uint32_t(kFloat32), r.sampleFormat);
    EXPECT_EQ(24, r.outputBits);
    EXPECT_EQ(1, r.useEngine);
    EXPECT_EQ(int32_t(kPlayMonitor), r.mode);

    SetRawFormatChooser([](SamplePattern &p) {
        p.SetRate(22050);
        p.SetNumChannels(1);
        return 1;
    });
    doc->GetViews().GetFirst()->GetWindow()->SendMessageA(WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    MicroDoc::Play();
    ASSERT_EQ(2u, link.requests.size());
    EXPECT_EQ(22050u, link.requests[1].pattern.GetRate());
    EXPECT_EQ(1, link.requests[1].pattern.GetNumChannels());

    SetRawFormatChooser([](SamplePattern &p) {
        p.SetRate(8000);
        return 0;  // cancelled
    });
    doc->GetViews().GetFirst()->GetWindow()->SendMessageA(WM_LBUTTONDBLCLK, 0, MAKELPARAM(5, 5));
    MicroDoc::Play();
    EXPECT_EQ(22050u, link.requests[2].pattern.GetRate()) << "a cancel keeps the format";
    ThePlayerSettings().playbackBits = bits;
}

TEST_F(LiveInput, AnotherActiveWindowMakesItNoLongerCurrent) {
    MicroDoc *doc = ToggleLiveInput();
    Pump();
    ASSERT_EQ(doc, MicroDoc::GetCurrent());
    std::unique_ptr<Wave> wave(SineWave(1, 5000, 44100, 440, 1000));
    Select(*wave, 0, 4999, 1);
    OpenFrequencyAnalysis(*wave);
    Pump();
    EXPECT_EQ(nullptr, MicroDoc::GetCurrent()) << "the Play command plays what is active instead";
    EXPECT_EQ(doc, MicroDoc::GetLiveInput());
}

// Through the playback and the test sound device: what it plays are runs of what it captures.
TEST_F(LiveInput, PlayMonitorsTheCapturedInput) {
    enginetest::PlaybackScope scope;
    std::vector<int16_t> signal = enginetest::CaptureSignal(3);
    enginetest::ClearPlayed();
    ToggleLiveInput();
    Pump();
    MicroDoc::Play();
    size_t const piece = 4096 * 4;  // a whole buffer of 16-bit stereo frames
    ASSERT_TRUE(enginetest::WaitUntil([&] { return enginetest::PlayedBytes().size() > 4 * piece; }, 10000));
    EXPECT_EQ(0, ThePlayback().StopAndWait());
    // past the silence the output starts with, the device plays runs of the input: some
    // whole piece of it is a piece of the input, at a frame's boundary
    std::string played = enginetest::PlayedBytes();
    std::string captured(reinterpret_cast<char const *>(signal.data()), signal.size() * 2);
    std::vector<size_t> pieces;
    for (size_t from = played.find_first_not_of('\0') & ~size_t(3); from + piece <= played.size(); from += piece)
        pieces.push_back(from);
    EXPECT_TRUE(std::any_of(pieces.begin(), pieces.end(),
                            [&](size_t from) {
                                size_t at = captured.find(played.substr(from, piece));
                                return at != std::string::npos && at % 4 == 0;
                            }))
        << played.size() << " bytes played";
}
