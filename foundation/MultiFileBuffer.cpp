#include "foundation/MultiFileBuffer.h"

#include "foundation/CriticalSection.h"
#include "foundation/FileCache.h"

#include "malvane/Malvane.h"
#include <windows.h>

#include <cstdint>
#include <cstring>

namespace {

struct SystemSizes {
    long page;
    long granularity;
    SystemSizes() {
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        page = static_cast<long>(info.dwPageSize);
        granularity = static_cast<long>(info.dwAllocationGranularity);
    }
};

SystemSizes const &Sizes() {
    static SystemSizes sizes;
    return sizes;
}

long RoundUp(long value, long unit) { return unit > 0 ? (value + unit - 1) / unit * unit : value; }
long RoundDown(long value, long unit) { return unit > 0 ? value / unit * unit : value; }

char *Offset(char const *base, long bytes) {
    return reinterpret_cast<char *>(reinterpret_cast<std::uintptr_t>(base) + static_cast<std::uintptr_t>(bytes));
}
long Distance(void const *from, void const *to) {
    return static_cast<long>(reinterpret_cast<std::uintptr_t>(to) - reinterpret_cast<std::uintptr_t>(from));
}

// Committed read/write pages; a failure ends in the allocation-failure handler.
char *AllocatePages(long size) {
    for (;;) {
        void *memory = VirtualAlloc(nullptr, static_cast<SIZE_T>(size), MEM_COMMIT, PAGE_READWRITE);
        if (memory)
            return static_cast<char *>(memory);
        NH_Heap::ExecuteStandardNewHandler();
    }
}

void FreePages(char *memory) {
    if (memory)
        VirtualFree(memory, 0, MEM_RELEASE);
}

void ClearBuffer(MultiFileBuffer::Buffer &b) {
    long index = b.index;
    std::memset(&b, 0, sizeof b);
    b.index = index;
    b.requestOffset = -1;
    b.requestSize = -1;
}

}  // namespace

// ---------------------------------------------------------------- MultiFileBuffer

MultiFileBuffer::MultiFileBuffer(long numChannels, long numBuffers, Mode mode)
    : channels_(nullptr), buffers_(nullptr), numUsed_(0), numBuffers_(0), files_(nullptr),
      numChannels_(numChannels < 1 ? 1 : numChannels), maxPerFile_(0), commit_(1), writing_(mode != kReading),
      mode_(mode) {
    numBuffers_ = writing_ ? numChannels_ : (numBuffers < 1 ? 1 : numBuffers);
    maxPerFile_ = writing_ ? numChannels_ : 2 * numChannels_;
    channels_ = new Channel[numChannels_];
    files_ = new BufferedFile *[numChannels_];
    for (long c = 0; c < numChannels_; ++c) {
        files_[c] = nullptr;
        std::memset(&channels_[c], 0, sizeof channels_[c]);
        EmptyChannel(channels_[c]);
    }
    buffers_ = new Buffer[numBuffers_];
    for (long i = 0; i < numBuffers_; ++i) {
        buffers_[i].index = i;
        ClearBuffer(buffers_[i]);
    }
}

MultiFileBuffer::~MultiFileBuffer() {
    while (numUsed_ > 0)
        ReleaseBuffer(0);
    delete[] buffers_;
    delete[] channels_;
    for (long c = 0; c < numChannels_; ++c)
        delete files_[c];
    delete[] files_;
}

void MultiFileBuffer::Reset() {
    while (numUsed_ > 0)
        ReleaseBuffer(0);
    for (long c = 0; c < numChannels_; ++c) {
        delete files_[c];
        files_[c] = nullptr;
        std::memset(&channels_[c], 0, sizeof channels_[c]);
        EmptyChannel(channels_[c]);
    }
    numUsed_ = 0;
}

long MultiFileBuffer::PositionOf(long index) const {
    for (long i = 0; i < numUsed_; ++i)
        if (buffers_[i].index == index)
            return i;
    return -1;
}

void MultiFileBuffer::MoveToFront(long position) {
    if (position <= 0)
        return;
    Buffer moved = buffers_[position];
    std::memmove(&buffers_[1], &buffers_[0], position * sizeof(Buffer));
    buffers_[0] = moved;
}

