// A String that is also a container element: the item of string lists
// (List<StringItem<ListElement>>). Items live on the string heap.
#pragma once

#include <cstring>

#include "foundation/Lists.h"
#include "foundation/Strings.h"

template <class T>
class StringItem : public String, public T {
public:
    StringItem() {}
    StringItem(char const *text) : String(text) {}
    StringItem(String const &text) : String(text) {}
    StringItem(SubString const &text) : String(text) {}
    StringItem(StringItem const &other) : String(other), T() {}
    StringItem &operator=(StringItem const &other) {
        String::operator=(other);
        return *this;
    }
    StringItem &operator=(String const &text) {
        String::operator=(text);
        return *this;
    }
    StringItem &operator=(char const *text) {
        String::operator=(text);
        return *this;
    }

    // Without regard to case when flags is non-zero, byte by byte otherwise.
    int Compare(CollectionElement const &other, int flags) const override {
        char const *a = c_str();
        char const *b = static_cast<StringItem const &>(other).c_str();
        return flags ? _stricmp(a, b) : std::strcmp(a, b);
    }
    // A new item sharing the text.
    CollectionElement *CreateClone(void const *) const override { return new StringItem(*this); }
};
