// The double view's commands that open further windows: a new wave of the selection, a
// further window on this wave, and the window stretched across the MDI client.
#include "waveview/DoubleView.h"

#include "audio/Wave.h"
#include "bars/Progress.h"
#include "core/Application.h"
#include "foundation/Exception.h"
#include "waveview/WaveViewMemento.h"
#include "waveview/WaveWindow.h"

#include <memory>

namespace {

enum { kTextNewFromSelection = 11073 };
int const kNewWaveOffset = 16;
// SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER
unsigned const kStretchFlags = 0x214;

// The window's normal rectangle (MDI client coordinates) moved right and down.
RECT ShiftedNormalRect(HWND window, int by) {
    WINDOWPLACEMENT placement = {sizeof placement};
    ::GetWindowPlacement(window, &placement);
    RECT rect = placement.rcNormalPosition;
    ::OffsetRect(&rect, by, by);
    return rect;
}

}  // namespace

void OpenSelectionInNewWindow(Wave &source, RECT const &rect, int stereo) {
    std::unique_ptr<Wave> copy(Wave::CreateWaveFromSelection(source, FileName(), stereo, -1, -1, 0));
    WaveViewGlobalMemento memento(rect);
    OpenWaveWindow(copy.get(), &memento);
    copy.release();
}

// The selection copied into a new wave in a window of its own.
void DoubleView::CmNewWaveFromSelection() {
    if (!wave_->HasSelection())
        return;
    AutoDisplayDuration title(kTextNewFromSelection);
    try {
        OpenSelectionInNewWindow(*wave_, ShiftedNormalRect(GetParentH(), kNewWaveOffset), 0);
    } catch (AException const &e) {
        GetApplicationObject()->WarnUser(e, 1);
    }
}

// A further window on the active wave window's wave, looking as it does, a caption lower.
void DoubleView::CmNewWindow() {
    DoubleView *active = GetActive();
    if (!active)
        return;
    std::unique_ptr<WaveViewGlobalMemento> memento(active->TakeMemento());
    RECT rect = ShiftedNormalRect(active->GetParentH(), ::GetSystemMetrics(SM_CYCAPTION));
    memento->placement = WaveViewGlobalMemento(rect).placement;
    OpenWaveWindow(&active->GetWave(), memento.get());
}

// Left and right become the MDI client's; top and bottom stay.
void DoubleView::CmStretchToClient() {
    HWND child = GetParentH();
    HWND client = ::GetParent(child);
    if (!child || !client)
        return;
    RECT frame, area;
    ::GetWindowRect(child, &frame);
    ::MapWindowPoints(HWND_DESKTOP, client, reinterpret_cast<POINT *>(&frame), 2);
    ::GetClientRect(client, &area);
    ::SetWindowPos(child, 0, area.left, frame.top, area.right - area.left, frame.bottom - frame.top, kStretchFlags);
}
