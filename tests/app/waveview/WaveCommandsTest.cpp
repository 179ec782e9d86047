// The wave window's edit commands sent through the frame as their menu items send them:
// what each enables in which state, what each does to the samples, and that undo and redo
// bring both states back.
#include "tests/app/waveview/WaveCommandsFixture.h"

#include "core/FrameWindow.h"
#include "core/Module.h"
#include "core/MessageBoxSeam.h"
#include "audio/WaveSettings.h"
#include "waveview/EffectMenuLink.h"
#include "waveview/MultiPasteDialog.h"
#include "waveview/PasteGuards.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace wavecommandstest;

// Counts what the effects would open.
class EffectRecorder : public EffectMenuLink {
public:
    void OpenEffect(std::int32_t registryId) override { opened.push_back(registryId); }
    void OpenFade(int fadeIn) override { opened.push_back(fadeIn ? -1 : -2); }
    std::vector<int> opened;
};

struct EnablerCase {
    char const *state;
    std::function<void(Wave &)> prepare;
    // Enabled ids, in the order of kProbed.
    char const *expected;
};

uint const kProbed[] = {20023, 20022, 20024, 250, 251, 252, 249, 20011, 141,   152,
                        185,   205,   370,   151, 383, 20021, 20000, 204, 482};

// One character per probed id: + enabled, - disabled.
TEST_F(WaveCommands, EnablersFollowTheWavesState) {
    EnablerCase const cases[] = {
        {"caret only", [](Wave &) {}, "-------------+-----"},
        {"middle selection", [](Wave &w) { w.SetSelection(100, 199, 3, 1); }, "++-----++++++++----"},
        {"left selection", [](Wave &w) { w.SetSelection(100, 199, 1, 1); }, "++-----++++++-+----"},
        {"whole wave", [](Wave &w) { w.SetSelection(0, kFrames - 1, 3, 1); }, "++-----+-++++++----"},
        {"clipboard full",
         [](Wave &w) {
             w.SetSelection(10, 19, 3, 1);
             w.Copy();
             w.ClearSelection(1);
         },
         "--+++++------+-----"},
        {"after an edit",
         [](Wave &w) {
             w.SetSelection(10, 19, 3, 1);
             w.Reverse(3, 10, 19, 1);
             w.ClearSelection(1);
         },
         "-------------+-+---"},
        {"after an undo",
         [](Wave &w) {
             w.SetSelection(10, 19, 3, 1);
             w.Reverse(3, 10, 19, 1);
             w.ClearSelection(1);
             w.UndoCurrentState();
         },
         "++-----++++++++-+--"},  // the undo brings the selection back
    };
    EffectRecorder recorder;
    for (int withLink = 0; withLink < 2; ++withLink) {
        EffectMenuLink *previous = SetEffectMenuLink(withLink ? &recorder : nullptr);
        for (EnablerCase const &c : cases) {
            Wave::DeleteClipboardWave();
            wave_->ClearSelection(1);
            wave_->ClearUndoMementos();
            wave_->SetActiveChannels(3, 1);
            c.prepare(*wave_);
            std::string states;
            for (uint id : kProbed)
                states += Enabled(id) ? '+' : '-';
            std::string expected = c.expected;
            if (withLink)
                expected.replace(expected.size() - 2, 2, "++");
            EXPECT_EQ(expected, states) << c.state << (withLink ? " with the effects" : "");
        }
        SetEffectMenuLink(previous);
    }
}

Contents Each(Contents c, std::function<void(Samples &)> const &f) {
    for (Samples &s : c)
        f(s);
    return c;
}

void Erase(Samples &s, int first, int last) { s.erase(s.begin() + first, s.begin() + last + 1); }

void Insert(Samples &s, int at, Samples const &part) { s.insert(s.begin() + at, part.begin(), part.end()); }

struct EditCase {
    char const *name;
    uint id;
    // Selects or copies what the command needs; by default frames 100..199 of both channels.
    std::function<void(Wave &)> prepare;
    std::function<Contents(Contents const &)> expected;
};

void SelectMiddle(Wave &w) { w.SetSelection(100, 199, 3, 1); }

