#include "waveview/ViewStyle.h"

#include "controls/FontDialog.h"
#include "foundation/Config.h"
#include "foundation/Exception.h"
#include "foundation/FileName.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

char const kDefaultName[] = "Default";
char const kStyleFile[] = "system\\style.set";
char const kStyleRoot[] = "Preset Styles";

char const *const kColorKeys[WavePaneColors::kCount] = {"Wave", "Back", "SelWave", "SelBack",
                                                         "Axis", "Axis50", "Caret", "Marker"};

WavePaneColors DefaultColors(int channel) {
    uint32_t wave = channel ? 0x00FF0000 : 0x000000FF;
    return WavePaneColors{{wave, 0x00FFFFFF, wave, 0x00000000, 0x00F0CAA6, 0x00C0C0C0, 0x00FF00FF, 0x00FF00FF}};
}

TimeScaleStyle DefaultTimeScaleStyle() {
    TimeScaleStyle s = {};
    InitLogicalFont(s.font);
    s.showMarkers = 1;
    return s;
}

LevelScaleStyle DefaultLevelScaleStyle() {
    LevelScaleStyle s = {};
    InitLogicalFont(s.font);
    s.style = 1;
    return s;
}

struct StyleSet {
    String name;
    WaveViewStyleBlock blocks[2];
};

StyleSet *Sets() {
    static StyleSet sets[kStyleSets];
    static bool made = false;
    if (!made) {
        made = true;
        for (StyleSet &set : sets) {
            set.name = kDefaultName;
            set.blocks[0] = DefaultViewStyleBlock(0);
            set.blocks[1] = DefaultViewStyleBlock(1);
        }
    }
    return sets;
}

// The n-th group of the current group, or null.
ConfigKey *NthGroup(Config const &config, int n) {
    for (int i = 0; ConfigKey *key = config.GetKey(i); ++i)
        if (key->IsGroup() && n-- == 0)
            return key;
    return nullptr;
}

// The keys below a group into the current group of a store that finds groups by name.
void CopyGroup(ConfigKey const &from, Config &to) {
    for (ConfigKey *key = from.GetFirstChild(); key; key = key->GetNext()) {
        if (key->IsValue()) {
            to.SetValue(key->GetText(), key->GetName().c_str());
            continue;
        }
        Config::PathSaver path(to);
        to.MoveDown(key->GetName());
        CopyGroup(*key, to);
    }
}

int ValidSet(int set) { return std::min(std::max(set, 0), kStyleSets - 1); }

template <class T>
T Clamped(T value, T low, T high) {
    return std::min(std::max(value, low), high);
}

}  // namespace

WaveViewStyleBlock DefaultViewStyleBlock(int viewIndex) {
    WaveViewStyleBlock block = {};
    WaveViewStyle &v = block.view;
    v.showTimeScale = 1;
    v.showLevelScale = 1;
    v.markers = kMarkerLinesSolid;
    v.axis = viewIndex ? 0 : 2;
    v.axis50 = 0;
    v.shadowBar = viewIndex ? 1 : 0;
    v.caretWidth = 2;
    block.timeScale = DefaultTimeScaleStyle();
    block.levelScale = DefaultLevelScaleStyle();
    block.panes[0] = DefaultColors(0);
    block.panes[1] = DefaultColors(1);
    return block;
}

WaveViewStyleBlock const &StyleSetBlock(int set, int viewIndex) { return Sets()[ValidSet(set)].blocks[viewIndex != 0]; }

WaveViewStyleBlock &EditStyleSetBlock(int set, int viewIndex) { return Sets()[ValidSet(set)].blocks[viewIndex != 0]; }

String const &StyleSetName(int set) { return Sets()[ValidSet(set)].name; }

void SetStyleSetName(int set, String const &name) { Sets()[ValidSet(set)].name = set ? CleanStyleName(name) : String(kDefaultName); }

FileName StyleFile() { return FileName::CreateApplicationRelative(String(kStyleFile)); }

void LoadPresetStyles() {
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    LoadPresetStyles(StyleFile());
}

