// The program's application object: a document manager that names the program, owns
// "system\main.set", builds the main frame with its MDI client, loads and saves the
// settings of every component, keeps the ".wav" association, answers the messages that
// worker threads hand to the GUI thread, turns a fixed set of keys into transport and
// editing commands for the whole program, and explains system errors before they are shown.
#pragma once

#include "manager/DocumentManager.h"
#include "shell/ProgramKeys.h"

#include <atomic>
#include <cstdint>

class InterThreadMessage;
class MessOnEndOfBackgroundQueue;
struct BackgroundJob;
class Wave;
class WaveMDIClient;
class WFrameWindow;

class WaveApp : public DocumentManager {
public:
    WaveApp();
    ~WaveApp() override;

    int CanClose() override;
    int ProcessAppMsg(MSG &msg) override;
    void InitMainWindow() override;
    Document *OpenProperDocument(FileName const &name, TPoint const *dropPoint) override;
    int OnStartRubber() override;
    void OnEndRubber(TRect const &rect) override;
    int OnKey(MSG const &msg, int keyDown) override;
    void OnInitInstance() override;
    void OnCloseInstance() override;
    void LoadPref(Config &config) override;
    void SavePref(Config &config) override;
    void NotifyNoMoreFrame() override;
    void DoAfterRestoreLayout() override;
    void CmAboutDialog() override;
    void OnExceptionMessage(Exception &e) override;

    // Window messages of the GUI thread.
    LRESULT OnInterThreadMessage(WPARAM message, LPARAM);
    LRESULT OnCaretRequest(WPARAM document, LPARAM position);
    LRESULT OnReleaseRequest(WPARAM wave, LPARAM serial);

    WFrameWindow *GetFrame() const;
    WaveMDIClient *GetClient() const { return client_; }
    // Counts the passes of the GUI thread's timers and idle actions.
    long GetActivity() const { return activity_; }
    void NoteActivity() { ++activity_; }
    // One second after the user's last key or mouse input (multimedia time).
    uint32_t GetUserActivityDeadline() const { return userDeadline_; }

    // Tests: what the close step does to the playback in place of shutting it down.
    typedef void (*AudioShutdown)();
    static AudioShutdown SetAudioShutdown(AudioShutdown shutdown);

private:
    // ---- keys (WaveAppKeys.cpp)
    void DoKeyAction(KeyDecision const &decision, MSG const &msg);
    void MarkSelectionAtKey(KeyAction action, bool fromKeypadPlus);
    void MoveToSelectionEdge(KeyAction action);
    void SwitchFocus();
    void PostToWaveView(unsigned command);
    void PostToFrame(unsigned command);
    bool ActiveChildAccepts(KeyAction action);
    KeyTarget CurrentKeyTarget();

    // ---- messages of the worker threads (WaveAppMessages.cpp)
    void ActOnMessage(InterThreadMessage &message);
    void StartBackgroundJob(BackgroundJob const &job);
    void EndBackgroundJob(MessOnEndOfBackgroundQueue const &end);

    WaveMDIClient *client_ = nullptr;
    std::atomic<long> activity_{1};
    std::atomic<uint32_t> userDeadline_{0};
    KeyTable keys_;
    HWND lastDialog_ = nullptr;

    DECLARE_RESPONSE_TABLE(WaveApp);
};

// The one application object while it exists, else null.
WaveApp *TheWaveApp();
