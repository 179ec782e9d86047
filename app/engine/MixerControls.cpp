#include "engine/MixerControls.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

enum {
    kTextNoMixer = 10037,
    kTextNoRecordingLine = 10038,
    kTextNoInputLine = 10039,
    kTextNoControls = 10040,
    kTextNoValues = 10041,
    kTextRecordingVolume = 11026,
};
enum { kThumbOfInput = 22014, kThumbOfDestination = 22017 };
enum {
    kLabelTop = 10,
    kLabelHeight = 16,
    kLabelInset = 5,
    kSliderTop = 30,
    kSliderWidth = 30,
    kCheckSize = 13,
    kCheckRow = 26
};

[[noreturn]] void Fail(unsigned text) { throw Exception(String(FindString(text))); }

// The control's short name, with "MIDI" (in any letter case) called "Synth".
String ShortName(char const *name) {
    std::string text(name);
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    size_t at = upper.find("MIDI");
    if (at != std::string::npos)
        text.replace(at, 4, "Synth");
    return String(text.c_str());
}

}  // namespace

void MixerControls::Clear() {
    sliders_.DeleteAll();
    selection_.reset();
    hasMasterVolume_ = 0;
}

void MixerControls::Enumerate(RecordMixer &mixer, UINT waveInDevice) {
    Clear();
    try {
        if (mixer.Open(waveInDevice) != MMSYSERR_NOERROR)
            Fail(kTextNoMixer);
        MIXERLINEA destination = {};
        destination.cbStruct = sizeof destination;
        destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
        if (mixer.GetLineInfo(destination, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR)
            Fail(kTextNoRecordingLine);
        ReadLine(mixer, destination, 1);
        for (DWORD i = 0; i < destination.cConnections; ++i) {
            MIXERLINEA source = {};
            source.cbStruct = sizeof source;
            source.dwDestination = destination.dwDestination;
            source.dwSource = i;
            if (mixer.GetLineInfo(source, MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR)
                Fail(kTextNoInputLine);
            ReadLine(mixer, source, 0);
        }
    } catch (...) {
        mixer.Close();
        Clear();
        throw;
    }
}

// Only what the panel shows is read: the volumes and the first selection of the mixer type.
void MixerControls::ReadLine(RecordMixer &mixer, MIXERLINEA const &line, int isDestination) {
    if (line.cControls == 0)
        return;
    std::vector<MIXERCONTROLA> controls(line.cControls);
    MIXERLINECONTROLSA request = {};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.cControls = line.cControls;
    request.cbmxctrl = sizeof(MIXERCONTROLA);
    request.pamxctrl = controls.data();
    if (mixer.GetLineControls(request, MIXER_GETLINECONTROLSF_ALL) != MMSYSERR_NOERROR)
        Fail(kTextNoControls);
    for (MIXERCONTROLA const &control : controls) {
        if (control.fdwControl & MIXERCONTROL_CONTROLF_DISABLED)
            continue;
        int channels = control.fdwControl & MIXERCONTROL_CONTROLF_UNIFORM ? 1 : int(line.cChannels);
        channels = std::max(1, std::min(2, channels));
        if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_VOLUME) {
            std::unique_ptr<MixerSlider> slider(new MixerSlider(control, line.dwLineID, channels, isDestination));
            if (mixer.GetControlDetails(slider->details, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
                Fail(kTextNoValues);
            sliders_.Append(slider.release());
            hasMasterVolume_ |= isDestination;
        } else if (control.dwControlType == MIXERCONTROL_CONTROLTYPE_MIXER && !selection_) {
            ReadSelection(mixer, control, channels);
        }
    }
}

void MixerControls::ReadSelection(RecordMixer &mixer, MIXERCONTROLA const &control, int channels) {
    std::unique_ptr<MixerSelection> selection(new MixerSelection);
    DWORD items = control.fdwControl & MIXERCONTROL_CONTROLF_MULTIPLE ? control.cMultipleItems : 1;
    selection->control = control;
    selection->items.resize(size_t(channels) * items);
    selection->values.resize(size_t(channels) * items);
    MIXERCONTROLDETAILS &details = selection->details;
    details.cbStruct = sizeof details;
    details.dwControlID = control.dwControlID;
    details.cChannels = DWORD(channels);
    details.cMultipleItems = items;
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_LISTTEXTA);
    details.paDetails = selection->items.data();
    if (mixer.GetControlDetails(details, MIXER_GETCONTROLDETAILSF_LISTTEXT) != MMSYSERR_NOERROR)
        Fail(kTextNoValues);
    details.cbDetails = sizeof(MIXERCONTROLDETAILS_BOOLEAN);
    details.paDetails = selection->values.data();
    if (mixer.GetControlDetails(details, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        Fail(kTextNoValues);
    selection->items.resize(items);
    selection_ = std::move(selection);
}

// ---- the selection

int MixerControls::SelectionItemOf(DWORD lineId) const {
    if (!selection_)
        return -1;
    for (size_t i = 0; i < selection_->items.size(); ++i)
        if (selection_->items[i].dwParam1 == lineId)
            return int(i);
    return -1;
}

bool MixerControls::IsSelected(int item) const {
    return selection_ && item >= 0 && size_t(item) < selection_->items.size() &&
           selection_->values[size_t(item)].fValue != 0;
}

void MixerControls::Select(RecordMixer &mixer, int item, bool selected) {
    if (!selection_ || item < 0 || size_t(item) >= selection_->items.size())
        return;
    size_t items = selection_->items.size();
    for (size_t at = size_t(item); at < selection_->values.size(); at += items)
        selection_->values[at].fValue = selected;
    mixer.SetControlDetails(selection_->details, MIXER_SETCONTROLDETAILSF_VALUE);
}

// ---- the sliders

MixerSlider *MixerControls::FindSlider(int sliderId) {
    for (MixerSlider *slider = sliders_.GetFirst(); slider; slider = static_cast<MixerSlider *>(slider->GetNext()))
        if (sliderId && (slider->sliderIds[0] == sliderId || slider->sliderIds[1] == sliderId))
            return slider;
    return nullptr;
}

int MixerControls::MoveSlider(RecordMixer &mixer, int sliderId, int position, bool onlyThisChannel) {
    MixerSlider *slider = FindSlider(sliderId);
    if (!slider)
        return 0;
    int channel = slider->sliderIds[1] == sliderId ? 1 : 0;
    DWORD value = SliderValue(slider->control, position);
    int follower = 0;
    if (slider->values.size() == 2 && !onlyThisChannel) {
        slider->values[0].dwValue = slider->values[1].dwValue = value;
        follower = slider->sliderIds[1 - channel];
    } else {
        slider->values[size_t(channel)].dwValue = value;
    }
    mixer.SetControlDetails(slider->details, MIXER_SETCONTROLDETAILSF_VALUE);
    return follower;
}

// ---- the layout

std::vector<MixerColumn> LayOutMixerPanel(MixerControls &controls, int left, int height) {
    std::vector<MixerColumn> columns;
    int checkTop = height - kCheckRow;
    int nextId = kMixerFirstSliderId;
    for (MixerSlider *slider = controls.GetSliders().GetFirst(); slider;
         slider = static_cast<MixerSlider *>(slider->GetNext())) {
        slider->sliderIds[0] = slider->sliderIds[1] = 0;
        int i = int(columns.size());
        if (i >= kMixerMaxColumns)
            continue;
        int x = left + i * kMixerColumnWidth;
        MixerColumn column;
        column.labelId = kMixerLabelId + i;
        column.label = TRect(x + kLabelInset, kLabelTop, x + kMixerColumnWidth - kLabelInset, kLabelTop + kLabelHeight);
        column.labelText =
            slider->isDestination ? String(FindString(kTextRecordingVolume)) : ShortName(slider->control.szShortName);
        int item = slider->isDestination ? -1 : controls.SelectionItemOf(slider->lineId);
        if (item >= 0) {
            int checkLeft = x + (kMixerColumnWidth - kCheckSize) / 2;
            column.checkBoxId = kMixerCheckBoxId + i;
            column.checkBox = TRect(checkLeft, checkTop, checkLeft + kCheckSize, checkTop + kCheckSize);
            column.item = item;
            column.checked = controls.IsSelected(item);
        }
        column.sliderCount = int(slider->values.size());
        column.thumbBitmap = slider->isDestination ? kThumbOfDestination : kThumbOfInput;
        static int const kOneChannel[] = {21}, kTwoChannels[] = {5, 38};
        int const *offsets = column.sliderCount == 1 ? kOneChannel : kTwoChannels;
        for (int c = 0; c < column.sliderCount; ++c) {
            slider->sliderIds[c] = column.sliderIds[c] = nextId++;
            column.sliders[c] = TRect(x + offsets[c], kSliderTop, x + offsets[c] + kSliderWidth, checkTop - 5);
            column.positions[c] = SliderPosition(slider->control, slider->values[size_t(c)].dwValue);
        }
        columns.push_back(column);
    }
    return columns;
}
