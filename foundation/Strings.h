// String: the system's text type. 8-bit characters, zero-terminated,
// reference-counted with copy-on-write. The handle is one pointer to the
// characters; the block header (StringRef) sits right in front of them. The
// program and the framework compile the inline members below into themselves,
// so the layout of String and StringRef is part of the library's interface.
#pragma once

#include <cstddef>

#include "foundation/OsmeraDefs.h"

class NH_Heap;
class RegularExp;
class SubString;

// The heap of every String block, "StringHeap".
extern OSMERA_API NH_Heap *_stringHeap;

// Header in front of the characters of every String block.
struct StringRef {
    unsigned long length;             // characters, terminator not counted
    unsigned long capacity;           // bytes for characters, terminator included
    volatile unsigned long refCount;  // handles sharing the block (changed atomically)
    NH_Heap *heap;                    // owner of the block; null: never freed
};

class OSMERA_API String {
public:
    String();
    String(char const *text);
    String(char const *text, unsigned long start, unsigned long count);
    String(String const &text, unsigned long start, unsigned long count);
    String(char c, unsigned long n);
    String(String const &other);
    String(SubString const &taken);
    // Numbers: with a format, the formatted text; without, the decimal digits
    // (floating values with two decimals).
    explicit String(short value, char const *format = nullptr);
    explicit String(unsigned short value, char const *format = nullptr);
    explicit String(int value, char const *format = nullptr);
    explicit String(unsigned int value, char const *format = nullptr);
    explicit String(long value, char const *format = nullptr);
    explicit String(unsigned long value, char const *format = nullptr);
    explicit String(float value, char const *format = nullptr);
    explicit String(double value, char const *format = nullptr);
    ~String();

    String &operator=(String const &other);
    String &operator=(char const *text);
    String &operator=(SubString const &taken);

    // Handles themselves may live on a heap (exceptions and list items keep
    // their texts so).
    static void *operator new(std::size_t size);
    static void *operator new(std::size_t size, NH_Heap &heap);
    static void operator delete(void *block);
    static void operator delete(void *block, NH_Heap &heap);

    // Access.
    char const *c_str() const { return text_; }
    operator char const *() const { return text_; }
    unsigned long GetLength() const { return GetStringRef()->length; }
    unsigned long length() const { return GetStringRef()->length; }
    int IsEmpty() const { return *text_ == 0; }
    int operator!() const { return *text_ == 0; }
    // The writable form unshares the block first.
    char &operator[](int index);
    char operator[](int index) const { return text_[index]; }
    // Out-of-range positions read 0 and write nothing.
    char GetChar(int index) const;
    void SetChar(int index, char c);
    char GetFirstChar() const { return text_[0]; }
    char GetLastChar() const;
    unsigned long GetNumberOf(char c) const;
    StringRef *GetStringRef() const { return reinterpret_cast<StringRef *>(text_) - 1; }

    // Conversions; radix 0 takes the radix from the text, as strtol does.
    char to_char(int radix = 10) const { return static_cast<char>(StringToString(radix)); }
    signed char to_schar(int radix = 10) const { return static_cast<signed char>(StringToString(radix)); }
    short to_short(int radix = 10) const { return static_cast<short>(StringToString(radix)); }
    short to_int16(int radix = 10) const { return static_cast<short>(StringToString(radix)); }
    long to_int32(int radix = 10) const { return StringToString(radix); }
    int to_int(int radix = 10) const { return static_cast<int>(StringToString(radix)); }
    long to_long(int radix = 10) const { return StringToString(radix); }
    unsigned char to_uchar(int radix = 10) const { return static_cast<unsigned char>(StringToULong(radix)); }
    unsigned short to_ushort(int radix = 10) const { return static_cast<unsigned short>(StringToULong(radix)); }
    unsigned short to_uint16(int radix = 10) const { return static_cast<unsigned short>(StringToULong(radix)); }
    unsigned long to_uint32(int radix = 10) const { return StringToULong(radix); }
    unsigned int to_uint(int radix = 10) const { return static_cast<unsigned int>(StringToULong(radix)); }
    unsigned long to_ulong(int radix = 10) const { return StringToULong(radix); }
    float to_float() const;
    double to_double() const;

    // Sets the text to value, formatted with format or as decimal digits.
    String &LongToString(long value, char const *format = nullptr);
    String &LongToString(unsigned long value, char const *format = nullptr);
    String &LongToString(int value, char const *format = nullptr) { return LongToString(static_cast<long>(value), format); }
    String &LongToString(unsigned int value, char const *format = nullptr) {
        return LongToString(static_cast<unsigned long>(value), format);
    }

