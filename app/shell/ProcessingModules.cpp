#include "shell/ProcessingModules.h"

#include "core/MessageBoxSeam.h"
#include "core/Module.h"
#include "effects/ProcessingEntries.h"
#include "foundation/FileName.h"
#include "foundation/MessageCatalogue.h"

#include <windows.h>

namespace {

enum : int { kTextMissingEntry = 11401 };

char const kPelrin[] = "system\\Pelrin.dll";
char const kDastrel[] = "system\\Dastrel.dll";
char const kFilter[] = "system\\filter.dll";

// From the program's folder, whatever the current folder is.
std::unique_ptr<TModule> Load(char const *file) {
    FileName name = FileName::CreateApplicationRelative(String(file));
    return std::unique_ptr<TModule>(new TModule(name.c_str(), true, true));
}

// False, after telling the user, when the module lacks the entry.
template <class Entry>
bool Bind(TModule const &module, char const *name, Entry &entry) {
    entry = reinterpret_cast<Entry>(reinterpret_cast<void *>(module.GetProcAddress(name)));
    if (entry)
        return true;
    String text(BuildString(kTextMissingEntry, module.GetName(), name));
    ShowMessageBox(0, text.c_str(), "Tessaro", MB_ICONHAND | MB_OK | MB_TASKMODAL | MB_SETFOREGROUND);
    return false;
}

}  // namespace

ProcessingModules::ProcessingModules() {
    try {
        bound_ = LoadAndBind();
    } catch (...) {
        TheProcessingEntries() = ProcessingEntries();  // no entry into a module unwinding released
        throw;
    }
}

bool ProcessingModules::LoadAndBind() {
    ProcessingEntries &entries = TheProcessingEntries();
    pelrin_ = Load(kPelrin);
    if (!Bind(*pelrin_, "_TCProcessResampling", entries.resample))
        return false;
    dastrel_ = Load(kDastrel);
    if (!Bind(*dastrel_, "_TCProcess", entries.timeCorrect) || !Bind(*dastrel_, "_TCExpectedSize", entries.expectedSize))
        return false;
    filter_ = Load(kFilter);
    return Bind(*filter_, "_StartFilter", entries.startFilter);
}

ProcessingModules::~ProcessingModules() {
    TheProcessingEntries() = ProcessingEntries();
    filter_.reset();
    dastrel_.reset();
    pelrin_.reset();
}
