#include "ToolbarList.h"

#include "Application.h"
#include "FrameWindow.h"

namespace {
int floatingActive = 1;

int MainWindowIsForeground() {
    TApplication *app = GetApplicationObject();
    TWindow *main = app ? app->GetMainWindow() : 0;
    return main && main->GetHandle() && main->GetHandle() == ::GetForegroundWindow();
}
}  // namespace

void ActivateFloatingToolbars(int active) {
    if (active == -1)
        active = MainWindowIsForeground();
    floatingActive = active;
}

int GetFloatingToolbarsActive() { return floatingActive; }
