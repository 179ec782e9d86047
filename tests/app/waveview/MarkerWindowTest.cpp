// The marker window, the marker dialog, the filter dialog and the marker commands of the
// wave window, in real windows under the test frame. Dialogs are answered by scripts that
// work the controls as the user would.
#include "audio/Marker.h"
#include "audio/Wave.h"
#include "foundation/Config.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/DoubleView.h"
#include "waveview/MarkerCommands.h"
#include "waveview/MarkerDialog.h"
#include "waveview/MarkerFilterDialog.h"
#include "waveview/MarkerWindow.h"
#include "waveview/PositionText.h"
#include "waveview/WaveFrame.h"
#include "waveview/WaveWindow.h"
#include "waveview/WaveWindowSettings.h"

#include "tests/app/AppTestSupport.h"
#include "tests/app/audio/MarkerTestKit.h"
#include "tests/app/waveview/WaveWindowTestKit.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using wavewindowtest::Settle;
using wavewindowtest::WindowsScope;

int const kFrames = 44100 * 4;

int Tone(int channel, int frame) { return (frame * 13 + channel * 700) % 8000 - 4000; }

// A frame whose "DropMrk" the test sets.
class DropFrame : public WaveFrame {
public:
    int DropsMarkers() override { return drop; }
    int drop = 0;
};

// What a test does with the open marker dialog; its answer (IDOK or IDCANCEL) closes it.
std::function<int(MarkerDialog &)> markerScript;
std::function<int(MarkerFilterDialog &)> filterScript;
int dialogsRun = 0;

int RunMarkerScript(MarkerDialog &dialog) {
    ++dialogsRun;
    dialog.Create();
    int answer = markerScript ? markerScript(dialog) : IDOK;
    if (answer == IDOK && !dialog.Accept())
        answer = IDCANCEL;
    dialog.Destroy(answer);
    return answer;
}

int RunFilterScript(MarkerFilterDialog &dialog) {
    ++dialogsRun;
    dialog.Create();
    int answer = filterScript ? filterScript(dialog) : IDOK;
    if (answer == IDOK)
        dialog.Accept();
    dialog.Destroy(answer);
    return answer;
}

void Click(Dialog &dialog, int id) { ::SendDlgItemMessageA(dialog.GetHandle(), id, BM_CLICK, 0, 0); }
bool Checked(Dialog &dialog, int id) { return ::IsDlgButtonChecked(dialog.GetHandle(), id) == BST_CHECKED; }
bool Enabled(Dialog &dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog.GetHandle(), id)) != 0; }
void SetBox(Dialog &dialog, int id, bool on) {
    ::CheckDlgButton(dialog.GetHandle(), id, on ? BST_CHECKED : BST_UNCHECKED);
}
std::string TextOf(Dialog &dialog, int id) {
    char text[300] = "";
    ::GetDlgItemTextA(dialog.GetHandle(), id, text, sizeof text);
    return text;
}

std::string ItemText(HWND list, int item, int column) {
    char text[1100] = "";
    LVITEMA lv = {};
    lv.iSubItem = column;
    lv.pszText = text;
    lv.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(item), LPARAM(&lv));
    return text;
}

class Markers : public testing::Test {
protected:
    void SetUp() override {
        previousLanguage_ = TModule::_localizedResourceDLL;
        TModule::_localizedResourceDLL = &language_;
        TheWaveWindowSettings() = WaveWindowSettings();
        TheMarkerWindowSettings() = MarkerWindowSettings();
        previousFrame_ = SetWaveFrame(&frame_);
        previousMarkerRunner_ = SetMarkerDialogRunner(&RunMarkerScript);
        previousFilterRunner_ = SetMarkerFilterRunner(&RunFilterScript);
        markerScript = nullptr;
        filterScript = nullptr;
        wave_ = app_.OpenWave("markers.wav", 2, kFrames, Tone);
        view_ = app_.OpenWindow(wave_);
    }
    void TearDown() override {
        ShowMarkerWindow(false);
        Settle();
        app_.CloseAll();
        SetMarkerDialogRunner(previousMarkerRunner_);
        SetMarkerFilterRunner(previousFilterRunner_);
        SetWaveFrame(previousFrame_);
        TModule::_localizedResourceDLL = previousLanguage_;
    }

