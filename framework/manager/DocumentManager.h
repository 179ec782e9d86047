// The application object of every program built on the framework: start-up and the
// single instance, the language and resource modules, the preferences of "General",
// the warning queue that any thread may feed, help, and the window layout store.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Application.h"
#include "core/DrawHelpers.h"
#include "core/SysInfo.h"
#include "foundation/File.h"
#include "manager/FileHistory.h"
#include "core/Window.h"
#include "manager/LayoutStore.h"

#include "foundation/Config.h"
#include "foundation/CriticalSection.h"
#include "foundation/FileName.h"
#include "foundation/PtrLists.h"
#include "foundation/StringItem.h"

#include <windows.h>

#include <memory>
#include <vector>

class TMDIClient;
class FrameWindow;
class Document;
class DocumentID;
class DocumentModel;
class TFrameWindow;
class MDIClient;
class Exception;
class StatusBar;
class View;

// One row of a program's language table; a row with id 0 is the default and ends it.
struct LanguageDLL {
    int id;                // a primary language id
    char const *fileName;  // relative to the program's folder
};

// The system's help record followed by an explicit identifier.
struct VELTRANE_API HelpInfo : HELPINFO {
    HelpInfo() { explicitId = 0; }
    int explicitId;
};

// One record of "system\helpcmd.bin".
struct HelpCommand {
    short windowId;
    short controlId;
    unsigned long context;
};

class VELTRANE_API DocumentManager : public TApplication {
public:
    // First call of a program's main entry: 1 to go on, 0 to end the process.
    static int VeryFirstInit(int argc, char **argv, char const *appName, char const *frameClass,
                             char const *company, char const *commonResourceFile, LanguageDLL const *languages);

    DocumentManager(char const *name, char const *settingsFile, int stampSettings = 0, int splashBitmapId = 0,
                    unsigned long splashMilliseconds = 0, int aboutDialogId = 0);
    ~DocumentManager() override;

    void InitInstance() override;
    int CanClose() override;
    int ProcessAppMsg(MSG &msg) override;
    // A session end asks first (1: the program may end) and ends the program only once the
    // end is confirmed; a cancelled end leaves it running.
    int QueryEndSession();
    void EndSession(int ending);
    void UnconditionalEnd();
    // Closes the start-up splash at once.
    void HideSplashWindow();
    void DoOneIdleAction() { TApplication::IdleAction(0); }

    // ---- accessors
    TFrameWindow *GetFrameWindow() const { return frame_; }
    MDIClient *GetMDIClient() const { return mdiClient_; }
    void SetFrameWindow(TFrameWindow *frame) { frame_ = frame; }
    FileHistory &GetFileHistory() { return history_; }
    List<Document> &GetDocList() { return documents_; }
    Document *FindFirstDoc() const;
    Document *FindNextDoc(Document const *doc) const;
    Document *GetCurrentDoc() const { return currentDoc_; }
    void SetCurrentDoc(Document *doc) { currentDoc_ = doc; }
    static DocumentModel *FindModel(char const *name);
    // Still listed, the serial number matches (an id without one matches any) and,
    // with notClosing, the document is not being taken down.
    int IsValidDocument(DocumentID const &id, int notClosing) const;
    int IsUnconditionalEnd() const { return unconditionalEnd_; }
    void SetQuitting(int quitting) { nowQuitting_ = quitting; }
    // A document made of several files is named by its file names joined with TAB.
    static String GetFileNamesAsOneString(Document const &doc);
    static void ExplodeStringOfFileNames(String names, List<FileName> &list);
    void SetMDIClient(MDIClient *client) { mdiClient_ = client; }
    Config &GetConfig() { return *settings_; }
    Config *GetSettingsStore() override { return settings_.get(); }
    TWindow *GetProgressWindow() const override { return progressWindow_; }
    void SetProgressWindow(TWindow *w) override { progressWindow_ = w; }
    // The combo box of drop-down or drop-down-list style that holds the focus, itself or
    // through its edit field; null when none.
    static HWND FocusedDropDown(HWND focus);
    // The main frame's status bar (child 32040) when it carries the progress gauge.
    StatusBar *GetStatusBar() const;
    int GetAutoSavePref() const { return autoSavePref_; }
    int GetAutoSaveLayout() const { return autoSaveLayout_; }
    void SetAutoSavePref(int on) { autoSavePref_ = on; }
    void SetAutoSaveLayout(int on) { autoSaveLayout_ = on; }
    // The start-up logo ("Logo" of "General" in the registry, read at start-up).
    int GetLogo() const { return logo_; }
    void SetLogo(int on) { logo_ = on; }
    int GetTips() const { return tips_; }
    int GetTipIndex() const { return tipIndex_; }
    void SetTipIndex(int index) { tipIndex_ = index; }
    SetupDatabase *GetLayoutStore() { return layoutStore_; }
    int IsClosingAll() const { return closingAll_; }
    void SetClosingAll(int on) { closingAll_ = on; }
    int IsInMenuLoop() const override { return inMenuLoop_; }
    DWORD GetThreadId() const { return guiThreadId_; }
    int NowQuitting() const { return nowQuitting_; }
    int GetIndexOpened() const { return indexOpened_; }
    int IsNowRestoringLayout() const { return nowRestoringLayout_; }
    static int IsStartingUp() { return _startingUp; }
    static int GetLanguage() { return _language; }
    static void SetLanguage(int language) { _language = language; }
    static int UseColorCursors() { return ::UseColorCursors(); }
    static void UseColorCursors(int on) { ::UseColorCursors(on); }
    static int GetArgc() { return _argc; }
    static char **GetArgv() { return _argv; }

