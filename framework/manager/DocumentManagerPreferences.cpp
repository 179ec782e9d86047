// The manager's preferences: the group "General", the file selector's, one group for
// every document type that has files ("Doc" and the type's name) and the main frame's.
#include "manager/DocumentManager.h"

#include "manager/DocumentModel.h"
#include "manager/MainFrame.h"

#include "foundation/FileSelector.h"

namespace {

void LoadTypePref(Config &config, DocumentModel &type) {
    char current[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, current);
    type.openPath = FileName(config.GetValue(String(current), "OpenPath"));
    type.iOpenFilter = config.GetValue(short(0), "iOpenFilter");
    type.iSaveFilter = config.GetValue(short(0), "iSaveFilter");
    type.LoadPref(config);
}

void SaveTypePref(Config &config, DocumentModel &type) {
    config.SetValue(String(type.openPath), "OpenPath");
    config.SetValue(type.iOpenFilter, "iOpenFilter");
    config.SetValue(type.iSaveFilter, "iSaveFilter");
    type.SavePref(config);
}

// Calls visit inside the group of every type that has files.
void ForEachTypeGroup(Config &config, void (*visit)(Config &, DocumentModel &)) {
    List<DocumentModel> &models = DocumentModel::GetModels();
    for (DocumentModel *type = models.GetFirst(); type; type = models.GetNext(type)) {
        if (type->noFile)
            continue;
        String group("Doc");
        group.Append(type->name);
        config.MoveDown(group);
        visit(config, *type);
        config.MoveUp();
    }
}

}  // namespace

void DocumentManager::LoadPref(Config &config) {
    config.MoveToRoot();
    LoadGeneralPref(config);
    LoadPrefFileSelection(config);
    ForEachTypeGroup(config, LoadTypePref);
}

void DocumentManager::SavePref(Config &config) {
    config.MoveToRoot();
    SaveGeneralPref(config);
    SavePrefFileSelection(config);
    ForEachTypeGroup(config, SaveTypePref);
    if (FrameWindow *frame = dynamic_cast<FrameWindow *>(frame_)) {
        frame->FrameWindow::SavePref(config);
        frame->SavePref(config);
    }
}

void DocumentManager::LoadGeneralPref(Config &config) {
    config.MoveDown("General");
    autoSavePref_ = config.GetValue(1, "AutoSavePref");
    autoSaveLayout_ = config.GetValue(1, "AutoSaveLayout");
    UseColorCursors(config.GetValue(_isNT, "ColorCursor"));
    tips_ = config.GetValue(1, "Tips");
    tipIndex_ = config.GetValue(0, "Index");
    config.MoveUp();
}

void DocumentManager::SaveGeneralPref(Config &config) {
    config.MoveDown("General");
    config.SetValue(autoSavePref_, "AutoSavePref");
    config.SetValue(autoSaveLayout_, "AutoSaveLayout");
    config.SetValue(UseColorCursors(), "ColorCursor");
    config.SetValue(tips_, "Tips");
    config.SetValue(tipIndex_, "Index");
    config.MoveUp();
}
