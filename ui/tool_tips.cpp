// The tooltips, through which the right clicks, the wheel and the capture's
// keys can be found; and what changes as a capture starts and ends.
#include "res/resource.h"
#include "ui/load_string.h"
#include "ui/picker_dlg.h"

namespace {

// The statics let the mouse through to the dialog, so their tips are
// rectangles of the dialog's client area.
const struct {
    int control;
    UINT text;
    bool rect;
} kTips[] = {
    {IDC_COPY_DEC, IDS_TIP_COPY_DEC, false},
    {IDC_COPY_HEX, IDS_TIP_COPY_HEX, false},
    {IDC_SWATCH, IDS_TIP_SWATCH, true},
    {IDC_ZOOM_VIEW, IDS_TIP_ZOOM_VIEW, true},
    {IDC_CAPTURE, IDS_TIP_CAPTURE, false},
};

RECT ClientRectOf(HWND dialog, HWND control)
{
    RECT rect;
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

} // namespace

void CPickerDlg::CreateTips()
{
    m_tips.Create(m_hWnd);
    for (const auto& tip : kTips) {
        HWND control = ::GetDlgItem(m_hWnd, tip.control);
        if (tip.rect)
            m_tips.AddRectTool(tip.control, ClientRectOf(m_hWnd, control), LoadResourceString(tip.text));
        else
            m_tips.AddWindowTool(control, LoadResourceString(tip.text));
    }
}

void CPickerDlg::PlaceTips() const
{
    for (const auto& tip : kTips)
        if (tip.rect)
            m_tips.SetToolRect(tip.control, ClientRectOf(m_hWnd, ::GetDlgItem(m_hWnd, tip.control)));
}

// A tip showing lies in the very screen the magnifier reads and the pick
// takes: it goes as the capture starts, and what it covered of the dialog
// is painted again at once, before the first move reads it.
void CPickerDlg::OnCaptureModeChange(bool capturing)
{
    RECT covered{};
    const bool shown = ::IsWindowVisible(m_tips.m_hWnd) && ::GetWindowRect(m_tips.m_hWnd, &covered);
    m_tips.Activate(!capturing);
    if (capturing && shown) {
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&covered), 2);
        ::RedrawWindow(m_hWnd, &covered, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    if (!capturing)
        m_recentColors.Add(m_crColor);
}
