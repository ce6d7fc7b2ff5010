// The magnifier's factor and the averaged pick: "+", "-" and the wheel while
// capturing, and the sample commands of the format menu.
#include "framework/menu.h"
#include "res/resource.h"
#include "ui/picker_dlg.h"

namespace {

// +1 for a key that zooms in, -1 for one that zooms out, 0 for any other.
// On a Japanese keyboard "+" is Shift with the ";" key, VK_OEM_PLUS as well.
int ZoomKeyStep(WPARAM vk)
{
    switch (vk) {
    case VK_OEM_PLUS: case VK_ADD: return 1;
    case VK_OEM_MINUS: case VK_SUBTRACT: return -1;
    default: return 0;
    }
}

} // namespace

// Which window gets the wheel is the system's choice: the capture window
// (Wine 8), the focus window, where a focused trackbar would move its thumb,
// or the window under the cursor, depending on the Windows version and its
// settings. Here every window of the dialog is seen before its own handling.
// The keys' releases are kept from the dialog manager with their presses.
bool CPickerDlg::PreTranslateZoom(const MSG& msg)
{
    if (msg.message == WM_MOUSEWHEEL) {
        StepZoom(TakeWheelNotches(m_nWheelRest, GET_WHEEL_DELTA_WPARAM(msg.wParam)));
        return true;
    }
    if (msg.message != WM_KEYDOWN && msg.message != WM_KEYUP)
        return false;
    const int step = ZoomKeyStep(msg.wParam);
    if (step == 0)
        return false;
    if (msg.message == WM_KEYDOWN)
        StepZoom(step);
    return true;
}

void CPickerDlg::StepZoom(int steps)
{
    const int factor = StepZoomFactor(m_nZoomFactor, steps);
    if (factor == m_nZoomFactor)
        return;
    m_nZoomFactor = factor;
    Magnify();
    PickColor();
}

// Takes effect from the next capture move; the view keeps its last image.
void CPickerDlg::SelectSample(int size)
{
    m_nSampleSize = size;
    const UINT command = size == 5 ? ID_SAMPLE_5 : size == 3 ? ID_SAMPLE_3 : ID_SAMPLE_1;
    CMenu::FromHandle(GetMenu()).CheckMenuRadioItem(ID_SAMPLE_1, ID_SAMPLE_5, command, MF_BYCOMMAND);
}

void CPickerDlg::OnSample1() { SelectSample(1); }
void CPickerDlg::OnSample3() { SelectSample(3); }
void CPickerDlg::OnSample5() { SelectSample(5); }
