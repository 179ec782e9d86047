#include "bars/ToolbarList.h"

#include "core/Application.h"
#include "core/FrameWindow.h"
#include "bars/Toolbar.h"
#include "bars/ToolbarFrame.h"

namespace {
int floatingActive = 1;

int MainWindowIsForeground() {
    TApplication *app = GetApplicationObject();
    TWindow *main = app ? app->GetMainWindow() : 0;
    return main && main->GetHandle() && main->GetHandle() == ::GetForegroundWindow();
}

template <class F>
void ForEachToolbar(F f) {
    TToolbarArray &bars = TToolbar::ToolbarArray;
    for (unsigned i = 0; i < bars.GetItemsInContainer(); ++i)
        f(*bars[bars.LowerBound() + int(i)]);
}
}  // namespace

void ActivateFloatingToolbars(int active) {
    if (active == -1)
        active = MainWindowIsForeground();
    floatingActive = active;
    ForEachToolbar([active](TToolbar &bar) {
        TToolbarFrame *frame = bar.GetFloatingFrame();
        if (bar.GetHandle() && bar.IsFloating() && !bar.IsHidden() && frame && frame->GetHandle())
            frame->SendMessageA(WM_NCACTIVATE, frame->IsWindowEnabled() ? active : 0);
    });
}

int GetFloatingToolbarsActive() { return floatingActive; }

namespace {
// The floating tool bars are the floating frames the framework tells about activity.
struct TActivatorRegistration {
    TActivatorRegistration() { SetFloatingFramesActivator(&ActivateFloatingToolbars); }
} activatorRegistration;
}  // namespace

void ResizeToolbarButtons(int width, int) {
    ForEachToolbar([width](TToolbar &bar) {
        if (bar.GetKeepBorders())
            return;
        ResizeBorders(bar, width);
        bar.CreateCases();
        // the docked place is taken first, so that the bars keep their order
        bar.SetStyle(bar.GetStyle(), 1);
        if (bar.IsFloating() && bar.GetFloatingFrame())
            bar.GetFloatingFrame()->ResizeWindow();
    });
}
