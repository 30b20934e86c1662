#pragma once
// The zoom steps of a document view: 0 is 1:1, n > 0 is (n+1):1, n < 0 is 1:(1−n). The menu's
// zoom commands set a step, step in or out, or fit the image to the window; an enlargement is
// limited to 16:1 and to zoomed sides of at most 16384 pixels. A zoom that cannot change beeps.

#include "base/Geometry.h"

namespace gp {

inline constexpr int kMaxEnlargement = 15;
inline constexpr int kMaxReduction = -15;
inline constexpr int kMaxZoomedSide = 16384;

// The largest step that fits the image into the usable area (client size less the rulers plus
// the scroll bars that are shown).
int fitZoom(Size image, Size usable);

// An enlargement reduced so that neither zoomed side exceeds 16384 pixels; limited is set when
// that changed it.
int limitZoom(int zoom, Size image, bool& limited);

struct ZoomOutcome {
    int zoom = 0;
    bool changed = false;
    bool beep = false;
};

// The zoom command id (200..234) applied to the current zoom of an image in a window.
ZoomOutcome applyZoomCommand(int id, int currentZoom, Size image, Size usable);

// The full-screen view's zoom: the document's plus the view's offset, at most 16:1 and within
// the side limit.
int fullScreenZoom(int documentZoom, int offset, Size image);

} // namespace gp
