// Progress of long operations: the gauge's delay, throttled reports, the percentage and
// time texts, nested operations over one gauge, the user's cancel, input blocking and
// its end on every way out; the duration texts.
#include "tests/framework/TestKit.h"
#include "bars/ControlGadget.h"
#include "manager/DocumentManager.h"
#include "controls/Gauge.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"
#include "core/MdiWindows.h"
#include "bars/Progress.h"
#include "bars/TextGadget.h"
#include "bars/BitmapGadget.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include "tests/framework/BarTestSupport.h"
#include "tests/framework/BoxRecorder.h"

#include <windows.h>

#include <string>
#include <type_traits>
#include <vector>

namespace {

// The protocol's clock, moved by hand.
unsigned long now_ = 1000000;
int clockReads_ = 0;
unsigned long TestClock() {
    ++clockReads_;
    return now_;
}

// Records the hints the protocol shows.
class TestBar : public StatusBar {
public:
    explicit TestBar(TWindow *parent) : StatusBar(0, parent) {}
    void SetHintText(char const *text) override {
        Hints.push_back(text ? text : "(null)");
        StatusBar::SetHintText(text);
    }
    std::vector<std::string> Hints;
};

class TestFrame : public FrameWindow {
public:
    TestFrame() : FrameWindow("Progress test", 0, *new MDIClient, 1) {}
    void BuildStatusBar() override {
        statusBar_ = new TestBar(this);
        FrameWindow::BuildStatusBar();
    }
};

class ProgressApp : public DocumentManager {
public:
    ProgressApp() : DocumentManager("VeltraneTests", "system\\progress.set", 0, 0, 0, 0) {}
    void InitMainWindow() override { SetMainWindow(new TestFrame); }
};

class ProgressTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CreateDirectoryA((TestsFolder() + "\\system").c_str(), 0);
        ::DeleteFileA(SettingsFile().c_str());
        TApplication::SetWinMainParams(::GetModuleHandleA(0), 0, "", SW_SHOWNORMAL);
        previousClock = SetProgressClock(&TestClock);
        // the manager frees both modules at its end
        std::string system = TestsFolder() + "\\..\\program\\system\\";
        TModule::_commonResourceDLL = new TModule((system + "CommonRscTs.dll").c_str(), true);
        TModule::_localizedResourceDLL = new TModule((system + "EnglishTs.dll").c_str(), true);
        NotifyLocalizedStringDll(TModule::_localizedResourceDLL->GetHandle());
        app = new ProgressApp;
        app->InitInstance();
        Pump();
        bar = static_cast<TestBar *>(app->GetStatusBar());
        ASSERT_TRUE(bar != 0);
        frame = app->GetMainWindow();
        ::SetForegroundWindow(frame->GetHandle());
        StatusBar::TakeEscapePressed();
        StatusBar::TakeMouseClicked();
    }
    void TearDown() override {
        delete app;
        SetProgressClock(previousClock);
        ::DeleteFileA(SettingsFile().c_str());
    }
    static std::string SettingsFile() { return TestsFolder() + "\\system\\progress.set"; }
    static void Pump() { PumpRounds(20, 1); }
    static void Advance(unsigned long ms) { now_ += ms; }

    // The bar's gadgets from the left, by kind.
    std::string Layout() const {
        std::string kinds;
        for (TGadget *g = bar->FirstGadget(); g; g = g->NextGadget()) {
            if (dynamic_cast<TBitmapGadget *>(g))
                kinds += "cancel ";
            else if (dynamic_cast<TControlGadget *>(g))
                kinds += static_cast<TControlGadget *>(g)->GetControl() == bar->GetGauge() ? "gauge " : "control ";
            else if (dynamic_cast<TSeparatorGadget *>(g))
                kinds += "separator ";
            else if (g->GetId())
                kinds += std::to_string(g->GetId()) + " ";
            else if (dynamic_cast<TTextGadget *>(g))
                kinds += "text ";
        }
        return kinds;
    }
    // The texts of the two time gadgets: elapsed, then remaining.
    std::vector<std::string> TimeTexts() const {
        std::vector<std::string> texts;
        for (TGadget *g = bar->FirstGadget(); g; g = g->NextGadget())
            if (TTextGadget *t = dynamic_cast<TTextGadget *>(g))
                if (!t->GetId())
                    texts.push_back(t->GetText() ? t->GetText() : "");
        return texts;
    }
    // The operation as a work loop sees it: a report at a moment.
    int ReportAt(unsigned long ms, long value, StatusBar::Mode mode = StatusBar::NoCancelCheck) {
        Advance(ms);
        return AutoProgressBar::GetNestingDepth() ? current->NotifyProgress(value, mode)
                                                  : bar->NotifyProgress(value, mode);
    }

    // Makes `work` the running operation and reports past its delay: true once the gauge shows.
    bool ShowGauge(AutoProgressBar &work) {
        current = &work;
        ReportAt(600, 100);
        return bar->IsGaugeOpen();
    }

    TProgressClock previousClock = 0;
    ProgressApp *app = 0;
    TFrameWindow *frame = 0;
    TestBar *bar = 0;
    AutoProgressBar *current = 0;
};