// A channel without a current buffer keeps its delta (so its pointers still
// translate to file offsets) but fails both bounds, so the next validation
// looks its buffer up again.
void MultiFileBuffer::EmptyChannel(Channel &c) {
    c.lower = reinterpret_cast<char *>(~static_cast<std::uintptr_t>(0));
    c.upper = nullptr;
    c.current = -1;
}

void MultiFileBuffer::LoseCurrentBuffer(long index) {
    for (long c = 0; c < numChannels_; ++c)
        if (channels_[c].current == index)
            EmptyChannel(channels_[c]);
    long position = PositionOf(index);
    if (position >= 0)
        buffers_[position].useCount = 0;
}

// Frees what a buffer holds and returns its record to the unused ones.
void MultiFileBuffer::ReleaseBuffer(long position) {
    Buffer &b = buffers_[position];
    LoseCurrentBuffer(b.index);
    if (b.view)
        b.view->GetOwner().Release(b.view);
    else
        FreePages(b.memory);
    FreePages(b.staging);
    ClearBuffer(b);
    Buffer released = b;
    std::memmove(&buffers_[position], &buffers_[position + 1], (numUsed_ - position - 1) * sizeof(Buffer));
    buffers_[--numUsed_] = released;
}

void MultiFileBuffer::BindMemory(Buffer &b, MappedFile::View *view, long size) {
    if (view) {
        if (b.view)
            b.view->GetOwner().Release(b.view);  // the same view again holds one use too many
        else
            FreePages(b.memory);
        b.view = view;
        b.memory = view->GetBase();
        b.capacity = 0;
        return;
    }
    if (b.view) {
        b.view->GetOwner().Release(b.view);
        b.view = nullptr;
        b.memory = nullptr;
        b.capacity = 0;
    }
    if (b.memory && b.capacity >= size)
        return;
    FreePages(b.memory);
    b.memory = nullptr;
    b.capacity = 0;
    b.memory = AllocatePages(size > 0 ? size : 1);
    b.capacity = size;
}

void MultiFileBuffer::StoreChannelCurrentBufferInfo(int position, int channel) {
    Buffer &b = buffers_[position];
    Channel &c = channels_[channel];
    long item = files_[channel]->itemSize_;
    if (c.current >= 0 && c.current != b.index) {
        long previous = PositionOf(c.current);
        if (previous >= 0 && buffers_[previous].useCount > 0)
            --buffers_[previous].useCount;
    }
    if (c.current != b.index)
        ++b.useCount;
    c.current = b.index;
    c.start = b.data;
    c.end = Offset(b.data, b.validSize);
    c.lower = Offset(c.start, item);
    c.upper = Offset(c.end, -item);
    c.fileOffset = b.fileOffset;
}

// Which record takes a new request of a file when none holds the offset.
long MultiFileBuffer::ChooseBuffer(FileObject const &file, long fileBuffers) {
    if (numUsed_ < numBuffers_ && fileBuffers < maxPerFile_)
        return numUsed_;
    int sameFileOnly = fileBuffers >= maxPerFile_;
    for (long i = numUsed_ - 1; i >= 0; --i)
        if (!buffers_[i].useCount && (!sameFileOnly || buffers_[i].requestFile == &file))
            return i;
    // Every candidate is some channel's current buffer: take the least
    // recently used one; the channels that held it look theirs up again.
    for (long i = numUsed_ - 1; i >= 0; --i)
        if (!sameFileOnly || buffers_[i].requestFile == &file)
            return i;
    return numUsed_ - 1;
}

// Writing: the window the channel leaves moves on unless another channel of
// the file still writes into it; then the channel takes a free record, or a
// window of the file that no channel holds any more. -1 when none is left.
long MultiFileBuffer::ChooseWriteBuffer(FileObject const &file, int channel) const {
    long own = channels_[channel].current >= 0 ? PositionOf(channels_[channel].current) : -1;
    if (own >= 0 && buffers_[own].requestFile == &file && buffers_[own].useCount <= 1)
        return own;
    if (numUsed_ < numBuffers_)
        return numUsed_;
    for (long i = numUsed_ - 1; i >= 0; --i)
        if (!buffers_[i].useCount && buffers_[i].requestFile == &file)
            return i;
    return -1;
}

