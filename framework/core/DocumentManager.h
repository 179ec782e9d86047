// The application object of programs built on the framework: the open documents,
// the settings store and the recent-file list. Start-up, the window layout, the
// warnings and the document commands are added to it by the document layer.
#pragma once

#include "VeltraneDefs.h"

#include "Application.h"
#include "Config.h"
#include "File.h"
#include "FileHistory.h"
#include "Lists.h"
#include "Strings.h"

class Document;
class DocumentID;
class DocumentModel;
class TFrameWindow;

class VELTRANE_API DocumentManager : public TApplication {
public:
    DocumentManager(char const *name, char const *settingsFile, int stampSettings = 0, int splashId = 0,
                    unsigned long splashMilliseconds = 0, int aboutId = 0);
    ~DocumentManager() override;

    TFrameWindow *GetFrameWindow() const { return Frame; }
    void SetFrameWindow(TFrameWindow *frame) { Frame = frame; }
    virtual void NotifyNoMoreFrame() { Frame = 0; }
    Config &GetConfig() { return Settings; }
    FileHistory &GetFileHistory() { return History; }

    List<Document> &GetDocList() { return Documents; }
    Document *FindFirstDoc() const;
    Document *FindNextDoc(Document const *doc) const;
    Document *GetCurrentDoc() const { return CurrentDoc; }
    void SetCurrentDoc(Document *doc) { CurrentDoc = doc; }
    static DocumentModel *FindModel(char const *name);
    // Still listed, the serial number matches (an id without one matches any) and,
    // with notClosing, the document is not being taken down.
    int IsValidDocument(DocumentID const &id, int notClosing) const;

    void UnconditionalEnd() { UnconditionalEndFlag = 1; }
    int IsUnconditionalEnd() const { return UnconditionalEndFlag; }
    int IsClosingAll() const { return ClosingAll; }
    void SetClosingAll(int closing) { ClosingAll = closing; }
    int NowQuitting() const { return Quitting; }
    void SetQuitting(int quitting) { Quitting = quitting; }

    // A document made of several files is named by its file names joined with TAB.
    static String GetFileNamesAsOneString(Document const &doc);
    static void ExplodeStringOfFileNames(String names, List<FileName> &list);

    static String _companyName;
    static String _appInternalName;
    static File::BackupMode _backupMode;

protected:
    TFrameWindow *Frame;
    Config Settings;
    FileHistory History;
    int UnconditionalEndFlag;
    int ClosingAll;
    List<Document> Documents;
    int Quitting;
    unsigned long SplashMilliseconds;
    int SplashId;
    int AboutId;
    Document *CurrentDoc;

private:
    static TModule *Module;
};

extern VELTRANE_API DocumentManager *_docManager;
extern VELTRANE_API int _isNT;
extern VELTRANE_API int _win95;
