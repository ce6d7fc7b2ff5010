// The main dialog moved to a monitor of another DPI (or the DPI of its
// monitor changed). Only a per-monitor aware process gets this message.
#include "ui/picker_dlg.h"

void CPickerDlg::OnDpiChanged(const RECT& suggested)
{
    // The dialog manager's own handling comes first: for a per-monitor (v2)
    // dialog it lays the controls out again and gives them the new font, so
    // that the zoom view has its new pixel size before the bitmap follows.
    Default();
    SetWindowPos(nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    FitZoomBitmap();
    // The black bitmap and the swatch at their new sizes at once, rather than
    // whenever the repaint comes.
    RedrawZoomView();
}
