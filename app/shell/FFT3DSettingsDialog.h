// The settings dialog of the 3-D frequency analysis (command 486): how a view draws, on the
// style and vision pages, and what the next analysis covers, on the frequency page. Opened
// over an analysis view it edits that view's display settings and can apply them to it;
// otherwise the global ones. The frequency settings are edited on a copy that OK and Apply
// make the global one, so Cancel leaves everything as it was, after a preset load too.
#pragma once

#include "shell/FFT3DSettings.h"

#include "controls/PropertyDialog.h"
#include "effects/PresetPage.h"

class Config;
class DocumentManager;
class FFT3DView;
class TListSpinEdit;

class PropertyFFT3D : public PropertyDialog {
public:
    enum { kResource = 18, kTabPictures = 341, kCmApply = 100 };

    // target: the analysis view the settings came from, or none. module: the language module
    // of the dialog and page resources.
    PropertyFFT3D(TWindow *parent, FFT3DView *target, TModule *module);

    FFT3DStyle &GetStyle() { return style_; }
    FFT3DFrequencies &GetFrequencies() { return frequencies_; }
    FFT3DView *GetTarget() const { return target_; }

    // A preset: the eight keys where the configuration stands, into the dialog's records
    // and every page; and the same keys written from them.
    void LoadPreset(Config &config);
    void StorePreset(Config &config);

    void CmOk() override;
    void CmApply();
    void SetupWindow() override;
    // Keeps the place and the open page for the next opening.
    void CleanupWindow() override;

private:
    // The frequency record becomes the global one; the target view takes the style.
    void Commit();

    FFT3DStyle style_;
    FFT3DFrequencies frequencies_;
    FFT3DView *target_;

    DECLARE_RESPONSE_TABLE(PropertyFFT3D);
};

// Tabs 1 to 3: Style (drawing, colours, background), Vision (angle, amplitude scale) and
// Frequency (spacing and range of the bands).
class StylePage : public PropertyPage {
public:
    enum { kResource = 20, kStyle = 110, kColorMode = 100, kBack = 105, kColorGroup = 200 };
    StylePage(PropertyFFT3D &dialog, TModule *module);
    int UpdateControls() override;
    int SaveData() override;
    void CeColorMode(TCommandEnabler &ce);

private:
    FFT3DStyle &style_;
    DECLARE_RESPONSE_TABLE(StylePage);
};

class VisionPage : public PropertyPage {
public:
    enum { kResource = 22, kAngle = 400, kAmpScale = 392, kPicture = 1016 };
    VisionPage(PropertyFFT3D &dialog, TModule *module);
    int UpdateControls() override;
    int SaveData() override;

private:
    FFT3DStyle &style_;
};

class FrequencyPage : public PropertyPage {
public:
    enum { kResource = 21, kLogFreq = 107, kLow = 900, kHigh = 901 };
    FrequencyPage(PropertyFFT3D &dialog, TModule *module);
    int UpdateControls() override;
    int SaveData() override;
    void SetupWindow() override;

    // The lists keep the range at three octaves or more as the user edits either.
    void EvLowChanged();
    void EvHighChanged();

private:
    FFT3DFrequencies &frequencies_;
    TListSpinEdit *low_;
    TListSpinEdit *high_;
    DECLARE_RESPONSE_TABLE(FrequencyPage);
};

// Tab 4: the eight settings stored under names in "system\fft3d.set", through the dialog's
// records so that a loaded preset shows on every page.
class FFT3DPresetPage : public PresetPage {
public:
    FFT3DPresetPage(PropertyFFT3D &dialog, TModule *module);
    void ReadPresetValues(Config &store) override;
    void WritePresetValues(Config &store) override;

private:
    PropertyFFT3D &dialog_;
};

// Command 486: the dialog over the active analysis view, or over the global settings; its
// position and page come back at the next opening. The closing command (IDOK, IDCANCEL).
int OpenFFT3DSettings(DocumentManager &manager);
