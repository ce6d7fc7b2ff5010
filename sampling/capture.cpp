// Capture mode: while it lasts every mouse move anywhere on the screen runs
// the magnifier and the pick. Holding the mouse capture alone does not bring
// moves over other applications' windows; with a (synthetic) button held down
// the system keeps routing them to the capturing window.
#include <string>

#include "framework/utf8.h"
#include "sampling/capture_runner.h"
#include "sampling/cursor_cover.h"
#include "sampling/screen_monitors.h"
#include "ui/picker_dlg.h"

namespace {

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

// Waits for input until `done` holds or the bound has passed; `take` takes
// out of the queue whatever may be handled meanwhile.
template <class Done, class Take>
void WaitForInput(Done done, Take take)
{
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < kInjectedInputBoundMs) {
        if (!take())
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_MOUSE);
    }
}

DWORD ButtonFlag(MouseButton button, bool down)
{
    if (button == MouseButton::Left)
        return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
}

// A move to the pixel `to`, in the normalised coordinates of the virtual
// screen (0 to 65535 across it): the middle of that pixel's share of the
// range, which lands on it or, where the system rounds otherwise, next to it.
INPUT AbsoluteMove(POINT to, const ScreenRect& screen)
{
    const auto normalise = [](long offset, long size) {
        return size > 0 ? static_cast<LONG>((offset * 65536LL + 32768) / size) : 0;
    };
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = normalise(to.x - screen.left, screen.right - screen.left);
    input.mi.dy = normalise(to.y - screen.top, screen.bottom - screen.top);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK;
    input.mi.dwExtraInfo = kOwnInputTag;
    return input;
}

// Input the capture injected comes back with its tag.
bool OwnInput()
{
    return static_cast<unsigned long>(::GetMessageExtraInfo()) == kOwnInputTag;
}

// Keys that take the foreground or the mouse away: Alt and F10 (the menu,
// Alt+Tab; they arrive as system keys), the Windows key, the menu key. With
// Ctrl down, Alt is an ordinary key: Ctrl+Alt+Del, Ctrl+Alt+Tab and AltGr.
bool LeavingKey(const MSG& msg)
{
    if (msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP)
        return true;
    const bool key = msg.message == WM_KEYDOWN || msg.message == WM_KEYUP;
    switch (key ? msg.wParam : 0) {
    case VK_LWIN: case VK_RWIN: case VK_APPS: case VK_MENU: case VK_LMENU: case VK_RMENU: return true;
    default: return false;
    }
}

bool IsKeyDown(const MSG& msg)
{
    return msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
}

HWND ThreadWindow(HWND window)
{
    return window && ::GetWindowThreadProcessId(window, nullptr) == ::GetCurrentThreadId() ? window : nullptr;
}

} // namespace

void CPickerDlg::RunCapture(CaptureEvent event)
{
    CaptureRunner<CPickerDlg>::Run(*this, event);
}

// A wheel's part notches belong to the capture they came in.
void CPickerDlg::OnCapture()
{
    if (!m_bCapturing)
        m_nWheelRest = 0;
    RunCapture(CaptureEvent::CaptureClicked);
}
void CPickerDlg::OnMouseMove(UINT, POINT) { RunCapture(CaptureEvent::MouseMove); }
void CPickerDlg::OnRButtonDown(UINT, POINT)
{
    RunCapture(OwnInput() ? CaptureEvent::OwnRButtonDown : CaptureEvent::RButtonDown);
}
void CPickerDlg::OnLButtonUp(UINT, POINT) { RunCapture(CaptureEvent::LButtonUp); }
void CPickerDlg::OnDestroy() { RunCapture(CaptureEvent::Destroy); }

void CPickerDlg::OnLButtonDown(UINT, POINT)
{
    RunCapture(OwnInput() ? CaptureEvent::OwnLButtonDown : CaptureEvent::LButtonDown);
}

void CPickerDlg::OnRButtonUp(UINT, POINT)
{
    RunCapture(OwnInput() ? CaptureEvent::OwnRButtonUp : CaptureEvent::RButtonUp);
}

void CPickerDlg::CaptureMouse() { ::SetCapture(m_hWnd); }

