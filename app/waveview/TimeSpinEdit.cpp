#include "waveview/TimeSpinEdit.h"

#include "audio/TimeSettings.h"
#include "waveview/PositionText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// The parser's copy of a text.
size_t const kCopySize = 100;
char const kSeparators[] = ":.,;";

// The text without blanks, cut to the copy's size.
std::string BoundedCopy(char const *text) {
    std::string copy;
    for (size_t n = 0; text && text[n] && n + 1 < kCopySize; ++n)
        if (!std::isspace(static_cast<unsigned char>(text[n])))
            copy += text[n];
    return copy;
}

// The fields between separators, in reading order.
std::vector<std::string> Fields(std::string const &text, char const *separators) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (std::strchr(separators, c))
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

double Number(std::string const &text) { return std::atof(text.c_str()); }

// Where mark stands from at on; for "s" only an s that is not the s of "ms".
size_t FindMark(std::string const &text, char const *mark, size_t at) {
    for (size_t p = text.find(mark, at); p != std::string::npos; p = text.find(mark, p + 1))
        if (std::strcmp(mark, "s") || p == 0 || text[p - 1] != 'm')
            return p;
    return std::string::npos;
}

// "1h2mn5s250ms"; a bare number counts milliseconds.
double ParseSeconds(std::string text, double rate) {
    if (text.find_first_of("hs") == std::string::npos && text.find("mn") == std::string::npos)
        text += "ms";
    struct Part {
        char const *mark;
        double seconds;
    } const parts[] = {{"h", 3600}, {"mn", 60}, {"s", 1}, {"ms", 0.001}};
    double total = 0;
    size_t at = 0;
    for (Part const &part : parts) {
        size_t p = FindMark(text, part.mark, at);
        if (p == std::string::npos)
            continue;
        total += Number(text.substr(at, p - at)) * part.seconds * rate;
        at = p + std::strlen(part.mark);
    }
    return total;
}

// hh:mm:ss.ff filled from the hours on; the last field counts frames. Hours and minutes
// hold as many whole frames as the texts are written with, so drop-frame rates read back.
double ParseSmpte(std::string const &text, double rate) {
    double fps = TheTimeSettings().framesPerSecond > 0 ? TheTimeSettings().framesPerSecond : 25;
    std::vector<std::string> fields = Fields(text, kSeparators);
    double const weights[] = {std::trunc(fps * 3600), std::trunc(fps * 60), fps};
    double frames = Number(fields.back());
    for (size_t i = 0; i + 1 < fields.size() && i < 3; ++i)
        frames += Number(fields[i]) * weights[i];
    return frames * rate / fps;
}

double SamplesPerTick(double rate, int32_t tempo) {
    double ticksPerSecond = double(tempo) * TheTimeSettings().ticks / 60000;
    return ticksPerSecond > 0 ? rate / ticksPerSecond : 0;
}

int TicksPerBeat() {
    TimeSettings const &t = TheTimeSettings();
    return std::max(t.ticks * 4 / std::max(t.beatWholeNote, 1), 1);
}

// bar.beat.tick; bars and beats from 1 when fromOne.
double ParseBars(std::string const &text, double rate, int32_t tempo, int fromOne) {
    std::vector<std::string> fields = Fields(text, ".");
    double bar = Number(fields[0]) - fromOne;
    double beat = fields.size() > 1 ? Number(fields[1]) - fromOne : 0;
    double tick = fields.size() > 2 ? Number(fields[2]) : 0;
    double ticks = (bar * TheTimeSettings().beatMeasure + beat) * TicksPerBeat() + tick;
    return ticks * SamplesPerTick(rate, tempo);
}

// "1234 B", "4.000 kB", "1.5 MB" are bytes; a bare number counts samples.
double ParseBytes(std::string const &text, SamplePattern const &pattern) {
    char *end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    std::string unit = end;
    double bytes = unit == "B" ? 1 : unit == "kB" ? 1e3 : unit == "MB" ? 1e6 : 0;
    double frameBytes = double(pattern.GetBytesPerSample()) * pattern.GetNumChannels();
    return bytes && frameBytes ? std::floor(value * bytes / frameBytes + 1e-9) : value;
}

// mm:ss.ff read from the right: frames, seconds, minutes.
double ParseCdTime(std::string const &text) {
    std::vector<std::string> fields = Fields(text, kSeparators);
    double const weights[] = {1, 75, 4500};
    double frames = 0;
    for (size_t i = 0; i < 3 && i < fields.size(); ++i)
        frames += Number(fields[fields.size() - 1 - i]) * weights[i];
    return frames;
}

}  // namespace

double ParseTimeText(char const *text, TimeTextFormat const &format) {
    std::string copy = BoundedCopy(text);
    int negative = !copy.empty() && copy[0] == '-';
    if (negative)
        copy.erase(0, 1);
    double rate = format.pattern.GetRate();
    double value;
    switch (format.unit) {
    case kUnitSeconds: value = ParseSeconds(copy, rate); break;
    case kUnitSmpte: value = ParseSmpte(copy, rate); break;
    case kUnitBars:
    case kUnitBarsFromZero: value = ParseBars(copy, rate, format.tempo, format.unit == kUnitBars); break;
    case kUnitBytes: value = ParseBytes(copy, format.pattern); break;
    case kUnitCdTime: value = ParseCdTime(copy); break;
    default: value = Number(copy); break;
    }
    return negative ? -value : value;
}

