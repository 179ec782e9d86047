#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "quorrel/HDataBase.h"
#include "quorrel/ItemMaker.h"
#include "malvane/Malvane.h"
#include "tests/libs/quorrel/QuorrelTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace quorreltest;

namespace {

char const kId[] = "QuorrelTree 1";

// A client as the sound database is: folders in two hierarchies, sound items
// linked in both, a settings record with the plain header.
class SoundBase : public HDataBase {
public:
    SoundBase(std::string const &path) : HDataBase(path.c_str(), kId, 1, 8192) {
        dirs = RegisterHierarchy("HDirectories");
        cats = RegisterHierarchy("HCategories");
        wave = RegisterType("Wave File", 1);
        settings = RegisterType("Settings", 0);
        if (!GetFirstItemInHierarchy(dirs))
            CreateFolder(dirs, 0, "Folders");
        if (!GetFirstItemInHierarchy(cats))
            CreateFolder(cats, 0, "Categories");
    }
    int IsHierarchyNumber(short n) const override { return n == dirs || n == cats; }
    int IsLeafAllowed(short type, short h) const override { return !IsHierarchyNumber(type) && h != dirs; }
    short HierarchyFor(short type, int which) const override {
        return IsHierarchyNumber(type) ? type : which ? cats : dirs;
    }
    int ClassifyType(short type) const override { return IsHierarchyNumber(type) ? 1 : type == wave ? 2 : 0; }

    unsigned long AddWave(unsigned long folder, char const *name, unsigned long size) {
        ItemMaker maker(wave, 88, nullptr);
        std::memset(maker.GetFixed() + 28, 0xEE, 24);   // stale links must not be taken
        std::memcpy(maker.GetFixed() + 56, &size, 4);
        maker.AppendVarString(1, name);
        maker.AppendVarStop();
        unsigned long id = Add(maker);
        SetParent(id, folder);
        return id;
    }
    unsigned long Dirs() const { return GetFirstItemInHierarchy(dirs); }
    unsigned long Cats() const { return GetFirstItemInHierarchy(cats); }

    short dirs = 0, cats = 0, wave = 0, settings = 0;
};

std::vector<unsigned long> Children(HDataBase const &db, unsigned long folder) {
    std::vector<unsigned long> out;
    for (unsigned long c = db.GetFirstChild(folder); c; c = db.GetNextChild(folder, c))
        out.push_back(c);
    return out;
}

}  // namespace

TEST(QuorrelHierarchy, FoldersLinksAndHeadersSurviveReopen) {
    testsupport::TempDir dir;
    std::string path = dir.File("sounds.dba");
    unsigned long folder, sub, drums, kick, snare, settingsId;
    {
        SoundBase db(path);
        EXPECT_EQ(1, db.WasCreated());
        folder = db.CreatePath(db.Dirs(), "Volume1\\Samples\\Drums");
        EXPECT_EQ(folder, db.CreatePath(db.Dirs(), "volume1\\SAMPLES\\\\drums\\"));   // found, not doubled
        sub = db.GetItemParent(folder, 0);
        EXPECT_EQ(3, db.GetNumParent(folder, 0));
        drums = db.CreatePath(db.Cats(), "Percussion\\Drums");
        kick = db.AddWave(folder, "Kick.wav", 1000);
        snare = db.AddWave(folder, "Snare.wav", 2000);
        db.SetParent(kick, drums);
        ItemMaker maker(db.settings, 392, nullptr);
        maker.AppendVarString(1001, "C:\\Last");
        settingsId = db.Add(maker);
    }
    SoundBase db(path);
    EXPECT_EQ(0, db.WasCreated());
    EXPECT_EQ(1u, db.GetNumChildren(db.Dirs()));
    EXPECT_EQ(folder, db.FindFolder(sub, "DRUMS"));
    EXPECT_EQ(kick, db.FindItem(folder, "kick.WAV"));
    EXPECT_EQ(0u, db.FindFolder(folder, "Kick.wav"));   // an item is not a folder
    EXPECT_EQ(0u, db.FindItem(sub, "Drums"));           // nor a folder an item
    EXPECT_EQ(folder, db.GetItemParent(kick, 0));
    EXPECT_EQ(drums, db.GetItemParent(kick, 1));
    EXPECT_EQ(0u, db.GetItemParent(snare, 1));
    EXPECT_EQ(3, db.GetNumParent(kick, 1));   // Drums, Percussion, the root
    // a path is where the item lies: its folders below the root, without its own name
    EXPECT_STREQ("Volume1\\Samples", db.GetPath(folder, 0).c_str());
    EXPECT_STREQ("Volume1\\Samples\\Drums", db.GetPath(kick, 0).c_str());
    EXPECT_STREQ("Percussion\\Drums", db.GetPath(kick, 1).c_str());
    EXPECT_STREQ("", db.GetPath(snare, 1).c_str());
    EXPECT_STREQ("", db.GetPath(db.Dirs(), 0).c_str());
    EXPECT_STREQ("", db.GetPath(db.FindFolder(db.Dirs(), "Volume1"), 0).c_str());
    EXPECT_STREQ("Volume1", db.GetPath(sub, 1).c_str());   // a folder's own hierarchy, whatever the selector
    EXPECT_STREQ("Samples", db.GetFolderName(sub).c_str());
    EXPECT_STREQ("Snare.wav", db.GetVarString(snare, 1).c_str());
    EXPECT_STREQ("", db.GetVarString(snare, 2).c_str());
    EXPECT_EQ(1000u, Field32(db, kick, 56));
    EXPECT_EQ(folder, Field32(db, kick, 28));   // link bytes follow the 28-byte header
    EXPECT_EQ(0u, Field32(db, snare, 32));
    EXPECT_EQ(28, db.GetClientDataOffset(db.settings));
    EXPECT_EQ(52, db.GetClientDataOffset(db.wave));
    EXPECT_EQ("C:\\Last", VarText(db, settingsId, 1001));
    EXPECT_EQ((std::vector<unsigned long>{kick, snare}), Children(db, folder));
    EXPECT_EQ(1, db.HasChildren(drums));        // items are leaves of the categories
    EXPECT_EQ(0, db.HasChildren(folder));       // but not of the folders
    EXPECT_EQ(0, db.HasFolderChildren(folder));
    EXPECT_EQ(1, db.HasFolderChildren(sub));
    EXPECT_EQ(1, db.IsFolder(folder));
    EXPECT_EQ(0, db.IsFolder(kick));
    // settings records cannot be filed
    EXPECT_NE("<none>", FailureOf([&] { db.SetParent(settingsId, folder); }));
}

