#include "core/CommonControls.h"
#include "tests/framework/ControlHost.h"
#include "controls/Gauge.h"
#include "tests/framework/GdiCanvas.h"
#include "bars/GadgetWindow.h"
#include "manager/MainFrame.h"
#include "manager/MdiDocumentWindows.h"
#include "core/MdiWindows.h"
#include "bars/StatusBar.h"

#include <gtest/gtest.h>

#include <string>

namespace {
// Gauges whose painting a test can run into a canvas.
class OpenTGauge : public TGauge {
public:
    using TGauge::TGauge;
    using TGauge::FormattedText;
    using TGauge::Paint;
};
class OpenGauge : public Gauge {
public:
    using Gauge::Gauge;
    using Gauge::Paint;
};

COLORREF Sys(int index) { return ::GetSysColor(index); }
int const Blue = RGB(0, 0, 255);

template <class G>
void PaintInto(G &gauge, Canvas &canvas) {
    TRect r = gauge.GetClientRect();
    gauge.Paint(canvas.dc(), 1, r);
}

std::string Row(Canvas &c, int y, COLORREF on) {
    std::string row;
    for (int x = 0; x < c.Width; x++)
        row += c.At(x, y) == on ? '#' : '.';
    return row;
}

// A red gauge (LED blocks when spacing is set) opened on the host at a value.
OpenTGauge *RedGauge(OpenTGauge *g, int value, int ledSpacing = 0, int ledThick = 0) {
    if (ledSpacing)
        g->SetLed(ledSpacing, ledThick);
    g->SetColor(TColor(255, 0, 0));
    g->Create();
    g->SetValue(value);
    return g;
}

class GaugeTest : public ControlHostTest {};
}  // namespace

TEST_F(GaugeTest, RangesValuesAndSteps) {
    OpenTGauge *g = new OpenTGauge(&host, "", 43300, 0, 0, 104, 0);
    EXPECT_EQ(::GetSystemMetrics(SM_CYVSCROLL), g->Attr.H);
    EXPECT_FALSE(g->Attr.Style & WS_TABSTOP);
    g->SetValue(50);  // before the window: only stored
    EXPECT_EQ(50, g->GetValue());
    g->Create();
    EXPECT_FALSE(g->IsNativeInUse());  // a solid gauge draws itself
    int lo, hi;
    g->SetRange(5, 5);
    g->GetRange(lo, hi);
    EXPECT_EQ(5, lo);
    EXPECT_EQ(6, hi);
    EXPECT_EQ(6, g->GetValue());  // kept inside the range
    g->SetRange(0, 100);
    g->SetValue(250);
    EXPECT_EQ(100, g->GetValue());
    g->SetValue(-3);
    EXPECT_EQ(0, g->GetValue());
    g->DeltaValue(30);
    EXPECT_EQ(30, g->GetValue());
    g->DeltaValue(-90);
    EXPECT_EQ(0, g->GetValue());
    g->SetStep(40);
    EXPECT_EQ(40, g->GetStep());
    g->StepIt();
    ++*g;
    EXPECT_EQ(80, g->GetValue());
    g->StepIt();  // 120 would not stay below the maximum: back to the minimum
    EXPECT_EQ(0, g->GetValue());
}

