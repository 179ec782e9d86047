#include "manager/DocumentManager.h"

#include "manager/Document.h"
#include "manager/DocumentModel.h"
#include "foundation/StringUtils.h"

#include "controls/AboutDialog.h"
#include "core/CommonControls.h"
#include "controls/Dialog.h"
#include "manager/MainFrame.h"
#include "core/MdiWindows.h"
#include "controls/SplashWindow.h"
#include "bars/StatusBar.h"
#include "manager/View.h"
#include "manager/MdiDocumentWindows.h"

#include "foundation/Exception.h"
#include "foundation/File.h"
#include "foundation/FileSelector.h"
#include "foundation/MessageCatalogue.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

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

// The preferences group of a document type.
String TypeGroup(DocumentModel const &type) {
    String group("Doc");
    group.Append(type.name);
    return group;
}

// Every box of the manager is task-modal, in front and on top.
const unsigned kBoxStyle = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;

// A hung first instance must not hang the second start.
const UINT kHandOverTimeout = 5000;

// HKEY_CURRENT_USER\Software\<company>\<application>\<subkey>, value as a number.
int ReadRegistryInt(char const *subkey, char const *value, int def) {
    String path("Software\\");
    path += DocumentManager::_companyName;
    path += "\\";
    path += DocumentManager::_appInternalName;
    path += "\\";
    path += subkey;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return def;
    DWORD type = 0, data = 0, size = sizeof data;
    char text[32];
    DWORD textSize = sizeof text - 1;
    int result = def;
    if (::RegQueryValueExA(key, value, 0, &type, reinterpret_cast<BYTE *>(&data), &size) == ERROR_SUCCESS &&
        type == REG_DWORD)
        result = static_cast<int>(data);
    else if (::RegQueryValueExA(key, value, 0, &type, reinterpret_cast<BYTE *>(text), &textSize) ==
                 ERROR_SUCCESS &&
             type == REG_SZ) {
        text[textSize] = 0;
        result = std::atoi(text);
    }
    ::RegCloseKey(key);
    return result;
}

String ArgvTitle() {
    char **argv = DocumentManager::GetArgv();
    return argv && argv[0] ? String(String(argv[0]).GetTitle(1)) : String();
}

String SystemErrorText(unsigned long code) {
    char buffer[1001] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, 0, code, 0, buffer,
                     sizeof buffer - 1, 0);
    String text(buffer);
    text.Trim("\n\r \t", 3);
    return text;
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

}  // namespace

// ---- start-up

