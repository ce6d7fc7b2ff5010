// Another process, for what only another process can see of the program:
//   other_process                 exits with the mouse buttons as the system
//                                 counts them: 1 right held, 2 left held
//   other_process count L T R B [S]  a topmost window there that counts
//                                 the mouse-button messages it gets; WM_APP
//                                 answers the count, and so does the exit
//                                 code, when closed or after S seconds
//   other_process swap            plays Windows with swapped buttons: a
//                                 low-level hook turns every button the
//                                 program injects into the other physical one
// The last two show a hidden or visible window of class TintoraOtherProcess
// once they are ready, and run until they are closed or ended.
#include <windows.h>

#include <cstdlib>
#include <cwchar>

#include "sampling/capture_model.h"

namespace {

int g_buttonMessages = 0;

bool IsButtonMessage(UINT message)
{
    return (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) ||
           (message >= WM_XBUTTONDOWN && message <= WM_XBUTTONDBLCLK) ||
           (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK) || message == WM_CONTEXTMENU;
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (IsButtonMessage(message))
        ++g_buttonMessages;
    switch (message) {
    case WM_APP:
        return g_buttonMessages;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_TIMER:
        ::DestroyWindow(hWnd);
        return 0;
    case WM_DESTROY:
        ::PostQuitMessage(g_buttonMessages);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

// The substitutes this process injected, by low-level message, still to pass.
int g_passing[WM_MOUSELAST + 1];

// The other physical button's message and injection flag.
struct Swap {
    UINT message, other;
    DWORD flag;
};
const Swap kSwaps[] = {
    {WM_LBUTTONDOWN, WM_RBUTTONDOWN, MOUSEEVENTF_RIGHTDOWN},
    {WM_LBUTTONUP, WM_RBUTTONUP, MOUSEEVENTF_RIGHTUP},
    {WM_RBUTTONDOWN, WM_LBUTTONDOWN, MOUSEEVENTF_LEFTDOWN},
    {WM_RBUTTONUP, WM_LBUTTONUP, MOUSEEVENTF_LEFTUP},
};

LRESULT CALLBACK SwapHook(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    for (const Swap& swap : kSwaps) {
        if (code != HC_ACTION || wParam != swap.message || event->dwExtraInfo != kOwnInputTag)
            continue;
        if (g_passing[wParam] > 0) {
            --g_passing[wParam];
            break;
        }
        ++g_passing[swap.other];
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = swap.flag;
        input.mi.dwExtraInfo = kOwnInputTag;
        ::SendInput(1, &input, sizeof input);
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

int RunWindow(const RECT& rect, bool visible, UINT seconds = 0)
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = WndProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = L"TintoraOtherProcess";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName,
                                  L"other process", WS_POPUP, rect.left, rect.top, rect.right - rect.left,
                                  rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (visible)
        ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    if (seconds)
        ::SetTimer(hWnd, 1, seconds * 1000, nullptr);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return static_cast<int>(msg.wParam);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc >= 6 && std::wcscmp(argv[1], L"count") == 0) {
        const RECT rect{std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10),
                        std::wcstol(argv[4], nullptr, 10), std::wcstol(argv[5], nullptr, 10)};
        return RunWindow(rect, true, argc > 6 ? std::wcstol(argv[6], nullptr, 10) : 0);
    }
    if (argc == 2 && std::wcscmp(argv[1], L"swap") == 0) {
        HHOOK hook = ::SetWindowsHookExW(WH_MOUSE_LL, SwapHook, ::GetModuleHandleW(nullptr), 0);
        const int result = RunWindow({0, 0, 1, 1}, false);
        ::UnhookWindowsHookEx(hook);
        return result;
    }
    return ((::GetAsyncKeyState(VK_RBUTTON) & 0x8000) ? 1 : 0) | ((::GetAsyncKeyState(VK_LBUTTON) & 0x8000) ? 2 : 0);
}
