#include "effects/PlugInPresetDialog.h"

#include <algorithm>
#include <vector>

namespace {

enum : int { kNameLimit = 32 };

// Characters a file name cannot hold, blanks and tabs among them.
bool Unfit(char c) { return (unsigned char)c < 32 || c == ' ' || String("<>:\"/\\|?*").FindFirst(c) >= 0; }

void WriteParameter(Config &store, PlugInParameters const &plugIn, int i) {
    String key = plugIn.GetParameterName(i);
    char const *name = key.c_str();
    switch (plugIn.GetType(i)) {
    case PlugInParameters::kWhole:
        store.SetValue(long(plugIn.GetValue(i)), name);
        break;
    case PlugInParameters::kFloat:
    case PlugInParameters::kFloatValue:
        store.SetValue(plugIn.GetValue(i), name);
        break;
    case PlugInParameters::kText:
        store.SetValue(String(plugIn.GetData(i).c_str()), name);
        break;
    case PlugInParameters::kBinary: {
        std::string data = plugIn.GetData(i);
        store.SetBinary(data.data(), int(data.size()), name);
        break;
    }
    default:
        break;
    }
}

void ReadParameter(Config const &store, PlugInParameters &plugIn, int i) {
    String key = plugIn.GetParameterName(i);
    char const *name = key.c_str();
    if (!store.ExistValue(name))
        return;
    switch (plugIn.GetType(i)) {
    case PlugInParameters::kWhole:
        plugIn.SetValue(i, float(store.GetValue(0L, name)));
        break;
    case PlugInParameters::kFloat:
    case PlugInParameters::kFloatValue:
        plugIn.SetValue(i, store.GetValue(0.0f, name));
        break;
    case PlugInParameters::kText: {
        String text = store.GetValue("", name);
        plugIn.SetData(i, text.c_str(), int(text.GetLength()));
        break;
    }
    case PlugInParameters::kBinary: {
        int size = store.GetBinarySize(name), element = std::max(plugIn.GetElementSize(i), 1);
        std::vector<char> data(size_t(std::max(size, 1)));
        store.GetBinary(data.data(), nullptr, size, name);
        plugIn.SetData(i, data.data(), size / element);
        break;
    }
    default:
        break;
    }
}

}  // namespace

FileName PlugInPresetFile(char const *prefix, String const &name) {
    String title = String(prefix ? prefix : "") + name;
    for (unsigned long i = 0; i < title.GetLength(); ++i)
        if (Unfit(title[int(i)]))
            title[int(i)] = '_';
    return FileName::CreateApplicationRelative(String("system\\plugins\\") + title + ".set");
}

DEFINE_RESPONSE_TABLE1(PlugInPresetDialog, Dialog)
    EV_COMMAND(IDOK, CmOk),
    EV_COMMAND(IDCANCEL, CmCancel),
    EV_COMMAND(PresetControls::kStore, CmStore),
    EV_COMMAND(PresetControls::kDelete, CmDelete),
    EV_COMMAND(PresetControls::kReplace, CmReplace),
    EV_COMMAND(PresetControls::kLoad, CmLoad),
    EV_CHILD_NOTIFY(PresetControls::kList, LBN_SELCHANGE, EvChange),
    EV_CHILD_NOTIFY(PresetControls::kList, LBN_DBLCLK, CmLoad),
    EV_CHILD_NOTIFY(PresetControls::kName, EN_CHANGE, EvChange),
END_RESPONSE_TABLE;

PlugInPresetDialog::PlugInPresetDialog(TWindow *parent, char const *prefix, PlugInParameters &plugIn, TModule *module)
    : TWindow(parent, 0, module), Dialog(parent, kPlugInPresetDialog, module), plugIn_(plugIn),
      controls_(*this, *this, PlugInPresetFile(prefix, plugIn.GetName()), plugIn.GetName(), kNameLimit) {}

void PlugInPresetDialog::SetupWindow() {
    Dialog::SetupWindow();
    controls_.FillList();
    controls_.EnableButtons();
}

void PlugInPresetDialog::ReadPresetValues(Config &store) {
    for (int i = 0; i < plugIn_.GetCount(); ++i)
        if (plugIn_.IsSaved(i))
            ReadParameter(store, plugIn_, i);
    plugIn_.SetChanged();
}

void PlugInPresetDialog::WritePresetValues(Config &store) {
    for (int i = 0; i < plugIn_.GetCount(); ++i)
        if (plugIn_.IsSaved(i))
            WriteParameter(store, plugIn_, i);
}

void PlugInPresetDialog::CmOk() {
    controls_.Close(1);
    Destroy(IDOK);
}

// Every store, replace and delete made in the dialog is dropped.
void PlugInPresetDialog::CmCancel() {
    controls_.Close(0);
    Destroy(IDCANCEL);
}

int RunPlugInPresetDialog(TWindow *parent, char const *prefix, PlugInParameters &plugIn, String &name,
                          TModule *module) {
    PlugInPresetDialog dialog(parent, prefix, plugIn, module ? module : TModule::_localizedResourceDLL);
    int result = dialog.Execute();
    name = result == IDOK ? dialog.GetLoadedName() : String();
    return result == IDOK ? 1 : 0;
}
