// The document manager: command line, language modules, start-up with and without
// settings, warnings from many threads, the second start's hand-over.
#include "tests/framework/TestKit.h"
#include "manager/Document.h"
#include "manager/DocumentManager.h"
#include "manager/DocumentModel.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"
#include "core/MdiWindows.h"

#include "foundation/Exception.h"
#include "foundation/FileSelector.h"
#include "foundation/MessageCatalogue.h"
#include "foundation/PtrLists.h"
#include "controls/SplashWindow.h"
#include "bars/StatusBar.h"

#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"

#include <windows.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

using testsupport::ReadBytes;
using testsupport::TempDir;
using testsupport::WriteBytes;

namespace {

// ---- message boxes are answered here

CRITICAL_SECTION boxLock;
std::vector<std::string> boxTexts;
void (*onFirstBox)() = 0;

int RecordBox(HWND, char const *text, char const *, unsigned) {
    EnterCriticalSection(&boxLock);
    boxTexts.push_back(text ? text : "");
    bool first = boxTexts.size() == 1;
    LeaveCriticalSection(&boxLock);
    if (first && onFirstBox)
        onFirstBox();
    return IDOK;
}

struct BoxRecorder {
    BoxRecorder() {
        InitializeCriticalSection(&boxLock);
        boxTexts.clear();
        onFirstBox = 0;
        previous = SetMessageBoxAnswerer(RecordBox);
    }
    ~BoxRecorder() {
        SetMessageBoxAnswerer(previous);
        onFirstBox = 0;
        DeleteCriticalSection(&boxLock);
    }
    std::vector<std::string> Texts() {
        EnterCriticalSection(&boxLock);
        std::vector<std::string> copy = boxTexts;
        LeaveCriticalSection(&boxLock);
        return copy;
    }
    TMessageBoxAnswerer previous;
};

// ---- a test application with an MDI main frame

class TestManager : public DocumentManager {
public:
    TestManager() : DocumentManager("VeltraneTests", "system\\dmtest.set", 0, 0, 0, 0) {}

    void InitMainWindow() override {
        client = new MDIClient;
        SetMainWindow(new FrameWindow("Document manager test", 0, *client, 1));
    }
    Document *OpenProperDocument(FileName const &name, TPoint const *) override {
        opened.push_back(name.c_str());
        return 0;
    }

