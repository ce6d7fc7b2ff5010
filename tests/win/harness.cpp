#include "tests/win/harness.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "app/picker_app.h"
#include "framework/gdi.h"

namespace {

std::map<UINT_PTR, std::function<void()>>& PendingActions()
{
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    auto& actions = PendingActions();
    auto it = actions.find(id);
    if (it == actions.end())
        return;
    std::function<void()> action = std::move(it->second);
    actions.erase(it);
    action();
}

HWND g_activeDialog = nullptr;

} // namespace

void RunSoon(std::function<void()> action, UINT delay_ms)
{
    const UINT_PTR id = ::SetTimer(nullptr, 0, delay_ms, OnTimer);
    PendingActions()[id] = std::move(action);
}

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            HWND dialog = ::GetActiveWindow();
            if (!dialog)
                dialog = g_activeDialog;
            if (dialog && ::IsDialogMessageW(dialog, &msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (::GetTickCount() - start < ms)
            ::Sleep(1);
    } while (::GetTickCount() - start < ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeout_ms)
            return false;
        Pump(5);
    }
    return true;
}

namespace {

INT_PTR RunDialog(const std::function<void(CPickerDlg&)>& body,
                  const std::function<void(CPickerDlg&)>& after, bool closeAfterBody)
{
    CPickerDlg dlg;
    theApp.m_pMainWnd = &dlg;
    bool ran = false;
    RunSoon([&] {
        g_activeDialog = dlg.m_hWnd;
        ran = true;
        body(dlg);
        if (closeAfterBody) {
            if (::IsWindow(dlg.m_hWnd))
                ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        HWND window = dlg.m_hWnd;
        RunSoon([window] {
            if (::IsWindow(window)) {
                ADD_FAILURE() << "the dialog did not end";
                ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
            }
        }, 5000);
    });
    const INT_PTR result = dlg.DoModal();
    g_activeDialog = nullptr;
    if (!ran)
        ADD_FAILURE() << "the dialog ended before the test body ran";
    if (after)
        after(dlg);
    theApp.m_pMainWnd = nullptr;
    return result;
}

} // namespace

INT_PTR PickerHarness::Run(const std::function<void(CPickerDlg&)>& body)
{
    return RunDialog(body, nullptr, true);
}

INT_PTR PickerHarness::RunToEnd(const std::function<void(CPickerDlg&)>& body,
                                const std::function<void(CPickerDlg&)>& after)
{
    return RunDialog(body, after, false);
}

std::wstring WindowText(HWND hWnd)
{
    const int length = ::GetWindowTextLengthW(hWnd);
    std::vector<wchar_t> text(length + 1);
    const int copied = ::GetWindowTextW(hWnd, text.data(), length + 1);
    return std::wstring(text.data(), copied);
}

std::wstring ClipboardText()
{
    std::wstring text;
    if (!::OpenClipboard(nullptr))
        return L"<clipboard busy>";
    if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

void ClearClipboard()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

bool IsMenuChecked(HWND hWnd, UINT id)
{
    return (::GetMenuState(::GetMenu(hWnd), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

COLORREF ClientPixel(HWND hWnd, int x, int y)
{
    HDC dc = ::GetDC(hWnd);
    const COLORREF color = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return color;
}

void SendKey(WORD vk)
{
    INPUT input[2]{};
    input[0].type = INPUT_KEYBOARD;
    input[0].ki.wVk = vk;
    input[1] = input[0];
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

void SendMouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(INPUT));
}
