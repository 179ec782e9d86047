// 2,000 seeded random commands sent to a short stereo wave's window as its menu sends them
// (only when enabled): edits, clipboard, multi-paste, nudges, undo and redo, against a model of two
// arrays, a clipboard and undo and redo lists, compared after every step.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "core/FrameWindow.h"
#include "core/Module.h"
#include "waveview/MultiPasteDialog.h"
#include "waveview/WavePane.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using wavetest::ReadChannel;
using wavetest::Samples;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

using Contents = std::vector<Samples>;  // one array per channel

int const kSteps = 2000;
int const kStartFrames = 300;
int const kLongest = 2500;  // beyond it only shrinking commands are drawn

// Where the command acts: a selection of some channels, or the caret alone.
struct Place {
    bool selected;
    int start, end, channels, caret;
};

struct Model {
    Contents samples;
    Contents clip;  // no channel: empty
    // The clipboard's channels that feed a paste: a mono clip, or a channel that holds no
    // data (a single stretch of silence) has the other stand in, as the clipboard wave says.
    int clipFeeds = 3;
    std::vector<Contents> undo, redo;
    int pasteCount = 1;
    int nudgeStep = 1;  // frames a nudge moves by at the view's zoom

    int Length() const { return int(samples[0].size()); }
    Samples const &ClipFor(int channel) const {
        if (clip.size() < 2 || clipFeeds == 1)
            return clip[0];
        return clip[clipFeeds == 2 ? 1 : channel];
    }
    Samples Repeated(int channel, int times) const {
        Samples run;
        for (int i = 0; i < times; ++i)
            run.insert(run.end(), ClipFor(channel).begin(), ClipFor(channel).end());
        return run;
    }
};

bool In(int channels, int channel) { return channels & (1 << channel); }

void EachSelected(Model &m, Place const &p, std::function<void(Samples &, int, int)> const &f) {
    for (int c = 0; c < 2; ++c)
        if (In(p.channels, c))
            f(m.samples[c], p.start, p.end + 1);
}

// Frames [from, to) of both channels in place of what stood there.
bool Splice(Model &m, int from, int to, std::function<Samples(int channel)> const &part) {
    for (int c = 0; c < 2; ++c) {
        Samples &s = m.samples[c];
        Samples put = part(c);
        s.erase(s.begin() + from, s.begin() + to);
        s.insert(s.begin() + from, put.begin(), put.end());
    }
    return true;
}

void CopyToClip(Model &m, Place const &p) {
    m.clip.clear();
    for (int c = 0; c < 2; ++c)
        if (In(p.channels, c))
            m.clip.emplace_back(m.samples[c].begin() + p.start, m.samples[c].begin() + p.end + 1);
}

// Pastes of the clipboard n times: over the selection, else at the caret.
bool PasteTimes(Model &m, Place const &p, int times) {
    int from = p.selected ? p.start : p.caret, to = p.selected ? p.end + 1 : p.caret;
    return Splice(m, from, to, [&](int c) { return m.Repeated(c, times); });
}

enum PlaceKind { kAnySelection, kBothSelected, kSelectionOrCaret };
// Nudges are the pane's mouse tools 3 and 4, not menu commands.
enum : unsigned { kNudgeLeft = 3, kNudgeRight = 4 };

struct Command {
    char const *name;
    unsigned id;
    PlaceKind place;
    bool shrinks;
    int weight;  // in draws
    // Changes the model; true when the edit leaves an undo step.
    std::function<bool(Model &, Place const &)> apply;
};

// What each command does to the model, where it stands in the table of commands.
bool Cut(Model &m, Place const &p) {
    CopyToClip(m, p);
    return Splice(m, p.start, p.end + 1, [](int) { return Samples(); });
}

bool Delete(Model &m, Place const &p) { return Splice(m, p.start, p.end + 1, [](int) { return Samples(); }); }

bool Crop(Model &m, Place const &p) {
    for (Samples &s : m.samples)
        s = Samples(s.begin() + p.start, s.begin() + p.end + 1);
    return true;
}

// Silence to the end of every channel is no sound at all: the tail goes.
bool Silence(Model &m, Place const &p) {
    if (p.channels == 3 && p.end == m.Length() - 1)
        return Delete(m, p);
    EachSelected(m, p, [](Samples &s, int a, int b) { std::fill(s.begin() + a, s.begin() + b, 0); });
    return true;
}

