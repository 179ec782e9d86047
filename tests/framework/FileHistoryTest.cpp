// The recent-file list: order, equality, the limit of ten, the store and the File menu.
#include "foundation/Config.h"
#include "manager/FileHistory.h"
#include "tests/framework/TestKit.h"

#include <gtest/gtest.h>

#include <string>

namespace {

String Name(int n) { return String("C:\\Sounds\\take") + String(n) + ".wav"; }

}  // namespace

TEST(FileHistory, AddMovesToFrontAndComparesFilesWithoutCase) {
    Config store("Main");
    FileHistory history(store);
    history.Add("C:\\a.wav", "Wave");
    history.Add("C:\\b.wav", "Wave");
    history.Add("C:\\A.WAV", "Wave");  // the same entry: moved to the front
    history.Add("C:\\b.wav", "CD");    // another type: an entry of its own
    history.Add("", "Wave");            // nothing
    ASSERT_EQ(3, history.GetCount());
    EXPECT_STREQ("C:\\b.wav", history.Item(0)->GetFile().c_str());
    EXPECT_STREQ("CD", history.Item(0)->GetId().c_str());
    EXPECT_STREQ("C:\\A.WAV", history.Item(1)->GetFile().c_str());
    EXPECT_STREQ("C:\\b.wav", history.Item(2)->GetFile().c_str());
    history.Remove("c:\\B.WAV", "Wave");
    EXPECT_EQ(2, history.GetCount());
    history.Remove("c:\\nothing.wav", "Wave");
    EXPECT_EQ(2, history.GetCount());
}

TEST(FileHistory, StoresTheFirstTenAndSkipsUnstorableEntriesWithoutLosingLaterOnes) {
    Config store("Main");
    store.MoveDown("Elsewhere");
    {
        FileHistory history(store);
        EXPECT_STREQ("Elsewhere", store.GetCurrentKey()->GetName().c_str());  // the cursor is kept
        for (int n = 1; n <= 12; ++n)
            history.Add(Name(n), "Wave");
        history.Add("$temporary", "Wave");  // newest, shown but not stored
        EXPECT_EQ(13, history.GetCount());
    }
    EXPECT_STREQ("Elsewhere", store.GetCurrentKey()->GetName().c_str());
    FileHistory again(store);
    // Of the first ten entries the "$" one is not written; the nine after it are.
    ASSERT_EQ(9, again.GetCount());
    EXPECT_STREQ(Name(12).c_str(), again.Item(0)->GetFile().c_str());
    EXPECT_STREQ(Name(4).c_str(), again.Item(8)->GetFile().c_str());
    EXPECT_STREQ("Wave", again.Item(8)->GetId().c_str());

    store.MoveToRoot();
    store.MoveDown("FileHistory");
    EXPECT_STREQ(Name(12).c_str(), store.GetValue("", "File", 0).c_str());
    EXPECT_STREQ(Name(4).c_str(), store.GetValue("", "File", 8).c_str());
    EXPECT_FALSE(store.ExistValue("File", 9));
}

TEST(FileHistory, ReadingDropsDuplicatesAndStopsAtTheFirstGap) {
    Config store("Main");
    store.MoveDown("FileHistory");
    store.SetValue("C:\\x.wav", "File", 0);
    store.SetValue("Wave", "Id", 0);
    store.SetValue("C:\\X.WAV", "File", 1);
    store.SetValue("Wave", "Id", 1);
    store.SetValue("C:\\y.wav", "File", 2);
    store.SetValue("Wave", "Id", 2);
    store.SetValue("C:\\z.wav", "File", 4);  // after a gap: not read
    FileHistory history(store);
    ASSERT_EQ(2, history.GetCount());
    EXPECT_STREQ("C:\\y.wav", history.Item(1)->GetFile().c_str());
}

TEST(FileHistory, FileMenuShowsTenEntriesAfterExit) {
    Config store("Main");
    FileHistory history(store);
    HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, 101, "Open");
    ::AppendMenuA(file, MF_STRING, 20007, "Exit");
    ::AppendMenuA(file, MF_STRING, 999, "Stale");

    history.UpdateMenu(file, 0);  // empty list: no separator
    EXPECT_EQ("Open,Exit", MenuItemTexts(file));
    EXPECT_EQ(0, history.GetAddedItems());

    history.Add("C:\\Dir\\Second.WAV\tC:\\Dir\\Other.wav", "Wave");
    for (int n = 11; n >= 1; --n)
        history.Add(Name(n), "Wave");
    history.Add("C:\\Dir\\Second.WAV\tC:\\Dir\\Other.wav", "Wave");
    history.UpdateMenu(file, 0);
    EXPECT_EQ(11, history.GetAddedItems());
    ASSERT_EQ(13, ::GetMenuItemCount(file));
    EXPECT_EQ("Open,Exit,-,&1 c:\\dir\\second.wav | other.wav,&2 c:\\sounds\\take1.wav,"
              "&3 c:\\sounds\\take2.wav,&4 c:\\sounds\\take3.wav,&5 c:\\sounds\\take4.wav,"
              "&6 c:\\sounds\\take5.wav,&7 c:\\sounds\\take6.wav,&8 c:\\sounds\\take7.wav,"
              "&9 c:\\sounds\\take8.wav,&0 c:\\sounds\\take9.wav",
              MenuItemTexts(file));
    EXPECT_EQ(20030u, ::GetMenuItemID(file, 3));
    EXPECT_EQ(20039u, ::GetMenuItemID(file, 12));

    HMENU edit = ::CreatePopupMenu();  // no exit command: left alone
    ::AppendMenuA(edit, MF_STRING, 201, "Cut");
    history.UpdateMenu(edit, 1);
    EXPECT_EQ("Cut", MenuItemTexts(edit));
    ::DestroyMenu(file);
    ::DestroyMenu(edit);
}