TEST_F(GaugeTest, NativeOnlyForLedGauges) {
    ASSERT_TRUE(TCommCtrl::IsAvailable());
    TGauge *led = new TGauge(&host, 43301, 0, 20, 200, 14);
    led->Create();
    EXPECT_TRUE(led->IsNativeInUse());
    EXPECT_STRCASEEQ(PROGRESS_CLASSA, ClassOf(*led).c_str());
    led->SetRange(10, 10);
    PBRANGE range;
    ::SendMessageA(led->GetHandle(), PBM_GETRANGE, 0, (LPARAM)&range);
    EXPECT_EQ(10, range.iLow);
    EXPECT_EQ(11, range.iHigh);
    led->SetRange(-5, 200000);  // wider than 16 bits: the bar is given the whole range
    ::SendMessageA(led->GetHandle(), PBM_GETRANGE, 0, (LPARAM)&range);
    EXPECT_EQ(-5, range.iLow);
    EXPECT_EQ(200000, range.iHigh);
    led->SetRange(0, 100);
    led->SetValue(40);
    EXPECT_EQ(40, ::SendMessageA(led->GetHandle(), PBM_GETPOS, 0, 0));
    led->DeltaValue(15);
    EXPECT_EQ(55, led->GetValue());
    EXPECT_EQ(55, ::SendMessageA(led->GetHandle(), PBM_GETPOS, 0, 0));
    led->SetStep(20);
    led->StepIt();
    EXPECT_EQ(75, led->GetValue());
    EXPECT_EQ(75, ::SendMessageA(led->GetHandle(), PBM_GETPOS, 0, 0));

    // even where the system's bar may be used, a solid gauge is not one
    TGauge *solid = new TGauge(&host, "%d", 43302, 0, 40, 200, 14);
    solid->Create();
    EXPECT_FALSE(solid->IsNativeInUse());
    EXPECT_EQ("Yrt_Gauge", ClassOf(*solid));
    // nor is one told not to
    TGauge *own = new TGauge(&host, 43303, 0, 60, 200, 14);
    own->SetNativeUse(nuNever);
    own->Create();
    EXPECT_FALSE(own->IsNativeInUse());
}

TEST_F(GaugeTest, SolidBarSplitsAtTheValue) {
    // inner width 100: the border (1) and the margin (1) on each side
    OpenTGauge *g = RedGauge(new OpenTGauge(&host, "", 43304, 0, 0, 104, 12, 1, 1), 30);
    Canvas c(104, 12);
    PaintInto(*g, c);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c.At(0, 0));
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c.At(0, 5));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c.At(103, 11));
    EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), c.At(50, 11));
    EXPECT_EQ(Sys(COLOR_BTNFACE), c.At(1, 1));
    EXPECT_EQ(Sys(COLOR_BTNFACE), c.At(102, 10));
    EXPECT_EQ(RGB(255, 0, 0), c.At(2, 2));
    EXPECT_EQ(RGB(255, 0, 0), c.At(31, 9));
    EXPECT_EQ(Sys(COLOR_BTNFACE), c.At(32, 2));
    // no title, no text: exactly the done part is red
    EXPECT_EQ(30 * 8, c.Count(RGB(255, 0, 0)));

    // a vertical gauge fills from the bottom
    OpenTGauge *v = RedGauge(new OpenTGauge(&host, "", 43305, 120, 0, 12, 104, 0, 1), 25);
    Canvas cv(12, 104);
    PaintInto(*v, cv);
    EXPECT_EQ(RGB(255, 0, 0), cv.At(5, 101));
    EXPECT_EQ(RGB(255, 0, 0), cv.At(5, 77));
    EXPECT_EQ(Sys(COLOR_BTNFACE), cv.At(5, 76));
    EXPECT_EQ(25 * 8, cv.Count(RGB(255, 0, 0)));
}

TEST_F(GaugeTest, SolidTextIsDrawnInTheOtherPartsColour) {
    OpenTGauge *g = RedGauge(new OpenTGauge(&host, "%d%%", 43306, 0, 0, 104, 20, 1, 1), 50);
    Canvas c(104, 20);
    PaintInto(*g, c);
    // "50%" straddles the split: the text shows in the done part and in the rest
    int textInDone = 0, textInRest = 0;
    for (int y = 2; y < 18; y++) {
        for (int x = 2; x < 52; x++)
            textInDone += c.At(x, y) != RGB(255, 0, 0);
        for (int x = 52; x < 102; x++)
            textInRest += c.At(x, y) != Sys(COLOR_BTNFACE);
    }
    EXPECT_GT(textInDone, 5);
    EXPECT_GT(textInRest, 5);
    // without a title the bar is plain
    OpenTGauge *plain = RedGauge(new OpenTGauge(&host, "", 43309, 0, 30, 104, 20, 1, 1), 50);
    PaintInto(*plain, c);
    EXPECT_EQ(50 * 16, c.Count(RGB(255, 0, 0)));
    EXPECT_EQ(50 * 16 + 2 * 102 + 2 * 16, c.Count(Sys(COLOR_BTNFACE)));  // the rest and the margin
}

