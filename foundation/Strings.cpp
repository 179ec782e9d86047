#include "foundation/Strings.h"

#include <cctype>
#include <cstdarg>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "malvane/Malvane.h"

namespace {

// Built before any other static object of the library, so strings made by
// static initialisers already have their heap.
NH_Heap stringHeap __attribute__((init_priority(101)))(1, "StringHeap");

// The shared empty text. Static storage with constant initialisation: it is
// there from the moment the library is mapped, whatever order the dynamic
// initialisers run in. It holds one permanent reference and has no heap, so it
// is never written to and never freed.
struct EmptyBlock {
    StringRef ref;
    char text[8];
};
EmptyBlock emptyBlock = {{0, 8, 1, nullptr}, {0}};

thread_local int caseFlag = 1;

unsigned long const kAll = static_cast<unsigned long>(-1);
unsigned long const kLargest = 0x7FFFFFF0UL - sizeof(StringRef);

// A text that no block can hold: the new-handler's failure, and never a
// wrapped size.
[[noreturn]] void TooLarge() {
    NH_Heap::ExecuteStandardNewHandler();
    throw std::bad_alloc();
}

unsigned long CreationCapacity(unsigned long length) { return (length + 8) / 8 * 8; }

// Length of text, looking at no more than limit characters.
unsigned long BoundedLength(char const *text, unsigned long limit) {
    unsigned long n = 0;
    while (n < limit && text[n])
        ++n;
    return n;
}

bool InSet(char c, char const *set) { return c && set && std::strchr(set, c); }

int Upper(char c) { return std::toupper(static_cast<unsigned char>(c)); }

void SetCase(char *p, int upper) {
    for (; *p; ++p) {
        unsigned char c = static_cast<unsigned char>(*p);
        *p = static_cast<char>(upper ? std::toupper(c) : std::tolower(c));
    }
}

// Whether the n characters at text are needle's.
bool MatchesAt(char const *text, char const *needle, unsigned long n, int caseSensitive) {
    if (caseSensitive)
        return std::memcmp(text, needle, n) == 0;
    for (unsigned long k = 0; k < n; ++k)
        if (Upper(text[k]) != Upper(needle[k]))
            return false;
    return true;
}

// Start of the first occurrence of needle (length n) in text (length len)
// at or after from, or -1.
long SearchForward(char const *text, unsigned long len, char const *needle, unsigned long n, int caseSensitive,
                   unsigned long from) {
    if (n > len)
        return -1;
    for (unsigned long i = from; i + n <= len; ++i)
        if (MatchesAt(text + i, needle, n, caseSensitive))
            return static_cast<long>(i);
    return -1;
}

long SearchBackward(char const *text, unsigned long len, char const *needle, unsigned long n, int caseSensitive) {
    if (n > len)
        return -1;
    for (unsigned long i = len - n + 1; i-- > 0;)
        if (MatchesAt(text + i, needle, n, caseSensitive))
            return static_cast<long>(i);
    return -1;
}

// A write must first copy a block that other handles share, or the static
// empty one.
bool MustCopy(StringRef *ref) { return !ref->heap || __atomic_load_n(&ref->refCount, __ATOMIC_ACQUIRE) >= 2; }

}  // namespace

NH_Heap *_stringHeap = &stringHeap;

// ---- blocks and references ----

StringRef *String::Allocate(unsigned long length, unsigned long capacity) {
    if (length >= kLargest)
        TooLarge();
    if (capacity <= length)
        capacity = length + 1;
    if (capacity > kLargest)
        TooLarge();
    StringRef *block = static_cast<StringRef *>(_stringHeap->Alloc(sizeof(StringRef) + capacity, 0));
    block->length = length;
    block->capacity = capacity;
    block->refCount = 1;
    block->heap = _stringHeap;
    reinterpret_cast<char *>(block + 1)[length] = 0;
    return block;
}

void String::AddRef(StringRef *block) { __atomic_add_fetch(&block->refCount, 1, __ATOMIC_RELAXED); }

void String::Release(char *text) {
    if (!text)
        return;
    StringRef *block = reinterpret_cast<StringRef *>(text) - 1;
    if (!block->heap)
        return;  // the static empty block
    if (__atomic_sub_fetch(&block->refCount, 1, __ATOMIC_ACQ_REL) == 0)
        NH_Heap::FreeMem(block);
}

char *String::EmptyText() {
    AddRef(&emptyBlock.ref);
    return emptyBlock.text;
}

String::String(StringRef *block) : text_(block ? reinterpret_cast<char *>(block + 1) : nullptr) {}

