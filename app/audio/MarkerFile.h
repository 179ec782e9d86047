// The marker file beside an audio file ("name.MRK"): the stored markers of a wave (all but
// drop markers) in the settings text format, root group "Markers", one group per marker
// holding "Name" ("*" for none), "Pos", "Type" and "Flags".
//
// These do what a wave's ReadMarkerFile and WriteMarkerFile do to its two sets; the wave
// adds its lock, its own checks and the clearing of its undo history.
#pragma once

class FileName;
class MarkerSet;

// The audio file's name with the extension "MRK".
FileName MarkerFileName(FileName const &audioFile);

// Reads the marker file beside audioFile, when there is one, in place of the markers:
// markers of unknown types are dropped, flags kept to the stored bits, and the set is
// validated (so positions end up inside the wave). The markers then count as saved
// (saved takes a copy) and as changed. 1, or 0 when there is no file; an unreadable one
// throws.
int LoadMarkerFile(FileName const &audioFile, MarkerSet &markers, MarkerSet &saved);

// Writes the markers beside audioFile: with force 0 only when they differ from saved; with
// force and onlyIfAny and nothing to store only when they differ or a file is there. A
// file that would hold no marker is deleted instead. With ownName (the wave keeps, or is
// taking, that name) the markers then count as saved; a copy under another name leaves the
// saved state alone.
void StoreMarkerFile(FileName const &audioFile, MarkerSet &markers, MarkerSet &saved, int force, int onlyIfAny,
                     int ownName);
