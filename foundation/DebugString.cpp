#include "foundation/DebugString.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>

void SendDebugString(char const *format, ...) {
    char text[1000];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text - 1, format ? format : "", args);
    va_end(args);
    if (n < 0)
        n = 0;
    if (n > static_cast<int>(sizeof text) - 2)
        n = sizeof text - 2;
    text[n] = '\n';
    text[n + 1] = 0;
    OutputDebugStringA(text);
}
