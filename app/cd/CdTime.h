// The CD time texts: a count of CD frames (1/75 s) as minutes, seconds and frames.
#pragma once

#include "foundation/Strings.h"

#include <cstddef>

// Full form "mm:ss.ff" (a negative count "-m:ss.ff" under ten minutes); the short form
// leaves out the leading zero fields ("1:00.00", "74", "-1"). Returns the length written.
int CdTimeFormat(int frames, char *buffer, size_t size, int shortForm = 0);
String CdTimeToString(int frames, int shortForm = 0);
// The wave window writes its CD time unit with the full form.
void RegisterCdTimeText();
