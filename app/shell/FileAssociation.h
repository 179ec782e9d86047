// The ".wav" file association: during the program's first runs, ".wav" files are handed
// to the class "Tessaro.wav" when that class has an open command (an installer made it).
#pragma once

#include <windows.h>

// Below root (the classes root in the program); nothing after the second run, and nothing
// when the open command is missing or empty. Registry failures leave things as they are.
void AssociateWaveFiles(HKEY root, int runs);
