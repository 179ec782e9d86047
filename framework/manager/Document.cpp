#include "manager/Document.h"

#include "manager/DocumentManager.h"
#include "foundation/File.h"
#include "foundation/FileSelector.h"
#include "core/FrameWindow.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/StringUtils.h"
#include "manager/View.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

long Document::s_id = 0;

namespace {
unsigned const BoxStyle = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;

HWND FrameHandle(DocumentManager *manager) {
    TFrameWindow *frame = manager ? manager->GetFrameWindow() : 0;
    return frame ? frame->HWindow : 0;
}

char const *AppName(DocumentManager *manager) { return manager ? manager->GetName() : ""; }
}  // namespace

void DocumentID::Init(Document const *doc) {
    Doc = doc;
    Serial = doc ? doc->GetId() : 0;
}

Document::Document(DocumentModel const &type, FileName const *name, Document *parent)
    : FileNames(1), Type(type), Window(0), Closing(0), Untitled(0), Serial(++s_id), Manager(_docManager),
      Views(1), Parent(parent), Changed(0) {
    if (Manager)
        Window = (TWindow *)Manager->GetFrameWindow();
    if (!name) {
        // The smallest number no open document has.
        for (int n = 1; !Untitled; ++n) {
            bool used = false;
            if (Manager)
                for (Document *d = Manager->FindFirstDoc(); d && !used; d = Manager->FindNextDoc(d))
                    used = d->Untitled == n;
            if (!used)
                Untitled = n;
        }
        Title = FindString(19007);
        Title.Append(String(Untitled));
    } else if (Type.noFile) {
        Title = *name;
    } else {
        AddFileName(*name);
    }
    if (Manager)
        Manager->GetDocList().Append(this);
}

Document::~Document() {
    if (Manager && Manager->GetCurrentDoc() == this)
        Manager->SetCurrentDoc(0);
    if (Manager) {
        List<Document> &docs = Manager->GetDocList();
        // Children that live with their views and that nobody refers to go with
        // their parent; the others stay, without a parent.
        bool again = !Manager->NowQuitting();
        while (again) {
            again = false;
            for (Document *d = docs.GetFirst(); d; d = docs.GetNext(d))
                if (d->Parent == this && d->Type.livesWithViews && !d->HasReferent()) {
                    Delete(d);
                    again = true;
                    break;
                }
        }
        for (Document *d = docs.GetFirst(); d; d = docs.GetNext(d)) {
            if (d->Parent == this)
                d->ClearParent();
            d->Referents.erase(std::remove(d->Referents.begin(), d->Referents.end(), this), d->Referents.end());
        }
    }
    DeleteViews();
    if (Type.recordInHistory && !FileNames.IsEmpty() && Manager)
        Manager->GetFileHistory().Add(DocumentManager::GetFileNamesAsOneString(*this), Type.name);
    if (Manager)
        Manager->GetDocList().Detach(this);
}

void Document::Delete() { delete this; }

void Document::Delete(Document *doc) {
    if (doc)
        doc->Delete();
}

void Document::DeleteViews() {
    Type.livesWithViews = 0;
    while (View *v = Views.GetFirst()) {
        v->Delete();
        // A view that is not its window's object outlives the window: delete it here.
        if (Views.GetFirst() == v)
            delete v;
    }
}

int Document::Close() {
    if (!(Manager && Manager->IsUnconditionalEnd()) && !CanClose())
        return 0;
    Delete(this);
    return 1;
}

// ---- referents

int Document::AddReferent(Document const &doc) {
    if (HasReferent(doc))
        return 0;
    Referents.push_back(const_cast<Document *>(&doc));
    return 1;
}

int Document::RemoveReferent(Document const &doc, EReferentMode mode) {
    auto it = std::find(Referents.begin(), Referents.end(), &doc);
    if (it == Referents.end())
        return 0;
    Referents.erase(it);
    if (Referents.empty() && (mode == rmDelete || (mode == rmDeleteWithoutViews && Views.IsEmpty())))
        Delete(this);
    return 1;
}

int Document::HasReferent(Document const &doc) const {
    return std::find(Referents.begin(), Referents.end(), &doc) != Referents.end();
}

// ---- names and titles

void Document::AddFileName(FileName const &name) { FileNames.Append(new FileName(name)); }

void Document::TakeName(FileName const &name) {
    AddFileName(name);
    Untitled = 0;
    Title.Clear();
    Changed = 0;
    UpdateViewTitles();
}

FileName Document::GetFileName(int index) const {
    FileName *name = FileNames[index];
    return name ? *name : FileName();
}

String Document::FirstFolder() const {
    FileName *first = FileNames.GetFirst();
    return first ? String(first->GetPath()) : String();
}

String Document::JoinedTitles(char const *separator, int withExtension) const {
    String text;
    for (FileName *n = FileNames.GetFirst(); n; n = FileNames.GetNext(n)) {
        if (n != FileNames.GetFirst())
            text.Append(separator);
        text.Append(String(n->GetTitle(withExtension)));
    }
    return text;
}

String Document::GetTitle() const {
    FileName *first = FileNames.GetFirst();
    return first ? String(first->GetTitle(0)) : Title;
}