TEST_F(GaugeTest, TheTitleFormatsTheValueOnly) {
    struct {
        char const *title, *shown;
    } const cases[] = {
        {"%d%%", "50%"},
        {"Saving 50%s.wav %d%%", "Saving 50%s.wav 50%"},  // a name's '%' is text
        {"%3d|%d|%", " 50|%d|%"},                        // one value to show
        {"%-4x!", "32  !"},
        {"", ""},
    };
    for (auto const &c : cases) {
        OpenTGauge g(&host, c.title, 43319, 0, 0, 50, 10);
        g.SetValue(50);
        EXPECT_STREQ(c.shown, g.FormattedText().c_str()) << c.title;
    }
}

TEST_F(GaugeTest, LedBlocksUpToTheValue) {
    OpenTGauge *g = new OpenTGauge(&host, 43307, 0, 0, 104, 12);
    g->SetNativeUse(nuNever);
    RedGauge(g, 30, 10, 50);  // a period of 10 pixels on 100, blocks of 5
    Canvas c(104, 12);
    PaintInto(*g, c);
    std::string row = Row(c, 5, RGB(255, 0, 0));
    EXPECT_EQ(".." "#####....." "#####....." "#####....." + std::string(70, '.') + "..", row);
    g->SetValue(31);  // a block starts at every period below the value's position
    PaintInto(*g, c);
    EXPECT_EQ(4 * 5 * 8, c.Count(RGB(255, 0, 0)));

    g->SetLed(10, 150);  // blocks thicker than their period make a solid bar up to the value
    g->SetValue(30);
    PaintInto(*g, c);
    EXPECT_EQ(".." + std::string(30, '#') + std::string(70, '.') + "..", Row(c, 5, RGB(255, 0, 0)));

    // a vertical gauge stacks its blocks from the bottom
    OpenTGauge *v = new OpenTGauge(&host, 43309, 120, 0, 12, 104);
    v->SetNativeUse(nuNever);
    v->SetHorizontal(0);
    RedGauge(v, 20, 10, 50);
    Canvas cv(12, 104);
    PaintInto(*v, cv);
    std::string column;
    for (int y = 0; y < 104; y++)
        column += cv.At(5, y) == RGB(255, 0, 0) ? '#' : '.';
    EXPECT_EQ(".." + std::string(80, '.') + "....." "#####" "....." "#####" "..", column);

    // the blocks of a gauge too low for them do not divide by zero
    OpenTGauge *flat = new OpenTGauge(&host, 43308, 0, 20, 50, 2);
    flat->SetNativeUse(nuNever);
    flat->Create();
    flat->SetValue(50);
    Canvas cf(50, 2);
    PaintInto(*flat, cf);
}

TEST_F(GaugeTest, GaugeSizesItselfAndReportsChanges) {
    Gauge *g = new Gauge(&host, 0, 43310, 0);
    TScreenDC dc;
    HGDIOBJ old = ::SelectObject(dc, Gauge::TextFont());
    TSize x = dc.GetTextExtent("X", 1);
    TSize title = dc.GetTextExtent("Saving 100%", 11);
    ::SelectObject(dc, old);
    EXPECT_EQ(x.cx + 20, g->Attr.W);
    EXPECT_EQ(x.cy, g->Attr.H);
    Gauge *titled = new Gauge(&host, "Saving 100%", 43311, 1, 0, 30);
    EXPECT_EQ(title.cx + 20, titled->Attr.W);
    EXPECT_EQ(30, titled->Attr.H);

    g->Create();
    ::ValidateRect(g->GetHandle(), 0);
    EXPECT_EQ(0, g->SetValue(0));  // unchanged: nothing to paint
    EXPECT_FALSE(::GetUpdateRect(g->GetHandle(), 0, FALSE));
    EXPECT_EQ(1, g->SetValue(40));
    EXPECT_TRUE(::GetUpdateRect(g->GetHandle(), 0, FALSE));
    EXPECT_EQ(0, g->SetValue(40));
    EXPECT_EQ(1, g->SetValue(500));
    EXPECT_EQ(100, g->GetValue());
}

