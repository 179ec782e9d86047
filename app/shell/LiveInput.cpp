#include "shell/LiveInput.h"

#include "shell/AnalysisWindows.h"

#include "audio/NewWaveFormat.h"
#include "audio/PlaybackLink.h"
#include "core/Dib.h"
#include "core/Module.h"
#include "engine/PlayerSettings.h"
#include "foundation/MessageCatalogue.h"
#include "manager/MdiDocumentWindows.h"

namespace {

enum {
    kTextName = 11214,
    kDialogValue = 220,
    kTypeValue = 1006,
};

// The common resource module's picture; an empty one where the module is missing.
TDib *Picture() {
    TModule *common = TModule::_commonResourceDLL;
    return new TDib(common ? common->GetHandle() : 0, MicroView::kPicture);
}

}  // namespace

MicroDoc::Type MicroDoc::_type;

MicroDoc::Type::Type() { InitWindowOnlyType(*this, "LiveInput", kTextName, kDialogValue, kTypeValue); }

// A window of the picture's size that cannot be resized.
View *MicroDoc::Type::CreateView(Document &document, ViewMemento const *) {
    MicroView *view = new MicroView(static_cast<MicroDoc &>(document));
    MDIChild *child = OpenDocumentWindow(*view, nullptr, true);
    TRect size = child->GetWindowRect();
    child->SetMinSize(size.Width(), size.Height());
    child->SetMaxSize(size.Width(), size.Height());
    view->SetFocus();
    return view;
}

MicroDoc::MicroDoc() : MicroDoc(FileName(FindString(kTextName))) {}

MicroDoc::MicroDoc(FileName const &title) : Document(_type, &title) {
    if (!_type.formatSet) {
        GetNewWaveFormat(_type.format);
        _type.formatSet = true;
    }
    _type.document = this;
}

MicroDoc::~MicroDoc() {
    if (_type.document == this)
        _type.document = nullptr;
    if (_type.current == this)
        _type.current = nullptr;
}

void MicroDoc::NotifyIsCurrentDoc(int state) {
    Document::NotifyIsCurrentDoc(state);
    if (state)
        _type.current = this;
    else if (_type.current == this)
        _type.current = nullptr;
}

// No source: the playback plays the wave-in input through the output in this format.
PlayRequest MicroDoc::MakePlayRequest() {
    PlayRequest request;
    request.source = nullptr;
    request.start = 0;
    request.end = 0;
    request.channelMask = ~0u;
    request.pattern = _type.format;
    request.sampleFormat = kFloat32;
    request.outputBits = ThePlayerSettings().playbackBits;
    request.useEngine = ThePlayback().GetUseEngine();
    request.mode = kPlayMonitor;
    return request;
}

void MicroDoc::Play() { ThePlayback().Play(MakePlayRequest()); }

// ---- the window

DEFINE_RESPONSE_TABLE1(MicroView, TPictureWindow)
    EV_WM_RBUTTONDOWN, EV_WM_LBUTTONDBLCLK,
END_RESPONSE_TABLE;

MicroView::MicroView(MicroDoc &doc) : TPictureWindow(0, Picture(), Stretch, 0, 0), View("LiveInputView", doc, 0) {
    Attr.Style = WS_CHILD | WS_VISIBLE;
    SetWindow(this);
}

void MicroView::SetupWindow() {
    TPictureWindow::SetupWindow();
    if (MicroDoc::_type.placed && Parent && Parent->GetHandle())
        ::SetWindowPlacement(Parent->GetHandle(), &MicroDoc::_type.placement);
}

void MicroView::CleanupWindow() {
    if (Parent && Parent->GetHandle()) {
        MicroDoc::_type.placement.length = sizeof(WINDOWPLACEMENT);
        MicroDoc::_type.placed = ::GetWindowPlacement(Parent->GetHandle(), &MicroDoc::_type.placement) != 0;
    }
    TPictureWindow::CleanupWindow();
}

void MicroView::EvRButtonDown(uint, TPoint &) { ChooseFormat(); }

void MicroView::EvLButtonDblClk(uint, TPoint &) { ChooseFormat(); }

// The new-wave format dialog, over a copy: a cancel changes nothing.
void MicroView::ChooseFormat() {
    SamplePattern format = MicroDoc::_type.format;
    if (ChooseRawFormat(format))
        MicroDoc::_type.format = format;
}

// ---- command 199

MicroDoc *ToggleLiveInput() {
    if (MicroDoc *open = MicroDoc::GetLiveInput()) {
        Document::Delete(open);
        return nullptr;
    }
    MicroDoc *doc = new MicroDoc;
    MicroDoc::_type.CreateView(*doc, nullptr);
    return doc;
}