String DocumentManager::CommandLineToFileList(int argc, char **argv) {
    if (argc < 2 || !argv)
        return String();
    String region;
    if (argc >= 3 && argv[2] && std::strncmp(argv[2], "/REGION:", 8) == 0) {
        char const *numbers = argv[2] + 8;
        argc = 2;
        if (char const *comma = std::strchr(numbers, ',')) {
            long a = std::atol(numbers), b = std::atol(comma + 1);
            if (b != 0) {
                region = "|SL=";
                region += String(a);
                region += " |SR=";
                region += String(a + b - 1);
                region += " |CRS=";
                region += String(a);
            }
        }
    }
    int first = 1;
    while (first < argc && !(argv[first] && std::strpbrk(argv[first], ":|")))
        ++first;
    if (first >= argc)
        return String();
    String arg(argv[first]);
    arg.Trim();
    if (String::Compare(arg, "|NR") == 0)
        return String("NR");
    long colon = arg.FindFirst(':');
    if (colon <= 0)
        return String();
    String name(arg.Mid(colon - 1));
    String options;
    for (int i = first + 1; i < argc; ++i) {
        String part(argv[i] ? argv[i] : "");
        long bar = part.FindFirst('|');
        if (bar < 0) {
            if (!options.IsEmpty()) {
                options += " ";
                options += part;
            } else {
                name += " ";
                name += part;
            }
        } else if (bar == 0 || !options.IsEmpty()) {
            options += part;
        } else {
            name += " ";
            name += String(part.Left(bar));
            options += String(part.Mid(bar));
        }
    }
    name.Trim();
    // Names with wildcards are never expanded into some file.
    if (name.FindOneOf("*?") >= 0)
        return String();
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(name.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return String();
    ::FindClose(find);
    String result(FileName(String(name.GetPath()), String(found.cFileName)));
    if (!options.IsEmpty()) {
        result += "|";
        result += options;
    } else {
        result += region;
    }
    return result;
}

FileName DocumentManager::ChooseLanguageModule(LanguageDLL const *table, int language) {
    LanguageDLL const *row = table;
    while (row->id != 0 && row->id != language)
        ++row;
    FileName file = FileName::CreateApplicationRelative(String(row->fileName));
    if (File::Exist(file))
        return file;
    for (row = table; row->id != 0; ++row) {
    }
    return FileName::CreateApplicationRelative(String(row->fileName));
}

int DocumentManager::VeryFirstInit(int argc, char **argv, char const *appName, char const *frameClass,
                                   char const *company, char const *commonResourceFile,
                                   LanguageDLL const *languages) {
    _argc = argc;
    _argv = argv;
    if (frameClass) {
        if (HWND first = ::FindWindowA(frameClass, 0)) {
            ::SetForegroundWindow(first);
            if (::IsIconic(first))
                ::ShowWindow(first, SW_RESTORE);
            String name = CommandLineToFileList(argc, argv);
            if (!name.IsEmpty() && _stricmp(name.c_str(), "NR") != 0) {
                COPYDATASTRUCT data;
                data.dwData = 0;
                data.cbData = name.GetLength() + 1;
                data.lpData = const_cast<char *>(name.c_str());
                DWORD_PTR answer = 0;
                ::SendMessageTimeoutA(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                      SMTO_ABORTIFHUNG | SMTO_BLOCK, kHandOverTimeout, &answer);
            }
            return 0;
        }
    }
    TCommCtrl::IsAvailable();
    _companyName = company ? company : "";
    _appInternalName = appName ? appName : "";
    if (commonResourceFile && !TModule::_commonResourceDLL) {
        FileName file = FileName::CreateApplicationRelative(String(commonResourceFile));
        TModule::_commonResourceDLL = new TModule(file.c_str(), true, true);
    }
    if (languages && !TModule::_localizedResourceDLL) {
        _language = ReadRegistryInt("General", "Language", ::GetSystemDefaultLCID() & 0x3FF);
        FileName file = ChooseLanguageModule(languages, _language);
        TModule::_localizedResourceDLL = new TModule(file.c_str(), true, true);
        NotifyLocalizedStringDll(TModule::_localizedResourceDLL->GetHandle());
    }
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    _isNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    DWORD v = ::GetVersion();
    int major = v & 0xFF;
    if (((v & 0x80000000UL) && major <= 3) || major < 4) {
        ShowMessageBox(0, FindString(19020), ArgvTitle().c_str(), MB_ICONHAND | kBoxStyle);
        return 0;
    }
    _win95 = 1;
    HDC dc = ::CreateDCA("DISPLAY", 0, 0, 0);
    int bits = ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES);
    ::DeleteDC(dc);
    if (bits < 8 && ShowMessageBox(0, FindString(19019), ArgvTitle().c_str(), MB_YESNO | MB_ICONEXCLAMATION | kBoxStyle) == IDNO)
        return 0;
    return 1;
}

DocumentManager::DocumentManager(char const *name, char const *settingsFile, int stampSettings,
                                 int splashBitmapId, unsigned long splashMilliseconds, int aboutDialogId)
    : TApplication(name, _appModule),
      frame_(0),
      mdiClient_(0),
      settingsFile_(settingsFile && *settingsFile ? FileName::CreateApplicationRelative(String(settingsFile))
                                                  : FileName()),
      settings_(OpenSettings(settingsFile_, stampSettings)),
      history_(*settings_),
      progressWindow_(0),
      autoSavePref_(1),
      autoSaveLayout_(1),
      unconditionalEnd_(0),
      tips_(1),
      tipIndex_(0),
      logo_(1),
      layoutStore_(0),
      closingAll_(0),
      inMenuLoop_(0),
      guiThreadId_(::GetCurrentThreadId()),
      nowQuitting_(0),
      indexOpened_(0),
      splashMilliseconds_(splashMilliseconds),
      splashBitmapId_(splashBitmapId),
      aboutDialogId_(aboutDialogId),
      nowRestoringLayout_(0),
      commonResourceIsSelf_(0),
      documents_(1),
      currentDoc_(0),
      helpTable_(0),
      helpCount_(0),
      showingWarnings_(0),
      endSessionPending_(0),
      endSessionCtrl_(false) {
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
    while (Document *doc = documents_.GetFirst()) {
        doc->Delete();
        if (documents_.GetFirst() == doc)
            delete doc;  // an override that keeps it must not hold up the end
    }
    _docManager = 0;
    if (!commonResourceIsSelf_)
        delete TModule::_commonResourceDLL;
    TModule::_commonResourceDLL = 0;
    if (TModule::_localizedResourceDLL) {
        NotifyLocalizedStringDll(0);
        delete TModule::_localizedResourceDLL;
        TModule::_localizedResourceDLL = 0;
    }
    FreeHelpTable();
    delete layoutStore_;
    // Texts of the process's statics go with the manager, while their heap still stands.
    _companyName.Clear();
    _appInternalName.Clear();
    FrameWindow::_className.Clear();
}

