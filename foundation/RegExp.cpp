#include "foundation/RegExp.h"

#include <cctype>
#include <cstring>
#include <new>
#include <utility>

#include "foundation/Strings.h"

namespace {

// Operation codes of the compiled form; any other byte is itself, matched exactly.
enum : unsigned char {
    kLiteral = 1,  // the next byte is a character that would read as a code
    kEnd = 164,
    kStar = 170,
    kPlus = 171,
    kAny = 174,
    kOptional = 191,
    kClass = 219,
    kStart = 222
};

int const kBufferSize = 128;
int const kClassBytes = 16;

bool ReadsAsCode(unsigned char c) {
    return c == 0 || c == kLiteral || c == kEnd || c == kStar || c == kPlus || c == kAny || c == kOptional ||
           c == kClass || c == kStart;
}

bool EndsLine(char c) { return c == 0 || c == '\n'; }

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// p is just past a backslash; a backslash at the end stands for itself.
unsigned char DecodeEscape(char const *&p) {
    char c = *p;
    if (EndsLine(c))
        return '\\';
    ++p;
    switch (std::tolower(static_cast<unsigned char>(c))) {
    case 'f': return 12;
    case 'n': return 10;
    case 'r': return 13;
    case 's': return 32;
    case 't': return 9;
    case 'x': {
        int value = 0;
        for (int i = 0; i < 2 && HexDigit(*p) >= 0; ++i)
            value = value * 16 + HexDigit(*p++);
        return static_cast<unsigned char>(value);
    }
    default: return static_cast<unsigned char>(c);
    }
}

// The character at p, an escape decoded; p moves past it.
unsigned char ReadCharacter(char const *&p) {
    if (*p == '\\')
        return DecodeEscape(++p);
    return static_cast<unsigned char>(*p++);
}

void AddToClass(unsigned char *set, int c) { set[(c % 128) / 8] |= static_cast<unsigned char>(1 << (c % 8)); }

void AddRangeToClass(unsigned char *set, int low, int high) {
    if (low > high)
        std::swap(low, high);
    for (int k = low; k <= high; ++k)
        AddToClass(set, k);
}

// p is just past the opening bracket and ends past the closing one.
void ReadClass(char const *&p, unsigned char *set) {
    std::memset(set, 0, kClassBytes);
    bool negate = *p == '^';
    if (negate)
        ++p;
    while (!EndsLine(*p) && *p != ']') {
        int low = ReadCharacter(p);
        if (*p == '-' && !EndsLine(p[1]) && p[1] != ']')
            AddRangeToClass(set, low, ReadCharacter(++p));
        else
            AddToClass(set, low);
    }
    if (*p == ']')
        ++p;
    if (negate)
        for (int k = 0; k < kClassBytes; ++k)
            set[k] = static_cast<unsigned char>(~set[k]);
}

int ItemSize(unsigned char const *item) { return *item == kClass ? 1 + kClassBytes : *item == kLiteral ? 2 : 1; }

struct Matcher {
    unsigned char const *text;
    long end;
    long origin;  // where the search started: the start anchor's place

    bool One(unsigned char const *item, long p) const {
        if (p >= end)
            return false;
        unsigned char c = text[p];
        switch (*item) {
        case kAny: return c != '\n';
        case kClass: return (item[1 + (c % 128) / 8] & (1 << (c % 8))) != 0;
        case kLiteral: return c == item[1];
        default: return c == *item;
        }
    }

    // End of a match of code at p, or -1.
    long Here(unsigned char const *code, long p) const {
        for (;;) {
            unsigned char op = *code;
            switch (op) {
            case 0: return p;
            case kStart:
                if (p != origin)
                    return -1;
                ++code;
                break;
            case kEnd:
                if (p < end && text[p] != '\n')
                    return -1;
                ++code;
                break;
            case kOptional: {
                unsigned char const *item = code + 1;
                if (One(item, p))
                    ++p;
                code = item + ItemSize(item);
                break;
            }
            case kStar:
            case kPlus: {
                unsigned char const *item = code + 1;
                unsigned char const *rest = item + ItemSize(item);
                if (op == kPlus) {
                    if (!One(item, p))
                        return -1;
                    ++p;
                }
                long from = p;
                while (One(item, p))
                    ++p;
                for (long q = p; q >= from; --q) {
                    long r = Here(rest, q);
                    if (r >= 0)
                        return r;
                }
                return -1;
            }
            default:
                if (!One(code, p))
                    return -1;
                ++p;
                code += ItemSize(code);
            }
        }
    }
};

// Writes the compiled form of a pattern, an element at a time, into a buffer of kBufferSize bytes.
struct PatternWriter {
    unsigned char *out;
    int w;
    int item;  // where the last repeatable item starts; -1 after an anchor or a mark
    RegularExp::Status status;