    // The command as a menu item sends it to the frame.
    void Send(uint id) {
        ::SendMessageA(app_.GetMainWindow()->GetHandle(), WM_COMMAND, id, 0);
        Settle();
    }
    void AddAt(int position, uint command) {
        wave_->SetCaret(3, position);
        Send(command);
    }
    MarkerSet &Set() { return wave_->GetMarkers(); }

    TModule language_{"EnglishTs", apptest::UseEnglishTexts()};
    TModule *previousLanguage_ = nullptr;
    WindowsScope app_;
    DropFrame frame_;
    WaveFrame *previousFrame_ = nullptr;
    MarkerDialogRunner previousMarkerRunner_ = nullptr;
    MarkerFilterRunner previousFilterRunner_ = nullptr;
    Wave *wave_ = nullptr;
    DoubleView *view_ = nullptr;
};

// Box 149 as the dialog opens on a marker, and as each type's click sets it.
TEST_F(Markers, EndOnCdFrameBoxFollowsTheType) {
    markertest::Fill(Set(), "S0 I5880 E44100c X88200 E132300 P150000");
    struct Opening {
        int index;  // -1: a new marker
        bool enabled, checked;
    } const openings[] = {{-1, false, false}, {0, false, false}, {1, false, true}, {2, true, true},
                          {3, true, false},   {4, true, false},  {5, false, false}};
    for (Opening const &o : openings) {
        markerScript = [&](MarkerDialog &d) {
            EXPECT_EQ(o.enabled, Enabled(d, MarkerDialog::kEndOnCdFrame)) << o.index;
            EXPECT_EQ(o.checked, Checked(d, MarkerDialog::kEndOnCdFrame)) << o.index;
            return IDCANCEL;
        };
        MarkerChoice choice;
        EXPECT_EQ(0, RunMarkerDialog(Set(), o.index, 1000, choice, 0x3F));
    }
    struct TypeClick {
        int type;
        bool enabled, checked;
    } const clicks[] = {{0, false, false}, {1, false, false}, {2, false, false},
                        {3, true, true},   {4, true, true},   {5, false, true}};
    markerScript = [&](MarkerDialog &d) {
        for (TypeClick const &c : clicks) {
            Click(d, MarkerDialog::kFirstType + c.type);
            EXPECT_EQ(c.type, d.GetCheckedType());
            EXPECT_EQ(c.enabled, Enabled(d, MarkerDialog::kEndOnCdFrame)) << c.type;
            EXPECT_EQ(c.checked, Checked(d, MarkerDialog::kEndOnCdFrame)) << c.type;
        }
        return IDOK;
    };
    MarkerChoice choice;
    ASSERT_EQ(1, RunMarkerDialog(Set(), -1, 1000, choice, 0x3F));
    EXPECT_EQ(5, choice.type);
    EXPECT_EQ(1, choice.endOnCdFrame);
}

