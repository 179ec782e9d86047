// Decorated frames under Xvfb: the placeholder client, decorations at the four sides
// placed by their constraints, toggling by command, command hints and tool tips.
#include "tests/framework/TestKit.h"
#include "bars/DecoratedFrame.h"
#include "bars/MessageBar.h"
#include "core/Module.h"
#include "bars/TooltipText.h"
#include "core/VeltraneModule.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

enum { IdTop = 41201, IdTop2 = 41202, IdBottom = 41203, IdLeft = 41204, IdRight = 41205, MenuView = 41100 };

// A decoration of a fixed thickness that records what reaches it.
class Bar : public TWindow {
public:
    Bar(int id, int w, int h, bool border = false) : TWindow(0, 0, &Exe()) {
        Attr.Id = id;
        Attr.W = w;
        Attr.H = h;
        if (border)
            Attr.Style |= WS_BORDER;
    }
    int PreProcessMsg(MSG &msg) override {
        ++preProcessed;
        return msg.message == WM_USER + 1;
    }
    LRESULT WindowProc(uint msg, WPARAM wp, LPARAM lp) override {
        if (msg == 32501)
            resizes.push_back(int(wp));
        return TWindow::WindowProc(msg, wp, lp);
    }
    int preProcessed = 0;
    std::vector<int> resizes;
};

class Frame : public TDecoratedFrame {
public:
    explicit Frame(TWindow *client = 0, int track = 0, TModule *module = &Exe())
        : TDecoratedFrame(0, "Decorated", client, track, module) {
        Attr.X = Attr.Y = 20;
        Attr.W = 420;
        Attr.H = 320;
    }
    using TDecoratedFrame::GetChildLayoutMetrics;
};

// A window's rectangle in the frame's client coordinates.
TRect At(TWindow &frame, TWindow &w) {
    TRect r = w.GetWindowRect();
    ::MapWindowPoints(0, frame.GetHandle(), (POINT *)&r, 2);
    return r;
}

using Answer = EnablerProbe;

}  // namespace

TEST(TDecoratedFrame, APlaceholderClientIsReplacedAndDeleted) {
    Frame frame;
    TWindow *placeholder = frame.GetClientWindow();
    ASSERT_TRUE(placeholder);
    EXPECT_TRUE(TDecoratedFrame::IsPlaceholder(placeholder));
    ASSERT_TRUE(frame.Create());
    HWND placeholderWindow = placeholder->GetHandle();
    ASSERT_TRUE(::IsWindow(placeholderWindow));
    TRect area = frame.GetClientRect();
    EXPECT_EQ(area, At(frame, *placeholder));

    TWindow *first = new TWindow(0, "first");
    EXPECT_EQ(0, frame.SetClientWindow(first));
    EXPECT_FALSE(::IsWindow(placeholderWindow));
    EXPECT_EQ(first, frame.GetClientWindow());
    EXPECT_EQ(area, At(frame, *first)) << "the new client takes over the placeholder's place";

    TWindow *second = new TWindow(0, "second");
    EXPECT_EQ(first, frame.SetClientWindow(second));
    EXPECT_EQ(area, At(frame, *second));
    delete first;  // handed back: the caller's now

    EXPECT_EQ(second, frame.SetClientWindow(0));
    EXPECT_TRUE(TDecoratedFrame::IsPlaceholder(frame.GetClientWindow()));
    EXPECT_EQ(area, At(frame, *frame.GetClientWindow()));
    delete second;
}

TEST(TDecoratedFrame, ABorderedClientHidesItsBorderUnderTheFramesEdge) {
    TWindow *client = new TWindow(0, "bordered");
    client->Attr.Style |= WS_BORDER;
    Frame frame(client);
    ASSERT_TRUE(frame.Create());
    TRect area = frame.GetClientRect();
    int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_EQ(TRect(-cx, -cy, area.right + cx, area.bottom + cy), At(frame, *client));
}

