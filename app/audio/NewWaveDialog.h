// The new-wave dialog: the user picks channels, resolution and rate of a new wave, or the
// format of a headerless (raw PCM) file. The last choice is kept in the "NewWave" settings.
#pragma once

#include "audio/SamplePattern.h"
#include "controls/Button.h"
#include "controls/Dialog.h"

class NewWaveDialog;
class TRangeSpinEdit;
class Wave;

// The box around the rate radios: a change of rate updates the other controls.
class GroupBox : public TGroupBox {
public:
    GroupBox(NewWaveDialog &dialog, int id, TModule *module);
    void SelectionChanged(int controlId) override;

private:
    NewWaveDialog &dialog_;
};

class NewWaveDialog : public Dialog {
public:
    enum Ids {
        kResource = 2,
        kMono = 107,
        kStereo = 108,
        kTwoFiles = 109,
        kBits8 = 300,
        kBits16 = 301,
        kBits20 = 302,
        kBits24 = 303,
        kRateGroup = 400,
        kFirstRate = 211,  // 48000, 44100, 32000, 22050, 11025
        kOtherRate = 216,
        kRateEdit = 900,
        kPicture = 250,
        kPictureBitmap = 350,
    };

    // Set from the pattern; twoFilesAllowed enables 109, eightBitAllowed 300.
    NewWaveDialog(TWindow *parent, SamplePattern const &pattern, int twoFilesAllowed, int eightBitAllowed,
                  TModule *module);

    // 300 by the eight-bit flag, 109 by the two-files flag, the rate edit while 216 is checked.
    void UpdateNewWaveControls();
    // The choice becomes the "NewWave" settings.
    void StoreChoice();
    TRangeSpinEdit &GetRateEdit() const { return *rateEdit_; }

protected:
    void SetupWindow() override;

private:
    TRangeSpinEdit *rateEdit_;
    int twoFilesAllowed_;
    int eightBitAllowed_;
};

// Runs the dialog: the modal run, or what a test puts in its place; nonzero for OK.
typedef int (*TNewWaveDialogRunner)(NewWaveDialog &dialog);
// Installs a runner (null: the modal run again); returns the previous one.
TNewWaveDialogRunner SetNewWaveDialogRunner(TNewWaveDialogRunner runner);

// Shows the dialog set from the pattern; on OK the choice is stored in the settings and the
// pattern rebuilt from them (nonzero). On cancel pattern and settings stay as they were.
int ExecuteNewWaveDialog(TWindow *parent, SamplePattern &pattern, int twoFilesAllowed, int eightBitAllowed);
// The New command: an empty wave of the chosen format in a window of its own; null when
// the user cancelled.
Wave *NewWave(TWindow *mainWindow);
// From now on the dialog asks the user for the format of raw PCM files.
void RegisterNewWaveDialog();