HCURSOR Cursor(char const *id) { return ::LoadCursorA(0, id); }

// Every object begins one level and its end ends one: a copy would end a level twice.
static_assert(!std::is_copy_constructible<AutoProgressBar>::value && !std::is_copy_assignable<AutoProgressBar>::value,
              "an operation's scope object is not copied");

}  // namespace

TEST(FormatDuration, Table) {
    struct {
        long ms;
        int exact;
        char const *text;
    } const cases[] = {
        {0, 1, "0 ms"},
        {0, 0, "0 ms"},
        {1, 1, "1ms"},
        {999, 1, "999ms"},
        {3250, 1, "3s 250ms"},
        {61250, 1, "1mn 1s "},
        {60000, 1, "1mn "},
        {3600000, 1, "1h "},
        {3723004, 1, "1h 2mn 3s "},
        {3250, 0, "3s "},
        {3500, 0, "4s "},
        {59600, 0, "1mn "},
        {600, 0, "1s "},
        // under a second a rounded text keeps the milliseconds as they are
        {200, 0, "200ms"},
        {499, 0, "499ms"},
    };
    for (auto const &c : cases) {
        char text[64];
        FormatDuration(text, c.ms, c.exact);
        EXPECT_STREQ(c.text, text) << c.ms << (c.exact ? " exact" : " rounded");
    }
}

TEST_F(ProgressTest, TheGaugeWaitsForItsDelayThenTakesTheBarAndTheMouse) {
    TGadget *own = new TextGadget(47001);
    bar->Insert(*own);
    bar->LayoutSession();
    std::string before = Layout();
    ::SetCursor(Cursor(IDC_CROSS));
    {
        AutoProgressBar work(1000, "Saving", 1);
        current = &work;
        EXPECT_EQ(1, _disableFrame);
        EXPECT_EQ(1, ReportAt(100, 100));
        EXPECT_EQ(1, ReportAt(300, 150));
        EXPECT_FALSE(bar->IsGaugeOpen());
        EXPECT_EQ(before, Layout());
        EXPECT_TRUE(::GetCapture() == 0);

        EXPECT_EQ(1, ReportAt(200, 200));  // 600 ms after opening
        ASSERT_TRUE(bar->IsGaugeOpen());
        EXPECT_EQ("cancel separator gauge text text ", Layout());
        EXPECT_EQ(20, bar->GetGauge()->GetValue());
        EXPECT_EQ("Saving %d%%", TextOf(*bar->GetGauge()));
        // 200 of 1000 in 600 ms: 2400 ms to go, rounded to the second
        std::vector<std::string> texts = TimeTexts();
        ASSERT_EQ(2u, texts.size());
        EXPECT_EQ("Elapsed: 600ms", texts[0]);
        EXPECT_EQ("Remaining: 2s ", texts[1]);
        // the bar holds the input, with the wait cursor
        EXPECT_EQ(bar->GetHandle(), ::GetCapture());
        EXPECT_EQ(bar, app->GetProgressWindow());
        EXPECT_EQ(Cursor(IDC_WAIT), ::GetCursor());
        EXPECT_FALSE(bar->IsHintTextEnabled());
    }
    EXPECT_EQ(0, _disableFrame);
    EXPECT_FALSE(bar->IsGaugeOpen());
    EXPECT_TRUE(bar->IsHintTextEnabled());
    EXPECT_EQ(before, Layout());
    EXPECT_TRUE(::GetCapture() == 0);
    EXPECT_TRUE(app->GetProgressWindow() == 0);
    EXPECT_EQ(Cursor(IDC_CROSS), ::GetCursor());
}

