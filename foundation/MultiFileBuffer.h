// Buffered access to several file ranges (one per channel) through plain
// memory pointers. A caller asks for the virtual pointer of a file offset,
// moves it itself, and validates it whenever it may have left the current
// buffer. Buffers are either memory of their own filled through a File
// (classic, with the block cache when the file has one) or views of a
// MappedFile.
#pragma once

#include "foundation/OsmeraDefs.h"
#include "foundation/MappedFile.h"

class BufferedFile;

class OSMERA_API MultiFileBuffer {
public:
    enum Mode { kReading = 0, kWriting = 1 };

    struct Buffer;
    // Carries out a buffer's pending request (an operation of the kind of
    // buffered file that made it).
    typedef void (*Completion)(MultiFileBuffer &owner, Buffer &buffer);

    struct Buffer {
        char *data;            // the memory that stands for fileOffset
        char *memory;          // own page memory, or the base of the bound view
        long fileOffset;
        long validSize;
        long capacity;         // of the own memory
        long useCount;         // channels whose current buffer this is
        long index;            // fixed at construction
        char *staging;         // classic writing: one block of the write block size
        long stagingValidStart;
        long stagingCount;
        long stagingFileOffset;
        FileObject *requestFile;
        FileObject *boundFile;
        MappedFile::View *view;
        long requestOffset;    // -1 when no request is pending
        long requestSize;
        Completion completion;
    };

    MultiFileBuffer() : MultiFileBuffer(1, 3, kReading) {}
    MultiFileBuffer(long numChannels, long numBuffers, Mode mode);
    virtual ~MultiFileBuffer();

    void Reset();

    void *GetVirtualPointer(long fileOffset, int channel) { return GetVirtualPointer(fileOffset, channel, 1); }
    void *GetVirtualPointerBackward(long fileOffset, int channel) { return GetVirtualPointer(fileOffset, channel, 0); }
    void ValidateVirtualPointer(void **pointer, int channel);
    void ValidateVirtualPointerBackward(void **pointer, int channel);
    long VirtualPointerToFileOffset(void const *pointer, int channel) const;
    long GetAvailableBytesFromVirtualPointer(void const *pointer, int channel) const;
    long GetAvailableBytesBeforeVirtualPointer(void const *pointer, int channel) const;
    void *GetStartOfCurrentBuffer(int channel) { return channels_[channel].start; }
    void *GetEndOfCurrentBuffer(int channel) { return channels_[channel].end; }

    void AdoptCurrentFile(BufferedFile *file, int channel);
    BufferedFile *GetCurrentFile(int channel) const { return files_[channel]; }
    void ValidateWriting(long position, long newFileSize, unsigned long openFlags, int channel);
    void Flush(long position, int channel) { ValidateWriting(position, -1, 0, channel); }
    void StopUsingFile(FileObject const &file);

    void SetCommitStatus(int status) { commit_ = status; }
    int GetCommitStatus() const { return commit_; }
    int GetNumChannel() const { return static_cast<int>(numChannels_); }
    int IsWriting() const { return writing_; }

    // Memory for a buffer: the view when given, else page memory of its own
    // of at least size bytes.
    static void BindMemory(Buffer &buffer, MappedFile::View *view, long size);

    MultiFileBuffer(MultiFileBuffer const &) = delete;
    MultiFileBuffer &operator=(MultiFileBuffer const &) = delete;

private:
    friend class BufferedFile;
    friend class ClassicBufferedFile;

    struct Channel {
        char *start;
        char *end;
        char *lower;       // start + item size
        char *upper;       // end - item size
        long fileOffset;   // what start stands for
        long current;      // index of the current buffer, -1 none
    };

    void *GetVirtualPointer(long fileOffset, int channel, int forward);
    void StoreChannelCurrentBufferInfo(int bufferPosition, int channel);
    void *UpdateBufferForward(void const *pointer, int channel);
    void *UpdateBufferBackward(void const *pointer, int channel);

    void MoveToFront(long position);
    long PositionOf(long index) const;
    void ReleaseBuffer(long position);
    void LoseCurrentBuffer(long index);
    void EmptyChannel(Channel &channel);
    long ChooseBuffer(FileObject const &file, long fileBuffers);
    long ChooseWriteBuffer(FileObject const &file, int channel) const;

    Channel *channels_;
    Buffer *buffers_;       // in use order, most recently used first
    long numUsed_;
    long numBuffers_;
    BufferedFile **files_;
    long numChannels_;
    long maxPerFile_;
    int commit_;
    int writing_;
    Mode mode_;
};

// One registered range of a file, read or written through the buffers of the
// multi-file buffer that adopted it.
class OSMERA_API BufferedFile {
public:
    virtual void OnDataRequest(long fileOffset, MultiFileBuffer::Buffer &buffer, int forward) = 0;
    virtual void OnWriteBufferRequest(long fileOffset, MultiFileBuffer::Buffer &buffer) = 0;
    // Hands what a writing window holds to the file before the window is used elsewhere.
    virtual void FlushWindow(MultiFileBuffer::Buffer &buffer) = 0;
    virtual void ValidateWriting(long position, long newFileSize, unsigned long openFlags) = 0;
    virtual void AdjustWriteBufferSize() = 0;