TEST(TDecoratedFrame, DecorationsAtAllFourSidesShareTheClientArea) {
    Frame frame;
    // Top and left without a border, bottom and right with one; the client without.
    Bar *top = new Bar(IdTop, 0, 20), *bottom = new Bar(IdBottom, 0, 15, true);
    Bar *left = new Bar(IdLeft, 30, 0), *right = new Bar(IdRight, 25, 0, true);
    frame.Insert(*top, TDecoratedFrame::Top);
    frame.Insert(*bottom, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());
    frame.Insert(*left, TDecoratedFrame::Left);  // after creation: made and placed at once
    frame.Insert(*right, TDecoratedFrame::Right);
    ASSERT_TRUE(left->GetHandle());
    EXPECT_EQ(TDecoratedFrame::Left, TDecoratedFrame::GetLocation(*left));
    EXPECT_TRUE(frame.GetStyle() & WS_CLIPCHILDREN);
    EXPECT_TRUE(frame.GetStyle() & WS_CLIPSIBLINGS);

    TRect area = frame.GetClientRect();
    int W = area.right, H = area.bottom;
    int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
    TWindow &client = *frame.GetClientWindow();
    // Top and bottom span the whole width, a border under the frame's edge; left and
    // right span the client's height, a bordered one overlapping it by its border line.
    EXPECT_EQ(TRect(0, 0, W, 20), At(frame, *top));
    EXPECT_EQ(TRect(-cx, H + cy - 15, W + cx, H + cy), At(frame, *bottom));
    int clientBottom = H + cy - 15;  // exclusive: it ends one line above the bottom bar
    EXPECT_EQ(TRect(0, 20, 30, clientBottom), At(frame, *left));
    EXPECT_EQ(TRect(W + cx - 25, 19, W + cx, clientBottom + 1), At(frame, *right));
    EXPECT_EQ(TRect(30, 20, W + cx - 25, clientBottom), At(frame, client));

    // A resize lays everything out again and tells the children.
    frame.MoveWindow(20, 20, 500, 300, true);
    Pump();
    TRect bigger = frame.GetClientRect();
    EXPECT_EQ(TRect(0, 0, bigger.right, 20), At(frame, *top));
    EXPECT_EQ(TRect(30, 20, bigger.right + cx - 25, bigger.bottom + cy - 15), At(frame, client));
    ASSERT_FALSE(top->resizes.empty());
    EXPECT_EQ(SIZE_RESTORED, top->resizes.back());
}

TEST(TDecoratedFrame, TogglingADecorationHidesItAndTheClientGrowsIntoItsPlace) {
    struct Case {
        TDecoratedFrame::TLocation at;
        int id;
    } cases[] = {{TDecoratedFrame::Top, IdTop},
                 {TDecoratedFrame::Bottom, IdBottom},
                 {TDecoratedFrame::Left, IdLeft},
                 {TDecoratedFrame::Right, IdRight}};
    for (Case const &c : cases) {
        Frame frame;
        Bar *bar = new Bar(c.id, 40, 40);
        frame.Insert(*bar, c.at);
        ASSERT_TRUE(frame.Create());
        TWindow &client = *frame.GetClientWindow();
        TRect area = frame.GetClientRect(), withBar = At(frame, client), barRect = At(frame, *bar);
        EXPECT_NE(area, withBar);

        Answer shown(c.id);
        frame.EvCommandEnable(shown);
        EXPECT_EQ(1, shown.Enabled);
        EXPECT_EQ(TCommandEnabler::Checked, shown.Check);

        frame.SendMessageA(WM_COMMAND, c.id);
        EXPECT_FALSE(bar->IsWindowVisible());
        EXPECT_EQ(area, At(frame, client)) << "location " << c.at;
        TLayoutMetrics m;
        EXPECT_FALSE(frame.GetChildLayoutMetrics(*bar, m));
        Answer hidden(c.id);
        frame.EvCommandEnable(hidden);
        EXPECT_EQ(1, hidden.Enabled);
        EXPECT_EQ(TCommandEnabler::Unchecked, hidden.Check);

        frame.SendMessageA(WM_COMMAND, c.id);
        EXPECT_TRUE(bar->IsWindowVisible());
        EXPECT_EQ(barRect, At(frame, *bar)) << "location " << c.at;
        EXPECT_EQ(withBar, At(frame, client));
    }
}