// The automatic name shows what validation would give; switching it off brings back what
// was typed. Types outside the allowed mask cannot be chosen, and without a type OK is off.
TEST_F(Markers, AutomaticNameAndAllowedTypes) {
    markerScript = [](MarkerDialog &d) {
        ::SetDlgItemTextA(d.GetHandle(), MarkerDialog::kName, "  Intro\\part ");
        Click(d, MarkerDialog::kAutoName);
        EXPECT_FALSE(Enabled(d, MarkerDialog::kName));
        EXPECT_FALSE(Enabled(d, MarkerDialog::kNameLabel));
        std::string automatic = TextOf(d, MarkerDialog::kName);
        EXPECT_FALSE(automatic.empty());
        EXPECT_EQ(std::string(d.AutomaticName(0).c_str()), automatic);
        Click(d, MarkerDialog::kAutoName);
        EXPECT_TRUE(Enabled(d, MarkerDialog::kName));
        EXPECT_EQ("  Intro\\part ", TextOf(d, MarkerDialog::kName));
        return IDOK;
    };
    MarkerChoice choice;
    ASSERT_EQ(1, RunMarkerDialog(Set(), -1, 1000, choice, 0x3F));
    EXPECT_EQ("Intro_part", std::string(choice.name.c_str()));
    EXPECT_EQ(0, choice.autoName);

    markerScript = [](MarkerDialog &d) {
        EXPECT_EQ(-1, d.GetCheckedType());
        EXPECT_FALSE(Enabled(d, IDOK));
        for (int id = MarkerDialog::kFirstType; id <= MarkerDialog::kLastType; ++id)
            EXPECT_EQ(id == 102, Enabled(d, id)) << id;
        Click(d, 102);
        EXPECT_TRUE(Enabled(d, IDOK));
        return IDOK;
    };
    choice = MarkerChoice();
    choice.type = 3;  // not allowed: starts unchecked
    ASSERT_EQ(1, RunMarkerDialog(Set(), -1, 1000, choice, 0x02));
    EXPECT_EQ(1, choice.type);
}

// 627 twice at one place adds one marker; 626 keeps the dialog's automatic name and
// end-on-CD-frame choices and remembers the type; Cancel adds nothing.
TEST_F(Markers, AddingAtTheCaret) {
    AddAt(1000, DoubleView::kCmAddMarkerAtOnce);
    AddAt(1000, DoubleView::kCmAddMarkerAtOnce);
    EXPECT_EQ("P1000", markertest::Describe(Set()));
    EXPECT_EQ(1, wave_->GetNumUndoMementos());

    markerScript = [](MarkerDialog &d) {
        Click(d, 101);
        Click(d, MarkerDialog::kAutoName);
        Click(d, MarkerDialog::kLocked);
        return IDOK;
    };
    AddAt(2000, DoubleView::kCmAddMarker);
    Marker const *added = Set().GetMarker(1);
    ASSERT_TRUE(added);
    EXPECT_EQ(Marker::kAutoName | Marker::kLocked, added->flags_ & Marker::kStoredFlags);
    EXPECT_EQ(1, TheMarkerWindowSettings().lastAutoName);

    markerScript = [](MarkerDialog &d) {
        EXPECT_TRUE(Checked(d, MarkerDialog::kAutoName));  // "LastAN"
        EXPECT_EQ(0, d.GetCheckedType());                   // the type chosen last time
        return IDCANCEL;
    };
    AddAt(3000, DoubleView::kCmAddMarker);
    EXPECT_EQ(2, Set().GetCount());
    Send(DoubleView::kCmUndo);
    EXPECT_EQ(1, Set().GetCount());
}

// With "DropMrk" a marker added at the caret is a drop marker, which leaves the document
// as saved; a plain one changes it.
TEST_F(Markers, DropMarkersLeaveTheDocumentUnchanged) {
    frame_.drop = 1;
    AddAt(500, DoubleView::kCmAddMarkerAtOnce);
    EXPECT_EQ("D500", markertest::Describe(Set()));
    EXPECT_EQ(0, wave_->IsChanged());
    frame_.drop = 0;
    AddAt(700, DoubleView::kCmAddMarkerAtOnce);
    EXPECT_EQ(1, wave_->IsChanged());
}

// Editing the current marker: 820 is off without one; names are trimmed and lose their
// backslashes; the step undoes.
TEST_F(Markers, EditingTheCurrentMarker) {
    markertest::Fill(Set(), "P1000 P2000");
    EXPECT_EQ(-1, GetCurrentMarker(*wave_));
    SetCurrentMarker(wave_, 1);
    markerScript = [](MarkerDialog &d) {
        char caption[100] = "";
        ::GetWindowTextA(d.GetHandle(), caption, sizeof caption);
        EXPECT_EQ(std::string(FindString(11310).c_str()), caption);
        ::SetDlgItemTextA(d.GetHandle(), MarkerDialog::kName, " Verse\\2 ");
        return IDOK;
    };
    Send(DoubleView::kCmEditMarker);
    EXPECT_EQ("Verse_2", std::string(Set().GetMarker(1)->name_.c_str()));
    Send(DoubleView::kCmUndo);
    EXPECT_EQ("", std::string(Set().GetMarker(1)->name_.c_str()));
    SetCurrentMarker(wave_, 5);
    EXPECT_EQ(-1, GetCurrentMarker(*wave_));
}