void String::CopyToBlock(unsigned long capacity) {
    unsigned long length = GetLength();
    StringRef *block = Allocate(length, capacity);
    std::memcpy(block + 1, text_, length + 1);
    char *oldText = text_;
    text_ = reinterpret_cast<char *>(block + 1);
    Release(oldText);
}

void String::SetCapacity(unsigned long capacity) {
    StringRef *ref = GetStringRef();
    if (MustCopy(ref)) {
        CopyToBlock(capacity);
        return;
    }
    ref = static_cast<StringRef *>(ref->heap->ReAlloc(ref, sizeof(StringRef) + capacity, 0));
    ref->capacity = capacity;
    text_ = reinterpret_cast<char *>(ref + 1);
}

void String::Clone(unsigned long minCapacity) {
    unsigned long capacity = GetStringRef()->capacity;
    CopyToBlock(capacity > minCapacity ? capacity : minCapacity);
}

void String::CopyBeforeWrite(unsigned long minCapacity) {
    if (MustCopy(GetStringRef()))
        Clone(minCapacity);
}

unsigned long String::RoundBufferSize(unsigned long n) { return n == 0 ? 8 : (n + 7) / 8 * 8; }

// ---- construction and assignment ----

String::String() : text_(EmptyText()) {}

String::String(char const *text) {
    unsigned long n = text ? std::strlen(text) : 0;
    StringRef *block = Allocate(n, CreationCapacity(n));
    if (n)
        std::memcpy(block + 1, text, n);
    text_ = reinterpret_cast<char *>(block + 1);
}

String::String(char const *text, unsigned long start, unsigned long count) {
    unsigned long n = 0;
    if (text) {
        // Never look past the stretch asked for: text need not be terminated there.
        unsigned long limit = count == kAll || start > kAll - count ? kAll : start + count;
        unsigned long available = limit == kAll ? std::strlen(text) : BoundedLength(text, limit);
        if (start < available)
            n = available - start < count ? available - start : count;
    }
    StringRef *block = Allocate(n, CreationCapacity(n));
    if (n)
        std::memcpy(block + 1, text + start, n);
    text_ = reinterpret_cast<char *>(block + 1);
}

String::String(String const &text, unsigned long start, unsigned long count) {
    unsigned long len = text.GetLength();
    if (start > len)
        start = len;
    if (count > len - start)
        count = len - start;
    StringRef *block = Allocate(count, CreationCapacity(count));
    std::memcpy(block + 1, text.text_ + start, count);
    text_ = reinterpret_cast<char *>(block + 1);
}

String::String(char c, unsigned long n) {
    StringRef *block = Allocate(n, CreationCapacity(n));
    std::memset(block + 1, c, n);
    text_ = reinterpret_cast<char *>(block + 1);
}

String::String(String const &other) : text_(other.text_) { AddRef(GetStringRef()); }

String::String(SubString const &taken) : text_(taken.text_) {
    const_cast<SubString &>(taken).text_ = nullptr;
    if (!text_)
        text_ = EmptyText();
}

String::~String() { Release(text_); }

String &String::operator=(String const &other) {
    if (text_ != other.text_) {
        AddRef(other.GetStringRef());
        Release(text_);
        text_ = other.text_;
    }
    return *this;
}

String &String::operator=(char const *text) {
    if (!text || !*text)
        return Clear();
    // Built before the old block goes: text may point into it.
    String copy(text);
    return *this = static_cast<String const &>(copy);
}

String &String::operator=(SubString const &taken) {
    if (taken.text_ == text_) {
        // The same block: the SubString's reference is surplus.
        Release(const_cast<SubString &>(taken).text_);
        const_cast<SubString &>(taken).text_ = nullptr;
        return *this;
    }
    Release(text_);
    text_ = taken.text_ ? taken.text_ : EmptyText();
    const_cast<SubString &>(taken).text_ = nullptr;
    return *this;
}

void *String::operator new(std::size_t size) { return _stringHeap->Alloc(size, 0); }
void *String::operator new(std::size_t size, NH_Heap &heap) { return heap.Alloc(size, 0); }
void String::operator delete(void *block) { NH_Heap::FreeMem(block); }
void String::operator delete(void *block, NH_Heap &) { NH_Heap::FreeMem(block); }

// ---- numbers ----

void String::FormatNumber(char const *format, ...) {
    char buffer[80];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (n < 0)
        n = 0;
    StringRef *block = Allocate(static_cast<unsigned long>(n), CreationCapacity(static_cast<unsigned long>(n)));
    char *text = reinterpret_cast<char *>(block + 1);
    if (static_cast<unsigned long>(n) < sizeof buffer) {
        std::memcpy(text, buffer, n + 1);
    } else {
        va_start(args, format);
        std::vsnprintf(text, n + 1, format, args);
        va_end(args);
    }
    Release(text_);
    text_ = text;
}

