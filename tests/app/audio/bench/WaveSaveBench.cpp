// One case of the save benchmark on the one-hour 44.1 kHz 16-bit stereo WAV file that
// AudioFileBench makes (hour.wav in the folder): the wave over it is saved as a copy, and
// the seconds of the save alone are printed. wave-save-bench.sh runs the cases beside cp.
// Usage: WaveSaveBench <folder> copy | unedited | edited | aiff
//   copy: the file copied by a ReadFile and WriteFile loop of 4 MB pieces, to out.wav: what
//     a save through Wine's file calls cannot beat
//   unedited: the wave as opened, to out.wav
//   edited: a second cut from the middle and pasted at the start, ten seconds inverted
//   aiff: the wave as opened, to out.aif (every sample turned big-endian)
#include "audio/AudioFile.h"
#include "audio/AudioFileSettings.h"
#include "audio/Wave.h"
#include "foundation/File.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

double CopyLoop(std::string const &from, std::string const &to) {
    double start = Now();
    HANDLE in = CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    HANDLE out = CreateFileA(to.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    std::vector<char> buffer(1 << 22);
    DWORD got = 0, written = 0;
    while (ReadFile(in, buffer.data(), DWORD(buffer.size()), &got, nullptr) && got > 0)
        WriteFile(out, buffer.data(), got, &written, nullptr);
    CloseHandle(out);
    CloseHandle(in);
    return Now() - start;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: WaveSaveBench <folder> copy | unedited | edited | aiff\n");
        return 2;
    }
    std::string folder = argv[1], what = argv[2];
    if (what == "copy") {
        std::printf("copy %.4f\n", CopyLoop(folder + "\\hour.wav", folder + "\\out.wav"));
        return 0;
    }
    TheAudioFileSettings().tempDir = FileName(folder.c_str());
    AudioFile *file = OpenAudioFile(kAccessUnchosen, FileName((folder + "\\hour.wav").c_str()), 0, 1);
    if (!file)
        return 1;
    std::unique_ptr<Wave> wave(new Wave(file, 1, nullptr));
    int second = int(wave->GetRate()), middle = wave->GetLength() / 2;
    if (what == "edited") {
        wave->SetSelection(middle, middle + second - 1, 3, 0);
        wave->Cut(1);
        wave->PasteClipboard(Wave::kPasteAtStart, 1);
        wave->InvertPhase(3, middle, middle + 10 * second - 1, 1);
    } else if (what != "unedited" && what != "aiff") {
        return 2;
    }
    FileName out((folder + (what == "aiff" ? "\\out.aif" : "\\out.wav")).c_str());
    double start = Now();
    wave->WriteAudioFile(out, -1, smSaveCopy);
    double seconds = Now() - start;
    wave.reset();
    Wave::DeleteClipboardWave();
    std::printf("%s %.4f\n", what.c_str(), seconds);
    return 0;
}
