// A document type: its name, texts, file filters, folder, flags and the operations
// that open its documents and make their views and layout mementos. Every type
// constructed registers itself in one process-wide list.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

class Config;
class Document;
class View;
class DocMemento;
class ViewMemento;
struct PackedMemento;
struct FileSelectorInfo;

class VELTRANE_API DocumentModel : public ListElement {
public:
    typedef void (*FileSelectorHookFn)(FileSelectorInfo &);

    DocumentModel();
    // A copy keeps pointing to the registered type; it is not registered itself.
    DocumentModel(DocumentModel const &other);
    ~DocumentModel() override;

    virtual Document *OpenDoc(FileName const &name, DocMemento const *memento, int createView, int last);
    virtual int OnBeginMultiOpen(int count);
    virtual void OnEndMultiOpen();
    virtual String GetFileOpenDialogCaption() const;
    virtual View *CreateView(Document &document, ViewMemento const *memento);
    virtual ViewMemento *CreateUnpackedViewMemento(PackedMemento const *packed);
    virtual DocMemento *CreateUnpackedDocMemento(PackedMemento const *packed);
    virtual void LoadPref(Config &config);
    virtual void SavePref(Config &config);

    // Replaces texts that have a message number by the language module's.
    static void SetStrings();
    // The list of every registered type, created on first use.
    static List<DocumentModel> &GetModels();
    static List<DocumentModel> *_models;

    DocumentModel *GetRegistered() const { return registered; }

    DocumentModel *registered;
    char const *name;
    String description;
    int descriptionId;
    int dialogIcon;
    String openFilter;
    int openFilterId;
    String saveFilter;
    int saveFilterId;
    String defExtension;
    String backupText;
    FileName openPath;
    short iOpenFilter;
    short iSaveFilter;
    int reserved;
    FileSelectorHookFn fileSelectorHook;

    unsigned flag0 : 1;
    unsigned flag1 : 1;
    unsigned multiSelect : 1;
    unsigned flag3 : 1;
    unsigned livesWithViews : 1;
    unsigned recordInHistory : 1;
    unsigned backupOnNewName : 1;
    unsigned backupAlways : 1;
    unsigned noFile : 1;
    unsigned singleDocument : 1;
    unsigned master : 1;
    unsigned hasInfo : 1;
    unsigned acceptsOpenOptions : 1;

private:
    DocumentModel &operator=(DocumentModel const &) = delete;
};

// A type whose documents the program makes itself: it opens no files.
template <class T>
class DocumentFactory : public DocumentModel {};
