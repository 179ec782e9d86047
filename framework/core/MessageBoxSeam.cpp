#include "MessageBoxSeam.h"

namespace {
TMessageBoxAnswerer answerer;
}  // namespace

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer a) {
    TMessageBoxAnswerer previous = answerer;
    answerer = a;
    return previous;
}

int ShowMessageBox(HWND owner, char const *text, char const *caption, unsigned style) {
    if (answerer)
        return answerer(owner, text, caption, style);
    return ::MessageBoxExA(owner, text, caption, style, 0);
}
