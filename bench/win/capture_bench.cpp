// Times the capture move of the real main dialog: each WM_MOUSEMOVE while
// capturing runs Magnify and PickColor (with its UpdateColor), at 2x with a
// single pixel as every start has it and at 16x with the 5 x 5 average. Every
// call is timed on its own with QueryPerformanceCounter; the median and the
// 99th percentile are printed in microseconds.
//
//   capture_bench [moves]        (default 10000)
//
// The cursor stands over a window of this process painted with a gradient,
// so the screen read is the same work wherever the program runs; it moves
// to a new pixel before every timed call. The capture flag is set directly
// and the moves are sent to the handler, so no input is injected.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/picker_app.h"
#include "res/resource.h"
#include "ui/picker_dlg.h"

namespace {

const RECT kPictureRect{0, 0, 200, 200};

LRESULT CALLBACK PictureProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        for (int y = 0; y < kPictureRect.bottom; ++y) {
            for (int x = 0; x < kPictureRect.right; ++x)
                ::SetPixel(dc, x, y, RGB(x + 20, y + 20, (x * 5 + y * 3) & 0xFF));
        }
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND ShowPicture()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = PictureProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TintoraBenchPicture";
    ::RegisterClassW(&wc);
    HWND hWnd = ::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE,
                                  wc.lpszClassName, L"", WS_POPUP, kPictureRect.left,
                                  kPictureRect.top, kPictureRect.right, kPictureRect.bottom,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ::ShowWindow(hWnd, SW_SHOWNOACTIVATE);
    ::UpdateWindow(hWnd);
    return hWnd;
}

// Handles whatever is queued (the controls' repaints among it), untimed.
void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

struct Series {
    const char* name;
    std::function<void()> call;
    std::vector<double> micros;
    int factor = kMinZoomFactor;
    int sample = 1;
};

double Percentile(std::vector<double> sorted, double p)
{
    std::sort(sorted.begin(), sorted.end());
    const std::size_t index = static_cast<std::size_t>(p * static_cast<double>(sorted.size() - 1) + 0.5);
    return sorted[index];
}

void Run(CPickerDlg& dlg, int moves)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    const double toMicros = 1e6 / static_cast<double>(frequency.QuadPart);

    HWND h = dlg.m_hWnd;
    std::vector<Series> series = {
        {"move (WM_MOUSEMOVE handler)", [&] { ::SendMessageW(h, WM_MOUSEMOVE, 0, 0); }, {}},
        {"move + the repaint it causes",
         [&] {
             ::SendMessageW(h, WM_MOUSEMOVE, 0, 0);
             ::RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
         },
         {}},
        {"Magnify alone", [&] { dlg.Magnify(); }, {}},
        {"PickColor alone", [&] { dlg.PickColor(); }, {}},
        {"GetCenterPixel alone", [&] { dlg.GetCenterPixel(); }, {}},
        {"move at 16x, 5x5", [&] { ::SendMessageW(h, WM_MOUSEMOVE, 0, 0); }, {}, 16, 5},
        {"Magnify alone at 16x, 5x5", [&] { dlg.Magnify(); }, {}, 16, 5},
        {"PickColor alone, 5x5", [&] { dlg.PickColor(); }, {}, 16, 5},
    };

    dlg.m_bCapturing = true;
    // The series take turns call by call, so that whatever else loads the
    // machine meanwhile falls on all of them alike. A few untimed rounds
    // first, so that the first screen reads and control repaints do not count.
    for (int i = -100; i < moves; ++i) {
        for (Series& s : series) {
            dlg.m_nZoomFactor = s.factor;
            dlg.SelectSample(s.sample);
            ::SetCursorPos(30 + (i * 7 & 127), 30 + (i * 13 & 127));
            Pump();
            LARGE_INTEGER start, end;
            ::QueryPerformanceCounter(&start);
            s.call();
            ::QueryPerformanceCounter(&end);
            if (i >= 0)
                s.micros.push_back(static_cast<double>(end.QuadPart - start.QuadPart) * toMicros);
        }
    }
    dlg.m_bCapturing = false;

    RECT view;
    dlg.m_stZoomView.GetClientRect(&view);
    std::printf("capture moves: %d per series, zoom view %ld x %ld, format RGB, 2x and one pixel unless named\n",
                moves, view.right, view.bottom);
    std::printf("%-32s %12s %12s %12s\n", "series", "median us", "p99 us", "max us");
    for (const Series& s : series) {
        std::printf("%-32s %12.1f %12.1f %12.1f\n", s.name, Percentile(s.micros, 0.5),
                    Percentile(s.micros, 0.99), Percentile(s.micros, 1.0));
    }
    std::fflush(stdout);
}

int g_moves = 10000;
CPickerDlg* g_dlg = nullptr;

void CALLBACK OnStart(HWND, UINT, UINT_PTR id, DWORD)
{
    ::KillTimer(nullptr, id);
    Run(*g_dlg, g_moves);
    ::PostMessageW(g_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        g_moves = std::max(1, std::atoi(argv[1]));
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    HWND picture = ShowPicture();
    Pump();

    CPickerDlg dlg;
    g_dlg = &dlg;
    theApp.m_pMainWnd = &dlg;
    // The timer fires inside the dialog's modal loop, once the window is up.
    ::SetTimer(nullptr, 0, 100, OnStart);
    dlg.DoModal();
    theApp.m_pMainWnd = nullptr;
    ::DestroyWindow(picture);
    return 0;
}
