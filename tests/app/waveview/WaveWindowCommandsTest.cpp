// The wave window's commands beyond the edits: their menu entries as the frame shows them
// after idle enabling, the move-caret box, markers and CD tracks, new windows, clearing the
// undo history, the links to the analysis and the sampler, and a Crop that fails half way.
#include "tests/app/waveview/WaveCommandsFixture.h"

#include "audio/AudioFile.h"
#include "audio/NewWaveDialog.h"
#include "audio/TimeSettings.h"
#include "audio/NewWaveFormat.h"
#include "audio/PlayRequest.h"
#include "audio/WaveConversion.h"
#include "audio/WaveLinks.h"
#include "core/FrameWindow.h"
#include "core/MenuDescr.h"
#include "engine/AudioState.h"
#include "engine/Playback.h"
#include "foundation/Exception.h"
#include "foundation/FileSelector.h"
#include "waveview/CommandLinks.h"
#include "waveview/MoveCaretDialog.h"
#include "waveview/PositionText.h"
#include "waveview/TimeScale.h"
#include "waveview/TimeSpinEdit.h"

#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/engine/EngineTestKit.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace wavecommandstest;

class AnalysisRecorder : public AnalysisMenuLink {
public:
    void OpenFrequencyAnalysis(Wave &wave) override { opened.push_back(&wave); }
    std::vector<Wave *> opened;
};

class SamplerRecorder : public SamplerMenuLink {
public:
    void OpenTargetDialog(Wave &, TWindow *) override { opened.push_back(861); }
    void OpenSampleInfoDialog(Wave &, TWindow *) override { opened.push_back(863); }
    std::vector<int> opened;
};

// Counts refreshes of the CD programs; the one numbered failAt throws.
class CdRefreshes : public CdProgramLink {
public:
    explicit CdRefreshes(int failAt = 0) : failAt_(failAt), previous_(SetCdProgramLink(this)) {}
    ~CdRefreshes() override { SetCdProgramLink(previous_); }
    void RefreshCdProgramsUsing(Wave &, Document *) override {
        if (++count == failAt_)
            throw Exception(String("the CD program could not follow"));
    }
    int count = 0;

private:
    int failAt_;
    CdProgramLink *previous_;
};

// The commands of a menu and of its popups.
void CommandsOf(HMENU menu, std::vector<uint> &ids) {
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i))
            CommandsOf(sub, ids);
        else if (::GetMenuItemID(menu, i) != 0 && ::GetMenuItemID(menu, i) != UINT(-1))
            ids.push_back(::GetMenuItemID(menu, i));
    }
}

// The popup of a menu, searched through its popups, that holds the command; null if none.
HMENU PopupOf(HMENU menu, uint id) {
    for (int i = 0; menu && i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU sub = ::GetSubMenu(menu, i)) {
            if (HMENU found = PopupOf(sub, id))
                return found;
        } else if (::GetMenuItemID(menu, i) == id) {
            return menu;
        }
    }
    return nullptr;
}

struct MenuEntry {
    bool found = false, enabled = false, checked = false;
    std::string text;
};

class WindowCommands : public WaveCommands {
protected:
    void SetUp() override {
        WaveCommands::SetUp();
        previousAnalysis_ = SetAnalysisMenuLink(nullptr);
        previousSampler_ = SetSamplerMenuLink(nullptr);
    }
    void TearDown() override {
        SetAnalysisMenuLink(previousAnalysis_);
        SetSamplerMenuLink(previousSampler_);
        SetMoveCaretRunner(nullptr);
        WaveCommands::TearDown();
    }

    TFrameWindow &Frame() { return *app_.GetMainWindow(); }
    TFrameWindow &Child() { return *dynamic_cast<TFrameWindow *>(view_->GetParentO()); }

