// The presets the program keeps for the audio engine's plug-ins: a modal dialog with the
// preset page's controls over a file of the plug-in's own in "system\plugins\".
#pragma once

#include "controls/Dialog.h"
#include "effects/PresetControls.h"

#include <string>

// A plug-in's parameters as its presets hold them.
class PlugInParameters {
public:
    enum Type : int { kWhole = 1, kFloat = 2, kText = 3, kBinary = 4, kFloatValue = 5 };

    virtual ~PlugInParameters() {}
    virtual String GetName() const = 0;
    virtual int GetCount() const = 0;
    virtual String GetParameterName(int i) const = 0;
    // Only the parameters marked saved go into a preset.
    virtual int IsSaved(int i) const = 0;
    virtual int GetType(int i) const = 0;
    // Whole numbers and floats.
    virtual float GetValue(int i) const = 0;
    virtual void SetValue(int i, float value) = 0;
    // Texts and binary values: count elements of GetElementSize bytes.
    virtual int GetElementSize(int i) const = 0;
    virtual std::string GetData(int i) const = 0;
    virtual void SetData(int i, void const *data, int count) = 0;
    // Tells the plug-in that a preset changed its values.
    virtual void SetChanged() = 0;
};

enum : int { kPlugInPresetDialog = 62 };

// "system\plugins\" + prefix and name, each character that a file name cannot hold made
// "_", + ".set", in the program's folder.
FileName PlugInPresetFile(char const *prefix, String const &name);

class PlugInPresetDialog : public Dialog, public PresetValues {
public:
    PlugInPresetDialog(TWindow *parent, char const *prefix, PlugInParameters &plugIn, TModule *module);

    void ReadPresetValues(Config &store) override;
    void WritePresetValues(Config &store) override;
    String const &GetLoadedName() const { return controls_.GetLoadedName(); }

protected:
    void SetupWindow() override;
    void CmOk();
    void CmCancel();
    void CmStore() { controls_.Store(); }
    void CmDelete() { controls_.DeleteSelected(); }
    void CmReplace() { controls_.Replace(); }
    void CmLoad() { controls_.LoadSelected(); }
    void EvChange() { controls_.EnableButtons(); }

private:
    PlugInParameters &plugIn_;
    PresetControls controls_;

    DECLARE_RESPONSE_TABLE(PlugInPresetDialog);
};

// Runs the dialog; 1 for OK, else 0. After OK the name of the preset loaded goes into
// name (empty when none was).
int RunPlugInPresetDialog(TWindow *parent, char const *prefix, PlugInParameters &plugIn, String &name,
                          TModule *module = nullptr);