// Registered, the dialog is what the marker set asks when it makes a CD track from a
// selection: a track start only, named automatically unless the user says otherwise.
TEST_F(Markers, TheMarkerSetAsksThisDialog) {
    MarkerDialogLink *previous = RegisterMarkerDialog();
    markerScript = [](MarkerDialog &d) {
        EXPECT_EQ(2, d.GetCheckedType());
        for (int id = MarkerDialog::kFirstType; id <= MarkerDialog::kLastType; ++id)
            EXPECT_EQ(id == 103, Enabled(d, id)) << id;
        EXPECT_TRUE(Checked(d, MarkerDialog::kAutoName));
        Click(d, MarkerDialog::kAutoName);
        ::SetDlgItemTextA(d.GetHandle(), MarkerDialog::kName, "Opening");
        return IDOK;
    };
    int before = dialogsRun;
    EXPECT_EQ(0, Set().AddCdTrackFromRange(1000, 50000, 0, 1));
    SetMarkerDialogLink(previous);
    EXPECT_EQ(before + 1, dialogsRun);
    ASSERT_LE(1, Set().GetCount());
    EXPECT_EQ("Opening", std::string(Set().GetMarker(0)->name_.c_str()));
}

// The boxes give the mask; range marks are hidden after any OK; "all waves" reaches the
// other open waves too.
TEST_F(Markers, FilterMasks) {
    struct Case {
        bool plain, drop, tracks, indexes, all;
        int32_t mask;
    } const cases[] = {
        {true, true, true, true, false, 0x03F},  {true, false, false, false, false, 0x001},
        {false, true, false, false, false, 0x002}, {false, false, true, false, false, 0x01C},
        {false, false, false, true, false, 0x020}, {false, false, false, false, false, 0x000},
        {true, false, true, false, true, 0x01D},
    };
    Wave *other = app_.OpenWave("other.wav", 1, 1000, Tone);
    app_.OpenWindow(other);
    for (Case const &c : cases) {
        Set().SetVisibleTypes(-1);
        other->GetMarkers().SetVisibleTypes(-1);
        filterScript = [&](MarkerFilterDialog &d) {
            EXPECT_TRUE(Checked(d, MarkerFilterDialog::kPlain));
            SetBox(d, MarkerFilterDialog::kPlain, c.plain);
            SetBox(d, MarkerFilterDialog::kDrop, c.drop);
            SetBox(d, MarkerFilterDialog::kTracks, c.tracks);
            SetBox(d, MarkerFilterDialog::kIndexes, c.indexes);
            SetBox(d, MarkerFilterDialog::kAllWaves, c.all);
            return IDOK;
        };
        ASSERT_EQ(1, RunFilterDialog(*wave_));
        EXPECT_EQ(c.mask, Set().GetVisibleTypes()) << c.mask;
        EXPECT_EQ(c.all ? c.mask : -1, other->GetMarkers().GetVisibleTypes()) << c.mask;
    }
    filterScript = [](MarkerFilterDialog &d) {
        EXPECT_TRUE(Checked(d, MarkerFilterDialog::kAllWaves));  // remembered
        SetBox(d, MarkerFilterDialog::kAllWaves, false);
        return IDCANCEL;
    };
    EXPECT_EQ(0, RunFilterDialog(*wave_));
    EXPECT_EQ(0x01D, Set().GetVisibleTypes());
}

