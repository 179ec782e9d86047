#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <set>
#include <vector>

#include "quorrel/DataBase.h"
#include "quorrel/ItemMaker.h"
#include "malvane/Malvane.h"
#include "tests/libs/quorrel/QuorrelTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace quorreltest;

namespace {

char const kId[] = "QuorrelTest 1";

unsigned long AddEntry(DataBase &db, short type, unsigned long value, char const *name, std::string const &data = "") {
    ItemMaker maker(type, 40, nullptr);
    std::memcpy(maker.GetFixed() + 28, &value, 4);
    maker.AppendVarString(1, name);
    if (!data.empty())
        maker.AppendVarData(5, data.data(), static_cast<unsigned long>(data.size()));
    maker.AppendVarStop();
    return db.Add(maker);
}

}  // namespace

TEST(QuorrelDataBase, ItemsTypesAndFieldsSurviveReopen) {
    testsupport::TempDir dir;
    std::string path = dir.File("store.dat");
    std::map<unsigned long, unsigned long> made;   // id -> value
    short layout, other;
    {
        DataBase db(path.c_str(), kId, DataBase::createIfMissing, 4096);
        EXPECT_EQ(1, db.WasCreated());
        EXPECT_EQ(0, db.GetState());
        layout = db.RegisterType("MDILayout", 1);
        other = db.RegisterType("Other", 0);
        EXPECT_EQ(layout, db.RegisterType("MDILayout", 1));
        EXPECT_NE(layout, other);
        for (unsigned long i = 0; i < 50; ++i) {
            unsigned long id = AddEntry(db, i % 3 ? layout : other, i * 7, ("item " + std::to_string(i)).c_str(),
                                        std::string(i * 10, char('a' + i % 26)));
            EXPECT_EQ(0u, id % 4);
            made[id] = i;
        }
        EXPECT_EQ(50u, made.size());
    }
    DataBase db(path.c_str(), kId, DataBase::createIfMissing, 4096);
    EXPECT_EQ(0, db.WasCreated());
    EXPECT_EQ(layout, db.RegisterType("MDILayout", 1));
    EXPECT_EQ(other, db.FindType("Other"));
    EXPECT_EQ(unsigned(33), db.GetItemInfo(layout).count);
    EXPECT_STREQ("MDILayout", db.GetItemInfo(layout).name);
    for (auto const &m : made) {
        unsigned long i = m.second;
        ASSERT_TRUE(db.IsItem(m.first));
        EXPECT_EQ(i % 3 ? layout : other, db.GetType(m.first));
        EXPECT_EQ(i * 7, Field32(db, m.first, 28));
        EXPECT_EQ(40, db.GetFixedSize(m.first));
        EXPECT_EQ("item " + std::to_string(i), VarText(db, m.first, 1));
        EXPECT_EQ(i ? std::string(i * 10, char('a' + i % 26)) : "<absent>", VarText(db, m.first, 5));
        EXPECT_TRUE(db.IsChecksumOk(m.first));
    }
    // the finder sees every item of its type once, in id order
    std::vector<unsigned long> seen;
    DataBase::Finder finder(db, layout);
    for (unsigned long id = finder.GetFirst(); id; id = finder.GetNext())
        seen.push_back(id);
    EXPECT_EQ(33u, seen.size());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(33u, std::set<unsigned long>(seen.begin(), seen.end()).size());
}

