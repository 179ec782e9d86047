// The open, save, colour and font dialogs and the folder chooser: the records handed to
// the system, checked through the seam that answers in place of the user; the values
// coming back; the application's windows disabled around the runs; the settings kept.
#include "tests/framework/TestApp.h"

#include "controls/ColorDialog.h"
#include "controls/CommonDialogSeam.h"
#include "controls/FileDialog.h"
#include "controls/FontDialog.h"

#include "foundation/Config.h"
#include "core/FrameWindow.h"
#include "core/System.h"
#include "foundation/MessageCatalogue.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <cderr.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>


using testsupport::ByArch;
namespace {

// Answers every common dialog with a test's function for its lifetime.
class Answering {
public:
    typedef std::function<int(TCommonDialogKind, void *, unsigned long &)> Answer;
    explicit Answering(Answer answer) {
        Current() = answer;
        Previous = SetCommonDialogAnswerer(&Call);
    }
    ~Answering() {
        SetCommonDialogAnswerer(Previous);
        Current() = nullptr;
    }
    int Calls = 0;

private:
    static Answer &Current() {
        static Answer answer;
        return answer;
    }
    static int Call(TCommonDialogKind kind, void *block, unsigned long &error) { return Current()(kind, block, error); }
    TCommonDialogAnswerer Previous;
};

// The application's main window, open: what the library's variants disable.
struct CommonDialogs : ::testing::Test {
    void SetUp() override {
        main = new TFrameWindow(0, "main");
        app.SetMainWindow(main);
        ASSERT_TRUE(main->Create());
    }
    TestApp app;
    TFrameWindow *main = 0;
};

std::string List(char const *list) {
    std::string out;
    for (; *list; list += std::strlen(list) + 1)
        out += std::string(list) + ";";
    return out;
}

// ---- file data

TEST(OpenSaveData, FilterWithBarsAndWithNulsIsStoredAlikeAndSurvivesCopies) {
    TOpenSaveDialog::TData bars(0, const_cast<char *>("Wave|*.wav|All|*.*|"));
    TOpenSaveDialog::TData nuls(0, const_cast<char *>("Wave\0*.wav\0All\0*.*\0"));
    TOpenSaveDialog::TData unended(0, const_cast<char *>("Wave|*.wav"));
    EXPECT_EQ("Wave;*.wav;All;*.*;", List(bars.Filter));
    EXPECT_EQ(List(bars.Filter), List(nuls.Filter));
    EXPECT_EQ("Wave;*.wav;", List(unended.Filter));

    TOpenSaveDialog::TData copy(bars);
    TOpenSaveDialog::TData assigned;
    assigned = copy;
    assigned = assigned;
    EXPECT_NE(bars.Filter, copy.Filter);
    EXPECT_EQ("Wave;*.wav;All;*.*;", List(assigned.Filter));
    assigned.SetFilter(0);  // keeps it
    assigned.SetFilter(assigned.Filter);
    EXPECT_EQ("Wave;*.wav;All;*.*;", List(assigned.Filter));
}

TEST(OpenSaveData, SizesFlagsAndCopiedNames) {
    TOpenSaveDialog::TData data(OFN_FILEMUSTEXIST);
    EXPECT_EQ(260, data.MaxPath);
    EXPECT_STREQ("", data.FileName);
    EXPECT_EQ(0UL, data.Error);
    unsigned long expected = OFN_FILEMUSTEXIST | OFN_LONGNAMES | (TSystem::Has3dUI() ? OFN_EXPLORER : 0);
    EXPECT_EQ(expected, data.Flags);

    TOpenSaveDialog::TData small(0, 0, 0, 0, 0, 8);
    std::strcpy(small.FileName, "a.wav");
    small.Error = 5;
    TOpenSaveDialog::TData copy(small);
    EXPECT_STREQ("a.wav", copy.FileName);
    EXPECT_NE(small.FileName, copy.FileName);
    EXPECT_EQ(8, copy.MaxPath);
    EXPECT_EQ(0UL, copy.Error);
    EXPECT_EQ(nullptr, copy.Filter);
}

// ---- the framework's open and save dialogs

TEST_F(CommonDialogs, OpenDialogHandsItsRecordAndTakesTheAnswer) {
    TOpenSaveDialog::TData data(OFN_PATHMUSTEXIST, const_cast<char *>("Wave|*.wav|All|*.*|"), 0,
                                const_cast<char *>("C:\\start"), const_cast<char *>("wav"), 0, 1);
    TFileOpenDialog dialog(main, data, 7, "Pick one");
    OPENFILENAMEA seen = {};
    Answering answer([&](TCommonDialogKind kind, void *block, unsigned long &) {
        EXPECT_EQ(cdkOpen, kind);
        OPENFILENAMEA &ofn = *static_cast<OPENFILENAMEA *>(block);
        seen = ofn;
        EXPECT_TRUE(main->IsWindowEnabled());  // the framework's own class does not disable
        std::strcpy(ofn.lpstrFile, "C:\\start\\drum.wav");
        ofn.nFilterIndex = 2;
        ofn.Flags |= OFN_READONLY;
        return 1;
    });
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_EQ(ByArch(76, 136), seen.lStructSize);
    EXPECT_EQ(main->GetHandle(), seen.hwndOwner);
    EXPECT_EQ(unsigned(OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE),
              seen.Flags & (OFN_PATHMUSTEXIST | OFN_ENABLEHOOK | OFN_ENABLETEMPLATE));
    EXPECT_EQ(MAKEINTRESOURCEA(7), seen.lpTemplateName);
    EXPECT_EQ(reinterpret_cast<LPOFNHOOKPROC>(&TDialog::StdDlgProc), seen.lpfnHook);
    EXPECT_EQ(data.Filter, seen.lpstrFilter);
    EXPECT_EQ(data.FileName, seen.lpstrFile);
    EXPECT_EQ(260UL, seen.nMaxFile);
    EXPECT_EQ(1UL, seen.nFilterIndex);
    EXPECT_STREQ("C:\\start", seen.lpstrInitialDir);
    EXPECT_STREQ("wav", seen.lpstrDefExt);
    EXPECT_STREQ("Pick one", seen.lpstrTitle);
    EXPECT_EQ(nullptr, seen.lpstrCustomFilter);
    EXPECT_EQ(nullptr, seen.lpstrFileTitle);

    EXPECT_STREQ("C:\\start\\drum.wav", data.FileName);
    EXPECT_EQ(2, data.FilterIndex);
    EXPECT_TRUE(data.Flags & OFN_READONLY);
    EXPECT_EQ(0UL, data.Error);
}

TEST_F(CommonDialogs, CancelAndFailureComeBackAsCancelWithTheErrorCode) {
    TOpenSaveDialog::TData data;
    TFileSaveDialog dialog(main, data);
    unsigned long code = 0;
    TCommonDialogKind kind = cdkOpen;
    Answering answer([&](TCommonDialogKind k, void *block, unsigned long &error) {
        kind = k;
        EXPECT_FALSE(static_cast<OPENFILENAMEA *>(block)->Flags & OFN_ENABLETEMPLATE);
        error = code;
        return 0;
    });
    data.Error = 99;
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_EQ(cdkSave, kind);
    EXPECT_EQ(0UL, data.Error);
    code = FNERR_BUFFERTOOSMALL;
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_EQ((unsigned long)FNERR_BUFFERTOOSMALL, data.Error);
}

TEST_F(CommonDialogs, SetDataPointsTheRecordAtTheNewBuffers) {
    TOpenSaveDialog::TData data;
    TFileOpenDialog dialog(main, data);
    TOpenSaveDialog::TData other(0, const_cast<char *>("Text|*.txt|"), 0, 0, 0, 40, 1);
    dialog.SetData(other);
    EXPECT_EQ(data.FileName, dialog.GetOFN().lpstrFile);
    EXPECT_EQ(data.Filter, dialog.GetOFN().lpstrFilter);
    EXPECT_EQ(40UL, dialog.GetOFN().nMaxFile);
}

class AskingDialog : public TFileOpenDialog {
public:
    AskingDialog(TWindow *parent, TData &data) : TWindow(parent, 0, 0), TFileOpenDialog(parent, data) {}
    int ShareViolation() override { return 7; }
};

TEST_F(CommonDialogs, ShareViolationMessageAndFileTitles) {
    TOpenSaveDialog::TData data;
    TFileOpenDialog plain(main, data);
    AskingDialog asking(main, data);
    uint message = TOpenSaveDialog::GetShareViMsgId();
    EXPECT_EQ(::RegisterWindowMessageA("commdlg_ShareViolation"), message);
    EXPECT_EQ(0, plain.DialogFunction(message, 0, 0));
    EXPECT_EQ(7, asking.DialogFunction(message, 0, 0));
    EXPECT_EQ(0, asking.DialogFunction(WM_USER + 77, 0, 0));

    char title[32] = "";
    EXPECT_EQ(6, TOpenSaveDialog::GetFileTitleLen("C:\\dir\\a.wav"));
    EXPECT_EQ(0, TOpenSaveDialog::GetFileTitleA("C:\\dir\\a.wav", title, sizeof title));
    EXPECT_STREQ("a.wav", title);
}

// ---- the library's variants

struct Selection {
    unsigned long flags;
    char const *buffer;
    int size;
    unsigned short offset;
    char const *names;  // joined with ';', empty for none
    int maxPath;        // the buffer's size, 0 for 100
};

TEST_F(CommonDialogs, LibraryOpenDialogRunsUnhookedWithTheWindowsDisabledAndSplitsSelections) {
    Selection const cases[] = {
        {OFN_EXPLORER, "C:\\dir\0a.wav\0b.wav\0c.wav\0", 26, 7, "C:\\dir\\a.wav;C:\\dir\\b.wav;C:\\dir\\c.wav;"},
        {OFN_EXPLORER, "C:\\dir\\a.wav\0", 13, 7, ""},
        {0, "C:\\dir a.wav b.wav", 19, 7, "C:\\dir\\a.wav;C:\\dir\\b.wav;"},
        {0, "C:\\dir\\a.wav", 13, 7, ""},
        // a full buffer without its closing NULs: nothing is read beyond it
        {OFN_EXPLORER, "C:\\d\0a.wav\0b.wav", 16, 4, "C:\\d\\a.wav;C:\\d\\b.wav;", 16},
    };
    for (Selection const &c : cases) {
        int maxPath = c.maxPath ? c.maxPath : 100;
        TOpenSaveDialog::TData data(OFN_ALLOWMULTISELECT, 0, 0, 0, 0, maxPath, 1);
        FileOpenDialog dialog(main, data);
        dialog.GetParam().Flags = (dialog.GetParam().Flags & ~OFN_EXPLORER) | c.flags;
        bool enabledDuring = true;
        OPENFILENAMEA seen = {};
        Answering answer([&](TCommonDialogKind, void *block, unsigned long &) {
            OPENFILENAMEA &ofn = *static_cast<OPENFILENAMEA *>(block);
            seen = ofn;
            enabledDuring = main->IsWindowEnabled();
            std::memcpy(ofn.lpstrFile, c.buffer, std::min(c.size + 1, maxPath));
            ofn.nFileOffset = c.offset;
            ofn.nFilterIndex = 3;
            return 1;
        });
        EXPECT_EQ(IDOK, dialog.Execute());
        EXPECT_FALSE(enabledDuring);
        EXPECT_TRUE(main->IsWindowEnabled());
        EXPECT_EQ(nullptr, seen.lpfnHook);
        EXPECT_FALSE(seen.Flags & OFN_ENABLEHOOK);
        EXPECT_EQ(1, data.FilterIndex);  // read from the parameter block
        EXPECT_EQ(3UL, dialog.GetParam().nFilterIndex);

        std::string names;
        for (FileName *name = dialog.GetFirst(); name; name = dialog.GetNext())
            names += std::string(name->c_str()) + ";";
        EXPECT_EQ(c.names, names) << c.buffer;
        EXPECT_EQ(names.find(';') != names.rfind(';'), dialog.HasMultiSelection());
    }
}

TEST_F(CommonDialogs, LibrarySaveDialogDisablesTheWindowsAndEnablesThemAfterAFailure) {
    TOpenSaveDialog::TData data;
    FileSaveDialog dialog(main, data);
    bool enabledDuring = true;
    Answering answer([&](TCommonDialogKind kind, void *, unsigned long &error) {
        EXPECT_EQ(cdkSave, kind);
        enabledDuring = main->IsWindowEnabled();
        error = CDERR_INITIALIZATION;
        return 0;
    });
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_EQ((unsigned long)CDERR_INITIALIZATION, data.Error);
}

// ---- folder chooser

TEST_F(CommonDialogs, FolderChooserAsksWithItsOwnRecordAndCutsTheChosenName) {
    std::string title, initial;
    OPENFILENAMEA seen = {};
    bool enabledDuring = true;
    char const *answerName = "C:\\music\\takes\\void";
    Answering answer([&](TCommonDialogKind kind, void *block, unsigned long &) {
        EXPECT_EQ(cdkOpen, kind);
        OPENFILENAMEA &ofn = *static_cast<OPENFILENAMEA *>(block);
        seen = ofn;
        title = ofn.lpstrTitle ? ofn.lpstrTitle : "(none)";
        initial = ofn.lpstrInitialDir ? ofn.lpstrInitialDir : "(none)";
        enabledDuring = main->IsWindowEnabled();
        if (!answerName)
            return 0;
        std::strcpy(ofn.lpstrFile, answerName);
        return 1;
    });
    EXPECT_STREQ("C:\\music\\takes", GetPathFromUser(main, 0, "").c_str());
    EXPECT_EQ(String(FindString(19014)).c_str(), title);
    EXPECT_EQ("(none)", initial);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_EQ(ByArch(76, 136), seen.lStructSize);
    EXPECT_EQ(main->GetHandle(), seen.hwndOwner);
    EXPECT_EQ(unsigned(OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLEHOOK), seen.Flags);
    EXPECT_EQ(0, std::memcmp(seen.lpstrFilter, "*.*\0\0", 5));
    EXPECT_EQ(1UL, seen.nFilterIndex);
    EXPECT_EQ(258UL, seen.nMaxFile);
    EXPECT_STREQ("*", seen.lpstrDefExt);
    EXPECT_NE(nullptr, seen.lpfnHook);

    answerName = "C:\\void";
    EXPECT_STREQ("C:", GetPathFromUser(main, "Where", "D:\\old").c_str());
    EXPECT_EQ("Where", title);
    EXPECT_EQ("D:\\old", initial);
    answerName = "void";
    EXPECT_STREQ("", GetPathFromUser(0, "Where", 0).c_str());
    answerName = 0;
    EXPECT_STREQ("", GetPathFromUser(main, "Where", 0).c_str());
}

// The hook on a stand-in of the system's old-style open dialog.
TEST_F(CommonDialogs, FolderHookLeavesTheFolderListAndNarrowsTheDialog) {
    HWND box = ::CreateWindowExA(0, "STATIC", "box", WS_POPUP | WS_VISIBLE, 100, 100, 400, 300, 0, 0, 0, 0);
    struct Child { int id; int x; char const *cls; };
    Child const children[] = {{1090, 10, "STATIC"}, {1152, 10, "EDIT"}, {1120, 10, "LISTBOX"},
                              {1089, 10, "STATIC"}, {1136, 10, "STATIC"}, {1121, 150, "LISTBOX"},
                              {IDOK, 300, "BUTTON"}};
    for (Child const &c : children)
        ::CreateWindowExA(0, c.cls, "", WS_CHILD | WS_VISIBLE, c.x, 20 + c.id % 7 * 10, 60, 20, box,
                          (HMENU)(ULONG_PTR)c.id, 0, 0);
    LPOFNHOOKPROC hook = 0;
    Answering answer([&](TCommonDialogKind, void *block, unsigned long &) {
        hook = static_cast<OPENFILENAMEA *>(block)->lpfnHook;
        return 0;
    });
    GetPathFromUser(main, "x", 0);
    ASSERT_NE(nullptr, hook);
    EXPECT_EQ(0U, hook(box, WM_COMMAND, 0, 0));
    RECT d, k, l;
    ::GetWindowRect(box, &d);
    ::GetWindowRect(::GetDlgItem(box, IDOK), &k);
    ::GetWindowRect(::GetDlgItem(box, 1121), &l);
    EXPECT_EQ(1U, hook(box, WM_INITDIALOG, 0, 0));
    for (int id : {1090, 1152, 1120, 1089, 1136})
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(box, id))) << id;
    char text[16] = "";
    ::GetDlgItemTextA(box, 1152, text, sizeof text);
    EXPECT_STREQ("void", text);

    int m = d.right - k.right;
    RECT after, listAfter;
    ::GetWindowRect(box, &after);
    EXPECT_EQ(l.left - m, after.left);
    EXPECT_EQ(d.right, after.right);
    EXPECT_EQ(d.top, after.top);
    ::GetWindowRect(::GetDlgItem(box, 1121), &listAfter);
    // the children keep their places on the screen: the list now starts m inside the dialog
    EXPECT_EQ(l.left, listAfter.left);
    EXPECT_EQ(m, listAfter.left - after.left);
    ::DestroyWindow(box);
}

