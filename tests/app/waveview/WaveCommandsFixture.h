// The fixture of the wave window's command tests: a stereo wave of a known ramp in its
// window, commands sent to the frame as their menu items send them, and boxes answered.
#pragma once

#include "tests/app/waveview/WaveWindowTestKit.h"

#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "core/Module.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/WaveTestKit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace wavecommandstest {

using wavetest::ReadChannel;
using wavetest::Samples;
using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 400;

using Contents = std::vector<Samples>;

inline int Ramp(int channel, int frame) { return (frame * 37 + channel * 5000) % 20000 - 10000 + 3; }

class EnablerProbe : public TCommandEnabler {
public:
    explicit EnablerProbe(uint id) : TCommandEnabler(id) {}
    void Enable(int enable) override {
        TCommandEnabler::Enable(enable);
        enabled = enable != 0;
        answered = true;
    }
    void SetText(char const *) override {}
    void SetCheck(int) override {}
    bool enabled = false;
    bool answered = false;  // an enabler of the view spoke
};

class WaveCommands : public testing::Test {
protected:
    void SetUp() override {
        previousLanguage_ = TModule::_localizedResourceDLL;
        TModule::_localizedResourceDLL = &language_;
        TheWaveWindowSettings() = WaveWindowSettings();
        Wave::DeleteClipboardWave();
        wave_ = app_.OpenWave("commands.wav", 2, kFrames, Ramp);
        view_ = app_.OpenWindow(wave_);
    }
    void TearDown() override {
        Wave::DeleteClipboardWave();
        TheWaveWindowSettings() = WaveWindowSettings();
        TModule::_localizedResourceDLL = previousLanguage_;
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

    TModule language_{"EnglishTs", apptest::UseEnglishTexts()};
    TModule *previousLanguage_ = nullptr;
    WindowsScope app_;
    Wave *wave_ = nullptr;
    DoubleView *view_ = nullptr;
};

// Boxes answered with a chosen button; the last one's text and style kept.
struct BoxAnswers {
    static inline int answer = IDOK;
    static inline int count = 0;
    static inline std::string text;
    static inline unsigned style = 0;
    static int Answer(HWND, char const *t, char const *, unsigned s) {
        ++count;
        text = t;
        style = s;
        return answer;
    }
    explicit BoxAnswers(int a) : previous_(SetMessageBoxAnswerer(&Answer)) {
        answer = a;
        count = 0;
        text.clear();
    }
    ~BoxAnswers() { SetMessageBoxAnswerer(previous_); }
    TMessageBoxAnswerer previous_;
};

}  // namespace wavecommandstest