void *MultiFileBuffer::GetVirtualPointer(long fileOffset, int channel, int forward) {
    BufferedFile &bf = *files_[channel];
    FileObject &file = bf.file_;
    long item = bf.itemSize_;
    long position = forward ? fileOffset : (fileOffset - item < 0 ? 0 : fileOffset - item);
    long fileBuffers = 0;
    for (long i = 0; i < numUsed_; ++i) {
        Buffer &b = buffers_[i];
        if (b.requestFile != &file)
            continue;
        ++fileBuffers;
        if (b.fileOffset <= position && b.fileOffset + b.validSize >= position + item) {
            MoveToFront(i);
            if (commit_ && buffers_[0].requestOffset != -1)
                buffers_[0].completion(*this, buffers_[0]);
            StoreChannelCurrentBufferInfo(0, channel);
            return Offset(channels_[channel].start, fileOffset - channels_[channel].fileOffset);
        }
    }
    long chosen = writing_ ? ChooseWriteBuffer(file, channel) : -1;
    if (chosen < 0)
        chosen = ChooseBuffer(file, fileBuffers);
    int fresh = chosen == numUsed_;
    if (!fresh && buffers_[chosen].useCount)
        LoseCurrentBuffer(buffers_[chosen].index);
    if (fresh)
        ++numUsed_;
    MoveToFront(chosen);
    Buffer &b = buffers_[0];
    if (!writing_) {
        bf.OnDataRequest(position, b, forward);
    } else {
        if (!fresh && b.requestFile == &file)
            bf.FlushWindow(b);
        bf.OnWriteBufferRequest(position, b);
    }
    StoreChannelCurrentBufferInfo(0, channel);
    return Offset(channels_[channel].start, fileOffset - channels_[channel].fileOffset);
}

void *MultiFileBuffer::UpdateBufferForward(void const *pointer, int channel) {
    return GetVirtualPointer(VirtualPointerToFileOffset(pointer, channel), channel, 1);
}

void *MultiFileBuffer::UpdateBufferBackward(void const *pointer, int channel) {
    return GetVirtualPointer(VirtualPointerToFileOffset(pointer, channel), channel, 0);
}

void MultiFileBuffer::ValidateVirtualPointer(void **pointer, int channel) {
    if (static_cast<char *>(*pointer) > channels_[channel].upper)
        *pointer = UpdateBufferForward(*pointer, channel);
}

void MultiFileBuffer::ValidateVirtualPointerBackward(void **pointer, int channel) {
    if (static_cast<char *>(*pointer) < channels_[channel].lower)
        *pointer = UpdateBufferBackward(*pointer, channel);
}

long MultiFileBuffer::VirtualPointerToFileOffset(void const *pointer, int channel) const {
    Channel const &c = channels_[channel];
    return c.fileOffset + Distance(c.start, pointer);
}

long MultiFileBuffer::GetAvailableBytesFromVirtualPointer(void const *pointer, int channel) const {
    return Distance(pointer, channels_[channel].end);
}

long MultiFileBuffer::GetAvailableBytesBeforeVirtualPointer(void const *pointer, int channel) const {
    return Distance(channels_[channel].start, pointer);
}

void MultiFileBuffer::AdoptCurrentFile(BufferedFile *file, int channel) {
    BufferedFile *previous = files_[channel];
    files_[channel] = file;
    if (previous) {
        // Buffers of a file that no channel reads any more must not outlive
        // the caller's file object.
        int stillUsed = file && &file->file_ == &previous->file_;
        for (long c = 0; c < numChannels_ && !stillUsed; ++c)
            stillUsed = files_[c] && &files_[c]->file_ == &previous->file_;
        if (!stillUsed)
            StopUsingFile(previous->file_);
        else if (channels_[channel].current >= 0)
            LoseCurrentBuffer(channels_[channel].current);
        delete previous;
    }
    if (!file)
        return;
    file->owner_ = this;
    file->channel_ = channel;
    if (writing_)
        file->AdjustWriteBufferSize();
    else
        file->bufferSize_ = RoundUp(file->bufferSize_, file->GetFrameSize());
}

