// The end of the program: whether it may end (the frame closing, a session ending),
// the layout and the preferences it saves on the way out.
#include "manager/DocumentManager.h"

#include "core/FrameWindow.h"

#include "foundation/Exception.h"
#include "foundation/FileSelector.h"

namespace {
bool CtrlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }
}  // namespace

int DocumentManager::CanClose() {
    if (!MayEnd())
        return 0;
    End(CtrlHeld());
    return 1;
}

int DocumentManager::MayEnd() {
    if (_startingUp)
        return 0;
    return unconditionalEnd_ || CanCloseAll(0);
}

// Ctrl held at the end inverts the auto-save-layout setting.
void DocumentManager::End(bool ctrl) {
    if (ctrl != (autoSaveLayout_ != 0) && layoutStore_)
        SaveLayout(*layoutStore_, layoutStore_->GetLayoutItemType());
    OnCloseInstance();
}

int DocumentManager::QueryEndSession() {
    if (!MayEnd())
        return 0;
    endSessionPending_ = 1;
    endSessionCtrl_ = CtrlHeld();
    return 1;
}

void DocumentManager::EndSession(int ending) {
    // a forced end that was never asked still keeps the preferences and the layout
    if (ending && !nowQuitting_)
        End(endSessionPending_ ? endSessionCtrl_ : CtrlHeld());
    endSessionPending_ = 0;
}

void DocumentManager::OnCloseInstance() {
    FreeHelpTable();
    nowQuitting_ = 1;
    SetFileSelectorExpandBitmap(0);
    settings_->MoveToRoot();
    SavePref(*settings_);
    if (settings_->GetFileName().IsEmpty() && !settingsFile_.IsEmpty()) {
        try {
            settings_->Save(settingsFile_);
        } catch (AException const &e) {
            WarnUser(e, 0);
        }
    }
}

void DocumentManager::UnconditionalEnd() {
    unconditionalEnd_ = 1;
    if (MainWindow)
        MainWindow->PostMessageA(WM_COMMAND, 20007, 0);
}