// Frames 10..19 on the clipboard, the caret at 50 and no selection.
void ClipAndCaret(Wave &w) {
    w.SetSelection(10, 19, 3, 1);
    w.Copy();
    w.ClearSelection(1);
    w.SetCaret(3, 50);
}

Samples Clip(Samples const &s) { return Samples(s.begin() + 10, s.begin() + 20); }

// Each edit through the frame, then Undo brings back every sample and Redo repeats the edit.
TEST_F(WaveCommands, EditsThenUndoAndRedo) {
    EditCase const cases[] = {
        {"delete", 20011, SelectMiddle, [](Contents c) { return Each(c, [](Samples &s) { Erase(s, 100, 199); }); }},
        {"cut", 20022, SelectMiddle, [](Contents c) { return Each(c, [](Samples &s) { Erase(s, 100, 199); }); }},
        {"crop", 141, SelectMiddle,
         [](Contents c) { return Each(c, [](Samples &s) { s = Samples(s.begin() + 100, s.begin() + 200); }); }},
        {"silence", 152, SelectMiddle,
         [](Contents c) { return Each(c, [](Samples &s) { std::fill(s.begin() + 100, s.begin() + 200, 0); }); }},
        {"insert silence", 185, SelectMiddle,
         [](Contents c) { return Each(c, [](Samples &s) { Insert(s, 100, Samples(100, 0)); }); }},
        {"reverse", 205, SelectMiddle,
         [](Contents c) { return Each(c, [](Samples &s) { std::reverse(s.begin() + 100, s.begin() + 200); }); }},
        {"invert phase", 370, SelectMiddle,
         [](Contents c) {
             return Each(c, [](Samples &s) {
                 for (int i = 100; i < 200; ++i)
                     s[i] = -s[i];
             });
         }},
        {"swap channels", 151, SelectMiddle,
         [](Contents c) {
             std::swap_ranges(c[0].begin() + 100, c[0].begin() + 200, c[1].begin() + 100);
             return c;
         }},
        {"paste", 20024, ClipAndCaret,
         [](Contents c) { return Each(c, [](Samples &s) { Insert(s, 50, Clip(s)); }); }},
        {"paste over", 250, ClipAndCaret,
         [](Contents c) {
             return Each(c, [](Samples &s) {
                 Samples clip = Clip(s);
                 std::copy(clip.begin(), clip.end(), s.begin() + 50);
             });
         }},
        {"paste at end", 251, ClipAndCaret,
         [](Contents c) { return Each(c, [](Samples &s) { Insert(s, int(s.size()), Clip(s)); }); }},
        {"paste at start", 252, ClipAndCaret,
         [](Contents c) { return Each(c, [](Samples &s) { Insert(s, 0, Clip(s)); }); }},
    };
    Contents const original = Read();
    for (EditCase const &c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare(*wave_);
        wave_->ClearUndoMementos();
        Send(c.id);
        Contents edited = Read();
        EXPECT_EQ(c.expected(original), edited);
        EXPECT_EQ(1, wave_->GetNumUndoMementos());
        Send(20021);
        EXPECT_EQ(original, Read());
        Send(20000);
        EXPECT_EQ(edited, Read());
        Send(20021);
        wave_->ClearSelection(1);
    }
}


// A stereo 16-bit wave (4 bytes a frame) of a few real frames and then silence up to frames.
Wave *SilentWave(int frames, uint32_t rate) {
    Wave *wave = wavetest::DistinctWave(7, 2, 10, rate);
    wave->InsertSilenceNoUndo(3, frames - 10);
    return wave;
}

struct GuardCase {
    char const *name;
    uint32_t sourceRate;
    int answer;
    int targetFrames;  // with a source of 100 frames: 1e9 bytes at 249999900
    int64_t count;
    int expected;
    int boxes;
};

