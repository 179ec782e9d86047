#include "manager/DocumentModel.h"

#include "foundation/MessageCatalogue.h"

List<DocumentModel> *DocumentModel::_models = 0;

List<DocumentModel> &DocumentModel::GetModels() {
    // Types are statics of any module, so the list is made by whoever comes first.
    if (!_models)
        _models = new List<DocumentModel>(0);
    return *_models;
}

DocumentModel::DocumentModel()
    : registered(this), name("Document"), description("Document"), descriptionId(0), dialogIcon(-1),
      openFilter("*.*|*.*|"), openFilterId(0), saveFilter("*.*|*.*|"), saveFilterId(0), backupText("~"),
      iOpenFilter(0), iSaveFilter(0), reserved(0), fileSelectorHook(0), flag0(0), flag1(0), multiSelect(0),
      flag3(0), livesWithViews(0), recordInHistory(0), backupOnNewName(0), backupAlways(0), noFile(0),
      singleDocument(0), master(0), hasInfo(0), acceptsOpenOptions(0) {
    GetModels().Append(this);
}

DocumentModel::DocumentModel(DocumentModel const &o)
    : ListElement(), registered(o.registered), name(o.name), description(o.description),
      descriptionId(o.descriptionId), dialogIcon(o.dialogIcon), openFilter(o.openFilter),
      openFilterId(o.openFilterId), saveFilter(o.saveFilter), saveFilterId(o.saveFilterId),
      defExtension(o.defExtension), backupText(o.backupText), iOpenFilter(o.iOpenFilter),
      iSaveFilter(o.iSaveFilter), reserved(o.reserved), fileSelectorHook(o.fileSelectorHook), flag0(o.flag0),
      flag1(o.flag1), multiSelect(o.multiSelect), flag3(o.flag3), livesWithViews(o.livesWithViews),
      recordInHistory(o.recordInHistory), backupOnNewName(o.backupOnNewName), backupAlways(o.backupAlways),
      noFile(o.noFile), singleDocument(o.singleDocument), master(o.master), hasInfo(o.hasInfo),
      acceptsOpenOptions(o.acceptsOpenOptions) {}

DocumentModel::~DocumentModel() {
    // A registered type leaves the list (types of an unloaded module must not stay).
    if (registered == this && _models)
        _models->Detach(this);
}

Document *DocumentModel::OpenDoc(FileName const &, DocMemento const *, int, int) { return 0; }
int DocumentModel::OnBeginMultiOpen(int) { return 1; }
void DocumentModel::OnEndMultiOpen() {}
String DocumentModel::GetFileOpenDialogCaption() const { return String(); }
View *DocumentModel::CreateView(Document &, ViewMemento const *) { return 0; }
ViewMemento *DocumentModel::CreateUnpackedViewMemento(PackedMemento const *) { return 0; }
DocMemento *DocumentModel::CreateUnpackedDocMemento(PackedMemento const *) { return 0; }
void DocumentModel::LoadPref(Config &) {}
void DocumentModel::SavePref(Config &) {}

void DocumentModel::SetStrings() {
    for (DocumentModel *m = GetModels().GetFirst(); m; m = GetModels().GetNext(m)) {
        if (m->descriptionId)
            m->description = FindString(m->descriptionId);
        if (m->openFilterId)
            m->openFilter = FindString(m->openFilterId);
        if (m->saveFilterId)
            m->saveFilter = FindString(m->saveFilterId);
    }
}
