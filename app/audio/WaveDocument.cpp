// The wave as a document of the framework: titles and names of one- and two-file waves,
// the changed state against the saved lists and markers, closing, and what the save
// dialogs ask of it.
#include "audio/Wave.h"

#include "audio/AudioFile.h"
#include "audio/WaveMemento.h"
#include "core/MessageBoxSeam.h"
#include "foundation/MessageCatalogue.h"
#include "manager/DocumentManager.h"

#include <cstdio>
#include <vector>

namespace {

enum : unsigned {
    kTextUntitled = 19007,
    kTextSaveLeftAs = 11042,
    kTextSaveRightAs = 11043,
    kTextBusyClosing = 11194,
    kTextSaveChanges = 11314,
    kTextSaveMarkers = 11315,
};

char const kTitleSeparator[] = " | ";

char const *AppName() { return _docManager ? _docManager->GetName() : ""; }

bool SameName(FileName const &a, FileName const &b) { return _stricmp(a.c_str(), b.c_str()) == 0; }

}  // namespace

String Wave::TitledText(unsigned id) const {
    String format = FindString(id);
    String title = GetTitle();
    std::vector<char> text(format.GetLength() + title.GetLength() + 64);
    std::snprintf(text.data(), text.size(), format.c_str(), title.c_str());
    return String(text.data());
}

String Wave::FileTitle(AudioFile const *file) const {
    if (file && !file->GetName().IsEmpty())
        return String(file->GetName().GetTitle(0));
    String title = FindString(kTextUntitled);
    title.Append(String(GetUntitledNumber()));
    return title;
}

String Wave::GetTitle() const {
    if (fileCount_ != 2)
        return Document::GetTitle();
    String title = FileTitle(firstFile_);
    title.Append(kTitleSeparator);
    title.Append(FileTitle(secondFile_));
    return title;
}

bool Wave::ListsEqualSaved() const {
    for (int c = 0; c < 2; ++c)
        if (!GetSavedChannel(c) || !GetChannel(c).IsEqual(*GetSavedChannel(c)))
            return false;
    return true;
}

// A wave that keeps no saved state is a work wave: never a change to ask about.
int Wave::IsChanged() {
    if (!GetSavedChannel(0))
        return 0;
    return !ListsEqualSaved() || markers_.DiffersFromSaved();
}

int Wave::IsAttachedTo(FileName const &name) {
    if (firstFile_ && SameName(name, firstFile_->GetName()))
        return 1;
    return fileCount_ == 2 && secondFile_ && SameName(name, secondFile_->GetName());
}

int Wave::CanClose() { return CanCloseLastChance() && Document::CanClose(); }

int Wave::CanCloseLastChance() {
    if (!IsBusy())
        return 1;
    ShowMessageBox(0, TitledText(kTextBusyClosing).c_str(), AppName(), MB_ICONHAND | MB_TASKMODAL);
    return 0;
}

// The clipboard wave stays without views.
int Wave::OnLastClosedView() { return clipboard_ ? 0 : 1; }

String Wave::GetDefExtension() {
    switch (firstFile_ ? firstFile_->GetFileType() : kTypeRiff) {
    case kTypeRawPcm: return "pcm";
    case kTypeAiff: return "aif";
    case kTypeAu: return "au";
    case kTypeEditList: return "edl";
    default: return "wav";
    }
}

int Wave::GetFileFilterIndexForSaving() {
    DocumentModel const *type = GetModel().GetRegistered();
    return (type ? *type : GetModel()).iSaveFilter;
}

String Wave::GetCaptionSaveAs(int kind) {
    if (kind == 1 || kind == 2)
        return String(FindString(kind == 1 ? kTextSaveLeftAs : kTextSaveRightAs));
    return String();
}

int Wave::UpdateFileName(FileName name, int part) {
    if (fileCount_ == 2) {
        FileNames.DeleteAll();
        AddFileName(firstFile_->GetName());
        AddFileName(secondFile_->GetName());
        return 1;
    }
    if (part > 0)
        return 0;
    return Document::UpdateFileName(name, part);
}

int Wave::IsNewFileName(FileName const &name) {
    if (fileCount_ != 2)
        return Document::IsNewFileName(name);
    return !SameName(name, firstFile_->GetName()) && !SameName(name, secondFile_->GetName());
}

// Every wave but the clipboard's belongs to the first open sound database.
Document *Wave::FindParentDocument() {
    if (clipboard_ || !_docManager)
        return nullptr;
    DocumentModel *database = DocumentManager::FindModel("Database");
    return database ? _docManager->FindFirst(*database) : nullptr;
}

String Wave::GetFileTitleA(SaveMode, int part) {
    if (part > 0) {
        AudioFile *file = part == 1 ? firstFile_ : part == 2 ? secondFile_ : nullptr;
        if (fileCount_ != 2 || !file || file->GetName().FindFirst("$$$") >= 0)
            return String();
        return String(file->GetName().GetTitle(1));
    }
    if (fileCount_ == 2 || GetFileNames().IsEmpty())
        return String();
    return String(GetFileName(0).GetTitle(1));
}

String Wave::GetInfo(int index) {
    String info = Document::GetInfo(index);
    info.Append("\n");
    switch (fileType_) {
    case kTypeRiff: info.Append("WAV, "); break;
    case kTypeAiff: info.Append("AIFF, "); break;
    case kTypeAu: info.Append("AU, "); break;
    default: info.Append(", "); break;
    }
    info.Append(GetSampleSizeText());
    info.Append(", ");
    info.Append(GetRateText(1));
    return info;
}

int Wave::CanBeMemorizedInLayout() { return fileType_ != kTypeRawPcm; }

void Wave::SetDelayedMemento(DocMemento *memento) {
    if (WaveMemento const *wave = dynamic_cast<WaveMemento const *>(memento))
        ApplyMemento(*wave);
}

// Only the markers changed: the question says so.
String Wave::GetSaveQueryMessage() const { return TitledText(ListsEqualSaved() ? kTextSaveMarkers : kTextSaveChanges); }
