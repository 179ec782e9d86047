// Undo steps of a wave: their memory estimate, what counts as a change, marker-only steps,
// a rollback with undo off, and an undo across a change of sample rate while playing.
#include "audio/Wave.h"
#include "audio/WaveLinks.h"
#include "audio/WaveUndo.h"
#include "foundation/Exception.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/RecordingPlayback.h"
#include "tests/app/audio/WaveFixture.h"
#include "tests/app/audio/WaveTestKit.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace audiotest;
using namespace wavetest;

enum { kAction = 11033 };

class WaveUndo : public WaveFixture {
protected:
    std::unique_ptr<Wave> wave{DistinctWave(1, 2, 1000)};
};

TEST_F(WaveUndo, AnUntouchedStereoWaveWithThreeMarkersIsEstimatedAt236Bytes) {
    for (int position : {100, 200, 300})
        wave->GetMarkers().InsertSorted(new Marker(String("m"), position, Marker::kPlain, 0));
    EXPECT_EQ(236u, WaveUndoMemento(*wave, WaveUndoMemento::kSamplesAndMarkers, String("x"), 0, 0).GetInvolvedMemory());
    EXPECT_EQ(188u, WaveUndoMemento(*wave, WaveUndoMemento::kSamples, String("x"), 0, 0).GetInvolvedMemory());
}

TEST_F(WaveUndo, SelectionCaretAndLevelAloneRecordNothing) {
    WaveUndoTransaction transaction(*wave, WaveUndoMemento::kSamplesAndMarkers, kAction);
    wave->SetSelection(10, 500, 1, 0);
    wave->SetLevel(100, 0);
    EXPECT_EQ(0, transaction.Commit());
    EXPECT_EQ(0, wave->GetNumUndoMementos());
    EXPECT_EQ(10, wave->GetSelectionStart()) << "a commit keeps what the edit did";
}

TEST_F(WaveUndo, AMarkerStepPutsBackTheMarkersAlone) {
    struct CdPrograms : CdProgramLink {
        void RefreshCdProgramsUsing(Wave &, Document *) override { ++refreshed; }
        int refreshed = 0;
    } cd;
    CdProgramLink *previous = SetCdProgramLink(&cd);
    {
        WaveUndoTransaction transaction(*wave, WaveUndoMemento::kMarkers, kAction);
        wave->GetMarkers().Add(new Marker(String("m"), 100, Marker::kPlain, 0), 1);
        EXPECT_EQ(1, transaction.Commit());
    }
    wave->GetChannel(0).Remove(0, 99);
    wave->UndoCurrentState();
    SetCdProgramLink(previous);
    EXPECT_EQ(0, wave->GetMarkers().GetCount());
    EXPECT_EQ(900, wave->GetChannel(0).GetLength()) << "the lists are not the step's";
    EXPECT_EQ(1, cd.refreshed);
    EXPECT_TRUE(wave->GetMarkers().IsChanged());
}

TEST_F(WaveUndo, AFailingEditRollsBackEvenWithUndoOff) {
    RecordingView *view = new RecordingView(*wave);
    wave->EnableUndo(0);
    try {
        WaveUndoTransaction transaction(*wave, WaveUndoMemento::kSamples, kAction);
        wave->GetChannel(1).Remove(0, 499);
        wave->SetRate(8000);
        throw Exception("disk full");
    } catch (AException const &) {
    }
    EXPECT_TRUE(DistinctSamples(1, 1, 0, 1000) == ReadChannel(*wave, 1));
    EXPECT_EQ(44100u, wave->GetRate());
    EXPECT_EQ("0 0 0", view->told.back());
    EXPECT_EQ(1, poster.flushes);
    EXPECT_EQ(0, wave->GetNumUndoMementos());
}

TEST_F(WaveUndo, UndoAcrossARateChangeRestartsThePlaybackElseFlushesIt) {
    RecordingPlayback playback;
    playback.playing = wave.get();
    playback.position = 441;
    for (uint32_t rate : {44100u, 22050u}) {
        WaveUndoTransaction transaction(*wave, WaveUndoMemento::kSamples, kAction);
        wave->GetChannel(0).Remove(0, 9);
        wave->UpdateLength(1);
        wave->SetRate(rate);
        transaction.Commit();
    }
    poster.flushes = 0;
    wave->UndoCurrentState();
    ASSERT_EQ(1u, playback.requests.size());
    EXPECT_EQ(std::vector<std::string>{"stop"}, playback.calls);
    EXPECT_EQ(882, playback.requests[0].start) << "the same moment at the new rate";
    EXPECT_EQ(0, poster.flushes);
    wave->UndoCurrentState();
    EXPECT_EQ(1u, playback.requests.size());
    EXPECT_EQ(1, poster.flushes);
    EXPECT_TRUE(DistinctSamples(1, 0, 0, 1000) == ReadChannel(*wave, 0));
}

}  // namespace
