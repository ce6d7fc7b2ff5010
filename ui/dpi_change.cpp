// The display changed under the main dialog: the DPI of its monitor, the
// menu font (larger text), the display's format.
#include "ui/picker_dlg.h"

// Only a per-monitor aware process gets this message.
void CPickerDlg::OnDpiChanged(const RECT& suggested)
{
    // The dialog manager's own handling comes first: for a per-monitor (v2)
    // dialog it lays the controls out again and gives them the new font, so
    // that the zoom view has its new pixel size before the bitmap follows.
    Default();
    SetWindowPos(nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The suggested rectangle keeps the old proportions, which a menu bar
    // wrapped at the new DPI no longer fits.
    GrowToTemplateHeight();
    PlaceTips();
    FitZoomBitmap();
    // The black bitmap and the swatch at their new sizes at once, rather than
    // whenever the repaint comes.
    RedrawZoomView();
}

// Which change the Text size setting announces is not documented, so any
// change may have brought a new menu font.
void CPickerDlg::OnSettingChange(UINT_PTR)
{
    Default();
    // The menu bar measured again in the new font, which may wrap it.
    ::DrawMenuBar(m_hWnd);
    GrowToTemplateHeight();
}

// Another colour depth, for instance a remote session reconnected at
// another one.
void CPickerDlg::OnDisplayChange()
{
    Default();
    RenewZoomBitmap();
    RedrawZoomView();
}