    // The frame gets a menu bar of its own, into which the active window's menu merges.
    void MergeWindowMenu() {
        HMENU bar = ::CreateMenu(), file = ::CreatePopupMenu();
        ::AppendMenuA(file, MF_STRING, 24310, "E&xit");
        ::AppendMenuA(bar, MF_POPUP, UINT_PTR(file), "&File");
        Frame().SetMenuDescr(TMenuDescr(bar, 1, 0, 0, 0, 0, 0));
        ASSERT_TRUE(Child().GetMenuDescr());
        ASSERT_TRUE(Frame().MergeMenu(*Child().GetMenuDescr()));
    }
    // The entry as the user sees it: the frame's idle enabling, then its popup opened.
    MenuEntry Entry(uint id) {
        Frame().IdleAction(0);
        MenuEntry entry;
        HMENU popup = PopupOf(Frame().GetMenu(), id);
        if (!popup)
            return entry;
        ::SendMessageA(Frame().GetHandle(), WM_INITMENUPOPUP, WPARAM(popup), 0);
        UINT state = ::GetMenuState(popup, id, MF_BYCOMMAND);
        char text[128] = "";
        ::GetMenuStringA(popup, id, text, sizeof text, MF_BYCOMMAND);
        entry.found = true;
        entry.enabled = !(state & (MF_GRAYED | MF_DISABLED));
        entry.checked = (state & MF_CHECKED) != 0;
        entry.text = text;
        return entry;
    }

    AnalysisMenuLink *previousAnalysis_ = nullptr;
    SamplerMenuLink *previousSampler_ = nullptr;
};

struct MenuCase {
    char const *state;
    std::function<void(Wave &)> prepare;
    bool links;
    char const *expected;  // + enabled, - disabled, in the order of kMenuIds
};

uint const kMenuIds[] = {20021, 20000, 481, 141, 200, 485, 823, 845, 861, 862, 863, 611, 331, 278, 626, 820};

// Every entry of the table in the frame's merged menu, by the wave's state.
TEST_F(WindowCommands, MenuEntriesFollowTheWaveAfterIdleEnabling) {
    MergeWindowMenu();
    AnalysisRecorder analysis;
    SamplerRecorder sampler;
    MenuCase const cases[] = {
        {"caret only, nothing registered", [](Wave &) {}, false, "-----------++++-"},
        {"caret only", [](Wave &) {}, true, "--------+-+++++-"},
        {"selection", [](Wave &w) { w.SetSelection(100, 199, 3, 1); }, true, "---++++-+-+++++-"},
        {"undo list",
         [](Wave &w) {
             w.Reverse(3, 10, 19, 1);
             w.ClearSelection(1);
         },
         true, "+-+-----+-+++++-"},
        {"redo list",
         [](Wave &w) {
             w.Reverse(3, 10, 19, 1);
             w.UndoCurrentState();
             w.ClearSelection(1);
         },
         true, "-++-----+-+++++-"},
        {"caret in a CD track",
         [](Wave &w) {
             w.InsertSilenceNoUndo(3, 2000);  // a track takes 588 frames at least
             w.GetMarkers().AddCdTrackFromRange(0, 1175, 1, 0);
             w.SetCaret(3, 600);
         },
         true, "-------++-+++++-"},
        {"sampler record", [](Wave &w) { w.EnsureSampleInfo(); }, true, "--------+++++++-"},  // kept from here on
    };
    for (MenuCase const &c : cases) {
        wave_->ClearSelection(1);
        wave_->ClearUndoMementos();
        wave_->GetMarkers().DeleteAll();
        SetAnalysisMenuLink(c.links ? &analysis : nullptr);
        SetSamplerMenuLink(c.links ? &sampler : nullptr);
        c.prepare(*wave_);
        std::string states;
        for (uint id : kMenuIds) {
            MenuEntry entry = Entry(id);
            EXPECT_TRUE(entry.found) << id;
            states += entry.enabled ? '+' : '-';
        }
        EXPECT_EQ(std::string(c.expected), states) << c.state;
        // Every other entry of the window's menu that the view's enablers answer shows
        // their answer (the frame's own entry and the child's system menu aside).
        std::vector<uint> ids;
        CommandsOf(Frame().GetMenu(), ids);
        int compared = 0;
        for (uint id : ids) {
            EnablerProbe probe(id);
            view_->EvCommandEnable(probe);
            if (id == 24310 || id >= 0xF000 || !probe.answered)
                continue;
            EXPECT_EQ(probe.enabled, Entry(id).enabled) << c.state << ", command " << id;
            ++compared;
        }
        EXPECT_GT(compared, 80) << c.state;
    }
    // Checks and texts come through as well.
    Send(210);
    EXPECT_TRUE(Entry(210).checked);
    EXPECT_FALSE(Entry(208).checked);
    EXPECT_EQ("&Move to...", Entry(331).text);
}