TEST(GaugeFont, TheMainFramesStatusBarFont) {
    TestApp app;
    EXPECT_EQ((HFONT)::GetStockObject(DEFAULT_GUI_FONT), Gauge::TextFont());  // no main frame yet
    FrameWindow *frame = new FrameWindow("gauge font", 0, *new MDIClient);
    app.SetMainWindow(frame);
    ASSERT_TRUE(frame->Create());
    ASSERT_TRUE(frame->GetStatusBar());
    HFONT font = frame->GetStatusBar()->GetFont().GetHandle();
    EXPECT_EQ(font, Gauge::TextFont());
    TScreenDC dc;
    HGDIOBJ old = ::SelectObject(dc, font);
    TSize size = dc.GetTextExtent("Reading", 7);
    ::SelectObject(dc, old);
    Gauge *g = new Gauge(frame, "Reading", 43318, 0);
    EXPECT_EQ(size.cx + 20, g->Attr.W);
    EXPECT_EQ(size.cy, g->Attr.H);
}

TEST_F(GaugeTest, ModesStartAndStopTheAnimation) {
    Gauge *g = new Gauge(&host, "", 43312, 0, 100, 10);
    g->Create();
    EXPECT_FALSE(g->IsAnimating());
    g->SetMode(Gauge::StripesLeft);
    EXPECT_TRUE(g->IsAnimating());
    int phases[4];
    for (int &p : phases) {
        ::SendMessageA(g->GetHandle(), WM_TIMER, 1, 0);
        p = g->GetAnimationPhase();
    }
    EXPECT_EQ(6, phases[0]);
    EXPECT_EQ(4, phases[1]);
    EXPECT_EQ(2, phases[2]);
    EXPECT_EQ(0, phases[3]);
    g->SetMode(Gauge::StripesRight);
    ::SendMessageA(g->GetHandle(), WM_TIMER, 1, 0);
    EXPECT_EQ(2, g->GetAnimationPhase());
    g->SetMode(Gauge::Solid);
    EXPECT_FALSE(g->IsAnimating());

    g->SetValue(20);  // a done part 20 pixels wide
    g->SetMode(Gauge::Shine);
    EXPECT_TRUE(g->IsAnimating());
    EXPECT_EQ(-4, g->GetShineOffset());
    int offsets[8];
    for (int &o : offsets) {
        ::SendMessageA(g->GetHandle(), WM_TIMER, 1, 0);
        o = g->GetShineOffset();
    }
    EXPECT_EQ(0, offsets[0]);
    EXPECT_EQ(20, offsets[5]);
    EXPECT_EQ(-4, offsets[6]);  // past the done part: back to the left
    g->SetMode(Gauge::Gradient);
    EXPECT_FALSE(g->IsAnimating());
    g->SetMode(Gauge::Shine);  // restarts at the left
    EXPECT_EQ(-4, g->GetShineOffset());
    g->Destroy(0);
    EXPECT_FALSE(g->IsAnimating());
}