TEST_F(ProgressTest, AnOperationWithinItsDelayShowsNothing) {
    {
        AutoProgressBar work(10, "Quick", 1);
        current = &work;
        for (int i = 1; i <= 10; ++i)
            ReportAt(45, i, StatusBar::ReturnOnCancel);
        EXPECT_FALSE(bar->IsGaugeOpen());
        EXPECT_TRUE(::GetCapture() == 0);
    }
    EXPECT_TRUE(app->GetProgressWindow() == 0);
    EXPECT_EQ(0, _disableFrame);
}

TEST_F(ProgressTest, AGaugeDueLateOpensOnlyAfterTwiceItsDelay) {
    AutoProgressBar work(1000, "Late", 0);
    current = &work;
    ReportAt(600, 800);  // due, but 80 % done
    EXPECT_FALSE(bar->IsGaugeOpen());
    ReportAt(400, 850);  // 500 ms after the show time
    EXPECT_FALSE(bar->IsGaugeOpen());
    ReportAt(101, 900);
    ASSERT_TRUE(bar->IsGaugeOpen());
    EXPECT_EQ(90, bar->GetGauge()->GetValue());
    EXPECT_EQ("gauge text text ", Layout());  // no cancel button asked
}

TEST_F(ProgressTest, ReportsAreThrottledAndPredictedValuesCostNoClock) {
    bar->OpenGauge(100000, "Scan", 0, 0, 0);
    EXPECT_STREQ("Scan %d%%", bar->GetGaugeTitle());
    ReportAt(1, 1000);
    ASSERT_TRUE(bar->IsGaugeOpen());
    EXPECT_EQ(1, bar->GetGauge()->GetValue());
    // within 100 ms of the last shown report nothing changes
    ReportAt(50, 5000);
    EXPECT_EQ(1, bar->GetGauge()->GetValue());
    ReportAt(51, 5000);
    EXPECT_EQ(5, bar->GetGauge()->GetValue());
    // 4000 more in 101 ms: about 3960 more are expected next; smaller values are skipped
    // without reading the clock
    int reads = clockReads_;
    Advance(500);
    bar->NotifyProgress(8000, StatusBar::NoCancelCheck);
    EXPECT_EQ(reads, clockReads_);
    EXPECT_EQ(5, bar->GetGauge()->GetValue());
    bar->NotifyProgress(9000, StatusBar::NoCancelCheck);
    EXPECT_EQ(9, bar->GetGauge()->GetValue());
    // a prediction past the total is clamped once, so that the total itself shows
    ReportAt(101, 99000);
    ReportAt(101, 100000);
    EXPECT_EQ(100, bar->GetGauge()->GetValue());
    bar->CloseGauge(1);
    EXPECT_FALSE(bar->IsGaugeOpen());
}