TEST(QuorrelHierarchy, ParentChangesAndDetaching) {
    testsupport::TempDir dir;
    SoundBase db(dir.File("p.dba"));
    unsigned long a = db.CreatePath(db.Dirs(), "V\\A"), b = db.CreatePath(db.Dirs(), "V\\B");
    unsigned long cat = db.CreateFolder(db.cats, db.Cats(), "Loops");
    unsigned long item = db.AddWave(a, "x.wav", 1);
    db.ChangeParent(item, b);
    EXPECT_EQ(0u, db.GetNumChildren(a));
    EXPECT_EQ(b, db.FindItem(b, "x.wav") ? db.GetItemParent(item, 0) : 0);
    db.SetParent(item, cat);
    db.DetachFromParent(item, 1);
    EXPECT_EQ(0u, db.GetItemParent(item, 1));
    EXPECT_EQ(b, db.GetItemParent(item, 0));
    EXPECT_EQ(0u, db.GetNumChildren(cat));
    // folders move within their hierarchy only, never below themselves
    db.ChangeParent(a, b);
    EXPECT_EQ(b, db.GetItemParent(a, 0));
    EXPECT_NE("<none>", FailureOf([&] { db.ChangeParent(b, a); }));
    EXPECT_NE("<none>", FailureOf([&] { db.ChangeParent(a, cat); }));
    // renaming keeps sibling folder names apart, ignoring case
    unsigned long c = db.CreateFolder(db.dirs, b, "C");
    EXPECT_EQ(0, db.RenameFolder(c, "a"));
    EXPECT_EQ(1, db.RenameFolder(c, "Other"));
    EXPECT_EQ(c, db.FindFolder(b, "OTHER"));
    EXPECT_EQ(0u, db.FindFolder(b, "C"));
}

TEST(QuorrelHierarchy, UpdateKeepsTheTargetsLinks) {
    testsupport::TempDir dir;
    SoundBase source(dir.File("source.dba")), target(dir.File("target.dba"));
    unsigned long from = source.AddWave(source.CreatePath(source.Dirs(), "V\\Deep\\Path"), "take.wav", 4321);
    unsigned long folder = target.CreatePath(target.Dirs(), "V\\Other");
    unsigned long cat = target.CreateFolder(target.cats, target.Cats(), "Mine");
    unsigned long existing = target.AddWave(folder, "take.wav", 1);
    target.SetParent(existing, cat);

    BaseItem *copy = source.GetCopy(from);
    EXPECT_EQ(source.wave, DataBase::GetItemType(copy));
    DataBase::SetItemType(copy, target.wave);
    unsigned long sourceParent;
    std::memcpy(&sourceParent, reinterpret_cast<char *>(copy) + 28, 4);
    EXPECT_EQ(source.GetItemParent(from, 0), sourceParent);   // the copy carries the source's links
    EXPECT_EQ(existing, target.Update(existing, copy));
    NH_Heap::FreeMem(copy);
    EXPECT_EQ(4321u, Field32(target, existing, 56));
    EXPECT_EQ(folder, target.GetItemParent(existing, 0));
    EXPECT_EQ(cat, target.GetItemParent(existing, 1));
    EXPECT_EQ(existing, target.FindItem(folder, "TAKE.WAV"));
    EXPECT_TRUE(target.IsChecksumOk(existing));
}

