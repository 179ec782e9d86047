// Whether a selection edge set at a view's zoom snaps to a zero crossing: not when the
// "Snap" settings ask so for close zooms (3 or more pixels a frame), where the user sees
// the samples and means the frame chosen.
#pragma once

int SnapsAtZoom(int zoom);