// ---- colours

TEST(ChooseColorData, OwnedColoursAreBlackFreedOnceAndCopiesKeepTheirOwn) {
    TChooseColorDialog::TData *owner = new TChooseColorDialog::TData(0, 1);
    ASSERT_NE(nullptr, owner->CustColors);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(0UL, owner->CustColors[i].GetValue());
    owner->CustColors[3] = TColor(COLORREF(0x123456));
    TChooseColorDialog::TData copy(*owner);
    TChooseColorDialog::TData assigned(0, TColor(COLORREF(0xFF)));
    assigned = *owner;
    delete owner;
    EXPECT_EQ(0x123456UL, copy.CustColors[3].GetValue());
    EXPECT_EQ(0x123456UL, assigned.CustColors[3].GetValue());

    TColor table[16];
    TChooseColorDialog::TData shared(0, TColor(COLORREF(0xFF)));
    shared.CustColors = table;
    TChooseColorDialog::TData share(shared);
    EXPECT_EQ(table, share.CustColors);
    EXPECT_EQ(0xFFUL, share.Color.GetValue());
}

TEST_F(CommonDialogs, AskColorHandsTheColourAndTableAndTakesTheChoice) {
    unsigned long color = 0x00AA00;
    CHOOSECOLORA seen = {};
    bool enabledDuring = true;
    int accept = 0;
    Answering answer([&](TCommonDialogKind kind, void *block, unsigned long &) {
        EXPECT_EQ(cdkColor, kind);
        CHOOSECOLORA &cc = *static_cast<CHOOSECOLORA *>(block);
        seen = cc;
        enabledDuring = main->IsWindowEnabled();
        cc.rgbResult = 0x0000CC;
        return accept;
    });
    EXPECT_EQ(0, AskColor(main, color));
    EXPECT_EQ(0x00AA00UL, color);
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_EQ(ByArch(36, 72), seen.lStructSize);
    EXPECT_EQ(main->GetHandle(), seen.hwndOwner);
    EXPECT_EQ(0x00AA00UL, seen.rgbResult);
    EXPECT_EQ(unsigned(CC_RGBINIT | CC_ENABLEHOOK), seen.Flags);
    EXPECT_EQ(reinterpret_cast<LPCCHOOKPROC>(&TDialog::StdDlgProc), seen.lpfnHook);
    ASSERT_NE(nullptr, seen.lpCustColors);

    accept = 1;
    EXPECT_EQ(1, AskColor(main, color));
    EXPECT_EQ(0x0000CCUL, color);
}

