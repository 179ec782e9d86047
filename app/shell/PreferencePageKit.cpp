#include "shell/PreferencePageKit.h"

#include "controls/ComboBox.h"
#include "controls/Dialog.h"
#include "controls/SpinEdit.h"
#include "foundation/MessageCatalogue.h"

namespace preferences {

TRangeSpinEdit *MakeSpin(Dialog &page, int id, double low, double high, double value, char const *format) {
    auto *spin = new TRangeSpinEdit(&page, id, 0, page.GetModule());
    TSpinAttr &attr = spin->GetAttr();
    if (format)
        attr.SetFormat(format);
    attr.SetRange(low, high);
    attr.SetInitial(value);
    spin->SetValue(value);
    return spin;
}

int SpinValue(TRangeSpinEdit &spin) { return int(spin.GetCurrentValue()); }

void FillCombo(Dialog &page, int id, ComboEntries const &entries, long selected) {
    TComboBoxData *data = page.InitCombo(id, int(entries.size()));
    data->ResetSelections();
    DialogItem &item = page.FindItem(id);
    for (size_t i = 0; i < entries.size(); ++i) {
        data->AddString(entries[i].first.c_str(), entries[i].second == selected);
        item.AttachValue(int(i), entries[i].second);
    }
}

ComboEntries MessageEntries(std::vector<std::pair<int, long>> const &messages) {
    ComboEntries entries;
    for (auto const &m : messages)
        entries.emplace_back(String(FindString(m.first)), m.second);
    return entries;
}

}  // namespace preferences