    // ---- operations a program overrides
    virtual FileName GetHelpFileName();
    // The type's open dialog; the chosen files are opened (with views unless noView) and
    // each document opened is added once to opened.
    virtual void OpenFileOpenDialog(DocumentModel &type, String const *caption, ListOfPtr<Document> *opened,
                                    int noView, int askReload);
    virtual void SaveLayout(DataBase &db, short itemType);
    virtual void RestoreLayout(DataBase const &db, short itemType);
    virtual int OnStartRubber() { return 0; }
    virtual void OnEndRubber(TRect const &) {}
    virtual int OnKey(MSG const &, int) { return 0; }
    virtual void OnInitInstance() {}
    virtual void OnCloseInstance();
    virtual void LoadPref(Config &config);
    virtual void SavePref(Config &config);
    virtual void NotifyNoMoreFrame() { frame_ = 0; }
    virtual LRESULT EvEnterMenuLoop(WPARAM, LPARAM);
    virtual LRESULT EvExitMenuLoop(WPARAM, LPARAM);
    virtual void DoAfterRestoreLayout() {}
    virtual void CmAboutDialog();
    virtual void OnExceptionMessage(Exception &) {}
    // ---- documents
    // Opens a name (file, then "|" and open options) with the first type whose open
    // filter holds its extension.
    virtual Document *OpenProperDocument(FileName const &name, TPoint const *dropPoint);
    void OpenProperDocuments(List<FileName> const &names, TPoint const *dropPoint);
    Document *OpenDocument(DocumentModel &type, FileName const &name, DocMemento const *memento, int askReload,
                           int createView, int *wasOpen, int updateHistory, int last);
    Document *OpenMultiFileDocument(DocumentModel &type, String const &names, DocMemento const *memento,
                                    int askReload, int createView, int *allWereOpen);
    void ReloadDocument(Document &document);
    Document *FindDocument(DocumentModel const &type, String const &names, int *exact);
    Document *FindFirst(DocumentModel const &type);
    Document *FindMasterDoc();
    // The view of the active MDI child and its document; null without one.
    View *FindActiveView() const;
    Document *FindActiveDocument() const;
    int CanCloseAll(DocumentModel const *type);
    int CloseAll(DocumentModel const *type);
    LRESULT CloseAllUnchanged(WPARAM model, LPARAM);
    void CmOpenHistFile(uint id);
    void CmDocInfo();
    void CeDocInfo(TCommandEnabler &ce);

    // ---- warnings (any thread)
    void WarnUser(AException const &e, int post) override;
    void CmWarnUser();
    LRESULT EvException(WPARAM, LPARAM lParam);
    // The text a warning shows for an exception without a plain text.
    static String ComposeWarning(Exception const &e);

    // ---- the second start and the shell
    void EvCopyData(HWND sender, COPYDATASTRUCT *data);
    void EvDropFiles(WPARAM drop, LPARAM);
    // The document name of a command line ("" when none; "NR" to open nothing).
    static String CommandLineToFileList(int argc, char **argv);
    // The row of a language table for a language: its file when it exists, else the default row's.
    static FileName ChooseLanguageModule(LanguageDLL const *table, int language);

