#include "waveview/SaveStyleDialog.h"

#include "core/Module.h"
#include "waveview/DoubleView.h"
#include "waveview/ViewStyle.h"
#include "waveview/WaveViewMemento.h"

namespace {

int RunModal(SaveStyleDialog &dialog) { return dialog.Execute(); }

SaveStyleRunner runner = &RunModal;

// Where the box was last closed, for the run.
bool placed = false;
TPoint place;

}  // namespace

SaveStyleDialog::SaveStyleDialog(TWindow *parent, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kResource, module) {
    SetRadioGroup(this, kFirstSet, kStyleSets, 0, 0, 1, 2, 3, 4, 5);
    for (int set = 1; set < kStyleSets; ++set)
        CreateEditControl(kFirstName + set - 1, StyleSetName(set), kNameLength);
}

void SaveStyleDialog::SetupWindow() {
    Dialog::SetupWindow();
    if (placed)
        SetWindowPos(nullptr, place.x, place.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SaveStyleDialog::CleanupWindow() {
    chosen_ = QueryRadioGroup(kFirstSet);
    for (int set = 1; set < kStyleSets; ++set)
        names_[set] = GetText(kFirstName + set - 1, 1);
    place = GetWindowRect().TopLeft();
    placed = true;
    Dialog::CleanupWindow();
}

void SaveStyleDialog::Choose(int set, String const names[6]) {
    chosen_ = set;
    for (int k = 1; k < kStyleSets; ++k)
        names_[k] = names[k];
}

SaveStyleRunner SetSaveStyleRunner(SaveStyleRunner next) {
    SaveStyleRunner previous = runner;
    runner = next ? next : &RunModal;
    return previous;
}

void StoreWindowStyle(DoubleView &window, int set) {
    ViewStateBlock const &views = window.GetMemento().views;
    for (int i = 0; i < 2; ++i) {
        WaveViewStyleBlock &block = EditStyleSetBlock(set, i);
        block.view = views.views[i].view;
        block.timeScale = views.views[i].timeScale;
        block.panes[0] = views.views[i].panes[0];
        block.panes[1] = views.views[i].panes[1];
        block.levelScale = views.views[0].levelScale;
    }
}

int RunSaveStyleDialog(DoubleView &window) {
    SaveStyleDialog dialog(&window, TModule::_localizedResourceDLL);
    if (runner(dialog) != IDOK)
        return 0;
    for (int set = 1; set < kStyleSets; ++set)
        SetStyleSetName(set, dialog.GetName(set));
    int set = dialog.GetChosenSet();
    if (set >= 0 && set < kStyleSets)
        StoreWindowStyle(window, set);
    SavePresetStyles();
    return 1;
}