String &String::LongToString(long value, char const *format) {
    FormatNumber(format ? format : "%ld", value);
    return *this;
}

String &String::LongToString(unsigned long value, char const *format) {
    FormatNumber(format ? format : "%lu", value);
    return *this;
}

String::String(short value, char const *format) : text_(nullptr) {
    if (format)
        FormatNumber(format, static_cast<int>(value));
    else
        LongToString(static_cast<long>(value));
}

String::String(unsigned short value, char const *format) : text_(nullptr) {
    if (format)
        FormatNumber(format, static_cast<unsigned int>(value));
    else
        LongToString(static_cast<unsigned long>(value));
}

String::String(int value, char const *format) : text_(nullptr) { LongToString(static_cast<long>(value), format); }

String::String(unsigned int value, char const *format) : text_(nullptr) {
    LongToString(static_cast<unsigned long>(value), format);
}

String::String(long value, char const *format) : text_(nullptr) { LongToString(value, format); }

String::String(unsigned long value, char const *format) : text_(nullptr) { LongToString(value, format); }

String::String(float value, char const *format) : text_(nullptr) {
    FormatNumber(format ? format : "%.2f", static_cast<double>(value));
}

String::String(double value, char const *format) : text_(nullptr) { FormatNumber(format ? format : "%.2lf", value); }

long String::StringToString(int radix) const { return std::strtol(text_, nullptr, radix); }
unsigned long String::StringToULong(int radix) const { return std::strtoul(text_, nullptr, radix); }
float String::to_float() const { return static_cast<float>(std::atof(text_)); }
double String::to_double() const { return std::atof(text_); }

// ---- access ----

char &String::operator[](int index) {
    CopyBeforeWrite();
    return text_[index];
}

char String::GetChar(int index) const {
    return index >= 0 && static_cast<unsigned long>(index) < GetLength() ? text_[index] : 0;
}

void String::SetChar(int index, char c) {
    if (index < 0 || static_cast<unsigned long>(index) >= GetLength())
        return;
    CopyBeforeWrite();
    text_[index] = c;
}

char String::GetLastChar() const {
    unsigned long n = GetLength();
    return n ? text_[n - 1] : 0;
}

unsigned long String::GetNumberOf(char c) const {
    unsigned long count = 0;
    for (char const *p = text_; *p; ++p)
        count += *p == c;
    return count;
}

// ---- editing ----

String &String::InsertText(unsigned long pos, char const *text, unsigned long count) {
    StringRef *ref = GetStringRef();
    // Text inside our own block moves or dies when the block does: copy it first.
    uintptr_t at = reinterpret_cast<uintptr_t>(text), own = reinterpret_cast<uintptr_t>(text_);
    if (at >= own && at - own < ref->capacity) {
        String copy(text, 0, count);
        return InsertText(pos, copy.text_, copy.GetLength());
    }
    unsigned long len = ref->length;
    if (count > kLargest - len)
        TooLarge();
    unsigned long newLength = len + count;
    CopyBeforeWrite();
    if (GetStringRef()->capacity <= newLength)
        SetCapacity(newLength + 1);
    if (pos > len)
        pos = len;
    std::memmove(text_ + pos + count, text_ + pos, len - pos + 1);
    std::memcpy(text_ + pos, text, count);
    GetStringRef()->length = newLength;
    return *this;
}

String &String::Insert(unsigned long pos, char const *text, unsigned long count) {
    if (!text)
        return *this;
    count = BoundedLength(text, count);
    return count ? InsertText(pos, text, count) : *this;
}

String &String::Insert(unsigned long pos, String const &text, unsigned long count) {
    unsigned long len = text.GetLength();
    if (count > len)
        count = len;
    return count ? InsertText(pos, text.text_, count) : *this;
}

String &String::Insert(unsigned long pos, char c, unsigned long count) {
    if (!count)
        return *this;
    String run(c, count);
    return InsertText(pos, run.text_, count);
}

String &String::Append(String const &text) { return Insert(kAll, text, kAll); }
String &String::Append(char const *text) { return Insert(kAll, text, kAll); }
String &String::Append(char c, unsigned long count) { return Insert(kAll, c, count); }
String &String::Prepend(String const &text, unsigned long count) { return Insert(0, text, count); }
String &String::Prepend(char const *text, unsigned long count) { return Insert(0, text, count); }
String &String::Prepend(char c, unsigned long count) { return Insert(0, c, count); }

