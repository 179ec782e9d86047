// The common tooltip control's wrapper: the records the control reads, tool descriptors
// and their texts, tools added and removed, and the text asked of the owner's command
// enablers.
#include "tests/framework/TestApp.h"
#include "bars/Tooltip.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>


using testsupport::ByArch;
namespace {

template <class T, class F>
int OffsetIn(T const &record, F const &field) {
    return int(reinterpret_cast<char const *>(&field) - reinterpret_cast<char const *>(&record));
}

TEST(TooltipRecords, LayoutsAreTheSystemsOwn) {
    TToolInfo info;
    EXPECT_EQ(ByArch(40, 56), info.cbSize);
    EXPECT_EQ(unsigned(TTTOOLINFOA_V1_SIZE), info.cbSize);
    EXPECT_EQ(0, OffsetIn(info, info.cbSize));
    EXPECT_EQ(8, OffsetIn(info, info.hwnd));
    EXPECT_EQ(ByArch(16, 24), OffsetIn(info, info.rect));
    EXPECT_EQ(ByArch(36, 48), OffsetIn(info, info.lpszText));
    EXPECT_EQ(nullptr, info.lpszText);

    TTooltipHitTestInfo hit;
    EXPECT_EQ(ByArch(52, 72), sizeof hit);
    EXPECT_EQ(ByArch(12, 16), OffsetIn(hit, hit.ti));
    EXPECT_EQ(ByArch(40, 56), hit.ti.cbSize);

    TTooltipText text;
    // the system's size of the first version ends at its last field, before any padding
    EXPECT_EQ(size_t(NMTTDISPINFOA_V1_SIZE), offsetof(NMTTDISPINFOA, uFlags) + sizeof text.uFlags);
    EXPECT_EQ(ByArch(124, 128), sizeof text);
    EXPECT_EQ(offsetof(NMTTDISPINFOA, lpszText), size_t(OffsetIn(text, text.lpszText)));
    EXPECT_EQ(offsetof(NMTTDISPINFOA, szText), size_t(OffsetIn(text, text.szText)));
    EXPECT_EQ(offsetof(NMTTDISPINFOA, hinst), size_t(OffsetIn(text, text.hinst)));
    EXPECT_EQ(offsetof(NMTTDISPINFOA, uFlags), size_t(OffsetIn(text, text.uFlags)));
}

TEST(TooltipRecords, ToolInfoOwnsItsCopiesAndComparesByTool) {
    HWND owner = HWND(0x1230), child = HWND(0x4560);
    TToolInfo a(owner, TRect(10, 10, 20, 20), 7, "borrowed");
    EXPECT_EQ(nullptr, a.GetCacheText());
    TToolInfo borrowed(a);
    EXPECT_EQ(a.lpszText, borrowed.lpszText);  // a text it does not own is shared

    a.SetText("Cut", 1);
    ASSERT_NE(nullptr, a.GetCacheText());
    EXPECT_EQ(a.GetCacheText(), a.lpszText);
    TToolInfo b(a);
    TToolInfo c;
    c = a;
    for (TToolInfo *copy : {&b, &c}) {
        EXPECT_NE(a.lpszText, copy->lpszText);
        EXPECT_EQ(copy->GetCacheText(), copy->lpszText);
        EXPECT_STREQ("Cut", copy->lpszText);
        EXPECT_TRUE(*copy == a);
    }
    a.GetCacheText()[0] = 'P';
    EXPECT_STREQ("Cut", b.lpszText);
    c = c;
    EXPECT_STREQ("Cut", c.lpszText);

    // a call-back or borrowed text frees the owned copy
    a.SetText(LPSTR_TEXTCALLBACKA, 1);
    EXPECT_EQ(LPSTR_TEXTCALLBACKA, a.lpszText);
    EXPECT_EQ(nullptr, a.GetCacheText());
    a.SetText(7001, HINSTANCE(0x400000));
    EXPECT_EQ(MAKEINTRESOURCEA(7001), a.lpszText);
    EXPECT_EQ(HINSTANCE(0x400000), a.hinst);

    // a window tool: the identifier is the tool window
    TToolInfo w(owner, child, "window");
    EXPECT_TRUE(w.IsWindowTool());
    EXPECT_EQ(child, w.GetToolWindow());
    EXPECT_EQ(owner, w.hwnd);
    EXPECT_FALSE(w == a);
    w.SetToolInfo(owner, 7u);
    EXPECT_FALSE(w.IsWindowTool());
    EXPECT_TRUE(w == a);
    EXPECT_EQ(owner, w.GetToolWindow());

    // the tool rectangle takes its left and top edges, not its right and bottom ones
    struct Case {
        HWND window;
        TPoint p;
        bool in;
    } const cases[] = {
        {owner, TPoint(10, 10), true}, {owner, TPoint(19, 19), true}, {owner, TPoint(20, 15), false},
        {owner, TPoint(15, 20), false}, {owner, TPoint(9, 15), false}, {child, TPoint(15, 15), false},
    };
    TToolInfo tool(owner, TRect(10, 10, 20, 20), 3);
    for (Case const &k : cases)
        EXPECT_EQ(k.in, tool.IsPointInTool(k.window, k.p)) << k.p.x << "," << k.p.y;

    // the receiving form points at its own buffer
    TToolInfo receiver(1);
    ASSERT_NE(nullptr, receiver.GetCacheText());
    EXPECT_EQ(receiver.GetCacheText(), receiver.lpszText);
    EXPECT_STREQ("", receiver.lpszText);
}

TEST(TooltipRecords, TextRequestTakesACutAndTerminatedCopy) {
    TTooltipText text;
    text.hdr.idFrom = 24322;
    std::string longText(100, 'x');
    text.CopyText(longText.c_str());
    EXPECT_EQ(text.szText, text.lpszText);
    EXPECT_EQ(79u, std::strlen(text.szText));

    TTooltipEnabler enabler(text, HWND(0x1230));
    EXPECT_EQ(24322u, enabler.GetId());
    EXPECT_TRUE(enabler.IsReceiver(HWND(0x1230)));
    enabler.SetText("Cut the selection");
    EXPECT_STREQ("Cut the selection", text.lpszText);
    enabler.SetCheck(1);
    EXPECT_STREQ("Cut the selection", text.lpszText);
    EXPECT_FALSE(enabler.GetHandled());
}

// A window whose tools ask its command enablers for their texts, the way gadget
// windows answer their tooltip.
class ToolOwner : public TWindow {
public:
    ToolOwner() : TWindow((TWindow *)0, "tools") {
        Attr.Style = WS_OVERLAPPEDWINDOW;
        Attr.X = 100, Attr.Y = 100, Attr.W = 300, Attr.H = 200;
    }
    LRESULT EvNotify(uint id, TNotify &info) override {
        if (info.code != TTN_NEEDTEXTA)
            return TWindow::EvNotify(id, info);
        ++asked;
        TTooltipEnabler enabler(reinterpret_cast<TTooltipText &>(info), HWindow);
        HandleMessage(0x7FFF, 0, LPARAM(&enabler));
        return 0;
    }
    void CeCut(TCommandEnabler &ce) { ce.SetText("Cut the selection"); }
    int asked = 0;
    DECLARE_RESPONSE_TABLE(ToolOwner);
};
DEFINE_RESPONSE_TABLE1(ToolOwner, TWindow)
    EV_COMMAND_ENABLE(24322, CeCut),
END_RESPONSE_TABLE;

TEST(TTooltip, AddsFindsAndRemovesTools) {
    TestApp app;
    ToolOwner owner;
    ASSERT_TRUE(owner.Create());
    TWindow child(&owner, "child");
    child.Attr.Style = WS_CHILD | WS_VISIBLE;
    child.Attr.X = 200, child.Attr.Y = 10, child.Attr.W = 40, child.Attr.H = 30;
    ASSERT_TRUE(child.Create());

    TTooltip tip(&owner);
    EXPECT_EQ(nuUsing, tip.GetNativeUse());
    EXPECT_EQ(DWORD(WS_POPUP | WS_DISABLED | TTS_ALWAYSTIP), tip.Attr.Style & ~(WS_VISIBLE | WS_BORDER));
    EXPECT_TRUE(tip.Attr.ExStyle & WS_EX_TOPMOST);
    EXPECT_EQ(TSystem::Has3dUI(), (tip.Attr.ExStyle & WS_EX_WINDOWEDGE) != 0);
    EXPECT_EQ(TSystem::Has3dUI(), !(tip.Attr.Style & WS_BORDER));
    ASSERT_TRUE(tip.Create());
    EXPECT_EQ(owner.GetHandle(), ::GetWindow(tip, GW_OWNER));
    EXPECT_EQ(0, tip.GetToolCount());

    TToolInfo cut(owner, TRect(10, 10, 50, 30), 24322);
    ASSERT_TRUE(tip.AddTool(cut));
    ASSERT_TRUE(tip.AddTool(TToolInfo(owner, child, "A child window")));
    EXPECT_EQ(2, tip.GetToolCount());

    TToolInfo first;
    ASSERT_TRUE(tip.EnumTools(0, first));
    EXPECT_TRUE(first == cut);
    EXPECT_EQ(TRect(10, 10, 50, 30), TRect(first.rect));
    EXPECT_FALSE(tip.EnumTools(2, first));

    TTooltipHitTestInfo hit(owner, TPoint(20, 20));
    ASSERT_TRUE(tip.HitTest(hit));
    EXPECT_EQ(24322u, hit.ti.uId);
    TTooltipHitTestInfo miss(owner, TPoint(100, 100));
    EXPECT_FALSE(tip.HitTest(miss));

    // a new rectangle is kept
    cut.SetRect(TRect(60, 10, 90, 30));
    tip.NewToolRect(cut);
    TToolInfo stored;
    stored.SetToolInfo(owner, 24322u);
    ASSERT_TRUE(tip.GetToolInfo(stored));
    EXPECT_EQ(TRect(60, 10, 90, 30), TRect(stored.rect));

    // a text set on the tool comes back
    TToolInfo named(owner, child, 0);
    named.SetText("Level meter", 1);
    tip.UpdateTipText(named);
    TToolInfo text(1);
    text.SetToolInfo(child, owner.GetHandle());
    tip.GetToolText(text);
    EXPECT_STREQ("Level meter", text.lpszText);

    tip.DeleteTool(cut);
    EXPECT_EQ(1, tip.GetToolCount());
    EXPECT_FALSE(tip.GetToolInfo(stored));
    tip.DeleteTool(named);
    EXPECT_EQ(0, tip.GetToolCount());
}

TEST(TTooltip, ToolTextComesFromTheOwnersCommandEnabler) {
    TestApp app;
    ToolOwner owner;
    ASSERT_TRUE(owner.Create());
    TTooltip tip(&owner, 0);
    EXPECT_FALSE(tip.Attr.Style & TTS_ALWAYSTIP);
    ASSERT_TRUE(tip.Create());
    ASSERT_TRUE(tip.AddTool(TToolInfo(owner, TRect(10, 10, 50, 30), 24322)));
    ASSERT_TRUE(tip.AddTool(TToolInfo(owner, TRect(60, 10, 90, 30), 24399)));

    TToolInfo text(1);
    text.SetToolInfo(owner, 24322u);
    tip.GetToolText(text);
    EXPECT_EQ(1, owner.asked);
    EXPECT_STREQ("Cut the selection", text.lpszText);

    // a command without an enabler row has no text
    TToolInfo none(1);
    none.SetToolInfo(owner, 24399u);
    tip.GetToolText(none);
    EXPECT_EQ(2, owner.asked);
    EXPECT_STREQ("", none.lpszText);
}

}  // namespace
