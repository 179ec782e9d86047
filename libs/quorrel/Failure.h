// The one way the library reports a failure: an exception of the foundation
// library carrying a text for the user.
#pragma once

#include <string>

namespace quorrel {

[[noreturn]] void Fail(std::string const &text);
// The text of the last system error, for messages.
std::string SystemErrorText(unsigned long code);

}  // namespace quorrel
