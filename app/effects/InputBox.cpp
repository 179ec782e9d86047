#include "effects/InputBox.h"

#include "core/Application.h"
#include "core/FrameWindow.h"
#include "foundation/StringUtils.h"

#include <algorithm>

namespace {

enum : int { kTextEdit = 100 };

// Where the last box stood, in screen coordinates; (0, 0) before the first.
TPoint _lastPlace(0, 0);

}  // namespace

DEFINE_RESPONSE_TABLE1(InputBox, Dialog)
    EV_CONTROL_ENABLE(IDOK, CeOk),
END_RESPONSE_TABLE;

InputBox::InputBox(TWindow *parent, int resId, unsigned maxLength, String &text, TPoint const *at, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, resId, module), maxLength_(maxLength), centre_(at != nullptr),
      at_(at ? *at : _lastPlace), place_(_lastPlace) {
    CreateEditControl(kTextEdit, text, maxLength);
    CreateButton(IDOK);
}

void InputBox::SetupWindow() {
    Dialog::SetupWindow();
    TRect box = GetWindowRect();
    TPoint to = at_;
    if (centre_)
        to = TPoint(at_.x - box.Width() / 2, at_.y - box.Height() / 2);
    if (centre_ || to != TPoint(0, 0))
        ::SetWindowPos(GetHandle(), nullptr, std::max<int>(to.x, 0), std::max<int>(to.y, 0), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void InputBox::CeOk(TCommandEnabler &enabler) { enabler.Enable(GetTextLength(kTextEdit) > 0); }

void InputBox::CleanupWindow() {
    place_ = GetWindowRect().TopLeft();
    Dialog::CleanupWindow();
}

int RunInputBox(char const *caption, int resId, unsigned maxLength, String &text, TPoint const *at, TModule *module) {
    TApplication *app = GetApplicationObject();
    InputBox box(app ? app->GetMainWindow() : nullptr, resId, maxLength, text, at,
                 module ? module : TModule::_localizedResourceDLL);
    if (caption)
        box.SetCaption(caption);
    int result = box.Execute();
    _lastPlace = box.GetPlace();
    if (result != IDOK)
        return 0;
    String typed = box.FindItem(kTextEdit).GetText();
    Trim(typed);
    text = typed;
    return text.GetLength() > 0;
}