TEST(TDecoratedFrame, ADecorationShownAgainReturnsBetweenItsNeighbours) {
    Frame frame;
    Bar *outer = new Bar(IdTop, 0, 20), *inner = new Bar(IdTop2, 0, 12);
    frame.Insert(*outer, TDecoratedFrame::Top);
    frame.Insert(*inner, TDecoratedFrame::Top);
    ASSERT_TRUE(frame.Create());
    TRect outerRect = At(frame, *outer), innerRect = At(frame, *inner);
    EXPECT_EQ(0, outerRect.top);
    EXPECT_EQ(20, innerRect.top);
    EXPECT_EQ(32, At(frame, *frame.GetClientWindow()).top);

    for (Bar *bar : {outer, inner}) {
        frame.SendMessageA(WM_COMMAND, bar->GetId());
        Bar *other = bar == outer ? inner : outer;
        EXPECT_EQ(0, At(frame, *other).top) << "the other one closes up";
        EXPECT_EQ(other->Attr.H, At(frame, *frame.GetClientWindow()).top);
        frame.SendMessageA(WM_COMMAND, bar->GetId());
        EXPECT_EQ(outerRect, At(frame, *outer));
        EXPECT_EQ(innerRect, At(frame, *inner));
    }

    // One that asks for the edge goes there.
    inner->SetFlag(wfInsertAtEdge);
    frame.SendMessageA(WM_COMMAND, IdTop2);
    frame.SendMessageA(WM_COMMAND, IdTop2);
    EXPECT_EQ(0, At(frame, *inner).top);
    EXPECT_EQ(12, At(frame, *outer).top);
    EXPECT_EQ(32, At(frame, *frame.GetClientWindow()).top);
}

TEST(TDecoratedFrame, StackedDecorationsAbutAtEverySideAndComeBackInPlace) {
    // Two borderless bars at one side: the first inserted is outermost, none overlaps
    // another, and hiding and showing either one gives back the same arrangement.
    struct Case {
        TDecoratedFrame::TLocation at;
        bool vertical;
    } cases[] = {{TDecoratedFrame::Top, true},
                 {TDecoratedFrame::Bottom, true},
                 {TDecoratedFrame::Left, false},
                 {TDecoratedFrame::Right, false}};
    for (Case const &c : cases) {
        Frame frame;
        Bar *outer = c.vertical ? new Bar(IdTop, 0, 20) : new Bar(IdTop, 20, 0);
        Bar *inner = c.vertical ? new Bar(IdTop2, 0, 12) : new Bar(IdTop2, 12, 0);
        frame.Insert(*outer, c.at);
        frame.Insert(*inner, c.at);
        ASSERT_TRUE(frame.Create());
        TWindow &client = *frame.GetClientWindow();
        TRect o = At(frame, *outer), i = At(frame, *inner), cl = At(frame, client);
        // the line each pair shares: outer|inner and inner|client
        auto lines = [&](TRect const &o, TRect const &i, TRect const &cl) {
            switch (c.at) {
            case TDecoratedFrame::Top: return std::vector<int>{o.bottom, i.top, i.bottom, cl.top};
            case TDecoratedFrame::Bottom: return std::vector<int>{o.top, i.bottom, i.top, cl.bottom};
            case TDecoratedFrame::Left: return std::vector<int>{o.right, i.left, i.right, cl.left};
            default: return std::vector<int>{o.left, i.right, i.left, cl.right};
            }
        };
        std::vector<int> l = lines(o, i, cl);
        EXPECT_EQ(l[0], l[1]) << "location " << c.at;
        EXPECT_EQ(l[2], l[3]) << "location " << c.at;
        EXPECT_EQ(20, c.vertical ? o.Height() : o.Width());
        EXPECT_EQ(12, c.vertical ? i.Height() : i.Width());

        for (Bar *bar : {outer, inner}) {
            frame.SendMessageA(WM_COMMAND, bar->GetId());
            frame.SendMessageA(WM_COMMAND, bar->GetId());
            EXPECT_EQ(o, At(frame, *outer)) << "location " << c.at << " bar " << bar->GetId();
            EXPECT_EQ(i, At(frame, *inner)) << "location " << c.at << " bar " << bar->GetId();
            EXPECT_EQ(cl, At(frame, client)) << "location " << c.at << " bar " << bar->GetId();
        }
    }
}