void MultiFileBuffer::ValidateWriting(long position, long newFileSize, unsigned long openFlags, int channel) {
    BufferedFile *file = files_[channel];
    if (!file)
        return;
    file->ValidateWriting(position, newFileSize, openFlags);
    StopUsingFile(file->file_);
}

void MultiFileBuffer::StopUsingFile(FileObject const &file) {
    for (long i = numUsed_ - 1; i >= 0; --i)
        if (buffers_[i].requestFile == &file || buffers_[i].boundFile == &file)
            ReleaseBuffer(i);
}

// ---------------------------------------------------------------- BufferedFile

BufferedFile::BufferedFile(FileObject &file, long startOffset, long length, long itemsPerFrame, long itemSize,
                           long bufferSize, int writing)
    : file_(file), bufferSize_(bufferSize), itemsPerFrame_(itemsPerFrame < 1 ? 1 : itemsPerFrame),
      itemSize_(itemSize < 1 ? 1 : itemSize), writing_(writing), owner_(nullptr), channel_(0),
      startOffset_(startOffset), length_(length), givenLength_(length), givenBufferSize_(bufferSize) {
    if (!writing && length < 1)
        length_ = file.GetFileSize() - startOffset;
    if (file.GetCache() && !writing) {
        long half = static_cast<long>(file.GetCache()->GetManager()->GetBlockSize() / 2);
        bufferSize_ = half > Sizes().page ? half : Sizes().page;
    }
}

BufferedFile::~BufferedFile() {}

int BufferedFile::IsSameFile(FileObject &file, long startOffset, long length, long itemsPerFrame, long itemSize,
                             long bufferSize, int writing) const {
    return &file == &file_ && startOffset == startOffset_ && length == givenLength_ &&
           itemsPerFrame == itemsPerFrame_ && itemSize == itemSize_ && bufferSize == givenBufferSize_ &&
           writing == writing_;
}

long BufferedFile::AlignedOffset(long fileOffset, int forward) const {
    long frame = GetFrameSize();
    long rel = fileOffset - startOffset_;
    if (forward)
        return RoundDown(rel < 0 ? 0 : rel, frame);
    rel = rel - bufferSize_ + frame;
    if (rel < 1)
        rel = 0;
    return RoundUp(rel, frame);
}

// ---------------------------------------------------------------- ClassicBufferedFile

ClassicBufferedFile::ClassicBufferedFile(FileObject &file, long startOffset, long length, long itemsPerFrame,
                                         long itemSize, long bufferSize, int writing)
    : BufferedFile(file, startOffset, length, itemsPerFrame, itemSize, bufferSize, writing),
      writeBlockSize_(file.GetCache() ? static_cast<long>(file.GetCache()->GetManager()->GetBlockSize()) : 0x10000) {
    bufferSize_ = ValidateBufferSize(bufferSize_);
}

ClassicBufferedFile::~ClassicBufferedFile() {}

long ClassicBufferedFile::ValidateBufferSize(long size) const { return RoundUp(size, Sizes().page); }

void ClassicBufferedFile::Register(MultiFileBuffer &buffer, int channel, File &file, long startOffset, long length,
                                   long itemsPerFrame, long itemSize, long bufferSize, int writing) {
    RegisterKind<ClassicBufferedFile>(buffer, channel, file, startOffset, length, itemsPerFrame, itemSize, bufferSize,
                                      writing);
}

void ClassicBufferedFile::OnDataRequest(long fileOffset, MultiFileBuffer::Buffer &b, int forward) {
    long frame = GetFrameSize();
    long rel = AlignedOffset(fileOffset, forward);
    long size = RoundDown(RoundUp(RoundUp(bufferSize_ + frame, frame), Sizes().page), frame);
    long valid = length_ - rel < size ? length_ - rel : size;
    b.validSize = valid > 0 ? valid : 0;
    b.fileOffset = startOffset_ + rel;
    b.data = nullptr;
    b.requestFile = &file_;
    b.requestOffset = b.fileOffset;
    b.requestSize = b.validSize;
    b.completion = &ClassicBufferedFile::Complete;
    if (owner_->GetCommitStatus())
        Complete(*owner_, b);
}