TEST_F(CommonDialogs, ColourDialogWithATemplateAndASystemColour) {
    TChooseColorDialog::TData data(CC_FULLOPEN, TColor::Sys3dFace);
    TChooseColorDialog dialog(main, data, 12, 0);
    CHOOSECOLORA &cc = dialog.GetCC();
    EXPECT_EQ(unsigned(CC_FULLOPEN | CC_ENABLEHOOK | CC_ENABLETEMPLATE), cc.Flags);
    EXPECT_EQ(MAKEINTRESOURCEA(12), cc.lpTemplateName);
    EXPECT_EQ(::GetSysColor(COLOR_3DFACE), cc.rgbResult);
    Answering answer([](TCommonDialogKind, void *, unsigned long &error) {
        error = CDERR_STRUCTSIZE;
        return 0;
    });
    EXPECT_EQ(IDCANCEL, dialog.Execute());
    EXPECT_EQ((unsigned long)CDERR_STRUCTSIZE, data.Error);
    EXPECT_TRUE(main->IsWindowEnabled());
}

// Plays the system's part: opens a dialog of our own whose procedure is the hook handed
// over, so the object binds to it and sets itself up; OK comes back.
int OpenThroughTheHook(DLGPROC hook, HWND owner, std::function<void(HWND)> whileOpen = nullptr) {
    struct {
        DLGTEMPLATE head;
        WORD menu, cls, title, pad;
    } tpl = {};
    tpl.head.style = WS_POPUP;
    tpl.head.cx = 80, tpl.head.cy = 40;
    HWND window = ::CreateDialogIndirectParamA(::GetModuleHandleA(0), &tpl.head, owner, hook, 0);
    if (whileOpen)
        whileOpen(window);
    ::DestroyWindow(window);
    return 1;
}

