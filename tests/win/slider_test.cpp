// The sliders of the real dialog under real mouse and keyboard input: the
// colour follows a drag live, a click beside the thumb applies its page step
// on release, the keyboard changes the colour at once, a bare hover posts
// nothing.
#include <gtest/gtest.h>

#include <array>
#include <cwchar>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/win/harness.h"

namespace {

struct Panel {
    std::array<int, 3> positions;
    std::array<std::wstring, 3> values;
    COLORREF color;
    std::wstring dec, hex;
    COLORREF swatch;
};

std::array<CDragSlider*, 3> Sliders(CPickerDlg& dlg)
{
    return {&dlg.m_sliderTop, &dlg.m_sliderMid, &dlg.m_sliderBottom};
}

Panel ReadPanel(CPickerDlg& dlg)
{
    Panel p;
    const HWND values[] = {dlg.m_stValueTop.m_hWnd, dlg.m_stValueMid.m_hWnd, dlg.m_stValueBottom.m_hWnd};
    for (int i = 0; i < 3; ++i) {
        p.positions[i] = Sliders(dlg)[i]->GetPos();
        p.values[i] = WindowText(values[i]);
    }
    p.color = dlg.m_crColor;
    p.dec = WindowText(dlg.m_editDec.m_hWnd);
    p.hex = WindowText(dlg.m_editHex.m_hWnd);
    RECT rc;
    ::GetClientRect(dlg.m_stSwatch.m_hWnd, &rc);
    p.swatch = ClientPixel(dlg.m_stSwatch.m_hWnd, rc.right / 2, rc.bottom / 2);
    return p;
}

std::wstring Hex(COLORREF color)
{
    wchar_t text[8];
    std::swprintf(text, 8, L"%06x",
                  static_cast<unsigned>(GetRValue(color) << 16 | GetGValue(color) << 8 | GetBValue(color)));
    return text;
}

// In RGB every label, text and the swatch follow from the three positions.
void ExpectRgbPanel(const Panel& p, int r, int g, int b)
{
    const COLORREF color = RGB(r, g, b);
    EXPECT_EQ(p.values[0], std::to_wstring(r));
    EXPECT_EQ(p.values[1], std::to_wstring(g));
    EXPECT_EQ(p.values[2], std::to_wstring(b));
    EXPECT_EQ(p.color, color);
    EXPECT_EQ(p.swatch, color);
    EXPECT_EQ(p.hex, Hex(color));
    EXPECT_EQ(p.dec, std::to_wstring(r << 16 | g << 8 | b));
}

POINT ThumbCentre(HWND slider)
{
    RECT thumb;
    ::SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return ClientToScreenPoint(slider, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
}

// A point on the channel `distance` pixels right (or, negative, left) of
// the thumb's edge.
POINT BesideThumb(HWND slider, int distance)
{
    RECT thumb;
    ::SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = distance > 0 ? thumb.right + distance : thumb.left + distance;
    return ClientToScreenPoint(slider, x, (thumb.top + thumb.bottom) / 2);
}

// Waits until the dialog has handled a drag notice more than `seen`.
bool WaitForDragNotice(CPickerDlg& dlg, MessageCounter& counter, int seen)
{
    return PumpUntil([&] { return counter.Queued(dlg.m_hWnd, WM_SLIDER_DRAG) > seen; }, 1000);
}

} // namespace

// RGB, middle slider from 0 towards 128: every move of the drag shows its
// position in the middle label and the colour, before the button goes up;
// the other two sliders stay where they are.
TEST(SliderInput, DragFollowsTheThumbLive)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        MessageCounter counter;
        HWND mid = dlg.m_sliderMid.m_hWnd;
        dlg.UpdateColor(40, 0, 200, false);
        ASSERT_EQ(ReadPanel(dlg).positions, (std::array<int, 3>{40, 0, 200}));