    // Editing. A count of -1 means "to the end" / "all of it".
    String &Insert(unsigned long pos, char const *text, unsigned long count = static_cast<unsigned long>(-1));
    String &Insert(unsigned long pos, String const &text, unsigned long count = static_cast<unsigned long>(-1));
    String &Insert(unsigned long pos, char c, unsigned long count = 1);
    String &Append(String const &text);
    String &Append(char const *text);
    String &Append(char c, unsigned long count = 1);
    String &operator+=(String const &text) { return Append(text); }
    String &operator+=(char const *text) { return Append(text); }
    String &operator+=(char c) { return Append(c, 1); }
    String &Prepend(String const &text, unsigned long count = static_cast<unsigned long>(-1));
    String &Prepend(char const *text, unsigned long count = static_cast<unsigned long>(-1));
    String &Prepend(char c, unsigned long count = 1);
    String &Remove(unsigned long pos, unsigned long count);
    String &RemoveRight(unsigned long n);
    String &KeepLeft(unsigned long n);
    String &KeepRight(unsigned long n);
    String &KeepMid(unsigned long pos, unsigned long count);
    String &RemoveAll(char c);
    String &Replace(unsigned long pos, unsigned long count, char const *text);
    String &Replace(unsigned long pos, unsigned long count, String const &text);
    // mode bit 1: leading characters of set, bit 2: trailing ones.
    String &Trim(char const *set, int mode = 3);
    String &Trim() { return Trim(" \t", 3); }
    String &TrimLeft(char const *set = " \t") { return Trim(set, 1); }
    String &TrimRight(char const *set = " \t") { return Trim(set, 2); }
    String &MakeUpper();
    String &MakeLower();
    String &MakeCapital();
    String &Reverse();
    String &Clear();
    String &EnsureBufferSize(unsigned long n);
    String &FreeExtraBufferSize();

    // Extraction; starts past the end give the empty text.
    SubString Mid(unsigned long start, unsigned long count = static_cast<unsigned long>(-1)) const;
    SubString Left(unsigned long n) const;
    SubString Right(unsigned long n) const;

    // Searching: an index or -1. caseSensitive 0 compares upper-cased.
    long FindFirst(char c, int caseSensitive = 1) const;
    long FindFirst(char const *text, int caseSensitive = 1) const;
    long FindFirst(String const &text, int caseSensitive = 1) const;
    long FindLast(char c, int caseSensitive = 1) const;
    long FindLast(char const *text, int caseSensitive = 1) const;
    long FindLast(String const &text, int caseSensitive = 1) const;
    long FindOneOf(char const *set) const;
    long FindOneOf(String const &set) const;
    long FindFirstNotOf(char const *set, unsigned long start = 0) const;
    long FindFirstNotOf(String const &set, unsigned long start = 0) const;
    long FindLastNotOf(char const *set) const;
    long FindLastNotOf(String const &set) const;
    int Contains(char c, int caseSensitive = 1) const { return FindFirst(c, caseSensitive) >= 0; }
    int Contains(char const *text, int caseSensitive = 1) const { return FindFirst(text, caseSensitive) >= 0; }
    int Contains(String const &text, int caseSensitive = 1) const { return FindFirst(text, caseSensitive) >= 0; }
    // Regular-expression search (built with the regular expressions).
    long Find(RegularExp const &expression, unsigned long start = 0) const;
    long Find(RegularExp const &expression, unsigned int start, unsigned int *length) const;

    // Below, equal to or above 0, under the calling thread's case rule
    // (CaseSensitive). Null texts count as empty.
    static int Compare(char const *a, char const *b);
    // n rounded up to a multiple of 8; 8 for 0.
    static unsigned long RoundBufferSize(unsigned long n);

    // Path operations (built with the file names).
    static char PathSeparator() { return '\\'; }
    static char DriveSeparator() { return ':'; }
    int ContainsDrive() const;
    int ContainsPath() const;
    int GetDriveIndex() const;
    SubString GetDrive(int *index = nullptr) const;
    String &SetDrive(String const &drive);
    String &SetDrive(int index);
    String &PrependVolumeName(String const &volume);
    SubString GetPath() const;
    SubString GetTitle(int withExtension = 1) const;
    SubString GetExtension(int withDot = 0) const;
    String &SetExtension(String const &extension);
    int IsValidFileName() const;
    String &AppendTitleAndMakeFullFileName(String const &title);
    String &EnsureFullFileName();
    static char GetCurrentDrive();
    static SubString GetCurrentPath();
    SubString GetPathBelow(String *top = nullptr) const;
    SubString GetSummary(unsigned long maxLength) const;
    static String GetRelativeFileName(String const &folder, String const &target);
    static String GetAbsoluteFileName(String const &folder, String const &relative);

protected:
    // Adopts a block without counting a reference.
    explicit String(StringRef *block);
    String &AddCurrentDrive();
    String &AddCurrentPath();

