// Setting up the sampler devices: a working copy of the current device edited on a page
// of its model and connections, and stored under a name on the preset page of
// "system\samplers.set".
#pragma once

#include "effects/PresetPage.h"
#include "engine/SamplerDevice.h"

enum : int { kSamplerSetupDialog = 75, kSamplerSetupPageDialog = 76 };

class SamplerSetupDialog : public PropertyDialog {
public:
    SamplerSetupDialog(TWindow *parent, SamplerDevice const &device, TModule *module);
    SamplerDevice &GetDevice() { return device_; }
    // Cancel keeps what the pages show too: the working device becomes the default.
    void CmCancel() override;

private:
    SamplerDevice device_;
};

class SamplerSetupPage : public PropertyPage {
public:
    enum : int {
        kModelCombo = 100,
        kScsiGroup = 101,
        kScsiLabel = 104,
        kScsiCombo = 105,
        kMidiGroup = 106,
        kMidiInLabel = 107,
        kMidiInCombo = 108,
        kMidiOutLabel = 109,
        kMidiOutCombo = 110,
        kChannelEdit = 900
    };

    SamplerSetupPage(PropertyDialog *dialog, SamplerDevice &device, TModule *module);

    void SetupWindow() override;
    int UpdateControls() override;
    int SaveData() override;

protected:
    void CmModelChange();
    void CeScsi(TCommandEnabler &enabler);
    void CeMidi(TCommandEnabler &enabler);

private:
    int ModelSpeaks(int scsi);

    SamplerDevice &device_;

    DECLARE_RESPONSE_TABLE(SamplerSetupPage);
};

class SamplerSetupPresetPage : public PresetPage {
public:
    SamplerSetupPresetPage(PropertyDialog *dialog, SamplerDevice &device, TModule *module);
    void ReadPresetValues(Config &store) override;
    void WritePresetValues(Config &store) override;

private:
    SamplerDevice &device_;
};

// Stores a device as the "__default__" preset of the sampler preset file.
void StoreDefaultSamplerDevice(SamplerDevice const &device);

// The set-up command: the dialog over the current device (the default one when none is
// current); OK and Cancel alike keep the working device as the default preset and in the
// current device; the device list is read again afterwards.
void RunSamplerSetupDialog(TWindow *parent);
