// MemoryStream: bytes in memory with one position for writing and reading.
// It owns a buffer that grows as data is written, or works over a caller's
// block. Values are stored as their raw bytes in the machine's order.
//
// The bytes read often come from files on disk, so reading is bounded: a read
// past the end of the data yields zeros and marks the stream as failed
// (Failed()). Writing past the end of a caller's block, or into a read-only
// stream, throws an Exception.
#pragma once

#include "foundation/OsmeraDefs.h"

class String;

class OSMERA_API MemoryStream {
public:
    // A growable, empty stream; growBy is raised to 32 when smaller. With
    // freeOnDestroy 0 the buffer is left to the caller, who takes it with
    // GetStart() and frees it with NH_Heap::FreeMem.
    explicit MemoryStream(unsigned int growBy = 32, int freeOnDestroy = 1);
    // Over a caller's writable block: its size bytes are the data.
    MemoryStream(void *block, unsigned int size);
    // Over a caller's block for reading only.
    MemoryStream(void const *block, unsigned int size);
    virtual ~MemoryStream();

    MemoryStream(MemoryStream const &) = delete;
    MemoryStream &operator=(MemoryStream const &) = delete;

    // As the matching constructor; a buffer the stream owns is freed first.
    void Reset(unsigned int growBy, int freeOnDestroy);
    void Reset(void *block, unsigned int size);
    void Reset(void const *block, unsigned int size);

    void Put(void const *data, unsigned int count);
    void Put(char v) { Put(&v, sizeof v); }
    void Put(signed char v) { Put(&v, sizeof v); }
    void Put(unsigned char v) { Put(&v, sizeof v); }
    void Put(short v) { Put(&v, sizeof v); }
    void Put(unsigned short v) { Put(&v, sizeof v); }
    void Put(int v) { Put(&v, sizeof v); }
    void Put(unsigned int v) { Put(&v, sizeof v); }
    void Put(long v) { Put(&v, sizeof v); }
    void Put(unsigned long v) { Put(&v, sizeof v); }
    void Put(float v) { Put(&v, sizeof v); }
    void Put(double const &v) { Put(&v, sizeof v); }
    // c, count times (nothing for a count below 1).
    void Put(char c, int count);
    // The characters of text, and its terminating NUL when withNul is non-zero.
    void PutString(char const *text, int withNul);
    void PutString(String const &text, int withNul);
    // The characters of text, then CR LF.
    void PutLine(String const &text);
    void PutLine(char const *text);
    // One NUL byte: ends a text written without its NUL, for GetString.
    void PutEndl() { Put(static_cast<char>(0)); }

    // Bounded reads: what lies past the end of the data reads as zeros.
    void Get(void *out, unsigned int count);
    void Get(char &v) { Get(&v, sizeof v); }
    void Get(signed char &v) { Get(&v, sizeof v); }
    void Get(unsigned char &v) { Get(&v, sizeof v); }
    void Get(short &v) { Get(&v, sizeof v); }
    void Get(unsigned short &v) { Get(&v, sizeof v); }
    void Get(int &v) { Get(&v, sizeof v); }
    void Get(unsigned int &v) { Get(&v, sizeof v); }
    void Get(long &v) { Get(&v, sizeof v); }
    void Get(unsigned long &v) { Get(&v, sizeof v); }
    void Get(float &v) { Get(&v, sizeof v); }
    void Get(double &v) { Get(&v, sizeof v); }
    // Up to the first LF, CR or NUL or the end of the data; the position moves
    // past the ending (CR LF counts as one).
    String GetLine();
    // The NUL-terminated text at the position; the position moves past the
    // NUL. A text that runs into the end of the data is returned as far as it
    // goes and marks the stream as failed.
    String GetString();

    char *GetStart() const { return start_; }
    char *GetHeadPointer() const { return start_ + position_; }
    char *GetPointer(unsigned long offset) const { return start_ + offset; }
    unsigned long GetPosition() const { return position_; }
    void SetPosition(unsigned long offset) { position_ = offset; }
    void Seek(unsigned int offset) { position_ = offset; }
    // Bytes of data: written so far (growable) or the block's size.
    unsigned long GetLength() const { return length_; }
    // The buffer's capacity (growable) or the block's size.
    unsigned long GetSize() const { return size_; }
    // 1 when the position is at or beyond the end of the data.
    int End() const { return position_ >= length_; }
    // Non-zero after a read past the end of the data, until ClearError().
    int Failed() const { return failed_; }
    void ClearError() { failed_ = 0; }

private:
    void Release();
    void MakeRoom(unsigned int count);

    unsigned int growBy_;      // 0 over a caller's block
    char *start_;              // null until a growable stream first writes
    unsigned long position_;   // offset from start_
    unsigned long size_;       // capacity, or the caller's block size
    unsigned long length_;     // bytes of data
    int ownsBuffer_;
    int readOnly_;
    int freeOnDestroy_;
    int failed_;
};