// Placements kept or reset as the settings are read.
TEST(MarkerWindowPlacement, OnlyAPlacementMostlyOnTheScreenIsKept) {
    SIZE const screen = {1280, 1024};
    RECT const twoScreens = {-1280, 0, 1280, 1024};
    struct Case {
        RECT placement;
        bool kept;
    } const cases[] = {
        {{100, 100, 400, 400}, true},     {{1100, 100, 1400, 400}, true},   {{1241, 100, 1300, 400}, false},
        {{100, 985, 400, 1300}, false},   {{-1200, 100, -900, 400}, true},  {{-2000, 100, -1100, 400}, false},
        {{1000, 100, 1600, 400}, false},  {{400, 400, 100, 100}, false},    {{-5000, -5000, -4700, -4700}, false},
    };
    for (Case const &c : cases)
        EXPECT_EQ(c.kept, IsUsablePlacement(c.placement, screen, twoScreens))
            << c.placement.left << "," << c.placement.top << "," << c.placement.right << "," << c.placement.bottom;
}

// The group round-trips; a placement off the screen comes back as the default.
TEST(MarkerWindowPlacement, SettingsRoundTrip) {
    MarkerWindowSettings kept = TheMarkerWindowSettings();
    Config config("Main");
    TheMarkerWindowSettings() = MarkerWindowSettings{120, 130, 420, 330, 1};
    SaveMarkerWindowSettings(config);
    TheMarkerWindowSettings() = MarkerWindowSettings();
    LoadMarkerWindowSettings(config);
    MarkerWindowSettings s = TheMarkerWindowSettings();
    EXPECT_EQ(120, s.x);
    EXPECT_EQ(330, s.y2);
    EXPECT_EQ(1, s.lastAutoName);
    TheMarkerWindowSettings() = MarkerWindowSettings{30000, 100, 30300, 400, 0};
    SaveMarkerWindowSettings(config);
    LoadMarkerWindowSettings(config);
    s = TheMarkerWindowSettings();
    EXPECT_EQ(100, s.x);
    EXPECT_EQ(400, s.x2);
    TheMarkerWindowSettings() = kept;
}

// What the list should hold: the visible markers of the active wave, named and placed.
std::vector<std::string> Expected(Wave *wave) {
    std::vector<std::string> rows;
    if (!wave)
        return rows;
    MarkerSet &markers = wave->GetMarkers();
    for (int i = 0; i < markers.GetCount(); ++i) {
        Marker const &m = *markers.GetMarker(i);
        if (markers.IsVisible(m))
            rows.push_back(std::string(m.name_.c_str()) + "|" +
                           FormatPosition(m.position_, GetGlobalTimeUnit(), 1000, *wave).c_str());
    }
    return rows;
}