// The rate question and the size limit, in 64 bits, before two waves are combined.
TEST(PasteGuards, AskAboutRatesAndRefuseAGigabyte) {
    GuardCase const cases[] = {
        {"same rate, small", 44100, IDYES, 1000, 1, 1, 0},
        {"other rate, yes", 22050, IDYES, 1000, 1, 1, 1},
        {"other rate, no", 22050, IDNO, 1000, 1, 0, 1},
        {"one frame below the limit", 44100, IDOK, 249999899, 1, 1, 0},
        {"at the limit", 44100, IDOK, 249999900, 1, 0, 1},
        // 400 bytes x 10737419 passes 2^32 and would wrap to a small number in 32 bits
        {"many times past 2^32", 44100, IDOK, 1000, 10737419, 0, 1},
    };
    for (GuardCase const &c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<Wave> target(SilentWave(c.targetFrames, 44100));
        std::unique_ptr<Wave> source(SilentWave(100, c.sourceRate));
        BoxAnswers boxes(c.answer);
        int result = ConfirmDifferentSampleRates(target.get(), source.get()) &&
                     CheckCombinedSize(CombinedBytes(target.get(), source.get(), c.count));
        EXPECT_EQ(c.expected, result);
        EXPECT_EQ(c.boxes, BoxAnswers::count);
        if (c.count == 1)
            EXPECT_EQ(c.expected, CheckWavesCompatible(target.get(), source.get(), 1, 1));
    }
}

// DC offsets below 2 are no offset: a box says so and nothing changes; larger ones are asked
// about with their percentages and removed on OK.
TEST_F(WaveCommands, DcOffsetIsAskedAboutOrDeclared) {
    Contents const original = Read();
    wave_->SetSelection(0, 99, 3, 1);
    wave_->ClearUndoMementos();
    {
        BoxAnswers boxes(IDCANCEL);
        Send(DoubleView::kCmDcOffset);
        EXPECT_EQ(1, BoxAnswers::count);
        EXPECT_NE(std::string::npos, BoxAnswers::text.find("% (")) << BoxAnswers::text;
        EXPECT_EQ(unsigned(MB_OKCANCEL | MB_ICONQUESTION), BoxAnswers::style);
        EXPECT_EQ(original, Read());
    }
    {
        BoxAnswers boxes(IDOK);
        Send(DoubleView::kCmDcOffset);
        EXPECT_EQ(1, wave_->GetNumUndoMementos());
        BoxAnswers::count = 0;
        Send(DoubleView::kCmDcOffset);
        EXPECT_EQ(1, BoxAnswers::count);
        EXPECT_EQ(unsigned(MB_OK | MB_ICONASTERISK), BoxAnswers::style);
        EXPECT_EQ(1, wave_->GetNumUndoMementos());
    }
}

// Insert silence that would bring the wave to 1e9 bytes shows 10049 and changes nothing;
// paste with an empty clipboard does nothing.
TEST_F(WaveCommands, RefusedEditsChangeNothing) {
    wave_->InsertSilenceNoUndo(3, 250000000 - 100 - kFrames);
    wave_->SetSelection(0, 99, 3, 1);
    wave_->ClearUndoMementos();
    int length = wave_->GetLength();
    BoxAnswers boxes(IDOK);
    Send(DoubleView::kCmInsertSilence);
    EXPECT_EQ(1, BoxAnswers::count);
    EXPECT_EQ(unsigned(MB_OK | MB_ICONHAND), BoxAnswers::style);
    EXPECT_EQ(length, wave_->GetLength());
    Send(DoubleView::kCmPaste);
    EXPECT_EQ(length, wave_->GetLength());
    EXPECT_EQ(0, wave_->GetNumUndoMementos());
    EXPECT_EQ(1, BoxAnswers::count);
}

// The box given 0 and 1001 (refused), then 1000.
struct Thousand {
    static int Run(MultiPasteDialog &dialog) {
        ++calls;
        dialog.Create();
        int zero = Typed(dialog, "0"), over = Typed(dialog, "1001");
        Typed(dialog, "1000");
        refused = zero == 0 && over == 0;
        dialog.Destroy(IDOK);
        return IDOK;
    }
    static int Typed(MultiPasteDialog &dialog, char const *text) {
        ::SetDlgItemTextA(dialog.GetHandle(), MultiPasteDialog::kCountEdit, text);
        return dialog.GetCount();
    }
    static bool refused;
    static int calls;
};
bool Thousand::refused = false;
int Thousand::calls = 0;

