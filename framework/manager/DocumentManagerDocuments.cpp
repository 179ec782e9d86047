// The documents of the program: opening them by name, by type, from several files, from
// the open dialog and from the recent-file list; finding them; closing them.
#include "manager/DocumentManager.h"

#include "core/FrameWindow.h"
#include "manager/Document.h"
#include "manager/DocumentModel.h"
#include "manager/MdiDocumentWindows.h"
#include "manager/View.h"

#include "foundation/Exception.h"
#include "foundation/FileSelector.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"

#include <cstring>

namespace {

bool IsOfType(Document const &doc, DocumentModel const &type) {
    return std::strcmp(doc.GetModel().name, type.name) == 0;
}

// A document that is open already gets a view or shows one, and runs the options it was
// opened with.
void ShowOpenDocument(Document &doc, DocumentModel &type, DocMemento const *memento, int createView) {
    if (createView) {
        if (!doc.GetNumViews())
            type.CreateView(doc, memento ? memento->viewMemento : 0);
        else
            doc.ActivateAnyView();
    }
    if (memento && memento->openOptions)
        doc.ExecuteOpenOptions(*memento->openOptions, 1);
}

void DescribeOpenDialog(FileSelectorInfo &info, DocumentModel const &type, String const *caption, HWND owner,
                        HINSTANCE iconModule) {
    info.kind = 0;
    info.smallIconId = type.dialogIcon;
    info.iconModule = iconModule;
    info.filter = type.openFilter;
    info.filterIndex = type.iOpenFilter;
    info.defaultExtension = type.defExtension;
    info.multiSelection = type.multiSelect;
    info.fileMustExist = 1;
    info.owner = owner;
    info.module = TModule::_localizedResourceDLL ? TModule::_localizedResourceDLL->GetHandle() : 0;
    info.templateId = 101;
    info.initialFolder = type.openPath;
    info.caption = caption ? *caption : type.GetFileOpenDialogCaption();
}

}  // namespace

// ---- opening

Document *DocumentManager::OpenProperDocument(FileName const &name, TPoint const *) {
    String file(name), options;
    long bar = file.FindFirst('|');
    if (bar >= 0) {
        options = String(file.Mid(bar + 1));
        file.KeepLeft(bar);
    }
    String extension(file.GetExtension());
    if (extension.IsEmpty())
        return 0;
    String pattern("*.");
    pattern += extension;
    List<DocumentModel> &models = DocumentModel::GetModels();
    for (DocumentModel *type = models.GetFirst(); type; type = models.GetNext(type)) {
        if (type->openFilter.FindFirst(pattern, 0) < 0)
            continue;
        DocMemento memento;
        bool withOptions = type->acceptsOpenOptions && !options.IsEmpty();
        if (withOptions)
            memento.openOptions = new String(options);
        if (Document *doc = OpenDocument(*type, FileName(file), withOptions ? &memento : 0, 1, 1, 0, 1, 1))
            return doc;
    }
    return 0;
}

void DocumentManager::OpenProperDocuments(List<FileName> const &names, TPoint const *dropPoint) {
    for (FileName *n = names.GetFirst(); n; n = names.GetNext(n))
        OpenProperDocument(*n, dropPoint);
}

Document *DocumentManager::OpenDocument(DocumentModel &type, FileName const &name, DocMemento const *memento,
                                        int askReload, int createView, int *wasOpen, int updateHistory, int last) {
    if (wasOpen)
        *wasOpen = 0;
    if (!File::Exist(name))
        return 0;
    Document *doc = 0;
    try {
        doc = FindDocument(type, name, 0);
        if (wasOpen)
            *wasOpen = doc != 0;
        if (doc && askReload && doc->IsChanged() &&
            ShowBox(FindString(19000), GetName(), MB_YESNO | MB_ICONQUESTION) == IDYES) {
            doc->Delete();
            doc = 0;
        }
        if (doc) {
            ShowOpenDocument(*doc, type, memento, createView);
            return doc;
        }
        if (!MakeRoomFor(type))
            return 0;
        doc = type.OpenDoc(name, memento, createView, last);
        if (doc)
            NoteOpened(*doc, type, name, updateHistory && createView);
    } catch (AException const &e) {
        WarnUser(e, 1);
    }
    return doc;
}

