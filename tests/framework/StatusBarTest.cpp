// Message, status and tip status bars: hints over the whole bar, the size grip and
// the border styles, spacing before indicators, hints split between the bar and the
// tip, and the bar as the message bar of a decorated frame.
#include "tests/framework/TestKit.h"
#include "bars/DecoratedFrame.h"
#include "tests/framework/GdiCanvas.h"
#include "bars/StatusBar.h"
#include "tests/framework/TestApp.h"
#include "bars/TextGadget.h"
#include "bars/ToolTipJq.h"

#include <gtest/gtest.h>

#include <string>

namespace {
class BarFrame : public TDecoratedFrame {
public:
    BarFrame() : TDecoratedFrame(0, "Bars", 0, 1, &Exe()) {
        Attr.X = Attr.Y = 40;
        Attr.W = 500;
        Attr.H = 240;
    }
};

// "units: left right top bottom"
std::string Of(TMargins const &m) {
    return std::to_string(int(m.Units)) + ": " + std::to_string(m.Left) + " " + std::to_string(m.Right) + " " +
           std::to_string(m.Top) + " " + std::to_string(m.Bottom);
}

// Paints the whole bar into a canvas of its client size.
void PaintInto(TGadgetWindow &bar, Canvas &canvas) {
    TRect all(0, 0, canvas.Width, canvas.Height);
    bar.Paint(canvas.dc(), 1, all);
}

// A status bar with one keyboard indicator gadget, as a bar whose indicators had texts.
class IndicatorBar : public TStatusBar {
public:
    explicit IndicatorBar(TGadget::TBorderStyle style) : TWindow((TWindow *)0), TStatusBar(0, style) {
        Attr.W = 400;
        indicator = new TTextGadget(30002, style, TTextGadget::Center, 4, "CAPS");
        TGadgetWindow::Insert(*indicator);
        ++NumModeIndicators;
    }
    TTextGadget *indicator;
};
}  // namespace

TEST(TMessageBar, AHintCoversTheWholeBarUntilItIsCleared) {
    TestApp app;
    BarFrame frame;
    TStatusBar *bar = new TStatusBar(&frame, TGadget::Recessed, 0, new TGadgetWindowFont, &Exe());
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());
    frame.ShowWindow(SW_SHOWNA);
    TestApp::Drain();
    EXPECT_EQ(IDW_MESSAGEBAR, bar->GetId());
    TGadget *message = bar->FirstGadget();
    ASSERT_TRUE(message && message->GetId() == TMessageBar::MessageGadgetId);
    EXPECT_TRUE(message->WideAsPossible);
    EXPECT_EQ(TGadget::Recessed, message->GetBorderStyle());
    EXPECT_EQ(bar->GetClientRect().Width() - bar->GetMargins().Right, message->GetBounds().right)
        << "the message gadget takes the whole width";

    bar->SetText("Ready");
    EXPECT_STREQ("Ready", bar->GetText());
    bar->SetMessageText(12345, "nobody");  // no such gadget: nothing
    TRect client = bar->GetClientRect();
    Canvas plain(client.Width(), client.Height()), hinted(client.Width(), client.Height()),
        restored(client.Width(), client.Height());
    PaintInto(*bar, plain);

    bar->SetHintText("Cuts the selection");
    ASSERT_TRUE(bar->GetHintText());
    PaintInto(*bar, hinted);
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    TRect const &box = message->GetBounds();
    EXPECT_NE(face, plain.At(box.left, box.top + box.Height() / 2)) << "the gadget's border";
    EXPECT_EQ(face, hinted.At(box.left, box.top + box.Height() / 2)) << "no gadgets under a hint";
    EXPECT_EQ(face, hinted.At(4, client.Height() / 2)) << "the hint starts at x 5";
    EXPECT_FALSE(plain.SameAs(hinted));

    // the stored pointer again changes nothing; a new text repaints
    ::ValidateRect(bar->GetHandle(), 0);
    bar->SetHintText(bar->GetHintText());
    EXPECT_FALSE(::GetUpdateRect(bar->GetHandle(), 0, FALSE));
    bar->SetHintText(bar->GetHintText() + 5);  // a part of the stored text
    EXPECT_STREQ("the selection", bar->GetHintText());
    bar->SetHintText(0);
    EXPECT_TRUE(::GetUpdateRect(bar->GetHandle(), 0, FALSE));
    EXPECT_EQ(nullptr, bar->GetHintText());
    PaintInto(*bar, restored);
    EXPECT_TRUE(plain.SameAs(restored)) << "the text is back";

    // without wide hints a hint is the message text
    bar->SetWideHints(0);
    bar->SetHintText("Copies");
    EXPECT_EQ(nullptr, bar->GetHintText());
    EXPECT_STREQ("Copies", bar->GetText());
    frame.Destroy(0);
}