String Document::GetTitle(int n) const {
    String title = GetTitle();
    if (n) {
        title.Append(" : ");
        title.Append(String(n));
    }
    return title;
}

String Document::GetName(long how) const {
    if (FileNames.IsEmpty())
        return Title;
    String titles = JoinedTitles(" : ", how & 1);
    if (how & 2) {
        FileName path(FirstFolder(), titles);
        return path;
    }
    if (how & 4) {
        titles.Append(" (");
        titles.Append(FirstFolder());
        titles.Append(")");
    }
    return titles;
}

String Document::GetSaveQueryMessage() const {
    String format = FindString(19002);
    String title = GetTitle();
    int size = int(format.GetLength() + title.GetLength() + 64);
    std::vector<char> buffer(size);
    std::snprintf(buffer.data(), size, format.c_str(), title.c_str());
    return String(buffer.data());
}

void Document::UpdateViewTitles() {
    int count = Views.GetCount(), n = 0;
    for (View *v = Views.GetFirst(); v; v = Views.GetNext(v))
        v->SetTitle(GetTitle(count >= 2 ? ++n : 0));
}

void Document::NotifyViews(int code, long a, long b, View *except) const {
    for (View *v = Views.GetFirst(); v; v = Views.GetNext(v))
        if (v != except && !v->Handler(code, a, b))
            break;
}

View *Document::ActivateAnyView() {
    View *first = Views.GetFirst();
    if (!first || (Manager && Manager->GetCurrentDoc() == this))
        return 0;
    if (!first->IsInFrameWindow())
        return 0;
    TWindow *frame = first->GetWindow()->GetParentO();
    frame->ShowWindow(SW_RESTORE);
    ::BringWindowToTop(frame->HWindow);
    return first;
}

void Document::NotifyIsCurrentDoc(int state) {
    if (!state)
        return;
    TFrameWindow *frame = Manager ? Manager->GetFrameWindow() : 0;
    String caption;
    if (state >= 1) {
        caption = GetTitle();
        caption.Append(" - ");
    }
    caption.Append(AppName(Manager));
    if (frame && frame->HWindow)
        frame->SetCaption(caption.c_str());
    if (Manager)
        Manager->SetCurrentDoc(state >= 1 ? this : 0);
}

String Document::GetInfo(int) {
    String info = FindString(19015);
    info.Append(" : ");
    info.Append(FileNames.IsEmpty() ? Title : JoinedTitles(" | ", 1));
    info.Append("\n");
    String folder = FirstFolder();
    info.Append(FindString(19016));
    info.Append(" : ");
    if (!folder.IsEmpty()) {
        info.Append(folder);
        info.Append("\\");
    }
    info.Append("\n");
    FileName *first = FileNames.GetFirst();
    if (first && File::Exist(*first)) {
        String which;
        if (FileNames.GetCount() > 1) {
            which = " (";
            which.Append(String(first->GetTitle(1)));
            which.Append(")");
        }
        info.Append(FindString(19017));
        info.Append(" : ");
        info.Append(GetStringFileSize((unsigned long)File::GetSize(*first)));
        info.Append(which);
        info.Append("\n");
        unsigned short date = 0, time = 0;
        File::GetDateTime(*first, &date, &time);
        info.Append(FindString(19018));
        info.Append(" : ");
        info.Append(GetDateString(date));
        info.Append(which);
        info.Append("\n");
    }
    return info;
}

// ---- simple defaults

void Document::ExecuteOpenOptions(String const &, int) {}
int Document::IsChanged() { return Changed; }
int Document::IsAttachedTo(FileName const &name) {
    for (FileName *n = FileNames.GetFirst(); n; n = FileNames.GetNext(n))
        if (_stricmp(n->c_str(), name.c_str()) == 0)
            return 1;
    return 0;
}
int Document::CanCloseLastChance() { return 1; }
int Document::OnLastClosedView() { return 1; }
String Document::GetDefExtension() { return Type.defExtension; }
int Document::CouldSaveData() { return !Type.noFile; }
int Document::GetFileFilterIndexForSaving() { return 0; }
String Document::GetCaptionSaveAs(int) { return String(); }
int Document::UpdateFileName(FileName name, int) {
    FileNames.DeleteAll();
    AddFileName(name);
    return 1;
}
int Document::ValidateFileNameForSaving(FileName &, SaveMode, String const *, int) { return 1; }
int Document::AllowSaveCommand() { return IsChanged() && CouldSaveData(); }
int Document::EnableFileNameUpdate(SaveMode mode) { return mode == smSave || mode == smSaveAs; }
int Document::IsNewFileName(FileName const &name) {
    FileName *first = FileNames.GetFirst();
    return !(first && _stricmp(first->c_str(), name.c_str()) == 0);
}
void Document::SaveLayout() {}
PackedMemento *Document::CreatePackedMemento() { return 0; }
Document *Document::FindParentDocument() { return Parent; }
String Document::GetFileTitleA(SaveMode, int) {
    FileName *first = FileNames.GetFirst();
    return first ? String(first->GetTitle(1)) : String();
}
int Document::CanBeMemorizedInLayout() { return 1; }
void Document::SetDelayedMemento(DocMemento *) {}
void Document::ComplementSelectSaveFile(FileSelectorInfo &) {}
int Document::Save(FileName const &, SaveMode, int, void *) { return 1; }

