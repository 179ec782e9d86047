// The record dialog's two-channel level meter: a bar per channel over a scale picture,
// green, then yellow from -20 dB and red from -3 dB, with the highest bar end of the
// last second held as a mark. It shows the peak of the recorder's last block as it is.
#pragma once

#include "controls/Control.h"
#include "engine/RecordMeter.h"

class VuMeter : public TControl {
public:
    enum { kControlId = 153, kScalePicture = 10000 };

    // The control of the parent's dialog resource; the picture comes from module.
    VuMeter(TWindow *parent, TModule *module);
    ~VuMeter() override;

    // The recorder's levels while active and it runs, else none; drawn at once.
    void Update(bool active);
    // No bars and no held peaks.
    void Clear();
    int GetPosition(int channel) const { return positions_[channel]; }

    void SetupWindow() override;
    void CleanupWindow() override;
    void Paint(TDC &dc, int erase, TRect &rect) override;

protected:
    int EvEraseBkgnd(WPARAM dc);

private:
    void DrawRow(HDC dc, int channel, HDC scale) const;
    void InvalidateRows();

    HBITMAP scale_ = nullptr;
    int positions_[2] = {-1, -1};
    PeakHold holds_[2];

    DECLARE_RESPONSE_TABLE(VuMeter);
};