// The window binds to the object and opens at the parent's client corner.
TEST_F(CommonDialogs, LibraryColourDialogBindsThroughTheHookAndOpensAtTheParentsCorner) {
    main->SetWindowPos(0, 120, 90, 300, 200, SWP_NOZORDER);
    TChooseColorDialog::TData data(0, 1);
    ChooseColorDialog dialog(main, data, 0, "Colour");
    RECT placed = {};
    bool bound = false;
    Answering answer([&](TCommonDialogKind, void *block, unsigned long &) {
        CHOOSECOLORA &cc = *static_cast<CHOOSECOLORA *>(block);
        cc.rgbResult = 0x102030;
        return OpenThroughTheHook(reinterpret_cast<DLGPROC>(cc.lpfnHook), cc.hwndOwner, [&](HWND window) {
            bound = window && dialog.GetHandle() == window;
            ::GetWindowRect(window, &placed);
            EXPECT_EQ("Colour", TextOf(window));
        });
    });
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_TRUE(bound);
    POINT corner = {0, 0};
    ::ClientToScreen(main->GetHandle(), &corner);
    EXPECT_EQ(corner.x, placed.left);
    EXPECT_EQ(corner.y, placed.top);
    EXPECT_EQ(0x102030UL, data.Color.GetValue());
    EXPECT_EQ(nullptr, dialog.GetHandle());
}