    long StringToString(int radix) const;
    unsigned long StringToULong(int radix) const;
    // Gives this handle a private block of at least minCapacity bytes.
    void Clone(unsigned long minCapacity = 0);
    // Unshares before a write (also moves off the static empty block).
    void CopyBeforeWrite(unsigned long minCapacity = 0);

    char *text_;

private:
    friend class SubString;
    enum AdoptText { adoptText };
    String(AdoptText, char *text) : text_(text) {}

    friend SubString operator+(String const &, String const &);
    friend SubString operator+(String const &, char const *);
    friend SubString operator+(char const *, String const &);
    friend SubString operator+(String const &, char);
    friend SubString operator+(char, String const &);

    static SubString Concatenate(char const *a, unsigned long na, char const *b, unsigned long nb);
    static SubString Concatenate(char const *a, unsigned long na, char const *b);
    static SubString Concatenate(char const *a, char const *b, unsigned long nb);
    static SubString Concatenate(char const *a, char const *b);

    static StringRef *Allocate(unsigned long length, unsigned long capacity);
    static void AddRef(StringRef *block);
    static void Release(char *text);
    static char *EmptyText();
    // Moves the text into a new block of capacity bytes.
    void CopyToBlock(unsigned long capacity);
    // The block takes exactly capacity bytes: in place when this handle holds
    // it alone, else as a private copy.
    void SetCapacity(unsigned long capacity);
    void FormatNumber(char const *format, ...);
    String &InsertText(unsigned long pos, char const *text, unsigned long count);
};

// The temporary text that string-producing members return. It carries one
// reference, which the String built or assigned from it takes over; one that
// nobody takes releases it.
class OSMERA_API SubString : public String {
public:
    // Wraps the characters of an existing block, taking over one reference.
    explicit SubString(char *text) : String(adoptText, text) {}
    SubString(SubString &&other) noexcept : String(adoptText, other.text_) { other.text_ = nullptr; }
    SubString(SubString const &) = delete;
    SubString &operator=(SubString const &) = delete;

    // A new block holding the first n characters of text.
    static SubString Create(char const *text, unsigned long n);
    static SubString CreateNull();
    // Moves the block out of s; s is left empty.
    static SubString TransformToSubString(String &s);
};

// Scope guard of the calling thread's case rule for comparisons. Every thread
// starts case-sensitive; scopes nest.
class OSMERA_API CaseSensitive {
public:
    explicit CaseSensitive(int on);
    ~CaseSensitive();
    CaseSensitive(CaseSensitive const &) = delete;
    CaseSensitive &operator=(CaseSensitive const &) = delete;

    // The calling thread's current flag.
    static int IsOn();

private:
    int previous_;
};

inline SubString operator+(String const &a, String const &b) {
    return String::Concatenate(a.c_str(), a.GetLength(), b.c_str(), b.GetLength());
}
inline SubString operator+(String const &a, char const *b) { return String::Concatenate(a.c_str(), a.GetLength(), b); }
inline SubString operator+(char const *a, String const &b) { return String::Concatenate(a, b.c_str(), b.GetLength()); }
inline SubString operator+(String const &a, char b) {
    char text[2] = {b, 0};
    return String::Concatenate(a.c_str(), a.GetLength(), text);
}
inline SubString operator+(char a, String const &b) {
    char text[2] = {a, 0};
    return String::Concatenate(text, b.c_str(), b.GetLength());
}

#define OSMERA_STRING_COMPARISON(op)                                                                     \
    inline bool operator op(String const &a, String const &b) { return String::Compare(a, b) op 0; }     \
    inline bool operator op(String const &a, char const *b) { return String::Compare(a, b) op 0; }       \
    inline bool operator op(char const *a, String const &b) { return String::Compare(a, b) op 0; }
OSMERA_STRING_COMPARISON(==)
OSMERA_STRING_COMPARISON(!=)
OSMERA_STRING_COMPARISON(<)
OSMERA_STRING_COMPARISON(>)
OSMERA_STRING_COMPARISON(<=)
OSMERA_STRING_COMPARISON(>=)
#undef OSMERA_STRING_COMPARISON

// Helpers on zero-terminated texts.
// First case-insensitive occurrence of needle; text for an empty needle, null
// for an empty text.
OSMERA_API char const *stristr(char const *text, char const *needle);
// Last case-insensitive occurrence of needle.
OSMERA_API char const *strristr(char const *text, char const *needle);
// Copies at most size - 1 characters and terminates; nothing for size 0.
OSMERA_API char *strcpy_n(char *destination, char const *source, unsigned long size);
