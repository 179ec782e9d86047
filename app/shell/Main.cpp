// The program's entry point. Until the program's own application object stands,
// Tessaro starts through the document manager with the MDI main frame, its menus and
// texts from the language module, and plain document windows whose layout it keeps.
#include "DocumentManager.h"
#include "MainFrame.h"
#include "MdiWindows.h"

#include "Exception.h"

#include <windows.h>

#include <cstdlib>

namespace {

LanguageDLL const kLanguages[] = {{LANG_ENGLISH, "system\\EnglishTs.dll"},
                                  {LANG_FRENCH, "system\\FrenchTs.dll"},
                                  {LANG_GERMAN, "system\\GermanTs.dll"},
                                  {0, "system\\EnglishTs.dll"}};

const int kMainMenu = 100;
const char kWindowType[] = "ShellWindow";

// The white page inside a document window.
class ShellPage : public TWindow {
public:
    ShellPage() : TWindow(0, 0, 0) {
        Attr.Style = WS_CHILD | WS_VISIBLE;
        SetBkgndColor(TColor::SysWindow);
    }
};

// A document window that shows nothing yet; it remembers its place in the layout.
class ShellWindow : public MDIChild {
public:
    explicit ShellWindow(MDIChildMemento const *memento = 0)
        : MDIChild(*new ShellPage, memento), number_(++count_) {}

    void SetupWindow() override {
        MDIChild::SetupWindow();
        char title[32];
        wsprintfA(title, "Tessaro %d", number_);
        SetCaption(title);
        FitPage();
    }

    int GetLayoutDocument(unsigned long &key, String &typeName, String &names, void *&packed) override {
        key = number_;
        typeName = kWindowType;
        names = String();
        packed = 0;
        return 1;
    }

    void EvSize(uint sizeType, TSize &) {
        DefaultProcessing();
        if (sizeType != SIZE_MINIMIZED)
            FitPage();
    }

private:
    void FitPage() {
        TWindow *page = GetClientWindow();
        if (page && page->GetHandle()) {
            TRect r = GetClientRect();
            page->MoveWindow(0, 0, r.Width(), r.Height(), true);
        }
    }

    int number_;
    static int count_;

    DECLARE_RESPONSE_TABLE(ShellWindow);
};

int ShellWindow::count_ = 0;

DEFINE_RESPONSE_TABLE1(ShellWindow, MDIChild)
    EV_WM_SIZE,
END_RESPONSE_TABLE;

class ShellClient : public MDIClient {
public:
    TMDIChild *InitChild() override { return new ShellWindow; }
};

class ShellApp : public DocumentManager {
public:
    ShellApp() : DocumentManager("Tessaro", "system\\main.set", 1, 0, 250, 1010) {}

    void InitMainWindow() override {
        ShellClient *client = new ShellClient;
        SetMainWindow(new FrameWindow("Tessaro", kMainMenu, *client, 1, TModule::_localizedResourceDLL));
    }

    void RestoreLayoutWindow(DocMementoItem const &doc, ViewMementoItem const &view) override {
        if (doc.typeName != kWindowType)
            return;
        MDIChildMemento *placement = MDIChildMemento::CreateUnpacked(view.packed);
        ShellWindow *window = new ShellWindow(placement);
        delete placement;
        window->Create();
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    TApplication::SetWinMainParams(instance, previous, commandLine, show);
    try {
        FrameWindow::_className = "TessaroFrame";
        if (!DocumentManager::VeryFirstInit(__argc, __argv, "Tessaro", "TessaroFrame", "Tessaro",
                                            "system\\CommonRscTs.dll", kLanguages))
            return 1;
        ShellApp app;
        return app.Run();
    } catch (AException const &e) {
        ShowMessageBox(0, e.why().IsEmpty() ? "Tessaro could not start." : e.why().c_str(), "Tessaro", MB_ICONHAND);
        return 1;
    }
}
