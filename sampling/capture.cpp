// Capture mode: while it lasts every mouse move anywhere on the screen runs
// the magnifier and the pick. Holding the mouse capture alone does not bring
// moves over other applications' windows; with a (synthetic) button held down
// the system keeps routing them to the capturing window.
#include <string>

#include "ui/picker_dlg.h"

namespace {

std::wstring FromUtf8(const char* text)
{
    wchar_t wide[64];
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 64);
    return length > 0 ? std::wstring(wide, length - 1) : std::wstring();
}

} // namespace

void CPickerDlg::RunCapture(CaptureEvent event)
{
    const CaptureTransition& row = CaptureStep(CaptureStateFromFlag(m_bCapturing), event);
    for (CaptureAction action : row) {
        switch (action) {
        case CaptureAction::TakeCapture:
            ::SetCapture(m_hWnd);
            break;
        case CaptureAction::SetFlag:
            m_bCapturing = true;
            break;
        case CaptureAction::ClearFlag:
            m_bCapturing = false;
            break;
        case CaptureAction::InjectRightDown:
            ::mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
            break;
        case CaptureAction::InjectRightUp:
            ::mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
            break;
        case CaptureAction::SetTextCapturing:
            m_btnCapture.SetWindowText(FromUtf8(kCaptureTextCapturing));
            break;
        case CaptureAction::SetTextIdle:
            m_btnCapture.SetWindowText(FromUtf8(kCaptureTextIdle));
            break;
        case CaptureAction::ReleaseCapture:
            ::ReleaseCapture();
            break;
        case CaptureAction::Magnify:
            Magnify();
            break;
        case CaptureAction::PickColor:
            PickColor();
            break;
        case CaptureAction::DefaultProcessing:
            Default();
            break;
        case CaptureAction::FrameworkDestroy:
            Default();
            break;
        case CaptureAction::DestroyZoomBitmap:
            DestroyZoomBitmap();
            break;
        }
    }
}

void CPickerDlg::OnCapture() { RunCapture(CaptureEvent::CaptureClicked); }
void CPickerDlg::OnLButtonDown(UINT, POINT) { RunCapture(CaptureEvent::LButtonDown); }
void CPickerDlg::OnMouseMove(UINT, POINT) { RunCapture(CaptureEvent::MouseMove); }
void CPickerDlg::OnRButtonDown(UINT, POINT) { RunCapture(CaptureEvent::RButtonDown); }
void CPickerDlg::OnRButtonUp(UINT, POINT) { RunCapture(CaptureEvent::RButtonUp); }
void CPickerDlg::OnDestroy() { RunCapture(CaptureEvent::Destroy); }

// Only a capture taken by another window ends capture mode; releasing it
// ourselves clears the flag first, so that path finds the mode already idle.
void CPickerDlg::OnCaptureChanged(HWND hWndNew)
{
    if (hWndNew != m_hWnd)
        RunCapture(CaptureEvent::CaptureLost);
    else
        Default();
}
