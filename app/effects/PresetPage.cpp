#include "effects/PresetPage.h"

#include "effects/ProcessorRegistry.h"

#include <algorithm>

namespace {

enum : int { kNameLimit = 64, kListBottomMargin = 4 };

ProcessorClass &ProcessorById(int id) { return *FindProcessorClass(id); }

}  // namespace

DEFINE_RESPONSE_TABLE1(PresetPage, PropertyPage)
    EV_COMMAND(PresetControls::kStore, CmStore),
    EV_COMMAND(PresetControls::kDelete, CmDelete),
    EV_COMMAND(PresetControls::kReplace, CmReplace),
    EV_COMMAND(PresetControls::kLoad, CmLoad),
    EV_CHILD_NOTIFY(PresetControls::kList, LBN_SELCHANGE, EvListChange),
    EV_CHILD_NOTIFY(PresetControls::kList, LBN_DBLCLK, CmLoad),
    EV_CHILD_NOTIFY(PresetControls::kName, EN_CHANGE, EvNameChange),
    EV_WM_SIZE,
END_RESPONSE_TABLE;

PresetPage::PresetPage(PropertyDialog *dialog, int resId, FileName const &file, String const &root, TModule *module)
    : TWindow(dialog, 0, module), PropertyPage(dialog, resId, module),
      controls_(*this, *this, file, root, kNameLimit) {}

void PresetPage::AfterSelected() {
    PropertyPage::AfterSelected();
    controls_.FillList();
    controls_.EnableButtons();
}

void PresetPage::OnRightClick(unsigned, TPoint &) {
    POINT at;
    ::GetCursorPos(&at);
    controls_.ShowMenu(TPoint(at.x, at.y));
}

void PresetPage::SaveCurrentValues() {
    if (PropertyDialog *dialog = GetPropertyDialog())
        dialog->SaveAllPages();
}

// The store is written here, once, when it changed.
void PresetPage::CleanupWindow() {
    controls_.Close(1);
    PropertyPage::CleanupWindow();
}

void PresetPage::EvSize(uint sizeType, TSize &size) {
    PropertyPage::EvSize(sizeType, size);
    HWND list = GetItemHandle(PresetControls::kList);
    if (!list)
        return;
    TRect margin(0, 0, 0, kListBottomMargin);
    MapDialogRect(margin);
    RECT r;
    ::GetWindowRect(list, &r);
    ::MapWindowPoints(nullptr, GetHandle(), reinterpret_cast<POINT *>(&r), 2);
    int height = std::max<int>(size.cy - margin.bottom - r.top, 0);
    ::SetWindowPos(list, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- EffectPresetPage

EffectPresetPage::EffectPresetPage(PropertyDialog *dialog, EffectRecordHolder &holder, int processorId,
                                   TModule *module)
    : TWindow(dialog, 0, module),
      PresetPage(dialog, kPresetPageDialog, ProcessorById(processorId).GetPresetFile(), ProcessorById(processorId).GetName(),
                 module),
      holder_(holder), processorId_(processorId) {}

void EffectPresetPage::ReadPresetValues(Config &store) {
    ProcessorById(processorId_).ReadOpcodes(store, &holder_.GetRecord());
    if (PropertyDialog *dialog = GetPropertyDialog())
        dialog->UpdateAllPageControls();
}

void EffectPresetPage::WritePresetValues(Config &store) { ProcessorById(processorId_).WriteOpcodes(holder_.GetRecord(), store); }