template <class Base>
class FailingSetup : public Base {
public:
    template <class Data>
    FailingSetup(TWindow *parent, Data &data) : TWindow(parent, 0, 0), Base(parent, data) {}
    void SetupWindow() override { throw std::runtime_error("setup failed"); }
};

// A handler's failure inside the system's run comes out of Execute, not later out of an
// unrelated message loop; the application's windows are enabled again.
TEST_F(CommonDialogs, AFailureInsideTheHookedRunComesOutOfExecute) {
    Answering answer([](TCommonDialogKind kind, void *block, unsigned long &) {
        if (kind == cdkFont) {
            CHOOSEFONTA &cf = *static_cast<CHOOSEFONTA *>(block);
            return OpenThroughTheHook(reinterpret_cast<DLGPROC>(cf.lpfnHook), cf.hwndOwner);
        }
        if (kind == cdkColor) {
            CHOOSECOLORA &cc = *static_cast<CHOOSECOLORA *>(block);
            return OpenThroughTheHook(reinterpret_cast<DLGPROC>(cc.lpfnHook), cc.hwndOwner);
        }
        OPENFILENAMEA &ofn = *static_cast<OPENFILENAMEA *>(block);
        return OpenThroughTheHook(reinterpret_cast<DLGPROC>(ofn.lpfnHook), ofn.hwndOwner);
    });
    TOpenSaveDialog::TData fileData;
    FailingSetup<TFileOpenDialog> open(main, fileData);
    EXPECT_THROW(open.Execute(), std::runtime_error);
    FailingSetup<TFileSaveDialog> save(main, fileData);
    EXPECT_THROW(save.Execute(), std::runtime_error);
    TChooseColorDialog::TData colorData(0, 1);
    FailingSetup<ChooseColorDialog> color(main, colorData);
    EXPECT_THROW(color.Execute(), std::runtime_error);
    EXPECT_TRUE(main->IsWindowEnabled());
    TChooseFontDialog::TData fontData;
    FailingSetup<FontDialog> font(main, fontData);
    EXPECT_THROW(font.Execute(), std::runtime_error);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_FALSE(TWindow::HasPendingException());
    EXPECT_EQ(nullptr, font.GetHandle());
}