TEST(QuorrelHierarchy, DeleteTreeUnlinksFromEveryHierarchyAndFrees) {
    testsupport::TempDir dir;
    std::string path = dir.File("d.dba");
    unsigned long keepItem, cat;
    std::set<unsigned long> gone;
    {
        SoundBase db(path);
        unsigned long vol = db.CreatePath(db.Dirs(), "Vol");
        unsigned long doomed = db.CreatePath(vol, "Doomed");
        unsigned long deep = db.CreatePath(doomed, "Deeper\\Deepest");
        cat = db.CreateFolder(db.cats, db.Cats(), "Cat");
        keepItem = db.AddWave(vol, "keep.wav", 1);
        db.SetParent(keepItem, cat);
        for (char const *n : {"a.wav", "b.wav"}) {
            unsigned long id = db.AddWave(deep, n, 2);
            db.SetParent(id, cat);
            gone.insert(id);
        }
        gone.insert(db.AddWave(doomed, "c.wav", 3));
        gone.insert({doomed, deep, db.GetItemParent(deep, 0)});
        unsigned long items = db.GetItemInfo(db.wave).count;
        db.DeleteTree(doomed);
        EXPECT_EQ(items - 3, db.GetItemInfo(db.wave).count);
        EXPECT_EQ((std::vector<unsigned long>{keepItem}), Children(db, cat));
        EXPECT_EQ((std::vector<unsigned long>{keepItem}), Children(db, vol));
        // the freed space is used again
        EXPECT_TRUE(gone.count(db.AddWave(vol, "new.wav", 4)));
        db.Erase(db.FindItem(vol, "new.wav"));
    }
    SoundBase db(path);
    for (unsigned long id : gone)
        EXPECT_FALSE(db.IsItem(id));
    EXPECT_EQ((std::vector<unsigned long>{keepItem}), Children(db, cat));
    // a category deleted after its items were detached keeps the items
    db.DetachFromParent(keepItem, 1);
    db.DeleteTree(cat);
    EXPECT_TRUE(db.IsItem(keepItem));
    EXPECT_FALSE(db.IsItem(cat));
    // a folder with children cannot be erased alone
    EXPECT_NE("<none>", FailureOf([&] { db.Erase(db.GetItemParent(keepItem, 0)); }));
}

TEST(QuorrelHierarchy, VisitsItemsAndFoldersAndLetsEmptyFoldersGo) {
    testsupport::TempDir dir;
    SoundBase db(dir.File("v.dba"));
    unsigned long top = db.CreatePath(db.Dirs(), "V");
    unsigned long x = db.CreatePath(top, "X"), y = db.CreatePath(top, "X\\Y"), z = db.CreatePath(top, "Z\\Z2\\Z3");
    std::vector<unsigned long> items = {db.AddWave(top, "1", 0), db.AddWave(x, "2", 0), db.AddWave(y, "3", 0)};
    std::vector<unsigned long> seen;
    auto collect = [](DataBase &, unsigned long id, void *c) {
        static_cast<std::vector<unsigned long> *>(c)->push_back(id);
        return 1;
    };
    db.ForEachItem(top, collect, &seen, 0);
    EXPECT_EQ(1u, seen.size());
    seen.clear();
    db.ForEachItem(top, collect, &seen, 1);
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(items, seen);
    // erasing every folder found empty removes whole empty branches
    db.ForEachFolder(top, [](DataBase &d, unsigned long id, void *) {
        HDataBase &h = static_cast<HDataBase &>(d);
        if (h.GetNumChildren(id) == 0)
            h.Erase(id);
        return 1;
    }, nullptr, 1);
    EXPECT_FALSE(db.IsItem(z));
    EXPECT_TRUE(db.IsItem(x) && db.IsItem(y));
    EXPECT_EQ(0u, db.FindFolder(top, "Z"));
}

