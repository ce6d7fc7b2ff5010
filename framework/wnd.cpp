#include "framework/wnd.h"

LRESULT CWnd::WindowProc(UINT, WPARAM, LPARAM)
{
    return Default();
}

LRESULT CWnd::Default()
{
    if (!m_pCurrentMsg)
        return 0;
    return ::DefWindowProcW(m_hWnd, m_pCurrentMsg->message, m_pCurrentMsg->wParam,
                            m_pCurrentMsg->lParam);
}

void CWnd::CenterWindow() const
{
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    const bool overOwner = owner && ::IsWindowVisible(owner) && !::IsIconic(owner);
    // The owner's monitor, not the primary one, so that a box opened from a
    // window on another monitor stays beside it (and at that monitor's DPI).
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(overOwner ? ::MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST)
                                : ::MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY),
                      &monitor);
    const RECT& screen = monitor.rcWork;
    RECT area = screen;
    if (overOwner)
        ::GetWindowRect(owner, &area);
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Never push the caption off the monitor, where it could not be dragged.
    if (x + width > screen.right)
        x = screen.right - width;
    if (y + height > screen.bottom)
        y = screen.bottom - height;
    if (x < screen.left)
        x = screen.left;
    if (y < screen.top)
        y = screen.top;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