        const POINT start = ThumbCentre(mid);
        MoveCursorTo(start);
        Pump(20);
        SendMouseButton(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == mid; })) << "the slider took no capture";
        EXPECT_TRUE(dlg.m_sliderMid.m_bDragging);

        std::vector<int> seen;
        for (int dx = 1; dx < 200 && dlg.m_sliderMid.GetPos() < 128; dx += 2) {
            const int notices = counter.Queued(dlg.m_hWnd, WM_SLIDER_DRAG);
            MoveCursorTo(start.x + dx, start.y);
            ASSERT_TRUE(WaitForDragNotice(dlg, counter, notices)) << "dx " << dx;
            // One notice per move: none merged, none extra.
            Pump(10);
            EXPECT_EQ(counter.Queued(dlg.m_hWnd, WM_SLIDER_DRAG), notices + 1);

            const Panel p = ReadPanel(dlg);
            SCOPED_TRACE(p.positions[1]);
            EXPECT_EQ(p.positions[0], 40);
            EXPECT_EQ(p.positions[2], 200);
            ExpectRgbPanel(p, 40, p.positions[1], 200);
            if (!seen.empty()) {
                EXPECT_GE(p.positions[1], seen.back());
            }
            seen.push_back(p.positions[1]);
        }
        ASSERT_FALSE(seen.empty());
        EXPECT_GE(seen.back(), 128);
        EXPECT_GE(seen.size(), 20u) << "too few intermediate positions";
        EXPECT_GT(seen.back(), seen.front());

        SendMouseButton(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == nullptr; }));
        Pump(20);
        EXPECT_FALSE(dlg.m_sliderMid.m_bDragging);
        const Panel p = ReadPanel(dlg);
        EXPECT_EQ(p.positions[1], seen.back());
        ExpectRgbPanel(p, 40, seen.back(), 200);
    });
}

// A press beside the thumb moves it by a page at once, but the colour takes
// the new position only when the button goes up (NM_RELEASEDCAPTURE).
TEST(SliderInput, ClickBesideTheThumbAppliesOnRelease)
{
    struct Case {
        const char* name;
        int slider;    // 0 top, 1 middle, 2 bottom
        int distance;  // from the thumb's edge, negative to the left
        int sign;
    };
    const Case cases[] = {
        {"top, right", 0, 12, +1},
        {"middle, left", 1, -12, -1},
        {"bottom, right", 2, 30, +1},
        {"middle, right", 1, 20, +1},
    };
    PickerHarness::Run([&](CPickerDlg& dlg) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            MessageCounter counter;
            dlg.UpdateColor(100, 110, 120, false);
            const Panel before = ReadPanel(dlg);
            HWND slider = Sliders(dlg)[c.slider]->m_hWnd;
            const int page = static_cast<int>(::SendMessageW(slider, TBM_GETPAGESIZE, 0, 0));
            ASSERT_GT(page, 0);

            MoveCursorTo(BesideThumb(slider, c.distance));
            Pump(20);
            SendMouseButton(MOUSEEVENTF_LEFTDOWN);
            // Well inside the trackbar's first auto-repeat delay.
            ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == slider; }, 300));
            const int expected = before.positions[c.slider] + c.sign * page;
            EXPECT_EQ(Sliders(dlg)[c.slider]->GetPos(), expected);
            const Panel pressed = ReadPanel(dlg);
            EXPECT_EQ(pressed.values, before.values);
            EXPECT_EQ(pressed.color, before.color);
            EXPECT_EQ(pressed.hex, before.hex);

            SendMouseButton(MOUSEEVENTF_LEFTUP);
            ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == nullptr; }));
            Pump(20);
            EXPECT_EQ(counter.Queued(dlg.m_hWnd, WM_SLIDER_DRAG), 0);
            std::array<int, 3> rgb = {100, 110, 120};
            rgb[c.slider] = expected;
            const Panel after = ReadPanel(dlg);
            EXPECT_EQ(after.positions, rgb);
            ExpectRgbPanel(after, rgb[0], rgb[1], rgb[2]);
        }
    });
}

