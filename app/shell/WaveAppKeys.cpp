// The program-wide keys: what the key tables decide, done on the active wave, the
// playback, the focused wave view or the main frame.
#include "shell/WaveApp.h"

#include "audio/Wave.h"
#include "engine/AudioState.h"
#include "manager/MdiDocumentWindows.h"
#include "shell/WaveMDIClient.h"

#include <cstring>

namespace {

enum : unsigned {
    kCmdPlay = 130,
    kCmdStop = 131,
    kCmdToSelectionStart = 329,
    kCmdToSelectionEnd = 330,
    kCmdDelete = 365,
    kCmdPlaySelection = 458,
    kCmdCaretLeft = 611,
    kCmdCaretRight = 612,
    kCmdLoopSelection = 631,
    kCmdEngineWindow = 752,
    kCmdRedo = 20000,
    kCmdUndo = 20021,
    kCmdClientDoubleClick = 32010,
};

bool Held(int key) { return ::GetKeyState(key) < 0; }

KeyEvent KeyFromMessage(MSG const &msg, int keyDown) {
    KeyEvent key;
    key.virtualKey = unsigned(msg.wParam);
    key.scanCode = unsigned(msg.lParam >> 16) & 0xFF;
    key.extended = (msg.lParam & (1 << 24)) != 0;
    key.down = keyDown != 0;
    key.repeated = keyDown && (msg.lParam & (1 << 30)) != 0;
    key.alt = Held(VK_MENU);
    key.shift = Held(VK_SHIFT);
    key.ctrl = Held(VK_CONTROL);
    key.numLock = (::GetKeyState(VK_NUMLOCK) & 1) != 0;
    return key;
}

bool IsDialogWindow(HWND window) {
    char name[16] = "";
    return window && ::GetClassNameA(window, name, sizeof name) && std::strcmp(name, "#32770") == 0;
}

void BringForward(HWND window) {
    if (::IsIconic(window))
        ::ShowWindow(window, SW_RESTORE);
    ::BringWindowToTop(window);
    ::SetFocus(window);
}

}  // namespace

int WaveApp::OnKey(MSG const &msg, int keyDown) {
    bool guiThread = ::GetCurrentThreadId() == GetThreadId();
    if (guiThread && IsDialogWindow(::GetActiveWindow()))
        lastDialog_ = ::GetActiveWindow();
    KeyTarget target = CurrentKeyTarget();
    KeyDecision decision = DecideKey(keys_, KeyFromMessage(msg, keyDown), target);
    switch (decision.kind) {
    case KeyDecision::kSwallow: return 1;
    case KeyDecision::kDigit:
        if (TWindow *child = GetActiveWave() && client_ ? client_->GetActiveMDIChild() : nullptr) {
            child->PostMessageA(WM_COMMAND, decision.command, 0);
            return 1;
        }
        break;
    case KeyDecision::kAction:
        if (!guiThread || target.dialogActive || !decision.row || ActiveChildAccepts(decision.action)) {
            DoKeyAction(decision, msg);
            return 1;
        }
        break;
    case KeyDecision::kIgnore: break;
    }
    // Another thread's window has no table of its own: the key goes on to the program.
    if (!guiThread && keyDown) {
        TWindow *child = client_ && GetActiveWave() ? client_->GetActiveMDIChild() : nullptr;
        HWND to = child ? child->GetHandle() : frame_ ? frame_->GetHandle() : nullptr;
        if (to)
            ::PostMessageA(to, msg.message, msg.wParam, msg.lParam);
        return to != nullptr;
    }
    return 0;
}

KeyTarget WaveApp::CurrentKeyTarget() {
    KeyTarget target;
    target.dialogActive = IsDialogWindow(::GetActiveWindow());
    target.waveWindowActive = GetActiveWave() != nullptr;
    return target;
}

