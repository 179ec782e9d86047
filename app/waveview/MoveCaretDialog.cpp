#include "waveview/MoveCaretDialog.h"

#include "audio/Wave.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "waveview/TimeScale.h"
#include "waveview/TimeSpinEdit.h"
#include "waveview/WaveView.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

int RunModal(MoveCaretDialog &dialog) { return dialog.Execute(); }

MoveCaretRunner runner = &RunModal;

// The box's top-left corner as it last closed.
TPoint lastPlace;
int placed = 0;

// The origin of the view's ruler; 0 without a ruler.
long OriginOf(WaveView &view) { return view.GetTimeScale() ? view.GetTimeScale()->GetOrigin() : 0; }

TWindow *MainFrame() { return GetApplicationObject() ? GetApplicationObject()->GetMainWindow() : nullptr; }

}  // namespace

DEFINE_RESPONSE_TABLE1(MoveCaretDialog, Dialog)
    EV_CONTROL_ENABLE(IDOK, CeOk),
END_RESPONSE_TABLE;

MoveCaretDialog::MoveCaretDialog(WaveView &view, TModule *module)
    : TWindow(MainFrame(), 0, module), Dialog(MainFrame(), kResource, module),
      position_(new TimeSpinEdit(this, kPositionEdit, view.GetTimeUnit(), int(view.GetWave()->GetRate()), 0, module)) {
    Wave &wave = *view.GetWave();
    position_->SetSamplePattern(wave);
    double highest = double(int64_t(wave.GetLength()) * 3 / 2);
    double start = double(wave.GetPlayOrCaretPosition()) - double(OriginOf(view));
    TSpinAttr &attr = position_->GetAttr();
    attr.SetRange(0.0, highest);
    attr.SetInitial(std::min(std::max(start, 0.0), highest));
    CreateButton(IDOK);
    if (placed)
        SetPosition(kTopLeftAtPoint, &lastPlace);
}

long MoveCaretDialog::GetTyped() {
    int inRange = 0;
    double value = position_->GetCurrentValue(&inRange);
    return inRange ? long(std::floor(value)) : -1;
}

TPoint MoveCaretDialog::GetLastPlace(int *isPlaced) {
    if (isPlaced)
        *isPlaced = placed;
    return lastPlace;
}

void MoveCaretDialog::CleanupWindow() {
    chosen_ = GetTyped();
    TRect rect = GetWindowRect();
    lastPlace = rect.TopLeft();
    placed = 1;
    Dialog::CleanupWindow();
}

void MoveCaretDialog::CeOk(TCommandEnabler &enabler) { enabler.Enable(GetTyped() >= 0); }

MoveCaretRunner SetMoveCaretRunner(MoveCaretRunner next) {
    MoveCaretRunner previous = runner;
    runner = next ? next : &RunModal;
    return previous;
}

int RunMoveCaretDialog(WaveView &view) {
    MoveCaretDialog dialog(view, TModule::_localizedResourceDLL);
    if (runner(dialog) != IDOK || dialog.GetChosen() < 0)
        return 0;
    Wave &wave = *view.GetWave();
    // The caret may stand one past the last frame, no further.
    long caret = std::min<long>(dialog.GetChosen() + OriginOf(view), wave.GetLength());
    wave.SetCaret(wave.GetActiveChannels(), int(caret));
    view.ShowCaret();
    return 1;
}
