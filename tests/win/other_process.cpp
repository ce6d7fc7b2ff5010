// Another process, for what only another process sees of the program:
//   other_process                exits 1 while a mouse button is held, else 0
//   other_process count L T R B  a topmost window there that counts the
//                                mouse-button messages it gets (WM_APP answers;
//                                WM_APP + 1 takes the foreground)
//   other_process swap           Windows' button swap: a low-level hook turns
//                                every button the program injects into the other
//   other_process names HWND...  puts on the clipboard, a line a window, the
//                                result of UI Automation's wrapping of its
//                                accessible object and its names as screen
//                                readers read them
// The count and swap modes show a window of class TintoraOtherProcess, titled
// by the mode, once they are ready.
#include <windows.h>
#include <initguid.h>
#include <oleacc.h>

#include <cstdlib>
#include <cwchar>
#include <string>

#include "framework/clipboard.h"
#include "sampling/capture_model.h"

namespace {

int g_buttonMessages = 0;
// Substitutes this process injected, by low-level message, still to pass.
int g_passing[WM_MOUSELAST + 1];

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message >= WM_LBUTTONDOWN && message <= WM_XBUTTONDBLCLK && message != WM_MOUSEWHEEL) ||
        (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK) || message == WM_CONTEXTMENU)
        ++g_buttonMessages;
    if (message == WM_APP)
        return g_buttonMessages;
    // Another program takes the foreground by itself, with a window of its
    // own away from the cursor.
    if (message == WM_APP + 1) {
        HWND front = ::CreateWindowExW(0, L"TintoraOtherProcess", L"front", WS_POPUP | WS_VISIBLE, 600, 500, 80, 80,
                                       hWnd, nullptr, nullptr, nullptr);
        ::SetForegroundWindow(front);
        return 0;
    }
    if (message == WM_MOUSEACTIVATE)
        return MA_NOACTIVATE;
    if (message == WM_DESTROY)
        ::PostQuitMessage(0);
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK SwapHook(int code, WPARAM wParam, LPARAM lParam)
{
    static const struct {
        UINT message, other;
        DWORD flag;
    } kSwaps[] = {
        {WM_LBUTTONDOWN, WM_RBUTTONDOWN, MOUSEEVENTF_RIGHTDOWN}, {WM_LBUTTONUP, WM_RBUTTONUP, MOUSEEVENTF_RIGHTUP},
        {WM_RBUTTONDOWN, WM_LBUTTONDOWN, MOUSEEVENTF_LEFTDOWN}, {WM_RBUTTONUP, WM_LBUTTONUP, MOUSEEVENTF_LEFTUP},
    };
    const auto* event = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    for (const auto& swap : kSwaps) {
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

// UI Automation's wrapping of an MSAA object; not in mingw's headers.
using WrapFn = HRESULT(WINAPI*)(IAccessible*, long, DWORD, IUnknown**);

int PutNamesOnClipboard(int count, wchar_t** windows)
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const auto wrap = reinterpret_cast<WrapFn>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::LoadLibraryW(L"uiautomationcore.dll"), "UiaProviderFromIAccessible")));
    LPOLESTR accName[] = {const_cast<LPOLESTR>(L"accName")};
    std::wstring names;
    for (int i = 0; i < count; ++i) {
        IAccessible* accessible = nullptr;
        IUnknown* provider = nullptr;
        BSTR name = nullptr;
        VARIANT self{}, late{};
        self.vt = VT_I4;  // lVal 0: CHILDID_SELF
        DISPPARAMS byChild{&self, nullptr, 1, 0};
        DISPID id = 0;
        HWND hWnd = reinterpret_cast<HWND>(std::wcstoull(windows[i], nullptr, 10));
        const HRESULT hr = ::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, IID_IAccessible, (void**)&accessible);
        names += std::to_wstring(SUCCEEDED(hr) ? wrap(accessible, CHILDID_SELF, 0, &provider) : hr);
        // Where UI Automation wraps the object: the name early-bound, then
        // late-bound, by name and DISPID, as scripts read it.
        if (provider && SUCCEEDED(accessible->get_accName(self, &name)) && name &&
            SUCCEEDED(accessible->GetIDsOfNames(IID_NULL, accName, 1, 0, &id)) &&
            SUCCEEDED(accessible->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &byChild, &late, nullptr, nullptr)) &&
            late.vt == VT_BSTR)
            names += L" " + std::wstring(name) + L" " + late.bstrVal;
        names += L"\n";
    }
    return SetClipboardText(nullptr, names) ? 0 : 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return (::GetAsyncKeyState(VK_RBUTTON) | ::GetAsyncKeyState(VK_LBUTTON)) < 0 ? 1 : 0;
    if (std::wcscmp(argv[1], L"names") == 0)
        return PutNamesOnClipboard(argc - 2, argv + 2);
    const bool count = std::wcscmp(argv[1], L"count") == 0 && argc == 6;
    if (!count)
        ::SetWindowsHookExW(WH_MOUSE_LL, SwapHook, ::GetModuleHandleW(nullptr), 0);
    int edge[4] = {0, 0, 1, 1};
    for (int i = 0; count && i < 4; ++i)
        edge[i] = std::wcstol(argv[i + 2], nullptr, 10);
    WNDCLASSW wc{0, WndProc, 0, 0, ::GetModuleHandleW(nullptr), nullptr, ::LoadCursorW(nullptr, IDC_ARROW),
                 static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)), nullptr, L"TintoraOtherProcess"};
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, wc.lpszClassName, argv[1],
                                  WS_POPUP, edge[0], edge[1], edge[2] - edge[0], edge[3] - edge[1], nullptr,
                                  nullptr, wc.hInstance, nullptr);
    if (count)
        ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0)
        ::DispatchMessageW(&msg);
    return 0;
}