// The second delete of a Crop fails: the first comes back, the name exclusion ends, the
// error is told, and the next Delete is an undo step of its own.
TEST_F(WindowCommands, CropWhoseSecondDeleteFailsLeavesTheWaveAsItWas) {
    Contents const original = Read();
    wave_->SetSelection(100, 199, 3, 1);
    wave_->ClearUndoMementos();
    {
        CdRefreshes refreshes(2);
        BoxAnswers boxes(IDOK);
        Send(DoubleView::kCmCrop);
        EXPECT_EQ(3, refreshes.count);  // two deletes, then the undo of the first
        EXPECT_EQ(1, BoxAnswers::count);
        EXPECT_NE(std::string::npos, BoxAnswers::text.find("could not follow")) << BoxAnswers::text;
    }
    EXPECT_EQ(original, Read());
    EXPECT_EQ(0, wave_->GetNumUndoMementos());
    wave_->SetSelection(0, 9, 3, 1);
    Send(DoubleView::kCmDelete);
    EXPECT_EQ(kFrames - 10, wave_->GetLength());
    EXPECT_EQ(1, wave_->GetNumUndoMementos());
    EXPECT_EQ("Delete", std::string(wave_->GetPendingUndoName().c_str()));
}

// What a test does inside the move-caret box: the text it found, what it typed and whether
// OK was open for it.
struct CaretBox {
    static inline std::string shown;
    static inline std::vector<std::string> typed;
    static inline std::vector<long> accepted;
    static inline TPoint openedAt;
    static inline TPoint moveTo;
    static int Run(MoveCaretDialog &dialog) {
        dialog.Create();
        TRect rect = dialog.GetWindowRect();
        openedAt = rect.TopLeft();
        char text[100];
        ::GetDlgItemTextA(dialog.GetHandle(), MoveCaretDialog::kPositionEdit, text, sizeof text);
        shown = text;
        accepted.clear();
        for (std::string const &t : typed) {
            ::SetDlgItemTextA(dialog.GetHandle(), MoveCaretDialog::kPositionEdit, t.c_str());
            accepted.push_back(dialog.GetTyped());
        }
        dialog.MoveWindow(moveTo.x, moveTo.y, rect.Width(), rect.Height(), true);
        dialog.Destroy(IDOK);
        return IDOK;
    }
};

// The box counts from the ruler's origin; a caret typed past the end is taken up to one and
// a half lengths and then held to the end; the box opens where it last closed.
TEST_F(WindowCommands, MoveCaretCountsFromTheOriginAndKeepsItsPlace) {
    TimeSettings saved = TheTimeSettings();
    TheTimeSettings().dialUnit = kUnitSamples;
    TimeScale *ruler = view_->GetMainView()->GetTimeScale();
    ASSERT_TRUE(ruler);
    ruler->SetOrigin(100);
    wave_->SetCaret(3, 150);
    SetMoveCaretRunner(&CaretBox::Run);
    CaretBox::typed = {"601", "50"};
    CaretBox::moveTo = TPoint(40, 30);
    Send(DoubleView::kCmMoveCaret);
    EXPECT_EQ("50", CaretBox::shown);
    EXPECT_EQ((std::vector<long>{-1, 50}), CaretBox::accepted);  // 601 is past 1.5 x 400
    EXPECT_EQ(150, wave_->GetCaret());

    CaretBox::typed = {"500"};
    Send(DoubleView::kCmMoveCaret);
    EXPECT_EQ(TPoint(40, 30), CaretBox::openedAt);
    EXPECT_EQ((std::vector<long>{500}), CaretBox::accepted);
    EXPECT_EQ(kFrames, wave_->GetCaret());  // 600 held to the end

    ruler->SetOrigin(0);
    wave_->SetCaret(3, 20);
    CaretBox::typed = {"7"};
    Send(DoubleView::kCmMoveCaret);
    EXPECT_EQ("20", CaretBox::shown);
    EXPECT_EQ(7, wave_->GetCaret());
    TheTimeSettings() = saved;
}

