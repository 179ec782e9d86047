#include "waveview/MultiPasteDialog.h"

#include "controls/SpinEdit.h"
#include "core/Application.h"

#include <cmath>

namespace {

int RunModal(MultiPasteDialog &dialog) { return dialog.Execute(); }

MultiPasteRunner runner = &RunModal;

}  // namespace

DEFINE_RESPONSE_TABLE1(MultiPasteDialog, Dialog)
    EV_CONTROL_ENABLE(IDOK, CeOk),
END_RESPONSE_TABLE;

MultiPasteDialog::MultiPasteDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kResource, module),
      count_(new TRangeSpinEdit(this, kCountEdit, 4, module)) {
    TSpinAttr &attr = count_->GetAttr();
    attr.SetRange(kLowest, kHighest);
    attr.SetInitial(kLowest);
    count_->SetValue(int(kLowest));
    CreateButton(IDOK);
}

int MultiPasteDialog::GetCount() {
    int inRange = 0;
    double value = count_->GetCurrentValue(&inRange);
    return inRange && value == std::floor(value) ? int(value) : 0;
}

void MultiPasteDialog::CleanupWindow() {
    chosen_ = GetCount();
    Dialog::CleanupWindow();
}

void MultiPasteDialog::CeOk(TCommandEnabler &enabler) { enabler.Enable(GetCount() > 0); }

MultiPasteRunner SetMultiPasteRunner(MultiPasteRunner next) {
    MultiPasteRunner previous = runner;
    runner = next ? next : &RunModal;
    return previous;
}

int RunMultiPasteDialog(TWindow *parent) {
    MultiPasteDialog dialog(parent, TModule::_localizedResourceDLL);
    if (runner(dialog) != IDOK)
        return -1;
    int count = dialog.GetChosenCount();
    return count > 0 ? count : -1;
}
