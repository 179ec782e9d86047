#include "ItemMaker.h"

#include <cstring>

#include "Core.h"
#include "Failure.h"
#include "Malvane.h"

using quorrel::ItemHeader;

ItemMaker::ItemMaker(short type, unsigned short fixedSize, void const *init)
    : block_(nullptr), size_(fixedSize), stopped_(false) {
    if (fixedSize < DataBase::headerSize)
        quorrel::Fail("The fixed part of an item must hold its 28-byte header.");
    block_ = static_cast<char *>(NH_Heap::GetDefault().Alloc(fixedSize, 0));
    if (init)
        std::memcpy(block_, init, fixedSize);
    else
        std::memset(block_, 0, fixedSize);
    ItemHeader &h = *reinterpret_cast<ItemHeader *>(block_);
    h.type = type;
    h.flags = 0;
    h.slotSize = fixedSize;
    h.varOffset = 0;
    h.varLength = 0;
    h.fixedSize = fixedSize;
}

ItemMaker::~ItemMaker() { NH_Heap::FreeMem(block_); }

void ItemMaker::AppendVarString(short field, String const &text) { AppendVarData(field, text.c_str(), text.GetLength()); }

void ItemMaker::AppendVarData(short field, void const *data, unsigned long size) {
    if (stopped_)
        quorrel::Fail("No variable field can follow the end of the list.");
    if (!data && size)
        quorrel::Fail("No data for the variable field.");
    if (size > 0x7FFFFFF0UL - size_)
        quorrel::Fail("The variable field is too large.");
    block_ = static_cast<char *>(NH_Heap::GetDefault().ReAlloc(block_, size_ + 6 + size, 0));
    std::memcpy(block_ + size_, &field, 2);
    std::memcpy(block_ + size_ + 2, &size, 4);
    if (size)
        std::memcpy(block_ + size_ + 6, data, size);
    size_ += 6 + size;
    reinterpret_cast<ItemHeader *>(block_)->varLength += 6 + size;
}

void ItemMaker::AppendVarStop() { stopped_ = true; }
