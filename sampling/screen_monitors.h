#pragma once

#include <vector>

#include "sampling/zoom_geometry.h"

// The rectangles of the screen that a read of the screen's device context
// returns real pixels from: one per display monitor, in screen coordinates.
std::vector<ScreenRect> ReadableScreenRects();

// The bounds of the virtual screen, all monitors together; its origin is
// negative where a monitor lies left of or above the primary one.
ScreenRect VirtualScreen();