    MDIClient *client = 0;
    std::vector<std::string> opened;
};

class DocManagerTest : public testing::Test {
protected:
    void SetUp() override {
        CreateDirectoryA((TestsFolder() + "\\system").c_str(), 0);
        DeleteFileA(SettingsFile().c_str());
        DeleteFileA((TestsFolder() + "\\system\\layout.dat").c_str());
        TApplication::SetWinMainParams(GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
    }
    void TearDown() override {
        DeleteFileA(SettingsFile().c_str());
        DeleteFileA((TestsFolder() + "\\system\\layout.dat").c_str());
    }
    static std::string SettingsFile() { return TestsFolder() + "\\system\\dmtest.set"; }

    static void Pump() { PumpRounds(50, 2); }
};

// ---- command line

TEST(CommandLine, NamesOptionsAndRegions) {
    TempDir dir;
    std::string file = dir.File("Take One.wav");
    WriteBytes(file, "RIFF");
    std::string upper = file;
    std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
    // the found file's own spelling is kept
    std::string shown = file;

    struct Case {
        std::vector<std::string> args;
        std::string expected;
    } const cases[] = {
        {{"prog"}, ""},
        {{"prog", file}, shown},
        {{"prog", upper}, dir.Path().substr(0, 0) + upper.substr(0, upper.find_last_of('\\')) + "\\Take One.wav"},
        {{"prog", file, "/REGION:100,50"}, shown + "|SL=100 |SR=149 |CRS=100"},
        {{"prog", file, "/REGION:100,0"}, shown},
        {{"prog", file, "/REGION:100"}, shown},
        {{"prog", "plain", "|NR"}, "NR"},
        {{"prog", "plain", "words"}, ""},
        {{"prog", dir.File("missing.wav")}, ""},
        {{"prog", dir.File("*.wav")}, ""},
        {{"prog", file.substr(0, file.find(' ')), "One.wav|SL=5", "|SR=9"}, shown + "||SL=5|SR=9"},
        {{"prog", "x" + file}, shown},
    };
    for (Case const &c : cases) {
        std::vector<char *> argv;
        for (std::string const &a : c.args)
            argv.push_back(const_cast<char *>(a.c_str()));
        String got = DocumentManager::CommandLineToFileList(int(argv.size()), argv.data());
        std::string joined;
        for (std::string const &a : c.args)
            joined += "[" + a + "]";
        EXPECT_STREQ(c.expected.c_str(), got.c_str()) << joined;
    }
}

// ---- language modules

TEST(LanguageModules, EveryLanguageHoldsEveryText) {
    std::string system = TestsFolder() + "\\..\\program\\system\\";
    char const *names[] = {"EnglishTs.dll", "FrenchTs.dll", "GermanTs.dll"};
    for (char const *name : names) {
        HMODULE module = LoadLibraryExA((system + name).c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_TRUE(module != 0) << name;
        for (unsigned id = 19000; id <= 19020; ++id) {
            char text[512];
            EXPECT_GT(LoadStringA(module, id, text, sizeof text), 0) << name << " " << id;
        }
        for (unsigned id : {20004u, 20005u, 20007u, 20013u, 20016u, 24363u, 24364u, 24365u, 24366u, 32040u}) {
            char text[512];
            ASSERT_GT(LoadStringA(module, id, text, sizeof text), 0) << name << " " << id;
            EXPECT_TRUE(std::strchr(text, '\n') != 0) << name << " hint and tip of " << id;
        }
        EXPECT_TRUE(FindResourceA(module, MAKEINTRESOURCEA(100), RT_MENU) != 0) << name;
        FreeLibrary(module);
    }
}

TEST(LanguageModules, CommonResourcesHoldTheManagersPictures) {
    std::string module = TestsFolder() + "\\..\\program\\system\\CommonRscTs.dll";
    HMODULE common = LoadLibraryExA(module.c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(common != 0);
    EXPECT_TRUE(FindResourceA(common, MAKEINTRESOURCEA(22030), RT_BITMAP) != 0);
    EXPECT_TRUE(FindResourceA(common, MAKEINTRESOURCEA(17000), RT_GROUP_CURSOR) != 0);
    FreeLibrary(common);
    HMODULE loaded = LoadLibraryA(module.c_str());
    ASSERT_TRUE(loaded != 0);
    HBITMAP expand = LoadBitmapA(loaded, MAKEINTRESOURCEA(22030));
    EXPECT_TRUE(expand != 0);
    BITMAP info = {};
    GetObjectA(expand, sizeof info, &info);
    EXPECT_EQ(9, info.bmWidth);
    DeleteObject(expand);
    EXPECT_TRUE(LoadCursorA(loaded, MAKEINTRESOURCEA(17000)) != 0);
    FreeLibrary(loaded);
}

TEST(LanguageModules, ChoiceFallsBackToTheDefaultRow) {
    LanguageDLL const table[] = {{9, "..\\program\\system\\EnglishTs.dll"},
                                 {12, "..\\program\\system\\FrenchTs.dll"},
                                 {7, "no such folder\\GermanTs.dll"},
                                 {0, "..\\program\\system\\EnglishTs.dll"}};
    EXPECT_NE(-1, DocumentManager::ChooseLanguageModule(table, 12).FindFirst("FrenchTs.dll"));
    EXPECT_NE(-1, DocumentManager::ChooseLanguageModule(table, 9).FindFirst("EnglishTs.dll"));
    // missing file and unknown language both take the default
    EXPECT_NE(-1, DocumentManager::ChooseLanguageModule(table, 7).FindFirst("EnglishTs.dll"));
    EXPECT_NE(-1, DocumentManager::ChooseLanguageModule(table, 16).FindFirst("EnglishTs.dll"));
}

TEST(LanguageModules, LanguageComesFromTheRegistry) {
    // HKCU\Software\<company>\<application>\General, value "Language"
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\TessaroTest\\LanguageProbe\\General", 0,
                                             0, 0, KEY_ALL_ACCESS, 0, &key, 0));
    DWORD french = 12;
    RegSetValueExA(key, "Language", 0, REG_DWORD, reinterpret_cast<BYTE *>(&french), sizeof french);
    RegCloseKey(key);
    LanguageDLL const table[] = {{9, "..\\program\\system\\EnglishTs.dll"},
                                 {12, "..\\program\\system\\FrenchTs.dll"},
                                 {0, "..\\program\\system\\EnglishTs.dll"}};
    char prog[] = "prog";
    char *argv[] = {prog};
    ASSERT_EQ(1, DocumentManager::VeryFirstInit(1, argv, "LanguageProbe", 0, "TessaroTest", 0, table));
    EXPECT_EQ(12, DocumentManager::GetLanguage());
    ASSERT_TRUE(TModule::_localizedResourceDLL != 0);
    EXPECT_NE(-1, String(FindString(19020)).FindFirst("Windows"));
    EXPECT_STREQ("Erreur syst\xe8me ", String(FindString(19005)).c_str());
    NotifyLocalizedStringDll(0);
    delete TModule::_localizedResourceDLL;
    TModule::_localizedResourceDLL = 0;
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessaroTest\\LanguageProbe\\General");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessaroTest\\LanguageProbe");
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessaroTest");
}

// ---- start-up and preferences

TEST_F(DocManagerTest, StartsWithoutSettingsAndWritesThemAtTheEnd) {
    WriteBytes(SettingsFile(), std::string("\x01\x02 not a settings text {{{", 25));
    {
        TestManager app;
        app.InitInstance();
        EXPECT_TRUE(app.GetFrameWindow() != 0);
        EXPECT_EQ(1, app.GetAutoSavePref());
        Pump();
        EXPECT_EQ(1, app.CanClose());
        EXPECT_TRUE(app.NowQuitting());
    }
    std::string saved = ReadBytes(SettingsFile());
    EXPECT_NE(std::string::npos, saved.find("General")) << saved;
    EXPECT_NE(std::string::npos, saved.find("AutoSaveLayout")) << saved;
}

TEST_F(DocManagerTest, ReadsItsSettingsAndRefusesToCloseWhileStarting) {
    WriteBytes(SettingsFile(), "Main\r\n{\r\n\tGeneral\r\n\t{\r\n\t\tAutoSavePref=1\r\n\t\tAutoSaveLayout=0\r\n"
                               "\t\tTips=0\r\n\t\tIndex=7\r\n\t}\r\n}\r\n");
    TestManager app;
    EXPECT_EQ(0, app.CanClose());  // still starting up
    app.InitInstance();
    EXPECT_EQ(0, app.GetAutoSaveLayout());
    EXPECT_EQ(0, app.GetTips());
    EXPECT_EQ(7, app.GetTipIndex());
    EXPECT_EQ(1, app.CanClose());
}

TEST_F(DocManagerTest, ACancelledSessionEndLeavesTheProgramWorking) {
    TestManager app;
    app.InitInstance();
    Pump();
    TWindow *frame = app.GetFrameWindow();
    EXPECT_EQ(1, (int)frame->SendMessageA(WM_QUERYENDSESSION, 0, 0));
    EXPECT_FALSE(app.NowQuitting());
    frame->SendMessageA(WM_ENDSESSION, FALSE, 0);
    EXPECT_FALSE(app.NowQuitting());
    // a confirmed end ends the program
    EXPECT_EQ(1, (int)frame->SendMessageA(WM_QUERYENDSESSION, 0, 0));
    frame->SendMessageA(WM_ENDSESSION, TRUE, 0);
    EXPECT_TRUE(app.NowQuitting());
}

// ---- warnings

TEST_F(DocManagerTest, WarningsFromFourThreadsWhileABoxShows) {
    BoxRecorder boxes;
    TestManager app;
    app.InitInstance();
    Pump();
    static TestManager *theApp;
    static bool workersDone;
    theApp = &app;
    workersDone = false;
    // While the first box is up, four threads warn 25 times each: none may wait for
    // the box, none may be lost.
    struct Worker {
        static DWORD WINAPI Run(void *arg) {
            int t = int(reinterpret_cast<INT_PTR>(arg));
            for (int i = 0; i < 25; ++i) {
                char text[32];
                wsprintfA(text, "worker %d warning %d", t, i);
                theApp->WarnUser(Exception(text), 1);
            }
            return 0;
        }
    };
    onFirstBox = [] {
        HANDLE threads[4];
        for (int t = 0; t < 4; ++t)
            threads[t] = CreateThread(0, 0, Worker::Run, reinterpret_cast<void *>(INT_PTR(t)), 0, 0);
        workersDone = WaitForMultipleObjects(4, threads, TRUE, 20000) == WAIT_OBJECT_0;
        for (HANDLE h : threads)
            CloseHandle(h);
    };
    app.WarnUser(Exception("first"), 0);
    Pump();
    ASSERT_TRUE(workersDone) << "a worker waited behind the box";
    std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(101u, texts.size());
    EXPECT_EQ("first\n", texts[0]);
    std::set<std::string> unique(texts.begin(), texts.end());
    EXPECT_EQ(101u, unique.size());
    EXPECT_EQ(1u, unique.count("worker 3 warning 24\n"));
}

TEST_F(DocManagerTest, WarningTextsAndPostedExceptions) {
    BoxRecorder boxes;
    TestManager app;
    app.InitInstance();
    Pump();
    // two warnings queued by a worker before the GUI runs are both shown
    static TestManager *theApp;
    theApp = &app;
    struct Worker {
        static DWORD WINAPI Run(void *) {
            theApp->WarnUser(Exception("disk full", "try another drive"), 1);
            theApp->WarnUser(Exception("cannot write", ERROR_ACCESS_DENIED), 1);
            theApp->WarnUser(Exception(""), 1);  // empty: dropped
            return 0;
        }
    };
    HANDLE worker = CreateThread(0, 0, Worker::Run, 0, 0, 0);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 10000));
    CloseHandle(worker);
    EXPECT_TRUE(boxes.Texts().empty());
    Pump();
    std::vector<std::string> texts = boxes.Texts();
    ASSERT_EQ(2u, texts.size());
    EXPECT_EQ("disk full\ntry another drive\n", texts[0]);
    EXPECT_EQ(0u, texts[1].find(std::string("cannot write") + String(FindString(19005)).c_str() + "5 (\""))
        << texts[1];
    EXPECT_EQ('\n', texts[1].back());
    // a plain text is shown at once; a posted exception arrives as message 1124
    app.WarnUser(AException(String("plain")), 1);
    EXPECT_EQ("plain", boxes.Texts().back());
    PostMessageA(app.GetMainWindow()->GetHandle(), 1124, 0, reinterpret_cast<LPARAM>(new Exception("posted")));
    Pump();
    EXPECT_EQ("posted\n", boxes.Texts().back());
}