TEST(TDecoratedFrame, GivingTheFrameItsOwnClientAgainChangesNothing) {
    Frame frame;
    Bar *top = new Bar(IdTop, 0, 20);
    frame.Insert(*top, TDecoratedFrame::Top);
    ASSERT_TRUE(frame.Create());
    for (bool placeholder : {true, false}) {
        if (!placeholder) {
            EXPECT_EQ(0, frame.SetClientWindow(new TWindow(0, "real")));
        }
        TWindow *client = frame.GetClientWindow();
        ASSERT_EQ(placeholder, TDecoratedFrame::IsPlaceholder(client));
        TRect before = At(frame, *client);
        EXPECT_EQ(0, frame.SetClientWindow(client)) << "nothing is handed back";
        ASSERT_EQ(client, frame.GetClientWindow());
        ASSERT_TRUE(::IsWindow(client->GetHandle()));
        frame.MoveWindow(20, 20, 440, 300 + 10 * placeholder, true);
        TRect area = frame.GetClientRect();
        EXPECT_EQ(TRect(0, 20, area.right, area.bottom), At(frame, *client));
        EXPECT_NE(before, At(frame, *client));
    }
}

TEST(TDecoratedFrame, AHiddenDecorationGetsItsPlaceWhenFirstShown) {
    Frame frame;
    Bar *bar = new Bar(IdBottom, 0, 18);
    bar->Attr.Style &= ~WS_VISIBLE;
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());
    TRect area = frame.GetClientRect();
    EXPECT_EQ(area, At(frame, *frame.GetClientWindow()));
    frame.SendMessageA(WM_COMMAND, IdBottom);
    EXPECT_TRUE(bar->IsWindowVisible());
    EXPECT_EQ(TRect(0, area.bottom - 18, area.right, area.bottom), At(frame, *bar));
    EXPECT_EQ(area.bottom - 18, At(frame, *frame.GetClientWindow()).bottom);
}

TEST(TDecoratedFrame, ADeletedClientLeavesAPlaceholderTheDecorationsStayAttachedTo) {
    TWindow *client = new TWindow(0, "client");
    Frame frame(client);
    Bar *left = new Bar(IdLeft, 30, 0);
    frame.Insert(*left, TDecoratedFrame::Left);
    ASSERT_TRUE(frame.Create());
    TRect clientRect = At(frame, *client), leftRect = At(frame, *left);
    delete client;
    TWindow *placeholder = frame.GetClientWindow();
    ASSERT_TRUE(TDecoratedFrame::IsPlaceholder(placeholder));
    ASSERT_TRUE(placeholder->GetHandle());
    EXPECT_EQ(clientRect, At(frame, *placeholder));
    frame.MoveWindow(20, 20, 460, 330, true);
    TRect area = frame.GetClientRect();
    EXPECT_EQ(TRect(0, 0, 30, area.bottom), At(frame, *left));
    EXPECT_NE(leftRect, At(frame, *left));
    Pump();
}

