#include "DocumentManager.h"

#include "Document.h"
#include "DocumentModel.h"
#include "StringItem.h"
#include "StringUtils.h"

#include <cstring>

DocumentManager *_docManager = 0;
int _isNT = 0;
int _win95 = 1;
String DocumentManager::_companyName;
String DocumentManager::_appInternalName;
File::BackupMode DocumentManager::_backupMode = File::BackupMode(4);
TModule *DocumentManager::Module = 0;

namespace {
// The store of the settings file; a missing file starts with defaults.
Config LoadSettings(char const *settingsFile, int stamp) {
    Config settings("Main", stamp ? Config::FileStamp : Config::Plain);
    if (settingsFile && *settingsFile) {
        FileName file = FileName::CreateApplicationRelative(settingsFile);
        if (File::Exist(file))
            settings.Load(file);
    }
    return settings;
}
}  // namespace

DocumentManager::DocumentManager(char const *name, char const *settingsFile, int stampSettings, int splashId,
                                 unsigned long splashMilliseconds, int aboutId)
    : TApplication(name, Module), Frame(0), Settings(LoadSettings(settingsFile, stampSettings)), History(Settings),
      UnconditionalEndFlag(0), ClosingAll(0), Documents(1), Quitting(0), SplashMilliseconds(splashMilliseconds),
      SplashId(splashId), AboutId(aboutId), CurrentDoc(0) {
    DocumentModel::SetStrings();
    _docManager = this;
}

DocumentManager::~DocumentManager() {
    Quitting = 1;
    while (Document *doc = Documents.GetFirst())
        delete doc;  // leaves the list itself
    if (_docManager == this)
        _docManager = 0;
}

Document *DocumentManager::FindFirstDoc() const { return Documents.GetFirst(); }

Document *DocumentManager::FindNextDoc(Document const *doc) const { return Documents.GetNext(doc); }

DocumentModel *DocumentManager::FindModel(char const *name) {
    List<DocumentModel> &models = DocumentModel::GetModels();
    for (DocumentModel *m = models.GetFirst(); m; m = models.GetNext(m))
        if (name && std::strcmp(m->name, name) == 0)
            return m;
    return 0;
}

int DocumentManager::IsValidDocument(DocumentID const &id, int notClosing) const {
    for (Document *doc = Documents.GetFirst(); doc; doc = Documents.GetNext(doc))
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
