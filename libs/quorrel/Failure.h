// The one way the library reports a failure: an AException of the foundation
// library whose text tells the user what went wrong.
#pragma once

#include <string>

namespace quorrel {

[[noreturn]] void Fail(std::string const &text);
// The text of the last system error, for messages.
std::string SystemErrorText(unsigned long code);

}  // namespace quorrel
