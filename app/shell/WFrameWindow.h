// The program's main window: the framework's MDI frame with five tool bars, the status bar
// and the main menu. It drives the two clocks of the user interface: a 50 ms clock that
// tells the views of the playing document where the playback is (PlayClock.h) and a 700 ms
// clock that makes the active wave's caret blink. Its window class "TessaroFrame" is the
// one a second start looks for.
#pragma once

#include "core/MenuDescr.h"
#include "manager/Document.h"
#include "manager/MainFrame.h"

#include <vector>

class ControlBar;
class WaveStatusBar;

class WFrameWindow : public FrameWindow {
public:
    enum Bar { kMainBar, kTransportBar, kWindowsBar, kNumberedBar, kFifthBar, kBarCount };
    // A bar's button: its command and picture; a command of 0 is a separator.
    struct BarButton {
        unsigned command;
        unsigned picture;
    };
    static std::vector<BarButton> const &BarButtons(Bar bar);
    // The menu's groups: File first, the rest after the document windows' own; the
    // sampler's menu (the second) only with the sampler link.
    static TMenuDescr MainMenu(bool withSampler, TModule *module);

    WFrameWindow(char const *title, TMDIClient &client);
    ~WFrameWindow() override;

    void SetupWindow() override;
    void CleanupWindow() override;
    void BuildControlBar() override;
    void BuildStatusBar() override;
    char const *GetClassNameA() override;
    int IdleAction(long count) override;
    void SavePref(Config &config) override;

    // The caret tick of the active wave: every 700 ms, and once from a pane that started a
    // playback. The phase alternates 1, 0; no blinking while the wave plays.
    void BlinkCaret(int);
    int GetBlinkPhase() const { return blinkPhase_; }
    void SetBlinkPhase(int phase) { blinkPhase_ = phase; }
    // A rectangle dragged on the MDI client opens a window ("MouseWindow").
    int IsMouseWindow() const { return mouseWindow_; }
    void SetMouseWindow(int on) { mouseWindow_ = on; }
    ControlBar *GetBar(Bar bar) const { return bars_[bar]; }
    WaveStatusBar *GetWaveStatusBar() const;

    void EvTimer(WPARAM id);
    void EvInitMenu(WPARAM menu);
    LRESULT EvWaveIn(WPARAM device, LPARAM header);

private:
    void BuildBar(Bar bar);

    ControlBar *bars_[kBarCount] = {};
    int mouseWindow_ = 1;
    int blinkPhase_ = 0;
    UINT_PTR blinkTimer_ = 0;

    DECLARE_RESPONSE_TABLE(WFrameWindow);
};

// The main frame while it exists, else null.
WFrameWindow *TheMainFrame();
// Makes the main frame the one the wave windows ask (FrameForWaves.cpp); once at start-up.
void RegisterFrameForWaves();
// The global mouse flag of the wave panes: set when a wave window is activated, cleared by
// the caret tick once both mouse buttons are up.
int &MouseButtonHeldFlag();
