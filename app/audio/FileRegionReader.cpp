#include "audio/FileRegionReader.h"

#include "audio/AudioFileIo.h"
#include "foundation/CriticalSection.h"
#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"

#include <algorithm>

namespace {

enum : unsigned { kReadError = 18002 };

}  // namespace

FileRegionReader::FileRegionReader() : memory_(kPiece + 2 * kPage) {
    uintptr_t at = reinterpret_cast<uintptr_t>(memory_.data());
    buffer_ = memory_.data() + (kPage - at % kPage) % kPage;
}

long FileRegionReader::Read(File &file, int64_t position, int64_t end, char *&data, long unit) {
    int64_t first = position / kPage * kPage;
    OVERLAPPED at = {};
    at.Offset = DWORD(first);
    at.OffsetHigh = DWORD(first >> 32);
    DWORD got = 0;
    {
        AutoCriticalSection lock(file.GetLock());
        if (!ReadFile(file.GetHandle(), buffer_, kPiece + kPage, &got, &at) && GetLastError() != ERROR_HANDLE_EOF)
            ExceptionThrower(0).SetAndThrow(String(BuildString(kReadError, file.GetName().c_str())), GetLastError());
    }
    long skip = long(position - first);
    long bytes = long(std::min<int64_t>(std::min<int64_t>(int64_t(got) - skip, end - position), kPiece)) / unit * unit;
    if (bytes < unit)
        ThrowAudioFileError(kMsgDamaged);
    data = buffer_ + skip;
    return bytes;
}
