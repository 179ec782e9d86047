// File names: a String with Windows path syntax that can also stand in lists
// (List<FileName> is how file lists travel). The path operations themselves
// are members of String.
#pragma once

#include "foundation/Lists.h"
#include "foundation/Strings.h"

// Base of list elements that name a file; it carries no data.
class OSMERA_API FileId : public ListElement {};

class OSMERA_API FileName : public String, public FileId {
public:
    FileName() {}
    FileName(String const &text) : String(text) {}
    FileName(char const *text) : String(text) {}
    FileName(SubString const &text) : String(text) {}
    FileName(FileName const &other) : String(other), FileId() {}
    // folder, then title appended as by AppendTitleAndMakeFullFileName.
    FileName(String const &folder, String const &title);
    virtual ~FileName();

    FileName &operator=(FileName const &other) {
        String::operator=(other);
        return *this;
    }
    FileName &operator=(SubString const &text) {
        String::operator=(text);
        return *this;
    }
    FileName &operator=(char const *text) {
        String::operator=(text);
        return *this;
    }

    // The two texts without regard to case, by the system's locale; the mode is not used.
    int Compare(CollectionElement const &other, int mode) const override;
    // A new FileName with the same text, on the string heap.
    CollectionElement *CreateClone(void const *arg) const override;
    unsigned int GetHashedValue() const override;

    // The folder of the program's executable, without a trailing backslash.
    static String GetApplicationPath();
    // relative appended to the program's folder.
    static FileName CreateApplicationRelative(String const &relative);
};
