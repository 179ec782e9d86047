// Free helpers for splitting, replacing, trimming and measuring text, and for
// turning numbers, dates and sizes into display text.
#pragma once

#include "foundation/Lists.h"
#include "foundation/OsmeraDefs.h"
#include "foundation/StringItem.h"
#include "foundation/Strings.h"

// Empties list (deleting its items) and appends the pieces of text. With
// separators, any run of them separates pieces and no piece is empty; with an
// empty separator set, text is a run of zero-terminated pieces ended by an
// empty one. trim: pieces lose spaces and tabs at both ends and are dropped
// when nothing is left.
OSMERA_API void ExplodeString(List<StringItem<ListElement> > &list, char const *text, char const *separators,
                              int trim);

// Every run of the digits 0-9 as a number; other characters, signs included,
// only separate. *count receives the number of values. The array is a heap
// block for the caller to free with NH_Heap::FreeMem (null when there is no
// number).
OSMERA_API int *StringToIntArray(char const *text, int *count);
OSMERA_API String IntArrayToString(int const *values, int count, char separator);

// Replace every from by to; the number replaced.
OSMERA_API unsigned int ReplaceChar(char *text, char from, char to);
OSMERA_API unsigned int ReplaceChar(String &text, char from, char to);
// The same for each character of set in turn.
OSMERA_API unsigned int ReplaceChars(char *text, char const *set, char to);
OSMERA_API unsigned int ReplaceChars(String &text, char const *set, char to);

// Trim spaces and tabs (both ends, the start, the end); the new length.
OSMERA_API unsigned int Trim(String &text);
OSMERA_API unsigned int TrimStart(String &text);
OSMERA_API unsigned int TrimEnd(String &text);

// Where the trimmed part of text starts, its length in *length; mode bit 1
// skips leading characters of set, bit 2 leaves out trailing ones.
OSMERA_API char const *FindTrimmedSubString(char const *text, int *length, char const *set, int mode);
OSMERA_API char const *FindTrimmedSubString(char const *text, int textLength, int *length, char const *set,
                                            int mode);

OSMERA_API int CountChar(char const *text, char c);
// Non-overlapping occurrences of needle in the first textLength characters
// of text (below 0: all of it).
OSMERA_API unsigned int FindNumOccurences(char const *needle, char const *text, int textLength);
OSMERA_API unsigned long GetHashValue(String const &text);

// Reverse the characters in place.
OSMERA_API void Inverse(char *text);
OSMERA_API void Inverse(String &text);

// Copy at most size - 1 characters and terminate; nothing when size is 0.
OSMERA_API void CopyMax(char *destination, char const *source, unsigned int size);
OSMERA_API void MakeString(char *destination, unsigned int size, char const *source, unsigned int sourceLength);

// A packed DOS date as "dd/MM/yyyy" through the system's date formatter.
OSMERA_API char *GetDateString(unsigned short dosDate, char *buffer, int size);
OSMERA_API String GetDateString(unsigned short dosDate);

// Decimal units: "999 B", "1 kB", "1.5 MB". The buffer takes at least
// kFileSizeTextSize characters.
enum { kFileSizeTextSize = 16 };
OSMERA_API void GetStringFileSize(unsigned long bytes, char *buffer);
OSMERA_API String GetStringFileSize(unsigned long bytes);

// Binary units with two decimals: "1.00 KB".
OSMERA_API String ByteSizeToString(double bytes);
