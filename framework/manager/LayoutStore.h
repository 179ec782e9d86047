// The window layout store: which documents were open and where their MDI windows stood,
// kept as typed items of an item database in "system\layout.dat". A document and a view
// turn their state into a packed memento: a flat block whose first 32-bit word is its
// total length in bytes.
#pragma once

#include "core/VeltraneDefs.h"

#include "quorrel/DataBase.h"
#include "quorrel/ItemMaker.h"

#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <windows.h>

#include <cstdint>

class TApplication;

// Layout state in object form.
class VELTRANE_API AMemento {
public:
    virtual ~AMemento() {}
};

class VELTRANE_API ViewMemento : public AMemento {
public:
    ViewMemento() {}
    ViewMemento(ViewMemento const &) {}
    ViewMemento &operator=(ViewMemento const &) { return *this; }
    ~ViewMemento() override {}
};

// Open options and the first view's memento of a document; owns both.
class VELTRANE_API DocMemento : public AMemento {
public:
    DocMemento() : openOptions(0), viewMemento(0) {}
    ~DocMemento() override;
    DocMemento(DocMemento const &) = delete;
    DocMemento &operator=(DocMemento const &) = delete;

    String *openOptions;
    ViewMemento *viewMemento;
};

// The placement of one MDI child.
struct VELTRANE_API MDIChildMemento : public ViewMemento {
    explicit MDIChildMemento(HWND window);
    explicit MDIChildMemento(WINDOWPLACEMENT const &placement) : placement(placement) {}
    MDIChildMemento(MDIChildMemento const &other) : ViewMemento(), placement(other.placement) {}
    MDIChildMemento &operator=(MDIChildMemento const &other) {
        placement = other.placement;
        return *this;
    }

    // The packed form: length word, then the 44-byte placement.
    void *CreatePacked() const;
    // Null when the block is not a packed placement.
    static MDIChildMemento *CreateUnpacked(void const *packed);

    WINDOWPLACEMENT placement;
};

// A packed memento: a block of the default heap (freed with NH_Heap::FreeMem) whose
// first 32-bit word is its total length in bytes; the rest belongs to its maker.
struct VELTRANE_API PackedMemento {
    uint32_t length;

    // A new block of size bytes (length word included) with the length word set.
    static void *Allocate(unsigned long size);
    static unsigned long GetLength(void const *packed);
    // True when the block read from the store holds exactly what its length word says.
    static bool IsValid(void const *packed, unsigned long sizeRead);
    static void Free(void *packed);
};

// One document of the layout.
class VELTRANE_API DocMementoItem : public ListElement {
public:
    DocMementoItem(unsigned long key, String const &typeName, String const &names, void *packed)
        : key(key), typeName(typeName), names(names), packed(packed) {}
    ~DocMementoItem() override;
    DocMementoItem(DocMementoItem const &) = delete;
    DocMementoItem &operator=(DocMementoItem const &) = delete;

    unsigned long key;
    String typeName;
    String names;
    void *packed;  // owned, may be null
};

// One MDI window of the layout; order 0 was on top. Sorted lists run from 0 upward.
class VELTRANE_API ViewMementoItem : public ListElement {
public:
    ViewMementoItem(unsigned long order, unsigned long docKey, void *packed)
        : order(order), docKey(docKey), packed(packed) {}
    ~ViewMementoItem() override;
    ViewMementoItem(ViewMementoItem const &) = delete;
    ViewMementoItem &operator=(ViewMementoItem const &) = delete;
    int Compare(CollectionElement const &other, int) const override;

    unsigned long order;
    unsigned long docKey;
    void *packed;  // owned, may be null
};

// The layout as read from or written to the store.
struct VELTRANE_API LayoutRecords {
    LayoutRecords() : views(1) {}
    List<DocMementoItem> documents;
    List<ViewMementoItem> views;  // kept sorted by order
    DocMementoItem *FindDocument(unsigned long key) const;
};

class VELTRANE_API SetupDatabase : public DataBase {
public:
    SetupDatabase(TApplication &app, FileName const &file);
    ~SetupDatabase() override;
    // Opens the store; a file that cannot be opened as one is moved aside (".bad") and a
    // new one made. Null when even that fails: the layout is then neither saved nor restored.
    static SetupDatabase *Open(TApplication &app, FileName const &file);

    short GetLayoutItemType() const { return layoutType_; }

    // Replaces every layout item by the given ones in one commit.
    void WriteLayout(LayoutRecords const &records);
    // Reads every layout item. Returns false, leaving records empty, when any item is
    // damaged (a short fixed part, a packed memento whose length word does not match
    // what was read): a corrupt layout restores nothing.
    bool ReadLayout(LayoutRecords &records) const;

    // Layout item: the fixed part below; variable fields 1 type name, 4 joined file
    // names, 5 packed memento.
    struct LayoutFixed {
        char header[DataBase::headerSize];
        uint32_t kind;
        uint32_t order;
        uint32_t docKey;
    };
    enum { fixedSize = 40, kindDocument = 0, kindView = 1 };
    enum { fieldTypeName = 1, fieldNames = 4, fieldPacked = 5 };

private:
    short layoutType_;
};