TEST(TStatusBar, BorderStylesChooseMarginsSpacingAndTheHighlightLine) {
    TestApp app;
    int line = ::GetSystemMetrics(SM_CYBORDER), cx = ::GetSystemMetrics(SM_CXBORDER);
    bool highlight = !TSystem::Has3dUI();
    struct Case {
        TGadget::TBorderStyle style;
        unsigned modes;
    } const cases[] = {{TGadget::Plain, 0}, {TGadget::Raised, 0}, {TGadget::Recessed, 0x40}, {TGadget::Embossed, 0}};
    for (Case const &c : cases) {
        IndicatorBar bar(c.style);
        TStatusBar grip(0, c.style, c.modes);
        TMargins const &m = grip.GetMargins();
        SCOPED_TRACE(int(c.style));
        EXPECT_EQ(c.style, grip.FirstGadget()->GetBorderStyle());
        switch (c.style) {
        case TGadget::Plain:
            EXPECT_EQ("2: -1 -1 -1 -1", Of(m));
            EXPECT_EQ(0, grip.GetSpacing().Value);
            EXPECT_EQ(0, grip.GetHighlightLine());
            break;
        case TGadget::Embossed:
            EXPECT_EQ("1: 0 0 0 0", Of(m));
            EXPECT_EQ(0, grip.GetSpacing().Value);
            EXPECT_EQ(0, grip.GetHighlightLine());
            break;
        default:
            EXPECT_EQ(Of(TMargins(TMargins::Pixels, grip.LayoutUnitsToPixels(4),
                                  grip.LayoutUnitsToPixels(c.modes & TStatusBar::SizeGrip ? 1 : 4), line, line)),
                      Of(m));
            EXPECT_EQ(2, grip.GetSpacing().Value);
            EXPECT_EQ(TMargins::LayoutUnits, grip.GetSpacing().Units);
            EXPECT_EQ(int(highlight), grip.GetHighlightLine());
        }
        // the spacing goes before an indicator; plain frames overlap
        bar.TileGadgets();
        int gap = bar.indicator->GetBounds().left - bar.FirstGadget()->GetBounds().right;
        int spacing = bar.LayoutUnitsToPixels(bar.GetSpacing().Value);
        EXPECT_EQ(c.style == TGadget::Plain ? -cx : spacing, gap);
        EXPECT_EQ(1u, bar.GetNumModeIndicators());
        bar.SetModeIndicator(TStatusBar::CapsLock, 0);
        EXPECT_FALSE(bar.indicator->GetEnabled());
        EXPECT_FALSE(bar.GetModeIndicator(TStatusBar::CapsLock));
        bar.ToggleModeIndicator(TStatusBar::CapsLock);
        EXPECT_TRUE(bar.indicator->GetEnabled());
        EXPECT_TRUE(bar.GetModeIndicator(TStatusBar::CapsLock));
    }
}

