// Start-up of a program on the framework: the first call of its main entry (the hand-over
// of a second start to the first instance, the resource and language modules, the system
// checks), the start of the instance with its splash and first documents, and the
// documents that reach a running instance from a second start or the shell.
#include "manager/DocumentManager.h"

#include "core/CommonControls.h"
#include "core/FrameWindow.h"
#include "controls/SplashWindow.h"

#include "foundation/FileSelector.h"
#include "foundation/MessageCatalogue.h"

#include <cstdlib>
#include <cstring>

namespace {

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

// ---- the command line

// "start,length" of "/REGION:" as the open options that select that region; "" without a length.
String RegionOptions(char const *numbers) {
    char const *comma = std::strchr(numbers, ',');
    if (!comma)
        return String();
    long a = std::atol(numbers), b = std::atol(comma + 1);
    if (b == 0)
        return String();
    String region("|SL=");
    region += String(a);
    region += " |SR=";
    region += String(a + b - 1);
    region += " |CRS=";
    region += String(a);
    return region;
}

// The first argument that names a document holds a drive colon or an option bar.
int FirstNameArgument(int argc, char **argv) {
    int first = 1;
    while (first < argc && !(argv[first] && std::strpbrk(argv[first], ":|")))
        ++first;
    return first;
}

// A name with blanks comes in several arguments: they join the name until a bar starts
// the open options, which take everything after it.
void JoinArguments(char **argv, int count, String &name, String &options) {
    for (int i = 0; i < count; ++i) {
        String part(argv[i] ? argv[i] : "");
        long bar = part.FindFirst('|');
        if (bar < 0) {
            String &to = options.IsEmpty() ? name : options;
            to += " ";
            to += part;
        } else if (bar == 0 || !options.IsEmpty()) {
            options += part;
        } else {
            name += " ";
            name += String(part.Left(bar));
            options += String(part.Mid(bar));
        }
    }
}

// The name of an existing file as the disk spells it; "" when there is none. Names with
// wildcards are never expanded into some file.
String ExistingFile(String const &name) {
    if (name.FindOneOf("*?") >= 0)
        return String();
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(name.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return String();
    ::FindClose(find);
    return String(FileName(String(name.GetPath()), String(found.cFileName)));
}

// The open options of the command line, else those of the region, follow the file.
String WithOptions(String file, String const &options, String const &region) {
    if (file.IsEmpty())
        return file;
    if (options.IsEmpty()) {
        file += region;
    } else {
        file += "|";
        file += options;
    }
    return file;
}

// ---- the first call of the main entry

void SendDocumentName(HWND first, String const &name) {
    COPYDATASTRUCT data;
    data.dwData = 0;
    data.cbData = name.GetLength() + 1;
    data.lpData = const_cast<char *>(name.c_str());
    DWORD_PTR answer = 0;
    ::SendMessageTimeoutA(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG | SMTO_BLOCK,
                          kHandOverTimeout, &answer);
}

// A second start brings the first instance forward and hands it the document of its
// command line; false when there is no first instance.
bool HandOverToFirstInstance(char const *frameClass, int argc, char **argv) {
    HWND first = frameClass ? ::FindWindowA(frameClass, 0) : 0;
    if (!first)
        return false;
    ::SetForegroundWindow(first);
    if (::IsIconic(first))
        ::ShowWindow(first, SW_RESTORE);
    String name = DocumentManager::CommandLineToFileList(argc, argv);
    if (!name.IsEmpty() && _stricmp(name.c_str(), "NR") != 0)
        SendDocumentName(first, name);
    return true;
}

void LoadResourceModules(char const *commonResourceFile, LanguageDLL const *languages) {
    if (commonResourceFile && !TModule::_commonResourceDLL) {
        FileName file = FileName::CreateApplicationRelative(String(commonResourceFile));
        TModule::_commonResourceDLL = new TModule(file.c_str(), true, true);
    }
    if (languages && !TModule::_localizedResourceDLL) {
        DocumentManager::SetLanguage(ReadRegistryInt("General", "Language", ::GetSystemDefaultLCID() & 0x3FF));
        FileName file = DocumentManager::ChooseLanguageModule(languages, DocumentManager::GetLanguage());
        TModule::_localizedResourceDLL = new TModule(file.c_str(), true, true);
        NotifyLocalizedStringDll(TModule::_localizedResourceDLL->GetHandle());
    }
}

bool IsNTSystem() {
    OSVERSIONINFOA version;
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExA(&version);
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool IsVersion4OrLater() {
    DWORD v = ::GetVersion();
    int major = v & 0xFF;
    return !(((v & 0x80000000UL) && major <= 3) || major < 4);
}

int DisplayColorBits() {
    HDC dc = ::CreateDCA("DISPLAY", 0, 0, 0);
    int bits = ::GetDeviceCaps(dc, BITSPIXEL) * ::GetDeviceCaps(dc, PLANES);
    ::DeleteDC(dc);
    return bits;
}

// ---- documents from outside

// The text is bounded by its byte count, whether or not the sender ended it.
String CopiedText(COPYDATASTRUCT const &data) {
    char const *bytes = static_cast<char const *>(data.lpData);
    unsigned long n = 0;
    while (n < data.cbData && bytes[n])
        ++n;
    return String(bytes, 0, n);
}

// Blanks between the name and its open options are dropped.
String TrimmedBeforeOptions(String const &text) {
    long bar = text.FindFirst('|');
    if (bar < 0)
        return text;
    String name(text.Left(bar));
    name.Trim();
    name += "|";
    name += String(text.Mid(bar));
    return name;
}

void ReadDroppedNames(HDROP drop, List<FileName> &names) {
    UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, 0, 0);
    for (UINT i = 0; i < count; ++i) {
        char buffer[MAX_PATH + 1];
        if (::DragQueryFileA(drop, i, buffer, sizeof buffer))
            names.Append(new FileName(buffer));
    }
}

void RestoreIfIconic(TWindow *window) {
    if (window && window->IsIconic())
        window->ShowWindow(SW_RESTORE);
}

}  // namespace

String DocumentManager::CommandLineToFileList(int argc, char **argv) {
    if (argc < 2 || !argv)
        return String();
    String region;
    if (argc >= 3 && argv[2] && std::strncmp(argv[2], "/REGION:", 8) == 0) {
        region = RegionOptions(argv[2] + 8);
        argc = 2;
    }
    int first = FirstNameArgument(argc, argv);
    if (first >= argc)
        return String();
    String arg(argv[first]);
    arg.Trim();
    if (String::Compare(arg, "|NR") == 0)
        return String("NR");
    long colon = arg.FindFirst(':');
    if (colon <= 0)
        return String();
    String name(arg.Mid(colon - 1)), options;
    JoinArguments(argv + first + 1, argc - first - 1, name, options);
    name.Trim();
    return WithOptions(ExistingFile(name), options, region);
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
    if (HandOverToFirstInstance(frameClass, argc, argv))
        return 0;
    TCommCtrl::IsAvailable();
    _companyName = company ? company : "";
    _appInternalName = appName ? appName : "";
    LoadResourceModules(commonResourceFile, languages);
    _isNT = IsNTSystem();
    if (!IsVersion4OrLater()) {
        ShowBox(FindString(19020), ArgvTitle().c_str(), MB_ICONHAND);
        return 0;
    }
    _win95 = 1;
    if (DisplayColorBits() < 8 &&
        ShowBox(FindString(19019), ArgvTitle().c_str(), MB_YESNO | MB_ICONEXCLAMATION) == IDNO)
        return 0;
    return 1;
}

void DocumentManager::InitInstance() {
    if (!_win95)
        EnableCtl3d(1);
    TApplication::InitInstance();
    guiThreadId_ = ::GetWindowThreadProcessId(MainWindow->GetHandle(), 0);
    ShowSplash();
    ::DragAcceptFiles(MainWindow->GetHandle(), TRUE);
    if (TModule::_commonResourceDLL)
        SetFileSelectorExpandBitmap(TModule::_commonResourceDLL->LoadBitmapA(22030));
    settings_->MoveToRoot();
    LoadPref(*settings_);
    OnInitInstance();
    OpenStartDocuments();
    PumpWaitingMessages();
    if (!nowQuitting_) {
        DoAfterRestoreLayout();
        MainWindow->PostMessageA(WM_COMMAND, 20091, 0);
    }
    if (SplashWindow *splash = SplashWindow::Current())
        splash->End(splashMilliseconds_);
    _startingUp = 0;
}

void DocumentManager::ShowSplash() {
    logo_ = ReadRegistryInt("General", "Logo", 1);
    if (!logo_)
        splashBitmapId_ = 0;
    if (!splashBitmapId_)
        return;
    try {
        new SplashWindow(splashBitmapId_, 0);
    } catch (AException const &) {
        // a missing or broken picture only costs the splash, never the start
    }
    PumpWaitingMessages();
}

void DocumentManager::OpenStartDocuments() {
    String name;
    if (_argc >= 2)
        name = CommandLineToFileList(_argc, _argv);
    if (!name.IsEmpty()) {
        if (name != "NR")
            OpenProperDocument(FileName(name), 0);
    } else if (layoutStore_) {
        RestoreLayout(*layoutStore_, layoutStore_->GetLayoutItemType());
    }
}

void DocumentManager::HideSplashWindow() {
    if (SplashWindow *splash = SplashWindow::Current())
        splash->End(0);
}

void DocumentManager::EvCopyData(HWND, COPYDATASTRUCT *data) {
    if (!data || !data->lpData || data->cbData == 0)
        return;
    OpenProperDocument(FileName(TrimmedBeforeOptions(CopiedText(*data))), 0);
    RestoreIfIconic(MainWindow);
}

void DocumentManager::EvDropFiles(WPARAM drop, LPARAM) {
    HDROP hdrop = reinterpret_cast<HDROP>(drop);
    POINT point;
    ::DragQueryPoint(hdrop, &point);
    List<FileName> names;
    ReadDroppedNames(hdrop, names);
    ::DragFinish(hdrop);
    TPoint p(point.x, point.y);
    OpenProperDocuments(names, &p);
    RestoreIfIconic(MainWindow);
}