bool InsertSilence(Model &m, Place const &p) {
    return Splice(m, p.start, p.start, [&](int) { return Samples(p.end - p.start + 1, 0); });
}

bool Reverse(Model &m, Place const &p) {
    EachSelected(m, p, [](Samples &s, int a, int b) { std::reverse(s.begin() + a, s.begin() + b); });
    return true;
}

bool InvertPhase(Model &m, Place const &p) {
    EachSelected(m, p, [](Samples &s, int a, int b) {
        std::transform(s.begin() + a, s.begin() + b, s.begin() + a, [](int32_t v) { return -v; });
    });
    return true;
}

// Enabled without a selection too, where it changes nothing.
bool SwapChannels(Model &m, Place const &p) {
    if (!p.selected)
        return false;
    std::swap_ranges(m.samples[0].begin() + p.start, m.samples[0].begin() + p.end + 1, m.samples[1].begin() + p.start);
    return true;
}

// Over a selection it replaces the selection; at the caret it overwrites, running past the end.
bool PasteOver(Model &m, Place const &p) {
    if (p.selected)
        return PasteTimes(m, p, 1);
    int n = int(m.ClipFor(0).size());
    return Splice(m, p.caret, std::min(p.caret + n, m.Length()), [&](int c) { return m.ClipFor(c); });
}

bool PasteAt(Model &m, int position) {
    return Splice(m, position, position, [&](int c) { return m.ClipFor(c); });
}

// The selected frames of the selected channels moved left or right by a step, as far as the
// wave's ends allow; the frames they pass close up behind them.
bool Nudge(Model &m, Place const &p, int direction) {
    if (!p.selected)
        return false;
    int span = p.end - p.start + 1;
    int to = std::min(std::max(p.start + direction * m.nudgeStep, 0), m.Length() - span);
    if (to == p.start)
        return false;
    EachSelected(m, p, [&](Samples &s, int a, int b) {
        Samples block(s.begin() + a, s.begin() + b);
        s.erase(s.begin() + a, s.begin() + b);
        s.insert(s.begin() + to, block.begin(), block.end());
    });
    return true;
}

// The steps move between the lists; neither records one.
bool Undo(Model &m, Place const &) {
    m.redo.push_back(m.samples);
    m.samples = m.undo.back();
    m.undo.pop_back();
    return false;
}

bool Redo(Model &m, Place const &) {
    m.undo.push_back(m.samples);
    m.samples = m.redo.back();
    m.redo.pop_back();
    return false;
}

std::vector<Command> const &Commands() {
    static std::vector<Command> const commands = {
        {"copy", 20023, kAnySelection, true, 3, [](Model &m, Place const &p) { return CopyToClip(m, p), false; }},
        {"cut", 20022, kBothSelected, true, 3, Cut},
        {"delete", 20011, kBothSelected, true, 3, Delete},
        {"crop", 141, kBothSelected, true, 3, Crop},
        {"silence", 152, kAnySelection, true, 3, Silence},
        {"insert silence", 185, kBothSelected, false, 3, InsertSilence},
        {"reverse", 205, kAnySelection, true, 3, Reverse},
        {"invert phase", 370, kAnySelection, true, 3, InvertPhase},
        {"swap channels", 151, kBothSelected, true, 3, SwapChannels},
        {"paste", 20024, kSelectionOrCaret, false, 3, [](Model &m, Place const &p) { return PasteTimes(m, p, 1); }},
        {"paste over", 250, kSelectionOrCaret, false, 3, PasteOver},
        {"paste at end", 251, kSelectionOrCaret, false, 3, [](Model &m, Place const &) { return PasteAt(m, m.Length()); }},
        {"paste at start", 252, kSelectionOrCaret, false, 3, [](Model &m, Place const &) { return PasteAt(m, 0); }},
        {"multi-paste", 165, kSelectionOrCaret, false, 1,
         [](Model &m, Place const &p) { return PasteTimes(m, p, m.pasteCount); }},
        {"undo", 20021, kSelectionOrCaret, true, 3, Undo},
        {"redo", 20000, kSelectionOrCaret, true, 3, Redo},
        {"nudge left", kNudgeLeft, kAnySelection, true, 2, [](Model &m, Place const &p) { return Nudge(m, p, -1); }},
        {"nudge right", kNudgeRight, kAnySelection, true, 2, [](Model &m, Place const &p) { return Nudge(m, p, 1); }},
    };
    return commands;
}

