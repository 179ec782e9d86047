// The dialogs that move samples between a sampler device and the program: receiving a
// sample, a wave's destination on a sampler, and a wave's sample data.
#pragma once

#include "controls/Dialog.h"
#include "engine/SamplerTransfer.h"

class Wave;
struct SamplerSampleInfo;

enum : int { kSamplerTargetDialog = 77, kReceiveSampleDialog = 78, kSampleInfoDialog = 79 };

// Receives a sample from a device: its locations and their samples listed (where the model
// offers locations), a sample picked or its number typed.
class ReceiveSampleDialog : public Dialog {
public:
    enum : int {
        kDeviceCombo = 100,
        kLoadLocations = 102,
        kLocationCombo = 103,
        kSampleList = 104,
        kSampleLabel = 105,
        kReceive = 106,
        kNumberEdit = 900
    };

    ReceiveSampleDialog(TWindow *parent, int deviceIndex, TModule *module);

    void SetupWindow() override;
    int GetDeviceIndex() const { return deviceIndex_; }
    // The link's status of the last receive (QB_OK before any).
    std::int32_t GetLastResult() const { return lastResult_; }

protected:
    void CmDeviceChange();
    void CmLoadLocations();
    void CmLocationChange();
    void CmSamplePick();
    void CmReceive();
    void CeLocationControl(TCommandEnabler &enabler);
    void CeReceive(TCommandEnabler &enabler);

private:
    void ClearLists();
    void LoadSamples();
    int TypedNumber();

    int deviceIndex_;
    SamplerLocationList locations_;
    SamplerSampleList samples_;
    QbSampleEntry picked_ = {};
    int hasPicked_ = 0;
    std::int32_t lastResult_ = QB_OK;

    DECLARE_RESPONSE_TABLE(ReceiveSampleDialog);
};

// Where a wave goes on a sampler: the device and the sample number.
class SamplerTargetDialog : public Dialog {
public:
    enum : int { kDeviceCombo = 100, kNumberEdit = 900 };
    SamplerTargetDialog(TWindow *parent, TModule *module);
    void SetupWindow() override;
    void CloseWindow(int result = 0) override;
};

// A wave's sample data: name, number and root key.
class SampleInfoDialog : public Dialog {
public:
    enum : int { kNameEdit = 100, kRootKeyEdit = 900, kNumberEdit = 901 };
    SampleInfoDialog(TWindow *parent, SamplerSampleInfo &info, TModule *module);
    void SetupWindow() override;
    void CloseWindow(int result = 0) override;

private:
    SamplerSampleInfo &info_;
};

// The name of MIDI note 0 to 127: "C-1" for 0, "C0" for 12, "G9" for 127.
String SamplerNoteName(int note);

// The commands: the receive dialog over the devices (the chosen one becomes the current
// device), and the two dialogs of a wave.
void RunReceiveSampleDialog(TWindow *parent);
void RunSamplerTargetDialog(Wave &wave, TWindow *parent);
void RunSampleInfoDialog(Wave &wave, TWindow *parent);
