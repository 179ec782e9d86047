// Detection of a file's type and dispatch to the reader or writer of that type.
#include "audio/AudioFile.h"
#include "audio/AudioFileFormat.h"
#include "audio/AudioFileIo.h"
#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <cstring>
#include <memory>

namespace {

char const kEditListMagic[] = "Tessaro EDL";

bool IsEditList(uint8_t const *head, FileName const &) {
    return std::memcmp(head, kEditListMagic, sizeof kEditListMagic - 1) == 0;
}

AudioFileFormat const kEditListFormat = {kTypeEditList, &IsEditList, nullptr, nullptr, false};

// In the order detection tries them: the first that recognises a file decides.
AudioFileFormat const *const kFormats[] = {&kAuFileFormat,   &kAuOtherEncoding,  &kRiffFileFormat,
                                           &kAiffFileFormat, &kEditListFormat,   &kRawPcmFileFormat};

[[noreturn]] void RefuseToOpen(FileName const &name, int report) {
    if (!report)
        throw Exception();  // nothing to tell
    String text(FindString(kMsgNotAudioFile));
    text += "\n(";
    text += name;
    text += ")";
    throw Exception(text);
}

}  // namespace

AudioFileFormat const *FindAudioFileFormat(int type) {
    for (AudioFileFormat const *format : kFormats)
        if (format->type == type && format->read)
            return format;
    return nullptr;
}

int GetAudioFileType(FileName const &name) {
    File file(name, File::kRead | File::kShareRead);
    uint8_t head[kDetectionBytes];
    if (GetFileSize64(file) < kDetectionBytes || !file.Read(head, sizeof head, 0))
        return kTypeUnknown;
    for (AudioFileFormat const *format : kFormats)
        if (format->recognises(head, name))
            return format->type;
    return kTypeUnknown;
}

void AudioFile::OpenByType(FileName const &name, int interactive, int report) {
    name_ = GetFullName(name);
    AudioFileFormat const *format = FindAudioFileFormat(GetAudioFileType(name_));
    if (!format || (format->needsUser && !(interactive && report)))
        RefuseToOpen(name_, report);
    format->read(*this, name_, 1);
}

void AudioFile::BeginHeader(int fileType) {
    SetNumChannels(0);
    fileType_ = fileType;
    dataOffset_ = 0;
    dataSizePosition_ = -1;
    length_ = 0;
    alignment_ = 0;
    chunks_.DeleteAll();
}

void AudioFile::KeepChunk(FileChunk *chunk, HeaderFile &file, int64_t position) {
    chunks_.Append(chunk);
    chunk->data.resize(size_t(Even(chunk->size)));
    file.ReadAtOrFail(position, chunk->data.data(), chunk->size);
}

AudioFile *CreateAudioFileForWriting(FileName const &name, int kind, int fileType, int blockSize,
                                     SamplePattern const &pattern, List<FileChunk> &chunks, int frames, int64_t &size) {
    std::unique_ptr<AudioFile> file(new AudioFile(kind, nullptr, fileType, pattern));
    file->SetInterleaved(1);
    AudioFileFormat const *format = FindAudioFileFormat(fileType);
    if (!format)
        format = &kRawPcmFileFormat;
    // Only a file this call makes is removed on failure: a format refused before the header
    // is written leaves a file of that name as it was.
    bool existed = File::Exist(name);
    try {
        int64_t dataSizePosition = -1;
        size = format->writeHeader(name, *file, chunks, frames, blockSize, dataSizePosition);
        if (!format->needsUser)
            format->read(*file, name, 0);
        file->name_ = GetFullName(name);
        file->length_ = frames;
    } catch (...) {
        if (!existed)
            File::Delete(name, 0);
        throw;
    }
    return file.release();
}