// 1000 frames pasted 1000 times into an empty wave: a million frames in one undo step.
TEST_F(WaveCommands, MultiPasteIsOneUndoStep) {
    std::unique_ptr<Wave> clipSource(wavetest::DistinctWave(3, 2, 1000));
    clipSource->SetSelection(0, 999, 3, 0);
    clipSource->Copy();
    std::unique_ptr<Wave> empty(Wave::CreateEmptyWave(SamplePattern(wavetest::FlagsOfBits(16), 2, 0, 44100)));
    DoubleView *view = app_.OpenWindow(empty.release());
    Wave &target = view->GetWave();
    MultiPasteRunner previous = SetMultiPasteRunner(&Thousand::Run);
    Send(DoubleView::kCmMultiPaste);
    SetMultiPasteRunner(previous);
    EXPECT_TRUE(Thousand::refused) << Thousand::calls;
    ASSERT_EQ(1000000, target.GetLength());
    EXPECT_EQ(1, target.GetNumUndoMementos());
    Samples left = ReadChannel(target, 0);
    EXPECT_EQ(left[0], left[999000]);
    EXPECT_EQ(left[999], left[999999]);
    Send(DoubleView::kCmUndo);
    EXPECT_EQ(0, target.GetLength());
}


struct MoveCase {
    char const *name;
    uint id;
    int caret, first, last;  // before: the caret and the selection (first -1: none)
    int caretAfter, firstAfter, lastAfter;
};

// Key moves of the caret and the selection at 4 frames a pixel step, without snapping.
TEST_F(WaveCommands, CaretAndSelectionMoves) {
    MoveCase const cases[] = {
        {"caret left", 320, 100, -1, -1, 96, -1, -1},
        {"caret right", 321, 100, -1, -1, 104, -1, -1},
        {"caret far left", 322, 100, -1, -1, 20, -1, -1},
        {"caret far right", 323, 100, -1, -1, 180, -1, -1},
        {"caret left at the start", 320, 2, -1, -1, 0, -1, -1},
        {"caret to the selection's start", 329, 150, 100, 199, 100, 100, 199},
        {"caret after the selection", 330, 150, 100, 199, 200, 100, 199},
        {"extend left", 340, 100, -1, -1, 96, 96, 99},
        {"extend right", 341, 100, -1, -1, 104, 100, 103},
        {"extend far right", 343, 100, -1, -1, 180, 100, 179},
        {"extend right back to nothing", 341, 100, 100, 103, 104, -1, -1},
        {"select to the start", 346, 100, -1, -1, 0, 0, 99},
        {"select to the end", 347, 100, -1, -1, kFrames, 100, kFrames - 1},
        {"selection off", 353, 100, 100, 199, 100, -1, -1},
    };
    TheWaveSettings().snapOn = 0;
    view_->GetMainView()->SetZoom(-4, 0, 1, 0);
    for (MoveCase const &c : cases) {
        SCOPED_TRACE(c.name);
        wave_->ClearSelection(1);
        if (c.first >= 0)
            wave_->SetSelection(c.first, c.last, 3, 1);
        wave_->SetCaret(3, c.caret);
        Send(c.id);
        EXPECT_EQ(c.caretAfter, wave_->GetCaret());
        EXPECT_EQ(c.firstAfter, wave_->HasSelection() ? wave_->GetSelectionStart() : -1);
        EXPECT_EQ(c.lastAfter, wave_->HasSelection() ? wave_->GetSelectionEnd() : -1);
    }
    // Toggled off, the selection comes back.
    Send(DoubleView::kCmToggleSelection);
    EXPECT_EQ(100, wave_->GetSelectionStart());
    EXPECT_EQ(199, wave_->GetSelectionEnd());
    TheWaveSettings() = WaveSettings();
}

