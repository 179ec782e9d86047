// The window layout store: packed mementos, the items in the item database, damaged
// files and damaged items.
#include "manager/LayoutStore.h"

#include "core/Application.h"

#include "malvane/Malvane.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

#include <cstring>
#include <string>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

TModule *layoutModule = 0;

struct LayoutApp : TApplication {
    LayoutApp() : TApplication("LayoutTest", layoutModule) {}
};

WINDOWPLACEMENT Placement(int left, int top, int right, int bottom, UINT show) {
    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    p.showCmd = show;
    p.rcNormalPosition = {left, top, right, bottom};
    return p;
}

void *Packed(char const *text) {
    unsigned long n = std::strlen(text);
    void *block = PackedMemento::Allocate(4 + n);
    std::memcpy(static_cast<char *>(block) + 4, text, n);
    return block;
}

TEST(PackedMemento, LengthWordAndValidation) {
    void *p = Packed("abc");
    EXPECT_EQ(7u, PackedMemento::GetLength(p));
    EXPECT_TRUE(PackedMemento::IsValid(p, 7));
    EXPECT_FALSE(PackedMemento::IsValid(p, 6));   // read less than it claims
    EXPECT_FALSE(PackedMemento::IsValid(p, 8));   // read more than it claims
    EXPECT_FALSE(PackedMemento::IsValid(p, 3));   // not even a length word
    EXPECT_FALSE(PackedMemento::IsValid(0, 0));
    PackedMemento::Free(p);

    MDIChildMemento placed(Placement(10, 20, 300, 200, SW_SHOWMAXIMIZED));
    void *packed = placed.CreatePacked();
    EXPECT_EQ(48u, PackedMemento::GetLength(packed));
    MDIChildMemento *back = MDIChildMemento::CreateUnpacked(packed);
    ASSERT_TRUE(back != 0);
    EXPECT_EQ(0, std::memcmp(&placed.placement, &back->placement, sizeof placed.placement));
    delete back;
    // a block of another kind is no placement
    void *other = Packed("not a placement at all, not at all, not at all!!");
    EXPECT_TRUE(MDIChildMemento::CreateUnpacked(other) == 0);
    PackedMemento::Free(other);
    PackedMemento::Free(packed);
    EXPECT_TRUE(MDIChildMemento(HWND(0)).placement.length == 0);
}

TEST(LayoutStore, RoundTripKeepsDocumentsAndTheZOrder) {
    TempDir dir;
    LayoutApp app;
    FileName file(dir.File("layout.dat").c_str());
    {
        SetupDatabase *store = SetupDatabase::Open(app, file);
        ASSERT_TRUE(store != 0);
        LayoutRecords records;
        records.documents.Append(new DocMementoItem(7, "Wave", "C:\\a.wav\tC:\\b.wav", Packed("doc seven")));
        records.documents.Append(new DocMementoItem(9, "CD", "C:\\c.cdp", 0));
        records.views.InsertInSortedList(new ViewMementoItem(2, 7, Packed("second view of seven")));
        records.views.InsertInSortedList(new ViewMementoItem(0, 9, 0));
        records.views.InsertInSortedList(new ViewMementoItem(1, 7, Packed("top view of seven")));
        store->WriteLayout(records);
        // saving again replaces, never adds
        store->WriteLayout(records);
        delete store;
    }
    SetupDatabase *store = SetupDatabase::Open(app, file);
    ASSERT_TRUE(store != 0);
    LayoutRecords back;
    ASSERT_TRUE(store->ReadLayout(back));
    ASSERT_EQ(2, back.documents.GetCount());
    ASSERT_EQ(3, back.views.GetCount());
    DocMementoItem *seven = back.FindDocument(7);
    ASSERT_TRUE(seven != 0);
    EXPECT_STREQ("Wave", seven->typeName.c_str());
    EXPECT_STREQ("C:\\a.wav\tC:\\b.wav", seven->names.c_str());
    ASSERT_TRUE(seven->packed != 0);
    EXPECT_EQ(0, std::memcmp(static_cast<char *>(seven->packed) + 4, "doc seven", 9));
    EXPECT_TRUE(back.FindDocument(9)->packed == 0);
    unsigned long order = 0;
    for (ViewMementoItem *v = back.views.GetFirst(); v; v = back.views.GetNext(v), ++order)
        EXPECT_EQ(order, v->order);
    EXPECT_EQ(9u, back.views.GetFirst()->docKey);
    delete store;
}

TEST(LayoutStore, ADamagedItemRestoresNothing) {
    TempDir dir;
    LayoutApp app;
    FileName file(dir.File("layout.dat").c_str());
    SetupDatabase *store = SetupDatabase::Open(app, file);
    ASSERT_TRUE(store != 0);
    LayoutRecords records;
    records.documents.Append(new DocMementoItem(1, "Wave", "C:\\a.wav", 0));
    // a packed memento whose length word claims more than the field holds
    void *lying = Packed("short");
    unsigned long claim = 4000;
    std::memcpy(lying, &claim, 4);
    records.views.InsertInSortedList(new ViewMementoItem(0, 1, 0));
    store->WriteLayout(records);
    {
        ItemMaker maker(store->GetLayoutItemType(), SetupDatabase::fixedSize, 0);
        unsigned long kind = SetupDatabase::kindView;
        std::memcpy(maker.GetFixed() + 28, &kind, 4);
        maker.AppendVarData(SetupDatabase::fieldPacked, lying, 9);
        maker.AppendVarStop();
        store->Add(maker);
    }
    PackedMemento::Free(lying);
    LayoutRecords back;
    EXPECT_FALSE(store->ReadLayout(back));
    EXPECT_EQ(0, back.documents.GetCount());
    EXPECT_EQ(0, back.views.GetCount());
    delete store;
}

TEST(LayoutStore, ACorruptFileIsSetAsideAndANewOneMade) {
    TempDir dir;
    LayoutApp app;
    std::string path = dir.File("layout.dat");
    WriteBytes(path, std::string(3000, '\x5A'));
    SetupDatabase *store = SetupDatabase::Open(app, FileName(path.c_str()));
    ASSERT_TRUE(store != 0);
    LayoutRecords back;
    EXPECT_TRUE(store->ReadLayout(back));
    EXPECT_EQ(0, back.views.GetCount());
    delete store;
    EXPECT_EQ(std::string(3000, '\x5A'), ReadBytes(path + ".bad"));
}

}  // namespace
