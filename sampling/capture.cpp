// Capture mode: while it lasts every mouse move anywhere on the screen runs
// the magnifier and the pick. Holding the mouse capture alone does not bring
// moves over other applications' windows; with a (synthetic) button held down
// the system keeps routing them to the capturing window.
#include <string>

#include "sampling/screen_monitors.h"
#include "ui/picker_dlg.h"

namespace {

std::wstring FromUtf8(const char* text)
{
    wchar_t wide[64];
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, 64);
    return length > 0 ? std::wstring(wide, length - 1) : std::wstring();
}

// How long a close waits for the injected release to come back. It comes
// back within a few milliseconds; this only bounds a system that loses it.
constexpr DWORD kRightUpWaitMs = 300;
// How often an owed release looks for a safe moment.
constexpr UINT kRightUpRetryMs = 50;

bool RunsUnderWine()
{
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version");
}

bool ArrowKey(WPARAM vk, NudgeKey& key)
{
    switch (vk) {
    case VK_LEFT: key = NudgeKey::Left; return true;
    case VK_RIGHT: key = NudgeKey::Right; return true;
    case VK_UP: key = NudgeKey::Up; return true;
    case VK_DOWN: key = NudgeKey::Down; return true;
    default: return false;
    }
}

// Handles mouse input, and only that, until `done` holds or the wait is over.
template <class Done>
void HandleMouseInputUntil(Done done)
{
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < kRightUpWaitMs) {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
            ::DispatchMessageW(&msg);
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_MOUSE);
    }
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
        case CaptureAction::ConfineCursor:
            ConfineCursor();
            break;
        case CaptureAction::FreeCursor:
            FreeCursor();
            break;
        case CaptureAction::AwaitRightUp:
            HandleMouseInputUntil([this] { return !m_bCapturing; });
            break;
        case CaptureAction::OweRightUp:
            m_bRightUpOwed = true;
            ::SetTimer(m_hWnd, kRightUpTimer, kRightUpRetryMs, nullptr);
            break;
        case CaptureAction::PayRightUp:
            PayRightUp();
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

// Wine grabs the X pointer only while the cursor is clipped to less than the
// whole virtual screen; without the grab, input over other programs' windows
// never reaches the capture. Windows routes it anyway, so there nothing is
// clipped. The price under Wine is the screen's last column, out of reach
// while capturing.
void CPickerDlg::ConfineCursor()
{
    if (!RunsUnderWine())
        return;
    const ScreenRect screen = VirtualScreen();
    const RECT clip{screen.left, screen.top, screen.right - 1, screen.bottom};
    m_bCursorClipped = ::ClipCursor(&clip) != FALSE;
}

void CPickerDlg::FreeCursor()
{
    if (!m_bCursorClipped)
        return;
    ::ClipCursor(nullptr);
    m_bCursorClipped = false;
}

// The release owed since a lost capture goes out only while this dialog is
// the active window and its thread holds no capture (no menu, no drag): the
// dialog takes the capture for the moment, so the WM_RBUTTONUP comes back to
// it, and it is taken out of the queue unhandled. A new capture makes the
// debt its own: it ends with a release of its own.
void CPickerDlg::PayRightUp()
{
    if (!m_bRightUpOwed)
        return;
    if (!m_bCapturing) {
        if (::GetCapture() || ::GetForegroundWindow() != m_hWnd)
            return;
        ::SetCapture(m_hWnd);
        ::mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
        HandleMouseInputUntil([] {
            MSG msg;
            return ::PeekMessageW(&msg, nullptr, WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE) != FALSE;
        });
        ::ReleaseCapture();
    }
    m_bRightUpOwed = false;
    ::KillTimer(m_hWnd, kRightUpTimer);
}

// While capturing, the arrow keys, Enter and Space are the capture's, seen
// here before the dialog manager turns them into focus moves and clicks of
// the focused button. Their key-up messages are kept from it too.
BOOL CPickerDlg::PreTranslateMessage(MSG* msg)
{
    if (!m_bCapturing || (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP))
        return FALSE;
    NudgeKey key;
    const bool arrow = ArrowKey(msg->wParam, key);
    if (!arrow && msg->wParam != VK_RETURN && msg->wParam != VK_SPACE)
        return FALSE;
    // A held arrow keeps moving; a held Enter ends the capture once.
    const bool repeat = (msg->lParam & (1 << 30)) != 0;
    if (msg->message == WM_KEYDOWN && arrow) {
        POINT cursor;
        ::GetCursorPos(&cursor);
        const CursorPoint to =
            NudgeCursor({cursor.x, cursor.y}, key, ::GetKeyState(VK_SHIFT) < 0, VirtualScreen());
        ::SetCursorPos(to.x, to.y);
        RunCapture(CaptureEvent::CursorKey);
    } else if (msg->message == WM_KEYDOWN && !repeat) {
        RunCapture(CaptureEvent::FinishKey);
    }
    return TRUE;
}

// Esc, the close box and the exit command all end here: a capture still on
// lets go of the right button while the dialog can still take the release.
void CPickerDlg::OnCancel()
{
    RunCapture(CaptureEvent::Close);
    CDialog::OnCancel();
}

// Only a capture taken by another window ends capture mode; releasing it
// ourselves clears the flag first, so that path finds the mode already idle.
void CPickerDlg::OnCaptureChanged(HWND hWndNew)
{
    if (hWndNew != m_hWnd)
        RunCapture(CaptureEvent::CaptureLost);
    else
        Default();
}
