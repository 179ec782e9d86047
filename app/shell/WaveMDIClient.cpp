#include "shell/WaveMDIClient.h"

#include "audio/AudioFile.h"
#include "audio/NewWaveDialog.h"
#include "audio/Wave.h"
#include "audio/WaveFactory.h"
#include "bars/ToolbarControlBar.h"
#include "engine/BackgroundTaskWindow.h"
#include "engine/PlugInLoader.h"
#include "core/MessageBoxSeam.h"
#include "core/Module.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/FileSelector.h"
#include "foundation/MessageCatalogue.h"
#include "manager/View.h"
#include "shell/DiskInfoDoc.h"
#include "shell/FFT3DSettingsDialog.h"
#include "shell/FFT3DView.h"
#include "shell/LiveInput.h"
#include "shell/PreferencesDialog.h"
#include "shell/WFrameWindow.h"
#include "shell/WaveApp.h"
#include "waveview/MarkerWindow.h"

namespace {

enum : unsigned {
    kMenu = 1,
    kTextDeleteTitle = 11117,
    kTextDeleteHelp = 11038,
    kTextDeleteQuestion = 10016,
    kTextFileInUse = 11403,
    kCmdNewWave = 534,
};

int displayFlags[3] = {};  // commands 162, 608, 609

int &DisplayFlag(unsigned command) { return displayFlags[command == 162 ? 0 : command == 608 ? 1 : 2]; }

// The bar a command shows and hides.
WFrameWindow::Bar BarOf(unsigned command) {
    switch (command) {
    case 156: return WFrameWindow::kMainBar;
    case 157: return WFrameWindow::kTransportBar;
    case 750: return WFrameWindow::kWindowsBar;
    case 154: return WFrameWindow::kNumberedBar;
    default: return WFrameWindow::kFifthBar;
    }
}

ControlBar *BarOfCommand(unsigned command) {
    WFrameWindow *frame = TheMainFrame();
    return frame ? frame->GetBar(BarOf(command)) : nullptr;
}

bool ShowsWave(TWindow &child) {
    MDIChild *window = dynamic_cast<MDIChild *>(&child);
    View *view = window ? window->GetView() : nullptr;
    return view && dynamic_cast<Wave *>(&view->GetDocument());
}

bool Held(int key) { return ::GetKeyState(key) < 0; }

String ApplicationName() { return String(_docManager ? _docManager->GetName() : ""); }

}  // namespace

int GetDisplayFlag(unsigned command) { return DisplayFlag(command); }

bool IsTaskWindowShown() {
    BackgroundTaskWindow *window = FindBackgroundTaskWindow();
    return window && window->GetHandle() && window->IsWindowVisible();
}

WaveMDIClient::WaveMDIClient() : MDIClient(nullptr) {}

template <class Visit>
void WaveMDIClient::ForEachChild(bool waves, Visit visit) {
    for (TWindow *c = GetFirstChild(); c; c = c == GetLastChild() ? nullptr : c->Next())
        if (c->GetHandle() && (!waves || ShowsWave(*c)))
            visit(*c);
}

bool WaveMDIClient::AnyChild(bool waves, bool iconic) {
    bool any = false;
    ForEachChild(waves, [&](TWindow &c) { any = any || (c.IsIconic() != 0) == iconic; });
    return any;
}

// ---- documents and files

void WaveMDIClient::PopUpFileCascade(int index) {
    TModule *module = TModule::_localizedResourceDLL;
    HMENU menu = module ? module->LoadMenuA(TResId(kMenu)) : nullptr;
    HMENU file = menu ? ::GetSubMenu(menu, 0) : nullptr;
    HMENU cascade = file ? ::GetSubMenu(file, index) : nullptr;
    WFrameWindow *frame = TheMainFrame();
    if (cascade && frame) {
        POINT p;
        ::GetCursorPos(&p);
        ::TrackPopupMenu(cascade, TPM_LEFTALIGN | TPM_RIGHTBUTTON, p.x, p.y, 0, frame->GetHandle(), nullptr);
    }
    if (menu)
        ::DestroyMenu(menu);
}