void DocumentManager::InitInstance() {
    if (!_win95)
        EnableCtl3d(1);
    TApplication::InitInstance();
    guiThreadId_ = ::GetWindowThreadProcessId(MainWindow->GetHandle(), 0);
    logo_ = ReadRegistryInt("General", "Logo", 1);
    if (!logo_)
        splashBitmapId_ = 0;
    if (splashBitmapId_) {
        try {
            new SplashWindow(splashBitmapId_, 0);
        } catch (AException const &) {
            // a missing or broken picture only costs the splash, never the start
        }
        PumpWaitingMessages();
    }
    ::DragAcceptFiles(MainWindow->GetHandle(), TRUE);
    if (TModule::_commonResourceDLL)
        SetFileSelectorExpandBitmap(TModule::_commonResourceDLL->LoadBitmapA(22030));
    settings_->MoveToRoot();
    LoadPref(*settings_);
    OnInitInstance();
    String name;
    if (_argc >= 2)
        name = CommandLineToFileList(_argc, _argv);
    if (!name.IsEmpty()) {
        if (name != "NR")
            OpenProperDocument(FileName(name), 0);
    } else if (layoutStore_) {
        RestoreLayout(*layoutStore_, layoutStore_->GetLayoutItemType());
    }
    PumpWaitingMessages();
    if (!nowQuitting_) {
        DoAfterRestoreLayout();
        MainWindow->PostMessageA(WM_COMMAND, 20091, 0);
    }
    if (SplashWindow *splash = SplashWindow::Current())
        splash->End(splashMilliseconds_);
    _startingUp = 0;
}

void DocumentManager::HideSplashWindow() {
    if (SplashWindow *splash = SplashWindow::Current())
        splash->End(0);
}

void DocumentManager::LoadPref(Config &config) {
    config.MoveToRoot();
    config.MoveDown("General");
    autoSavePref_ = config.GetValue(1, "AutoSavePref");
    autoSaveLayout_ = config.GetValue(1, "AutoSaveLayout");
    UseColorCursors(config.GetValue(_isNT, "ColorCursor"));
    tips_ = config.GetValue(1, "Tips");
    tipIndex_ = config.GetValue(0, "Index");
    config.MoveUp();
    LoadPrefFileSelection(config);
    List<DocumentModel> &models = DocumentModel::GetModels();
    for (DocumentModel *type = models.GetFirst(); type; type = models.GetNext(type)) {
        if (type->noFile)
            continue;
        char current[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, current);
        config.MoveDown(TypeGroup(*type));
        type->openPath = FileName(config.GetValue(String(current), "OpenPath"));
        type->iOpenFilter = config.GetValue(short(0), "iOpenFilter");
        type->iSaveFilter = config.GetValue(short(0), "iSaveFilter");
        type->LoadPref(config);
        config.MoveUp();
    }
}

void DocumentManager::SavePref(Config &config) {
    config.MoveToRoot();
    config.MoveDown("General");
    config.SetValue(autoSavePref_, "AutoSavePref");
    config.SetValue(autoSaveLayout_, "AutoSaveLayout");
    config.SetValue(UseColorCursors(), "ColorCursor");
    config.SetValue(tips_, "Tips");
    config.SetValue(tipIndex_, "Index");
    config.MoveUp();
    SavePrefFileSelection(config);
    List<DocumentModel> &models = DocumentModel::GetModels();
    for (DocumentModel *type = models.GetFirst(); type; type = models.GetNext(type)) {
        if (type->noFile)
            continue;
        config.MoveDown(TypeGroup(*type));
        config.SetValue(String(type->openPath), "OpenPath");
        config.SetValue(type->iOpenFilter, "iOpenFilter");
        config.SetValue(type->iSaveFilter, "iSaveFilter");
        type->SavePref(config);
        config.MoveUp();
    }
    if (FrameWindow *frame = dynamic_cast<FrameWindow *>(frame_)) {
        frame->FrameWindow::SavePref(config);
        frame->SavePref(config);
    }
}

namespace {
bool CtrlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }
}  // namespace

int DocumentManager::CanClose() {
    if (!MayEnd())
        return 0;
    End(CtrlHeld());
    return 1;
}

int DocumentManager::MayEnd() {
    if (_startingUp)
        return 0;
    return unconditionalEnd_ || CanCloseAll(0);
}

// Ctrl held at the end inverts the auto-save-layout setting.
void DocumentManager::End(bool ctrl) {
    if (ctrl != (autoSaveLayout_ != 0) && layoutStore_)
        SaveLayout(*layoutStore_, layoutStore_->GetLayoutItemType());
    OnCloseInstance();
}

int DocumentManager::QueryEndSession() {
    if (!MayEnd())
        return 0;
    endSessionPending_ = 1;
    endSessionCtrl_ = CtrlHeld();
    return 1;
}

void DocumentManager::EndSession(int ending) {
    // a forced end that was never asked still keeps the preferences and the layout
    if (ending && !nowQuitting_)
        End(endSessionPending_ ? endSessionCtrl_ : CtrlHeld());
    endSessionPending_ = 0;
}

