#include "audio/MarkerFile.h"

#include "audio/MarkerSet.h"
#include "foundation/Config.h"
#include "foundation/File.h"
#include "foundation/FileName.h"

#include <memory>

namespace {

char const kRoot[] = "Markers";
char const kGroup[] = "Marker";
char const kNoName[] = "*";

// The marker of the group at the store's cursor; null for one of no known type.
Marker *ReadMarker(Config const &config, String const &group) {
    int32_t type = config.GetValue(0, "Type");
    if (type < 0 || type >= Marker::kNumTypes)
        return nullptr;
    String name = config.GetValue(String(), "Name");
    if (name.IsEmpty())
        name = group;
    else if (name == kNoName)
        name.Clear();
    return new Marker(name, config.GetValue(0, "Pos"), type, config.GetValue(0, "Flags") & Marker::kStoredFlags);
}

// The stored markers as a settings tree; the number written.
int BuildMarkerConfig(MarkerSet const &markers, Config &config) {
    int written = 0;
    for (int i = 0; i < markers.GetCount(); ++i) {
        Marker const &m = *markers.GetMarker(i);
        if (m.type_ == Marker::kDrop)
            continue;
        config.MoveDown(kGroup, written++);
        config.SetValue(m.name_.IsEmpty() ? String(kNoName) : m.name_, "Name");
        config.SetValue(int(m.position_), "Pos");
        config.SetValue(int(m.type_), "Type");
        config.SetValue(int(m.flags_ & Marker::kStoredFlags), "Flags");
        config.MoveUp();
    }
    return written;
}

}  // namespace

FileName MarkerFileName(FileName const &audioFile) {
    FileName name(audioFile);
    name.SetExtension("MRK");
    return name;
}

int LoadMarkerFile(FileName const &audioFile, MarkerSet &markers, MarkerSet &saved) {
    FileName name = MarkerFileName(audioFile);
    if (!File::Exist(name))
        return 0;
    Config config(kRoot, name);
    markers.DeleteAll();
    for (ConfigKey *key = config.GetFirstKey(); key && !key->GetName().IsEmpty(); key = key->GetNext()) {
        if (!key->IsGroup())
            continue;
        config.MoveTo(key);
        if (Marker *m = ReadMarker(config, key->GetName()))
            markers.InsertSorted(m);
        config.MoveUp();
    }
    markers.Validate(1, 1);
    markers.CopyToSaved(saved);
    markers.NoteChange();
    return 1;
}

void StoreMarkerFile(FileName const &audioFile, MarkerSet &markers, MarkerSet &saved, int force, int onlyIfAny,
                     int ownName) {
    FileName name = MarkerFileName(audioFile);
    bool differs = !markers.IsEqual(saved, 0);
    bool nothingToStore = markers.GetCount() == markers.CountOfTypes(1 << Marker::kDrop);
    bool write = force ? !(onlyIfAny && nothingToStore) || differs || File::Exist(name) : differs;
    if (write) {
        Config config(kRoot);
        if (BuildMarkerConfig(markers, config))
            config.Save(name);
        else
            File::Delete(name);
    }
    if (ownName)
        markers.CopyToSaved(saved);
}