    int IsSameFile(FileObject &file, long startOffset, long length, long itemsPerFrame, long itemSize,
                   long bufferSize, int writing) const;
    FileObject &GetFile() const { return file_; }
    long GetBufferSize() const { return bufferSize_; }
    long GetFrameSize() const { return itemsPerFrame_ * itemSize_; }
    long GetItemSize() const { return itemSize_; }
    long GetStartOffset() const { return startOffset_; }
    long GetLength() const { return length_; }

    BufferedFile(BufferedFile const &) = delete;
    BufferedFile &operator=(BufferedFile const &) = delete;

protected:
    friend class MultiFileBuffer;
    BufferedFile(FileObject &file, long startOffset, long length, long itemsPerFrame, long itemSize,
                 long bufferSize, int writing);
    virtual ~BufferedFile();

    // The first byte of the window for an offset, relative to the start.
    long AlignedOffset(long fileOffset, int forward) const;

    // A new buffered file of the kind for the channel, unless the one there
    // was registered with the same arguments (its buffers are then kept).
    template <class Kind>
    static void RegisterKind(MultiFileBuffer &buffer, int channel, FileObject &file, long startOffset, long length,
                             long itemsPerFrame, long itemSize, long bufferSize, int writing) {
        BufferedFile *current = buffer.GetCurrentFile(channel);
        if (current && current->IsSameFile(file, startOffset, length, itemsPerFrame, itemSize, bufferSize, writing))
            return;
        buffer.AdoptCurrentFile(new Kind(file, startOffset, length, itemsPerFrame, itemSize, bufferSize, writing),
                                channel);
    }

    FileObject &file_;
    long bufferSize_;
    long itemsPerFrame_;
    long itemSize_;
    int writing_;
    MultiFileBuffer *owner_;
    int channel_;
    long startOffset_;
    long length_;
    long givenLength_;
    long givenBufferSize_;
};

class OSMERA_API ClassicBufferedFile : public BufferedFile {
public:
    ClassicBufferedFile(FileObject &file, long startOffset, long length, long itemsPerFrame, long itemSize,
                        long bufferSize, int writing);

    static void Register(MultiFileBuffer &buffer, int channel, File &file, long startOffset, long length,
                         long itemsPerFrame, long itemSize, long bufferSize, int writing);

    void OnDataRequest(long fileOffset, MultiFileBuffer::Buffer &buffer, int forward) override;
    void OnWriteBufferRequest(long fileOffset, MultiFileBuffer::Buffer &buffer) override;
    void FlushWindow(MultiFileBuffer::Buffer &buffer) override;
    void ValidateWriting(long position, long newFileSize, unsigned long openFlags) override;
    void AdjustWriteBufferSize() override;
    long GetWriteBlockSize() const { return writeBlockSize_; }

protected:
    ~ClassicBufferedFile() override;
    long ValidateBufferSize(long size) const;

private:
    static void Complete(MultiFileBuffer &owner, MultiFileBuffer::Buffer &buffer);
    File &GetDiskFile() const { return static_cast<File &>(file_); }
    // Moves count bytes of the window into its staging block, writing the block each time it
    // fills, and the window on past them.
    void Stage(MultiFileBuffer::Buffer &buffer, long count);
    // Writes what the staging block holds; the block stays in place for the bytes after it.
    void WriteStaged(MultiFileBuffer::Buffer &buffer);
    void WriteStagedOfFile();
    // The window's bytes as the file holds them (nothing beyond its end).
    void ReadWindow(MultiFileBuffer::Buffer &buffer);

    long writeBlockSize_;
};

class OSMERA_API MappedBufferedFile : public BufferedFile {
public:
    MappedBufferedFile(FileObject &file, long startOffset, long length, long itemsPerFrame, long itemSize,
                       long bufferSize, int writing);

    static void Register(MultiFileBuffer &buffer, int channel, MappedFile &file, long startOffset, long length,
                         long itemsPerFrame, long itemSize, long bufferSize, int writing);

    void OnDataRequest(long fileOffset, MultiFileBuffer::Buffer &buffer, int forward) override;
    void OnWriteBufferRequest(long fileOffset, MultiFileBuffer::Buffer &buffer) override;
    void FlushWindow(MultiFileBuffer::Buffer &) override {}
    void ValidateWriting(long, long, unsigned long) override {}
    void AdjustWriteBufferSize() override {}

protected:
    ~MappedBufferedFile() override;
    long ValidateBufferSize(long size) const;

private:
    static void Complete(MultiFileBuffer &owner, MultiFileBuffer::Buffer &buffer);
};
