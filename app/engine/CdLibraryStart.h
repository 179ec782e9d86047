// How the CD library's start went: the program's start-up records a refused start, and CD
// writing and CD track import read it.
#pragma once

int CdLibraryRefusedStart();
void SetCdLibraryRefusedStart(int refused);