// The multi-paste box answered with the count the model drew.
struct CountAnswer {
    static int count;
    static int Run(MultiPasteDialog &dialog) {
        dialog.Create();
        ::SetDlgItemTextA(dialog.GetHandle(), MultiPasteDialog::kCountEdit, std::to_string(count).c_str());
        dialog.Destroy(IDOK);
        return IDOK;
    }
};
int CountAnswer::count = 1;

int Ramp(int channel, int frame) { return (frame * 53 + channel * 7001) % 30000 - 15000 + 1; }

class WaveWindowModel : public testing::Test {
protected:
    void SetUp() override {
        previousLanguage_ = TModule::_localizedResourceDLL;
        TModule::_localizedResourceDLL = &language_;
        previousRunner_ = SetMultiPasteRunner(&CountAnswer::Run);
        TheWaveWindowSettings() = WaveWindowSettings();
        Wave::DeleteClipboardWave();
        wave_ = app_.OpenWave("model.wav", 2, kStartFrames, Ramp);
        view_ = app_.OpenWindow(wave_);
        view_->GetParentO()->ShowWindow(SW_RESTORE);
        ShowThenPark();
        model_.samples = Read();
    }
    void TearDown() override {
        Wave::DeleteClipboardWave();
        SetMultiPasteRunner(previousRunner_);
        TModule::_localizedResourceDLL = previousLanguage_;
    }

    Contents Read() { return {ReadChannel(*wave_, 0), ReadChannel(*wave_, 1)}; }
    // Whether the window enables the command, as the frame sets the command's menu item.
    bool Enabled(uint id) {
        HMENU menu = ::CreatePopupMenu();
        ::AppendMenuA(menu, MF_STRING, id, "command");
        TWindow *frame = app_.GetMainWindow();
        TMenuItemEnabler item(menu, id, frame->GetHandle(), 0);
        frame->EvCommandEnable(item);
        bool enabled = !(::GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED);
        ::DestroyMenu(menu);
        return enabled;
    }
    // A random place of the kind; the caret alone now and then, where commands that need a
    // selection are disabled.
    Place Draw(PlaceKind kind) {
        int length = wave_->GetLength();
        Place p = {false, 0, 0, 3, Uniform(0, length)};
        if (length == 0 || Uniform(0, 9) == 0 || (kind == kSelectionOrCaret && Uniform(0, 1)))
            return p;
        p.selected = true;
        p.start = Uniform(0, length - 1);
        p.end = std::min(length - 1, p.start + Uniform(0, 59));
        p.channels = kind == kAnySelection ? Uniform(1, 3) : 3;
        // One channel silenced whole becomes padding that a later edit evens away with the
        // other's silence; the model keeps no padding, so one channel is never taken whole.
        if (p.start == 0 && p.end == length - 1)
            p.channels = 3;
        return p;
    }
    void Put(Place const &p) {
        if (p.selected) {
            wave_->SetSelection(p.start, p.end, p.channels, 1);
        } else {
            wave_->ClearSelection(1);
            wave_->SetCaret(3, p.caret);
        }
    }
    int Uniform(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    Command const &DrawCommand() {
        std::vector<Command> const &all = Commands();
        int total = 0;
        for (Command const &c : all)
            total += c.weight;
        for (;;) {
            int draw = Uniform(0, total - 1);
            size_t i = 0;
            while (draw >= all[i].weight)
                draw -= all[i++].weight;
            if (all[i].shrinks || wave_->GetLength() < kLongest)
                return all[i];
        }
    }
    // The window paints what the commands made of the wave, then moves out of the client's
    // sight, where commands run without painting at each step.
    void ShowThenPark() {
        TWindow *child = view_->GetParentO();
        child->MoveWindow(0, 0, 600, 300, true);
        Settle();
        child->MoveWindow(20000, 20000, 600, 300, true);
        Settle();
    }
    // A nudge right after a nudge joins its step: the wave's count tells whether it did.
    void RecordNudge(Contents const &before) {
        if (wave_->GetNumUndoMementos() > int(model_.undo.size()))
            model_.undo.push_back(before);
        model_.redo.clear();
    }
    // An edit that changes the samples leaves an undo step and empties the redo list. The
    // wave compares lists of pieces, not samples: an edit that leaves the samples as they were,
    // or as the newest step holds them, may leave a step or none (an equal step is dropped,
    // the redo list emptied all the same); there the wave's lists tell.
    void Record(Contents const &before) {
        bool required = model_.samples != before && (model_.undo.empty() || model_.undo.back() != before);
        if (required || wave_->GetNumUndoMementos() > int(model_.undo.size()))
            model_.undo.push_back(before);
        if (required || wave_->GetNumRedoMementos() == 0)
            model_.redo.clear();
    }
    // The command as the menu sends it: only when enabled. Whether the model saw it enabled
    // too is checked by the undo and redo counts and the samples.
    bool Send(Command const &c) {
        if (c.id == kNudgeLeft || c.id == kNudgeRight) {
            view_->GetMainView()->GetFirstPane()->NudgeSelection(int(c.id));
            return true;
        }
        if (!Enabled(c.id))
            return false;
        ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, c.id, 0);
        return true;
    }