TEST(QuorrelDataBase, VariableFieldsGrowWithoutMovingTheItem) {
    testsupport::TempDir dir;
    std::string path = dir.File("v.dat");
    unsigned long id, neighbour;
    {
        DataBase db(path.c_str(), kId, 1, 4096);
        short type = db.RegisterType("T", 0);
        id = AddEntry(db, type, 11, "short");
        neighbour = AddEntry(db, type, 12, "next");
        db.UpdateVarString(id, 1, std::string(5000, 'x').c_str());
        db.UpdateVarData(id, 9, "\0\1\2", 3);
        db.UpdateVarString(neighbour, 2, "comment");
        db.RemoveVarField(neighbour, 1);
        // a replacement with a longer variable field keeps the id
        ItemMaker maker(type, 40, nullptr);
        unsigned long value = 99;
        std::memcpy(maker.GetFixed() + 28, &value, 4);
        maker.AppendVarString(1, std::string(20000, 'y').c_str());
        maker.AppendVarStop();
        EXPECT_EQ(id, db.Update(id, maker));
        ItemMaker bigger(type, 200, nullptr);
        EXPECT_NE("<none>", FailureOf([&] { db.Update(id, bigger); }));
    }
    DataBase db(path.c_str(), kId, 1, 4096);
    EXPECT_EQ(99u, Field32(db, id, 28));
    EXPECT_EQ(std::string(20000, 'y'), VarText(db, id, 1));
    EXPECT_EQ("<absent>", VarText(db, id, 9));   // the update replaced every field
    EXPECT_EQ(12u, Field32(db, neighbour, 28));
    EXPECT_EQ("<absent>", VarText(db, neighbour, 1));
    EXPECT_EQ("comment", VarText(db, neighbour, 2));
    unsigned long size = 0;
    char *copy = static_cast<char *>(db.LoadVarData(neighbour, 2, &size));
    ASSERT_NE(nullptr, copy);
    EXPECT_EQ(7u, size);
    EXPECT_STREQ("comment", copy);
    NH_Heap::FreeMem(copy);
    EXPECT_EQ(nullptr, db.LoadVarData(neighbour, 1, &size));
    EXPECT_EQ(0u, size);
}

TEST(QuorrelDataBase, InPlaceWritesReachTheFileAtCommitAndClose) {
    testsupport::TempDir dir;
    std::string path = dir.File("p.dat");
    unsigned long a, b;
    {
        DataBase db(path.c_str(), kId, 1, 4096);
        short type = db.RegisterType("T", 0);
        a = AddEntry(db, type, 1, "a");
        b = AddEntry(db, type, 2, "b");
        SetField32(db, a, 32, 0xA5A5A5A5);
        db.Commit();
        {
            // while this database is open, a second one sees the committed state
            std::string copy = dir.File("copy.dat");
            ASSERT_TRUE(CopyFileA(path.c_str(), copy.c_str(), FALSE));
            DataBase snapshot(copy.c_str(), kId, 0, 4096);
            EXPECT_EQ(0xA5A5A5A5u, Field32(snapshot, a, 32));
        }
        SetField32(db, b, 36, 77);
    }
    DataBase db(path.c_str(), kId, 0, 4096);
    EXPECT_EQ(0xA5A5A5A5u, Field32(db, a, 32));
    EXPECT_EQ(77u, Field32(db, b, 36));
}

TEST(QuorrelDataBase, EraseFreesAndReusesSpaceAndIterationSurvivesErasing) {
    testsupport::TempDir dir;
    std::string path = dir.File("e.dat");
    DataBase db(path.c_str(), kId, 1, 4096);
    short keep = db.RegisterType("Keep", 0), drop = db.RegisterType("Drop", 0);
    std::vector<unsigned long> ids;
    for (int i = 0; i < 100; ++i)
        ids.push_back(AddEntry(db, i % 2 ? drop : keep, i, "x"));
    // a visitor erasing every odd item still visits each item once
    struct Visit {
        std::vector<unsigned long> seen;
    } visit;
    db.ForEach(0, [](DataBase &d, unsigned long id, void *c) {
        static_cast<Visit *>(c)->seen.push_back(id);
        if (Field32(d, id, 28) % 2)
            d.Erase(id);
        return 1;
    }, &visit);
    EXPECT_EQ(ids, visit.seen);
    EXPECT_EQ(0u, db.GetItemInfo(drop).count);
    EXPECT_EQ(0, db.IsItem(ids[1]));
    EXPECT_NE("<none>", FailureOf([&] { db.GetType(ids[1]); }));
    EXPECT_NE("<none>", FailureOf([&] { db.GetType(ids[0] + 4); }));   // not the start of an item
    // the freed slots are used again before the block grows
    unsigned long again = AddEntry(db, keep, 1000, "again");
    EXPECT_TRUE(std::find(ids.begin(), ids.end(), again) != ids.end());
    db.DeleteAll(keep);
    EXPECT_EQ(0u, db.GetFirst(0));
    EXPECT_EQ(0u, db.GetItemInfo(keep).count);
    // a visitor that stops gets the id it stopped at
    AddEntry(db, keep, 1, "one");
    AddEntry(db, keep, 2, "two");
    EXPECT_EQ(db.GetFirst(keep), db.ForEach(keep, [](DataBase &, unsigned long, void *) { return 0; }, nullptr));
}