void DocumentManager::OnCloseInstance() {
    FreeHelpTable();
    nowQuitting_ = 1;
    SetFileSelectorExpandBitmap(0);
    settings_->MoveToRoot();
    SavePref(*settings_);
    if (settings_->GetFileName().IsEmpty() && !settingsFile_.IsEmpty()) {
        try {
            settings_->Save(settingsFile_);
        } catch (AException const &e) {
            WarnUser(e, 0);
        }
    }
}

void DocumentManager::UnconditionalEnd() {
    unconditionalEnd_ = 1;
    if (MainWindow)
        MainWindow->PostMessageA(WM_COMMAND, 20007, 0);
}

namespace {
// Mouse, key and non-client mouse messages; the non-client left and right button-ups
// still pass, so that a press taken before the operation began is ended.
bool IsUserInput(uint message) {
    return (message >= WM_MOUSEFIRST && message <= 0x209) || (message >= WM_KEYFIRST && message <= 0x108) ||
           message == WM_NCMOUSEMOVE || message == WM_NCLBUTTONDOWN || message == WM_NCLBUTTONDBLCLK ||
           message == WM_NCRBUTTONDOWN || (message >= WM_NCRBUTTONDBLCLK && message <= WM_NCMBUTTONDBLCLK);
}
}  // namespace

HWND DocumentManager::FocusedDropDown(HWND focus) {
    HWND candidates[] = {focus, focus ? ::GetParent(focus) : 0};
    for (HWND h : candidates) {
        char cls[10] = {};
        if (h && ::GetClassNameA(h, cls, 9) && _stricmp(cls, "combobox") == 0 &&
            (::GetWindowLongA(h, GWL_STYLE) & 3) >= CBS_DROPDOWN)
            return h;
    }
    return 0;
}

StatusBar *DocumentManager::GetStatusBar() const {
    return MainWindow ? dynamic_cast<StatusBar *>(MainWindow->ChildWithId(IDW_MESSAGEBAR)) : 0;
}

int DocumentManager::ProcessAppMsg(MSG &msg) {
    if (_disableFrame && IsUserInput(msg.message)) {
        StatusBar *bar = GetStatusBar();
        int gaugeOpen = bar && bar->IsGaugeOpen();
        if (progressWindow_ && progressWindow_->GetHandle() && !::GetCapture()) {
            if (gaugeOpen)
                ::SetCursor(::LoadCursorA(0, IDC_WAIT));
            ::SetCapture(progressWindow_->GetHandle());
        }
        if (gaugeOpen) {
            bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP || msg.message == WM_SYSKEYDOWN ||
                       msg.message == WM_SYSKEYUP;
            if (key && msg.wParam == VK_ESCAPE)
                StatusBar::NoteEscapePressed();
            if (msg.message >= WM_LBUTTONDOWN && msg.message <= WM_LBUTTONDBLCLK)
                StatusBar::NoteMouseClicked();
        }
        return 1;
    }
    switch (msg.message) {
    case WM_NCRBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (mdiClient_ && mdiClient_->GetActiveMDIChild()) {
            POINT p;
            ::GetCursorPos(&p);
            for (HWND h = ::WindowFromPoint(p); h; h = ::GetParent(h)) {
                char cls[50];
                ::GetClassNameA(h, cls, 49);
                if (std::strcmp(cls, "Jq_MdiChild") == 0) {
                    if (mdiClient_->GetActiveMDIChild()->GetHandle() != h)
                        ::BringWindowToTop(h);
                    break;
                }
            }
        }
        // fall through
    case WM_NCLBUTTONDOWN:
    case WM_LBUTTONDOWN: {
        // A click elsewhere closes an open drop-down list; a click into a pop-up (a child
        // of the desktop, such as the list itself) leaves it open.
        HWND focus = ::GetFocus();
        HWND combo = FocusedDropDown(focus);
        if (combo && msg.hwnd != combo && msg.hwnd != focus && ::GetParent(msg.hwnd) != ::GetDesktopWindow())
            ::SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        break;
    }
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        if (OnKey(msg, msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN))
            return 1;
        if (msg.wParam == VK_SHIFT || msg.wParam == VK_CONTROL || msg.wParam == VK_MENU || msg.wParam == VK_SPACE) {
            TWindow *target = progressWindow_;
            if (!target && MainWindow) {
                POINT p;
                ::GetCursorPos(&p);
                target = MainWindow->GetWindowPtr(::WindowFromPoint(p));
            }
            if (target && target->GetHandle())
                target->HandleMessage(WM_SETCURSOR, (WPARAM)target->GetHandle(), HTCLIENT);
        }
        break;
    }
    return TApplication::ProcessAppMsg(msg);
}

LRESULT DocumentManager::EvEnterMenuLoop(WPARAM, LPARAM) {
    inMenuLoop_ = 1;
    return 0;
}

LRESULT DocumentManager::EvExitMenuLoop(WPARAM, LPARAM) {
    inMenuLoop_ = 0;
    return 0;
}