    TModule language_{"EnglishTs", apptest::UseEnglishTexts()};
    TModule *previousLanguage_ = nullptr;
    MultiPasteRunner previousRunner_ = nullptr;
    WindowsScope app_;
    Wave *wave_ = nullptr;
    DoubleView *view_ = nullptr;
    Model model_;
    std::mt19937 random_{22};
};

std::string Describe(int step, Command const &c, Place const &p) {
    return "step " + std::to_string(step) + ": " + c.name +
           (p.selected ? " on " + std::to_string(p.start) + ".." + std::to_string(p.end) + " of channels " +
                             std::to_string(p.channels)
                       : " at " + std::to_string(p.caret));
}

TEST_F(WaveWindowModel, RandomCommandsThroughTheWindowMatchTheModel) {
    int sent = 0;
    for (int step = 0; step < kSteps; ++step) {
        Command const &c = DrawCommand();
        Place const p = Draw(c.place);
        model_.pasteCount = CountAnswer::count = Uniform(1, 3);
        int zoom = view_->GetMainView()->GetZoom();  // the view follows the wave's length
        model_.nudgeStep = zoom <= 0 ? -zoom : 1;
        Put(p);
        SCOPED_TRACE(Describe(step, c, p));
        if (Send(c)) {
            ++sent;
            if (Wave *clipboard = Wave::GetClipboardWave())
                model_.clipFeeds = clipboard->GetChannelWithData(0) | clipboard->GetChannelWithData(1);
            Contents before = model_.samples;
            bool changed = c.apply(model_, p);
            if (changed && (c.id == kNudgeLeft || c.id == kNudgeRight))
                RecordNudge(before);
            else if (changed)
                Record(before);
        }
        ASSERT_EQ(model_.Length(), wave_->GetLength());
        ASSERT_EQ(model_.samples, Read());
        ASSERT_EQ(int(model_.undo.size()), wave_->GetNumUndoMementos());
        ASSERT_EQ(int(model_.redo.size()), wave_->GetNumRedoMementos());
        if (step % 250 == 249)
            ShowThenPark();
    }
    // most draws find their command enabled
    EXPECT_GT(sent, kSteps * 3 / 5);
}

}  // namespace

namespace {

// A crop to the wave's end right after a Delete is a step of its own: Undo takes back the
// crop alone, Redo brings it again.
TEST_F(WaveWindowModel, ACropToTheEndAfterADeleteIsItsOwnStep) {
    wave_->SetSelection(10, 19, 3, 1);
    ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, DoubleView::kCmDelete, 0);
    Contents deleted = Read();
    int length = wave_->GetLength();
    wave_->SetSelection(length - 30, length - 1, 3, 1);
    ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, DoubleView::kCmCrop, 0);
    ASSERT_EQ(30, wave_->GetLength());
    EXPECT_EQ(2, wave_->GetNumUndoMementos());
    ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, DoubleView::kCmUndo, 0);
    EXPECT_EQ(deleted, Read());
    ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, DoubleView::kCmRedo, 0);
    EXPECT_EQ(30, wave_->GetLength());
}

}  // namespace
