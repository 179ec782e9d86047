// Reads, writes and inspects audio files for the interop test, whose script runs the peer
// programs on the Linux side. One command a line of the manifest, one result a line:
//   AudioProbe <manifest> <results>
//   read <file> <peer's s32 decode> [<word> <channels> <rate> of a raw file]
//       "ok <frames>" when every sample on the 24-bit scale is the peer's >> 8 (and, for
//       widths up to 24 bits, the peer's low byte is 0)
//   write <type> <word> <channels> <rate> <frames> <file> <s32 file>
//       writes the file with Tessaro's headers and WriteSample24, and the s32 file of what
//       reading it gives, for the peers' decodes to match
//   save <word> <channels> <rate> <frames> <file> <s32 file>
//       saves an edited wave (two sources and silence) of the word's width into the file,
//       "ok" when reopening it gives the wave's frames as the file's format stores them;
//       the s32 file of what reading it gives, for the peers' decodes to match
//   resave <file> <out> [<word> <channels> <rate> of a raw file]
//       saves the file unedited as a wave, "ok" when its frames keep their bytes
//   refuse <file> <message number>
//       "ok" when opening fails with that message
//   peaks <file>
//       "peaks <OpenPeakFile> beside <1 when the .gpk lies beside the file> entries <n>"
#include "audio/AudioFile.h"
#include "audio/AudioFileIo.h"
#include "audio/NewWaveFormat.h"
#include "audio/Wave.h"
#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"

#include "tests/app/audio/AudioFileTestKit.h"
#include "tests/app/audio/WaveTestKit.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace audiotest;
using namespace wavetest;

void UseEnglishTexts() {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    folder = folder.substr(0, folder.find_last_of('\\'));
    folder = folder.substr(0, folder.find_last_of('\\'));
    NotifyLocalizedStringDll(LoadLibraryA((folder + "\\program\\system\\EnglishTs.dll").c_str()));
}

std::vector<int32_t> ReadS32(std::string const &path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<int32_t> values(bytes.size() / 4);
    for (size_t i = 0; i < values.size(); ++i)
        values[i] = int32_t(GetLE32(reinterpret_cast<uint8_t const *>(&bytes[4 * i])));
    return values;
}

void WriteS32(std::string const &path, std::vector<int32_t> const &values) {
    std::string bytes;
    for (int32_t v : values)
        bytes += Le32(uint32_t(v) << 8);
    std::ofstream(path, std::ios::binary) << bytes;
}

// The open file, or the first line of what the user would be told.
AudioFile *Open(std::string const &name, std::string &error) {
    WarningRecorder warnings;
    AudioFile *file = OpenAudioFile(kAccessUnchosen, FileName(name.c_str()), 1, 1);
    if (!file)
        error = warnings.texts.empty() ? "(nothing told)" : warnings.texts[0].substr(0, warnings.texts[0].find('\n'));
    return file;
}

// The format of a raw file, when the arguments go on with one: word, channels and rate.
void TakeRawFormat(std::istringstream &args) {
    unsigned word = 0;
    int channels = 0;
    unsigned rate = 0;
    args >> std::hex >> word >> std::dec >> channels >> rate;
    RawFormatAnswer() = SamplePattern(word, channels, 1, rate);
}

std::string Read(std::istringstream &args) {
    std::string name, peerName;
    args >> name >> peerName;
    TakeRawFormat(args);
    std::string error;
    OwnedFile file(Open(name, error));
    if (!file.get())
        return "error " + error;
    std::vector<int32_t> ours = ReadSamples24(*file);
    std::vector<int32_t> peer = ReadS32(peerName);
    if (ours.size() != peer.size())
        return "samples ours " + std::to_string(ours.size()) + " peer " + std::to_string(peer.size());
    bool exact = file->GetBits() <= 24;
    for (size_t i = 0; i < ours.size(); ++i)
        if (ours[i] != peer[i] >> 8 || (exact && peer[i] & 0xFF))
            return "mismatch at " + std::to_string(i) + ": ours " + std::to_string(ours[i]) + " peer " +
                   std::to_string(peer[i]);
    return "ok " + std::to_string(file->GetLength());
}

