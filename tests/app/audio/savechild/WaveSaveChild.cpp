// A program that saves a wave over its own file, for the test that kills it while it
// saves: opens the file, inverts its first second and saves it under its own name.
//   WaveSaveChild <file> <folder for work files>
// Exit code 0 when saved.
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"

#include <cstdio>
#include <memory>

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: WaveSaveChild <file> <work folder>\n");
        return 2;
    }
    TheAudioFileSettings().tempDir = FileName(argv[2]);
    FileName name(argv[1]);
    AudioFile *file = OpenAudioFile(kAccessUnchosen, name, 0, 1);
    if (!file)
        return 1;
    std::unique_ptr<Wave> wave(new Wave(file, 1, nullptr));
    wave->InvertPhase(3, 0, int(wave->GetRate()) - 1, 1);
    return wave->Save(name, smSave, 0, nullptr) ? 0 : 1;
}