// Set 0 takes the first group whatever its name, and is always called "Default". The file
// is read keeping groups of one name apart; a file that cannot be read leaves the defaults.
void LoadPresetStyles(FileName const &file) {
    Config sets(kStyleRoot, Config::AlwaysNewGroup);
    try {
        sets.Load(file);
    } catch (AException const &) {
        sets.Clear();
    }
    for (int set = 0; set < kStyleSets; ++set) {
        ConfigKey *group = NthGroup(sets, set);
        SetStyleSetName(set, set && group ? group->GetName() : String(kDefaultName));
        Config one(kStyleRoot);
        if (group)
            CopyGroup(*group, one);
        LoadWaveViewStyle(one, set);
    }
}

void SavePresetStyles() { SavePresetStyles(StyleFile()); }

// Every set is a group of its own, even where two have one name.
void SavePresetStyles(FileName const &file) {
    Config config(kStyleRoot, Config::AlwaysNewGroup);
    for (int set = 0; set < kStyleSets; ++set) {
        Config::PathSaver path(config);
        config.MoveDown(StyleSetName(set));
        SaveWaveViewStyle(config, set);
    }
    config.Save(file);
}

// The store's text keeps a name whole only without braces, "=" and line breaks.
String CleanStyleName(String const &name) {
    std::string text;
    for (char const *c = name.c_str(); *c; ++c)
        if (!std::strchr("{}=\r\n", *c))
            text += *c;
    size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    if (first == std::string::npos)
        return String(kDefaultName);
    return String(text.substr(first, last - first + 1).c_str());
}

void LoadWaveViewStyle(Config &config, int set) {
    for (int i = 0; i < 2; ++i) {
        Config::PathSaver path(config);
        config.MoveDown("WaveView", i);
        WaveViewStyle defaults = DefaultViewStyleBlock(i).view;
        WaveViewStyle &v = EditStyleSetBlock(set, i).view;
        v.showTimeScale = config.GetValue(int(defaults.showTimeScale), "ShowTimeScale");
        v.showLevelScale = config.GetValue(int(defaults.showLevelScale), "ShowLevelScale");
        v.axis = config.GetValue(defaults.axis, "Axis");
        v.axis50 = config.GetValue(defaults.axis50, "Axis50");
        v.shadowBar = config.GetValue(defaults.shadowBar, "ShadowBar");
        v.caretWidth = config.GetValue(defaults.caretWidth, "WCaret");
        v.markers = config.GetValue(defaults.markers, "Markers");
    }
    ReadTimeScaleStyles(config, set);
    ReadLevelScaleStyle(config, set);
    LoadWavePaneColors(config, set);
    for (int i = 0; i < 2; ++i)
        ClampViewStyleBlock(EditStyleSetBlock(set, i));
}

void SaveWaveViewStyle(Config &config, int set) {
    WriteTimeScaleStyles(config, set);
    WriteLevelScaleStyle(config, set);
    SaveWavePaneColors(config, set);
    for (int i = 0; i < 2; ++i) {
        Config::PathSaver path(config);
        config.MoveDown("WaveView", i);
        WaveViewStyle const &v = StyleSetBlock(set, i).view;
        config.SetValue(int(v.showTimeScale), "ShowTimeScale");
        config.SetValue(int(v.showLevelScale), "ShowLevelScale");
        config.SetValue(v.axis, "Axis");
        config.SetValue(v.axis50, "Axis50");
        config.SetValue(v.shadowBar, "ShadowBar");
        config.SetValue(v.caretWidth, "WCaret");
        config.SetValue(v.markers, "Markers");
    }
}

void ReadTimeScaleStyles(Config &config, int set) {
    for (int i = 0; i < 2; ++i) {
        Config::PathSaver path(config);
        config.MoveDown("TimeScale", i);
        TimeScaleStyle &s = EditStyleSetBlock(set, i).timeScale;
        ReadFont(config, "Font", 0, s.font);
        s.fontColor = config.GetValue(0u, "FontColor");
        s.tickColor = config.GetValue(0u, "TickColor");
        s.style = config.GetValue(0, "Style");
        s.unit = config.GetValue(0u, "Unit");
        s.showMarkers = config.GetValue(1, "Markers");
    }
}