void WaveMDIClient::CmNew() {
    if (Held(VK_CONTROL))
        PopUpFileCascade(0);
    else if (WFrameWindow *frame = TheMainFrame())
        frame->PostMessageA(WM_COMMAND, kCmdNewWave, 0);
}

void WaveMDIClient::CmOpen() {
    if (Held(VK_CONTROL))
        PopUpFileCascade(1);
    else
        CmOpenWave();
}

void WaveMDIClient::CmNewWave() { NewWave(TheMainFrame()); }

// The dialog tells the user of its own failures; nothing more is said here.
void WaveMDIClient::CmOpenWave() {
    try {
        if (_docManager)
            _docManager->OpenFileOpenDialog(Wave::_factory, nullptr, nullptr, 0, 1);
    } catch (...) {
    }
}

void WaveMDIClient::CmCloseAllWaves() {
    if (_docManager)
        _docManager->CloseAll(&Wave::_factory);
}

void WaveMDIClient::CeAnyWaveOpen(TCommandEnabler &ce) {
    ce.Enable(_docManager && _docManager->FindFirst(Wave::_factory) != nullptr);
}

// A file the program holds open is not deleted; a failed delete is reported.
void WaveMDIClient::CmDeleteFile() {
    FileSelectorInfo info;
    info.captionId = kTextDeleteTitle;
    info.filter = "*.*|*.*|";
    info.showHelp = kTextDeleteHelp;
    info.owner = TheMainFrame() ? TheMainFrame()->GetHandle() : nullptr;
    if (!UserSelectsFile(info) || !info.selectedFiles.GetFirst())
        return;
    FileName file(*info.selectedFiles.GetFirst());
    String caption = ApplicationName();
    if (IsAudioFileOpen(file)) {
        String text(BuildString(kTextFileInUse, file.c_str()));
        ShowMessageBox(info.owner, text.c_str(), caption.c_str(), MB_ICONINFORMATION | MB_OK);
        return;
    }
    String question(BuildString(kTextDeleteQuestion, file.c_str()));
    if (ShowMessageBox(info.owner, question.c_str(), caption.c_str(), MB_ICONQUESTION | MB_YESNO) != IDYES)
        return;
    try {
        File::Delete(file);
    } catch (AException const &e) {
        if (_docManager)
            _docManager->WarnUser(e, 0);
    }
}

// ---- the preferences

void WaveMDIClient::CmPreferences() {
    if (_docManager)
        OpenPreferences(*_docManager);
}

// ---- the analysis windows

void WaveMDIClient::CmOpenAnotherAnalysisView() {
    if (auto *view = _docManager ? dynamic_cast<FFT3DView *>(_docManager->FindActiveView()) : nullptr)
        view->CmOpenAnotherView();
}

void WaveMDIClient::CmAnalysisSettings() {
    if (_docManager)
        OpenFFT3DSettings(*_docManager);
}

void WaveMDIClient::CmDiskInformation() {
    if (_docManager)
        OpenDiskInformation(*_docManager);
}

void WaveMDIClient::CmLiveInput() { ToggleLiveInput(); }

