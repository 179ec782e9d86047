#include "cd/CdTime.h"

#include "waveview/PositionText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

enum { kFramesPerSecond = 75, kFramesPerMinute = 4500 };

String FullCdTime(int frames) { return CdTimeToString(frames, 0); }

}  // namespace

int CdTimeFormat(int frames, char *buffer, size_t size, int shortForm) {
    if (!size)
        return 0;
    long long a = std::llabs(static_cast<long long>(frames));
    long long minutes = a / kFramesPerMinute, seconds = a / kFramesPerSecond % 60, rest = a % kFramesPerSecond;
    char const *sign = frames < 0 ? "-" : "";
    int n;
    if (!shortForm && frames >= 0)
        n = std::snprintf(buffer, size, "%02lld:%02lld.%02lld", minutes, seconds, rest);
    else if (!shortForm)
        n = std::snprintf(buffer, size, minutes < 10 ? "-%01lld:%02lld.%02lld" : "-%02lld:%02lld.%02lld", minutes,
                          seconds, rest);
    else if (minutes)
        n = std::snprintf(buffer, size, "%s%lld:%02lld.%02lld", sign, minutes, seconds, rest);
    else if (seconds)
        n = std::snprintf(buffer, size, "%s%lld.%02lld", sign, seconds, rest);
    else
        n = std::snprintf(buffer, size, "%s%lld", sign, rest);
    return n < 0 ? 0 : std::min(n, int(size) - 1);
}

String CdTimeToString(int frames, int shortForm) {
    char text[32];
    CdTimeFormat(frames, text, sizeof text, shortForm);
    return String(text);
}

void RegisterCdTimeText() { SetCdTimeWriter(&FullCdTime); }