String &String::Remove(unsigned long pos, unsigned long count) {
    unsigned long len = GetLength();
    if (pos >= len || count == 0)
        return *this;
    if (count > len - pos)
        count = len - pos;
    CopyBeforeWrite();
    std::memmove(text_ + pos, text_ + pos + count, len - pos - count + 1);
    GetStringRef()->length = len - count;
    return *this;
}

String &String::RemoveRight(unsigned long n) {
    unsigned long len = GetLength();
    if (n >= len)
        return Clear();
    return Remove(len - n, n);
}

String &String::KeepLeft(unsigned long n) { return Remove(n, kAll); }

String &String::KeepRight(unsigned long n) {
    unsigned long len = GetLength();
    return len <= n ? *this : Remove(0, len - n);
}

String &String::KeepMid(unsigned long pos, unsigned long count) {
    Remove(0, pos);
    return KeepLeft(count);
}

String &String::RemoveAll(char c) {
    if (!c || !std::strchr(text_, c))
        return *this;
    CopyBeforeWrite();
    char *out = text_;
    for (char const *in = text_; *in; ++in)
        if (*in != c)
            *out++ = *in;
    *out = 0;
    GetStringRef()->length = static_cast<unsigned long>(out - text_);
    return *this;
}

String &String::Replace(unsigned long pos, unsigned long count, char const *text) {
    return Replace(pos, count, String(text));  // text may lie in this block
}

String &String::Replace(unsigned long pos, unsigned long count, String const &text) {
    String keep(text);  // keeps the text alive when it is this string
    Remove(pos, count);
    return Insert(pos, keep, kAll);
}

String &String::Trim(char const *set, int mode) {
    unsigned long len = GetLength();
    if ((mode & 2) && len && InSet(text_[len - 1], set)) {
        CopyBeforeWrite();
        while (len && InSet(text_[len - 1], set))
            --len;
        text_[len] = 0;
        GetStringRef()->length = len;
    }
    if (mode & 1) {
        unsigned long lead = 0;
        while (lead < len && InSet(text_[lead], set))
            ++lead;
        Remove(0, lead);
    }
    return *this;
}

String &String::MakeUpper() {
    if (!IsEmpty()) {
        CopyBeforeWrite();
        SetCase(text_, 1);
    }
    return *this;
}

String &String::MakeLower() {
    if (!IsEmpty()) {
        CopyBeforeWrite();
        SetCase(text_, 0);
    }
    return *this;
}

String &String::MakeCapital() {
    MakeLower();
    if (!IsEmpty())
        text_[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text_[0])));
    return *this;
}

String &String::Reverse() {
    unsigned long len = GetLength();
    if (len < 2)
        return *this;
    CopyBeforeWrite();
    for (unsigned long i = 0, j = len - 1; i < j; ++i, --j) {
        char c = text_[i];
        text_[i] = text_[j];
        text_[j] = c;
    }
    return *this;
}

String &String::Clear() {
    Release(text_);
    text_ = EmptyText();
    return *this;
}

String &String::EnsureBufferSize(unsigned long n) {
    StringRef *ref = GetStringRef();
    if (n >= kLargest)
        TooLarge();
    if (ref->capacity < n + 1)
        SetCapacity(RoundBufferSize(n + 1));
    return *this;
}

String &String::FreeExtraBufferSize() {
    StringRef *ref = GetStringRef();
    unsigned long len = ref->length;
    if (!ref->heap || ref->capacity <= len + 1)
        return *this;
    unsigned long capacity = CreationCapacity(len);
    if (capacity < ref->capacity)
        SetCapacity(capacity);  // a shared block stays for the other handles
    return *this;
}

// ---- extraction ----

SubString String::Mid(unsigned long start, unsigned long count) const {
    unsigned long len = GetLength();
    if (start > len)
        start = len;
    if (count > len - start)
        count = len - start;
    return SubString::Create(text_ + start, count);
}

SubString String::Left(unsigned long n) const {
    unsigned long len = GetLength();
    return SubString::Create(text_, n < len ? n : len);
}

SubString String::Right(unsigned long n) const {
    unsigned long len = GetLength();
    if (n > len)
        n = len;
    return SubString::Create(text_ + len - n, n);
}

// ---- searching ----

long String::FindFirst(char c, int caseSensitive) const {
    char needle[2] = {c, 0};
    return SearchForward(text_, GetLength(), needle, 1, caseSensitive, 0);
}

