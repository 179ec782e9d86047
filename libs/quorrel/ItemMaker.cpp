#include "quorrel/ItemMaker.h"

#include <cstring>

#include "quorrel/Core.h"
#include "quorrel/Failure.h"
#include "malvane/Malvane.h"

using quorrel::ItemHeader;

ItemMaker::ItemMaker(short type, unsigned short fixedSize, void const *init)
    : fixed_(nullptr), fixedSize_(fixedSize), fields_(nullptr), fieldsSize_(0), item_(nullptr), stopped_(false) {
    if (fixedSize < DataBase::headerSize)
        quorrel::Fail("The fixed part of an item must hold its 28-byte header.");
    fixed_ = static_cast<char *>(NH_Heap::GetDefault().Alloc(fixedSize, 0));
    if (init)
        std::memcpy(fixed_, init, fixedSize);
    else
        std::memset(fixed_, 0, fixedSize);
    ItemHeader &h = *reinterpret_cast<ItemHeader *>(fixed_);
    h.type = type;
    h.flags = 0;
    h.varOffset = 0;
}

ItemMaker::~ItemMaker() {
    NH_Heap::FreeMem(fixed_);
    NH_Heap::FreeMem(fields_);
    NH_Heap::FreeMem(item_);
}

void ItemMaker::AppendVarString(short field, String const &text) { AppendVarData(field, text.c_str(), text.GetLength()); }

void ItemMaker::AppendVarData(short field, void const *data, unsigned long size) {
    if (stopped_)
        quorrel::Fail("No variable field can follow the end of the list.");
    if (!data && size)
        quorrel::Fail("No data for the variable field.");
    if (size > 0x7FFFFFF0UL - fixedSize_ - fieldsSize_)
        quorrel::Fail("The variable field is too large.");
    fields_ = static_cast<char *>(NH_Heap::GetDefault().ReAlloc(fields_, fieldsSize_ + 6 + size, 0));
    std::memcpy(fields_ + fieldsSize_, &field, 2);
    std::memcpy(fields_ + fieldsSize_ + 2, &size, 4);
    if (size)
        std::memcpy(fields_ + fieldsSize_ + 6, data, size);
    fieldsSize_ += 6 + size;
}

void ItemMaker::AppendVarStop() { stopped_ = true; }

BaseItem const *ItemMaker::GetItem() const {
    item_ = static_cast<char *>(NH_Heap::GetDefault().ReAlloc(item_, fixedSize_ + fieldsSize_, 0));
    std::memcpy(item_, fixed_, fixedSize_);
    if (fieldsSize_)
        std::memcpy(item_ + fixedSize_, fields_, fieldsSize_);
    ItemHeader &h = *reinterpret_cast<ItemHeader *>(item_);
    h.slotSize = fixedSize_;
    h.fixedSize = fixedSize_;
    h.varLength = fieldsSize_;
    return reinterpret_cast<BaseItem const *>(item_);
}
