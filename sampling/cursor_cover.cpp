#include "sampling/cursor_cover.h"

namespace {

const wchar_t kClassName[] = L"TintoraCursorCover";
// Pixels on each side of the centre.
constexpr int kReach = 2;

ATOM RegisterCoverClass(WNDPROC proc)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = proc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = kClassName;
    return ::RegisterClassW(&wc);
}

} // namespace

// A click that lands here must not bring us to the front.
LRESULT CALLBACK CCursorCover::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

CCursorCover::CCursorCover()
{
    static const ATOM registered = RegisterCoverClass(WndProc);
    if (!registered || !::GetCursorPos(&m_centre))
        return;
    // A layered window with an alpha above 0 is hit like any other; at 1 it
    // cannot be seen.
    m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_LAYERED, kClassName,
                               L"", WS_POPUP, m_centre.x - kReach, m_centre.y - kReach, 2 * kReach + 1,
                               2 * kReach + 1, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (!m_hWnd)
        return;
    ::SetLayeredWindowAttributes(m_hWnd, 0, 1, LWA_ALPHA);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CCursorCover::~CCursorCover()
{
    if (m_hWnd)
        ::DestroyWindow(m_hWnd);
}

bool CCursorCover::Covers() const
{
    POINT cursor;
    return m_hWnd && ::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == m_hWnd;
}