void WriteTimeScaleStyles(Config &config, int set) {
    for (int i = 0; i < 2; ++i) {
        Config::PathSaver path(config);
        config.MoveDown("TimeScale", i);
        TimeScaleStyle s = StyleSetBlock(set, i).timeScale;
        WriteFont(config, "Font", 0, s.font);
        config.SetValue(unsigned(s.fontColor), "FontColor");
        config.SetValue(unsigned(s.tickColor), "TickColor");
        config.SetValue(int(s.style), "Style");
        config.SetValue(unsigned(s.unit), "Unit");
        config.SetValue(int(s.showMarkers), "Markers");
    }
}

// One record for both views of a set.
void ReadLevelScaleStyle(Config &config, int set) {
    Config::PathSaver path(config);
    config.MoveDown("LevelScale", 0);
    LevelScaleStyle s;
    ReadFont(config, "Font", 0, s.font);
    s.fontColor = config.GetValue(0u, "FontColor");
    s.tickColor = config.GetValue(0u, "TickColor");
    s.style = config.GetValue(1, "Style");
    s.unit = config.GetValue(0u, "Unit");
    EditStyleSetBlock(set, 0).levelScale = s;
    EditStyleSetBlock(set, 1).levelScale = s;
}

void WriteLevelScaleStyle(Config &config, int set) {
    Config::PathSaver path(config);
    config.MoveDown("LevelScale", 0);
    LevelScaleStyle s = StyleSetBlock(set, 0).levelScale;
    WriteFont(config, "Font", 0, s.font);
    config.SetValue(unsigned(s.fontColor), "FontColor");
    config.SetValue(unsigned(s.tickColor), "TickColor");
    config.SetValue(int(s.style), "Style");
    config.SetValue(unsigned(s.unit), "Unit");
}

// Record k is view index k / 2, channel k % 2.
void LoadWavePaneColors(Config &config, int set) {
    for (int k = 0; k < 4; ++k) {
        Config::PathSaver path(config);
        config.MoveDown("WavePane", k);
        config.MoveDown("Colors");
        WavePaneColors defaults = DefaultColors(k % 2);
        WavePaneColors &colors = EditStyleSetBlock(set, k / 2).panes[k % 2];
        for (int c = 0; c < WavePaneColors::kCount; ++c)
            colors.colors[c] = config.GetValue(unsigned(defaults.colors[c]), kColorKeys[c]);
    }
}

void SaveWavePaneColors(Config &config, int set) {
    for (int k = 0; k < 4; ++k) {
        Config::PathSaver path(config);
        config.MoveDown("WavePane", k);
        config.MoveDown("Colors");
        WavePaneColors const &colors = StyleSetBlock(set, k / 2).panes[k % 2];
        for (int c = 0; c < WavePaneColors::kCount; ++c)
            config.SetValue(unsigned(colors.colors[c]), kColorKeys[c]);
    }
}

void ClampViewStyleBlock(WaveViewStyleBlock &block) {
    WaveViewStyle &v = block.view;
    v.showTimeScale = v.showTimeScale != 0;
    v.showLevelScale = v.showLevelScale != 0;
    v.markers &= kMarkerLinesSolid | kMarkerLinesDotted | kMarkerNames;
    v.shadowBar = v.shadowBar != 0;
    v.caretWidth = Clamped<int16_t>(v.caretWidth, 1, 3);
    v.padding = 0;
    block.timeScale.font.lfFaceName[LF_FACESIZE - 1] = 0;
    block.timeScale.style = block.timeScale.style != 0;
    block.timeScale.unit = std::min(block.timeScale.unit, 5u);
    block.timeScale.showMarkers = block.timeScale.showMarkers != 0;
    block.levelScale.font.lfFaceName[LF_FACESIZE - 1] = 0;
    block.levelScale.style = block.levelScale.style != 0;
    block.levelScale.unit = std::min(block.levelScale.unit, 2u);
}
