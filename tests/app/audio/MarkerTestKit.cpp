#include "tests/app/audio/MarkerTestKit.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace markertest {

namespace {

char const kTypeLetters[] = "PDSEXI<>|";

}  // namespace

void Fill(MarkerSet &set, char const *text) {
    for (char const *p = text; *p;) {
        if (*p == ' ') {
            ++p;
            continue;
        }
        int type = int(std::strchr(kTypeLetters, *p++) - kTypeLetters);
        char *end;
        long position = std::strtol(p, &end, 10);
        p = end;
        int flags = 0;
        for (; *p == 'a' || *p == 'l' || *p == 'c'; ++p)
            flags |= *p == 'a' ? Marker::kAutoName : *p == 'l' ? Marker::kLocked : Marker::kEndOnCdFrame;
        std::string name;
        if (*p == '\'') {
            char const *close = std::strchr(p + 1, '\'');
            name.assign(p + 1, close);
            p = close + 1;
        }
        set.InsertSorted(new Marker(String(name.c_str()), int32_t(position), type, flags));
    }
}

std::string Describe(MarkerSet const &set, bool names) {
    std::string out;
    for (int i = 0; i < set.GetCount(); ++i) {
        Marker const &m = *set.GetMarker(i);
        if (!out.empty())
            out += ' ';
        out += m.type_ >= 0 && m.type_ < Marker::kNumTypes ? kTypeLetters[m.type_] : '?';
        out += std::to_string(m.position_);
        if (m.flags_ & Marker::kAutoName)
            out += 'a';
        if (m.flags_ & Marker::kLocked)
            out += 'l';
        if (m.flags_ & Marker::kEndOnCdFrame)
            out += 'c';
        if (names)
            out += "'" + std::string(m.name_.c_str()) + "'";
    }
    return out;
}

TestWave::TestWave(int length, char const *markerText) : length(length), markers(this), saved(this) {
    Fill(markers, markerText);
}

}  // namespace markertest
