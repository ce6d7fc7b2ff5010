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

void Repaint(CPickerDlg& dlg)
{
    ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump(10);
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

void SendKeyWith(WORD modifier, WORD vk)
{
    INPUT input[4]{};
    for (INPUT& one : input)
        one.type = INPUT_KEYBOARD;
    input[0].ki.wVk = modifier;
    input[1].ki.wVk = vk;
    input[2].ki.wVk = vk;
    input[3].ki.wVk = modifier;
    input[2].ki.dwFlags = input[3].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(4, input, sizeof(INPUT));
}

HANDLE StartProgram(const std::wstring& commandLine)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<wchar_t> line(commandLine.begin(), commandLine.end());
    line.push_back(0);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << "cannot start " << std::string(commandLine.begin(), commandLine.end());
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

DWORD RunProgram(const std::wstring& commandLine)
{
    HANDLE process = StartProgram(commandLine);
    if (!process)
        return ~0u;
    DWORD code = ~0u;
    if (::WaitForSingleObject(process, 10000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process, &code);
    ::CloseHandle(process);
    return code;
}

namespace {

std::wstring OtherProcessCommand(const std::wstring& arguments)
{
    wchar_t path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring program(path, length);
    program.resize(program.find_last_of(L"\\/") + 1);
    return L"\"" + program + L"other_process.exe\" " + arguments;
}

} // namespace

bool ButtonDownElsewhere()
{
    const DWORD code = RunProgram(OtherProcessCommand(L""));
    EXPECT_LE(code, 1u) << "other_process.exe answered " << code;
    return code == 1;
}

OtherProcess::OtherProcess(const std::wstring& arguments)
    : m_process(StartProgram(OtherProcessCommand(arguments)))
{
    const std::wstring mode = arguments.substr(0, arguments.find(L' '));
    EXPECT_TRUE(PumpUntil([&] { return (m_hWnd = ::FindWindowW(L"TintoraOtherProcess", mode.c_str())); }, 5000));
    Pump(100);
}

OtherProcess::~OtherProcess()
{
    ::PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(m_process, 3000) != WAIT_OBJECT_0)
        ::TerminateProcess(m_process, 1);
    ::CloseHandle(m_process);
}

int OtherProcess::ButtonMessages() const
{
    return static_cast<int>(::SendMessageW(m_hWnd, WM_APP, 0, 0));
}

void SendMouseButton(DWORD flags)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof(INPUT));
}

void MoveCursorTo(int x, int y)
{
    ::SetCursorPos(x, y);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    ::SendInput(1, &input, sizeof(INPUT));
}

void MoveCursorTo(POINT point)
{
    MoveCursorTo(point.x, point.y);
}

POINT ClientCentre(HWND hWnd)
{
    RECT rc;
    ::GetClientRect(hWnd, &rc);
    return ClientToScreenPoint(hWnd, rc.right / 2, rc.bottom / 2);
}

POINT ClientToScreenPoint(HWND hWnd, int x, int y)
{
    POINT point{x, y};
    ::ClientToScreen(hWnd, &point);
    return point;
}