TEST_F(ProgressTest, TitlesAndTimeTexts) {
    bar->OpenGauge(100000, "", 0, 0, 0);
    EXPECT_STREQ("%d%%", bar->GetGaugeTitle());
    ReportAt(1, 0);
    ASSERT_TRUE(bar->IsGaugeOpen());
    // a value of 0 writes no times
    EXPECT_EQ(std::vector<std::string>({"", ""}), TimeTexts());
    bar->SetGaugeTitle("Saving");
    EXPECT_EQ("Saving %d%%", TextOf(*bar->GetGauge()));

    // a quarter in ten seconds: thirty more to go
    ReportAt(10000, 25000);
    EXPECT_EQ(std::vector<std::string>({"Elapsed: 10s 1ms", "Remaining: 30s "}), TimeTexts());
    // the same percentage within 500 ms keeps the texts, later it moves them
    ReportAt(200, 25300);
    EXPECT_EQ("Elapsed: 10s 1ms", TimeTexts()[0]);
    ReportAt(300, 25500);
    EXPECT_EQ("Elapsed: 10s 501ms", TimeTexts()[0]);

    // after a restart the first update is the reference: a stall since leaves nothing
    // to divide by
    bar->ResetGauge();
    ReportAt(3000000, 25500);
    ReportAt(600, 25500);
    EXPECT_EQ("Remaining: 0 ms", TimeTexts()[1]);
    // a work loop that runs past its total has nothing left, not a negative time
    ReportAt(600, 150000);
    EXPECT_EQ("Remaining: 0 ms", TimeTexts()[1]);
    bar->CloseGauge(1);

    // operations name themselves by a catalogue number, or not at all
    {
        AutoProgressBar byNumber(10, 19011, 0);
        EXPECT_STREQ("Drag here %d%%", bar->GetGaugeTitle());
        AutoProgressBar unnamed(10, static_cast<char const *>(0), 0);
        EXPECT_STREQ("%d%%", bar->GetGaugeTitle());
    }
}

TEST_F(ProgressTest, NestedOperationsShareOneGauge) {
    TGadget *own = new TextGadget(47002);
    bar->Insert(*own);
    bar->LayoutSession();
    std::string before = Layout();
    {
        AutoProgressBar outer(1000, "Outer", 1);
        current = &outer;
        ReportAt(600, 500);
        ASSERT_TRUE(bar->IsGaugeOpen());
        EXPECT_EQ(50, bar->GetGauge()->GetValue());
        {
            AutoProgressBar inner(20, String("Inner"), 1);
            EXPECT_EQ(2, AutoProgressBar::GetNestingDepth());
            EXPECT_STREQ("Inner %d%%", bar->GetGaugeTitle());
            EXPECT_EQ(20, bar->GetGaugeTotal());
            EXPECT_EQ(1, ReportAt(200, 5));
            EXPECT_EQ(25, bar->GetGauge()->GetValue());
            inner.ValidateTimeDisplay();
            Advance(100);
        }
        // the enclosing level comes back and restarts; the gauge stays
        EXPECT_EQ(1, AutoProgressBar::GetNestingDepth());
        ASSERT_TRUE(bar->IsGaugeOpen());
        EXPECT_STREQ("Outer %d%%", bar->GetGaugeTitle());
        EXPECT_EQ(1000, bar->GetGaugeTotal());
        EXPECT_EQ(1, _disableFrame);
        // the inner end's notice names the level it leaves the gauge to; hints are refused
        // while the gauge shows
        ReportAt(200, 600);
        EXPECT_EQ(60, bar->GetGauge()->GetValue());
    }
    EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
    EXPECT_FALSE(bar->IsGaugeOpen());
    EXPECT_EQ(before, Layout());
    EXPECT_EQ(0, _disableFrame);
}