TEST(TStatusBar, TheSizeGripStaysLastSizesTheFrameAndGoesWhileMaximized) {
    TestApp app;
    BarFrame frame;
    TStatusBar *bar = new TStatusBar(&frame, TGadget::Recessed, TStatusBar::SizeGrip, new TGadgetWindowFont, &Exe());
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    // keyboard indicators make no gadgets: only the message gadget and the grip
    ASSERT_EQ(2u, bar->GadgetCount());
    TGadget *grip = (*bar)[1u];
    EXPECT_EQ(TSizeGripGadget::DefaultId, grip->GetId());
    EXPECT_EQ(1u, bar->GetNumModeIndicators());
    EXPECT_TRUE(grip->GetEnabled());
    int size = std::max(::GetSystemMetrics(SM_CXHSCROLL), ::GetSystemMetrics(SM_CYVSCROLL));
    TSize desired;
    grip->GetDesiredSize(desired);
    EXPECT_EQ(TSize(size + 2, size + 2), desired) << "enlarged by a pixel on every side";

    TextGadget *clock = new TextGadget(46040, TGadget::None, TTextGadget::Right, 5, "0:00");
    bar->Insert(*clock);  // after, no sibling: before the grip
    EXPECT_EQ(clock, (*bar)[1u]);
    EXPECT_EQ(grip, (*bar)[2u]);
    EXPECT_EQ(TGadget::Recessed, clock->GetBorderStyle()) << "takes the bar's style";
    EXPECT_EQ(TGadget::None, grip->GetBorderStyle());

    ASSERT_TRUE(frame.Create());
    frame.ShowWindow(SW_SHOWNORMAL);
    TestApp::Drain();
    TRect box = grip->GetBounds();
    auto hit = [&](int x, int y) {
        POINT p = {x, y};
        ::ClientToScreen(bar->GetHandle(), &p);
        return bar->SendMessageA(WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(HTBOTTOMRIGHT, hit(box.left + 1, box.top + 1));
    EXPECT_EQ(HTBOTTOMRIGHT, hit(box.right, box.bottom)) << "the pixel beyond still sizes";
    EXPECT_EQ(HTCLIENT, hit(box.left - 1, box.top + 1));

    // the frame's size broadcast: maximized without grip, restored with it
    frame.ShowWindow(SW_MAXIMIZE);
    TestApp::Drain();
    EXPECT_EQ(nullptr, bar->GadgetWithId(TSizeGripGadget::DefaultId));
    EXPECT_EQ(0u, bar->GetNumModeIndicators());
    EXPECT_EQ(HTCLIENT, hit(box.left + 1, box.top + 1));
    frame.ShowWindow(SW_RESTORE);
    TestApp::Drain();
    ASSERT_EQ(3u, bar->GadgetCount());
    EXPECT_EQ(TSizeGripGadget::DefaultId, (*bar)[2u]->GetId());
    EXPECT_EQ(1u, bar->GetNumModeIndicators());
    frame.Destroy(0);
}

TEST(TTipStatusBar, SplitsAHintIntoTheStatusTextAndTheTip) {
    TestApp app;
    TToolTipJq tip;
    BarFrame frame;
    TTipStatusBar *bar = new TTipStatusBar(&tip, &frame, TGadget::Recessed, 0, new TGadgetWindowFont, &Exe());
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());

    // before use-tips: the status part is a wide hint
    bar->SetHintText("Pastes the clipboard\nPaste");
    ASSERT_TRUE(bar->GetHintText());
    EXPECT_STREQ("Pastes the clipboard", bar->GetHintText());
    EXPECT_EQ("", TextOf(tip.GetHandle())) << "the tip only follows the mouse";
    bar->SetHintText(0);

    bar->UseTips();
    TMargins const &m = bar->GetMargins();
    EXPECT_EQ("2: 6 6 2 2", Of(m));

    TTipStatusBar::_enableHints = 1;
    bar->SetHintText("Pastes the clipboard\nPaste");
    EXPECT_STREQ("Pastes the clipboard", bar->GetText()) << "with tips the status goes to the message gadget";
    EXPECT_EQ(nullptr, bar->GetHintText());
    EXPECT_EQ("Paste", TextOf(tip.GetHandle()));
    EXPECT_TRUE(tip.IsTimerActive());
    bar->SetHintText("Undoes the last edit");  // no line feed: no tip
    EXPECT_STREQ("Undoes the last edit", bar->GetText());
    EXPECT_EQ("", TextOf(tip.GetHandle()));
    EXPECT_FALSE(tip.IsTimerActive());
    bar->SetHintText("A\nB");
    bar->SetHintText(0);
    EXPECT_STREQ("", bar->GetText());
    EXPECT_EQ("", TextOf(tip.GetHandle()));
    TTipStatusBar::_enableHints = 0;

    // a long hint is cut to the shared buffer
    std::string longHint(400, 'x');
    bar->SetHintText(longHint.c_str());
    EXPECT_EQ(std::string(259, 'x'), bar->GetText());

    // the mouse over no gadget or a click hides the tip
    tip.SetCaption("Shown");
    bar->SendMessageA(WM_MOUSEMOVE, 0, MAKELPARAM(1, 0));
    EXPECT_EQ("", TextOf(tip.GetHandle()));
    EXPECT_EQ(0, TTipStatusBar::_enableHints);
    tip.SetCaption("Shown");
    TRect box = bar->FirstGadget()->GetBounds();
    bar->SendMessageA(WM_MOUSEMOVE, 0, MAKELPARAM(box.left + 2, box.top + 2));
    EXPECT_EQ("Shown", TextOf(tip.GetHandle())) << "over a gadget the tip stays";
    bar->SendMessageA(WM_LBUTTONDOWN, 0, MAKELPARAM(box.left + 2, box.top + 2));
    EXPECT_EQ("", TextOf(tip.GetHandle()));
    frame.Destroy(0);
}

TEST(StatusBar, AsTheFramesMessageBarItShowsMenuHints) {
    TestApp app;
    BarFrame frame;
    StatusBar *bar = new StatusBar(0, &frame, TGadget::Recessed, TStatusBar::SizeGrip, new TGadgetWindowFont, &Exe());
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());
    ASSERT_EQ(bar, frame.ChildWithId(IDW_MESSAGEBAR));
    auto select = [&](uint item) {
        frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(item, MF_STRING), 0);
        frame.SendMessageA(WM_ENTERIDLE, MSGF_MENU, 0);
    };
    select(46001);
    ASSERT_TRUE(bar->GetHintText()) << "a bar without a tip window still shows the status part";
    EXPECT_STREQ("Opens a sound file", bar->GetHintText());
    frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(nullptr, bar->GetHintText());

    select(46002);
    ASSERT_TRUE(bar->GetHintText());
    EXPECT_STREQ("Saves the sound file", bar->GetHintText());

    bar->SetInstantHintText("Scanning");
    EXPECT_STREQ("Scanning", bar->GetText());
    frame.Destroy(0);
}

namespace {
// A tip bar whose hints can be switched off, as the framework's bar does while its gauge shows.
class Refusing : public TTipStatusBar {
public:
    Refusing() : TWindow((TWindow *)0), TTipStatusBar(0) {}
    int Enabled = 1;
    int IsHintTextEnabled() override { return Enabled; }
};
}  // namespace

TEST(TTipStatusBar, HintsAreRefusedWhileTheBarDisablesThemOrHasNoTextGadgetFirst) {
    TestApp app;
    Refusing bar;
    bar.SetHintText("Status\nTip");
    EXPECT_STREQ("Status", bar.GetHintText());
    bar.SetHintText(0);
    bar.Enabled = 0;
    bar.SetHintText("Status\nTip");
    EXPECT_EQ(nullptr, bar.GetHintText());
    bar.Enabled = 1;
    TGadget *message = bar.FirstGadget();
    bar.Remove(*message);
    delete message;
    bar.TGadgetWindow::Insert(*new TSeparatorGadget, TGadgetList::Before);
    bar.SetHintText("Status\nTip");
    EXPECT_EQ(nullptr, bar.GetHintText()) << "the first gadget is not a text gadget";
}
