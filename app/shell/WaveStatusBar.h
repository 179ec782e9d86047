// The main frame's status bar: the framework's status bar with the program's one pointer to
// it, through which the sound database's scanner, the effects and the audio engine's
// services show their texts and progress, and a row of values those users keep in it.
#pragma once

#include "bars/StatusBar.h"

#include <cstdint>

class WaveStatusBar : public StatusBar {
public:
    // Values 4 and 5 cache what two fields show; -1 has them drawn again.
    enum { kValueCount = 17, kCachedField = 4, kCachedOtherField = 5 };

    WaveStatusBar(TToolTipJq *tip, TWindow *parent, TGadget::TBorderStyle style, TFont *font, TModule *module = 0);
    ~WaveStatusBar() override;

    // The users' values: three 0, one 2, three -1, ten 0 to begin with.
    int32_t GetValue(int index) const { return values_[index]; }
    void SetValue(int index, int32_t value) { values_[index] = value; }

private:
    int32_t values_[kValueCount] = {0, 0, 0, 2, -1, -1, -1};
};

// The status bar while it exists, else null.
WaveStatusBar *TheStatusBar();
