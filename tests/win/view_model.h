#pragma once

#include <string>

#include "sampling/magnifier.h"
#include "ui/picker_dlg.h"

// The zoom view against the platform-free model of the magnifier, on any
// desktop: monitors at negative coordinates and gaps between monitors
// included.

SIZE ViewSize(CPickerDlg& dlg);

// The view's inside as it is on the screen, in bitmap coordinates.
Image ViewInside(CPickerDlg& dlg);

// What the model shows after a move to the screen point (x, y) at factor k
// with an n x n sample: the source rectangle read back from the screen
// wherever a monitor shows it, black elsewhere, stretched and crosshaired.
Image ModelView(SIZE viewSize, int x, int y, int k = kMinZoomFactor, int n = 1);

// The screen point whose pixel the model's pick shows for a move to (x, y).
POINT ModelPickSource(SIZE viewSize, int x, int y, int k = kMinZoomFactor);
// The same at the dialog's view size and factor.
POINT PickedScreenPixel(CPickerDlg& dlg, int x, int y);

// Pixels that differ; -1 when the sizes do. `first` describes the first one.
int CountDifferences(const Image& a, const Image& b, std::string& first);
