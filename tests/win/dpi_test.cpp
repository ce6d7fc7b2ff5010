// The program at 144 DPI, in a Wine prefix of its own (run-at-dpi.sh): the
// zoom view and its bitmap at the DPI's pixel size, exact picks, and a DPI
// change as the system sends it when the dialog moves to a monitor of
// another DPI.
#include <gtest/gtest.h>

#include <string>

#include "framework/gdi.h"
#include "res/resource.h"
#include "tests/win/harness.h"
#include "tests/win/view_model.h"

namespace {

constexpr int kDpi = 144;
const RECT kPatternRect{0, 0, 200, 200};

int ScreenDpi()
{
    HDC dc = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(dc, LOGPIXELSX);
    ::ReleaseDC(nullptr, dc);
    return dpi;
}

// The zoom view's rectangle in the template, in dialog units.
SIZE TemplateViewSize(HWND dialog)
{
    RECT rc{2, 4, 2 + 72, 4 + 84};
    ::MapDialogRect(dialog, &rc);
    return {rc.right - rc.left, rc.bottom - rc.top};
}

SIZE BitmapSize(const CBitmap& bitmap)
{
    BITMAP info{};
    ::GetObjectW(bitmap.GetSafeHandle(), sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// One capture move to (x, y), sent straight to the handler; then the view
// against the model pixel for pixel and the pick against the picture.
void ExpectExactMove(CPickerDlg& dlg, const PatternWindow& pattern, int x, int y)
{
    SCOPED_TRACE(testing::Message() << "move to " << x << ", " << y);
    dlg.m_bCapturing = true;
    ::SetCursorPos(x, y);
    ::SendMessageW(dlg.m_hWnd, WM_MOUSEMOVE, 0, 0);
    dlg.m_bCapturing = false;

    const SIZE size = ViewSize(dlg);
    const Image expected = ModelView(size, x, y);
    std::string first;
    EXPECT_EQ(CountDifferences(ViewInside(dlg), expected, first), 0) << "first: " << first;
    const POINT source = ModelPickSource(size, x, y);
    // Under the cursor or its right or lower neighbour, never further.
    EXPECT_GE(source.x, x);
    EXPECT_LE(source.x, x + 1);
    EXPECT_GE(source.y, y);
    EXPECT_LE(source.y, y + 1);
    EXPECT_EQ(GetCenterPixel(expected, size.cx, size.cy), pattern.AtScreen(source.x, source.y));
    EXPECT_EQ(dlg.m_crColor, pattern.AtScreen(source.x, source.y));
    EXPECT_TRUE(dlg.m_ptPicked && dlg.m_ptPicked->x == source.x && dlg.m_ptPicked->y == source.y);
}

// What the dialog manager of a per-monitor (v2) dialog does on a DPI
// change before the dialog sees it: every control moved and sized anew.
void RelayoutControls(HWND dialog, int to, int from)
{
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rc;
        ::GetWindowRect(child, &rc);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
        const int left = ::MulDiv(rc.left, to, from), top = ::MulDiv(rc.top, to, from);
        ::SetWindowPos(child, nullptr, left, top, ::MulDiv(rc.right, to, from) - left,
                       ::MulDiv(rc.bottom, to, from) - top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ExpectBitmapFitsView(CPickerDlg& dlg)
{
    const SIZE view = ViewSize(dlg);
    ASSERT_NE(dlg.m_pZoomBitmap, nullptr);
    const SIZE bitmap = BitmapSize(*dlg.m_pZoomBitmap);
    EXPECT_EQ(bitmap.cx, view.cx - 2);
    EXPECT_EQ(bitmap.cy, view.cy - 2);
}

} // namespace

// At 144 DPI the dialog is laid out by its font at that DPI: the view has
// the template's size in pixels of this DPI, the bitmap has its inside, and
// every pick is the pixel under the cursor or its neighbour, with the view
// matching the model pixel for pixel.
TEST(HighDpi, ViewAndBitmapAtTheDpiAndExactPicks)
{
    ASSERT_EQ(ScreenDpi(), kDpi);
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        const SIZE view = ViewSize(dlg);
        const SIZE expected = TemplateViewSize(dlg.m_hWnd);
        RecordProperty("view", std::to_string(view.cx) + "x" + std::to_string(view.cy));
        EXPECT_EQ(view.cx, expected.cx);
        EXPECT_EQ(view.cy, expected.cy);
        // Larger than at 96 DPI (126 x 126 with this font) by nearly half.
        EXPECT_GT(view.cx, 126 * 4 / 3);
        EXPECT_GT(view.cy, 126 * 4 / 3);
        // An odd inside, where only an exact 2x keeps each screen pixel one block.
        EXPECT_TRUE(view.cx % 2 == 1 || view.cy % 2 == 1);
        ExpectBitmapFitsView(dlg);
        for (POINT at : {POINT{100, 100}, POINT{3, 5}, POINT{49, 54}, POINT{150, 60}, POINT{197, 188}})
            ExpectExactMove(dlg, pattern, at.x, at.y);
    });
}

// A DPI change as the system sends it: the dialog manager has laid the
// controls out anew (done here by hand, as Wine's does not), then
// WM_DPICHANGED brings the new DPI and the suggested window rectangle. The
// window takes that rectangle (grown to the template's height if need be),
// the bitmap the view's new inside at once, black, with the swatch painted
// again; picks stay exact and the handle count stays as it was.
TEST(HighDpi, DpiChangeGivesTheBitmapTheViewsNewSize)
{
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        const int live = GdiLiveCount();
        ExpectExactMove(dlg, pattern, 100, 100);
        int current = kDpi;

        // Up to 192 DPI, down to 96 and back.
        for (const int dpi : {192, 96, kDpi}) {
            SCOPED_TRACE(dpi);
            const COLORREF colour = dlg.m_crColor;
            RECT window;
            ::GetWindowRect(dlg.m_hWnd, &window);
            const int from = current;
            RelayoutControls(dlg.m_hWnd, dpi, from);
            RECT suggested{400, 300, 400 + ::MulDiv(window.right - window.left, dpi, from),
                           300 + ::MulDiv(window.bottom - window.top, dpi, from)};
            ::SendMessageW(dlg.m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                           reinterpret_cast<LPARAM>(&suggested));
            current = dpi;

            // The suggested rectangle, taller only where its client area is
            // shorter than the template. Wine's dialog manager keeps the
            // dialog units of the starting DPI, so at 96 the window grows.
            RECT now, client, needed{0, 0, 127, 159};
            ::GetWindowRect(dlg.m_hWnd, &now);
            ::GetClientRect(dlg.m_hWnd, &client);
            ::MapDialogRect(dlg.m_hWnd, &needed);
            EXPECT_TRUE(now.left == suggested.left && now.top == suggested.top && now.right == suggested.right);
            EXPECT_GE(client.bottom, needed.bottom);
            EXPECT_TRUE(now.bottom == suggested.bottom || client.bottom == needed.bottom);
            ExpectBitmapFitsView(dlg);
            EXPECT_EQ(GdiLiveCount(), live);
            const Image inside = ViewInside(dlg);
            std::string first;
            EXPECT_EQ(CountDifferences(inside, Image(inside.width, inside.height, 0), first), 0)
                << "the new bitmap is black and shown at once; first: " << first;
            RECT swatch;
            ::GetClientRect(dlg.m_stSwatch.m_hWnd, &swatch);
            EXPECT_EQ(ClientPixel(dlg.m_stSwatch.m_hWnd, swatch.right / 2, swatch.bottom / 2), colour);

            ExpectExactMove(dlg, pattern, 120, 80);
            ExpectExactMove(dlg, pattern, 7, 190);
            EXPECT_EQ(GdiLiveCount(), live);
        }
    });
}
