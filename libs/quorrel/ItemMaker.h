// Builds an item for DataBase::Add and DataBase::Update: a fixed part the
// caller fills, then the variable fields appended one by one.
#pragma once

#include "quorrel/DataBase.h"

class QUORREL_API ItemMaker {
public:
    // A fixed part of fixedSize bytes (header included), copied from init
    // when given, else zeroed; the header is set by the maker.
    ItemMaker(short type, unsigned short fixedSize, void const *init);
    ~ItemMaker();
    ItemMaker(ItemMaker const &) = delete;
    ItemMaker &operator=(ItemMaker const &) = delete;

    void AppendVarString(short field, String const &text);
    void AppendVarData(short field, void const *data, unsigned long size);
    // Closes the list of variable fields; nothing may be appended afterwards.
    void AppendVarStop();

    // The fixed part, to fill the caller's fields; it stays where it is while
    // fields are appended.
    char *GetFixed() const { return fixed_; }
    // The item as one block: the fixed part as it is now, then the fields.
    // Valid until the next call or append.
    BaseItem const *GetItem() const;
    operator BaseItem const *() const { return GetItem(); }

private:
    char *fixed_;
    unsigned short fixedSize_;
    char *fields_;
    unsigned long fieldsSize_;
    mutable char *item_;
    bool stopped_;
};