// ---- second start

TEST_F(DocManagerTest, CopyDataIsBoundedByItsByteCount) {
    BoxRecorder boxes;
    TestManager app;
    app.InitInstance();
    char text[] = "C:\\a b.wav  |SL=1 |SR=9GARBAGE";
    COPYDATASTRUCT data = {0, DWORD(std::strlen("C:\\a b.wav  |SL=1 |SR=9")), text};
    SendMessageA(app.GetMainWindow()->GetHandle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
    ASSERT_EQ(1u, app.opened.size());
    EXPECT_EQ("C:\\a b.wav||SL=1 |SR=9", app.opened[0]);
}

LRESULT CALLBACK FirstInstanceProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    static std::string *received;
    if (msg == WM_CREATE)
        received = static_cast<std::string *>(reinterpret_cast<CREATESTRUCTA *>(lp)->lpCreateParams);
    if (msg == WM_COPYDATA) {
        COPYDATASTRUCT *data = reinterpret_cast<COPYDATASTRUCT *>(lp);
        received->assign(static_cast<char const *>(data->lpData), data->cbData);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

TEST(SecondStart, HandsItsCommandLineToTheFirstInstance) {
    TempDir dir;
    std::string file = dir.File("take.wav");
    WriteBytes(file, "RIFF");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = FirstInstanceProc;
    wc.hInstance = GetModuleHandleA(0);
    wc.lpszClassName = "VeltraneFirstInstanceTest";
    ASSERT_TRUE(RegisterClassA(&wc));
    std::string received;
    HWND first = CreateWindowA(wc.lpszClassName, "first", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, 0, 0, wc.hInstance,
                               &received);
    ASSERT_TRUE(first != 0);

    std::string command = "\"" + TestsFolder() + "\\VeltraneSecondStart.exe\" VeltraneFirstInstanceTest \"" + file +
                          "\" /REGION:10,5";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessA(0, &command[0], 0, 0, FALSE, 0, 0, 0, &si, &pi)) << command;
    // The second start sends to this thread: keep pumping while it runs, never forever.
    DWORD deadline = GetTickCount() + 30000;
    bool ended = false;
    while (!ended && GetTickCount() < deadline) {
        DWORD r = MsgWaitForMultipleObjects(1, &pi.hProcess, FALSE, 200, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0)
            ended = true;
        MSG msg;
        while (PeekMessageA(&msg, 0, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    if (!ended)
        TerminateProcess(pi.hProcess, 9);
    DWORD code = 99;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    DestroyWindow(first);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
    ASSERT_TRUE(ended);
    EXPECT_EQ(0u, code);  // handed over: the second start ends
    EXPECT_EQ(file + "|SL=10 |SR=14 |CRS=10", std::string(received.c_str())) << received;
}

}  // namespace

// ---- documents opened, found and closed by the manager

namespace {

int nextAnswer = IDNO;
std::vector<std::string> questions;
int Ask(HWND, char const *text, char const *, unsigned) {
    questions.push_back(text ? text : "");
    return nextAnswer;
}

class OpenedDoc : public Document {
public:
    OpenedDoc(DocumentModel const &type, FileName const &name) : Document(type, &name) {}
    int IsChanged() override { return changed; }
    int CanClose() override { return closable; }
    int changed = 0;
    int closable = 1;
};

class OpeningType : public DocumentModel {
public:
    OpeningType(char const *typeName, char const *filter, bool opens) : works(opens) {
        name = typeName;
        openFilter = filter;
        livesWithViews = 1;
    }
    Document *OpenDoc(FileName const &file, DocMemento const *, int, int) override {
        ++opens;
        return works ? new OpenedDoc(*this, file) : 0;
    }
    int OnBeginMultiOpen(int) override { return allowMulti; }
    bool works;
    int opens = 0;
    int allowMulti = 1;
};

}  // namespace

TEST_F(DocManagerTest, DocumentsAreOpenedFoundReloadedAndClosed) {
    TempDir dir;
    WriteBytes(dir.File("a.fak"), "A");
    WriteBytes(dir.File("b.fak"), "B");
    WriteBytes(dir.File("c.xyz"), "C");
    // types are tried in registration order; one that fails passes the file on
    OpeningType refusing("Refusing", "Fakes|*.fak|", false), fake("Fake", "Fakes|*.fak|", true);
    TMessageBoxAnswerer previous = SetMessageBoxAnswerer(Ask);
    questions.clear();
    {
        TestManager app;
        Document *a = app.DocumentManager::OpenProperDocument(FileName(dir.File("a.fak").c_str()), 0);
        ASSERT_TRUE(a != 0);
        EXPECT_EQ(1, refusing.opens);
        EXPECT_EQ(&fake, a->GetModel().GetRegistered());
        EXPECT_TRUE(app.DocumentManager::OpenProperDocument(FileName(dir.File("c.xyz").c_str()), 0) == 0);
        EXPECT_TRUE(app.DocumentManager::OpenProperDocument(FileName(dir.File("gone.fak").c_str()), 0) == 0);

        // a changed document asked about again: No keeps it
        static_cast<OpenedDoc *>(a)->changed = 1;
        nextAnswer = IDNO;
        int wasOpen = 0;
        EXPECT_EQ(a, app.OpenDocument(fake, FileName(dir.File("a.fak").c_str()), 0, 1, 0, &wasOpen, 0, 1));
        EXPECT_EQ(1, wasOpen);
        ASSERT_EQ(1u, questions.size());
        EXPECT_EQ(std::string(String(FindString(19000)).c_str()), questions[0]);

        // two files as one document; a refused multiple open opens nothing
        String both(dir.File("a.fak").c_str());
        both += "\t";
        both += dir.File("b.fak").c_str();
        fake.allowMulti = 0;
        EXPECT_TRUE(app.OpenMultiFileDocument(fake, both, 0, 0, 0, 0) == 0);
        fake.allowMulti = 1;
        int allWereOpen = 1;
        Document *b = app.OpenMultiFileDocument(fake, both, 0, 0, 0, &allWereOpen);
        ASSERT_TRUE(b != 0);
        EXPECT_EQ(0, allWereOpen);
        int exact = 0;
        EXPECT_EQ(a, app.FindDocument(fake, String(dir.File("a.fak").c_str()), &exact));
        EXPECT_EQ(1, exact);

        // a refused close-all closes nothing
        static_cast<OpenedDoc *>(b)->closable = 0;
        EXPECT_EQ(0, app.CloseAll(0));
        EXPECT_EQ(2, app.GetDocList().GetCount());
        static_cast<OpenedDoc *>(b)->closable = 1;
        EXPECT_EQ(1, app.CloseAll(0));
        EXPECT_EQ(0, app.GetDocList().GetCount());
    }
    SetMessageBoxAnswerer(previous);
}

// ---- the open dialog and the types' preference groups

namespace {

FileSelectorInfo seen;
List<FileName> *toChoose = 0;
int ChooseFiles(FileSelectorInfo &info) {
    seen = info;
    if (!toChoose)
        return 0;
    for (FileName *f = toChoose->GetFirst(); f; f = toChoose->GetNext(f))
        info.selectedFiles.Append(new FileName(*f));
    info.selectedFolder = FileName(toChoose->GetFirst()->GetPath());
    info.selectedFilterIndex = 1;
    return 1;
}

// Made without a name, as a type that opens its file itself may do.
class UnnamedType : public DocumentModel {
public:
    UnnamedType() {
        name = "Unnamed";
        openFilter = "Unnamed|*.unn|";
        livesWithViews = 1;
    }
    Document *OpenDoc(FileName const &, DocMemento const *, int, int) override {
        Document *doc = new Document(*this);
        doc->SetChanged(1);
        return doc;
    }
};

}  // namespace

TEST_F(DocManagerTest, OpenDialogOpensTheChosenFilesOnce) {
    TempDir dir;
    WriteBytes(dir.File("a.fak"), "A");
    WriteBytes(dir.File("b.fak"), "B");
    OpeningType fake("DialogFake", "Fakes|*.fak|All|*.*|", true);
    fake.multiSelect = 1;
    fake.defExtension = "fak";
    fake.openPath = FileName(dir.Path().c_str());
    List<FileName> chosen;
    chosen.Append(new FileName(dir.File("a.fak").c_str()));
    chosen.Append(new FileName(dir.File("b.fak").c_str()));
    FileSelectorAnswer previous = SetFileSelectorAnswer(ChooseFiles);
    {
        TestManager app;
        ListOfPtr<Document> opened;
        // cancelled: nothing opened, nothing remembered
        toChoose = 0;
        app.OpenFileOpenDialog(fake, 0, &opened, 1, 0);
        EXPECT_EQ(0, seen.kind);
        EXPECT_EQ(1, seen.multiSelection);
        EXPECT_EQ(1, seen.fileMustExist);
        EXPECT_EQ(101, seen.templateId);
        EXPECT_STREQ(dir.Path().c_str(), seen.initialFolder.c_str());
        EXPECT_STREQ("Fakes|*.fak|All|*.*|", seen.filter.c_str());
        EXPECT_STREQ(fake.GetFileOpenDialogCaption().c_str(), seen.caption.c_str());
        EXPECT_EQ(0, fake.opens);

        // a type that refuses several files at once opens none of them
        toChoose = &chosen;
        fake.allowMulti = 0;
        String caption("Pick two");
        app.OpenFileOpenDialog(fake, &caption, &opened, 1, 0);
        EXPECT_STREQ("Pick two", seen.caption.c_str());
        EXPECT_EQ(0, fake.opens);
        EXPECT_EQ(0, opened.GetCount());
        EXPECT_EQ(0, app.GetDocList().GetCount());

        fake.allowMulti = 1;
        app.OpenFileOpenDialog(fake, 0, &opened, 1, 0);
        EXPECT_EQ(2, fake.opens);
        ASSERT_EQ(2, opened.GetCount());
        EXPECT_TRUE(opened[0]->IsAttachedTo(*chosen[0]));
        EXPECT_TRUE(opened[1]->IsAttachedTo(*chosen[1]));
        EXPECT_EQ(1, fake.iOpenFilter);
        // chosen again: the open documents are found, not opened twice nor listed twice
        app.OpenFileOpenDialog(fake, 0, &opened, 1, 0);
        EXPECT_EQ(2, fake.opens);
        EXPECT_EQ(2, opened.GetCount());
        EXPECT_EQ(2, app.GetDocList().GetCount());
        EXPECT_EQ(1, app.CloseAll(0));
    }
    toChoose = 0;
    SetFileSelectorAnswer(previous);
}

TEST_F(DocManagerTest, EachTypeKeepsItsFolderAndFiltersInItsOwnGroup) {
    OpeningType fake("PrefFake", "Fakes|*.fak|", true);
    OpeningType titles("PrefTitles", "Titles|*.ttl|", true);
    titles.noFile = 1;
    TestManager app;
    Config &config = app.GetConfig();
    fake.openPath = FileName("C:\\sounds");
    fake.iOpenFilter = 2;
    fake.iSaveFilter = 3;
    app.DocumentManager::SavePref(config);
    config.MoveToRoot();
    ASSERT_TRUE(config.MoveDown("DocPrefFake") != 0);
    EXPECT_STREQ("C:\\sounds", config.GetValue(String(), "OpenPath").c_str());
    EXPECT_EQ(2, config.GetValue(0, "iOpenFilter"));
    EXPECT_EQ(3, config.GetValue(0, "iSaveFilter"));
    config.MoveToRoot();

    fake.openPath = FileName("C:\\elsewhere");
    fake.iOpenFilter = fake.iSaveFilter = 0;
    titles.openPath = FileName("C:\\untouched");
    app.DocumentManager::LoadPref(config);
    EXPECT_STREQ("C:\\sounds", fake.openPath.c_str());
    EXPECT_EQ(2, fake.iOpenFilter);
    EXPECT_EQ(3, fake.iSaveFilter);
    // a type without files has no group
    EXPECT_STREQ("C:\\untouched", titles.openPath.c_str());
    config.MoveToRoot();
    EXPECT_EQ(0, config.ExistGroup("DocPrefTitles"));
}

TEST_F(DocManagerTest, ADocumentOpenedByNameGivesBackItsUntitledNumber) {
    TempDir dir;
    WriteBytes(dir.File("song.unn"), "S");
    UnnamedType type;
    TestManager app;
    Document *named = app.OpenDocument(type, FileName(dir.File("song.unn").c_str()), 0, 0, 0, 0, 0, 1);
    ASSERT_TRUE(named != 0);
    EXPECT_EQ(0, named->GetUntitledNumber());
    EXPECT_STREQ("song", named->GetTitle().c_str());
    EXPECT_EQ(0, named->IsChanged());
    EXPECT_TRUE(named->IsAttachedTo(FileName(dir.File("song.unn").c_str())));
    // the number is free again for the next untitled document
    Document *untitled = new Document(type);
    EXPECT_EQ(1, untitled->GetUntitledNumber());
    String expected(FindString(19007));
    expected.Append(String(1));
    EXPECT_STREQ(expected.c_str(), untitled->GetTitle().c_str());
    EXPECT_EQ(1, app.CloseAll(0));
}

// ---- input while a long operation runs

namespace {

class ProgressManager : public DocumentManager {
public:
    ProgressManager() : DocumentManager("VeltraneTests", "system\\dmtest.set", 0, 0, 0, 0) {}
    void InitMainWindow() override {
        FrameWindow *frame = new FrameWindow("Progress test", 0, *new MDIClient, 0);
        bar = new StatusBar(0, frame);
        SetMainWindow(frame);
    }
    StatusBar *bar = 0;
};

struct InputBlocked {
    InputBlocked() { _disableFrame = 1; }
    ~InputBlocked() { _disableFrame = 0; }
};

}  // namespace

TEST_F(DocManagerTest, ALongOperationSwallowsInputAndNotesBreakRequests) {
    ProgressManager app;
    app.InitInstance();
    Pump();
    ASSERT_EQ(app.bar, app.GetStatusBar());
    StatusBar &bar = *app.bar;
    HWND target = app.GetMDIClient()->GetHandle();
    auto Process = [&](uint message, WPARAM wParam) {
        MSG msg = {};
        msg.hwnd = target;
        msg.message = message;
        msg.wParam = wParam;
        return app.ProcessAppMsg(msg) ? 1 : 0;
    };
    StatusBar::TakeEscapePressed();
    StatusBar::TakeMouseClicked();
    EXPECT_EQ(0, Process(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ(0, Process(WM_MOUSEMOVE, 0));
    {
        InputBlocked blocked;
        struct {
            uint message;
            int swallowed;
        } const cases[] = {
            {WM_MOUSEMOVE, 1},    {WM_LBUTTONUP, 1},      {0x209, 1},           {WM_KEYDOWN, 1},
            {WM_CHAR, 1},         {0x108, 1},             {WM_NCMOUSEMOVE, 1},  {WM_NCLBUTTONDOWN, 1},
            {WM_NCLBUTTONUP, 0},  {WM_NCRBUTTONDOWN, 1},  {WM_NCRBUTTONUP, 0},  {WM_NCMBUTTONDBLCLK, 1},
            {WM_PAINT, 0},        {WM_TIMER, 0},
        };
        for (auto const &c : cases)
            EXPECT_EQ(c.swallowed, Process(c.message, 'A')) << std::hex << c.message;
        // no gauge: nothing to break
        EXPECT_EQ(1, Process(WM_KEYDOWN, VK_ESCAPE));
        EXPECT_EQ(1, Process(WM_LBUTTONDOWN, 0));
        EXPECT_EQ(0, StatusBar::TakeEscapePressed());
        EXPECT_EQ(0, StatusBar::TakeMouseClicked());

        // once the gauge shows (at once: no delay), the bar holds the mouse for the rest of
        // the operation, and Escape and left clicks are noted
        bar.OpenGauge(100, "Working", 0, 0, 1);
        bar.SetProgress(10);
        ASSERT_TRUE(bar.IsGaugeOpen());
        EXPECT_EQ(&bar, app.GetProgressWindow());
        ::ReleaseCapture();
        Process(WM_MOUSEMOVE, 0);
        EXPECT_EQ(bar.GetHandle(), GetCapture());
        EXPECT_EQ(1, Process(WM_RBUTTONDOWN, 0));
        EXPECT_EQ(1, Process(WM_KEYDOWN, VK_RETURN));
        EXPECT_EQ(0, StatusBar::TakeEscapePressed());
        EXPECT_EQ(0, StatusBar::TakeMouseClicked());
        EXPECT_EQ(1, Process(WM_SYSKEYUP, VK_ESCAPE));
        EXPECT_EQ(1, Process(WM_LBUTTONDBLCLK, 0));
        EXPECT_EQ(1, StatusBar::TakeEscapePressed());
        EXPECT_EQ(1, StatusBar::TakeMouseClicked());
        EXPECT_EQ(0, StatusBar::TakeEscapePressed());
        bar.CloseGauge(1);
        EXPECT_TRUE(app.GetProgressWindow() == 0);
        EXPECT_TRUE(GetCapture() == 0);
    }
    EXPECT_EQ(0, Process(WM_KEYDOWN, VK_ESCAPE));
    EXPECT_EQ(0, StatusBar::TakeEscapePressed());
}

// ---- the start-up splash

namespace {
// The splash picture comes from the common resources, which the manager frees at its end.
struct TestResources {
    TestResources() { TModule::_commonResourceDLL = new TModule("VeltraneTestModule.dll", true); }
};

class SplashManager : private TestResources, public TestManager {
public:
    SplashManager(int bitmap, unsigned long ms) {
        splashBitmapId_ = bitmap;
        splashMilliseconds_ = ms;
    }
    void OnInitInstance() override {
        splashDuringStart = SplashWindow::Current() != 0;
        if (hide)
            HideSplashWindow();
    }
    bool splashDuringStart = false;
    bool hide = false;
};
}  // namespace

TEST_F(DocManagerTest, TheSplashStaysItsMinimumTimeAndAMissingPictureCostsOnlyTheSplash) {
    {
        SplashManager app(23, 400);
        DWORD start = GetTickCount();
        app.InitInstance();
        EXPECT_TRUE(app.splashDuringStart);
        EXPECT_GE(GetTickCount() - start, 350u);
        EXPECT_TRUE(SplashWindow::Current() == 0);
        EXPECT_EQ(0, DocumentManager::IsStartingUp());
    }
    {
        // hidden by the program: start-up does not wait for it
        SplashManager app(23, 60000);
        app.hide = true;
        DWORD start = GetTickCount();
        app.InitInstance();
        EXPECT_TRUE(app.splashDuringStart);
        EXPECT_LT(GetTickCount() - start, 30000u);
        EXPECT_TRUE(SplashWindow::Current() == 0);
    }
    {
        SplashManager app(9999, 400);
        app.InitInstance();
        EXPECT_FALSE(app.splashDuringStart);
        EXPECT_TRUE(app.GetMainWindow() && app.GetMainWindow()->GetHandle());
        EXPECT_EQ(0, DocumentManager::IsStartingUp());
    }
}