TEST(QuorrelDataBase, ManyCommitsKeepTheFileSmallAndTheStateWhole) {
    testsupport::TempDir dir;
    std::string path = dir.File("m.dat");
    unsigned long id;
    {
        DataBase db(path.c_str(), kId, 1, 4096);
        short type = db.RegisterType("T", 0), bulk = db.RegisterType("Bulk", 0);
        id = AddEntry(db, type, 0, "counter");
        {
            DataBase::Batch batch(db);
            for (int i = 0; i < 5000; ++i)
                AddEntry(db, bulk, i, "bulk");
        }
        db.DeleteAll(bulk);
        for (unsigned long i = 1; i <= 400; ++i) {
            SetField32(db, id, 28, i);
            db.UpdateVarData(id, 5, std::string(3000, char('a' + i % 26)).data(), 3000);   // commits
        }
        WIN32_FILE_ATTRIBUTE_DATA info;
        ASSERT_TRUE(GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info));
        EXPECT_LT(info.nFileSizeLow, 2u << 20) << "1.2 MB were written in all; old versions must be dropped";
    }
    DataBase db(path.c_str(), kId, 0, 4096);
    EXPECT_EQ(400u, Field32(db, id, 28));
    EXPECT_EQ(std::string(3000, char('a' + 400 % 26)), VarText(db, id, 5));
    // the space of the erased items at the end of the block was given back
    EXPECT_EQ(id + 40, AddEntry(db, db.FindType("Bulk"), 1, "after"));
}

