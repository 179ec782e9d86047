// Whether a folder may hold the program's temporary audio files, and the fallback folder.
// The folder itself is one setting, "TempDir" of the "AudioFile" group (AudioFileSettings).
#pragma once

#include "foundation/FileName.h"

// 1 when the folder is writable and lies on a fixed drive or a removable drive other than a
// floppy drive (network, CD-ROM, floppy and RAM drives are too slow or gone too soon); the
// drive is asked only about a writable folder.
int IsFastWritableDirectory(FileName const &folder);
// The drive of the Windows system folder ("C:"): where the temporary files go when the
// chosen folder fails the test above.
FileName GetSystemDrive();