// A start beyond the range (the caret of a wave that shrank under an origin) opens clamped.
TEST_F(WindowCommands, MoveCaretStartsInsideItsRange) {
    TimeSettings saved = TheTimeSettings();
    TheTimeSettings().dialUnit = kUnitSamples;
    view_->GetMainView()->GetTimeScale()->SetOrigin(300);
    wave_->SetCaret(3, 100);
    SetMoveCaretRunner(&CaretBox::Run);
    CaretBox::typed = {};
    Send(DoubleView::kCmMoveCaret);
    EXPECT_EQ("0", CaretBox::shown);
    view_->GetMainView()->GetTimeScale()->SetOrigin(0);
    TheTimeSettings() = saved;
}

// Previous and next marker, the CD track at the caret, and a track from the selection in
// one undo step that the CD programs hear of.
TEST_F(WindowCommands, MarkersAndCdTracks) {
    MarkerSet &markers = wave_->GetMarkers();
    markers.Add(new Marker(String("a"), 50, Marker::kPlain, 0), 0);
    markers.Add(new Marker(String("b"), 250, Marker::kPlain, 0), 0);
    wave_->SetCaret(3, 100);
    Send(DoubleView::kCmNextMarker);
    EXPECT_EQ(250, wave_->GetCaret());
    Send(DoubleView::kCmNextMarker);
    EXPECT_EQ(250, wave_->GetCaret());
    Send(DoubleView::kCmPreviousMarker);
    EXPECT_EQ(50, wave_->GetCaret());

    // Tracks take whole CD frames of 588 frames.
    wave_->InsertSilenceNoUndo(3, 2000);
    CdRefreshes refreshes;
    wave_->SetSelection(588, 1763, 3, 1);
    wave_->ClearUndoMementos();
    EXPECT_TRUE(Enabled(DoubleView::kCmCdTrackFromSelection));
    Send(DoubleView::kCmCdTrackFromSelection);
    int32_t start = -1, end = -1;
    ASSERT_EQ(0, markers.FindCdTrackAt(1000, &start, &end));
    EXPECT_EQ(588, start);
    EXPECT_EQ(1764, end);
    EXPECT_EQ(1, wave_->GetNumUndoMementos());
    EXPECT_EQ(1, refreshes.count);
    wave_->ClearSelection(1);
    wave_->SetCaret(3, 1000);
    Send(DoubleView::kCmSelectCdTrack);
    EXPECT_EQ(588, wave_->GetSelectionStart());
    EXPECT_EQ(1763, wave_->GetSelectionEnd());
    Send(DoubleView::kCmUndo);
    EXPECT_EQ(-1, markers.FindCdTrackAt(1000, nullptr, nullptr));
}

