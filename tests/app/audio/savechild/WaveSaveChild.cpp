// A program that saves a wave over its own file, for the test that kills it while it
// saves: opens the file, inverts its first second, sets the named event as it starts
// saving, and saves the wave under its own name.
//   WaveSaveChild <file> <folder for work files> <event name>
// Exit code 0 when saved.
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"

#include <windows.h>

#include <cstdio>
#include <memory>

int main(int argc, char **argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: WaveSaveChild <file> <work folder> <event name>\n");
        return 2;
    }
    TheAudioFileSettings().tempDir = FileName(argv[2]);
    FileName name(argv[1]);
    AudioFile *file = OpenAudioFile(kAccessUnchosen, name, 0, 1);
    if (!file)
        return 1;
    std::unique_ptr<Wave> wave(new Wave(file, 1, nullptr));
    wave->InvertPhase(3, 0, int(wave->GetRate()) - 1, 1);
    if (HANDLE saving = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[3]))
        SetEvent(saving);
    return wave->Save(name, smSave, 0, nullptr) ? 0 : 1;
}