void CPickerDlg::ReleaseMouse()
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
}

bool CPickerDlg::ThreadHoldsCapture() const { return ::GetCapture() != nullptr; }

HWND CPickerDlg::OurWindowInFront() const { return ThreadWindow(::GetForegroundWindow()); }

bool CPickerDlg::OursInFront() const { return OurWindowInFront() != nullptr; }

// Button input goes to the window under the cursor unless the thread in
// front holds a capture, which takes it wherever the cursor is.
bool CPickerDlg::CursorOverOurs() const
{
    POINT cursor;
    if (!::GetCursorPos(&cursor) || !ThreadWindow(::WindowFromPoint(cursor)))
        return false;
    HWND front = ::GetForegroundWindow();
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const DWORD thread = front ? ::GetWindowThreadProcessId(front, nullptr) : 0;
    return !thread || !::GetGUIThreadInfo(thread, &info) || !info.hwndCapture || ThreadWindow(info.hwndCapture);
}

bool CPickerDlg::CoverCursor()
{
    m_cursorCover.emplace();
    if (m_cursorCover->Covers() && CursorOverOurs())
        return true;
    m_cursorCover.reset();
    return false;
}

void CPickerDlg::UncoverCursor() { m_cursorCover.reset(); }

// The release then comes back to this thread wherever the cursor is: a
// button is down, and while one is the system routes mouse input to the
// capture. The active window, when it is one of ours (the About box, say),
// takes it: a disabled dialog may not.
void CPickerDlg::CaptureMouseForRelease()
{
    HWND front = OurWindowInFront();
    ::SetCapture(front ? front : m_hWnd);
}

void CPickerDlg::EndCaptureForRelease() { ::ReleaseCapture(); }

bool CPickerDlg::ButtonsSwapped() const { return ::GetSystemMetrics(SM_SWAPBUTTON) != 0; }

// The asynchronous key state reports physical buttons, as injection names them.
bool CPickerDlg::ButtonHeld(MouseButton button) const
{
    return ::GetAsyncKeyState(button == MouseButton::Left ? VK_LBUTTON : VK_RBUTTON) < 0;
}

// SendInput tells whether the system inserted the input, not whether it
// arrives: a desktop that is not the input desktop refuses it, UIPI drops
// it unseen while an elevated window is in front. Input of one call is not
// interspersed with the user's, so a move onto the window put under the
// cursor goes first and the button lands there however the mouse moves.
bool CPickerDlg::InjectButton(MouseButton button, bool down, bool ontoCover)
{
    INPUT inputs[2]{};
    UINT count = 0;
    if (ontoCover && m_cursorCover)
        inputs[count++] = AbsoluteMove(m_cursorCover->Centre(), VirtualScreen());
    INPUT& input = inputs[count++];
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = ButtonFlag(button, down);
    input.mi.dwExtraInfo = kOwnInputTag;
    return ::SendInput(count, inputs, sizeof(INPUT)) == count;
}

void CPickerDlg::SetCaptureText(bool capturing)
{
    m_btnCapture.SetWindowText(FromUtf8(capturing ? kCaptureTextCapturing : kCaptureTextIdle));
    OnCaptureModeChange(capturing);
}

void CPickerDlg::StartCaptureTimer(CaptureEvent timer, unsigned ms)
{
    ::SetTimer(m_hWnd, timer == CaptureEvent::HoldTimer ? kHoldTimer : kReleaseTimer, ms, nullptr);
}

void CPickerDlg::StopCaptureTimer(CaptureEvent timer)
{
    ::KillTimer(m_hWnd, timer == CaptureEvent::HoldTimer ? kHoldTimer : kReleaseTimer);
}

template <class Done>
void CPickerDlg::DispatchMouseInputUntil(Done done)
{
    WaitForInput(done, [] {
        MSG msg;
        if (!::PeekMessageW(&msg, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE))
            return false;
        ::DispatchMessageW(&msg);
        return true;
    });
}