TEST(QuorrelHierarchy, LargeFoldersFindByNameAfterRenamesAndRemovals) {
    testsupport::TempDir dir;
    std::string path = dir.File("big.dba");
    unsigned long folder;
    {
        SoundBase db(path);
        DataBase::Batch batch(db);
        folder = db.CreatePath(db.Dirs(), "Big");
        for (int i = 0; i < 3000; ++i)
            db.AddWave(folder, ("file" + std::to_string(i) + ".wav").c_str(), i);
        batch.End();
    }
    SoundBase db(path);
    unsigned long f7 = db.FindItem(folder, "FILE7.wav");
    ASSERT_NE(0u, f7);
    EXPECT_EQ(7u, Field32(db, f7, 56));
    db.RenameItem(f7, "renamed.wav");
    EXPECT_EQ(0u, db.FindItem(folder, "file7.wav"));
    EXPECT_EQ(f7, db.FindItem(folder, "Renamed.wav"));
    unsigned long f9 = db.FindItem(folder, "file9.wav");
    db.Erase(f9);
    EXPECT_EQ(0u, db.FindItem(folder, "file9.wav"));
    unsigned long other = db.CreatePath(db.Dirs(), "Elsewhere");
    unsigned long f11 = db.FindItem(folder, "file11.wav");
    db.ChangeParent(f11, other);
    EXPECT_EQ(0u, db.FindItem(folder, "file11.wav"));
    EXPECT_EQ(f11, db.FindItem(other, "file11.wav"));
    EXPECT_EQ(2998u, db.GetNumChildren(folder));
    std::vector<unsigned long> left = Children(db, folder);
    EXPECT_EQ(2998u, left.size());
    EXPECT_EQ(0, std::count(left.begin(), left.end(), f9) + std::count(left.begin(), left.end(), f11));
    EXPECT_EQ(2999u, Field32(db, db.FindItem(folder, "file2999.wav"), 56));
}

TEST(QuorrelHierarchy, DefaultHooksLinkEveryTypeAndCountSelectorsInRegistrationOrder) {
    testsupport::TempDir dir;
    HDataBase db(dir.File("plain.dba").c_str(), kId, 1, 4096);
    short first = db.RegisterHierarchy("First"), second = db.RegisterHierarchy("Second");
    short type = db.RegisterType("Thing", 0);
    EXPECT_EQ(second, db.RegisterHierarchy("Second"));
    EXPECT_NE("<none>", FailureOf([&] { db.RegisterType("First", 0); }));
    EXPECT_NE("<none>", FailureOf([&] { db.RegisterHierarchy("Thing"); }));
    unsigned long a = db.CreateFolder(first, 0, "A"), b = db.CreateFolder(second, 0, "B");
    EXPECT_EQ(a, db.GetFirstItemInHierarchy(first));
    EXPECT_EQ(52, db.GetClientDataOffset(type));
    ItemMaker maker(type, 60, nullptr);
    unsigned long id = db.Add(maker);
    db.SetParent(id, b);
    EXPECT_EQ(0u, db.GetItemParent(id, 0));
    EXPECT_EQ(b, db.GetItemParent(id, 1));
    EXPECT_EQ(1, db.HasChildren(b));
    EXPECT_NE("<none>", FailureOf([&] { db.CreateFolder(second, a, "cross"); }));
    EXPECT_NE("<none>", FailureOf([&] { db.Add(ItemMaker(type, 40, nullptr)); }));   // too short for the links
}

// Folder links are bytes of the fixed part, so a stray write in place can
// make a folder its own ancestor; such a file is refused as damaged when
// opened, where every walk upwards would otherwise never end.
TEST(QuorrelHierarchy, AFolderLoopIsRefusedWhenOpened) {
    testsupport::TempDir dir;
    struct Case {
        char const *name;
        bool self;
    } cases[] = {{"two folders", false}, {"itself", true}};
    for (Case const &c : cases) {
        SCOPED_TRACE(c.name);
        std::string path = dir.File((std::string(c.name) + ".dba").c_str());
        {
            SoundBase db(path);
            unsigned long a = db.CreatePath(db.Dirs(), "A"), b = db.CreatePath(a, "B");
            db.AddWave(b, "x.wav", 1);
            SetField32(db, a, 28, c.self ? a : b);   // the parent in "HDirectories"
        }
        std::string bytes = testsupport::ReadBytes(path);
        std::string text = FailureOf([&] { SoundBase db(path); });
        EXPECT_NE(std::string::npos, text.find("loop")) << text;
        EXPECT_EQ(bytes, testsupport::ReadBytes(path));
    }
}
