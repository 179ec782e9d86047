// Builds an item for DataBase::Add and DataBase::Update: a fixed part the
// caller fills, then the variable fields appended one by one.
#pragma once

#include "DataBase.h"

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

    // The fixed part, to fill the caller's fields (valid until the next append).
    char *GetFixed() const { return block_; }
    BaseItem const *GetItem() const { return reinterpret_cast<BaseItem const *>(block_); }
    operator BaseItem const *() const { return GetItem(); }

private:
    char *block_;
    unsigned long size_;
    bool stopped_;
};
