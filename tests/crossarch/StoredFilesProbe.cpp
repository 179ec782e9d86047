// Writes and reads the files the program keeps: a configuration store, a window layout
// store and an item database. A file written by one build (32-bit or 64-bit) must read
// back with the same contents in the other.
//
//   StoredFilesProbe write FOLDER      writes the three files
//   StoredFilesProbe read FOLDER       reads them; exit code 0 when all are as written
//   StoredFilesProbe roundtrip FOLDER  both, with this build alone
#include "core/Application.h"
#include "manager/LayoutStore.h"

#include "foundation/Config.h"
#include "quorrel/DataBase.h"
#include "foundation/Exception.h"
#include "quorrel/ItemMaker.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

char const kDataBaseId[] = "StoredFilesProbe 1";
unsigned char const kBlob[] = {0x00, 0x7F, 0x80, 0xFF, 0x12, 0x34, 0x56, 0x78};

TModule *probeModule = 0;

struct ProbeApp : TApplication {
    ProbeApp() : TApplication("StoredFilesProbe", probeModule) {}
};

int failures = 0;

void Check(bool ok, char const *what) {
    if (!ok) {
        std::printf("differs: %s\n", what);
        ++failures;
    }
}

// ---- configuration store

void FillConfig(Config &c) {
    c.MoveDown("Main");
    c.SetValue(-7, "Int");
    c.SetValue(4000000000UL, "Unsigned");
    c.SetValue(-2000000000L, "Long");
    c.SetValue(3.25, "Double");
    c.SetValue("C:\\sounds\\wave.wav", "Text");
    c.SetBinary(kBlob, sizeof kBlob, "Blob");
    c.MoveDown("Nested");
    c.SetValue(1, "Deep", 2);
    c.MoveToRoot();
}

void WriteConfig(std::string const &file) {
    Config c("Probe");
    FillConfig(c);
    c.Save(file.c_str());
}

void ReadConfig(std::string const &file) {
    Config expected("Probe"), read("Probe");
    FillConfig(expected);
    read.Load(file.c_str());
    Check(read == expected, "configuration store");
}

// ---- window layout store

void *Packed(char const *text) {
    unsigned long n = static_cast<unsigned long>(std::strlen(text));
    void *block = PackedMemento::Allocate(4 + n);
    std::memcpy(static_cast<char *>(block) + 4, text, n);
    return block;
}

WINDOWPLACEMENT Placement() {
    WINDOWPLACEMENT p = {};
    p.length = sizeof p;
    p.showCmd = SW_SHOWMAXIMIZED;
    p.ptMaxPosition = {-4, -4};
    p.rcNormalPosition = {10, 20, 300, 200};
    return p;
}

void WriteLayout(std::string const &file) {
    ProbeApp app;
    SetupDatabase *store = SetupDatabase::Open(app, file.c_str());
    Check(store != 0, "layout store made");
    if (!store)
        return;
    LayoutRecords records;
    records.documents.Append(new DocMementoItem(7, "Wave", "C:\\a.wav\tC:\\b.wav", Packed("doc seven")));
    records.views.InsertInSortedList(new ViewMementoItem(0, 7, MDIChildMemento(Placement()).CreatePacked()));
    records.views.InsertInSortedList(new ViewMementoItem(1, 7, 0));
    store->WriteLayout(records);
    delete store;
}

void ReadLayout(std::string const &file) {
    ProbeApp app;
    SetupDatabase *store = SetupDatabase::Open(app, file.c_str());
    LayoutRecords back;
    bool read = store && store->ReadLayout(back);
    delete store;
    Check(read && back.documents.GetCount() == 1 && back.views.GetCount() == 2, "layout items");
    if (!read || back.documents.GetCount() != 1 || back.views.GetCount() != 2)
        return;
    DocMementoItem const *doc = back.FindDocument(7);
    Check(doc && doc->typeName == "Wave" && doc->names == "C:\\a.wav\tC:\\b.wav", "layout document");
    Check(doc && doc->packed && PackedMemento::GetLength(doc->packed) == 13 &&
              std::memcmp(static_cast<char *>(doc->packed) + 4, "doc seven", 9) == 0,
          "document memento");
    ViewMementoItem const *top = back.views.GetFirst();
    MDIChildMemento *placed = MDIChildMemento::CreateUnpacked(top->packed);
    WINDOWPLACEMENT expected = Placement();
    Check(top->docKey == 7 && placed && std::memcmp(&placed->placement, &expected, sizeof expected) == 0,
          "window placement");
    delete placed;
    Check(back.views.GetNext(top)->packed == 0, "view without memento");
}

// ---- item database

unsigned long AddItem(DataBase &db, short type, unsigned long value, char const *name) {
    ItemMaker maker(type, 40, nullptr);
    std::memcpy(maker.GetFixed() + 28, &value, 4);
    maker.AppendVarString(1, name);
    maker.AppendVarData(5, kBlob, sizeof kBlob);
    maker.AppendVarStop();
    return db.Add(maker);
}

void WriteDataBase(std::string const &file) {
    DataBase db(file.c_str(), kDataBaseId, DataBase::createIfMissing, 4096);
    short sounds = db.RegisterType("Sound", 0);
    for (unsigned long i = 1; i <= 20; ++i)
        AddItem(db, sounds, i * 1000003UL, ("sound " + std::to_string(i)).c_str());
}

void ReadDataBase(std::string const &file) {
    DataBase db(file.c_str(), kDataBaseId, 0, 4096);
    short sounds = db.FindType("Sound");
    Check(sounds != 0 && db.GetItemInfo(sounds).count == 20, "item count");
    unsigned long i = 0;
    DataBase::Finder finder(db, sounds);
    for (unsigned long id = finder.GetFirst(); id; id = finder.GetNext()) {
        ++i;
        unsigned long value = 0;
        std::memcpy(&value, db.GetItemBase() + id + 28, 4);
        Check(value == i * 1000003UL && db.GetVarString(id, 1) == ("sound " + std::to_string(i)).c_str() &&
                  db.IsChecksumOk(id),
              "item fields");
        unsigned char blob[sizeof kBlob] = {};
        unsigned long size = sizeof blob;
        Check(db.GetVarData(id, 5, blob, &size) && size == sizeof kBlob && !std::memcmp(blob, kBlob, size),
              "item data");
    }
    Check(i == 20, "items found");
}

// Files of an earlier run go first: each is written anew.
void Write(std::string const &folder) {
    for (char const *name : {"probe.set", "layout.dat", "items.dba"})
        ::DeleteFileA((folder + "\\" + name).c_str());
    WriteConfig(folder + "\\probe.set");
    WriteLayout(folder + "\\layout.dat");
    WriteDataBase(folder + "\\items.dba");
}

void Read(std::string const &folder) {
    ReadConfig(folder + "\\probe.set");
    ReadLayout(folder + "\\layout.dat");
    ReadDataBase(folder + "\\items.dba");
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) {
        std::printf("usage: StoredFilesProbe write|read|roundtrip FOLDER\n");
        return 2;
    }
    std::string mode = argv[1], folder = argv[2];
    ::CreateDirectoryA(folder.c_str(), 0);
    try {
        if (mode == "write" || mode == "roundtrip")
            Write(folder);
        if (mode == "read" || mode == "roundtrip")
            Read(folder);
    } catch (AException const &e) {
        std::printf("failed: %s\n", e.why().c_str());
        return 1;
    }
    std::printf("%s %s: %s\n", mode.c_str(), folder.c_str(), failures ? "FAILED" : "ok");
    return failures ? 1 : 0;
}
