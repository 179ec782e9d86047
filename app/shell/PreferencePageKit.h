// What the preference pages share: spin edits made over a page's control with their range
// and first value, and combo boxes of texts with a value each.
#pragma once

#include "foundation/Strings.h"

#include <utility>
#include <vector>

class Dialog;
class TModule;
class TRangeSpinEdit;

namespace preferences {

// An integer spin edit (a decimal one with a format such as ".2").
TRangeSpinEdit *MakeSpin(Dialog &page, int id, double low, double high, double value, char const *format = nullptr);

// The whole value a spin edit holds now, held to its range.
int SpinValue(TRangeSpinEdit &spin);

typedef std::vector<std::pair<String, long>> ComboEntries;
// Fills the combo box; the entry whose value is selected is chosen.
void FillCombo(Dialog &page, int id, ComboEntries const &entries, long selected);
// Entries of message texts with their values.
ComboEntries MessageEntries(std::vector<std::pair<int, long>> const &messages);

}  // namespace preferences
