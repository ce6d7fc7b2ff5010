// No handler leaks a device context or a bitmap. GetGuiResources reports no
// GDI counts under Wine, so the class layer of this test build counts its
// own live handles (TINTORA_COUNT_GDI): the zoom bitmap is the only one that
// outlives a message.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/gdi.h"
#include "res/resource.h"
#include "tests/win/harness.h"
#include "tests/win/view_model.h"

namespace {

const RECT kPatternRect{0, 0, 200, 200};
const UINT kFormatCommands[] = {ID_FORMAT_RGB, ID_FORMAT_HSV, ID_FORMAT_HLS, ID_FORMAT_YMC};

COLORREF SwatchPixel(CPickerDlg& dlg)
{
    RECT rc;
    ::GetClientRect(dlg.m_stSwatch.m_hWnd, &rc);
    return ClientPixel(dlg.m_stSwatch.m_hWnd, rc.right / 2, rc.bottom / 2);
}

// One mouse move as the capture handler gets it.
void SendMove(CPickerDlg& dlg)
{
    ::SendMessageW(dlg.m_hWnd, WM_MOUSEMOVE, 0, 0);
}

// Runs `handler` and checks that it leaves as many live handles as it found.
// Returns false on the first leak so that a long loop stops there.
bool KeepsCount(const std::function<void()>& handler, const char* what, int i = 0)
{
    const int before = GdiLiveCount();
    handler();
    const int after = GdiLiveCount();
    EXPECT_EQ(after, before) << what << " #" << i;
    return after == before;
}

} // namespace

// Only the zoom bitmap lives across messages, from the dialog's
// initialisation to its destruction, however the dialog ends.
TEST(GdiHandles, OnlyTheZoomBitmapLivesWithTheDialog)
{
    struct Way {
        const char* name;
        UINT message;
        WPARAM wParam;
    };
    const Way ways[] = {
        {"Exit", WM_COMMAND, ID_EXIT},
        {"close", WM_SYSCOMMAND, SC_CLOSE},
        {"cancel", WM_COMMAND, IDCANCEL},
    };
    const int base = GdiLiveCount();
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        PickerHarness::RunToEnd(
            [&](CPickerDlg& dlg) {
                EXPECT_EQ(GdiLiveCount(), base + 1);
                ::PostMessageW(dlg.m_hWnd, way.message, way.wParam, 0);
            },
            [&](CPickerDlg& dlg) { EXPECT_EQ(dlg.m_pZoomBitmap, nullptr); });
        EXPECT_EQ(GdiLiveCount(), base);
    }
}

// Every handler that draws or reads pixels gives back what it took, and
// the helpers it calls do too, whether the bitmap exists or not.
TEST(GdiHandles, EveryHandlerGivesBackItsHandles)
{
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        HWND h = dlg.m_hWnd;
        const int live = GdiLiveCount();
        EXPECT_EQ(live, 1);
        ::SetCursorPos(100, 100);
        dlg.m_bCapturing = true;
        KeepsCount([&] { SendMove(dlg); }, "capture move");
        dlg.m_bCapturing = false;
        KeepsCount([&] { SendMove(dlg); }, "idle move");
        KeepsCount([&] { dlg.Magnify(); }, "Magnify");
        KeepsCount([&] { dlg.GetCenterPixel(); }, "GetCenterPixel");
        KeepsCount([&] { dlg.PickColor(); }, "PickColor");
        KeepsCount([&] { dlg.SelectSample(5), dlg.PickColor(), dlg.SelectSample(1); }, "averaged pick");
        KeepsCount([&] { dlg.RedrawZoomView(); }, "RedrawZoomView");
        KeepsCount([&] {
            ::RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        }, "repaint");
        KeepsCount([&] { dlg.UpdateColor(1, 2, 3, false); }, "UpdateColor");
        KeepsCount([&] { dlg.ReadSliders(); }, "ReadSliders");
        KeepsCount([&] { ::SendMessageW(h, WM_SLIDER_DRAG, 0, 0); }, "drag notice");
        for (UINT command : kFormatCommands)
            KeepsCount([&] { ::SendMessageW(h, WM_COMMAND, command, 0); }, "format");
        KeepsCount([&] { ::SendMessageW(h, WM_COMMAND, ID_TOPMOST, 0); }, "always on top");
        // Another colour depth: a bitmap in the display's new format.
        const HBITMAP before = dlg.m_pZoomBitmap->GetSafeHandle();
        KeepsCount([&] { ::SendMessageW(h, WM_DISPLAYCHANGE, 32, MAKELPARAM(1280, 1024)); }, "display change");
        EXPECT_NE(dlg.m_pZoomBitmap->GetSafeHandle(), before);
        KeepsCount([&] { ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_COPY_HEX, BN_CLICKED), 0); }, "copy");
        KeepsCount([&] { ::ShowWindow(h, SW_MINIMIZE); Pump(50); }, "minimise");
        KeepsCount([&] { ::ShowWindow(h, SW_RESTORE); Pump(50); }, "restore");
        EXPECT_EQ(GdiLiveCount(), live);

        // Without the bitmap the magnifier does nothing and takes nothing.
        dlg.DestroyZoomBitmap();
        EXPECT_EQ(GdiLiveCount(), live - 1);
        KeepsCount([&] { dlg.Magnify(); }, "Magnify without bitmap");
        KeepsCount([&] { dlg.RedrawZoomView(); }, "RedrawZoomView without bitmap");
        EXPECT_EQ(dlg.GetCenterPixel(), 0u);
        dlg.CreateZoomBitmap();
        EXPECT_EQ(GdiLiveCount(), live);
    });
}

