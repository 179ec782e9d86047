#include "waveview/MarkerFilterDialog.h"

#include "audio/Marker.h"
#include "audio/MarkerSet.h"
#include "audio/Wave.h"
#include "core/Application.h"
#include "core/FrameWindow.h"
#include "manager/DocumentManager.h"

namespace {

enum : int32_t { kPlainBit = 0x001, kDropBit = 0x002, kTrackStartBit = 0x004, kTrackBits = 0x01C, kIndexBits = 0x020 };

int RunModal(MarkerFilterDialog &dialog) { return dialog.Execute(); }

MarkerFilterRunner runner = &RunModal;
int forAllWaves = 0;  // the all-waves box, for the run of the program

void ShowTypes(Wave &wave, int32_t mask) {
    wave.GetMarkers().SetVisibleTypes(mask);
    wave.NotifyViews(kNotifyAll);
}

}  // namespace

DEFINE_RESPONSE_TABLE1(MarkerFilterDialog, Dialog)
    EV_COMMAND(IDOK, CmOk),
END_RESPONSE_TABLE;

MarkerFilterDialog::MarkerFilterDialog(TWindow *parent, int32_t visibleTypes, int allWaves, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kResource, module), mask_(visibleTypes), allWaves_(allWaves) {
    SetPosition(kCenterOnParent);
}

int32_t MarkerFilterDialog::MaskOfBoxes(int plain, int drop, int tracks, int indexes) {
    return (plain ? kPlainBit : 0) | (drop ? kDropBit : 0) | (tracks ? kTrackBits : 0) | (indexes ? kIndexBits : 0);
}

void MarkerFilterDialog::SetupWindow() {
    Dialog::SetupWindow();
    struct Box {
        int id;
        int32_t bit;
    } const boxes[] = {{kPlain, kPlainBit}, {kDrop, kDropBit}, {kTracks, kTrackStartBit}, {kIndexes, kIndexBits}};
    for (Box const &box : boxes)
        ::CheckDlgButton(GetHandle(), box.id, mask_ & box.bit ? BST_CHECKED : BST_UNCHECKED);
    ::CheckDlgButton(GetHandle(), kAllWaves, allWaves_ ? BST_CHECKED : BST_UNCHECKED);
}

int MarkerFilterDialog::IsBoxChecked(int id) { return ::IsDlgButtonChecked(GetHandle(), id) == BST_CHECKED; }

int32_t MarkerFilterDialog::GetMask() {
    return MaskOfBoxes(IsBoxChecked(kPlain), IsBoxChecked(kDrop), IsBoxChecked(kTracks), IsBoxChecked(kIndexes));
}

int MarkerFilterDialog::IsForAllWaves() { return IsBoxChecked(kAllWaves); }

void MarkerFilterDialog::Accept() {
    mask_ = GetMask();
    allWaves_ = IsForAllWaves();
    accepted_ = 1;
}

void MarkerFilterDialog::CmOk() {
    Accept();
    CloseWindow(IDOK);
}

MarkerFilterRunner SetMarkerFilterRunner(MarkerFilterRunner next) {
    MarkerFilterRunner previous = runner;
    runner = next ? next : &RunModal;
    return previous;
}

int RunFilterDialog(Wave &wave) {
    TWindow *parent = _docManager ? _docManager->GetMainWindow() : nullptr;
    MarkerSet &markers = wave.GetMarkers();
    MarkerFilterDialog dialog(parent, markers.GetVisibleTypes(), forAllWaves, TModule::_localizedResourceDLL);
    if (runner(dialog) != IDOK || !dialog.IsAccepted())
        return 0;
    forAllWaves = dialog.GetChosenAllWaves();
    int32_t mask = dialog.GetChosenMask();
    if (forAllWaves) {
        for (Document *d = _docManager ? _docManager->FindFirstDoc() : nullptr; d; d = _docManager->FindNextDoc(d))
            if (Wave *other = dynamic_cast<Wave *>(d))
                ShowTypes(*other, mask);
    }
    if (forAllWaves || mask != markers.GetVisibleTypes()) {
        if (mask != markers.GetVisibleTypes())
            ShowTypes(wave, mask);
        markers.NoteChange();
    }
    return 1;
}