void DocumentManager::CmAboutDialog() { AboutDialog(frame_, aboutDialogId_, 21000, 0).Execute(); }

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
        int exact = 0;
        doc = FindDocument(type, name, &exact);
        if (wasOpen)
            *wasOpen = doc != 0;
        if (doc && askReload && doc->IsChanged() &&
            ShowMessageBox(0, FindString(19000), GetName(), MB_YESNO | MB_ICONQUESTION | kBoxStyle) == IDYES) {
            doc->Delete();
            doc = 0;
        }
        if (doc) {
            if (createView) {
                if (!doc->GetNumViews())
                    type.CreateView(*doc, memento ? memento->viewMemento : 0);
                else
                    doc->ActivateAnyView();
            }
            if (memento && memento->openOptions)
                doc->ExecuteOpenOptions(*memento->openOptions, 1);
            return doc;
        }
        if (type.singleDocument)
            if (Document *single = FindFirst(type))
                if (!single->Close())
                    return 0;
        if (type.master && !nowRestoringLayout_ && !CloseAll(0))
            return 0;
        doc = type.OpenDoc(name, memento, createView, last);
        if (doc && !doc->GetNumFileNames())
            doc->TakeName(name);
        if (doc && updateHistory && createView && doc->GetNumFileNames())
            history_.Remove(doc->GetFileName(0), String(type.name));
    } catch (AException const &e) {
        WarnUser(e, 1);
    }
    return doc;
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
    info.kind = 0;
    info.smallIconId = type.dialogIcon;
    info.iconModule = GetHandle();
    info.filter = type.openFilter;
    info.filterIndex = type.iOpenFilter;
    info.defaultExtension = type.defExtension;
    info.multiSelection = type.multiSelect;
    info.fileMustExist = 1;
    info.owner = frame_ ? frame_->HWindow : 0;
    info.module = TModule::_localizedResourceDLL ? TModule::_localizedResourceDLL->GetHandle() : 0;
    info.templateId = 101;
    info.initialFolder = type.openPath;
    info.caption = caption ? *caption : type.GetFileOpenDialogCaption();
    if (type.fileSelectorHook)
        type.fileSelectorHook(info);
    if (!UserSelectsFile(info) || info.selectedFiles.IsEmpty())
        return;
    if (info.selectedFilterIndex >= 0)
        type.iOpenFilter = short(info.selectedFilterIndex);
    type.openPath = info.selectedFolder;
    indexOpened_ = 0;
    int count = info.selectedFiles.GetCount();
    // A type may refuse to open several files at once; then nothing is opened.
    if (count > 1 && !type.OnBeginMultiOpen(count))
        return;
    for (FileName *f = info.selectedFiles.GetFirst(); f; f = info.selectedFiles.GetNext(f), ++indexOpened_) {
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
    if (!document.IsChanged() ||
        ShowMessageBox(0, FindString(19001), GetName(), MB_YESNO | MB_ICONQUESTION | kBoxStyle) != IDYES)
        return;
    String names = GetFileNamesAsOneString(document);
    DocumentModel *type = document.GetModel().GetRegistered() ? document.GetModel().GetRegistered()
                                                               : FindModel(document.GetModel().name);
    document.Delete();
    if (!names.IsEmpty() && type)
        OpenMultiFileDocument(*type, names, 0, 0, 1, 0);
}

Document *DocumentManager::FindDocument(DocumentModel const &type, String const &names, int *exact) {
    List<FileName> files;
    ExplodeStringOfFileNames(names, files);
    Document *some = 0;
    if (exact)
        *exact = 0;
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc)) {
        if (std::strcmp(doc->GetModel().name, type.name) != 0)
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
        if (std::strcmp(doc->GetModel().name, type.name) == 0)
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

int DocumentManager::CanCloseAll(DocumentModel const *type) {
    if (unconditionalEnd_)
        return 1;
    for (Document *doc = documents_.GetFirst(); doc; doc = documents_.GetNext(doc)) {
        bool concerned = type ? std::strcmp(doc->GetModel().name, type->name) == 0 : !doc->FindParentDocument();
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
            if (!doc->GetModel().livesWithViews || (type && std::strcmp(doc->GetModel().name, type->name) != 0))
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
        if (!t.livesWithViews || t.master || t.noFile || (type && std::strcmp(t.name, type->name) != 0))
            continue;
        if (!doc->IsChanged() && !doc->HasReferent())
            doc->Delete();
    }
    return 1;
}

void DocumentManager::CmOpenHistFile(uint id) {
    int n = int(id) - 20030;
    if (n < 0 || n >= history_.GetCount())
        return;
    HistoryItem *item = history_.Item(n);
    if (DocumentModel *type = item ? FindModel(item->GetId().c_str()) : 0)
        OpenMultiFileDocument(*type, String(item->GetFile()), 0, 1, 1, 0);
}

void DocumentManager::CmDocInfo() {
    Document *doc = FindActiveDocument();
    if (doc && doc->GetModel().hasInfo)
        ShowMessageBox(0, doc->GetInfo(0).c_str(), GetName(), MB_ICONASTERISK | kBoxStyle);
}

void DocumentManager::CeDocInfo(TCommandEnabler &ce) { ce.Enable(currentDoc_ && currentDoc_->GetModel().hasInfo); }

// ---- documents

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

// ---- layout

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
    unsigned long order = 0;
    // From the top of the z-order down; owned windows are not document windows.
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
    try {
        store->WriteLayout(records);
    } catch (AException const &e) {
        WarnUser(e, 0);
    }
}

