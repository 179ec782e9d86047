// What a wave window looks like: per view (main view 0, overview 1) which rulers, axes and
// markers it shows, the ruler's and level scale's fonts, colours and units, and the pane
// colours of each channel. The records are stored inside the window's layout memento, so
// every field has a fixed width and both builds share one layout.
#pragma once

#include "foundation/Strings.h"

#include <windows.h>

#include <cstdint>

class Config;
class FileName;

// The per-view settings at the head of each view block.
struct WaveViewStyle {
    int32_t showTimeScale;
    int32_t showLevelScale;
    int16_t markers;    // bit 0 solid lines, bit 1 dotted lines, bit 2 names
    int16_t axis;       // zero line: 0 none, 1 solid, other dotted
    int16_t axis50;     // the 50 % lines, as axis
    int16_t shadowBar;  // the overview's shadow bar: 0 at the top, 1 at the bottom
    int16_t caretWidth;
    int16_t padding;
};

enum : int16_t { kMarkerLinesSolid = 1, kMarkerLinesDotted = 2, kMarkerNames = 4 };

// The time ruler's look and unit.
struct TimeScaleStyle {
    LOGFONTA font;
    uint32_t fontColor;
    uint32_t tickColor;
    int32_t style;  // 0 three-dimensional, 1 flat
    uint32_t unit;  // 0 seconds, 1 samples, 2 SMPTE, 3 and 4 bars, 5 bytes
    int32_t showMarkers;
};

// The level scale's look and unit.
struct LevelScaleStyle {
    LOGFONTA font;
    uint32_t fontColor;
    uint32_t tickColor;
    int32_t style;  // 1 three-dimensional, 0 flat
    uint32_t unit;  // 0 percent, 1 raw value, 2 decibels
};

// The colours of one pane (COLORREF values).
struct WavePaneColors {
    enum Index { kWave, kBack, kSelWave, kSelBack, kAxis, kAxis50, kCaret, kMarker, kCount };
    uint32_t colors[kCount];

    uint32_t operator[](Index i) const { return colors[i]; }
    uint32_t &operator[](Index i) { return colors[i]; }
};

// Everything one view shows.
struct WaveViewStyleBlock {
    WaveViewStyle view;
    TimeScaleStyle timeScale;
    LevelScaleStyle levelScale;
    WavePaneColors panes[2];  // channel 0, channel 1
};

// A window's views: whether the overview is open, and the block of each view.
struct ViewStateBlock {
    int32_t overviewOpen;
    WaveViewStyleBlock views[2];  // main view, overview
};

static_assert(sizeof(WaveViewStyle) == 20 && sizeof(TimeScaleStyle) == 80 && sizeof(LevelScaleStyle) == 76 &&
                  sizeof(WavePaneColors) == 32 && sizeof(WaveViewStyleBlock) == 240 && sizeof(ViewStateBlock) == 484,
              "the view records are stored in the layout: their sizes stay");

// ---- style sets: six named looks, set 0 the look of new windows

enum { kStyleSets = 6 };

// The defaults of a view index (0 main view, 1 overview).
WaveViewStyleBlock DefaultViewStyleBlock(int viewIndex);
// The block of a view index of a set.
WaveViewStyleBlock const &StyleSetBlock(int set, int viewIndex);
WaveViewStyleBlock &EditStyleSetBlock(int set, int viewIndex);
String const &StyleSetName(int set);
void SetStyleSetName(int set, String const &name);
// Reads "system\style.set" once per run; a missing file leaves the defaults.
void LoadPresetStyles();
void LoadPresetStyles(FileName const &file);
// Writes the six sets to "system\style.set" in set order; a failure passes on and leaves
// the file as it was.
void SavePresetStyles();
void SavePresetStyles(FileName const &file);
// A name the style file keeps: no braces, "=" or line breaks, no blanks at the ends;
// nothing left is "Default".
String CleanStyleName(String const &name);

// Reading and writing a set in the current group of a configuration: the view keys of both
// view indices, the rulers', the level scale's and the pane colours.
void LoadWaveViewStyle(Config &config, int set);
void SaveWaveViewStyle(Config &config, int set);
void ReadTimeScaleStyles(Config &config, int set);
void WriteTimeScaleStyles(Config &config, int set);
void ReadLevelScaleStyle(Config &config, int set);
void WriteLevelScaleStyle(Config &config, int set);
void LoadWavePaneColors(Config &config, int set);
void SaveWavePaneColors(Config &config, int set);

// A block as a stored one may hold it: clamped to values the views can show.
void ClampViewStyleBlock(WaveViewStyleBlock &block);