TEST_F(GaugeTest, ModesPaintTheirColours) {
    OpenGauge *g = new OpenGauge(&host, "", 43313, 0, 120, 10);
    g->Create();
    g->SetValue(25);  // 30 pixels of 120
    Canvas c(120, 10);
    PaintInto(*g, c);
    EXPECT_EQ(std::string(30, '#') + std::string(90, '.'), Row(c, 5, Blue));
    EXPECT_EQ(Sys(COLOR_BTNFACE), c.At(100, 5));

    g->SetMode(Gauge::Inverted);
    PaintInto(*g, c);
    EXPECT_EQ(Sys(COLOR_BTNFACE), c.At(29, 5));
    EXPECT_EQ(std::string(30, '.') + std::string(90, '#'), Row(c, 5, RGB(0, 0, 128)));

    // gradient: W = 100, solid blue from there, strips of one pixel fading to black on the left
    g->SetMode(Gauge::GradientPlain);
    PaintInto(*g, c);
    for (int x = 99; x < 120; x++)
        EXPECT_EQ(Blue, c.At(x, 5)) << x;  // d = 0 at x = 99
    EXPECT_EQ(RGB(0, 0, 254), c.At(92, 5));                          // d = 7
    EXPECT_EQ(RGB(0, 0, 255 - 255 * 40 * 40 / 10000), c.At(59, 9));  // d = 40
    EXPECT_EQ(RGB(0, 0, 255 - 255 * 99 * 99 / 10000), c.At(0, 5));   // d = 99
    // with the border the inner area is 118 wide: W = 98, the strips start at x = 1
    OpenGauge *b = new OpenGauge(&host, "", 43314, 1, 120, 10);
    b->Create();
    b->SetMode(Gauge::GradientPlain);
    PaintInto(*b, c);
    EXPECT_EQ(Sys(COLOR_BTNSHADOW), c.At(0, 0));
    EXPECT_EQ(RGB(0, 0, 255), c.At(1 + 98, 5));
    EXPECT_EQ(RGB(0, 0, 255 - 255 * 48 * 48 / 9604), c.At(1 + 49, 5));  // d = 48
}

TEST_F(GaugeTest, OnlyTheTextModesWriteTheTitle) {
    OpenGauge *titled = new OpenGauge(&host, "%d%%", 43316, 0, 120, 16);
    OpenGauge *plain = new OpenGauge(&host, "", 43317, 0, 120, 16);
    titled->Create();
    plain->Create();
    for (Gauge::EMode mode : {Gauge::Solid, Gauge::Inverted, Gauge::Shine, Gauge::Gradient, Gauge::GradientPlain,
                              Gauge::StripesLeft}) {
        Canvas a(120, 16), b(120, 16);
        for (OpenGauge *g : {titled, plain}) {
            g->SetValue(50);
            g->SetMode(mode);
        }
        PaintInto(*titled, a);
        PaintInto(*plain, b);
        bool text = mode != Gauge::GradientPlain && mode != Gauge::StripesLeft;
        EXPECT_EQ(text, !a.SameAs(b)) << mode;
    }
}

TEST_F(GaugeTest, StripesAndShineComeFromTheCommonPictures) {
    TModule common((ProgramFolder() + "..\\program\\system\\CommonRscTs.dll").c_str(), true);
    TModule *saved = TModule::_commonResourceDLL;
    TModule::_commonResourceDLL = &common;
    ControlHost pictured;  // takes the common module now set
    TModule::_commonResourceDLL = saved;
    ASSERT_TRUE(pictured.Create());
    OpenGauge *g = new OpenGauge(&pictured, "", 43315, 0, 24, 8);
    g->Create();
    g->SetMode(Gauge::StripesLeft);
    ::SendMessageA(g->GetHandle(), WM_TIMER, 1, 0);  // phase 6: the frame at x = 48
    Canvas c(24, 8);
    PaintInto(*g, c);
    TBitmap strip(common.GetHandle(), 22027);
    TMemoryDC source;
    source.SelectObject(strip);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 24; x++)
            ASSERT_EQ(::GetPixel(source, 48 + x % 8, y), c.At(x, y)) << x << "," << y;

    g->SetValue(50);  // 12 pixels done
    g->SetMode(Gauge::Shine);
    ::SendMessageA(g->GetHandle(), WM_TIMER, 1, 0);  // the glint at the left of the done part
    ::SendMessageA(g->GetHandle(), WM_TIMER, 1, 0);  // and 4 further
    PaintInto(*g, c);
    TBitmap shine(common.GetHandle(), 22029);
    source.SelectObject(shine);
    for (int x = 4; x < 12; x++)
        EXPECT_EQ(::GetPixel(source, x - 4, 0), c.At(x, 3)) << x;
    EXPECT_EQ(Blue, c.At(3, 3));
    EXPECT_EQ(Sys(COLOR_BTNFACE), c.At(12, 3));
    source.RestoreBitmap();
}