// Nothing but the release is taken out of the queue: handled, a
// WM_RBUTTONUP would ask for a context menu (over the caption, the system
// menu), and other input must wait for the windows it is meant for.
bool CPickerDlg::AwaitOwnRightUp()
{
    bool back = false;
    WaitForInput([&] { return back && !ButtonHeld(m_capture.pressed); },
                 [&] {
                     MSG msg;
                     if (!::PeekMessageW(&msg, nullptr, WM_RBUTTONUP, WM_RBUTTONUP, PM_REMOVE))
                         return false;
                     back = true;
                     return true;
                 });
    return back;
}

// Wine grabs the X pointer only while the cursor is clipped to less than the
// whole virtual screen; without the grab, input over other programs' windows
// never reaches the capture. Windows routes it anyway, so there nothing is
// clipped. The price under Wine is the screen's last column, out of reach
// while capturing.
bool CPickerDlg::ConfineCursor()
{
    if (!RunsUnderWine())
        return false;
    const ScreenRect screen = VirtualScreen();
    const RECT clip{screen.left, screen.top, screen.right - 1, screen.bottom};
    return ::ClipCursor(&clip) != FALSE;
}

void CPickerDlg::FreeCursor() { ::ClipCursor(nullptr); }

// While capturing, the arrow keys, Enter and Space are the capture's, seen
// here before the dialog manager turns them into focus moves and clicks of
// the focused button. Their key-up messages are kept from it too. A key that
// takes the foreground or the mouse away ends the capture as Enter does,
// while the dialog is still in front: the release is injected before the
// key that switches, so it still comes back here; the menu bar does not
// open on it (Windows ignores menu keys while the mouse is captured anyway).
BOOL CPickerDlg::PreTranslateMessage(MSG* msg)
{
    if (!m_bCapturing)
        return FALSE;
    if (PreTranslateZoom(*msg))
        return TRUE;
    // A held arrow keeps moving; a held Enter ends the capture once.
    const bool repeat = (msg->lParam & (1 << 30)) != 0;
    if (LeavingKey(*msg)) {
        if (IsKeyDown(*msg) && !repeat)
            RunCapture(CaptureEvent::FinishKey);
        return TRUE;
    }
    if (msg->message != WM_KEYDOWN && msg->message != WM_KEYUP)
        return FALSE;
    NudgeKey key;
    const bool arrow = ArrowKey(msg->wParam, key);
    if (!arrow && msg->wParam != VK_RETURN && msg->wParam != VK_SPACE)
        return FALSE;
    if (msg->message == WM_KEYDOWN && arrow) {
        POINT cursor;
        // While the input desktop changes the cursor cannot be read.
        if (!::GetCursorPos(&cursor))
            return TRUE;
        const CursorPoint to =
            NudgeCursor({cursor.x, cursor.y}, key, ::GetKeyState(VK_SHIFT) < 0, VirtualScreen());
        // Across monitors of different sizes SetCursorPos is reported to
        // stop short on Windows: where the cursor is not where it was put,
        // it is put there once more.
        ::SetCursorPos(to.x, to.y);
        ::GetCursorPos(&cursor);
        if (cursor.x != to.x || cursor.y != to.y)
            ::SetCursorPos(to.x, to.y);
        RunCapture(CaptureEvent::CursorKey);
    } else if (msg->message == WM_KEYDOWN && !repeat) {
        RunCapture(CaptureEvent::FinishKey);
    }
    return TRUE;
}

// Esc, the close box and the exit command all end here: a capture still on
// lets go of its button while the dialog can still take the release.
void CPickerDlg::OnCancel()
{
    RunCapture(CaptureEvent::Close);
    CDialog::OnCancel();
}

// Another program in front: its window routes the mouse, ours no longer.
void CPickerDlg::OnActivateApp(UINT_PTR active)
{
    if (active)
        Default();
    else
        RunCapture(CaptureEvent::Deactivated);
}

// Sent when a dialog or message box opens, and on Windows when another
// program takes the foreground.
void CPickerDlg::OnCancelMode() { RunCapture(CaptureEvent::Deactivated); }

// Only a capture taken by another window ends capture mode; releasing it
// ourselves clears the flag first, so that path finds the mode already idle.
void CPickerDlg::OnCaptureChanged(HWND hWndNew)
{
    if (hWndNew != m_hWnd)
        RunCapture(CaptureEvent::CaptureLost);
    else
        Default();
}