std::vector<std::string> Listed(MarkerWindow &window) {
    std::vector<std::string> rows;
    HWND list = window.GetList().GetHandle();
    int count = int(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        rows.push_back(ItemText(list, i, 0) + "|" + ItemText(list, i, 1));
    return rows;
}

std::string Caption(MarkerWindow &window) {
    char text[300] = "";
    ::GetWindowTextA(window.GetHandle(), text, sizeof text);
    return text;
}

// A change the shown wave tells its views refills the list at once, before any idle time;
// a click on a column sorts by names or positions.
TEST_F(Markers, TheListRefillsAtOnceAndSorts) {
    markertest::Fill(Set(), "P100'c' P200'a' P300'b'");
    Set().NoteChange();
    ShowMarkerWindow(true);
    Settle();
    MarkerWindow &window = *FindMarkerWindow();
    ASSERT_EQ(3u, Listed(window).size());
    {
        MarkerEdit edit(*wave_, 11313);
        Set().Remove(0);
        ASSERT_TRUE(edit.Commit());
    }
    TellMarkersChanged(*wave_);
    EXPECT_EQ(Expected(wave_), Listed(window));
    wave_->UndoCurrentState();
    EXPECT_EQ(Expected(wave_), Listed(window));
    auto sortBy = [&](int column) {
        NMLISTVIEW click = {};
        click.hdr = TNotify(window.GetList().GetHandle(), kMarkerListId, LVN_COLUMNCLICK);
        click.iItem = -1;
        click.iSubItem = column;
        ::SendMessageA(window.GetHandle(), WM_NOTIFY, kMarkerListId, LPARAM(&click));
        std::string names;
        for (std::string const &row : Listed(window))
            names += row.substr(0, row.find('|'));
        return names;
    };
    EXPECT_EQ("abc", sortBy(0));
    EXPECT_EQ("cab", sortBy(1));
}

// The window opens where it was closed, and the name column keeps its width.
TEST_F(Markers, PlacementAndColumnWidthAreKept) {
    TheMarkerWindowSettings() = MarkerWindowSettings{150, 160, 450, 470, 0};
    ShowMarkerWindow(true);
    Settle();
    MarkerWindow *window = FindMarkerWindow();
    RECT r;
    ::GetWindowRect(window->GetHandle(), &r);
    EXPECT_EQ(150, r.left);
    EXPECT_EQ(470, r.bottom);
    ::MoveWindow(window->GetHandle(), 200, 210, 320, 330, TRUE);
    ::SendMessageA(window->GetList().GetHandle(), LVM_SETCOLUMNWIDTH, 0, 123);
    ShowMarkerWindow(false);
    Settle();
    MarkerWindowSettings const &s = TheMarkerWindowSettings();
    EXPECT_EQ(200, s.x);
    EXPECT_EQ(540, s.y2);
    EXPECT_EQ(123, frame_.GetMarkerColumnWidth());
    ShowMarkerWindow(true);
    Settle();
    EXPECT_EQ(123, FindMarkerWindow()->GetList().GetColumnWidth(0));
}

// Enter edits and Delete deletes the selected marker; an item whose marker is gone is
// refused, not followed.
TEST_F(Markers, KeysOnTheListAndStaleItems) {
    markertest::Fill(Set(), "P100'a' P200'b' P300'c'");
    ShowMarkerWindow(true);
    Settle();
    MarkerWindow &window = *FindMarkerWindow();
    HWND list = window.GetList().GetHandle();
    window.GetList().SelectItem(1, 1, 1);
    markerScript = [](MarkerDialog &d) {
        ::SetDlgItemTextA(d.GetHandle(), MarkerDialog::kName, "B");
        return IDOK;
    };
    int before = dialogsRun;
    ::SendMessageA(list, WM_CHAR, VK_RETURN, 0);
    Settle();
    EXPECT_EQ(before + 1, dialogsRun);
    EXPECT_EQ("P100'a' P200'B' P300'c'", markertest::Describe(Set(), true));
    window.GetList().SelectItem(0, 1, 1);
    ::SendMessageA(list, WM_KEYDOWN, VK_DELETE, 0);
    Settle();
    EXPECT_EQ("P200'B' P300'c'", markertest::Describe(Set(), true));

    window.GetList().SelectItem(1, 1, 1);
    Set().Remove(1);  // behind the list's back: its second item stands for nothing now
    ::SendMessageA(window.GetHandle(), WM_COMMAND, kCmDeleteListedMarker, 0);
    ::SendMessageA(window.GetHandle(), WM_COMMAND, kCmEditListedMarker, 0);
    EXPECT_EQ(before + 1, dialogsRun);
    EXPECT_EQ("P200'B'", markertest::Describe(Set(), true));
    EXPECT_EQ("", ItemText(list, 1, 0));
}

// Random adds, moves, deletes, edits, undos, redos, filters and window switches: after each
// idle time the list is the active wave's visible markers with their texts.
TEST_F(Markers, TheWindowFollowsTheActiveWave) {
    Wave *second = app_.OpenWave("second.wav", 1, kFrames, Tone);
    DoubleView *views[3] = {view_, app_.OpenWindow(second), nullptr};  // [2]: a second window on the first
    ShowMarkerWindow(true);
    Settle();
    MarkerWindow *window = FindMarkerWindow();
    ASSERT_TRUE(window && window->GetHandle());
    std::mt19937 random(2026);
    auto pick = [&](int n) { return int(random() % unsigned(n)); };
    markerScript = [&](MarkerDialog &d) {
        ::SetDlgItemTextA(d.GetHandle(), MarkerDialog::kName, ("m" + std::to_string(pick(1000))).c_str());
        if (d.GetCheckedType() < 0)
            Click(d, MarkerDialog::kFirstType + pick(2));
        return pick(5) ? IDOK : IDCANCEL;
    };
    filterScript = [&](MarkerFilterDialog &d) {
        SetBox(d, MarkerFilterDialog::kPlain, pick(3) != 0);
        SetBox(d, MarkerFilterDialog::kDrop, pick(3) != 0);
        SetBox(d, MarkerFilterDialog::kAllWaves, pick(2) != 0);
        return IDOK;
    };
    int filled = 0;
    for (int step = 0; step < 80; ++step) {
        Wave &wave = DoubleView::GetActive()->GetWave();
        int length = wave.GetLength();
        HWND list = window->GetList().GetHandle();
        int items = int(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        int action = pick(10);
        std::string what = std::to_string(step) + ": action " + std::to_string(action);
        switch (action) {
        case 0:
        case 1:
            wave.SetCaret(3, pick(length));
            Send(action ? DoubleView::kCmAddMarker : DoubleView::kCmAddMarkerAtOnce);
            break;
        case 2:  // a move, as the ruler makes it
            if (wave.GetMarkers().GetCount()) {
                bool changed;
                {
                    MarkerEdit edit(wave, 11311);
                    try {
                        wave.GetMarkers().MoveMarkerTo(pick(wave.GetMarkers().GetCount()), pick(length));
                    } catch (...) {
                    }
                    changed = edit.Commit();
                }
                if (changed)
                    TellMarkersChanged(wave);
            }
            break;
        case 3:
        case 4:
            if (items) {
                window->GetList().SelectItem(pick(items), 1, 1);
                ::SendMessageA(window->GetHandle(), WM_COMMAND, action == 3 ? kCmDeleteListedMarker : kCmEditListedMarker,
                               0);
            }
            break;
        case 5: Send(pick(2) ? DoubleView::kCmUndo : DoubleView::kCmRedo); break;
        case 6: ::SendMessageA(window->GetHandle(), WM_COMMAND, kCmMarkerFilter, 0); break;
        case 7: {
            DoubleView *view = views[pick(3)];
            if (view)
                ::SendMessageA(app_.GetMDIClient()->GetHandle(), WM_MDIACTIVATE, WPARAM(view->GetParentH()), 0);
            break;
        }
        case 8:
            if (views[2]) {
                ::SendMessageA(views[2]->GetParentH(), WM_CLOSE, 0, 0);
                views[2] = nullptr;
            } else {
                views[2] = app_.OpenWindow(wave_);
            }
            break;
        default:  // the current marker edited from the wave window
            if (wave.GetMarkers().GetCount()) {
                SetCurrentMarker(&wave, pick(wave.GetMarkers().GetCount()));
                Send(DoubleView::kCmEditMarker);
            }
        }
        Settle();
        Wave *active = DoubleView::GetActive() ? &DoubleView::GetActive()->GetWave() : nullptr;
        std::vector<std::string> listed = Listed(*window);
        ASSERT_EQ(Expected(active), listed) << what;
        filled += !listed.empty();
        ASSERT_EQ(std::string(String(FindString(11279) + active->GetTitle()).c_str()), Caption(*window)) << what;
    }
    EXPECT_GT(filled, 40);
    EXPECT_GT(dialogsRun, 10);
    app_.CloseAll();
    Settle();
    EXPECT_TRUE(Listed(*window).empty());
    EXPECT_EQ(std::string(FindString(11280).c_str()), Caption(*window));
    ShowMarkerWindow(false);
    Settle();
    EXPECT_FALSE(IsMarkerWindowShown());
}

}  // namespace
