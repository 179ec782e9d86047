// The record dialog's mixer panel apart from its windows: the wave-in destination's volume
// and its inputs' volumes read from a mixer, the input selection, the columns they are laid
// out in, and what moving a slider or ticking an input writes back.
#pragma once

#include "core/Geometry.h"
#include "engine/RecordMixer.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <memory>
#include <vector>

class MixerControls {
public:
    // Reads the controls; the mixer stays open. On a failure the mixer is closed and the
    // failure thrown as its message (10037 no mixer, 10038 no recording line, 10039 an input
    // line, 10040 its controls, 10041 their values).
    void Enumerate(RecordMixer &mixer, UINT waveInDevice);
    void Clear();

    List<MixerSlider> &GetSliders() { return sliders_; }
    int HasMasterVolume() const { return hasMasterVolume_; }

    // The selection item of an input line, -1 when the selection has none for it.
    int SelectionItemOf(DWORD lineId) const;
    bool IsSelected(int item) const;
    // The item is recorded or not, in every channel; written to the mixer.
    void Select(RecordMixer &mixer, int item, bool selected);

    MixerSlider *FindSlider(int sliderId);
    // A slider moved to position: its control takes the value, in both channels of a
    // two-channel control unless only this one is to change. The id of the other slider,
    // which is to follow, or 0.
    int MoveSlider(RecordMixer &mixer, int sliderId, int position, bool onlyThisChannel);

private:
    void ReadLine(RecordMixer &mixer, MIXERLINEA const &line, int isDestination);
    void ReadSelection(RecordMixer &mixer, MIXERCONTROLA const &control, int channels);

    List<MixerSlider> sliders_;
    std::unique_ptr<MixerSelection> selection_;
    int hasMasterVolume_ = 0;
};

// One column of the panel: the control's name above its slider(s), the input's check box
// below them.
struct MixerColumn {
    int labelId = 0;
    TRect label{0, 0, 0, 0};
    String labelText;
    int checkBoxId = 0;  // 0: the column has no check box
    TRect checkBox{0, 0, 0, 0};
    int item = -1;  // of the selection, for the check box
    bool checked = false;
    int sliderCount = 0;
    int sliderIds[2] = {};
    TRect sliders[2] = {{0, 0, 0, 0}, {0, 0, 0, 0}};
    int positions[2] = {};
    int thumbBitmap = 0;
};

enum MixerPanelIds {
    kMixerLabelId = 300,
    kMixerCheckBoxId = 250,
    kMixerFirstSliderId = 1000,
    kMixerMaxColumns = 7,
    kMixerColumnWidth = 73,
};

// The columns for the sliders, the first starting at left, in a panel of that height;
// the sliders get their ids here.
std::vector<MixerColumn> LayOutMixerPanel(MixerControls &controls, int left, int height);
// The room the columns take beside the compact dialog.
inline int MixerPanelWidth(int columns) { return columns * kMixerColumnWidth + 10; }