String TimeText(double value, TimeTextFormat const &format) {
    TimeSettings settings = TheTimeSettings();
    settings.tempo = format.tempo;
    return FormatPosition(long(value), format.unit, 1000, format.pattern, nullptr, &settings);
}

// ---- the control

TimeSpinEdit::TimeSpinEdit(TWindow *parent, int id, unsigned unit, int sampleRate, int textLimit, TModule *module)
    : TRangeSpinEdit(parent, id, uint(textLimit), module) {
    Init(unit, sampleRate);
}

TimeSpinEdit::TimeSpinEdit(TWindow *parent, unsigned unit, int sampleRate, int x, int y, int w, int h,
                           TModule *module)
    : TRangeSpinEdit(parent, 0, "", x, y, w, h, 0, module) {
    Init(unit, sampleRate);
}

void TimeSpinEdit::Init(unsigned unit, int sampleRate) {
    format_.unit = unit;
    format_.pattern = SamplePattern(SampleFormatFlagsFromBits(16, 0), 2, 1, uint32_t(std::max(sampleRate, 1)));
    format_.tempo = TheTimeSettings().tempo;
    SetUnit(unit);  // the arrows step by the unit before the sliders first open
}

int TimeSpinEdit::OnOpen() {
    SetUnit(format_.unit);
    return 1;
}

void TimeSpinEdit::SetSamplePattern(SamplePattern const &pattern) {
    uint32_t rate = format_.pattern.GetRate();
    format_.pattern = pattern;
    format_.pattern.SetRate(rate);
}

void TimeSpinEdit::SetUnit(unsigned unit) {
    format_.unit = unit;
    Attr_.ClearSliders();
    Attr_.SetFittingRule(0);
    double rate = format_.pattern.GetRate();
    switch (unit) {
    case kUnitSeconds: AddTimeSliders(rate); break;
    case kUnitSmpte: AddSmpteSliders(rate); break;
    case kUnitBars:
    case kUnitBarsFromZero: AddBarSliders(rate); break;
    case kUnitCdTime: AddCdTimeSliders(); break;
    default: AddDigitSliders(); break;
    }
}

void TimeSpinEdit::AddTimeSliders(double rate) {
    for (double step : {0.001, 0.01, 0.1})
        Attr_.AddSlider(0, 9, rate * step, Slider::Default);
    Attr_.AddSlider(0, 59, rate, Slider::Default);
    Attr_.AddSlider(0, 59, rate * 60, Slider::Default);
    Attr_.AddSlider(0, 23, rate * 3600, Slider::Default);
    Attr_.SetIncrement(std::trunc(rate / 1000) + 1);
    Attr_.SetLargeIncrement(rate);
}

void TimeSpinEdit::AddSmpteSliders(double rate) {
    double fps = TheTimeSettings().framesPerSecond > 0 ? TheTimeSettings().framesPerSecond : 25;
    double frame = std::trunc(rate / fps) + 1;
    Attr_.AddSlider(0, int(fps - 0.5), frame, Slider::Default);
    Attr_.AddSlider(0, 59, rate, Slider::Default);
    Attr_.AddSlider(0, 59, rate * 60, Slider::Default);
    Attr_.AddSlider(0, 23, rate * 3600, Slider::Default);
    Attr_.SetFittingRule(1);
    Attr_.SetIncrement(frame);
    Attr_.SetLargeIncrement(rate);
}

void TimeSpinEdit::AddBarSliders(double rate) {
    double perTick = SamplesPerTick(rate, format_.tempo);
    int ticksPerBeat = TicksPerBeat();
    int beatsPerBar = std::max(int(TheTimeSettings().beatMeasure), 1);
    double perBeat = ticksPerBeat * perTick;
    Attr_.AddSlider(0, ticksPerBeat - 1, perTick, Slider::Color6);
    Attr_.AddSlider(0, beatsPerBar - 1, perBeat, Slider::Color3);
    for (double bars : {1, 10, 100, 1000})
        Attr_.AddSlider(0, 9, bars * beatsPerBar * perBeat, Slider::Color2);
    Attr_.SetIncrement(std::max(std::trunc(perTick), 1.0));
    Attr_.SetLargeIncrement(std::max(std::round(perBeat), 1.0));
}

void TimeSpinEdit::AddCdTimeSliders() {
    Attr_.AddSlider(0, 74, 1, Slider::Default);
    Attr_.AddSlider(0, 59, 75, Slider::Default);
    Attr_.AddSlider(0, 74, 4500, Slider::Default);
    Attr_.SetFittingRule(1);
    Attr_.SetIncrement(1);
    Attr_.SetLargeIncrement(75);
}

void TimeSpinEdit::AddDigitSliders() {
    for (double step = 1; step <= 1e9; step *= 10)
        Attr_.AddSlider(0, 9, step, Slider::Default);
    Attr_.SetIncrement(1);
    Attr_.SetLargeIncrement(100);
}

String TimeSpinEdit::GetValueText(double value) { return TimeText(value, format_); }

double TimeSpinEdit::Parse(char const *text) { return ParseTimeText(text, format_); }
