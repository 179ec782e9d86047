// The records kept on disk have one layout, byte for byte, in 32-bit and 64-bit programs,
// so a file written by one build opens in the other.
#include "manager/LayoutStore.h"

#include "quorrel/Core.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstddef>
#include <vector>

namespace {

struct Field {
    char const *name;
    size_t offset;
    size_t expected;
};

struct Record {
    char const *name;
    size_t size;
    size_t expected;
    std::vector<Field> fields;
};

#define FIELD(type, field, at) {#field, offsetof(type, field), at}

std::vector<Record> const records = {
    {"item header of the item database", sizeof(quorrel::ItemHeader), 28,
     {FIELD(quorrel::ItemHeader, type, 0), FIELD(quorrel::ItemHeader, flags, 2),
      FIELD(quorrel::ItemHeader, slotSize, 4), FIELD(quorrel::ItemHeader, varOffset, 8),
      FIELD(quorrel::ItemHeader, varLength, 12), FIELD(quorrel::ItemHeader, checksum, 16),
      FIELD(quorrel::ItemHeader, fixedSize, 20), FIELD(quorrel::ItemHeader, reserved, 22),
      FIELD(quorrel::ItemHeader, client, 24)}},
    {"layout item", sizeof(SetupDatabase::LayoutFixed), SetupDatabase::fixedSize,
     {FIELD(SetupDatabase::LayoutFixed, kind, 28), FIELD(SetupDatabase::LayoutFixed, order, 32),
      FIELD(SetupDatabase::LayoutFixed, docKey, 36)}},
    {"length word of a packed memento", sizeof(PackedMemento), 4, {FIELD(PackedMemento, length, 0)}},
    {"window placement of an MDI child's packed memento", sizeof(WINDOWPLACEMENT), 44,
     {FIELD(WINDOWPLACEMENT, flags, 4), FIELD(WINDOWPLACEMENT, showCmd, 8),
      FIELD(WINDOWPLACEMENT, ptMinPosition, 12), FIELD(WINDOWPLACEMENT, ptMaxPosition, 20),
      FIELD(WINDOWPLACEMENT, rcNormalPosition, 28)}},
};

}  // namespace

TEST(StoredRecords, HaveOneLayoutOnEveryArchitecture) {
    for (Record const &r : records) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(r.expected, r.size);
        for (Field const &f : r.fields)
            EXPECT_EQ(f.expected, f.offset) << f.name;
    }
}