int DocumentManager::MakeRoomFor(DocumentModel const &type) {
    if (type.singleDocument)
        if (Document *single = FindFirst(type))
            if (!single->Close())
                return 0;
    return !type.master || nowRestoringLayout_ || CloseAll(0);
}

// A file that is open leaves the recent-file list.
void DocumentManager::NoteOpened(Document &doc, DocumentModel const &type, FileName const &name, int updateHistory) {
    if (!doc.GetNumFileNames())
        doc.TakeName(name);
    if (updateHistory && doc.GetNumFileNames())
        history_.Remove(doc.GetFileName(0), String(type.name));
}

Document *DocumentManager::OpenMultiFileDocument(DocumentModel &type, String const &names,
                                                 DocMemento const *memento, int askReload, int createView,
                                                 int *allWereOpen) {
    int dummy;
    int &all = allWereOpen ? *allWereOpen : dummy;
    all = 1;
    List<FileName> files;
    ExplodeStringOfFileNames(names, files);
    int count = files.GetCount();
    if (count > 1 && !type.OnBeginMultiOpen(count))
        return 0;
    indexOpened_ = 0;
    Document *doc = 0;
    for (FileName *f = files.GetFirst(); f; f = files.GetNext(f), ++indexOpened_) {
        int wasOpen = 0;
        doc = OpenDocument(type, *f, memento, askReload, createView, &wasOpen, 0, 1);
        if (!doc)
            break;
        if (!wasOpen)
            all = 0;
    }
    if (count > 1)
        type.OnEndMultiOpen();
    if (!doc)
        all = 0;
    else if (doc->GetNumFileNames())
        history_.Remove(GetFileNamesAsOneString(*doc), String(type.name));
    return doc;
}

void DocumentManager::OpenFileOpenDialog(DocumentModel &type, String const *caption, ListOfPtr<Document> *opened,
                                         int noView, int askReload) {
    FileSelectorInfo info;
    DescribeOpenDialog(info, type, caption, frame_ ? frame_->HWindow : 0, GetHandle());
    if (type.fileSelectorHook)
        type.fileSelectorHook(info);
    if (!UserSelectsFile(info) || info.selectedFiles.IsEmpty())
        return;
    if (info.selectedFilterIndex >= 0)
        type.iOpenFilter = short(info.selectedFilterIndex);
    type.openPath = info.selectedFolder;
    OpenChosenFiles(type, info.selectedFiles, opened, noView, askReload);
}

// A type may refuse to open several files at once; then nothing is opened.
void DocumentManager::OpenChosenFiles(DocumentModel &type, List<FileName> const &files, ListOfPtr<Document> *opened,
                                      int noView, int askReload) {
    indexOpened_ = 0;
    int count = files.GetCount();
    if (count > 1 && !type.OnBeginMultiOpen(count))
        return;
    for (FileName *f = files.GetFirst(); f; f = files.GetNext(f), ++indexOpened_) {
        Document *doc = OpenDocument(type, *f, 0, askReload, noView == 0, 0, 1, 1);
        if (!doc)
            break;
        if (opened && !opened->HasMember(doc))
            opened->Append(doc);
    }
    if (count > 1)
        type.OnEndMultiOpen();
}

void DocumentManager::ReloadDocument(Document &document) {
    if (!document.IsChanged() || ShowBox(FindString(19001), GetName(), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    String names = GetFileNamesAsOneString(document);
    DocumentModel *type = document.GetModel().GetRegistered() ? document.GetModel().GetRegistered()
                                                               : FindModel(document.GetModel().name);
    document.Delete();
    if (!names.IsEmpty() && type)
        OpenMultiFileDocument(*type, names, 0, 0, 1, 0);
}

void DocumentManager::CmOpenHistFile(uint id) {
    int n = int(id) - 20030;
    if (n < 0 || n >= history_.GetCount())
        return;
    HistoryItem *item = history_.Item(n);
    if (DocumentModel *type = item ? FindModel(item->GetId().c_str()) : 0)
        OpenMultiFileDocument(*type, String(item->GetFile()), 0, 1, 1, 0);
}

// ---- finding

Document *DocumentManager::FindDocument(DocumentModel const &type, String const &names, int *exact) {
    List<FileName> files;
    ExplodeStringOfFileNames(names, files);
    Document *some = 0;
    if (exact)
        *exact = 0;
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc)) {
        if (!IsOfType(*doc, type))
            continue;
        int attached = 0;
        for (FileName *f = files.GetFirst(); f; f = files.GetNext(f))
            attached += doc->IsAttachedTo(*f) ? 1 : 0;
        if (attached && attached == files.GetCount()) {
            if (exact)
                *exact = 1;
            return doc;
        }
        if (attached)
            some = doc;
    }
    return some;
}