void ClassicBufferedFile::Complete(MultiFileBuffer &, MultiFileBuffer::Buffer &b) {
    File &file = static_cast<File &>(*b.requestFile);
    MultiFileBuffer::BindMemory(b, nullptr, b.requestSize);
    b.boundFile = &file;
    b.data = b.memory;
    if (b.requestSize > 0) {
        if (file.GetCache()) {
            file.ReadCache(b.requestOffset, b.memory, b.requestSize, nullptr, 1);
        } else {
            AutoCriticalSection guard(file.GetLock());
            file.Seek(b.requestOffset, File::kFromStart, 1);
            file.Read(b.memory, b.requestSize, 1, nullptr);
        }
    }
    b.requestOffset = b.requestSize = -1;
}

void ClassicBufferedFile::AdjustWriteBufferSize() {
    if (file_.GetCache())
        bufferSize_ = static_cast<long>(file_.GetCache()->GetManager()->GetBlockSize());
    if (bufferSize_ < 1)
        bufferSize_ = writeBlockSize_;
    bufferSize_ = RoundUp(RoundUp(bufferSize_, Sizes().page), GetFrameSize());
}

// The first window starts at the start of the range and later ones follow on;
// writing that goes on after the buffers were dropped starts where it stands,
// so bytes already written are not written over.
void ClassicBufferedFile::OnWriteBufferRequest(long fileOffset, MultiFileBuffer::Buffer &b) {
    long size = RoundUp(bufferSize_, GetFrameSize());
    MultiFileBuffer::BindMemory(b, nullptr, size);
    b.boundFile = &file_;
    b.requestFile = &file_;
    b.data = b.memory;
    b.validSize = size;
    long begin = startOffset_ + AlignedOffset(fileOffset, 1);
    b.fileOffset = begin;
    if (!b.staging)
        b.staging = AllocatePages(writeBlockSize_);
    long staged = b.stagingFileOffset + b.stagingValidStart + b.stagingCount;
    int follows = b.stagingCount > 0 && staged == begin;
    // A channel writes only its own samples of a frame: the window starts with
    // the file's, so that the other channels' samples written earlier (or
    // there before) go back unchanged.
    if (itemsPerFrame_ > 1) {
        WriteStagedOfFile();
        ReadWindow(b);
    } else if (!follows) {
        WriteStaged(b);
    }
    if (!follows) {
        b.stagingFileOffset = RoundDown(begin, writeBlockSize_);
        b.stagingValidStart = begin % writeBlockSize_;
        b.stagingCount = 0;
    }
}

void ClassicBufferedFile::ReadWindow(MultiFileBuffer::Buffer &b) {
    File &file = GetDiskFile();
    long inFile = file.GetSize() - b.fileOffset;
    long count = inFile < b.validSize ? (inFile > 0 ? inFile : 0) : b.validSize;
    if (count > 0)
        file.ReadCache(b.fileOffset, b.data, count, nullptr, 1);
    std::memset(b.data + count, 0, static_cast<size_t>(b.validSize - count));
}

void ClassicBufferedFile::Stage(MultiFileBuffer::Buffer &b, long count) {
    char const *source = b.data;
    for (long left = count; left > 0;) {
        long room = writeBlockSize_ - b.stagingValidStart - b.stagingCount;
        long piece = left < room ? left : room;
        std::memcpy(b.staging + b.stagingValidStart + b.stagingCount, source, piece);
        b.stagingCount += piece;
        source += piece;
        left -= piece;
        if (b.stagingValidStart + b.stagingCount == writeBlockSize_) {
            WriteStaged(b);
            b.stagingFileOffset += writeBlockSize_;
            b.stagingValidStart = 0;
        }
    }
    b.fileOffset += count;
}

void ClassicBufferedFile::WriteStaged(MultiFileBuffer::Buffer &b) {
    if (!b.staging || b.stagingCount < 1)
        return;
    GetDiskFile().WriteCache(b.stagingFileOffset, b.staging, writeBlockSize_, b.stagingValidStart, b.stagingCount);
    b.stagingValidStart += b.stagingCount;
    b.stagingCount = 0;
}

// Other windows of the file may hold staged bytes that a window about to read
// the file must find there.
void ClassicBufferedFile::WriteStagedOfFile() {
    MultiFileBuffer &m = *owner_;
    for (long i = 0; i < m.numUsed_; ++i)
        if (m.buffers_[i].requestFile == &file_)
            WriteStaged(m.buffers_[i]);
}