TEST(TDecoratedFrame, ADeletedDecorationLeavesNoGap) {
    Frame frame;
    Bar *top = new Bar(IdTop, 0, 20), *left = new Bar(IdLeft, 30, 0);
    frame.Insert(*top, TDecoratedFrame::Top);
    frame.Insert(*left, TDecoratedFrame::Left);
    ASSERT_TRUE(frame.Create());
    TRect area = frame.GetClientRect();
    delete top;
    EXPECT_EQ(TRect(0, 0, 30, area.bottom), At(frame, *left));
    EXPECT_EQ(TRect(30, 0, area.right, area.bottom), At(frame, *frame.GetClientWindow()));
}

TEST(TDecoratedFrame, VisibleDecorationsSeeMessagesBeforeTheFrame) {
    Frame frame;
    Bar *shown = new Bar(IdTop, 0, 20), *hidden = new Bar(IdBottom, 0, 20);
    hidden->Attr.Style &= ~WS_VISIBLE;
    frame.Insert(*shown, TDecoratedFrame::Top);
    frame.Insert(*hidden, TDecoratedFrame::Bottom);
    ASSERT_TRUE(frame.Create());
    MSG handled = {frame.GetHandle(), WM_USER + 1};
    MSG other = {frame.GetHandle(), WM_USER + 2};
    EXPECT_TRUE(frame.PreProcessMsg(handled));
    EXPECT_FALSE(frame.PreProcessMsg(other));
    EXPECT_EQ(2, shown->preProcessed);
    EXPECT_EQ(0, hidden->preProcessed);
}

TEST(TDecoratedFrame, HintsAndTooltipsComeFromTheTwoPartsOfAString) {
    Frame frame;
    char text[64];
    struct Case {
        uint id;
        TDecoratedFrame::THintText kind;
        char const *expected;
    } cases[] = {
        {41104, TDecoratedFrame::htStatus, "Opens a document"},
        {41104, TDecoratedFrame::htTooltip, "Open"},
        {41105, TDecoratedFrame::htStatus, "Only a status hint"},
        {41105, TDecoratedFrame::htTooltip, ""},
        {41199, TDecoratedFrame::htStatus, ""},
        {41104, TDecoratedFrame::THintText(3), ""},
    };
    for (Case const &c : cases) {
        std::memset(text, 'x', sizeof text);
        int length = frame.GetHintText(c.id, text, sizeof text, c.kind);
        EXPECT_STREQ(c.expected, text) << c.id << " kind " << c.kind;
        EXPECT_EQ(int(std::strlen(c.expected)), length);
    }
    EXPECT_EQ(4, frame.GetHintText(41104, text, 5, TDecoratedFrame::htStatus));
    EXPECT_STREQ("Open", text);

    // Texts the frame's own module lacks come from its merge module.
    Frame library(0, 0, &VeltraneLibraryModule());
    EXPECT_EQ(0, library.GetHintText(41104, text, sizeof text, TDecoratedFrame::htStatus));
    library.SetMergeModule(&Exe());
    EXPECT_EQ(4, library.GetHintText(41104, text, sizeof text, TDecoratedFrame::htTooltip));
    EXPECT_STREQ("Open", text);
}

TEST(TDecoratedFrame, AMenuItemGivesItsBareTextAsTooltip) {
    Frame frame;
    frame.Attr.Menu = MenuView;
    ASSERT_TRUE(frame.Create());
    ASSERT_TRUE(frame.GetMenu());
    char text[64];
    struct Case {
        uint id;
        char const *expected;
    } cases[] = {{41101, "Tool bar"}, {41102, "Status bar"}, {41103, "Ruler"}, {41104, "Open"}};
    for (Case const &c : cases) {
        frame.GetHintText(c.id, text, sizeof text, TDecoratedFrame::htTooltip);
        EXPECT_STREQ(c.expected, text);
    }
    // the status hint still comes from the string
    frame.GetHintText(41101, text, sizeof text, TDecoratedFrame::htStatus);
    EXPECT_STREQ("Shows or hides the tool bar", text);

    // a tool tip asks the frame through a command enabler
    TTooltipText request;
    request.hdr.idFrom = 41101;
    TTooltipEnabler tip(request, frame.GetHandle());
    frame.EvCommandEnable(tip);
    EXPECT_STREQ("Tool bar", request.szText);
}