long String::FindFirst(char const *text, int caseSensitive) const {
    if (!text)
        return -1;
    return SearchForward(text_, GetLength(), text, std::strlen(text), caseSensitive, 0);
}

long String::FindFirst(String const &text, int caseSensitive) const {
    return SearchForward(text_, GetLength(), text.text_, text.GetLength(), caseSensitive, 0);
}

long String::FindLast(char c, int caseSensitive) const {
    char needle[2] = {c, 0};
    return SearchBackward(text_, GetLength(), needle, 1, caseSensitive);
}

long String::FindLast(char const *text, int caseSensitive) const {
    if (!text)
        return -1;
    return SearchBackward(text_, GetLength(), text, std::strlen(text), caseSensitive);
}

long String::FindLast(String const &text, int caseSensitive) const {
    return SearchBackward(text_, GetLength(), text.text_, text.GetLength(), caseSensitive);
}

long String::FindOneOf(char const *set) const {
    if (!set)
        return -1;
    unsigned long at = std::strcspn(text_, set);
    return at < GetLength() ? static_cast<long>(at) : -1;
}

long String::FindOneOf(String const &set) const { return FindOneOf(set.text_); }

long String::FindFirstNotOf(char const *set, unsigned long start) const {
    unsigned long len = GetLength();
    for (unsigned long i = start; i < len; ++i)
        if (!InSet(text_[i], set))
            return static_cast<long>(i);
    return -1;
}

long String::FindFirstNotOf(String const &set, unsigned long start) const { return FindFirstNotOf(set.text_, start); }

long String::FindLastNotOf(char const *set) const {
    for (unsigned long i = GetLength(); i-- > 0;)
        if (!InSet(text_[i], set))
            return static_cast<long>(i);
    return -1;
}

long String::FindLastNotOf(String const &set) const { return FindLastNotOf(set.text_); }

// ---- comparison and concatenation ----

int String::Compare(char const *a, char const *b) {
    if (!a)
        a = "";
    if (!b)
        b = "";
    if (!caseFlag)
        return _stricmp(a, b);
    int r = std::strcmp(a, b);  // compares as unsigned char
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

SubString String::Concatenate(char const *a, unsigned long na, char const *b, unsigned long nb) {
    if (na > kLargest || nb > kLargest - na)
        TooLarge();
    StringRef *block = Allocate(na + nb, CreationCapacity(na + nb));
    char *text = reinterpret_cast<char *>(block + 1);
    std::memcpy(text, a, na);
    std::memcpy(text + na, b, nb);
    return SubString(text);
}

SubString String::Concatenate(char const *a, unsigned long na, char const *b) {
    return Concatenate(a, na, b ? b : "", b ? std::strlen(b) : 0);
}

SubString String::Concatenate(char const *a, char const *b, unsigned long nb) {
    return Concatenate(a ? a : "", a ? std::strlen(a) : 0, b, nb);
}

SubString String::Concatenate(char const *a, char const *b) {
    return Concatenate(a ? a : "", a ? std::strlen(a) : 0, b);
}

// ---- SubString ----

SubString SubString::Create(char const *text, unsigned long n) {
    StringRef *block = Allocate(n, CreationCapacity(n));
    if (n)
        std::memcpy(block + 1, text, n);
    return SubString(reinterpret_cast<char *>(block + 1));
}

SubString SubString::CreateNull() { return SubString(EmptyText()); }

SubString SubString::TransformToSubString(String &s) {
    char *text = s.text_;
    s.text_ = EmptyText();
    return SubString(text);
}

// ---- CaseSensitive ----

CaseSensitive::CaseSensitive(int on) : previous_(caseFlag) { caseFlag = on; }
CaseSensitive::~CaseSensitive() { caseFlag = previous_; }
int CaseSensitive::IsOn() { return caseFlag; }

// ---- helpers on zero-terminated texts ----

char const *stristr(char const *text, char const *needle) {
    if (!text || !*text)
        return nullptr;
    if (!needle || !*needle)
        return text;
    long at = SearchForward(text, std::strlen(text), needle, std::strlen(needle), 0, 0);
    return at < 0 ? nullptr : text + at;
}

char const *strristr(char const *text, char const *needle) {
    char const *last = nullptr;
    for (char const *hit = stristr(text, needle); hit && *hit; hit = stristr(hit + 1, needle))
        last = hit;
    return last;
}

char *strcpy_n(char *destination, char const *source, unsigned long size) {
    if (!size)
        return destination;
    unsigned long n = source ? BoundedLength(source, size - 1) : 0;
    if (n)
        std::memcpy(destination, source, n);
    destination[n] = 0;
    return destination;
}
