// The base of every document: its file names, its copy of its type, its views, the
// documents that refer to it, its changed state, and the save, save-as and close
// dialogue with the user.
#pragma once

#include "core/VeltraneDefs.h"

#include "manager/DocumentModel.h"
#include "foundation/FileName.h"
#include "foundation/Lists.h"
#include "foundation/Strings.h"

#include <vector>

class DocumentManager;
class View;
class TWindow;
class DocMemento;
struct PackedMemento;
struct FileSelectorInfo;

class Document;

// A document pointer with its serial number, which a worker keeps and checks.
class VELTRANE_API DocumentID {
public:
    DocumentID() : Doc(0), Serial(0) {}
    DocumentID(Document const *doc) { Init(doc); }
    DocumentID(Document const *doc, long serial) : Doc(doc), Serial(serial) {}
    void Clear() { Doc = 0, Serial = 0; }
    void Init(Document const *doc);
    void Init(Document const *doc, long serial) { Doc = doc, Serial = serial; }
    bool operator==(DocumentID const &o) const { return Doc == o.Doc && Serial == o.Serial; }
    bool operator!=(DocumentID const &o) const { return !(*this == o); }
    int IsInitialized() const { return Serial != 0; }
    Document const *GetDocument() const { return Doc; }
    long GetSerial() const { return Serial; }

private:
    Document const *Doc;
    long Serial;
};

// 0 plain save under the own name, 1 asked by the user (and save-as), 2 save a copy.
enum SaveMode { smSave = 0, smSaveAs = 1, smSaveCopy = 2 };
// What RemoveReferent does when the last referent goes.
enum EReferentMode { rmKeep = 0, rmDelete = 1, rmDeleteWithoutViews = 2 };

class VELTRANE_API Document : public ListElement {
public:
    Document(DocumentModel const &type, FileName const *name = 0, Document *parent = 0);
    ~Document() override;

    virtual void Delete();
    virtual void ExecuteOpenOptions(String const &options, int);
    virtual String GetName(long how) const;
    virtual String GetTitle() const;
    virtual int IsChanged();
    virtual int IsAttachedTo(FileName const &name);
    virtual int SaveDoc(int ask);
    virtual int CanClose();
    virtual int CanCloseLastChance();
    virtual int OnLastClosedView();
    virtual String GetDefExtension();
    virtual int CouldSaveData();
    virtual int GetFileFilterIndexForSaving();
    virtual String GetCaptionSaveAs(int);
    virtual int UpdateFileName(FileName name, int);
    // The name may be completed (its extension) before it is used.
    virtual int ValidateFileNameForSaving(FileName &name, SaveMode mode, String const *filter, int);
    virtual int AllowSaveCommand();
    virtual int EnableFileNameUpdate(SaveMode mode);
    virtual int IsNewFileName(FileName const &name);
    virtual void NotifyIsCurrentDoc(int state);
    virtual void SaveLayout();
    virtual PackedMemento *CreatePackedMemento();
    virtual Document *FindParentDocument();
    virtual String GetFileTitleA(SaveMode mode, int);
    virtual String GetInfo(int);
    virtual int CanBeMemorizedInLayout();
    virtual void SetDelayedMemento(DocMemento *memento);
    virtual String GetSaveQueryMessage() const;
    virtual void ComplementSelectSaveFile(FileSelectorInfo &info);
    virtual int Save(FileName const &name, SaveMode mode, int, void *data);

    static void Delete(Document *doc);
    void DeleteViews();
    int Close();

    int AddReferent(Document const &doc);
    int RemoveReferent(Document const &doc, EReferentMode mode);
    int HasReferent(Document const &doc) const;
    int HasReferent() const { return !Referents.empty(); }

    void AddFileName(FileName const &name);
    // A document made without a name takes its first file name: it gives its untitled
    // number back (the next untitled document may use it), drops its title and is unchanged.
    void TakeName(FileName const &name);
    FileName GetFileName(int index) const;
    List<FileName> const &GetFileNames() const { return FileNames; }
    int GetNumFileNames() const { return FileNames.GetCount(); }

    View *ActivateAnyView();
    void NotifyViews(int code, long a = 0, long b = 0, View *except = 0) const;
    void UpdateViewTitles();
    String GetTitle(int n) const;

    int SaveDoc(FileName const &name, SaveMode mode, int arg, void *data);
    int SaveDocAs(int arg, SaveMode mode, void *data);
    void AlertNotSaveUnderThatName();

    DocumentModel &GetModel() { return Type; }
    DocumentModel const &GetModel() const { return Type; }
    DocumentManager *GetManager() const { return Manager; }
    List<View> &GetViews() { return Views; }
    List<View> const &GetViews() const { return Views; }
    int GetNumViews() const { return Views.GetCount(); }
    long GetId() const { return Serial; }
    int GetUntitledNumber() const { return Untitled; }
    int IsUntitled() const { return Untitled != 0; }
    int IsClosing() const { return Closing; }
    void SetClosing(int closing) { Closing = closing; }
    void SetChanged(int changed) { Changed = changed; }
    TWindow *GetWindow() const { return Window; }

    static long s_id;

protected:
    void ClearParent() { Parent = 0; }

    List<FileName> FileNames;
    DocumentModel Type;
    TWindow *Window;
    int Closing;
    int Untitled;
    String Title;
    long Serial;
    DocumentManager *Manager;
    List<View> Views;
    Document *Parent;
    int Changed;
    std::vector<Document *> Referents;

private:
    friend class View;
    Document(Document const &) = delete;
    Document &operator=(Document const &) = delete;
    String FirstFolder() const;
    String JoinedTitles(char const *separator, int withExtension) const;
};
