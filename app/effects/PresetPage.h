// The tab of a property dialog on which the user stores the dialog's settings under a name
// and loads them back, from the dialog's preset file. An effect's page reads and writes
// its presets through the effect's processor class.
#pragma once

#include "controls/PropertyDialog.h"
#include "effects/PresetControls.h"

class Opcodes;

// The effect pages' resource and tab title.
enum : int { kPresetPageDialog = 19, kTextPresetTab = 11009 };

class PresetPage : public PropertyPage, public PresetValues {
public:
    PresetPage(PropertyDialog *dialog, int resId, FileName const &file, String const &root, TModule *module);

    void AfterSelected() override;
    void OnRightClick(unsigned keys, TPoint &point) override;
    void SaveCurrentValues() override;
    PresetControls &GetControls() { return controls_; }

protected:
    void CleanupWindow() override;
    void CmStore() { controls_.Store(); }
    void CmDelete() { controls_.DeleteSelected(); }
    void CmReplace() { controls_.Replace(); }
    void CmLoad() { controls_.LoadSelected(); }
    void EvListChange() { controls_.EnableButtons(); }
    void EvNameChange() { controls_.EnableButtons(); }
    void EvSize(uint sizeType, TSize &size);

private:
    PresetControls controls_;

    DECLARE_RESPONSE_TABLE(PresetPage);
};

// The record an effect's tabbed dialog edits, for its preset page.
class EffectRecordHolder {
public:
    virtual Opcodes &GetRecord() = 0;

protected:
    ~EffectRecordHolder() {}
};

class EffectPresetPage : public PresetPage {
public:
    // The processor's preset file, under its display name.
    EffectPresetPage(PropertyDialog *dialog, EffectRecordHolder &holder, int processorId, TModule *module);

    void ReadPresetValues(Config &store) override;
    void WritePresetValues(Config &store) override;

private:
    EffectRecordHolder &holder_;
    int processorId_;
};
