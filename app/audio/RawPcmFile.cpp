// Raw PCM files: samples without a header, recognised by the extension "raw" or "pcm". The
// user tells their format, starting from the format of new waves; they are always
// interleaved.
#include "audio/AudioFile.h"
#include "audio/AudioFileFormat.h"
#include "audio/AudioFileIo.h"
#include "audio/NewWaveFormat.h"
#include "foundation/Exception.h"

#include <cstring>

namespace {

bool Recognises(uint8_t const *, FileName const &name) {
    String extension(name.GetExtension());
    return _stricmp(extension.c_str(), "raw") == 0 || _stricmp(extension.c_str(), "pcm") == 0;
}

void Read(AudioFile &file, FileName const &name, int) { file.ReadRawPcm(name); }

int64_t WriteHeader(FileName const &name, SamplePattern const &pattern, List<FileChunk> &, int frames, int, int64_t &) {
    int64_t size = int64_t(frames) * pattern.GetBytesPerSample() * pattern.GetNumChannels();
    CheckAudioFileSize(size, name);
    File created(name, File::kCreate);
    return size;
}

}  // namespace

AudioFileFormat const kRawPcmFileFormat = {kTypeRawPcm, &Recognises, &Read, &WriteHeader, true};

// A cancel by the user ends the open without a message.
void AudioFile::ReadRawPcm(FileName const &name) {
    BeginHeader(kTypeRawPcm);
    SamplePattern format;
    GetNewWaveFormat(format);
    format.SetInterleaved(1);
    if (!ChooseRawFormat(format))
        ExceptionThrower(0).SetAndThrow();
    SamplePattern::operator=(format);
    SetInterleaved(1);
    if (GetNumChannels() < 1 || GetNumChannels() > 2 || GetBytesPerFrame() < 1)
        ThrowAudioFileError(kMsgDamaged);
    HeaderFile file(name);
    length_ = int32_t(file.GetSize() / GetBytesPerFrame());
}
