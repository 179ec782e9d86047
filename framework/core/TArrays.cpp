#include "core/TArrays.h"

#include <cstdio>
#include <cstring>

void RaiseArrayIndexError(int index, int lower, int upper) {
    char text[96];
    std::snprintf(text, sizeof text, "Array index %d outside %d..%d", index, lower, upper);
    throw AException(String(text));
}

char *strnewdup(char const *s, unsigned minSize) {
    if (!s)
        s = "";
    unsigned size = (unsigned)std::strlen(s) + 1;
    char *copy = new char[size > minSize ? size : minSize];
    std::memcpy(copy, s, size);
    return copy;
}

unsigned strlen(unsigned short const *s) {
    unsigned n = 0;
    while (s[n])
        n++;
    return n;
}