TEST_F(ProgressTest, EscapeAsksAndAConfirmedCancelIsReportedOrThrown) {
    BoxRecorder boxes(IDNO);
    AutoProgressBar work(1000, "Long", 1);
    ASSERT_TRUE(ShowGauge(work));
    // without a request nothing is asked
    EXPECT_EQ(1, ReportAt(200, 200, StatusBar::ReturnOnCancel));
    EXPECT_TRUE(boxes.Boxes.empty());

    // an Escape posted to the frame is swallowed by the application and noted
    frame->PostMessageA(WM_KEYDOWN, VK_ESCAPE, 1);
    frame->PostMessageA(WM_KEYUP, VK_ESCAPE, 0xC0000001);
    EXPECT_EQ(1, ReportAt(200, 300, StatusBar::ReturnOnCancel));
    EXPECT_EQ(1, StatusBar::TakeEscapePressed());
    StatusBar::NoteEscapePressed();
    // answered No: go on
    EXPECT_EQ(1, ReportAt(200, 400, StatusBar::ReturnOnCancel));
    ASSERT_EQ(1u, boxes.Boxes.size());
    EXPECT_EQ("Stop the running operation?", boxes.Boxes[0].text);
    EXPECT_EQ(unsigned(MB_YESNO | MB_ICONQUESTION), boxes.Boxes[0].style & 0xFF);
    EXPECT_EQ(0, StatusBar::TakeEscapePressed());
    EXPECT_NO_THROW(ThrowIfUserCancel());

    // mode 1 keeps the windows painted but asks nothing
    StatusBar::NoteEscapePressed();
    EXPECT_EQ(1, ReportAt(200, 500, StatusBar::KeepPainted));
    EXPECT_EQ(1u, boxes.Boxes.size());
    StatusBar::TakeEscapePressed();

    // answered Yes: mode 3 gives the cancel back, and every later check throws
    boxes.Answer = IDYES;
    StatusBar::NoteEscapePressed();
    EXPECT_EQ(0, ReportAt(200, 600, StatusBar::ReturnOnCancel));
    EXPECT_EQ(1, IsUserCancelled());
    try {
        ThrowIfUserCancel();
        ADD_FAILURE() << "no exception";
    } catch (Exception const &e) {
        EXPECT_EQ(0u, e.GetText().GetLength());
    }
}

// The capture while the cancel question is open.
HWND captureAtBox = 0;
int AnswerNoNotingCapture(HWND, char const *, char const *, unsigned) {
    captureAtBox = ::GetCapture();
    return IDNO;
}

TEST_F(ProgressTest, TheCancelQuestionGetsTheMouseAndTheGaugeTakesItBack) {
    AutoProgressBar work(1000, "Held", 1);
    ASSERT_TRUE(ShowGauge(work));
    ASSERT_EQ(bar->GetHandle(), ::GetCapture());
    TMessageBoxAnswerer previous = SetMessageBoxAnswerer(&AnswerNoNotingCapture);
    captureAtBox = bar->GetHandle();
    StatusBar::NoteEscapePressed();
    EXPECT_EQ(1, ReportAt(200, 200, StatusBar::ReturnOnCancel));
    SetMessageBoxAnswerer(previous);
    EXPECT_TRUE(captureAtBox == 0);
    EXPECT_EQ(bar->GetHandle(), ::GetCapture());
}

TEST_F(ProgressTest, ACancelInModeTwoThrowsAndEveryLevelEnds) {
    BoxRecorder boxes(IDYES);
    TGadget *own = new TextGadget(47003);
    bar->Insert(*own);
    bar->LayoutSession();
    std::string before = Layout();
    ::SetCursor(Cursor(IDC_CROSS));
    bool thrown = false;
    try {
        AutoProgressBar outer(1000, "Outer", 1);
        AutoProgressBar inner(1000, "Inner", 1);
        current = &inner;
        ReportAt(600, 100, StatusBar::ThrowOnCancel);
        ASSERT_TRUE(bar->IsGaugeOpen());
        EXPECT_EQ(bar->GetHandle(), ::GetCapture());
        StatusBar::NoteEscapePressed();
        ReportAt(200, 200, StatusBar::ThrowOnCancel);
    } catch (Exception const &) {
        thrown = true;
    }
    EXPECT_TRUE(thrown);
    EXPECT_EQ(1u, boxes.Boxes.size());
    EXPECT_EQ(0, _disableFrame);
    EXPECT_EQ(0, AutoProgressBar::GetNestingDepth());
    EXPECT_FALSE(bar->IsGaugeOpen());
    EXPECT_EQ(before, Layout());
    EXPECT_TRUE(::GetCapture() == 0);
    EXPECT_TRUE(app->GetProgressWindow() == 0);
    EXPECT_EQ(Cursor(IDC_CROSS), ::GetCursor());

    // the flag lives until the next outermost operation starts
    EXPECT_THROW(ThrowIfUserCancel(), Exception);
    {
        AutoProgressBar again(10, "Again", 1);
        EXPECT_NO_THROW(ThrowIfUserCancel());
    }

    // any other failure passing through ends the operation the same way
    try {
        AutoProgressBar work(10, "Failing", 0);
        current = &work;
        ReportAt(600, 1);
        EXPECT_TRUE(bar->IsGaugeOpen());
        throw Exception("disk full");
    } catch (Exception const &) {
    }
    EXPECT_EQ(0, _disableFrame);
    EXPECT_FALSE(bar->IsGaugeOpen());
    EXPECT_TRUE(::GetCapture() == 0);
}

