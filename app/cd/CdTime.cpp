#include "cd/CdTime.h"

#include "waveview/TimeSpinEdit.h"

#include <cstdio>
#include <cstdlib>

namespace {

String FullCdTime(int frames) { return CdTimeToString(frames, 0); }

}  // namespace

int CdTimeFormat(int frames, char *buffer, size_t size, int shortForm) {
    long a = std::labs(long(frames));
    int minutes = int(a / 4500), seconds = int(a / 75 % 60), rest = int(a % 75);
    char const *sign = frames < 0 ? "-" : "";
    int n;
    if (!shortForm)
        n = std::snprintf(buffer, size, frames < 0 && minutes < 10 ? "%s%01d:%02d.%02d" : "%s%02d:%02d.%02d", sign,
                          minutes, seconds, rest);
    else if (minutes)
        n = std::snprintf(buffer, size, "%s%d:%02d.%02d", sign, minutes, seconds, rest);
    else if (seconds)
        n = std::snprintf(buffer, size, "%s%d.%02d", sign, seconds, rest);
    else
        n = std::snprintf(buffer, size, "%s%d", sign, rest);
    return n < 0 ? 0 : n < int(size) ? n : int(size) - 1;
}

String CdTimeToString(int frames, int shortForm) {
    char text[32];
    CdTimeFormat(frames, text, sizeof text, shortForm);
    return String(text);
}

void RegisterCdTimeText() { SetCdTimeText(&FullCdTime); }