void DocumentManager::RestoreLayout(DataBase const &db, short) {
    SetupDatabase const *store = dynamic_cast<SetupDatabase const *>(&db);
    if (!store || (::GetKeyState(VK_CONTROL) & 0x8000) || nowRestoringLayout_)
        return;
    nowRestoringLayout_ = 1;
    LayoutRecords records;
    std::vector<Document *> hadMemento;
    if (store->ReadLayout(records)) {
        // The window that was on top is placed last; a window that cannot come back costs
        // only itself.
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
    nowRestoringLayout_ = 0;
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
    if (!doc) {
        std::unique_ptr<DocMemento> memento(type->CreateUnpackedDocMemento(docPacked));
        if (memento)
            memento->viewMemento = type->CreateUnpackedViewMemento(viewPacked);
        if (Document *opened = OpenMultiFileDocument(*type, item.names, memento.get(), 1, 1, 0))
            hadMemento.push_back(opened);
    } else if (exact) {
        // A second view of a document that is back already.
        if (std::find(hadMemento.begin(), hadMemento.end(), doc) == hadMemento.end()) {
            std::unique_ptr<DocMemento> memento(type->CreateUnpackedDocMemento(docPacked));
            doc->SetDelayedMemento(memento.get());
            hadMemento.push_back(doc);
        }
        std::unique_ptr<ViewMemento> memento(type->CreateUnpackedViewMemento(viewPacked));
        type->CreateView(*doc, memento.get());
    }
}

// ---- warnings

String DocumentManager::ComposeWarning(Exception const &e) {
    String text;
    if (e.text) {
        text = *e.text;
        if (e.errorCode) {
            text += FindString(19005);
            text += String(e.errorCode);
            text += " (\"";
            text += SystemErrorText(e.errorCode);
            text += "\")";
        }
        text += "\n";
    }
    if (e.second) {
        text += *e.second;
        text += "\n";
    }
    return text;
}

void DocumentManager::WarnUser(AException const &e, int post) {
    if (!e.why().IsEmpty()) {
        // A plain text is shown at once, without holding the lock.
        ShowMessageBox(0, e.why().c_str(), GetName(), MB_ICONHAND | kBoxStyle);
        return;
    }
    // Every exception without a plain text is an Exception (that is how they are built).
    Exception copy(static_cast<Exception const &>(e));
    OnExceptionMessage(copy);
    String text = ComposeWarning(copy);
    if (text.IsEmpty())
        return;
    bool first;
    {
        AutoCriticalSection lock(warningLock_);
        warnings_.Append(new StringItem<ListElement>(text));
        first = warnings_.GetCount() == 1;
    }
    HWND main = MainWindow ? MainWindow->GetHandle() : 0;
    if (post && main && ::IsWindow(main)) {
        if (first)
            ::PostMessageA(main, WM_COMMAND, 20092, 0);
    } else if (::GetCurrentThreadId() == guiThreadId_ || !main) {
        CmWarnUser();
    } else if (first) {
        ::PostMessageA(main, WM_COMMAND, 20092, 0);
    }
}

void DocumentManager::CmWarnUser() {
    List<StringItem<ListElement>> batch;
    {
        AutoCriticalSection lock(warningLock_);
        if (showingWarnings_)
            return;  // the running call shows what arrives meanwhile
        showingWarnings_ = 1;
    }
    for (;;) {
        {
            // Take the queue out under the lock; show the boxes without holding it, so
            // that no other thread waits behind a box.
            AutoCriticalSection lock(warningLock_);
            if (!warnings_.GetFirst()) {
                showingWarnings_ = 0;
                return;
            }
            while (StringItem<ListElement> *w = warnings_.DetachFirst())
                batch.Append(w);
        }
        while (StringItem<ListElement> *w = batch.DetachFirst()) {
            ShowMessageBox(0, w->c_str(), GetName(), MB_ICONHAND | kBoxStyle);
            delete w;
        }
    }
}

LRESULT DocumentManager::EvException(WPARAM, LPARAM lParam) {
    if (Exception *e = reinterpret_cast<Exception *>(lParam)) {
        WarnUser(*e, 0);
        delete e;
    }
    return 1;
}

// ---- second start and the shell

void DocumentManager::EvCopyData(HWND, COPYDATASTRUCT *data) {
    if (!data || !data->lpData || data->cbData == 0)
        return;
    // The text is bounded by its byte count, whether or not the sender ended it.
    char const *bytes = static_cast<char const *>(data->lpData);
    unsigned long n = 0;
    while (n < data->cbData && bytes[n])
        ++n;
    String text(bytes, 0, n);
    String name;
    long bar = text.FindFirst('|');
    if (bar >= 0) {
        name = String(text.Left(bar));
        name.Trim();
        name += "|";
        name += String(text.Mid(bar));
    } else {
        name = text;
    }
    OpenProperDocument(FileName(name), 0);
    if (MainWindow && MainWindow->IsIconic())
        MainWindow->ShowWindow(SW_RESTORE);
}

void DocumentManager::EvDropFiles(WPARAM drop, LPARAM) {
    HDROP hdrop = reinterpret_cast<HDROP>(drop);
    UINT count = ::DragQueryFileA(hdrop, 0xFFFFFFFF, 0, 0);
    POINT point;
    ::DragQueryPoint(hdrop, &point);
    List<FileName> names;
    for (UINT i = 0; i < count; ++i) {
        char buffer[MAX_PATH + 1];
        if (::DragQueryFileA(hdrop, i, buffer, sizeof buffer))
            names.Append(new FileName(buffer));
    }
    ::DragFinish(hdrop);
    TPoint p(point.x, point.y);
    OpenProperDocuments(names, &p);
    if (MainWindow && MainWindow->IsIconic())
        MainWindow->ShowWindow(SW_RESTORE);
}

// ---- help

FileName DocumentManager::GetHelpFileName() {
    static FileName name;
    if (name.IsEmpty()) {
        String base(GetName());
        char const *suffix = _language == 7 ? "_German" : _language == 12 ? "_French" : "_English";
        name = FileName::CreateApplicationRelative(base + suffix + ".hlp");
        if (!File::Exist(name))
            name = FileName::CreateApplicationRelative(base + "_English.hlp");
        if (!File::Exist(name))
            name = FileName::CreateApplicationRelative(base + ".hlp");
    }
    return name;
}

void DocumentManager::LoadHelpTable() {
    if (helpTable_)
        return;
    FileName file = FileName::CreateApplicationRelative(String("system\\helpcmd.bin"));
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (h == INVALID_HANDLE_VALUE)
        return;
    DWORD size = ::GetFileSize(h, 0);
    int count = size == INVALID_FILE_SIZE ? 0 : static_cast<int>(size / 8);
    helpTable_ = new HelpCommand[count ? count : 1];
    helpCount_ = 0;
    for (int i = 0; i < count; ++i) {
        unsigned char record[8];
        DWORD read = 0;
        if (!::ReadFile(h, record, 8, &read, 0) || read != 8)
            break;
        HelpCommand &c = helpTable_[helpCount_++];
        c.windowId = static_cast<short>(record[0] | record[1] << 8);
        c.controlId = static_cast<short>(record[2] | record[3] << 8);
        c.context = record[4] | record[5] << 8 | record[6] << 16 | (unsigned long)record[7] << 24;
    }
    ::CloseHandle(h);
}

void DocumentManager::FreeHelpTable() {
    delete[] helpTable_;
    helpTable_ = 0;
    helpCount_ = 0;
}

HelpCommand const *DocumentManager::FindHelpCommand(int windowId, int controlId) {
    LoadHelpTable();
    for (int i = 0; i < helpCount_; ++i)
        if (helpTable_[i].windowId == windowId && helpTable_[i].controlId == controlId)
            return &helpTable_[i];
    return 0;
}

unsigned DocumentManager::FindNumTipOfTheDay() {
    FileName file(GetHelpFileName());
    long dot = file.FindLast('.');
    if (dot >= 0)
        file.KeepLeft(dot);
    file += ".cnt";
    HANDLE h = ::CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    if (h == INVALID_HANDLE_VALUE)
        return 0;
    DWORD size = ::GetFileSize(h, 0);
    std::string text(size == INVALID_FILE_SIZE ? 0 : size, '\0');
    DWORD read = 0;
    if (!text.empty())
        ::ReadFile(h, &text[0], size, &read, 0);
    ::CloseHandle(h);
    text.resize(read);
    unsigned count = 0;
    for (size_t at = text.find("IDH_TIP"); at != std::string::npos; at = text.find("IDH_TIP", at + 7))
        ++count;
    return count;
}

void DocumentManager::OpenHelpWindow(unsigned command, unsigned long data) {
    OpenHelpWindow(frame_ ? frame_->GetHandle() : 0, command, data);
}

namespace {

struct HelpSpot {
    int a, b, x, y, w, h;
};

HelpSpot const kHelpSpots[] = {
    {0, 0, 0, 0, 400, 200},     {1, 0, 214, 0, 400, 200},     {2, 0, 428, 0, 400, 200},     {3, 0, 600, 0, 424, 200},
    {0, 1, 0, 220, 400, 200},   {1, 1, 214, 220, 400, 200},   {2, 1, 428, 220, 400, 200},   {3, 1, 600, 220, 424, 200},
    {0, 2, 0, 420, 400, 200},   {1, 2, 214, 420, 400, 200},   {2, 2, 428, 420, 400, 200},   {3, 2, 600, 420, 424, 200},
    {0, 3, 0, 620, 400, 200},   {1, 3, 214, 620, 400, 200},   {2, 3, 428, 620, 400, 200},   {3, 3, 600, 620, 424, 200},
    {0, 4, 0, 800, 400, 224},   {1, 4, 214, 800, 400, 224},   {2, 4, 428, 800, 400, 224},   {3, 4, 600, 800, 424, 224},
    {-1, -1, 0, 0, 0, 0}};

bool Inside(HelpSpot const &s, int x, int y) { return x >= s.x && x < s.x + s.w && y >= s.y && y < s.y + s.h; }

bool Overlaps(HelpSpot const &s, int l, int t, int r, int b) {
    return s.x < r && l < s.x + s.w && s.y < b && t < s.y + s.h;
}

}  // namespace

void DocumentManager::OpenHelpWindow(HWND window, unsigned command, unsigned long data) {
    String file(GetHelpFileName());
    if (command != HELP_CONTEXTPOPUP) {
        ::WinHelpA(window, file.c_str(), command, data);
        return;
    }
    char windowName[32];
    if (data >= 100000) {
        std::strcpy(windowName, "TipDay");
    } else {
        POINT p;
        ::GetCursorPos(&p);
        int sw = std::max(1, ::GetSystemMetrics(SM_CXSCREEN)), sh = std::max(1, ::GetSystemMetrics(SM_CYSCREEN));
        int x = p.x * 1024 / sw, y = p.y * 1024 / sh;
        HelpSpot const *found = 0;
        for (HelpSpot const *s = kHelpSpots; s->a >= 0 && !found; ++s)
            if (Inside(*s, x, y))
                found = s;
        int a = found ? found->a : 0, b = found ? found->b : 0;
        HelpSpot const *best = 0;
        int bestDist = 0, bestSkew = 0;
        for (HelpSpot const *s = kHelpSpots; s->a >= 0; ++s) {
            int da = std::abs(s->a - a), db = std::abs(s->b - b);
            if (s == found || da > 2 || db > 2 || Overlaps(*s, x - 40, y - 40, x + 40, y + 40))
                continue;
            int dist = da + db, skew = std::abs(da - db);
            if (!best || dist < bestDist || (dist == bestDist && skew < bestSkew)) {
                best = s;
                bestDist = dist;
                bestSkew = skew;
                if (dist == 1)
                    break;
            }
        }
        if (best) {
            a = best->a;
            b = best->b;
        }
        std::sprintf(windowName, "Popup%d%d", a, b);
    }
    for (unsigned long i = 0; i < file.GetLength(); ++i)
        if (file[i] == '\\')
            file.SetChar(i, '/');
    char macro[600];
    std::snprintf(macro, sizeof macro, "JumpContext(\"%s>%s\",%lu)", file.c_str(), windowName, data);
    ::WinHelpA(window, file.c_str(), HELP_COMMAND, reinterpret_cast<ULONG_PTR>(macro));
}

void DocumentManager::DoWindowHelp(HWND window) {
    HelpInfo info;
    info.cbSize = sizeof(HELPINFO);
    info.iContextType = -2;
    info.iCtrlId = 0;
    info.hItemHandle = window;
    info.dwContextId = 0;
    ::GetCursorPos(&info.MousePos);
    DoHelp(&info);
}

void DocumentManager::DoHelp(HELPINFO *info) {
    if (!info)
        return;
    int kind = info->iContextType;
    int id = 0;
    int control = info->iCtrlId;
    if (kind == -3 || kind == -4) {
        id = static_cast<HelpInfo const *>(info)->explicitId;
    } else if (kind < 0 || kind == HELPINFO_WINDOW) {
        HWND item = static_cast<HWND>(info->hItemHandle);
        TWindow *w = 0;
        if (control && MainWindow) {
            // a control of a dialog names its topic by the dialog's identifier
            w = dynamic_cast<Dialog *>(MainWindow->GetWindowPtr(::GetParent(item)));
        }
        if (!w && MainWindow)
            w = MainWindow->GetWindowPtr(item);
        if (!w)
            return;
        id = w->GetId();
    }
    HelpCommand const *record = FindHelpCommand(id, control);
    if ((::GetKeyState(VK_CONTROL) & 0x8000) && (::GetKeyState(VK_SHIFT) & 0x8000))
        return;
    if (id == 0 && control == 0)
        OpenHelpWindow(HELP_FINDER, 0);
    else if (!record)
        return;
    else if (kind == -2 || kind == -3)
        OpenHelpWindow(HELP_CONTEXT, record->context);
    else
        OpenHelpWindow(HELP_CONTEXTPOPUP, record->context);
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