// ---- closing and saving

int Document::CanClose() {
    if (Manager && Manager->IsUnconditionalEnd())
        return 1;
    if (Manager)
        for (Document *d = Manager->FindFirstDoc(); d; d = Manager->FindNextDoc(d))
            if (d != this && d->FindParentDocument() == this && !d->CanClose())
                return 0;
    // A changed document that can be saved is always asked about, whether or not
    // Shift is held and whether or not it has a view: nothing is lost unasked.
    if (!Type.noFile && IsChanged() && CouldSaveData()) {
        String question = GetSaveQueryMessage();
        switch (ShowMessageBox(0, question.c_str(), AppName(Manager), MB_YESNOCANCEL | MB_ICONQUESTION | BoxStyle)) {
            case IDYES:
                if (!CanCloseLastChance())
                    return 0;
                SaveLayout();
                return SaveDoc(0);
            case IDNO:
                return CanCloseLastChance();
            default:
                return 0;
        }
    }
    SaveLayout();
    return 1;
}

int Document::SaveDoc(int ask) {
    FileName *first = FileNames.GetFirst();
    if (first && first->IsValidFileName())
        return SaveDoc(*first, ask ? smSaveAs : smSave, 0, 0);
    return SaveDocAs(0, smSaveAs, 0);
}

int Document::SaveDoc(FileName const &name, SaveMode mode, int arg, void *data) {
    int newName = IsNewFileName(name);
    int backup = DocumentManager::_backupMode;
    if (backup == 4)
        backup = Type.backupOnNewName && (newName || mode != smSave) ? 1 : Type.backupAlways ? 2 : 0;
    HWND frame = FrameHandle(Manager);
    if (!File::CanWrite(frame, name, newName, File::BackupMode(backup), Type.backupText.c_str()))
        return 0;
    if (TFrameWindow *f = Manager ? Manager->GetFrameWindow() : 0)
        if (f->HWindow)
            f->UpdateWindow();
    String oldNames = DocumentManager::GetFileNamesAsOneString(*this);
    int wasUntitled = Untitled;
    if (!Save(name, mode, arg, data))
        return 0;
    if (EnableFileNameUpdate(mode) && UpdateFileName(name, arg)) {
        Changed = 0;
        Untitled = 0;
        Title.Clear();
        UpdateViewTitles();
        if (!wasUntitled && newName && Type.recordInHistory && Manager)
            Manager->GetFileHistory().Add(oldNames, Type.name);
    }
    return 1;
}

int Document::SaveDocAs(int arg, SaveMode mode, void *data) {
    FileSelectorInfo info;
    info.kind = 1;
    info.owner = FrameHandle(Manager);
    info.module = TModule::_localizedResourceDLL ? TModule::_localizedResourceDLL->GetHandle() : 0;
    info.templateId = 101;
    info.smallIconId = Type.dialogIcon;
    info.iconModule = Manager ? Manager->GetHandle() : 0;
    info.filter = Type.saveFilter;
    info.filterIndex = GetFileFilterIndexForSaving();
    DocumentModel *registered = Type.GetRegistered();
    info.initialFolder = registered ? registered->openPath : Type.openPath;
    info.defaultExtension = Type.defExtension;
    info.caption = GetCaptionSaveAs(arg);
    if (!FileNames.IsEmpty())
        info.initialName = FileName(FirstFolder(), GetFileTitleA(mode, arg));
    ComplementSelectSaveFile(info);
    if (!UserSelectsFile(info) || info.selectedFiles.IsEmpty())
        return 0;
    FileName name = *info.selectedFiles.GetFirst();
    if (mode == smSaveCopy && IsAttachedTo(name)) {
        AlertNotSaveUnderThatName();
        return 0;
    }
    String filterText;
    String const *filter = 0;
    if (info.selectedFilterIndex >= 0) {
        List<StringItem<ListElement>> parts;
        ExplodeString(parts, Type.saveFilter.c_str(), "|", 0);
        StringItem<ListElement> *desc = parts[2 * info.selectedFilterIndex];
        StringItem<ListElement> *pattern = parts[2 * info.selectedFilterIndex + 1];
        if (desc && pattern) {
            filterText = *desc;
            filterText.Append(";");
            filterText.Append(*pattern);
            filter = &filterText;
        }
    }
    if (!ValidateFileNameForSaving(name, mode, filter, arg))
        return 0;
    if (registered) {
        registered->openPath = info.selectedFolder;
        if (info.selectedFilterIndex >= 0)
            registered->iSaveFilter = short(info.selectedFilterIndex);
    }
    return SaveDoc(name, mode, arg, data);
}

void Document::AlertNotSaveUnderThatName() {
    ShowMessageBox(0, String(FindString(19003)).c_str(), AppName(Manager), MB_ICONHAND | BoxStyle);
}
