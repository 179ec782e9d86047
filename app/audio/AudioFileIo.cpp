#include "audio/AudioFileIo.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>
#include <cstring>

bool IsPrintableId(uint32_t id) {
    for (int i = 0; i < 4; ++i, id >>= 8)
        if ((id & 0xFF) < 32 || (id & 0xFF) > 126)
            return false;
    return true;
}

// ---- HeaderBytes

void HeaderBytes::Put(uint32_t value, int count, bool bigEndian) {
    for (int i = 0; i < count; ++i) {
        int shift = bigEndian ? 8 * (count - 1 - i) : 8 * i;
        bytes_.push_back(uint8_t(value >> shift));
    }
}

void HeaderBytes::PutBytes(void const *data, size_t count) {
    uint8_t const *p = static_cast<uint8_t const *>(data);
    bytes_.insert(bytes_.end(), p, p + count);
}

void HeaderBytes::PutChunkData(FileChunk const &chunk) {
    size_t size = size_t(Even(chunk.size));
    size_t start = bytes_.size();
    PutZeros(size);
    std::copy(chunk.data.begin(), chunk.data.begin() + std::min(size, chunk.data.size()), bytes_.begin() + start);
}

void HeaderBytes::PatchLE32(size_t position, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes_[position + i] = uint8_t(value >> 8 * i);
}

void HeaderBytes::PatchBE32(size_t position, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes_[position + i] = uint8_t(value >> 8 * (3 - i));
}

namespace {

// Runs a step on a file; a file error it raises becomes message id (when not 0), with the
// file's own text as the second line and its system error code.
template <class Step>
void InContainerTerms(unsigned id, Step &&step) {
    try {
        step();
    } catch (Exception const &e) {
        if (!id)
            throw;
        throw Exception(String(FindString(id)), e.GetText(), e.GetErrorCode());
    }
}

}  // namespace

// ---- HeaderFile

HeaderFile::HeaderFile(FileName const &name, unsigned openMessage) : size_(0) {
    InContainerTerms(openMessage, [&] { file_.reset(new File(name, File::kRead | File::kShareRead)); });
    size_ = GetFileSize64(*file_);
    CheckAudioFileSize(size_, file_->GetName());
}

bool HeaderFile::ReadAt(int64_t position, void *buffer, size_t count) {
    if (position < 0 || position + int64_t(count) > size_)
        return false;
    file_->Seek(long(position), File::kFromStart);
    return file_->Read(buffer, long(count), 0) != 0;
}

void HeaderFile::ReadAtOrFail(int64_t position, void *buffer, size_t count) {
    if (!ReadAt(position, buffer, count))
        ThrowAudioFileError(kMsgDamaged);
}

void ReadFormHeader(HeaderFile &file, uint32_t id, uint32_t form, unsigned message, uint8_t (&head)[12]) {
    if (!file.ReadAt(0, head, sizeof head) || GetLE32(head) != id || GetLE32(head + 8) != form)
        ThrowAudioFileError(message);
}

// ---- checks

int64_t GetFileSize64(File const &file) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.GetHandle(), &size))
        return file.GetSize();
    return size.QuadPart;
}

int64_t GetFileSize64(FileName const &name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return int64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

FileName GetFullName(FileName const &name) {
    char full[MAX_PATH];
    DWORD n = GetFullPathNameA(name.c_str(), sizeof full, full, nullptr);
    return n > 0 && n < sizeof full ? FileName(full) : name;
}

void ThrowAudioFileError(unsigned id) { throw Exception(String(FindString(id))); }

void CheckAudioFileSize(int64_t size, FileName const &name) {
    if (size <= kLargestAudioFileSize)
        return;
    String text(FindString(kMsgTooLarge));
    text += "\n(";
    text += name;
    text += ")";
    ExceptionThrower(0).SetAndThrow(text);
}

void WriteHeaderFile(FileName const &name, HeaderBytes const &header, unsigned createMessage,
                     unsigned writeMessage) {
    std::unique_ptr<File> file;
    InContainerTerms(createMessage,
                     [&] { file.reset(new File(name, File::kCreate | File::kReadWrite | File::kShareNone)); });
    InContainerTerms(writeMessage,
                     [&] { file->Write(header.Bytes().data(), static_cast<unsigned long>(header.Size())); });
}
