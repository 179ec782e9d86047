// The main frame's five tool bars: their titles, places and buttons (command and picture;
// a command of 0 is a separator). The pictures are the language modules'.
#include "shell/WFrameWindow.h"

#include "bars/DockStation.h"
#include "bars/Gadget.h"
#include "bars/ToolbarButtonGadget.h"
#include "bars/ToolbarControlBar.h"
#include "core/Module.h"
#include "foundation/MessageCatalogue.h"
#include "waveview/RewindButton.h"

#include <vector>

namespace {

using Button = WFrameWindow::BarButton;

struct BarLayout {
    unsigned title;
    unsigned short style;
    std::vector<Button> buttons;
};

Button const kSeparator = {0, 0};

// The numbered bar: for each digit the command of Ctrl and digit, then of the digit alone.
std::vector<Button> NumberedButtons() {
    std::vector<Button> buttons;
    for (unsigned n = 0; n < 8; ++n) {
        buttons.push_back({110 + n, 110 + n});
        buttons.push_back({100 + n, 100 + n});
    }
    return buttons;
}

BarLayout const &LayoutOf(WFrameWindow::Bar bar) {
    static BarLayout const layouts[WFrameWindow::kBarCount] = {
        {11081, 10240,
         {{20002, 135}, {20003, 23002}, {20025, 23007}, kSeparator, {20021, 23004}, {20000, 23000}, kSeparator,
          {20022, 23005}, {20023, 1050}, {20024, 23006}, kSeparator, {20011, 23003}, {152, 152}, kSeparator,
          {170, 137}, kSeparator, {20004, 23008}, {20005, 23009}, {24363, 23010}, {551, 23001}}},
        {11082, 10256, {{184, 184}, kSeparator, {327, 327}, {133, 133}, {134, 134}, {328, 328}, kSeparator, {131, 131}, kSeparator, {130, 130},
                        kSeparator, {132, 132}}},
        {11197, 10256, {{157, 360}, {212, 364}, {154, 363}, {750, 365}, kSeparator, {214, 361}, kSeparator,
                        {752, 362}, {753, 366}, {199, 367}}},
        {11083, 10288, NumberedButtons()},
        {11084, 10288, {{208, 208}, {210, 210}, {213, 230}, {206, 206}, {207, 207}}},
    };
    return layouts[bar];
}

int const kSeparatorWidth = 6;

// The winding buttons repeat while held; the others act once released.
TGadget *MakeButton(Button const &button) {
    int command = int(button.command);
    if (command == RewindButton::kBackward || command == RewindButton::kForward)
        return new RewindButton(TResId(button.picture), command);
    return new TToolbarButtonGadget(TResId(button.picture), command);
}

}  // namespace

std::vector<WFrameWindow::BarButton> const &WFrameWindow::BarButtons(Bar bar) { return LayoutOf(bar).buttons; }

void WFrameWindow::BuildBar(Bar bar) {
    BarLayout const &layout = LayoutOf(bar);
    String title(FindString(layout.title));
    ControlBar *controlBar = new ControlBar(Tooltip, this, title.c_str(), layout.style, 1, new TGadgetWindowFont(8),
                                           TModule::_localizedResourceDLL);
    for (Button const &button : layout.buttons) {
        if (button.command)
            controlBar->Insert(*MakeButton(button));
        else
            controlBar->Insert(*new TSeparatorGadget(kSeparatorWidth));
    }
    bars_[bar] = controlBar;
    // A bar built after its dock station stands is made at once and takes its place.
    TWindow *station = controlBar->GetParentO();
    if (station && station->GetHandle() && controlBar->Create())
        if (auto *dock = dynamic_cast<TDockStation *>(station))
            dock->LayoutSession();
}
