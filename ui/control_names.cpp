// The names screen readers give the controls whose window text says too
// little (the 「c」 copy buttons) or nothing (the zoom view, the swatch).
// The template's texts stay as they are.
#include <iterator>

#include "res/resource.h"
#include "ui/load_string.h"
#include "ui/picker_dlg.h"

void CPickerDlg::NameControls()
{
    static const struct {
        int control;
        UINT name;
    } kNames[] = {
        {IDC_COPY_DEC, IDS_NAME_COPY_DEC},
        {IDC_COPY_HEX, IDS_NAME_COPY_HEX},
        {IDC_ZOOM_VIEW, IDS_NAME_ZOOM_VIEW},
        {IDC_SWATCH, IDS_NAME_SWATCH},
    };
    static_assert(std::size(kNames) == kNamedControls);
    for (int i = 0; i < kNamedControls; ++i)
        m_controlNames[i].NameControl(::GetDlgItem(m_hWnd, kNames[i].control), LoadResourceString(kNames[i].name));
}
