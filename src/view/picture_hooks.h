#pragma once
#include "model/dpoint.h"
#include "view/overlay_layers.h"
#include "view/strip_cells.h"

#include <functional>
#include <vector>

class CDibImage;

// Where the features that draw on the picture, or change what the mouse points at, plug
// into the main window's paint. Each is optional; unset, the feature is simply absent.
struct PictureHooks {
    // Edge snapping: the point a measuring point snaps to (figures being drawn follow it).
    std::function<DPOINT(const DPOINT& p)> snapToEdge;
    // SHIFT held while a LINE or SUI is drawn: the end rounded to the angle step.
    std::function<DPOINT(const DPOINT& p0, const DPOINT& cursor, bool sui)> constrainToStep;
    // The two-level edge preview shown instead of the picture (8-bit), or null when off;
    // asked on every paint, so it can be refreshed there.
    std::function<const CDibImage*()> edgePreview;
    // The focus profile over the picture (not in saved pictures), cross lines (layer 3)
    // and focus areas (layer 5).
    OverlayHook focusProfile;
    OverlayHook crossLines;
    OverlayHook focusAreas;
    // Drawn on the window only, never into a saved picture: the calibration cross.
    OverlayHook windowOnly;
    // The thumbnails of the strip under the picture, in list order.
    std::function<std::vector<StripEntry>()> thumbnails;
};
