// A spin edit of a level in one of the user's level units: percent of full scale, the raw
// 16-bit value, or decibels below full scale. It keeps the level itself, so that it can
// switch units without losing it.
#pragma once

#include "controls/SpinEdit.h"

enum : int { kUnitPercent = 0, kUnitRaw = 1, kUnitDecibels = 2, kUnitCurrent = 3 };

// The unit the dialogs show levels in now.
int GetDialogLevelUnit();
// A level's text in that unit.
String DialogLevelText(int level);

class LevelSpinBox : public TRangeSpinEdit {
public:
    // Raw levels run 1 .. 32767.
    LevelSpinBox(TWindow *parent, int resourceId, int lowest, int highest, TModule *module = nullptr);

    int GetUnit() const { return unit_; }
    // Shows level in the unit (kUnitCurrent: the dialogs' unit now).
    void SetUnit(int unit, int level);
    void SetLevel(int level) { SetUnit(unit_, level); }
    // The value shown, kept inside the box's range, as a raw level inside lowest .. highest.
    int GetLevel();
    // Takes the dialogs' unit when it changed, keeping the level.
    void UpdateUnit();

private:
    int unit_ = kUnitRaw;
    int lowest_;
    int highest_;
};

LevelSpinBox *CreateLevelSpinBox(TWindow *parent, int controlId, int unit, int level, int lowest, int highest,
                                 TModule *module = nullptr);