TEST(CustomColors, EmptyStoreKeepsTheTableAndWritesCThenC1ToC15) {
    unsigned long const initial[16] = {0x0000FF, 0xFFFF00, 0x00FF00, 0x000080, 0xFF0000, 0x808000,
                                       0xF0FBFF, 0xC0C0C0, 0x00FFFF, 0xC0DCC0, 0x800000, 0x008000,
                                       0x800080, 0xA4FFFF, 0x808080, 0xA4A0A0};
    Config empty("Main");
    ReadCustomColors(empty);
    Config written("Main");
    WriteCustomColors(written);
    EXPECT_EQ(written.GetRoot(), written.GetCurrentKey());  // the cursor comes back
    written.MoveDown("CustomColors");
    EXPECT_EQ(long(initial[0]), written.GetValue(-1L, "C"));
    for (int i = 1; i < 16; ++i)
        EXPECT_EQ(long(initial[i]), written.GetValue(-1L, ("C" + std::to_string(i)).c_str())) << i;

    written.SetValue(123L, "C5");
    ReadCustomColors(written);  // from inside the group: it goes down into its own one
    Config moved("Main");
    moved.MoveDown("CustomColors");
    moved.SetValue(123L, "C5");
    moved.MoveUp();
    ReadCustomColors(moved);
    Config again("Main");
    WriteCustomColors(again);
    again.MoveDown("CustomColors");
    EXPECT_EQ(123L, again.GetValue(-1L, "C5"));
    moved.MoveDown("CustomColors");
    moved.SetValue(long(initial[5]), "C5");
    moved.MoveUp();
    ReadCustomColors(moved);  // the table as it was for the other tests
}

