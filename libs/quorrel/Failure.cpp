#include "quorrel/Failure.h"

#include <windows.h>

#include "foundation/Exception.h"
#include "foundation/Strings.h"

namespace quorrel {

void Fail(std::string const &text) { throw AException(String(text.c_str())); }

std::string SystemErrorText(unsigned long code) {
    char buffer[256];
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                             buffer, sizeof buffer, nullptr);
    while (n > 0 && (buffer[n - 1] == '\n' || buffer[n - 1] == '\r' || buffer[n - 1] == ' '))
        --n;
    if (n == 0)
        return "system error " + std::to_string(code);
    return std::string(buffer, n);
}

}  // namespace quorrel
