#include "manager/LayoutStore.h"

#include "core/Application.h"

#include "foundation/Exception.h"
#include "foundation/File.h"
#include "malvane/Malvane.h"

#include <cstring>

DocMemento::~DocMemento() {
    delete openOptions;
    delete viewMemento;
}

MDIChildMemento::MDIChildMemento(HWND window) {
    std::memset(&placement, 0, sizeof placement);
    if (window) {
        placement.length = sizeof placement;
        if (!::GetWindowPlacement(window, &placement))
            std::memset(&placement, 0, sizeof placement);
    }
}

void *MDIChildMemento::CreatePacked() const {
    void *packed = PackedMemento::Allocate(4 + sizeof placement);
    std::memcpy(static_cast<char *>(packed) + 4, &placement, sizeof placement);
    return packed;
}

MDIChildMemento *MDIChildMemento::CreateUnpacked(void const *packed) {
    if (!packed || PackedMemento::GetLength(packed) != 4 + sizeof(WINDOWPLACEMENT))
        return 0;
    WINDOWPLACEMENT p;
    std::memcpy(&p, static_cast<char const *>(packed) + 4, sizeof p);
    if (p.length != sizeof p)
        return 0;
    return new MDIChildMemento(p);
}

void *PackedMemento::Allocate(unsigned long size) {
    if (size < 4)
        size = 4;
    void *block = NH_Heap::GetDefault().Alloc(size);
    std::memset(block, 0, size);
    std::memcpy(block, &size, 4);
    return block;
}

unsigned long PackedMemento::GetLength(void const *packed) {
    unsigned long length = 0;
    if (packed)
        std::memcpy(&length, packed, 4);
    return length;
}

bool PackedMemento::IsValid(void const *packed, unsigned long sizeRead) {
    return packed && sizeRead >= 4 && GetLength(packed) == sizeRead;
}

void PackedMemento::Free(void *packed) { NH_Heap::FreeMem(packed); }

DocMementoItem::~DocMementoItem() { PackedMemento::Free(packed); }

ViewMementoItem::~ViewMementoItem() { PackedMemento::Free(packed); }

int ViewMementoItem::Compare(CollectionElement const &other, int) const {
    unsigned long o = static_cast<ViewMementoItem const &>(other).order;
    return order < o ? -1 : order > o ? 1 : 0;
}

DocMementoItem *LayoutRecords::FindDocument(unsigned long key) const {
    for (DocMementoItem *d = documents.GetFirst(); d; d = documents.GetNext(d))
        if (d->key == key)
            return d;
    return 0;
}

SetupDatabase::SetupDatabase(TApplication &app, FileName const &file)
    : DataBase(file.c_str(), app.GetName(), 5, 4096), layoutType_(RegisterType("MDILayout", 1)) {}

SetupDatabase::~SetupDatabase() {}

SetupDatabase *SetupDatabase::Open(TApplication &app, FileName const &file) {
    auto attempt = [&]() -> SetupDatabase * {
        try {
            return new SetupDatabase(app, file);
        } catch (AException const &) {
        } catch (std::exception const &) {
        }
        return 0;
    };
    if (SetupDatabase *db = attempt())
        return db;
    // Not a store we can trust: keep it for inspection, start afresh.
    FileName aside(file);
    aside += ".bad";
    ::DeleteFileA(aside.c_str());
    if (!::MoveFileA(file.c_str(), aside.c_str()))
        ::DeleteFileA(file.c_str());
    return attempt();
}

namespace {

using LayoutFixed = SetupDatabase::LayoutFixed;
static_assert(sizeof(LayoutFixed) == SetupDatabase::fixedSize, "layout item is 40 bytes");

void AppendPacked(ItemMaker &maker, void const *packed) {
    if (packed)
        maker.AppendVarData(SetupDatabase::fieldPacked, packed, PackedMemento::GetLength(packed));
}

void AddItem(DataBase &db, short type, unsigned long kind, unsigned long order, unsigned long key,
             DocMementoItem const *doc, void const *packed) {
    LayoutFixed fixed;
    std::memset(&fixed, 0, sizeof fixed);
    ItemMaker maker(type, SetupDatabase::fixedSize, 0);
    std::memcpy(&fixed, maker.GetFixed(), sizeof fixed);
    fixed.kind = kind;
    fixed.order = order;
    fixed.docKey = key;
    std::memcpy(maker.GetFixed(), &fixed, sizeof fixed);
    if (doc) {
        maker.AppendVarString(SetupDatabase::fieldTypeName, doc->typeName.c_str());
        maker.AppendVarString(SetupDatabase::fieldNames, doc->names.c_str());
    }
    AppendPacked(maker, packed);
    maker.AppendVarStop();
    db.Add(maker);
}

}  // namespace

void SetupDatabase::WriteLayout(LayoutRecords const &records) {
    if (GetState())
        return;
    Batch batch(*this);
    DeleteAll(layoutType_);
    for (DocMementoItem *d = records.documents.GetFirst(); d; d = records.documents.GetNext(d))
        AddItem(*this, layoutType_, kindDocument, 0, d->key, d, d->packed);
    for (ViewMementoItem *v = records.views.GetFirst(); v; v = records.views.GetNext(v))
        AddItem(*this, layoutType_, kindView, v->order, v->docKey, 0, v->packed);
    batch.End();
}

bool SetupDatabase::ReadLayout(LayoutRecords &records) const {
    records.documents.Clear();
    records.views.Clear();
    try {
        Finder finder(*this, layoutType_);
        for (unsigned long id = finder.GetFirst(); id; id = finder.GetNext()) {
            if (GetFixedSize(id) < fixedSize)
                throw 0;
            LayoutFixed fixed;
            std::memcpy(&fixed, GetItemBase() + id, sizeof fixed);
            unsigned long size = 0;
            void *packed = LoadVarData(id, fieldPacked, &size);
            if (packed && !PackedMemento::IsValid(packed, size)) {
                PackedMemento::Free(packed);
                throw 0;
            }
            if (fixed.kind == kindDocument) {
                auto text = [&](auto field) {
                    String value;
                    unsigned long n = 0;
                    if (char *t = static_cast<char *>(LoadVarData(id, field, &n))) {
                        // bounded by the field's size: a damaged field may lack its zero
                        value = String(t, 0, strnlen(t, n));
                        NH_Heap::FreeMem(t);
                    }
                    return value;
                };
                String type = text(fieldTypeName), names = text(fieldNames);
                records.documents.Append(new DocMementoItem(fixed.docKey, type, names, packed));
            } else {
                records.views.InsertInSortedList(new ViewMementoItem(fixed.order, fixed.docKey, packed));
            }
        }
        return true;
    } catch (...) {
        records.documents.Clear();
        records.views.Clear();
        return false;
    }
}