// ---- fonts

TEST(StoredFont, DefaultsFlagsAndRoundTrip) {
    Config store("Main");
    LOGFONTA font;
    std::memset(&font, 0x55, sizeof font);
    ReadFont(store, "Ruler", 0, font);
    EXPECT_EQ(-8, font.lfHeight);
    EXPECT_EQ(400, font.lfWeight);
    EXPECT_EQ(0, font.lfItalic + font.lfUnderline + font.lfStrikeOut + font.lfWidth + font.lfCharSet);
    EXPECT_EQ(2, font.lfQuality);
    EXPECT_STREQ("Small Fonts", font.lfFaceName);
    EXPECT_EQ(store.GetRoot(), store.GetCurrentKey());

    store.MoveDown("Scale", 2);
    store.SetValue(short(5), "Flags");
    store.SetValue(std::string(40, 'x').c_str(), "Name");
    store.MoveUp();
    ReadFont(store, "Scale", 2, font);
    EXPECT_EQ(1, font.lfItalic);
    EXPECT_EQ(0, font.lfUnderline);
    EXPECT_EQ(1, font.lfStrikeOut);
    EXPECT_EQ(std::string(31, 'x'), font.lfFaceName);

    InitLogicalFont(font);
    font.lfHeight = -13, font.lfWeight = 700, font.lfUnderline = 9, font.lfItalic = 1;
    std::strcpy(font.lfFaceName, "Arial");
    WriteFont(store, 0, 0, font);
    EXPECT_EQ(3, store.GetValue(0, "Flags"));
    LOGFONTA back;
    ReadFont(store, 0, 0, back);
    EXPECT_EQ(-13, back.lfHeight);
    EXPECT_EQ(700, back.lfWeight);
    EXPECT_EQ(1, back.lfItalic);
    EXPECT_EQ(1, back.lfUnderline);
    EXPECT_STREQ("Arial", back.lfFaceName);
}