    // ---- help
    void OpenHelpWindow(unsigned command, unsigned long data) override;
    void OpenHelpWindow(HWND window, unsigned command, unsigned long data);
    void DoHelp(HELPINFO *info) override;
    // Help on a whole window, as asked with the mouse where it stands.
    void DoWindowHelp(HWND window);
    unsigned FindNumTipOfTheDay();
    HelpCommand const *FindHelpCommand(int windowId, int controlId);
    void CmHelpContents() { OpenHelpWindow(HELP_FINDER, 0); }
    void CmHelpIndex() { OpenHelpWindow(HELP_FINDER, 0); }
    void CmHelpOnHelp() { OpenHelpWindow(HELP_HELPONHELP, 0); }
    void CmTipOfTheDay() { tips_ = !tips_; }
    void CeTipOfTheDay(TCommandEnabler &ce) {
        ce.SetCheck(tips_ ? TCommandEnabler::Checked : TCommandEnabler::Unchecked);
    }

    static String _companyName;
    static String _appInternalName;
    static File::BackupMode _backupMode;

protected:
    TFrameWindow *frame_ = 0;
    MDIClient *mdiClient_ = 0;
    FileName settingsFile_;
    std::unique_ptr<Config> settings_;  // goes after the recent-file list that writes into it
    FileHistory history_;
    TWindow *progressWindow_ = 0;
    int autoSavePref_ = 1;
    int autoSaveLayout_ = 1;
    int unconditionalEnd_ = 0;
    int tips_ = 1;
    int tipIndex_ = 0;
    int logo_ = 1;
    CriticalSection warningLock_;
    SetupDatabase *layoutStore_ = 0;  // null when the layout file cannot be used
    int closingAll_ = 0;
    int inMenuLoop_ = 0;
    DWORD guiThreadId_;
    int nowQuitting_ = 0;
    int indexOpened_ = 0;
    unsigned long splashMilliseconds_;
    int splashBitmapId_;
    int aboutDialogId_;
    int nowRestoringLayout_ = 0;
    int commonResourceIsSelf_ = 0;
    List<Document> documents_;
    Document *currentDoc_ = 0;

private:
    // Every box of the manager is task-modal, in front and on top.
    static int ShowBox(char const *text, char const *caption, unsigned type);
    void DeleteDocuments();

    // ---- start-up
    void ShowSplash();
    // The document of the command line, else the layout of the last session.
    void OpenStartDocuments();

    // ---- preferences
    void LoadGeneralPref(Config &config);
    void SaveGeneralPref(Config &config);

    // ---- closing and message filtering
    int MayEnd();
    void End(bool ctrl);
    void HoldInputDuringProgress(MSG const &msg);
    void BringChildUnderCursorToTop();
    void RefreshCursorUnderMouse();

    // ---- documents and layout
    // Makes way for a new document of a type that stands alone; 0 when a document refuses to go.
    int MakeRoomFor(DocumentModel const &type);
    void NoteOpened(Document &doc, DocumentModel const &type, FileName const &name, int updateHistory);
    void OpenChosenFiles(DocumentModel &type, List<FileName> const &files, ListOfPtr<Document> *opened,
                         int noView, int askReload);
    Document *FindLayoutDocument(HWND mdiChild, View *&view);
    void CollectLayout(LayoutRecords &records);
    void RestoreLayoutWindows(LayoutRecords const &records);
    // Reopens one window of a restored layout; hadMemento lists the documents that got
    // their memento already.
    void RestoreLayoutWindow(DocMementoItem const &item, ViewMementoItem const &view,
                             std::vector<Document *> &hadMemento);

    // ---- warnings
    // Appends a warning; true when the queue was empty before.
    bool QueueWarning(String const &text);
    bool BeginShowingWarnings();
    // Moves the queued warnings into batch; false, ending the showing, when there are none.
    bool TakeWarnings(List<StringItem<ListElement>> &batch);

    // ---- help
    void LoadHelpTable();
    void FreeHelpTable();
    // The window whose identifier names the topic of a help request; null when none.
    TWindow *HelpTopicWindow(HELPINFO const &info);

    HelpCommand *helpTable_ = 0;
    int helpCount_ = 0;
    List<StringItem<ListElement>> warnings_;  // guarded by warningLock_
    int showingWarnings_ = 0;
    int endSessionPending_ = 0;
    bool endSessionCtrl_ = false;

    static int _argc;
    static char **_argv;
    static int _language;
    static int _startingUp;
    static TModule *_appModule;

    DECLARE_RESPONSE_TABLE(DocumentManager);
};

extern VELTRANE_API DocumentManager *_docManager;
