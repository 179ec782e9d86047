// The options text that may come with a file to open ("SL=100|SR=149|CRS=100" from a
// command line's region, or from another program): selection, caret, channels, markers and
// the musical time of the piece.
#include "audio/Wave.h"

#include "audio/TimeSettings.h"
#include "foundation/CriticalSection.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

struct OpenOptions {
    int selectionStart = -1;
    int selectionEnd = -1;
    int channels = 3;
    int caret = 0;
    int tempo = 0;  // beats per minute x 1000
    int ticks = 0;
    int beatMeasure = 0;
    int beatWholeNote = 0;
    double frameRate = 0;
    std::vector<std::pair<std::string, int>> markers;
};

std::string Trimmed(std::string const &text) {
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

int Integer(std::string const &text) { return int(std::strtol(text.c_str(), nullptr, 10)); }

double Decimal(std::string const &text) { return std::strtod(text.c_str(), nullptr); }

// "name(position)" or a position alone; nothing without a position.
void AddMarker(OpenOptions &o, std::string const &value) {
    size_t open = value.find('(');
    std::string name = open == std::string::npos ? std::string() : Trimmed(value.substr(0, open));
    std::string position = open == std::string::npos ? value : value.substr(open + 1, value.find(')', open) - open - 1);
    if (!Trimmed(position).empty())
        o.markers.emplace_back(name, Integer(position));
}

// "numerator/denominator" (or "\" or ":"): beats of a bar, and a note value that is one.
void SetSignature(OpenOptions &o, std::string const &value) {
    size_t separator = value.find_first_of("/\\:");
    if (separator == std::string::npos)
        return;
    o.beatMeasure = std::min(std::max(Integer(value.substr(0, separator)), 1), 16);
    int denominator = Integer(value.substr(separator + 1));
    if (denominator == 2 || denominator == 4 || denominator == 8 || denominator == 16)
        o.beatWholeNote = denominator;
}

void SetFrameRate(OpenOptions &o, std::string const &value) {
    double rate = Decimal(value);
    for (double known : {24.0, 25.0, 29.97, 30.0})
        if (rate == known)
            o.frameRate = rate;
}

void Apply(OpenOptions &o, std::string const &key, std::string const &value, int stereo) {
    if (key == "SL")
        o.selectionStart = Integer(value);
    else if (key == "SR")
        o.selectionEnd = Integer(value);
    else if (key == "CH")
        o.channels = Integer(value) == 1 ? 1 : Integer(value) == 2 && stereo ? 2 : 3;
    else if (key == "CRS")
        o.caret = Integer(value);
    else if (key == "BPM")
        o.tempo = int(std::min(std::max(std::lround(Decimal(value) * 1000), 10000L), 500000L));
    else if (key == "TCK")
        o.ticks = Integer(value);
    else if (key == "SGN")
        SetSignature(o, value);
    else if (key == "FRM")
        SetFrameRate(o, value);
    else if (key == "MRK")
        AddMarker(o, value);
}

// Pieces between "|", each "key=value"; keys in any letter case, unknown ones ignored.
OpenOptions ParseOpenOptions(String const &text, int stereo) {
    OpenOptions o;
    std::string rest(text.c_str());
    for (size_t start = 0; start <= rest.size();) {
        size_t bar = rest.find('|', start);
        std::string piece = Trimmed(rest.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        size_t equals = piece.find('=');
        if (equals != std::string::npos) {
            std::string key = Trimmed(piece.substr(0, equals));
            std::transform(key.begin(), key.end(), key.begin(), ::toupper);
            Apply(o, key, Trimmed(piece.substr(equals + 1)), stereo);
        }
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    if (o.selectionStart < 0 || o.selectionEnd < 0)
        o.selectionStart = o.selectionEnd = -1;
    return o;
}

void SetTimeSettings(OpenOptions const &o) {
    TimeSettings &time = TheTimeSettings();
    for (auto const &setting : {std::make_pair(o.tempo, &time.tempo), std::make_pair(o.ticks, &time.ticks),
                                std::make_pair(o.beatMeasure, &time.beatMeasure),
                                std::make_pair(o.beatWholeNote, &time.beatWholeNote)})
        if (setting.first)
            *setting.second = setting.first;
    if (o.frameRate > 1.0)
        time.framesPerSecond = o.frameRate;
}

}  // namespace

void Wave::ExecuteOpenOptions(String const &options, int redraw) {
    OpenOptions o = ParseOpenOptions(options, GetNumChannels() == 2);
    if (o.caret >= 0)
        SetCaret(o.channels, o.caret);
    if (o.selectionStart >= 0) {
        SetSelection(o.selectionStart, o.selectionEnd, o.channels, 0);
        if (o.caret < 0)
            SetCaret(o.channels, caret_);
    }
    {
        AutoCriticalSection lock(GetLock());
        for (auto const &marker : o.markers)
            markers_.Add(new Marker(String(marker.first.c_str()), marker.second, Marker::kDrop, 0), 0);
    }
    SetTimeSettings(o);
    if (redraw)
        NotifyViews(kNotifyAll);
}
