#include "core/MessageBoxSeam.h"

namespace {
TMessageBoxAnswerer answerer;
TMessageBoxParamsAnswerer paramsAnswerer;
}  // namespace

TMessageBoxAnswerer SetMessageBoxAnswerer(TMessageBoxAnswerer a) {
    TMessageBoxAnswerer previous = answerer;
    answerer = a;
    return previous;
}

TMessageBoxParamsAnswerer SetMessageBoxParamsAnswerer(TMessageBoxParamsAnswerer a) {
    TMessageBoxParamsAnswerer previous = paramsAnswerer;
    paramsAnswerer = a;
    return previous;
}

int ShowMessageBox(HWND owner, char const *text, char const *caption, unsigned style) {
    if (answerer)
        return answerer(owner, text, caption, style);
    return ::MessageBoxExA(owner, text, caption, style, 0);
}

int ShowMessageBoxIndirect(MSGBOXPARAMSA const &params) {
    if (paramsAnswerer)
        return paramsAnswerer(params);
    if (answerer)
        return answerer(params.hwndOwner, params.lpszText, params.lpszCaption, params.dwStyle);
    MSGBOXPARAMSA copy = params;
    return ::MessageBoxIndirectA(&copy);
}
