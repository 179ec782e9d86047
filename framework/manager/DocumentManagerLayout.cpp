// The window layout: which documents the MDI windows show, in which order and with which
// mementos, written to the layout store at the end and brought back at the next start.
#include "manager/DocumentManager.h"

#include "manager/Document.h"
#include "manager/DocumentModel.h"
#include "manager/MdiDocumentWindows.h"
#include "manager/View.h"

#include "foundation/Exception.h"

#include <algorithm>

namespace {

// A second view of a document that is back already; the document takes its memento once.
void AddLayoutView(DocumentModel &type, Document &doc, PackedMemento const *docPacked, PackedMemento const *viewPacked,
                   std::vector<Document *> &hadMemento) {
    if (std::find(hadMemento.begin(), hadMemento.end(), &doc) == hadMemento.end()) {
        std::unique_ptr<DocMemento> memento(type.CreateUnpackedDocMemento(docPacked));
        doc.SetDelayedMemento(memento.get());
        hadMemento.push_back(&doc);
    }
    std::unique_ptr<ViewMemento> memento(type.CreateUnpackedViewMemento(viewPacked));
    type.CreateView(doc, memento.get());
}

}  // namespace

// The document a layout remembers for an MDI window: the first one (in list order) that
// has files, is named, agrees to be remembered and shows a view in that window.
Document *DocumentManager::FindLayoutDocument(HWND mdiChild, View *&view) {
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc)) {
        if (doc->GetModel().noFile || doc->IsUntitled() || !doc->CanBeMemorizedInLayout())
            continue;
        for (View *v = doc->GetViews().GetFirst(); v; v = doc->GetViews().GetNext(v))
            if (v->GetWindow() && v->GetWindow()->GetParentH() == mdiChild) {
                view = v;
                return doc;
            }
    }
    return 0;
}

void DocumentManager::SaveLayout(DataBase &db, short) {
    SetupDatabase *store = dynamic_cast<SetupDatabase *>(&db);
    if (!store || store->GetState() || !mdiClient_ || !mdiClient_->GetHandle())
        return;
    LayoutRecords records;
    CollectLayout(records);
    try {
        store->WriteLayout(records);
    } catch (AException const &e) {
        WarnUser(e, 0);
    }
}

// From the top of the z-order down; owned windows are not document windows.
void DocumentManager::CollectLayout(LayoutRecords &records) {
    unsigned long order = 0;
    for (HWND h = ::GetWindow(mdiClient_->GetHandle(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetWindow(h, GW_OWNER) || !mdiClient_->GetWindowPtr(h))
            continue;
        View *view = 0;
        Document *doc = FindLayoutDocument(h, view);
        if (!doc)
            continue;
        unsigned long key = (unsigned long)doc->GetId();
        records.views.InsertInSortedList(new ViewMementoItem(order++, key, view->CreatePackedMemento()));
        if (!records.FindDocument(key))
            records.documents.Append(new DocMementoItem(key, String(doc->GetModel().name),
                                                        GetFileNamesAsOneString(*doc), doc->CreatePackedMemento()));
    }
}

void DocumentManager::RestoreLayout(DataBase const &db, short) {
    SetupDatabase const *store = dynamic_cast<SetupDatabase const *>(&db);
    if (!store || (::GetKeyState(VK_CONTROL) & 0x8000) || nowRestoringLayout_)
        return;
    nowRestoringLayout_ = 1;
    LayoutRecords records;
    if (store->ReadLayout(records))
        RestoreLayoutWindows(records);
    nowRestoringLayout_ = 0;
}

// The window that was on top is placed last; a window that cannot come back costs only
// itself.
void DocumentManager::RestoreLayoutWindows(LayoutRecords const &records) {
    std::vector<Document *> hadMemento;
    for (ViewMementoItem *v = records.views.GetLast(); v; v = records.views.GetPrev(v)) {
        DocMementoItem *d = records.FindDocument(v->docKey);
        try {
            if (d)
                RestoreLayoutWindow(*d, *v, hadMemento);
        } catch (AException const &e) {
            WarnUser(e, 0);
        }
    }
}

void DocumentManager::RestoreLayoutWindow(DocMementoItem const &item, ViewMementoItem const &view,
                                          std::vector<Document *> &hadMemento) {
    DocumentModel *type = FindModel(item.typeName.c_str());
    if (!type)
        return;
    PackedMemento const *docPacked = static_cast<PackedMemento const *>(item.packed);
    PackedMemento const *viewPacked = static_cast<PackedMemento const *>(view.packed);
    int exact = 0;
    Document *doc = FindDocument(*type, item.names, &exact);
    if (doc) {
        if (exact)
            AddLayoutView(*type, *doc, docPacked, viewPacked, hadMemento);
        return;
    }
    std::unique_ptr<DocMemento> memento(type->CreateUnpackedDocMemento(docPacked));
    if (memento)
        memento->viewMemento = type->CreateUnpackedViewMemento(viewPacked);
    if (Document *opened = OpenMultiFileDocument(*type, item.names, memento.get(), 1, 1, 0))
        hadMemento.push_back(opened);
}