TEST_F(ProgressTest, ATestCancelAnswersTheNthCheckWithoutAskingAnyone) {
    BoxRecorder boxes(IDYES);
    AutoProgressBar work(1000, "Work", 1);
    SetProgressCancelAtCheck(2);
    EXPECT_EQ(0, DetectUserCancel(StatusBar::KeepPainted)) << "keeping painted checks nothing";
    EXPECT_EQ(0, DetectUserCancel(StatusBar::ReturnOnCancel));
    EXPECT_FALSE(IsUserCancelled());
    EXPECT_EQ(1, DetectUserCancel(StatusBar::ReturnOnCancel));
    EXPECT_TRUE(IsUserCancelled());
    EXPECT_EQ(0, DetectUserCancel(StatusBar::ReturnOnCancel)) << "one answer only";
    SetProgressCancelAtCheck(1);
    EXPECT_THROW(DetectUserCancel(StatusBar::ThrowOnCancel), Exception);
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(ProgressTest, AClickCountsOnlyOnTheCancelButton) {
    BoxRecorder boxes(IDYES);
    AutoProgressBar work(1000, "Clicks", 1);
    ASSERT_TRUE(ShowGauge(work));
    TGadget *cancel = bar->FirstGadget();
    ASSERT_TRUE(dynamic_cast<TBitmapGadget *>(cancel) != 0);

    // a click on the gauge asks nothing
    TRect gauge;
    ::GetWindowRect(bar->GetGauge()->GetHandle(), &gauge);
    bartest::MoveCursor(gauge.left + 5, gauge.top + 3);
    StatusBar::NoteMouseClicked();
    EXPECT_EQ(1, ReportAt(200, 200, StatusBar::ReturnOnCancel));
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(Cursor(IDC_WAIT), ::GetCursor());

    // over the button the arrow shows, and a click asks
    TRect button = cancel->GetBounds();
    POINT p = {button.left + button.Width() / 2, button.top + button.Height() / 2};
    ::ClientToScreen(bar->GetHandle(), &p);
    bartest::MoveCursor(p.x, p.y);
    EXPECT_EQ(1, ReportAt(200, 300, StatusBar::ReturnOnCancel));
    EXPECT_EQ(Cursor(IDC_ARROW), ::GetCursor());
    StatusBar::NoteMouseClicked();
    EXPECT_EQ(0, ReportAt(200, 400, StatusBar::ReturnOnCancel));
    EXPECT_EQ(1u, boxes.Boxes.size());
    EXPECT_EQ(1, IsUserCancelled());
}

TEST_F(ProgressTest, EscapeWhileAnotherThreadsWindowIsInFrontAsksNothing) {
    BoxRecorder boxes(IDYES);
    AutoProgressBar work(1000, "Behind", 1);
    ASSERT_TRUE(ShowGauge(work));
    // a window of another thread comes to the front and stays there until told
    struct Other {
        HANDLE ready = ::CreateEventA(0, TRUE, FALSE, 0);
        HWND window = 0;
        DWORD id = 0;
        static DWORD WINAPI Run(void *arg) {
            Other &o = *static_cast<Other *>(arg);
            o.window = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, 0, 0, 0, 0);
            ::SetForegroundWindow(o.window);
            ::SetEvent(o.ready);
            MSG msg;
            while (::GetMessageA(&msg, 0, 0, 0) > 0)
                ::DispatchMessageA(&msg);
            ::DestroyWindow(o.window);
            return 0;
        }
    } other;
    HANDLE thread = ::CreateThread(0, 0, &Other::Run, &other, 0, &other.id);
    ::WaitForSingleObject(other.ready, 5000);
    for (int i = 0; i < 100 && ::GetForegroundWindow() != other.window; ++i)
        Pump();
    ASSERT_EQ(other.window, ::GetForegroundWindow());
    StatusBar::NoteEscapePressed();
    EXPECT_EQ(1, ReportAt(200, 200, StatusBar::ReturnOnCancel));
    EXPECT_TRUE(boxes.Boxes.empty());
    EXPECT_EQ(0, StatusBar::TakeEscapePressed());
    ::PostThreadMessageA(other.id, WM_QUIT, 0, 0);
    ::WaitForSingleObject(thread, 5000);
    ::CloseHandle(thread);
    ::CloseHandle(other.ready);
}