namespace {

struct MessageCounts {
    std::map<std::pair<HWND, UINT>, int> queued;
    std::map<std::pair<HWND, UINT>, int> sent;
    std::map<std::pair<HWND, UINT>, LPARAM> lastSentLParam;
};
MessageCounts* g_counts = nullptr;

LRESULT CALLBACK CountGetMessage(int code, WPARAM wParam, LPARAM lParam)
{
    // A peek that leaves the message in the queue sees it again later.
    if (code == HC_ACTION && wParam == PM_REMOVE && g_counts) {
        const MSG* msg = reinterpret_cast<const MSG*>(lParam);
        ++g_counts->queued[{msg->hwnd, msg->message}];
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK CountCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && g_counts) {
        const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        ++g_counts->sent[{msg->hwnd, msg->message}];
        g_counts->lastSentLParam[{msg->hwnd, msg->message}] = msg->lParam;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

template <class Map>
auto Lookup(const Map& map, HWND hWnd, UINT message) -> typename Map::mapped_type
{
    auto it = map.find({hWnd, message});
    return it == map.end() ? typename Map::mapped_type{} : it->second;
}

} // namespace

MessageCounter::MessageCounter()
{
    g_counts = new MessageCounts;
    const DWORD thread = ::GetCurrentThreadId();
    m_getMessage = ::SetWindowsHookExW(WH_GETMESSAGE, CountGetMessage, nullptr, thread);
    m_callWndProc = ::SetWindowsHookExW(WH_CALLWNDPROC, CountCallWndProc, nullptr, thread);
    if (!m_getMessage || !m_callWndProc)
        ADD_FAILURE() << "message hooks not installed";
}

MessageCounter::~MessageCounter()
{
    ::UnhookWindowsHookEx(m_getMessage);
    ::UnhookWindowsHookEx(m_callWndProc);
    delete g_counts;
    g_counts = nullptr;
}

int MessageCounter::Queued(HWND hWnd, UINT message) const
{
    return Lookup(g_counts->queued, hWnd, message);
}

int MessageCounter::Sent(HWND hWnd, UINT message) const
{
    return Lookup(g_counts->sent, hWnd, message);
}

int MessageCounter::QueuedElsewhere(HWND except, UINT message) const
{
    int count = 0;
    for (const auto& [key, n] : g_counts->queued)
        if (key.first != except && key.second == message)
            count += n;
    return count;
}

LPARAM MessageCounter::LastSentLParam(HWND hWnd, UINT message) const
{
    return Lookup(g_counts->lastSentLParam, hWnd, message);
}

void MessageCounter::Reset()
{
    *g_counts = MessageCounts{};
}

namespace {

Image GrabFrom(HWND hWnd, const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    Image image(width, height);
    if (width <= 0 || height <= 0)
        return image;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC source = ::GetDC(hWnd);
    HDC memory = ::CreateCompatibleDC(source);
    HBITMAP dib = ::CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, dib);
    ::BitBlt(memory, 0, 0, width, height, source, rect.left, rect.top, SRCCOPY);
    ::GdiFlush();
    // A DIB pixel is 0x00RRGGBB; a COLORREF is 0x00BBGGRR.
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const DWORD p = pixels[y * width + x];
            image.at(x, y) = RGB(p >> 16 & 0xFF, p >> 8 & 0xFF, p & 0xFF);
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(dib);
    ::DeleteDC(memory);
    ::ReleaseDC(hWnd, source);
    return image;
}

const wchar_t kPatternClass[] = L"TintoraTestPattern";

} // namespace

Image GrabScreen(const RECT& rect)
{
    return GrabFrom(::GetDesktopWindow(), rect);
}

Image GrabClient(HWND hWnd, const RECT& rect)
{
    return GrabFrom(hWnd, rect);
}

COLORREF UniquePattern(int x, int y)
{
    return RGB(x + 20, y + 20, (x * 5 + y * 3) & 0xFF);
}

PatternWindow::PatternWindow(const RECT& screenRect, Pattern pattern)
    : m_rect(screenRect), m_pattern(std::move(pattern))
{
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kPatternClass;
        return ::RegisterClassW(&wc);
    }();
    (void)atom;
    m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kPatternClass,
                               L"pattern", WS_POPUP, m_rect.left, m_rect.top,
                               m_rect.right - m_rect.left, m_rect.bottom - m_rect.top, nullptr,
                               nullptr, ::GetModuleHandleW(nullptr), this);
    ::ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(m_hWnd);
}

PatternWindow::~PatternWindow()
{
    ::DestroyWindow(m_hWnd);
}

COLORREF PatternWindow::AtScreen(int x, int y) const
{
    return m_pattern(x - m_rect.left, y - m_rect.top);
}

bool PatternWindow::WaitShown(DWORD timeout_ms) const
{
    return PumpUntil([&] {
        const Image shown = GrabScreen(m_rect);
        for (int y = 0; y < shown.height; ++y)
            for (int x = 0; x < shown.width; ++x)
                if (shown.at(x, y) != m_pattern(x, y))
                    return false;
        return true;
    }, timeout_ms);
}

LRESULT CALLBACK PatternWindow::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<PatternWindow*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    switch (message) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        if (self) {
            const int width = self->m_rect.right - self->m_rect.left;
            const int height = self->m_rect.bottom - self->m_rect.top;
            std::vector<DWORD> pixels(static_cast<std::size_t>(width) * height);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const COLORREF c = self->m_pattern(x, y);
                    pixels[y * width + x] = GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c);
                }
            }
            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = -height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            ::SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info,
                                DIB_RGB_COLORS);
        }
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}