TEST_F(CommonDialogs, FontDialogHandsItsRecordAndCopiesTheChoiceBack) {
    TChooseFontDialog::TData data;
    InitLogicalFont(data.LogFont);
    data.Flags = CF_SCREENFONTS;
    data.Color = TColor(COLORREF(0x0000FF));
    data.SizeMin = 6, data.SizeMax = 72;
    FontDialog dialog(main, data, 0, "Font");
    CHOOSEFONTA seen = {};
    bool enabledDuring = true;
    Answering answer([&](TCommonDialogKind kind, void *block, unsigned long &) {
        EXPECT_EQ(cdkFont, kind);
        CHOOSEFONTA &cf = *static_cast<CHOOSEFONTA *>(block);
        seen = cf;
        enabledDuring = main->IsWindowEnabled();
        cf.iPointSize = 120;
        cf.rgbColors = 0x00FF00;
        cf.nFontType = SCREEN_FONTTYPE;
        cf.lpLogFont->lfHeight = -16;
        return 1;
    });
    EXPECT_EQ(IDOK, dialog.Execute());
    EXPECT_FALSE(enabledDuring);
    EXPECT_TRUE(main->IsWindowEnabled());
    EXPECT_EQ(ByArch(60, 104), seen.lStructSize);
    EXPECT_EQ(main->GetHandle(), seen.hwndOwner);
    EXPECT_EQ(&data.LogFont, seen.lpLogFont);
    EXPECT_EQ(unsigned(CF_SCREENFONTS | CF_ENABLEHOOK), seen.Flags);
    EXPECT_EQ(0x0000FFUL, seen.rgbColors);
    EXPECT_EQ(6, seen.nSizeMin);
    EXPECT_EQ(72, seen.nSizeMax);
    EXPECT_EQ(reinterpret_cast<LPCFHOOKPROC>(&TDialog::StdDlgProc), seen.lpfnHook);
    EXPECT_EQ(120, data.PointSize);
    EXPECT_EQ(0x00FF00UL, data.Color.GetValue());
    EXPECT_EQ(SCREEN_FONTTYPE, data.FontType);
    EXPECT_EQ(-16, data.LogFont.lfHeight);
    EXPECT_EQ(0UL, data.Error);
}

TEST(CommonDialog, TitleRunAndTemplateFlagOfTheFontDialog) {
    TestApp app;
    TCommonDialog plain(0, "Title");
    EXPECT_STREQ("Title", plain.GetCDTitle());
    EXPECT_EQ(IDCANCEL, plain.DoExecute());
    EXPECT_EQ(nullptr, plain.DoCreate());
    TChooseFontDialog::TData data;
    TChooseFontDialog templated(0, data, 30, 0);
    EXPECT_TRUE(templated.GetCF().Flags & CF_ENABLETEMPLATE);
    EXPECT_EQ(MAKEINTRESOURCEA(30), templated.GetCF().lpTemplateName);
}

}  // namespace
