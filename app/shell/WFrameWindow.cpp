#include "shell/WFrameWindow.h"

#include "audio/Wave.h"
#include "core/MenuDescr.h"
#include "core/Module.h"
#include "core/SysInfo.h"
#include "engine/SamplerLink.h"
#include "engine/WaveRecorder.h"
#include "foundation/Config.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/Undo.h"
#include "shell/PlayClock.h"
#include "shell/WaveApp.h"
#include "shell/WaveStatusBar.h"
#include "waveview/PaneRedraw.h"

namespace {

enum : unsigned {
    kMenu = 1,
    kIcon = 1,
    kBlinkTimer = 1,
    kBlinkMs = 700,
    kTextUndo = 11036,
    kTextRedo = 11037,
    kCmdUndo = 20021,
    kCmdRedo = 20000,
};

WFrameWindow *mainFrame = nullptr;
DocumentID blinkDocument;
int mouseButtonHeld = 0;

void NoteActivity() {
    if (WaveApp *app = TheWaveApp())
        app->NoteActivity();
}

bool MouseButtonsUp() { return ::GetAsyncKeyState(VK_LBUTTON) >= 0 && ::GetAsyncKeyState(VK_RBUTTON) >= 0; }

// The blink of a document that is no longer the active wave ends with its caret hidden.
void EndBlinkUnlessActive(Wave *active) {
    if (!blinkDocument.IsInitialized() || blinkDocument.GetDocument() == active)
        return;
    if (_docManager && _docManager->IsValidDocument(blinkDocument, 0))
        const_cast<Document *>(blinkDocument.GetDocument())->NotifyViews(kNotifyHideCaret);
    blinkDocument.Clear();
}

// "<text><step name>\t<keys>" on the menu item of the command.
void SetMenuText(HMENU menu, unsigned command, unsigned text, String const &step, char const *keys) {
    String label(FindString(text));
    label += step;
    label += "\t";
    label += keys;
    MENUITEMINFOA item = {};
    item.cbSize = sizeof item;
    item.fMask = MIIM_STRING;
    item.dwTypeData = const_cast<char *>(label.c_str());
    ::SetMenuItemInfoA(menu, command, FALSE, &item);
}

}  // namespace

WFrameWindow *TheMainFrame() { return mainFrame; }

TMenuDescr WFrameWindow::MainMenu(bool withSampler, TModule *module) {
    return TMenuDescr(TResId(kMenu), 1, 0, 0, 0, 0, withSampler ? 4 : 3, withSampler ? 0 : 2, module);
}

int &MouseButtonHeldFlag() { return mouseButtonHeld; }

WFrameWindow::WFrameWindow(char const *title, TMDIClient &client)
    : FrameWindow(title, TResId(kMenu), client, 1, TModule::_localizedResourceDLL) {
    mainFrame = this;
    SetIcon(GetApplication(), TResId(kIcon));
    SetMenuDescr(MainMenu(IsSamplerLibraryAvailable() != 0, TModule::_localizedResourceDLL));
    if (app_) {
        Config &config = app_->GetConfig();
        Config::PathSaver saver(config);
        config.MoveToRoot();
        config.MoveDown("Frame Window");
        mouseWindow_ = config.GetSure(1, 0, 1, "MouseWindow");
    }
}

WFrameWindow::~WFrameWindow() {
    StopPlayClock();
    if (mainFrame == this)
        mainFrame = nullptr;
}

char const *WFrameWindow::GetClassNameA() { return "TessaroFrame"; }

WaveStatusBar *WFrameWindow::GetWaveStatusBar() const { return dynamic_cast<WaveStatusBar *>(statusBar_); }

void WFrameWindow::SavePref(Config &config) {
    if (!app_ || !app_->GetAutoSavePref())
        return;
    Config::PathSaver saver(config);
    config.MoveToRoot();
    config.MoveDown("Frame Window");
    config.SetValue(mouseWindow_, "MouseWindow");
}

void WFrameWindow::SetupWindow() {
    for (Bar bar : {kWindowsBar, kTransportBar, kNumberedBar, kFifthBar})
        BuildBar(bar);
    FrameWindow::SetupWindow();
    if (_win95)
        SetIconSm(GetApplication(), TResId(kIcon));
    blinkTimer_ = SetTimer(kBlinkTimer, kBlinkMs);
}

void WFrameWindow::CleanupWindow() {
    if (blinkTimer_)
        KillTimer(kBlinkTimer);
    blinkTimer_ = 0;
    FrameWindow::CleanupWindow();
}

void WFrameWindow::BuildControlBar() {
    BuildBar(kMainBar);
    controlBar_ = bars_[kMainBar];
    FrameWindow::BuildControlBar();
}

void WFrameWindow::BuildStatusBar() {
    if (!statusBar_)
        statusBar_ = new WaveStatusBar(&Tooltip, this, TGadget::Recessed, new TGadgetWindowFont(largeStatusFont_ ? 10 : 8));
    FrameWindow::BuildStatusBar();
}

int WFrameWindow::IdleAction(long count) {
    if (count == 0) {
        if (!WavePaneToRedraw::IsEmpty())
            WavePaneToRedraw::FlushAll();
        IdlePlayClock();
    }
    NoteActivity();
    return FrameWindow::IdleAction(count);
}

void WFrameWindow::EvTimer(WPARAM id) {
    if (id == kBlinkTimer)
        BlinkCaret(0);
    else
        DefaultProcessing();
}

void WFrameWindow::BlinkCaret(int) {
    if (MouseButtonsUp())
        mouseButtonHeld = 0;
    Wave *active = GetActiveWave();
    EndBlinkUnlessActive(active);
    NoteActivity();
    if (!active)
        return;
    if (active->IsPlaying()) {
        // While the wave plays its caret stays hidden.
        if (blinkPhase_ != 0)
            active->NotifyViews(kNotifyHideCaret);
        blinkPhase_ = 0;
        return;
    }
    blinkPhase_ = blinkPhase_ <= 0 ? 1 : blinkPhase_ - 1;
    active->NotifyViews(kNotifyCaretBlink, blinkPhase_);
    blinkDocument.Init(active);
}

// The undo and redo items name the step they would take back or do again.
void WFrameWindow::EvInitMenu(WPARAM menu) {
    DefaultProcessing();
    Document *active = app_ ? app_->FindActiveDocument() : nullptr;
    if (!active)
        return;
    auto *undoable = dynamic_cast<AUndoable *>(active);
    HMENU handle = reinterpret_cast<HMENU>(menu);
    SetMenuText(handle, kCmdUndo, kTextUndo, undoable ? undoable->GetPendingUndoName() : String(), "Ctrl+Z");
    SetMenuText(handle, kCmdRedo, kTextRedo, undoable ? undoable->GetPendingRedoName() : String(), "Ctrl+Shift+Z");
}

LRESULT WFrameWindow::EvWaveIn(WPARAM device, LPARAM header) { return RouteWaveInMessage(MM_WIM_DATA, device, header); }

DEFINE_RESPONSE_TABLE1(WFrameWindow, FrameWindow)
    EV_WM_TIMER,
    EV_MESSAGE(WM_INITMENU, EvInitMenu, v_WPARAM),
    EV_MESSAGE(MM_WIM_DATA, EvWaveIn, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;