TEST_F(ProgressTest, WithoutACancelButtonEscapeAsksNothing) {
    BoxRecorder boxes(IDYES);
    AutoProgressBar work(1000, "Plain", 0);
    ShowGauge(work);
    StatusBar::NoteEscapePressed();
    EXPECT_EQ(1, ReportAt(200, 200, StatusBar::ReturnOnCancel));
    EXPECT_TRUE(boxes.Boxes.empty());
}

TEST_F(ProgressTest, DurationsAreShownWhenAnOperationEnds) {
    {
        AutoProgressBar work(100, "Normalizing", 0);
        current = &work;
        work.ValidateTimeDisplay();
        ReportAt(600, 10);
        Advance(1400);
    }
    ASSERT_FALSE(bar->Hints.empty());
    EXPECT_EQ("Normalizing done in 2s ", bar->Hints.back());
    bar->NotifyCompletedOperation("Nothing", 0);
    EXPECT_EQ("Nothing done in 1ms", bar->Hints.back());
    {
        AutoDisplayDuration shown(String("Scan"));
        Advance(1250);
    }
    EXPECT_EQ("Scan done in 1s 250ms", bar->Hints.back());
    size_t count = bar->Hints.size();
    {
        AutoDisplayDuration hidden(String("Hidden"));
        hidden.PreventDisplay();
    }
    EXPECT_EQ(count, bar->Hints.size());
}

TEST_F(ProgressTest, AGaugeThatCannotBeBuiltLeavesTheBarAsItWas) {
    // a bar whose module lacks the stop button's picture
    TModule &exe = Exe();
    TWindow top(0, "No pictures", &exe);
    top.Attr.Style = WS_OVERLAPPEDWINDOW;
    top.Attr.W = 400;
    top.Attr.H = 100;
    StatusBar *plain = new StatusBar(0, &top);
    ASSERT_TRUE(top.Create());
    unsigned gadgets = plain->GadgetCount();
    plain->OpenGauge(100, "Broken", 1, 0, 1);
    for (int value = 10; value <= 20; value += 10) {
        plain->SetProgress(value);
        EXPECT_FALSE(plain->IsGaugeOpen());
        EXPECT_TRUE(plain->GetGauge() == 0);
        EXPECT_EQ(gadgets, plain->GadgetCount());
        EXPECT_TRUE(::GetCapture() == 0);
        EXPECT_TRUE(app->GetProgressWindow() == 0);
    }
    // without the button it shows
    plain->OpenGauge(100, "Plain", 0, 0, 0);
    plain->SetProgress(30);
    EXPECT_TRUE(plain->IsGaugeOpen());
    EXPECT_EQ(gadgets + 3, plain->GadgetCount());
    plain->CloseGauge(1);
    EXPECT_EQ(gadgets, plain->GadgetCount());
}
