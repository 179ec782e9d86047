// The wave window's edit commands sent through the frame as their menu items send them:
// what each enables in which state, what each does to the samples, and that undo and redo
// bring both states back.
#include "tests/app/waveview/WaveWindowTestKit.h"

#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "waveview/EffectMenuLink.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/audio/WaveTestKit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using wavetest::ReadChannel;
using wavetest::Samples;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 400;

int Ramp(int channel, int frame) { return (frame * 37 + channel * 5000) % 20000 - 10000 + 3; }

class EnablerProbe : public TCommandEnabler {
public:
    explicit EnablerProbe(uint id) : TCommandEnabler(id) {}
    void Enable(int enable) override {
        TCommandEnabler::Enable(enable);
        enabled = enable != 0;
    }
    void SetText(char const *) override {}
    void SetCheck(int) override {}
    bool enabled = false;
};

// Counts what the effects would open.
class EffectRecorder : public EffectMenuLink {
public:
    void OpenEffect(std::int32_t registryId) override { opened.push_back(registryId); }
    void OpenFade(int fadeIn) override { opened.push_back(fadeIn ? -1 : -2); }
    std::vector<int> opened;
};

class WaveCommands : public testing::Test {
protected:
    void SetUp() override {
        TheWaveWindowSettings() = WaveWindowSettings();
        Wave::DeleteClipboardWave();
        wave_ = app_.OpenWave("commands.wav", 2, kFrames, Ramp);
        view_ = app_.OpenWindow(wave_);
    }
    void TearDown() override {
        Wave::DeleteClipboardWave();
        TheWaveWindowSettings() = WaveWindowSettings();
    }

    // The command as its menu item sends it to the frame.
    void Send(uint id) {
        ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, id, 0);
        Settle();
    }
    bool Enabled(uint id) {
        EnablerProbe probe(id);
        view_->EvCommandEnable(probe);
        return probe.enabled;
    }
    std::vector<Samples> Read() { return {ReadChannel(*wave_, 0), ReadChannel(*wave_, 1)}; }
    // Frames first..last of a channel's samples.
    static Samples Part(Samples const &s, int first, int last) {
        return Samples(s.begin() + first, s.begin() + last + 1);
    }

    WindowsScope app_;
    Wave *wave_ = nullptr;
    DoubleView *view_ = nullptr;
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

using Contents = std::vector<Samples>;

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

}  // namespace
