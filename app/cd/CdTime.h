// The CD time texts of a count of CD frames (75 a second, 4500 a minute): the full form
// "mm:ss.ff", and the short form that leaves out leading zero fields.
#pragma once

#include "foundation/Strings.h"

#include <cstddef>

// Writes the text (at most size - 1 characters); returns its length.
int CdTimeFormat(int frames, char *buffer, size_t size, int shortForm);
String CdTimeToString(int frames, int shortForm = 0);
// The time spin edit writes its CD times with the full form from now on.
void RegisterCdTimeText();