// The question tells the steps, their memory and the temporary files only they still use;
// Cancel keeps the history, OK clears it.
TEST_F(WindowCommands, ClearingTheUndoHistoryTellsWhatItHolds) {
    wave_->SetSelection(10, 19, 3, 1);
    wave_->ClearUndoMementos();
    Send(DoubleView::kCmReverse);
    Send(DoubleView::kCmUndo);  // the reversed frames' file is now held by the redo step only
    {
        BoxAnswers boxes(IDCANCEL);
        Send(DoubleView::kCmClearUndoHistory);
        EXPECT_EQ(1, BoxAnswers::count);
        EXPECT_EQ(unsigned(MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2), BoxAnswers::style);
        EXPECT_EQ(0u, BoxAnswers::text.find("Undo steps: 0; redo steps: 1.")) << BoxAnswers::text;
        EXPECT_NE(std::string::npos, BoxAnswers::text.find("still use: 1 (0.000 MB)")) << BoxAnswers::text;
        EXPECT_EQ(1, wave_->GetNumRedoMementos());
    }
    BoxAnswers boxes(IDOK);
    Send(DoubleView::kCmClearUndoHistory);
    EXPECT_EQ(0, wave_->GetNumRedoMementos());
    EXPECT_EQ(0, wave_->GetNumUndoMementos());
}

int WindowCount(HWND client) {
    int count = 0;
    for (HWND w = ::GetWindow(client, GW_CHILD); w; w = ::GetWindow(w, GW_HWNDNEXT))
        count += ::IsWindowVisible(w) ? 1 : 0;
    return count;
}

// Pumps messages until the condition holds or ten seconds pass.
bool PumpUntil(std::function<bool()> const &condition) {
    for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 10000;) {
        Settle();
        if (condition())
            return true;
        ::Sleep(5);
    }
    return condition();
}

// While the wave plays, the next marker relocates the playback and leaves the caret.
TEST_F(WindowCommands, NextMarkerRelocatesAPlayback) {
    enginetest::PlaybackScope playback;
    wave_->InsertSilenceNoUndo(3, 2646000);
    wave_->GetMarkers().Add(new Marker(String("far"), 2000000, Marker::kPlain, 0), 0);
    wave_->SetCaret(3, 0);
    wave_->Play(0, kPlayFromCaret, 0, 0, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return wave_->IsPlaying() && ThePlaybackEngine().GetPosition() > 0; }));
    Send(DoubleView::kCmNextMarker);
    // playing on would take 45 s to get there
    EXPECT_TRUE(PumpUntil([] { return ThePlaybackEngine().GetPosition() >= 2000000; }));
    EXPECT_EQ(0, wave_->GetCaret());
    ThePlaybackEngine().StopAndWait();
}

// A new sound of the selection, a further window on this one, and the window stretched
// across the client.
TEST_F(WindowCommands, FurtherWindowsAndTheWidth) {
    HWND client = ::GetParent(Child().GetHandle());
    Child().ShowWindow(SW_RESTORE);
    Child().MoveWindow(30, 20, 300, 200, true);
    Settle();
    int windows = WindowCount(client);
    Contents const original = Read();
    wave_->SetSelection(100, 149, 3, 1);
    Send(DoubleView::kCmNewWaveFromSelection);
    DoubleView *copy = DoubleView::GetActive();
    ASSERT_TRUE(copy && copy != view_);
    Wave &made = copy->GetWave();
    EXPECT_EQ(50, made.GetLength());
    EXPECT_EQ(Samples(original[1].begin() + 100, original[1].begin() + 150), ReadChannel(made, 1));
    WINDOWPLACEMENT placement = {sizeof placement};
    ::GetWindowPlacement(copy->GetParentH(), &placement);
    EXPECT_EQ(46, placement.rcNormalPosition.left);
    EXPECT_EQ(36, placement.rcNormalPosition.top);
    EXPECT_EQ(windows + 1, WindowCount(client));

    ::SendMessageA(client, WM_MDIACTIVATE, WPARAM(Child().GetHandle()), 0);
    Settle();
    ASSERT_EQ(view_, DoubleView::GetActive());
    Send(DoubleView::kCmNewWindow);
    EXPECT_EQ(2, wave_->GetNumViews());
    EXPECT_EQ(windows + 2, WindowCount(client));
    DoubleView *second = DoubleView::GetActive();
    ASSERT_TRUE(second && second != view_ && &second->GetWave() == wave_);
    ::GetWindowPlacement(second->GetParentH(), &placement);
    EXPECT_EQ(30 + ::GetSystemMetrics(SM_CYCAPTION), placement.rcNormalPosition.left);

    Send(DoubleView::kCmStretchToClient);
    RECT frame, area;
    ::GetWindowRect(second->GetParentH(), &frame);
    ::MapWindowPoints(HWND_DESKTOP, client, reinterpret_cast<POINT *>(&frame), 2);
    ::GetClientRect(client, &area);
    EXPECT_EQ(0, frame.left);
    EXPECT_EQ(area.right, frame.right);
    EXPECT_EQ(placement.rcNormalPosition.top, frame.top);
}