void ClassicBufferedFile::FlushWindow(MultiFileBuffer::Buffer &b) { Stage(b, b.validSize); }

// Every window of the file up to position (all of each below 0), their last
// partial blocks included.
void ClassicBufferedFile::ValidateWriting(long position, long newFileSize, unsigned long openFlags) {
    MultiFileBuffer &m = *owner_;
    for (long i = 0; i < m.numUsed_; ++i) {
        MultiFileBuffer::Buffer &b = m.buffers_[i];
        if (b.requestFile != &file_)
            continue;
        long end = position < 0 ? b.fileOffset + b.validSize : startOffset_ + position;
        long count = end - b.fileOffset < b.validSize ? end - b.fileOffset : b.validSize;
        if (count > 0)  // a flush never moves the window backwards
            Stage(b, count);
        WriteStaged(b);
    }
    if (newFileSize >= 0)
        GetDiskFile().AdjustSizeOfCachedFile(newFileSize, static_cast<int>(openFlags));
}

// ---------------------------------------------------------------- MappedBufferedFile

MappedBufferedFile::MappedBufferedFile(FileObject &file, long startOffset, long length, long itemsPerFrame,
                                       long itemSize, long bufferSize, int writing)
    : BufferedFile(file, startOffset, length, itemsPerFrame, itemSize, bufferSize, writing) {
    bufferSize_ = ValidateBufferSize(bufferSize_);
    if (writing)
        length_ = file.GetFileSize() - startOffset;
}

MappedBufferedFile::~MappedBufferedFile() {}

long MappedBufferedFile::ValidateBufferSize(long size) const { return RoundUp(size, Sizes().granularity); }

void MappedBufferedFile::Register(MultiFileBuffer &buffer, int channel, MappedFile &file, long startOffset,
                                  long length, long itemsPerFrame, long itemSize, long bufferSize, int writing) {
    RegisterKind<MappedBufferedFile>(buffer, channel, file, startOffset, length, itemsPerFrame, itemSize, bufferSize,
                                     writing);
}

void MappedBufferedFile::OnDataRequest(long fileOffset, MultiFileBuffer::Buffer &b, int forward) {
    long g = Sizes().granularity;
    long frame = GetFrameSize();
    long rangeEnd = startOffset_ + length_;
    long viewStart, viewSize;
    if (bufferSize_ == 0) {
        viewStart = RoundDown(startOffset_, g);
        viewSize = rangeEnd - viewStart;
        b.fileOffset = startOffset_;
        b.validSize = length_;
    } else {
        long wanted = startOffset_ + AlignedOffset(fileOffset, forward);
        viewStart = RoundDown(wanted, g);
        long bufferStart = wanted - (wanted - viewStart) / frame * frame;
        viewSize = RoundUp(RoundUp(bufferSize_ + frame + (wanted - bufferStart), frame), g);
        if (viewStart + viewSize > rangeEnd)
            viewSize = rangeEnd - viewStart;
        b.fileOffset = bufferStart;
        b.validSize = RoundDown(viewStart + viewSize - bufferStart, frame);
    }
    if (b.validSize < 0)
        b.validSize = 0;
    b.requestFile = &file_;
    b.requestOffset = viewStart;
    b.requestSize = viewSize;
    b.completion = &MappedBufferedFile::Complete;
    if (owner_->GetCommitStatus())
        Complete(*owner_, b);
}

void MappedBufferedFile::OnWriteBufferRequest(long fileOffset, MultiFileBuffer::Buffer &b) {
    OnDataRequest(fileOffset, b, 1);
}

void MappedBufferedFile::Complete(MultiFileBuffer &, MultiFileBuffer::Buffer &b) {
    MappedFile &mapped = static_cast<MappedFile &>(*b.requestFile);
    MappedFile::View *view = mapped.FindElseCreate(static_cast<unsigned long>(b.requestOffset),
                                                   static_cast<unsigned long>(b.requestSize));
    MultiFileBuffer::BindMemory(b, view, 0);
    b.boundFile = &mapped;
    b.data = Offset(view->GetBase(), b.fileOffset - static_cast<long>(view->GetFileOffset()));
    b.requestOffset = b.requestSize = -1;
}