// Thousands of capture moves and format switches, each checked for its
// handles (a handle lost per call shows at the first), and enough of them
// that a pool or cache growing slowly would show too; afterwards the dialog
// still picks the right pixel and paints the right swatch.
TEST(GdiHandlesHeavy, ThousandsOfMovesAndFormatSwitches)
{
    constexpr int kMoves = 5000;
    constexpr int kSwitches = 2000;
    // The cursor goes to a new pixel every so many moves.
    constexpr int kMovesPerPosition = 100;
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        HWND h = dlg.m_hWnd;
        const int live = GdiLiveCount();
        ASSERT_EQ(live, 1);
        // The capture flag alone: the moves are sent straight to the
        // handler, so no input is injected and none is needed.
        dlg.m_bCapturing = true;
        int x = 40, y = 40;
        for (int i = 0; i < kMoves; ++i) {
            if (i % kMovesPerPosition == 0) {
                x = 40 + (i / kMovesPerPosition) * 7 % 120;
                y = 40 + (i / kMovesPerPosition) * 13 % 120;
                ::SetCursorPos(x, y);
            }
            if (!KeepsCount([&] { SendMove(dlg); }, "move", i))
                break;
            if (i % kMovesPerPosition == kMovesPerPosition - 1) {
                const POINT pixel = PickedScreenPixel(dlg, x, y);
                ASSERT_EQ(dlg.m_crColor, pattern.AtScreen(pixel.x, pixel.y)) << "move " << i;
            }
        }
        dlg.m_bCapturing = false;
        EXPECT_EQ(GdiLiveCount(), live);

        for (int i = 0; i < kSwitches; ++i) {
            if (!KeepsCount([&] { ::SendMessageW(h, WM_COMMAND, kFormatCommands[i % 4], 0); },
                            "format", i))
                break;
        }
        EXPECT_EQ(dlg.m_nFormat, FORMAT_YMC);
        EXPECT_EQ(GdiLiveCount(), live);

        ::SendMessageW(h, WM_COMMAND, ID_FORMAT_RGB, 0);
        dlg.m_bCapturing = true;
        ::SetCursorPos(123, 77);
        SendMove(dlg);
        dlg.m_bCapturing = false;
        const POINT pixel = PickedScreenPixel(dlg, 123, 77);
        const COLORREF expected = pattern.AtScreen(pixel.x, pixel.y);
        EXPECT_EQ(dlg.m_crColor, expected);
        EXPECT_EQ(SwatchPixel(dlg), expected);
        RECT view;
        ::GetClientRect(dlg.m_stZoomView.m_hWnd, &view);
        EXPECT_EQ(ClientPixel(dlg.m_stZoomView.m_hWnd, view.right / 2 + 1, view.bottom / 2 + 1), expected);
        EXPECT_EQ(GdiLiveCount(), live);
    });
}