    bool Room(int n) {
        if (w + n >= kBufferSize - 1)
            status = RegularExp::kPatternTooLong;
        return status == RegularExp::kCompiled;
    }

    // Reads the element at p and moves p past it.
    void Element(char const *&p) {
        char c = *p;
        if (c == '^' && w == 0) {
            out[w++] = kStart;
            ++p;
        } else if (c == '$' && EndsLine(p[1])) {
            EndAnchor();
            ++p;
        } else if (c == '*' || c == '+' || c == '?') {
            Mark(c);
            ++p;
        } else if (c == '.') {
            Item(kAny);
            ++p;
        } else if (c == '[') {
            Class(++p);
        } else {
            Literal(ReadCharacter(p));
        }
    }

    void EndAnchor() {
        if (Room(1))
            out[w++] = kEnd;
        item = -1;
    }

    void Mark(char c) {
        if (item < 0) {
            status = RegularExp::kPatternTooLong;
            return;
        }
        if (!Room(1))
            return;
        // The item moves up one byte; the mark goes in front of it.
        std::memmove(out + item + 1, out + item, w - item);
        out[item] = c == '*' ? kStar : c == '+' ? kPlus : kOptional;
        ++w;
        item = -1;
    }

    void Item(unsigned char code) {
        if (!Room(1))
            return;
        item = w;
        out[w++] = code;
    }

    void Class(char const *&p) {
        if (!Room(1 + kClassBytes))
            return;
        item = w;
        out[w++] = kClass;
        ReadClass(p, out + w);
        w += kClassBytes;
    }

    // A character that reads as a code is kept behind a literal mark.
    void Literal(unsigned char c) {
        int size = ReadsAsCode(c) ? 2 : 1;
        if (!Room(size))
            return;
        item = w;
        if (size == 2)
            out[w++] = kLiteral;
        out[w++] = c;
    }
};

// Empty, or starting with what cannot start a pattern: a line feed or a repetition mark.
bool CannotStart(char const *pattern) {
    return !pattern || !*pattern || *pattern == '\n' || *pattern == '*' || *pattern == '+' || *pattern == '?';
}

}  // namespace

RegularExp::RegularExp(char const *pattern)
    : _pattern(new (std::nothrow) unsigned char[kBufferSize]), _status(kCompiled) {
    GeneratePattern(pattern);
}

RegularExp::RegularExp(RegularExp const &other)
    : _pattern(new (std::nothrow) unsigned char[kBufferSize]), _status(kCompiled) {
    CopyPattern(other);
}

RegularExp &RegularExp::operator=(RegularExp const &other) {
    if (this != &other)
        CopyPattern(other);
    return *this;
}

RegularExp::~RegularExp() { delete[] _pattern; }

void RegularExp::CopyPattern(RegularExp const &other) {
    if (!_pattern || !other._pattern) {
        _status = kNoPatternBuffer;
        return;
    }
    std::memcpy(_pattern, other._pattern, kBufferSize);
    _status = other._status;
}

void RegularExp::GeneratePattern(char const *pattern) {
    if (!_pattern) {
        _status = kNoPatternBuffer;
        return;
    }
    _pattern[0] = 0;
    if (CannotStart(pattern)) {
        _status = kEmptyPattern;
        return;
    }
    PatternWriter writer = {_pattern, 0, -1, kCompiled};
    for (char const *p = pattern; !EndsLine(*p) && writer.status == kCompiled;)
        writer.Element(p);
    _status = writer.status;
    _pattern[_status == kCompiled ? writer.w : 0] = 0;
}

long RegularExp::Find(String const &text, unsigned int *length, unsigned int start) const {
    if (length)
        *length = 0;
    long end = static_cast<long>(text.GetLength());
    if (_status != kCompiled || static_cast<long>(start) > end)
        return -1;
    if (static_cast<long>(start) == end) {
        // Nothing left to search: only the bare anchors match.
        unsigned char const *code = _pattern;
        if (*code == kStart)
            ++code;
        if (*code == kEnd)
            ++code;
        return *code == 0 ? start : -1;
    }
    Matcher m = {reinterpret_cast<unsigned char const *>(text.c_str()), end, static_cast<long>(start)};
    for (long p = start; p < end; ++p) {
        long r = m.Here(_pattern, p);
        if (r >= 0) {
            if (length)
                *length = static_cast<unsigned int>(r - p);
            return p;
        }
    }
    return -1;
}

long String::Find(RegularExp const &expression, unsigned long start) const {
    return expression.Find(*this, nullptr, static_cast<unsigned int>(start));
}

long String::Find(RegularExp const &expression, unsigned int start, unsigned int *length) const {
    return expression.Find(*this, length, start);
}
