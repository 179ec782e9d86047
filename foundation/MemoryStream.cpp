#include "foundation/MemoryStream.h"

#include <cstring>
#include <new>

#include "foundation/Exception.h"
#include "malvane/Malvane.h"
#include "foundation/Strings.h"

namespace {
unsigned int const kMinimumGrowth = 32;
}

MemoryStream::MemoryStream(unsigned int growBy, int freeOnDestroy) : start_(nullptr), ownsBuffer_(0) {
    Reset(growBy, freeOnDestroy);
}

MemoryStream::MemoryStream(void *block, unsigned int size) : start_(nullptr), ownsBuffer_(0) { Reset(block, size); }

MemoryStream::MemoryStream(void const *block, unsigned int size) : start_(nullptr), ownsBuffer_(0) {
    Reset(block, size);
}

MemoryStream::~MemoryStream() {
    if (freeOnDestroy_)
        Release();
}

void MemoryStream::Release() {
    if (ownsBuffer_)
        NH_Heap::FreeMem(start_);
    start_ = nullptr;
    ownsBuffer_ = 0;
}

void MemoryStream::Reset(unsigned int growBy, int freeOnDestroy) {
    Release();
    growBy_ = growBy < kMinimumGrowth ? kMinimumGrowth : growBy;
    position_ = size_ = length_ = 0;
    ownsBuffer_ = 1;
    readOnly_ = 0;
    freeOnDestroy_ = freeOnDestroy;
    failed_ = 0;
}

void MemoryStream::Reset(void *block, unsigned int size) {
    Release();
    growBy_ = 0;
    start_ = static_cast<char *>(block);
    position_ = 0;
    size_ = length_ = block ? size : 0;
    readOnly_ = 0;
    freeOnDestroy_ = 0;
    failed_ = 0;
}

void MemoryStream::Reset(void const *block, unsigned int size) {
    Reset(const_cast<void *>(block), size);
    readOnly_ = 1;
}

// Makes the buffer hold count more bytes at the position.
void MemoryStream::MakeRoom(unsigned int count) {
    if (readOnly_)
        throw Exception("Cannot write into a read-only memory block.");
    if (count > 0xFFFFFFFFUL - position_) {
        NH_Heap::ExecuteStandardNewHandler();
        throw std::bad_alloc();
    }
    unsigned long needed = position_ + count;
    if (needed > size_) {
        if (!ownsBuffer_)
            throw Exception("The data does not fit into its memory block.");
        unsigned long grown = size_ + growBy_;
        if (grown < size_ || grown < needed)
            grown = needed;
        start_ = static_cast<char *>(NH_Heap::GetDefault().ReAlloc(start_, grown, 0));
        size_ = grown;
    }
    // A position set past the data leaves a gap: it reads as zeros, not as
    // whatever the heap held.
    if (position_ > length_ && ownsBuffer_)
        std::memset(start_ + length_, 0, position_ - length_);
}

void MemoryStream::Put(void const *data, unsigned int count) {
    if (!count)
        return;
    // Data from our own buffer must survive the buffer moving.
    char const *from = static_cast<char const *>(data);
    bool inside = start_ && from >= start_ && from < start_ + size_;
    unsigned long offset = inside ? static_cast<unsigned long>(from - start_) : 0;
    MakeRoom(count);
    std::memmove(start_ + position_, inside ? start_ + offset : from, count);
    position_ += count;
    if (position_ > length_)
        length_ = position_;
}

void MemoryStream::Put(char c, int count) {
    if (count < 1)
        return;
    MakeRoom(static_cast<unsigned int>(count));
    std::memset(start_ + position_, c, static_cast<unsigned int>(count));
    position_ += static_cast<unsigned int>(count);
    if (position_ > length_)
        length_ = position_;
}

void MemoryStream::PutString(char const *text, int withNul) {
    if (!text)
        text = "";
    Put(text, static_cast<unsigned int>(std::strlen(text) + (withNul ? 1 : 0)));
}

void MemoryStream::PutString(String const &text, int withNul) {
    Put(text.c_str(), static_cast<unsigned int>(text.GetLength() + (withNul ? 1 : 0)));
}

void MemoryStream::PutLine(String const &text) {
    Put(text.c_str(), static_cast<unsigned int>(text.GetLength()));
    Put("\r\n", 2);
}

void MemoryStream::PutLine(char const *text) {
    PutString(text, 0);
    Put("\r\n", 2);
}

void MemoryStream::Get(void *out, unsigned int count) {
    unsigned long available = position_ < length_ ? length_ - position_ : 0;
    unsigned long n = count < available ? count : available;
    if (n)
        std::memcpy(out, start_ + position_, n);
    if (n < count) {
        std::memset(static_cast<char *>(out) + n, 0, count - n);
        failed_ = 1;
    }
    position_ += n;
}

String MemoryStream::GetLine() {
    if (position_ >= length_) {
        failed_ = 1;
        return String();
    }
    char const *text = start_ + position_;
    unsigned long n = 0, available = length_ - position_;
    while (n < available && text[n] != '\n' && text[n] != '\r' && text[n] != 0)
        ++n;
    String line(text, 0, n);
    position_ += n;
    if (n < available) {
        char ending = text[n];
        ++position_;
        if (ending == '\r' && n + 1 < available && text[n + 1] == '\n')
            ++position_;
    }
    return line;
}

String MemoryStream::GetString() {
    char const *text = start_ + position_;
    unsigned long n = 0, available = position_ < length_ ? length_ - position_ : 0;
    while (n < available && text[n] != 0)
        ++n;
    String result = n ? String(text, 0, n) : String();
    position_ += n;
    if (n < available)
        ++position_;  // the NUL
    else
        failed_ = 1;  // ran into the end without a NUL
    return result;
}