TEST(QuorrelDataBase, BadFilesRaiseAndAreLeftAlone) {
    testsupport::TempDir dir;
    std::string good = dir.File("good.dat");
    {
        DataBase db(good.c_str(), kId, 1, 4096);
        short type = db.RegisterType("T", 0);
        for (int i = 0; i < 20; ++i)
            AddEntry(db, type, i, "name", std::string(100, 'd'));
    }
    std::string bytes = testsupport::ReadBytes(good);
    ASSERT_GT(bytes.size(), 3000u);

    std::string flipped = bytes;
    flipped[2000] ^= 0x10;
    std::string header = bytes;
    header[20] ^= 1;       // both commit slots damaged
    header[532] ^= 1;
    struct Case {
        char const *name;
        std::string content;
        char const *identifier;
        char const *expected;
    } cases[] = {
        {"foreign", "RIFF\x24\0\0\0WAVEfmt and more text of some other program", kId, "not a database"},
        {"empty", "", kId, "not a database"},
        {"truncated", bytes.substr(0, bytes.size() - 700), kId, "truncated"},
        {"headless", bytes.substr(0, 600), kId, "truncated"},
        {"flipped", flipped, kId, "checksum"},
        {"header", header, kId, "header is damaged"},
        {"other kind", bytes, "SomethingElse 1", "another kind"},
    };
    for (Case const &c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.File("bad.dat");
        testsupport::WriteBytes(path, c.content);
        std::string text = FailureOf([&] { DataBase db(path.c_str(), c.identifier, 1, 4096); });
        EXPECT_NE(std::string::npos, text.find(c.expected)) << text;
        EXPECT_NE(std::string::npos, text.find("bad.dat")) << text;
        EXPECT_EQ(c.content, testsupport::ReadBytes(path));
    }
    std::string missing = dir.File("missing.dat");
    EXPECT_NE(std::string::npos, FailureOf([&] { DataBase db(missing.c_str(), kId, 0, 4096); }).find("cannot be opened"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(missing.c_str()));
}

TEST(QuorrelDataBase, ReadOnlyAndBusyFiles) {
    testsupport::TempDir dir;
    std::string path = dir.File("ro.dat");
    unsigned long id;
    {
        DataBase db(path.c_str(), kId, 1, 4096);
        id = AddEntry(db, db.RegisterType("T", 0), 5, "x");
        // a second writer is refused while the first has the file
        EXPECT_NE(std::string::npos, FailureOf([&] { DataBase again(path.c_str(), kId, 1, 4096); }).find("in use"));
    }
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        DataBase db(path.c_str(), kId, 1, 4096);
        EXPECT_EQ(DataBase::stateReadOnly, db.GetState());
        EXPECT_EQ(5u, Field32(db, id, 28));
        EXPECT_NE(std::string::npos, FailureOf([&] { db.UpdateVarString(id, 1, "y"); }).find("read-only"));
        EXPECT_EQ("x", VarText(db, id, 1));
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(QuorrelDataBase, AGrowingBlockMovesButIdsAndContentsStay) {
    struct Watched : DataBase {
        using DataBase::DataBase;
        void OnMove(char const *oldBase, char *newBase) override {
            ++moves;
            EXPECT_NE(oldBase, newBase);
        }
        int moves = 0;
    };
    testsupport::TempDir dir;
    Watched db(dir.File("grow.dat").c_str(), kId, 1, 4096);
    short type = db.RegisterType("Big", 0);
    char *before = db.GetItemBase();
    std::vector<unsigned long> ids;
    DataBase::Batch batch(db);
    for (unsigned long i = 0; i < 300; ++i) {   // about 19 MB of fixed parts
        ItemMaker maker(type, 65000, nullptr);
        std::memcpy(maker.GetFixed() + 64000, &i, 4);
        ids.push_back(db.Add(maker));
    }
    batch.End();
    EXPECT_EQ(1, db.moves);
    EXPECT_NE(before, db.GetItemBase());
    for (unsigned long i = 0; i < ids.size(); ++i)
        ASSERT_EQ(i, Field32(db, ids[i], 64000));
}

// What a crash can leave: a commit slot torn half-way, or a record written
// past the committed end. Either way the file opens with the previous state
// and takes the next commit.
TEST(QuorrelDataBase, TornSlotsAndUncommittedTailsGiveThePreviousState) {
    testsupport::TempDir dir;
    std::string path = dir.File("torn.dat");
    unsigned long a, b;
    {
        DataBase db(path.c_str(), kId, 1, 4096);
        short type = db.RegisterType("T", 0);
        a = AddEntry(db, type, 1, "a");
        b = AddEntry(db, type, 2, "b");
    }
    std::string bytes = testsupport::ReadBytes(path);
    unsigned long gen0, gen1;
    std::memcpy(&gen0, &bytes[12], 4);
    std::memcpy(&gen1, &bytes[512 + 12], 4);
    size_t newest = gen0 > gen1 ? 0 : 512;
    std::string torn = bytes;
    std::fill(torn.begin() + newest + 40, torn.begin() + newest + 96, '\0');
    testsupport::WriteBytes(path, torn + std::string(300, '\x5A'));
    {
        DataBase db(path.c_str(), kId, 0, 4096);
        EXPECT_TRUE(db.IsItem(a));
        EXPECT_FALSE(db.IsItem(b));
        EXPECT_EQ(b, AddEntry(db, db.FindType("T"), 3, "c"));
    }
    DataBase db(path.c_str(), kId, 0, 4096);
    EXPECT_EQ(3u, Field32(db, b, 28));
    EXPECT_EQ("c", VarText(db, b, 1));
}

// A caller fills the fixed part through GetFixed and may append the fields
// first: the fixed part must not move under it.
TEST(QuorrelDataBase, TheMadeFixedPartStaysInPlaceWhileFieldsAreAppended) {
    testsupport::TempDir dir;
    DataBase db(dir.File("maker.dat").c_str(), kId, 1, 4096);
    short type = db.RegisterType("T", 0);
    ItemMaker maker(type, 40, nullptr);
    char *fixed = maker.GetFixed();
    std::string big(1 << 20, 'b');
    maker.AppendVarString(1, "name");
    maker.AppendVarData(5, big.data(), static_cast<unsigned long>(big.size()));
    maker.AppendVarStop();
    EXPECT_EQ(fixed, maker.GetFixed());
    unsigned long value = 4711;
    std::memcpy(fixed + 36, &value, 4);
    unsigned long id = db.Add(maker);
    EXPECT_EQ(4711u, Field32(db, id, 36));
    EXPECT_EQ("name", VarText(db, id, 1));
    EXPECT_EQ(big, VarText(db, id, 5));
    EXPECT_EQ(id + 40, db.Add(maker));   // the same maker stores the same item again
}

// A walk that erases as it goes: the commit of the last erase also writes a
// large change, which rewrites the file and gives back the freed end of the
// block; the next item after the erased last one is then none.
TEST(QuorrelDataBase, AWalkThatErasesEndsAfterTheLastItem) {
    testsupport::TempDir dir;
    DataBase db(dir.File("walk.dat").c_str(), kId, 1, 4096);
    short keep = db.RegisterType("Keep", 0), drop = db.RegisterType("Drop", 0);
    unsigned long kept = AddEntry(db, keep, 0, "kept");
    std::vector<unsigned long> dropped = {AddEntry(db, drop, 1, "a"), AddEntry(db, drop, 2, "b")};
    std::string large(400 << 10, 'L');
    std::vector<unsigned long> visited;
    for (unsigned long id = db.GetFirst(drop); id; id = db.GetNext(id, drop)) {
        visited.push_back(id);
        DataBase::Batch batch(db);
        if (id == dropped.back())
            db.UpdateVarData(kept, 9, large.data(), static_cast<unsigned long>(large.size()));
        db.Erase(id);
        batch.End();
    }
    EXPECT_EQ(dropped, visited);
    EXPECT_EQ(kept, db.GetFirst(0));
    EXPECT_EQ(0u, db.GetNext(kept, 0));
}

// A visitor that copies each item it is given into the type it walks must
// see the items there were, not its own copies without end.
TEST(QuorrelDataBase, ForEachDoesNotVisitWhatItsVisitorAdds) {
    testsupport::TempDir dir;
    DataBase db(dir.File("copies.dat").c_str(), kId, 1, 4096);
    short type = db.RegisterType("T", 0);
    std::vector<unsigned long> originals;
    for (unsigned long i = 0; i < 3; ++i)
        originals.push_back(AddEntry(db, type, i, "original"));
    db.Erase(originals[1]);   // a freed slot before the end, where a copy can go
    originals.erase(originals.begin() + 1);
    struct Walk {
        short type;
        std::vector<unsigned long> seen;
    } walk{type, {}};
    db.ForEach(type, [](DataBase &d, unsigned long id, void *c) {
        Walk &w = *static_cast<Walk *>(c);
        w.seen.push_back(id);
        AddEntry(d, w.type, 100, "copy");
        return w.seen.size() < 100 ? 1 : 0;
    }, &walk);
    EXPECT_EQ(originals, walk.seen);
    EXPECT_EQ(4u, db.GetItemInfo(type).count);
}