std::string Write(std::istringstream &args) {
    int type = 0, channels = 0, frames = 0;
    unsigned word = 0, rate = 0;
    std::string name, s32Name;
    args >> type >> std::hex >> word >> std::dec >> channels >> rate >> frames >> name >> s32Name;
    SamplePattern pattern(word, channels, 1, rate);
    RawFormatAnswer() = pattern;
    List<FileChunk> chunks;
    int64_t size = 0;
    {
        OwnedFile file(
            CreateAudioFileForWriting(FileName(name.c_str()), kAccessMapped, type, 0, pattern, chunks, frames, size));
        file->OpenStorage(kAccessMapped, FileName(name.c_str()), kOpenForWriting, size);
        WriteSamples24(*file, RepresentableValues(word, size_t(frames) * channels, rate));
        file->CloseStorage(0);
    }
    std::string error;
    OwnedFile written(Open(name, error));
    if (!written.get())
        return "error " + error;
    WriteS32(s32Name, ReadSamples24(*written));
    return "ok";
}

std::string Save(std::istringstream &args) {
    int channels = 0, frames = 0;
    unsigned word = 0, rate = 0;
    std::string name, s32Name;
    args >> std::hex >> word >> std::dec >> channels >> rate >> frames >> name >> s32Name;
    std::unique_ptr<Wave> wave(EditedWave(SamplePattern(word, channels, 1, rate).GetBits(), channels, frames));
    RawFormatAnswer() = SamplePattern(wave->GetFlags(), channels, 1, rate);
    wave->WriteAudioFile(FileName(name.c_str()), -1, smSaveCopy);
    std::string error;
    OwnedFile saved(Open(name, error));
    if (!saved.get())
        return "error " + error;
    std::vector<int32_t> read = ReadSamples24(*saved);
    if (read != ThroughFormat(Interleaved(*wave), saved->GetFlags()))
        return "reopened with other frames";
    WriteS32(s32Name, read);
    return "ok";
}

std::string Resave(std::istringstream &args) {
    std::string name, out;
    args >> name >> out;
    TakeRawFormat(args);
    std::unique_ptr<Wave> wave(OpenWave(name));
    if (!wave)
        return "error opening";
    wave->WriteAudioFile(FileName(out.c_str()), -1, smSaveCopy);
    return DataBytes(name) == DataBytes(out) ? "ok" : "the frames' bytes differ";
}

std::string Refuse(std::istringstream &args) {
    std::string name;
    unsigned id = 0;
    args >> name >> id;
    std::string error;
    OwnedFile file(Open(name, error));
    if (file.get())
        return "opened";
    return error == Text(id) ? "ok" : "error " + error;
}

std::string Peaks(std::istringstream &args) {
    std::string name;
    args >> name;
    std::string error;
    OwnedFile file(Open(name, error));
    if (!file.get())
        return "error " + error;
    int result = file->OpenPeakFile();
    FileName peakName(name.c_str());
    peakName.SetExtension("gpk");
    return "peaks " + std::to_string(result) + " beside " + std::to_string(File::Exist(peakName)) + " entries " +
           std::to_string(file->GetPeakEntries());
}

std::string Dispatch(std::string const &command, std::istringstream &args) {
    if (command == "read")
        return Read(args);
    if (command == "write")
        return Write(args);
    if (command == "save")
        return Save(args);
    if (command == "resave")
        return Resave(args);
    if (command == "refuse")
        return Refuse(args);
    if (command == "peaks")
        return Peaks(args);
    return "unknown command";
}

std::string Run(std::string const &line) {
    std::istringstream args(line);
    std::string command, result;
    args >> command;
    std::string error = ErrorOf([&] { result = Dispatch(command, args); });
    return error.empty() ? result : "error " + error;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: AudioProbe <manifest> <results>\n");
        return 2;
    }
    UseEnglishTexts();
    SetRawFormatChooser(&ChooseRawFormatAnswer);
    std::string folder(argv[1]);
    SettingsScope settings(folder.substr(0, folder.find_last_of('\\')));
    std::ifstream manifest(argv[1]);
    std::ofstream results(argv[2]);
    for (std::string line; std::getline(manifest, line);)
        if (!line.empty())
            results << Run(line) << "\n";
    return 0;
}
