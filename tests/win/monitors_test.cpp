// Two monitors, the primary one on the right, so that the other lies at
// negative coordinates, and of different heights, so that part of the
// virtual screen is on no monitor (two-monitors.sh sets the desktop up).
// The magnifier reads the left monitor, both across their border, and
// leaves black what lies on neither.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/harness.h"
#include "tests/win/view_model.h"

namespace {

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data)
{
    reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
    return TRUE;
}

std::vector<RECT> Monitors()
{
    std::vector<RECT> monitors;
    ::EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// Same as the dialog's own move handler gets it during a capture.
void CaptureMoveTo(CPickerDlg& dlg, int x, int y)
{
    dlg.m_bCapturing = true;
    ::SetCursorPos(x, y);
    ::SendMessageW(dlg.m_hWnd, WM_MOUSEMOVE, 0, 0);
    dlg.m_bCapturing = false;
}

} // namespace

TEST(Monitors, MagnifierReadsTheWholeVirtualScreenAndNothingBeyondTheMonitors)
{
    const std::vector<RECT> monitors = Monitors();
    ASSERT_EQ(monitors.size(), 2u) << "run by two-monitors.sh";
    const RECT left = monitors[0].left < monitors[1].left ? monitors[0] : monitors[1];
    const RECT right = monitors[0].left < monitors[1].left ? monitors[1] : monitors[0];
    ASSERT_LT(left.left, 0);
    ASSERT_EQ(right.left, 0);
    ASSERT_GT(left.bottom, right.bottom) << "the primary monitor is the lower one";

    // Across the border of the two monitors and down into the part below the
    // primary one, which no monitor shows.
    const RECT patternRect{-100, right.bottom - 150, 100, right.bottom + 50};
    PatternWindow pattern(patternRect, UniquePattern);
    const POINT moves[] = {
        {-60, right.bottom - 100},  // the left monitor alone
        {-3, right.bottom - 100},   // both monitors
        {40, right.bottom - 10},    // the primary one and the part below it
        {-8, right.bottom + 20},    // the left monitor and the part on none
        {50, right.bottom + 25},    // the pick itself on no monitor
    };
    PickerHarness::Run([&](CPickerDlg& dlg) {
        Pump(300);
        for (const POINT& at : moves) {
            SCOPED_TRACE(testing::Message() << "move to " << at.x << ", " << at.y);
            CaptureMoveTo(dlg, at.x, at.y);
            const SIZE size = ViewSize(dlg);
            const Image expected = ModelView(size, at.x, at.y);
            std::string first;
            EXPECT_EQ(CountDifferences(ViewInside(dlg), expected, first), 0) << "first: " << first;
            const POINT source = ModelPickSource(size, at.x, at.y);
            const POINT sourcePoint{source.x, source.y};
            const bool onAMonitor = ::PtInRect(&left, sourcePoint) || ::PtInRect(&right, sourcePoint);
            EXPECT_EQ(dlg.m_crColor, onAMonitor ? pattern.AtScreen(source.x, source.y) : 0);
            EXPECT_TRUE(dlg.m_ptPicked && dlg.m_ptPicked->x == source.x && dlg.m_ptPicked->y == source.y);
        }
    });
}

// The About box opens on the dialog's monitor, wholly inside its work area,
// also where the dialog lies left of the primary monitor.
TEST(Monitors, AboutBoxOpensOnTheDialogsMonitor)
{
    PickerHarness::Run([&](CPickerDlg& dlg) {
        for (const POINT& at : {POINT{-1024, 0}, POINT{-200, 520}, POINT{700, 100}}) {
            SCOPED_TRACE(testing::Message() << "dialog at " << at.x << ", " << at.y);
            ::SetWindowPos(dlg.m_hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            MONITORINFO monitor{sizeof monitor, {}, {}, 0};
            ::GetMonitorInfoW(::MonitorFromWindow(dlg.m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
            RECT about{}, inside;
            RunSoon([&] {
                ::GetWindowRect(::GetActiveWindow(), &about);
                ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
            });
            ::SendMessageW(dlg.m_hWnd, WM_COMMAND, ID_ABOUT, 0);
            ::IntersectRect(&inside, &about, &monitor.rcWork);
            EXPECT_TRUE(::EqualRect(&inside, &about)) << "About box at " << about.left << ", " << about.top;
        }
    });
}