// The analysis and the sampler are reached through their links; 862 waits for the wave's
// sampler record.
TEST_F(WindowCommands, AnalysisAndSamplerGoThroughTheirLinks) {
    AnalysisRecorder analysis;
    SamplerRecorder sampler;
    SetAnalysisMenuLink(&analysis);
    SetSamplerMenuLink(&sampler);
    wave_->SetSelection(0, 99, 3, 1);
    Send(DoubleView::kCmFrequencyAnalysis);
    EXPECT_EQ(std::vector<Wave *>{wave_}, analysis.opened);
    Send(DoubleView::kCmSamplerTarget);
    Send(DoubleView::kCmSampleInfo);
    EXPECT_EQ((std::vector<int>{861, 863}), sampler.opened);
    EXPECT_FALSE(Enabled(DoubleView::kCmSamplerStub));
    wave_->EnsureSampleInfo();
    EXPECT_TRUE(Enabled(DoubleView::kCmSamplerStub));
}

// Saving in another format asks the new-wave box first: Cancel saves nothing, OK has the
// wave converted to the format chosen and writes the copy.
struct FormatAnswers : WaveConversionLink {
    Wave *ConvertWave(Wave &wave, SamplePattern const &format) override {
        asked = format;
        return wavetest::DistinctWave(2, format.GetNumChannels(), wave.GetLength(), format.GetRate());
    }
    SamplePattern asked;
    static inline int dialogs = 0;
    static inline std::string path;
    static int NewWave(NewWaveDialog &) {
        ++dialogs;
        return !path.empty();
    }
    static int File(FileSelectorInfo &info) {
        info.selectedFiles.Append(new FileName(path.c_str()));
        info.selectedFilterIndex = -1;
        return 1;
    }
};

TEST_F(WindowCommands, SaveInAnotherFormatAsksTheFormatFirst) {
    NewWaveSettings savedSettings = TheNewWaveSettings();
    TNewWaveDialogRunner previousRunner = SetNewWaveDialogRunner(&FormatAnswers::NewWave);
    FileSelectorAnswer previousAnswer = SetFileSelectorAnswer(&FormatAnswers::File);
    FormatAnswers::dialogs = 0;
    FormatAnswers::path.clear();
    Send(DoubleView::kCmSaveInFormat);
    EXPECT_EQ(1, FormatAnswers::dialogs);

    FormatAnswers::path = app_.Folder() + "\\mono8.wav";
    TheNewWaveSettings().channels = 1;
    TheNewWaveSettings().bits = 8;
    FormatAnswers conversion;
    SetWaveConversionLink(&conversion);
    BoxAnswers boxes(IDOK);
    Send(DoubleView::kCmSaveInFormat);
    SetWaveConversionLink(nullptr);
    EXPECT_EQ(2, FormatAnswers::dialogs);
    EXPECT_EQ(1, conversion.asked.GetNumChannels());
    EXPECT_EQ(8, conversion.asked.GetBits());
    AudioFile *opened = OpenAudioFile(0, FileName(FormatAnswers::path.c_str()), 0, 0);
    ASSERT_TRUE(opened) << BoxAnswers::text;
    audiotest::OwnedFile file(opened);
    EXPECT_EQ(1, file->GetNumChannels());
    EXPECT_EQ(kFrames, file->GetLength());
    SetFileSelectorAnswer(previousAnswer);
    SetNewWaveDialogRunner(previousRunner);
    TheNewWaveSettings() = savedSettings;
}

}  // namespace