// The input is monitored through the audio engine.
void WaveMDIClient::CeLiveInput(TCommandEnabler &ce) {
    ce.Enable(IsAudioEngineLoaded());
    ce.SetCheck(MicroDoc::GetLiveInput() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

// ---- windows and bars

void WaveMDIClient::CmMinimizeWaves() {
    ForEachChild(true, [](TWindow &c) {
        if (!c.IsIconic())
            c.ShowWindow(SW_MINIMIZE);
    });
}

void WaveMDIClient::CmRestoreAll() {
    ForEachChild(false, [](TWindow &c) {
        if (c.IsIconic())
            c.ShowWindow(SW_RESTORE);
    });
}

void WaveMDIClient::CmRestoreWaves() {
    ForEachChild(true, [](TWindow &c) {
        if (c.IsIconic())
            c.ShowWindow(SW_RESTORE);
    });
}

void WaveMDIClient::CmToggleBar(uint command) {
    if (ControlBar *bar = BarOfCommand(command))
        bar->SetStyle(bar->GetStyle() ^ TToolbar::Hidden, 1);
}

void WaveMDIClient::CmToggleFlag(uint command) { DisplayFlag(command) = !DisplayFlag(command); }

void WaveMDIClient::CmEngineWindow() { ShowMasterSection(!IsMasterSectionVisible()); }

void WaveMDIClient::CmTaskWindow() { ShowBackgroundTaskWindow(!IsTaskWindowShown()); }

void WaveMDIClient::CeAnyChild(TCommandEnabler &ce) { ce.Enable(GetFirstChild() != nullptr); }

void WaveMDIClient::CeCanMinimize(TCommandEnabler &ce) {
    bool any = false;
    ForEachChild(false, [&](TWindow &c) { any = any || (!c.IsIconic() && (c.GetStyle() & WS_MINIMIZEBOX)); });
    ce.Enable(any);
}

void WaveMDIClient::CeWaveNotMinimized(TCommandEnabler &ce) { ce.Enable(AnyChild(true, false)); }

void WaveMDIClient::CeAnyMinimized(TCommandEnabler &ce) { ce.Enable(AnyChild(false, true)); }

void WaveMDIClient::CeWaveMinimized(TCommandEnabler &ce) { ce.Enable(AnyChild(true, true)); }

void WaveMDIClient::CeWaveActive(TCommandEnabler &ce) { ce.Enable(GetActiveWave() != nullptr); }

void WaveMDIClient::CeBar(TCommandEnabler &ce) {
    ControlBar *bar = BarOfCommand(ce.GetId());
    ce.Enable(bar != nullptr);
    ce.SetCheck(bar && !(bar->GetStyle() & TToolbar::Hidden) ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void WaveMDIClient::CeFlag(TCommandEnabler &ce) {
    ce.Enable(1);
    ce.SetCheck(DisplayFlag(ce.GetId()) ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void WaveMDIClient::CeEngineLoaded(TCommandEnabler &ce) { ce.Enable(IsAudioEngineLoaded()); }

void WaveMDIClient::CeEngineWindow(TCommandEnabler &ce) {
    ce.Enable(IsAudioEngineLoaded());
    ce.SetCheck(IsMasterSectionVisible() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void WaveMDIClient::CeTaskWindow(TCommandEnabler &ce) {
    ce.Enable(IsAudioEngineLoaded());
    ce.SetCheck(IsTaskWindowShown() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

// The marker window opens when closed and closes when open.
void WaveMDIClient::CmMarkerWindow() { ShowMarkerWindow(!IsMarkerWindowShown()); }

void WaveMDIClient::CeMarkerWindow(TCommandEnabler &ce) {
    ce.Enable(1);
    ce.SetCheck(IsMarkerWindowShown() ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
}

void WaveMDIClient::CeEnabled(TCommandEnabler &ce) { ce.Enable(1); }

void WaveMDIClient::CeDisabled(TCommandEnabler &ce) { ce.Enable(0); }

DEFINE_RESPONSE_TABLE1(WaveMDIClient, MDIClient)
    EV_COMMAND_ENABLE(20000, CeDisabled),
    EV_COMMAND_ENABLE(537, CeAnyChild),
    EV_COMMAND(538, CmCloseAll),
    EV_COMMAND_ENABLE(538, CeAnyChild),
    EV_COMMAND(539, CmCloseAllWaves),
    EV_COMMAND_ENABLE(539, CeAnyWaveOpen),
    EV_COMMAND_ENABLE(550, CeCanMinimize),
    EV_COMMAND(551, CmMinimizeAll),
    EV_COMMAND_ENABLE(551, CeCanMinimize),
    EV_COMMAND(552, CmMinimizeWaves),
    EV_COMMAND_ENABLE(552, CeWaveNotMinimized),
    EV_COMMAND_ENABLE(560, CeAnyMinimized),
    EV_COMMAND(561, CmRestoreAll),
    EV_COMMAND_ENABLE(561, CeAnyMinimized),
    EV_COMMAND(562, CmRestoreWaves),
    EV_COMMAND_ENABLE(562, CeWaveMinimized),
    EV_COMMAND_ENABLE(586, CeWaveActive),
    EV_COMMAND_ENABLE(533, CeEnabled),
    EV_COMMAND_ENABLE(254, CeEnabled),
    EV_COMMAND_ENABLE(155, CeEnabled),
    EV_COMMAND(20002, CmNew),
    EV_COMMAND(534, CmNewWave),
    EV_COMMAND(20003, CmOpen),
    EV_COMMAND(255, CmOpenWave),
    EV_COMMAND_ENABLE(239, CeEngineLoaded),
    EV_COMMAND_ENABLE(133, CeMoveBackward),
    EV_COMMAND_ENABLE(134, CeMoveForward),
    EV_COMMAND(131, CmStop),
    EV_COMMAND_ENABLE(131, CeStop),
    EV_COMMAND(130, CmPlay),
    EV_COMMAND_ENABLE(130, CePlay),
    EV_COMMAND(132, CmRecord),
    EV_COMMAND_ENABLE(132, CeRecord),
    EV_COMMAND(198, CmDeleteFile),
    EV_COMMAND(184, CmLoop),
    EV_COMMAND_ENABLE(184, CeLoop),
    EV_COMMAND_AND_ID(162, CmToggleFlag),
    EV_COMMAND_ENABLE(162, CeFlag),
    EV_COMMAND_AND_ID(608, CmToggleFlag),
    EV_COMMAND_ENABLE(608, CeFlag),
    EV_COMMAND_AND_ID(609, CmToggleFlag),
    EV_COMMAND_ENABLE(609, CeFlag),
    EV_COMMAND(751, CmMasterSection),
    EV_COMMAND(860, CmReceiveSample),
    EV_COMMAND_ENABLE(860, CeSamplerAvailable),
    EV_COMMAND(864, CmSamplerSetup),
    EV_COMMAND_ENABLE(864, CeSamplerAvailable),
    EV_COMMAND_ENABLE(751, CeMasterSection),
    EV_COMMAND(792, CmShowMasterSection),
    EV_COMMAND(790, CmPlayModeFirst),
    EV_COMMAND_ENABLE(790, CePlayModeFirst),
    EV_COMMAND(791, CmPlayModeSecond),
    EV_COMMAND_ENABLE(791, CePlayModeSecond),
    EV_COMMAND_AND_ID(156, CmToggleBar),
    EV_COMMAND_ENABLE(156, CeBar),
    EV_COMMAND_AND_ID(157, CmToggleBar),
    EV_COMMAND_ENABLE(157, CeBar),
    EV_COMMAND_AND_ID(750, CmToggleBar),
    EV_COMMAND_ENABLE(750, CeBar),
    EV_COMMAND_AND_ID(154, CmToggleBar),
    EV_COMMAND_ENABLE(154, CeBar),
    EV_COMMAND_AND_ID(212, CmToggleBar),
    EV_COMMAND_ENABLE(212, CeBar),
    EV_COMMAND(752, CmEngineWindow),
    EV_COMMAND_ENABLE(752, CeEngineWindow),
    EV_COMMAND(753, CmTaskWindow),
    EV_COMMAND_ENABLE(753, CeTaskWindow),
    EV_COMMAND(170, CmVolume),
    EV_COMMAND(380, CmPreferences),
    EV_COMMAND(196, CmOpenAnotherAnalysisView),
    EV_COMMAND(486, CmAnalysisSettings),
    EV_COMMAND(197, CmDiskInformation),
    EV_COMMAND(199, CmLiveInput),
    EV_COMMAND_ENABLE(199, CeLiveInput),
    EV_COMMAND(214, CmMarkerWindow),
    EV_COMMAND_ENABLE(214, CeMarkerWindow),
END_RESPONSE_TABLE;
