#include "foundation/StringUtils.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "foundation/MemoryStream.h"

namespace {

bool InSet(char c, char const *set) { return c && set && std::strchr(set, c); }

char const kBlanks[] = " \t";

void AddPiece(List<StringItem<ListElement> > &list, char const *piece, int length, int trim) {
    if (trim)
        piece = FindTrimmedSubString(piece, length, &length, kBlanks, 3);
    if (length > 0)
        list.Append(new StringItem<ListElement>(String(piece, 0, length)));
}

}  // namespace

void ExplodeString(List<StringItem<ListElement> > &list, char const *text, char const *separators, int trim) {
    list.DeleteAll();
    if (!text)
        return;
    if (!separators || !*separators) {
        // Zero-terminated pieces, the list ending with an empty one.
        while (*text) {
            int length = static_cast<int>(std::strlen(text));
            AddPiece(list, text, length, trim);
            text += length + 1;
        }
        return;
    }
    while (*text) {
        while (InSet(*text, separators))
            ++text;
        char const *start = text;
        while (*text && !InSet(*text, separators))
            ++text;
        if (text > start)
            AddPiece(list, start, static_cast<int>(text - start), trim);
    }
}

int *StringToIntArray(char const *text, int *count) {
    MemoryStream values(64, 0);  // the buffer is left to the caller
    for (char const *p = text; p && *p;) {
        if (*p < '0' || *p > '9') {
            ++p;
            continue;
        }
        // A run longer than the digit buffer counts by its first 99 digits.
        char digits[100];
        int length = 0;
        while (*p >= '0' && *p <= '9') {
            if (length < 99)
                digits[length++] = *p;
            ++p;
        }
        digits[length] = 0;
        values.Put(std::atoi(digits));
    }
    if (count)
        *count = static_cast<int>(values.GetLength() / sizeof(int));
    return reinterpret_cast<int *>(values.GetStart());
}

String IntArrayToString(int const *values, int count, char separator) {
    String result;
    for (int i = 0; values && i < count; ++i) {
        if (i > 0)
            result += separator;
        result += String(values[i]);
    }
    return result;
}

unsigned int ReplaceChar(char *text, char from, char to) {
    unsigned int n = 0;
    for (; text && *text; ++text)
        if (*text == from) {
            *text = to;
            ++n;
        }
    return n;
}

unsigned int ReplaceChar(String &text, char from, char to) {
    if (!from || !std::strchr(text.c_str(), from))
        return 0;
    // The writable access unshares the text: copies sharing it keep theirs.
    return ReplaceChar(&text[0], from, to);
}

unsigned int ReplaceChars(char *text, char const *set, char to) {
    unsigned int n = 0;
    for (; set && *set; ++set)
        n += ReplaceChar(text, *set, to);
    return n;
}

unsigned int ReplaceChars(String &text, char const *set, char to) {
    unsigned int n = 0;
    for (; set && *set && !text.IsEmpty(); ++set)
        n += ReplaceChar(text, *set, to);
    return n;
}

unsigned int Trim(String &text) { return text.Trim(kBlanks, 3).GetLength(); }

unsigned int TrimStart(String &text) { return text.Trim(kBlanks, 1).GetLength(); }

unsigned int TrimEnd(String &text) { return text.Trim(kBlanks, 2).GetLength(); }

char const *FindTrimmedSubString(char const *text, int *length, char const *set, int mode) {
    return FindTrimmedSubString(text, text ? static_cast<int>(std::strlen(text)) : 0, length, set, mode);
}

char const *FindTrimmedSubString(char const *text, int textLength, int *length, char const *set, int mode) {
    int start = 0;
    int end = text && textLength > 0 ? textLength : 0;
    if (mode & 1)
        while (start < end && InSet(text[start], set))
            ++start;
    if (mode & 2)
        while (end > start && InSet(text[end - 1], set))
            --end;
    if (length)
        *length = end - start;
    return text ? text + start : text;
}

int CountChar(char const *text, char c) {
    int n = 0;
    for (; text && *text; ++text)
        if (*text == c)
            ++n;
    return n;
}

unsigned int FindNumOccurences(char const *needle, char const *text, int textLength) {
    if (!needle || !text)
        return 0;
    int n = static_cast<int>(std::strlen(needle));
    int length = textLength < 0 ? static_cast<int>(std::strlen(text)) : textLength;
    if (n == 0 || length < n)
        return 0;
    unsigned int found = 0;
    for (int i = 0; i + n <= length;) {
        if (std::memcmp(text + i, needle, n) == 0) {
            ++found;
            i += n;
        } else {
            ++i;
        }
    }
    return found;
}

unsigned long GetHashValue(String const &text) {
    unsigned long h = 0;
    for (char const *p = text.c_str(); *p; ++p)
        h = (h * 4) ^ static_cast<unsigned long>(static_cast<long>(static_cast<signed char>(*p)));
    return h;
}

void Inverse(char *text) {
    if (!text)
        return;
    for (char *a = text, *b = text + std::strlen(text); a < b--; ++a) {
        char t = *a;
        *a = *b;
        *b = t;
    }
}

void Inverse(String &text) { text.Reverse(); }

void CopyMax(char *destination, char const *source, unsigned int size) {
    if (destination)
        strcpy_n(destination, source, size);
}

void MakeString(char *destination, unsigned int size, char const *source, unsigned int sourceLength) {
    if (!destination || size == 0)
        return;
    unsigned int n = source ? (sourceLength < size - 1 ? sourceLength : size - 1) : 0;
    std::memcpy(destination, source, n);
    destination[n] = 0;
}

char *GetDateString(unsigned short dosDate, char *buffer, int size) {
    if (!buffer || size <= 0)
        return buffer;
    buffer[0] = 0;
    FILETIME fileTime;
    SYSTEMTIME systemTime;
    if (DosDateTimeToFileTime(dosDate, 0, &fileTime) && FileTimeToSystemTime(&fileTime, &systemTime) &&
        GetDateFormatA(0, 0, &systemTime, "dd/MM/yyyy", buffer, size) == 0)
        buffer[0] = 0;
    return buffer;
}

String GetDateString(unsigned short dosDate) {
    char buffer[100];
    return String(GetDateString(dosDate, buffer, sizeof buffer));
}

void GetStringFileSize(unsigned long bytes, char *buffer) {
    if (!buffer)
        return;
    if (bytes < 1000)
        std::snprintf(buffer, kFileSizeTextSize, "%lu B", bytes);
    else if (bytes >= 1000000)
        std::snprintf(buffer, kFileSizeTextSize, "%lu.%lu MB", bytes / 1000000, bytes % 1000000 / 100000);
    else
        std::snprintf(buffer, kFileSizeTextSize, "%lu kB", bytes / 1000);
}

String GetStringFileSize(unsigned long bytes) {
    char buffer[kFileSizeTextSize];
    GetStringFileSize(bytes, buffer);
    return String(buffer);
}

String ByteSizeToString(double bytes) {
    char const *unit = "B";
    if (bytes >= 1073741824.0) {
        bytes /= 1073741824.0;
        unit = "GB";
    } else if (bytes >= 1048576.0) {
        bytes /= 1048576.0;
        unit = "MB";
    } else if (bytes >= 1024.0) {
        bytes /= 1024.0;
        unit = "KB";
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f %s", bytes, unit);
    return String(buffer);
}