TEST(TDecoratedFrame, MenuSelectionShowsTheHintInTheMessageBar) {
    Frame frame(0, 1);
    TMessageBar *bar = new TMessageBar(0, new TGadgetWindowFont, &Exe());
    frame.Insert(*bar, TDecoratedFrame::Bottom);
    auto hint = [bar] { return std::string(bar->GetHintText() ? bar->GetHintText() : "<none>"); };
    frame.Attr.Menu = MenuView;
    ASSERT_TRUE(frame.Create());
    HMENU view = ::GetSubMenu(frame.GetMenu(), 0);
    auto select = [&](uint item, uint flags, HMENU menu) {
        frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(item, flags), (LPARAM)menu);
        frame.SendMessageA(WM_ENTERIDLE, MSGF_MENU, 0);
    };
    select(41101, MF_STRING, view);
    EXPECT_EQ(0u, frame.GetMenuItemId());
    EXPECT_EQ("Shows or hides the tool bar", hint());
    select(41102, MF_STRING, view);  // no string: an empty hint
    EXPECT_EQ("", hint());
    select(41101, MF_STRING, view);
    frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(0, MF_SEPARATOR), (LPARAM)view);
    EXPECT_EQ(uint(-1), frame.GetMenuItemId());
    frame.SendMessageA(WM_ENTERIDLE, MSGF_MENU, 0);
    EXPECT_EQ("", hint());
    frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(32003, MF_STRING), (LPARAM)view);
    EXPECT_EQ(uint(-1), frame.GetMenuItemId()) << "window-list items have no hint";
    frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP), (LPARAM)view);
    EXPECT_EQ(41101u, frame.GetMenuItemId()) << "a popup's item at that position";
    frame.SendMessageA(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(0u, frame.GetMenuItemId());
    EXPECT_EQ("<none>", hint()) << "a closed menu clears the hint";

    frame.SetTrackMenuSelection(0);
    select(41104, MF_STRING, view);
    EXPECT_EQ(0u, frame.GetMenuItemId());
    EXPECT_EQ("<none>", hint());
}

TEST(TDecoratedMDIFrame, TheMdiClientIsLaidOutBesideTheDecorations) {
    TMDIClient *client = new TMDIClient(&Exe());
    TDecoratedMDIFrame frame("MDI", TResId(), *client, 0, &Exe());
    frame.Attr.X = frame.Attr.Y = 20;
    frame.Attr.W = 400;
    frame.Attr.H = 300;
    Bar *top = new Bar(IdTop, 0, 24);
    frame.Insert(*top, TDecoratedFrame::Top);
    ASSERT_TRUE(frame.Create());
    EXPECT_EQ(client, frame.GetClientWindow());
    TFrameWindow &part = frame;  // one frame part
    EXPECT_EQ(client, part.GetClientWindow());
    TRect area = frame.GetClientRect();
    EXPECT_EQ(TRect(0, 24, area.right, area.bottom), At(frame, *client));

    frame.MoveWindow(20, 20, 450, 350, true);
    Pump();
    area = frame.GetClientRect();
    EXPECT_EQ(TRect(0, 24, area.right, area.bottom), At(frame, *client));
    frame.SendMessageA(WM_SIZE, SIZE_RESTORED, MAKELPARAM(area.right, area.bottom));
    EXPECT_EQ(TRect(0, 24, area.right, area.bottom), At(frame, *client)) << "an unchanged size keeps the layout";

    frame.SendMessageA(WM_COMMAND, IdTop);
    EXPECT_EQ(area, At(frame, *client));
    frame.SendMessageA(WM_COMMAND, IdTop);
    EXPECT_EQ(TRect(0, 24, area.right, area.bottom), At(frame, *client));
}
