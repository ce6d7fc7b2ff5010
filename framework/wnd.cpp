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
    RECT area;
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner) && !::IsIconic(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    }
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    int x = area.left + (area.right - area.left - width) / 2;
    int y = area.top + (area.bottom - area.top - height) / 2;
    // Never push the caption off the screen, where it could not be dragged.
    RECT screen;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &screen, 0);
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