// A wave window takes every action; another document window says which it lets through.
bool WaveApp::ActiveChildAccepts(KeyAction action) {
    if (GetActiveWave() || !client_)
        return true;
    MDIChild *child = dynamic_cast<MDIChild *>(client_->GetActiveMDIChild());
    return !child || child->AcceptHotKeyCommand(action);
}

void WaveApp::DoKeyAction(KeyDecision const &decision, MSG const &) {
    Playback &playback = ThePlaybackEngine();
    switch (decision.action) {
    case kKeyPlay: PostToFrame(kCmdPlay); break;
    case kKeyRelocate: playback.RelocateToCurrent(); break;
    case kKeyLoopSelection: PostToWaveView(kCmdLoopSelection); break;
    case kKeyPlaySelection: PostToWaveView(kCmdPlaySelection); break;
    case kKeyPause:
        if (!playback.Pause())
            PostToFrame(kCmdStop);
        break;
    case kKeyUndo: PostToFrame(kCmdUndo); break;
    case kKeyRedo: PostToFrame(kCmdRedo); break;
    case kKeySelectionStart:
    case kKeySelectionEnd: MarkSelectionAtKey(decision.action, decision.row == nullptr); break;
    case kKeyToSelectionStart:
    case kKeyToSelectionEnd: MoveToSelectionEdge(decision.action); break;
    case kKeyDelete: PostToFrame(kCmdDelete); break;
    case kKeyCaretLeft: PostToWaveView(kCmdCaretLeft); break;
    case kKeyCaretRight: PostToWaveView(kCmdCaretRight); break;
    case kKeySwitchFocus: SwitchFocus(); break;
    case kKeyClientDoubleClick:
        if (client_ && client_->IsWindowEnabled() && client_->GetActiveMDIChild())
            PostToFrame(kCmdClientDoubleClick);
        break;
    case kKeyEngineWindow: PostToFrame(kCmdEngineWindow); break;
    case kKeyNone: break;
    }
}

// The play position of the active wave while it plays, else its caret (not for the keypad
// plus key), starts or ends its selection.
void WaveApp::MarkSelectionAtKey(KeyAction action, bool fromKeypadPlus) {
    Wave *wave = GetActiveWave();
    if (::GetCurrentThreadId() != GetThreadId() || !wave || !wave->CheckNotBusy(0))
        return;
    int position;
    if (wave->IsPlaying())
        position = ThePlaybackEngine().GetPosition();
    else if (!fromKeypadPlus)
        position = wave->GetCaret();
    else
        return;
    if (action == kKeySelectionStart)
        wave->SetSelectionStart(position);
    else
        wave->SetSelectionEnd(position);
}

void WaveApp::MoveToSelectionEdge(KeyAction action) {
    Wave *wave = GetActiveWave();
    if (!wave || !wave->HasSelection())
        return;
    bool toStart = action == kKeyToSelectionStart;
    if (wave->IsPlaying())
        ThePlaybackEngine().Relocate(toStart ? wave->GetSelectionStart() : wave->GetSelectionEnd());
    else
        PostToFrame(toStart ? kCmdToSelectionStart : kCmdToSelectionEnd);
}

// Between the dialog last used and the active document window.
void WaveApp::SwitchFocus() {
    HWND active = ::GetActiveWindow();
    TWindow *child = client_ ? client_->GetActiveMDIChild() : nullptr;
    if (IsDialogWindow(active)) {
        lastDialog_ = active;
        if (child)
            BringForward(child->GetHandle());
    } else if (lastDialog_ && ::IsWindow(lastDialog_) && ::IsWindowVisible(lastDialog_)) {
        BringForward(lastDialog_);
    }
}

void WaveApp::PostToWaveView(unsigned command) {
    TWindow *child = client_ && GetActiveWave() ? client_->GetActiveMDIChild() : nullptr;
    if (child)
        child->PostMessageA(WM_COMMAND, command, 0);
}

void WaveApp::PostToFrame(unsigned command) {
    if (frame_)
        frame_->PostMessageA(WM_COMMAND, command, 0);
}
