// A mixer of a test's own for the record dialog's panel: lines with volume and selection
// controls answered as the system's mixer services answer, the details written kept as
// text ("control: values"), and one call that fails when asked.
#pragma once

#include "engine/RecordMixer.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace enginetest {

struct FakeControl {
    DWORD type;
    char const *name;
    std::vector<DWORD> values;  // one per channel, or per item of a selection
    DWORD minimum = 0;
    DWORD maximum = 65535;
    DWORD flags = 0;
    std::vector<DWORD> itemLines = {};  // the line of each item of a selection
};

struct FakeLine {
    DWORD id;
    DWORD channels;
    std::vector<FakeControl> controls;
};

inline FakeControl Volume(char const *name, std::vector<DWORD> values) {
    return {MIXERCONTROL_CONTROLTYPE_VOLUME, name, std::move(values)};
}

inline FakeControl Selection(std::vector<DWORD> lines, std::vector<DWORD> states) {
    DWORD flags = MIXERCONTROL_CONTROLF_UNIFORM | MIXERCONTROL_CONTROLF_MULTIPLE;
    FakeControl control{MIXERCONTROL_CONTROLTYPE_MIXER, "Select", std::move(states), 0, 1, flags};
    control.itemLines = std::move(lines);
    return control;
}

// The system's mixer calls over lines of the test's; the call numbered failAt fails.
class FakeMixer : public RecordMixer {
public:
    FakeMixer(FakeLine destination, std::vector<FakeLine> sources)
        : destination_(std::move(destination)), sources_(std::move(sources)) {}

    MMRESULT Open(UINT) override { return Answer(open_ = true); }
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }

    MMRESULT GetLineInfo(MIXERLINEA &line, DWORD flags) override {
        bool source = (flags & MIXER_GETLINEINFOF_QUERYMASK) == MIXER_GETLINEINFOF_SOURCE;
        if (source && line.dwSource >= sources_.size())
            return MIXERR_INVALLINE;
        FakeLine const &from = source ? sources_[line.dwSource] : destination_;
        line.dwLineID = from.id;
        line.cChannels = from.channels;
        line.cControls = DWORD(from.controls.size());
        line.cConnections = source ? 0 : DWORD(sources_.size());
        return Answer(true);
    }

    MMRESULT GetLineControls(MIXERLINECONTROLSA &request, DWORD) override {
        FakeLine const &line = LineOf(request.dwLineID);
        for (size_t i = 0; i < line.controls.size(); ++i) {
            FakeControl const &c = line.controls[i];
            MIXERCONTROLA &to = request.pamxctrl[i];
            to = MIXERCONTROLA();
            to.cbStruct = sizeof to;
            to.dwControlID = ControlId(line, i);
            to.dwControlType = c.type;
            to.fdwControl = c.flags;
            to.cMultipleItems = DWORD(c.itemLines.size());
            std::strcpy(to.szShortName, c.name);
            to.Bounds.dwMinimum = c.minimum;
            to.Bounds.dwMaximum = c.maximum;
        }
        return Answer(true);
    }

    MMRESULT GetControlDetails(MIXERCONTROLDETAILS &details, DWORD flags) override {
        FakeControl const &c = ControlOf(details.dwControlID);
        for (size_t i = 0; i < c.values.size(); ++i)
            if ((flags & MIXER_GETCONTROLDETAILSF_QUERYMASK) == MIXER_GETCONTROLDETAILSF_LISTTEXT) {
                auto *items = static_cast<MIXERCONTROLDETAILS_LISTTEXTA *>(details.paDetails);
                items[i].dwParam1 = c.itemLines[i];
                std::strcpy(items[i].szName, "input");
            } else {
                static_cast<DWORD *>(details.paDetails)[i] = c.values[i];
            }
        return Answer(true);
    }

    MMRESULT SetControlDetails(MIXERCONTROLDETAILS &details, DWORD) override {
        std::string write = std::to_string(details.dwControlID) + ":";
        for (DWORD i = 0; i < details.cChannels * std::max<DWORD>(1, details.cMultipleItems); ++i)
            write += " " + std::to_string(static_cast<DWORD *>(details.paDetails)[i]);
        writes.push_back(write);
        return MMSYSERR_NOERROR;
    }

    int failAt = 0;
    std::vector<std::string> writes;

private:
    MMRESULT Answer(bool) { return ++calls_ == failAt ? MMSYSERR_ERROR : MMSYSERR_NOERROR; }
    static DWORD ControlId(FakeLine const &line, size_t index) { return line.id * 100 + DWORD(index); }
    FakeLine const &LineOf(DWORD id) const {
        for (FakeLine const &line : sources_)
            if (line.id == id)
                return line;
        return destination_;
    }
    FakeControl const &ControlOf(DWORD id) const { return LineOf(id / 100).controls[id % 100]; }

    FakeLine destination_;
    std::vector<FakeLine> sources_;
    bool open_ = false;
    int calls_ = 0;
};

// A stereo recording volume, a microphone and a synthesiser with volumes, a line input
// without one, and a selection whose items stand in another order than the lines.
inline FakeMixer SoundCard() {
    return FakeMixer({1, 2, {Volume("Master", {40000, 20000})}},
                     {{2, 1, {Volume("Mic", {30000})}},
                      {3, 2, {}},
                      {4, 2, {Volume("MIDI Vol", {65535, 0}), Selection({4, 3, 2}, {1, 0, 1})}}});
}

}  // namespace enginetest