// Keys move the focused slider and the colour with it, as a drag does; a
// hover with no button down changes nothing. A click on another thumb then
// applies the same three positions.
TEST(SliderInput, KeyboardChangesTheColourAtOnce)
{
    struct Key {
        WORD vk;
        int (*expected)(int position, int page, int maximum);
    };
    const Key keys[] = {
        {VK_RIGHT, [](int p, int, int) { return p + 1; }},
        {VK_NEXT, [](int p, int page, int) { return p + page; }},
        {VK_LEFT, [](int p, int, int) { return p - 1; }},
        {VK_END, [](int, int, int maximum) { return maximum; }},
        {VK_HOME, [](int, int, int) { return 0; }},
        {VK_RIGHT, [](int p, int, int) { return p + 1; }},
    };
    PickerHarness::Run([&](CPickerDlg& dlg) {
        MessageCounter counter;
        dlg.UpdateColor(10, 20, 30, false);
        const Panel before = ReadPanel(dlg);
        HWND mid = dlg.m_sliderMid.m_hWnd;
        const int page = static_cast<int>(::SendMessageW(mid, TBM_GETPAGESIZE, 0, 0));
        const int maximum = static_cast<int>(::SendMessageW(mid, TBM_GETRANGEMAX, 0, 0));
        ::SetForegroundWindow(dlg.m_hWnd);
        ::SetFocus(mid);

        int position = before.positions[1];
        for (const Key& key : keys) {
            SCOPED_TRACE(key.vk);
            const int expected = key.expected(position, page, maximum);
            SendKey(key.vk);
            EXPECT_TRUE(PumpUntil([&] { return dlg.m_sliderMid.GetPos() == expected; }, 1000));
            Pump(20);
            position = dlg.m_sliderMid.GetPos();
            ExpectRgbPanel(ReadPanel(dlg), 10, position, 30);
        }
        ASSERT_NE(position, before.positions[1]);

        // Hovering over every slider, the thumbs included: nothing is posted.
        for (CDragSlider* slider : Sliders(dlg)) {
            const POINT thumb = ThumbCentre(slider->m_hWnd);
            for (int dx : {0, 6, 12, 24}) {
                const int moves = counter.Queued(slider->m_hWnd, WM_MOUSEMOVE);
                MoveCursorTo(thumb.x + dx, thumb.y);
                EXPECT_TRUE(PumpUntil([&] { return counter.Queued(slider->m_hWnd, WM_MOUSEMOVE) > moves; }, 500));
            }
            EXPECT_FALSE(slider->m_bDragging);
        }
        Pump(50);
        EXPECT_EQ(counter.Queued(dlg.m_hWnd, WM_SLIDER_DRAG), 0);
        const Panel keyed = ReadPanel(dlg);
        EXPECT_NE(keyed.color, before.color);

        // A click on the top slider's thumb, no movement: all three apply.
        MoveCursorTo(ThumbCentre(dlg.m_sliderTop.m_hWnd));
        Pump(20);
        SendMouseButton(MOUSEEVENTF_LEFTDOWN);
        SendMouseButton(MOUSEEVENTF_LEFTUP);
        EXPECT_TRUE(PumpUntil([&] { return ::GetCapture() == nullptr; }, 1000));
        Pump(50);
        const Panel after = ReadPanel(dlg);
        EXPECT_EQ(after.color, keyed.color);
        EXPECT_EQ(after.positions, (std::array<int, 3>{10, position, 30}));
        ExpectRgbPanel(after, 10, position, 30);
    });
}

// HSV with saturation 0: dragging the hue moves its label but the colour
// stays the same grey. A repaint keeps the dragged hue.
TEST(SliderInput, HueDragAtZeroSaturationStaysGrey)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        MessageCounter counter;
        ::SendMessageW(dlg.m_hWnd, WM_COMMAND, ID_FORMAT_HSV, 0);
        dlg.UpdateColor(128, 128, 128, false);
        const Panel before = ReadPanel(dlg);
        ASSERT_EQ(before.positions, (std::array<int, 3>{0, 0, 128}));
        const COLORREF grey = RGB(128, 128, 128);
        ASSERT_EQ(before.color, grey);

        HWND top = dlg.m_sliderTop.m_hWnd;
        const POINT start = ThumbCentre(top);
        MoveCursorTo(start);
        Pump(20);
        SendMouseButton(MOUSEEVENTF_LEFTDOWN);
        ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == top; }));
        int hue = 0;
        for (int dx = 4; dx <= 60; dx += 4) {
            const int notices = counter.Queued(dlg.m_hWnd, WM_SLIDER_DRAG);
            MoveCursorTo(start.x + dx, start.y);
            ASSERT_TRUE(WaitForDragNotice(dlg, counter, notices));
            const Panel p = ReadPanel(dlg);
            SCOPED_TRACE(p.positions[0]);
            EXPECT_GE(p.positions[0], hue);
            hue = p.positions[0];
            EXPECT_EQ(p.values[0], std::to_wstring(hue));
            EXPECT_EQ(p.values[1], L"0");
            EXPECT_EQ(p.values[2], L"128");
            EXPECT_EQ(p.color, grey);
            EXPECT_EQ(p.swatch, grey);
            EXPECT_EQ(p.hex, L"808080");
        }
        SendMouseButton(MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(PumpUntil([&] { return ::GetCapture() == nullptr; }));
        Pump(20);
        EXPECT_GT(hue, 0);
        EXPECT_EQ(ReadPanel(dlg).values[0], std::to_wstring(hue));
        EXPECT_EQ(dlg.m_crColor, grey);

        Repaint(dlg);
        const Panel repainted = ReadPanel(dlg);
        EXPECT_EQ(repainted.positions, (std::array<int, 3>{hue, 0, 128}));
        EXPECT_EQ(repainted.color, grey);
        EXPECT_EQ(repainted.swatch, grey);
    });
}
