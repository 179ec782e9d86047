#include "shell/WaveApp.h"

#include "audio/AudioFileSettings.h"
#include "audio/NewWaveDialog.h"
#include "audio/Wave.h"
#include "audio/WaveFactory.h"
#include "audio/WaveLinks.h"
#include "brastow/Brastow.h"
#include "controls/AboutDialog.h"
#include "controls/WindowUtilities.h"
#include "core/FloatingFrame.h"
#include "core/MessageBoxSeam.h"
#include "effects/ProcessorRegistry.h"
#include "engine/AudioState.h"
#include "engine/BackgroundTask.h"
#include "engine/EngineSettings.h"
#include "engine/PerformanceHistory.h"
#include "engine/PlugInLoader.h"
#include "engine/SelfRegistration.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"
#include "pindral/Pindral.h"
#include "shell/SystemErrors.h"
#include "shell/WFrameWindow.h"
#include "shell/WaveMDIClient.h"
#include "shell/WaveOutVolume.h"

#include <mmsystem.h>

namespace {

char const kProduct[] = "Tessaro";
char const kSettingsFile[] = "system\\main.set";
int const kStampSettings = 1;       // main.set records when it was saved
int const kSplashBitmap = 10100;
unsigned long const kSplashMs = 250;
int const kAboutParam = 1010;
int const kAboutTemplate = 21000;

enum : unsigned {
    kTextTaskRunning = 11231,
    kTextEngineRefuses = 11232,
    kTextSettingsUnreadable = 11400,
    kTextCredits = 11404,
    kCmdMasterSection = 792,
    kHelpClose = 2,
    kUserActivityMs = 1000,
};

WaveApp *theApp = nullptr;

void ShutDownPlayback() { ThePlaybackEngine().Shutdown(); }

WaveApp::AudioShutdown audioShutdown = ShutDownPlayback;

bool IsKeyboardOrMouse(UINT message) {
    return (message >= WM_KEYFIRST && message <= 264) || (message >= WM_MOUSEFIRST && message <= 521);
}

bool IsKeyMessage(UINT message) { return message >= WM_KEYDOWN && message <= WM_SYSKEYUP; }

}  // namespace

WaveApp *TheWaveApp() { return theApp; }

WaveApp::AudioShutdown WaveApp::SetAudioShutdown(AudioShutdown shutdown) {
    AudioShutdown previous = audioShutdown;
    audioShutdown = shutdown ? shutdown : ShutDownPlayback;
    return previous;
}

WaveApp::WaveApp()
    : DocumentManager(kProduct, kSettingsFile, kStampSettings, kSplashBitmap, kSplashMs, kAboutParam),
      keys_(KeyTableFor(0)) {
    theApp = this;
    // The defaults stand in for settings that could not be read; they are written at close.
    if (GetConfig().GetFileName().IsEmpty() && File::Exist(settingsFile_))
        WarnUser(AException(String(BuildString(kTextSettingsUnreadable, settingsFile_.c_str()))), 0);
}

WaveApp::~WaveApp() {
    if (theApp == this)
        theApp = nullptr;
}

WFrameWindow *WaveApp::GetFrame() const { return dynamic_cast<WFrameWindow *>(frame_); }

// The audio engine, then a running background task, may keep the program open.
int WaveApp::CanClose() {
    bool engineRefuses = IsAudioEngineLoaded() && !CanCloseMasterSection(this);
    bool taskRunning = AnyBackgroundTask();
    if (engineRefuses || taskRunning) {
        String text(FindString(taskRunning ? kTextTaskRunning : kTextEngineRefuses));
        ShowMessageBox(frame_ ? frame_->GetHandle() : nullptr, text.c_str(), GetName(), MB_ICONINFORMATION | MB_OK);
        return 0;
    }
    return DocumentManager::CanClose();
}

int WaveApp::ProcessAppMsg(MSG &msg) {
    if (IsKeyboardOrMouse(msg.message))
        userDeadline_.exchange(timeGetTime() + kUserActivityMs);
    // Keys typed into a floating palette work on the document window on top.
    if (IsKeyMessage(msg.message) && client_ && client_->GetHandle()) {
        TWindow *active = frame_ ? frame_->GetWindowPtr(::GetActiveWindow()) : nullptr;
        if (dynamic_cast<TFloatingFrame *>(active))
            if (HWND top = ::GetWindow(client_->GetHandle(), GW_CHILD))
                msg.hwnd = top;
    }
    return DocumentManager::ProcessAppMsg(msg);
}

void WaveApp::InitMainWindow() {
    client_ = new WaveMDIClient;
    SetMainWindow(new WFrameWindow(GetName(), *client_));
}

// A module that registers itself is offered for registering, not opened.
Document *WaveApp::OpenProperDocument(FileName const &name, TPoint const *dropPoint) {
    if (OfferSelfRegistration(name))
        return nullptr;
    return DocumentManager::OpenProperDocument(name, dropPoint);
}

int WaveApp::OnStartRubber() {
    WFrameWindow *frame = GetFrame();
    return frame && frame->IsMouseWindow();
}

void WaveApp::OnEndRubber(TRect const &) {
    if (Wave *wave = GetActiveWave())
        TheWaveWindowLink().OpenWaveWindow(*wave, nullptr);
}

void WaveApp::OnInitInstance() {
    DocumentManager::OnInitInstance();
    SftTree_RegisterApp2(GetHandle());
    keys_ = KeyTableFor(::GetKeyboardType(1));
    RegisterNewWaveDialog();
    BuildProcessorRegistry();
}

void WaveApp::OnCloseInstance() {
    audioShutdown();
    PumpWaitingMessages();
    ResetPerformanceHistory();
    UnloadPlugIns();
    CDR_Terminate();
    DocumentManager::OnCloseInstance();
    DestroyProcessorRegistry();
    RestoreWaveOutVolume();
    OpenHelpWindow(kHelpClose, 0);
}

void WaveApp::NotifyNoMoreFrame() {
    if (MainWindow == frame_)
        MainWindow = nullptr;
    DocumentManager::NotifyNoMoreFrame();
}

// The master section was open when the program last closed: it opens again.
void WaveApp::DoAfterRestoreLayout() {
    if (!TheEngineSettings().engineOpen || !frame_)
        return;
    {
        WaitCursor waiting(*frame_);
        LoadPlugIns();
    }
    if (!IsAudioEngineLoaded())
        return;
    SetPlugInApplicationWindow(client_ ? client_->GetHandle() : nullptr);
    frame_->PostMessageA(WM_COMMAND, kCmdMasterSection, 0);
}

void WaveApp::CmAboutDialog() {
    AboutDialog about(frame_, kAboutParam, kAboutTemplate, this);
    about.SetExtraText(String(FindString(kTextCredits)));
    about.Execute();
}

void WaveApp::OnExceptionMessage(Exception &e) {
    if (ExplainSystemError(e, TemporaryFolder().GetDriveIndex()) == kCloseUnchangedDocuments && frame_)
        frame_->PostMessageA(2034, reinterpret_cast<WPARAM>(static_cast<DocumentModel *>(&Wave::_factory)), 0);
}

DEFINE_RESPONSE_TABLE1(WaveApp, DocumentManager)
    EV_MESSAGE(3035, OnInterThreadMessage, I32_WPARAM_LPARAM),
    EV_MESSAGE(3024, OnCaretRequest, I32_WPARAM_LPARAM),
    EV_MESSAGE(3025, OnReleaseRequest, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;