Document *DocumentManager::FindFirst(DocumentModel const &type) {
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc))
        if (IsOfType(*doc, type))
            return doc;
    return 0;
}

View *DocumentManager::FindActiveView() const {
    MDIChild *active = mdiClient_ ? dynamic_cast<MDIChild *>(mdiClient_->GetActiveMDIChild()) : 0;
    return active ? active->GetView() : 0;
}

Document *DocumentManager::FindActiveDocument() const {
    View *view = FindActiveView();
    return view ? &view->GetDocument() : 0;
}

Document *DocumentManager::FindMasterDoc() {
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc))
        if (doc->GetModel().master)
            return doc;
    return 0;
}

Document *DocumentManager::FindFirstDoc() const { return documents_.GetFirst(); }

Document *DocumentManager::FindNextDoc(Document const *doc) const { return documents_.GetNext(doc); }

DocumentModel *DocumentManager::FindModel(char const *name) {
    List<DocumentModel> &models = DocumentModel::GetModels();
    for (DocumentModel *m = models.GetFirst(); m; m = models.GetNext(m))
        if (name && std::strcmp(m->name, name) == 0)
            return m;
    return 0;
}

int DocumentManager::IsValidDocument(DocumentID const &id, int notClosing) const {
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc))
        if (doc == id.GetDocument())
            return (!id.GetSerial() || id.GetSerial() == doc->GetId()) && !(notClosing && doc->IsClosing());
    return 0;
}

String DocumentManager::GetFileNamesAsOneString(Document const &doc) {
    String joined;
    List<FileName> const &names = doc.GetFileNames();
    for (FileName *name = names.GetFirst(); name; name = names.GetNext(name)) {
        if (name != names.GetFirst())
            joined.Append('\t');
        joined.Append(*name);
    }
    return joined;
}

void DocumentManager::ExplodeStringOfFileNames(String names, List<FileName> &list) {
    list.DeleteAll();
    List<StringItem<ListElement>> pieces;
    ExplodeString(pieces, names.c_str(), "\t", 0);
    for (StringItem<ListElement> *p = pieces.GetFirst(); p; p = pieces.GetNext(p))
        list.Append(new FileName(static_cast<String const &>(*p)));
}

void DocumentManager::CmDocInfo() {
    Document *doc = FindActiveDocument();
    if (doc && doc->GetModel().hasInfo)
        ShowBox(doc->GetInfo(0).c_str(), GetName(), MB_ICONASTERISK);
}

void DocumentManager::CeDocInfo(TCommandEnabler &ce) { ce.Enable(currentDoc_ && currentDoc_->GetModel().hasInfo); }

// ---- closing

int DocumentManager::CanCloseAll(DocumentModel const *type) {
    if (unconditionalEnd_)
        return 1;
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc)) {
        bool concerned = type ? IsOfType(*doc, *type) : !doc->FindParentDocument();
        if (concerned && !doc->CanClose())
            return 0;
    }
    return 1;
}

int DocumentManager::CloseAll(DocumentModel const *type) {
    // A refusal closes nothing.
    if (!CanCloseAll(type))
        return 0;
    for (bool again = true; again;) {
        again = false;
        for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc)) {
            if (!doc->GetModel().livesWithViews || (type && !IsOfType(*doc, *type)))
                continue;
            if (!doc->HasReferent()) {
                doc->Delete();
                again = true;
                break;
            }
            if (doc->GetNumViews())
                doc->DeleteViews();
        }
    }
    return 1;
}

LRESULT DocumentManager::CloseAllUnchanged(WPARAM model, LPARAM) {
    DocumentModel const *type = reinterpret_cast<DocumentModel const *>(model);
    for (Document *doc = documents_.GetFirst(), *next; doc; doc = next) {
        next = documents_.GetNext(doc);
        DocumentModel const &t = doc->GetModel();
        if (!t.livesWithViews || t.master || t.noFile || (type && !IsOfType(*doc, *type)))
            continue;
        if (!doc->IsChanged() && !doc->HasReferent())
            doc->Delete();
    }
    return 1;
}
