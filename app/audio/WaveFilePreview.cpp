// The preview in the open dialog of waves: the chosen file's type, length and format, shown
// half a second after the choice settles, and a Play/Stop button with automatic play. The
// preview opens files quietly (no question, no box): what cannot be opened shows "?".
#include "audio/WaveFactory.h"

#include "audio/AudioFile.h"
#include "audio/PlaybackLink.h"
#include "audio/WaveLinks.h"
#include "audio/WaveSettings.h"
#include "core/Module.h"
#include "foundation/File.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <commdlg.h>

#include <cstring>
#include <memory>

namespace {

enum : int {
    kTemplate = 74,
    kPlayButton = 100,
    kAutoPlay = 101,
    kLengthText = 200,
    kFormatText = 201,
    kTypeText = 202,
    kTimer = 1,
    kTimerMs = 100,
    kRefreshTicks = 5,  // the texts follow 500 ms after the last change of the choice
};

enum : unsigned { kTextPlay = 11024, kTextStop = 11025 };

// The dialog's own state, kept in the first word of the selector's caller data.
struct Preview {
    int countdown = 0;
    AudioObject const *played = nullptr;  // what the preview set playing; compared, never followed
};

Preview *PreviewOf(FileSelectorInfo *info) { return reinterpret_cast<Preview *>(info->callerData[0]); }

bool Plays(Preview const &preview) { return preview.played && ThePlayback().IsPlaying(preview.played); }

void StopPlaying(Preview &preview) {
    if (Plays(preview))
        ThePlayback().StopAndWait();
    preview.played = nullptr;
}

// The one existing file chosen; empty for none, a folder or several files.
FileName ChosenFile(HWND child) {
    char path[MAX_PATH];
    LRESULT length = SendMessageA(GetParent(child), CDM_GETFILEPATH, sizeof path, reinterpret_cast<LPARAM>(path));
    if (length <= 1 || length > LRESULT(sizeof path) || std::strchr(path, '"'))
        return FileName();
    FileName name(path);
    return File::Exist(name, File::kFile) ? name : FileName();
}

void SetTexts(HWND child, char const *length, char const *format, char const *type) {
    SetDlgItemTextA(child, kLengthText, length);
    SetDlgItemTextA(child, kFormatText, format);
    SetDlgItemTextA(child, kTypeText, type);
}

char const *TypeName(int fileType) {
    switch (fileType) {
    case kTypeRiff: return "Microsoft PCM Wave";
    case kTypeAiff: return "Apple AIFF";
    case kTypeAu: return "Sun/NeXT";
    default: return "Unknown";
    }
}

String Joined(String first, String const &second) {
    first.Append(" / ");
    first.Append(second);
    return first;
}

void ShowWave(HWND child, Wave &wave) {
    WaveWindowLink &window = TheWaveWindowLink();
    String length = Joined(window.FormatPosition(wave.GetLength(), 0, 1000, wave),
                           window.FormatPosition(wave.GetLength(), 5, 1000, wave));
    String format = Joined(wave.GetSampleSizeText(), wave.GetRateText(1));
    SetTexts(child, length.c_str(), format.c_str(), TypeName(wave.GetFileType()));
}

// The wave of the file, found open or opened quietly without a window.
Wave *OpenQuietly(FileName const &name, int &wasOpen) {
    wasOpen = 0;
    if (!_docManager)
        return nullptr;
    Wave::Factory::QuietOpening quiet;
    return dynamic_cast<Wave *>(_docManager->OpenDocument(Wave::_factory, name, nullptr, 0, 0, &wasOpen, 0, 1));
}

// A wave opened only to be looked at or heard is not remembered as opened.
void Forget(Wave &wave) { wave.GetModel().recordInHistory = 0; }

void UpdateButton(HWND child, Preview const &preview) {
    SetDlgItemTextA(child, kPlayButton, String(FindString(Plays(preview) ? kTextStop : kTextPlay)).c_str());
}

void EnableButton(HWND child, bool enable) { EnableWindow(GetDlgItem(child, kPlayButton), enable); }

void Refresh(HWND child, Preview &preview) {
    FileName name = ChosenFile(child);
    if (name.IsEmpty()) {
        StopPlaying(preview);
        SetTexts(child, "-", "-", "-");
        EnableButton(child, false);
        return;
    }
    int wasOpen;
    Wave *wave = OpenQuietly(name, wasOpen);
    if (!wave) {
        SetTexts(child, "?", "?", "?");
        StopPlaying(preview);
        EnableButton(child, false);
        return;
    }
    ShowWave(child, *wave);
    if (!wasOpen) {
        Forget(*wave);
        Document::Delete(wave);
    }
    EnableButton(child, true);
    if (IsDlgButtonChecked(child, kAutoPlay) == BST_CHECKED)
        preview.played = OpenPreviewDocument(name);
}

void TogglePlay(HWND child, Preview &preview) {
    if (Plays(preview)) {
        StopPlaying(preview);
        return;
    }
    FileName name = ChosenFile(child);
    if (!name.IsEmpty())
        preview.played = OpenPreviewDocument(name);
}

void OnCommand(HWND child, Preview &preview, int id) {
    bool autoPlay = IsDlgButtonChecked(child, kAutoPlay) == BST_CHECKED;
    if (id == kAutoPlay)
        TheWaveSettings().autoPlay = autoPlay;
    if (id == kPlayButton || (id == kAutoPlay && autoPlay && !Plays(preview))) {
        TogglePlay(child, preview);
        UpdateButton(child, preview);
    }
}

void OnTimer(HWND child, Preview &preview) {
    if (preview.countdown > 0) {
        if (--preview.countdown > 0)
            return;
        Refresh(child, preview);
    }
    UpdateButton(child, preview);
}

void OnNotify(HWND child, Preview &preview, NMHDR const &note) {
    if (note.code == CDN_SELCHANGE) {
        preview.countdown = kRefreshTicks;
        if (!Plays(preview))
            EnableButton(child, false);
    } else if (note.code == CDN_FILEOK && Plays(preview)) {
        StopPlaying(preview);
        if (_docManager)
            _docManager->PumpWaitingMessages();
    }
}

void Start(FileSelectorInfo *info, HWND child) {
    info->callerData[0] = reinterpret_cast<ULONG_PTR>(new Preview);
    CheckDlgButton(child, kAutoPlay, TheWaveSettings().autoPlay ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(child, kPlayButton, String(FindString(kTextPlay)).c_str());
    SetTimer(child, kTimer, kTimerMs, nullptr);
}

void Finish(FileSelectorInfo *info, HWND child) {
    std::unique_ptr<Preview> preview(PreviewOf(info));
    info->callerData[0] = 0;
    KillTimer(child, kTimer);
    TheWaveSettings().autoPlay = IsDlgButtonChecked(child, kAutoPlay) == BST_CHECKED;
    if (preview)
        StopPlaying(*preview);
}

void Handle(FileSelectorInfo *info, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        Start(info, child);
        return;
    }
    Preview *preview = PreviewOf(info);
    if (!preview)
        return;
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED)
            OnCommand(child, *preview, LOWORD(wParam));
        break;
    case WM_TIMER:
        if (wParam == kTimer)
            OnTimer(child, *preview);
        break;
    case WM_NOTIFY: OnNotify(child, *preview, *reinterpret_cast<NMHDR const *>(lParam)); break;
    case WM_DESTROY: Finish(info, child); break;
    }
}

}  // namespace

void ComplementSelectOpenFile(FileSelectorInfo &info) {
    if (TModule *language = TModule::GetLocalizedDLL())
        info.module = language->GetHandle();
    info.templateId = kTemplate;
    info.hook = &WaveFilePreviewHook;
    info.multiSelection = 1;
    info.keepCurrentDirectory = 1;
    info.showReadOnly = 0;
    info.pathMustExist = 1;
    info.fileMustExist = 1;
}

// The preview never reports: whatever goes wrong in it stays in it.
UINT_PTR WaveFilePreviewHook(FileSelectorInfo *info, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        Handle(info, child, message, wParam, lParam);
    } catch (...) {
    }
    return 0;
}

Wave *OpenPreviewDocument(FileName const &name) {
    ThePlayback().StopAndWait();
    int wasOpen;
    Wave *wave = OpenQuietly(name, wasOpen);
    if (!wave)
        return nullptr;
    if (!wasOpen) {
        wave->SetTransient(1);
        Forget(*wave);
        if (wave->GetLength() == 0) {
            Document::Delete(wave);
            return nullptr;
        }
    }
    wave->Play(0, kPlayFromCaret, 0, 0, nullptr);
    return wave;
}
