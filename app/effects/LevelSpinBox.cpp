#include "effects/LevelSpinBox.h"

#include "audio/LevelText.h"

#include <algorithm>

namespace {

enum : int { kFullScale = 32767, kRawStep = 100, kRawLargeStep = 1000 };

}  // namespace

int GetDialogLevelUnit() { return kUnitDecibels; }

String DialogLevelText(int level) {
    switch (GetDialogLevelUnit()) {
    case kUnitPercent:
        return FormatLevelPercent(level);
    case kUnitRaw:
        return FormatLevelValue(level);
    default:
        return FormatLevelDb(level, "%.2f", 1);
    }
}

LevelSpinBox::LevelSpinBox(TWindow *parent, int resourceId, int lowest, int highest, TModule *module)
    : TWindow(parent, 0, module), TRangeSpinEdit(parent, resourceId, 0, module), lowest_(lowest), highest_(highest) {}

void LevelSpinBox::SetUnit(int unit, int level) {
    unit_ = unit == kUnitCurrent ? GetDialogLevelUnit() : unit;
    TSpinAttr &attr = GetAttr();
    switch (unit_) {
    case kUnitPercent:
        attr.SetFormat(" %");
        attr.SetRange(lowest_ * 100 / kFullScale, highest_ * 100 / kFullScale);
        SetValue(level * 100 / kFullScale);
        break;
    case kUnitRaw:
        attr.SetFormat(nullptr);
        attr.SetRange(lowest_, highest_);
        attr.SetIncrement(int(kRawStep));
        attr.SetLargeIncrement(int(kRawLargeStep));
        SetValue(level);
        break;
    default:
        attr.SetFormat(" dB");
        attr.SetRange(AmplitudeToDecibels(lowest_), AmplitudeToDecibels(highest_));
        SetValue(AmplitudeToDecibels(level));
    }
}

int LevelSpinBox::GetLevel() {
    double value = GetCurrentValue();
    int level;
    if (unit_ == kUnitPercent)
        level = int(value) * kFullScale / 100;
    else if (unit_ == kUnitRaw)
        level = int(value);
    else
        level = DecibelsToAmplitude(value);
    return std::min(std::max(level, lowest_), highest_);
}

void LevelSpinBox::UpdateUnit() {
    int unit = GetDialogLevelUnit();
    if (GetHandle() && unit != unit_)
        SetUnit(unit, GetLevel());
}

LevelSpinBox *CreateLevelSpinBox(TWindow *parent, int controlId, int unit, int level, int lowest, int highest,
                                 TModule *module) {
    LevelSpinBox *box = new LevelSpinBox(parent, controlId, lowest, highest, module);
    box->SetUnit(unit, level);
    return box;
}
