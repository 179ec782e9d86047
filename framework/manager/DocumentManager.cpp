// The document manager's core: the process's statics, the making and the end of the
// manager, and its response table. The rest stands beside it by concern: start-up,
// preferences, closing, documents, layout, warnings and help.
#include "manager/DocumentManager.h"

#include "core/MessageBoxSeam.h"
#include "manager/Document.h"
#include "manager/DocumentModel.h"
#include "manager/MainFrame.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

DocumentManager *_docManager = 0;

String DocumentManager::_companyName;
String DocumentManager::_appInternalName;
File::BackupMode DocumentManager::_backupMode = File::BackupMode(4);
int DocumentManager::_argc = 0;
char **DocumentManager::_argv = 0;
int DocumentManager::_language = 0;
int DocumentManager::_startingUp = 0;
TModule *DocumentManager::_appModule = 0;

namespace {

FileName SettingsFileName(char const *settingsFile) {
    return settingsFile && *settingsFile ? FileName::CreateApplicationRelative(String(settingsFile)) : FileName();
}

// A missing or unreadable settings file is no reason not to start: the program runs
// with its defaults and writes the file when it saves its preferences.
Config *OpenSettings(FileName const &file, int stamp) {
    Config::Mode mode = stamp ? Config::FileStamp : Config::Plain;
    if (file.IsEmpty())
        return new Config("Main", mode);
    try {
        return new Config("Main", file, 1, mode);
    } catch (AException const &) {
        return new Config("Main", mode);
    }
}

void FreeResourceModules(int commonResourceIsSelf) {
    if (!commonResourceIsSelf)
        delete TModule::_commonResourceDLL;
    TModule::_commonResourceDLL = 0;
    if (TModule::_localizedResourceDLL) {
        NotifyLocalizedStringDll(0);
        delete TModule::_localizedResourceDLL;
        TModule::_localizedResourceDLL = 0;
    }
}

}  // namespace

DocumentManager::DocumentManager(char const *name, char const *settingsFile, int stampSettings,
                                 int splashBitmapId, unsigned long splashMilliseconds, int aboutDialogId)
    : TApplication(name, _appModule),
      settingsFile_(SettingsFileName(settingsFile)),
      settings_(OpenSettings(settingsFile_, stampSettings)),
      history_(*settings_),
      guiThreadId_(::GetCurrentThreadId()),
      splashMilliseconds_(splashMilliseconds),
      splashBitmapId_(splashBitmapId),
      aboutDialogId_(aboutDialogId),
      documents_(1) {
    DocumentModel::SetStrings();
    layoutStore_ = SetupDatabase::Open(*this, FileName::CreateApplicationRelative(String("system\\layout.dat")));
    _startingUp = 1;
    _docManager = this;
    if (!TModule::_commonResourceDLL) {
        TModule::_commonResourceDLL = this;
        commonResourceIsSelf_ = 1;
    }
}

DocumentManager::~DocumentManager() {
    // The frame talks to the manager while it goes: it must go while the manager is whole.
    if (TFrameWindow *main = SetMainWindow(0)) {
        main->Destroy(0);
        delete main;
    }
    nowQuitting_ = 1;
    DeleteDocuments();
    _docManager = 0;
    FreeResourceModules(commonResourceIsSelf_);
    FreeHelpTable();
    delete layoutStore_;
    // Texts of the process's statics go with the manager, while their heap still stands.
    _companyName.Clear();
    _appInternalName.Clear();
    FrameWindow::_className.Clear();
}

void DocumentManager::DeleteDocuments() {
    while (Document *doc = documents_.GetFirst()) {
        doc->Delete();
        if (documents_.GetFirst() == doc)
            delete doc;  // an override that keeps it must not hold up the end
    }
}

int DocumentManager::ShowBox(char const *text, char const *caption, unsigned type) {
    return ShowMessageBox(0, text, caption, type | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}

DEFINE_RESPONSE_TABLE1(DocumentManager, TApplication)
    EV_MESSAGE(WM_COPYDATA, EvCopyData, v_HWND_PCOPYDATASTRUCT),
    EV_MESSAGE(WM_DROPFILES, EvDropFiles, v_WPARAM_LPARAM),
    EV_COMMAND(20092, CmWarnUser),
    EV_COMMAND(20016, CmAboutDialog),
    EV_COMMAND(20097, CmDocInfo),
    EV_COMMAND_ENABLE(20097, CeDocInfo),
    EV_COMMAND(20013, CmHelpContents),
    EV_COMMAND(20096, CmTipOfTheDay),
    EV_COMMAND_ENABLE(20096, CeTipOfTheDay),
    EV_COMMAND_AND_ID(20030, CmOpenHistFile),
    EV_COMMAND_AND_ID(20031, CmOpenHistFile),
    EV_COMMAND_AND_ID(20032, CmOpenHistFile),
    EV_COMMAND_AND_ID(20033, CmOpenHistFile),
    EV_COMMAND_AND_ID(20034, CmOpenHistFile),
    EV_COMMAND_AND_ID(20035, CmOpenHistFile),
    EV_COMMAND_AND_ID(20036, CmOpenHistFile),
    EV_COMMAND_AND_ID(20037, CmOpenHistFile),
    EV_COMMAND_AND_ID(20038, CmOpenHistFile),
    EV_COMMAND_AND_ID(20039, CmOpenHistFile),
    EV_MESSAGE(WM_ENTERMENULOOP, EvEnterMenuLoop, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_EXITMENULOOP, EvExitMenuLoop, I32_WPARAM_LPARAM),
    EV_MESSAGE(2034, CloseAllUnchanged, I32_WPARAM_LPARAM),
    EV_MESSAGE(WM_POSTED_EXCEPTION, EvException, I32_WPARAM_LPARAM),
END_RESPONSE_TABLE;
