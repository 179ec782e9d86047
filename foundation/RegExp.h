// A small regular-expression matcher: literal characters, '.', classes,
// '*', '+', '?', the anchors '^' and '$', and escapes.
#pragma once

#include "foundation/OsmeraDefs.h"

class String;

class OSMERA_API RegularExp {
public:
    enum Status {
        kCompiled = 0,
        kEmptyPattern = 1,     // empty, or starting with a line feed, '*', '+' or '?'
        kNoPatternBuffer = 2,
        kPatternTooLong = 3    // or a repetition mark after an anchor or another mark
    };

    explicit RegularExp(char const *pattern);
    RegularExp(RegularExp const &other);
    RegularExp &operator=(RegularExp const &other);
    ~RegularExp();

    Status GetStatus() const { return _status; }

    // Index (from the beginning of text) of the first match at or after
    // start, its length in *length; -1 and 0 when there is none or the
    // pattern did not compile.
    long Find(String const &text, unsigned int *length, unsigned int start) const;

private:
    void GeneratePattern(char const *pattern);
    void CopyPattern(RegularExp const &other);

    unsigned char *_pattern;
    Status _status;
};