// A one-step extension snaps its moved edge to a zero crossing, except at close zooms.
TEST_F(WaveCommands, OneStepExtensionsSnapUnlessTheZoomIsClose) {
    TheWaveSettings() = WaveSettings();
    for (int zoom : {-4, 2, 3, 4}) {
        SCOPED_TRACE(zoom);
        view_->GetMainView()->SetZoom(zoom, 0, 1, 0);
        wave_->ClearSelection(1);
        wave_->SetCaret(3, 100);
        int step = view_->GetMainView()->FramesForSteps(1);
        Send(DoubleView::kCmExtendRight);
        int end = 100 + step - 1;
        int snapped = wave_->FindZeroCrossing(TheWaveSettings().rightSlope, 3, end, kFrames - 1);
        EXPECT_EQ(zoom >= 3 ? end : snapped, wave_->GetSelectionEnd());
    }
    TheWaveSettings() = WaveSettings();
}

// Centring, paging and zooming reach the views.
TEST_F(WaveCommands, ViewCommandsMoveTheViews) {
    WaveView *main = view_->GetMainView();
    main->SetZoom(-64, 0, 1, 0);
    Send(DoubleView::kCmZoomAll);
    EXPECT_NE(-64, main->GetZoom());
    EXPECT_EQ(0, main->GetFirstVisibleFrame());
    int fitted = main->GetZoom();
    Send(DoubleView::kCmZoomIn);
    EXPECT_NE(fitted, main->GetZoom());
    main->SetZoom(8, 0, 1, 0);
    Send(DoubleView::kCmCentreEnd);
    int atEnd = main->GetFirstVisibleFrame();
    EXPECT_GT(atEnd, 0);
    Send(DoubleView::kCmCentreStart);
    EXPECT_EQ(0, main->GetFirstVisibleFrame());
    Send(DoubleView::kCmPageRight);
    EXPECT_GT(main->GetFirstVisibleFrame(), 0);
}


// Go to peak puts the caret on the loudest frame of the selection and selects the channel
// holding it; the peak becomes the wave's level; mix-paste adds the clipboard in one step.
TEST_F(WaveCommands, PeakAndMixPaste) {
    Contents const original = Read();
    wave_->SetSelection(0, 99, 3, 1);
    Send(DoubleView::kCmGoToPeak);
    int best = 0, where = -1, side = 0;
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 100; ++i)
            if (std::abs(original[c][i]) > best) {
                best = std::abs(original[c][i]);
                where = i;
                side = c + 1;
            }
    EXPECT_EQ(where, wave_->GetCaret());
    EXPECT_EQ(side, wave_->GetActiveChannels());
    wave_->SetSelection(0, 99, 3, 1);
    Send(DoubleView::kCmPeakAsLevel);
    EXPECT_EQ(best / 256, wave_->GetLevel());

    wave_->SetSelection(10, 19, 3, 1);
    wave_->Copy();
    wave_->SetSelection(200, 209, 3, 1);
    wave_->ClearUndoMementos();
    Send(DoubleView::kCmMixPaste);
    Contents mixed = Read();
    for (int c = 0; c < 2; ++c)
        for (int i = 0; i < 10; ++i)
            EXPECT_NEAR(original[c][200 + i] + original[c][10 + i], mixed[c][200 + i], 256) << c << " " << i;
    EXPECT_EQ(1, wave_->GetNumUndoMementos());
}


// The tool bar's mouse tools: chosen by command, enabled by the wave's state, and a nudge
// tool falls back to selecting once the selection is gone.
TEST_F(WaveCommands, MouseToolsFallBackWhenTheWaveNoLongerAllowsThem) {
    wave_->SetSelection(10, 19, 3, 1);
    Send(206);
    EXPECT_EQ(3, TheWaveWindowSettings().mouseTool);
    EXPECT_TRUE(Enabled(207));
    wave_->ClearSelection(1);
    EXPECT_FALSE(Enabled(206));
    EXPECT_EQ(0, TheWaveWindowSettings().mouseTool);
    EXPECT_TRUE(Enabled(208));
    EXPECT_TRUE(Enabled(210));
    Send(213);
    EXPECT_EQ(2, TheWaveWindowSettings().mouseTool);
}

}  // namespace
