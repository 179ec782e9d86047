// Formatted text for the system debugger output.
#pragma once

#include "foundation/OsmeraDefs.h"

// format works as for printf ('%' written "%%"); a line feed is appended. Texts
// longer than 998 characters are cut.
OSMERA_API void SendDebugString(char const *format, ...);
