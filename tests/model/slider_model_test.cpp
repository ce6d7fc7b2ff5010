#include <gtest/gtest.h>

#include <string>

#include "tests/model/support/slider_panel_simulator.h"

namespace {

bool SameCall(const UpdateColorCall& call, int a, int b, int c, bool fromSliders)
{
    return call.a == a && call.b == b && call.c == c && call.fromSliders == fromSliders;
}

} // namespace

TEST(SliderMouse, EveryEventFromEitherState)
{
    struct Case {
        bool dragging;
        SliderMouseEvent event;
        bool after;
        bool post;
    };
    const Case cases[] = {
        {false, SliderMouseEvent::LButtonDown, true, false},
        {true, SliderMouseEvent::LButtonDown, true, false},
        {false, SliderMouseEvent::MouseMove, false, false},
        {true, SliderMouseEvent::MouseMove, true, true},
        {false, SliderMouseEvent::LButtonUp, false, false},
        {true, SliderMouseEvent::LButtonUp, false, false},
    };
    for (const Case& c : cases) {
        const SliderStep step = SliderMouse(c.dragging, c.event);
        EXPECT_EQ(step.dragging, c.after) << c.dragging << " " << static_cast<int>(c.event);
        EXPECT_EQ(step.postDrag, c.post) << c.dragging << " " << static_cast<int>(c.event);
    }
    EXPECT_EQ(kSliderDragMessage, 0x401u);
}

// In RGB, dragging the middle slider shows every position it passes through,
// and the other two keep theirs.
TEST(SliderDrag, DragUpdatesLive)
{
    SliderPanelSimulator sim(FORMAT_RGB);
    sim.LButtonDown(SLIDER_MID, 0);  // on the thumb
    EXPECT_TRUE(sim.Dragging(SLIDER_MID));
    EXPECT_TRUE(sim.Calls().empty());
    for (int v = 1; v <= 128; ++v) {
        sim.MouseMove(SLIDER_MID, v);
        sim.Pump();
        ASSERT_EQ(sim.Calls().size(), static_cast<std::size_t>(v));
        ASSERT_TRUE(SameCall(sim.Calls().back(), 0, v, 0, true)) << v;
        ASSERT_EQ(sim.Shown().valueTexts[SLIDER_MID], std::to_string(v));
        ASSERT_EQ(sim.Shown().color, static_cast<COLORREF>(v) << 8);
        ASSERT_EQ(sim.Position(SLIDER_TOP), 0);
        ASSERT_EQ(sim.Position(SLIDER_BOTTOM), 0);
    }
    sim.LButtonUp(SLIDER_MID, 128);
    EXPECT_FALSE(sim.Dragging(SLIDER_MID));
    EXPECT_TRUE(SameCall(sim.Calls().back(), 0, 128, 0, true));
    EXPECT_EQ(sim.Shown().hexText, "008000");
    EXPECT_EQ(sim.Shown().decimalText, "32768");
}

// The notice is posted before the slider moves its thumb, yet read after: it
// sees the position this very move produced, and nothing happens until the
// dialog gets to it.
TEST(SliderDrag, PostedNoticeReadsThePositionOfItsMove)
{
    SliderPanelSimulator sim(FORMAT_RGB);
    sim.LButtonDown(SLIDER_TOP, 0);
    sim.MouseMove(SLIDER_TOP, 77);
    EXPECT_EQ(sim.Pending(), 1u);
    EXPECT_TRUE(sim.Calls().empty());
    EXPECT_EQ(sim.Shown().valueTexts[SLIDER_TOP], "0");
    sim.Pump();
    ASSERT_EQ(sim.Calls().size(), 1u);
    EXPECT_TRUE(SameCall(sim.Calls()[0], 77, 0, 0, true));
    EXPECT_EQ(sim.Shown().color, 77u);
}

// Notices are not merged: each move costs one update, and a late one reads
// wherever the thumb is by then.
TEST(SliderDrag, EveryNoticeIsOneUpdate)
{
    // Black in YMC is all three at 255.
    SliderPanelSimulator sim(FORMAT_YMC);
    ASSERT_EQ(sim.Position(SLIDER_BOTTOM), 255);
    sim.LButtonDown(SLIDER_BOTTOM, 255);
    sim.MouseMove(SLIDER_BOTTOM, 10);
    sim.MouseMove(SLIDER_BOTTOM, 20);
    sim.MouseMove(SLIDER_BOTTOM, 30);
    sim.Pump();
    ASSERT_EQ(sim.Calls().size(), 3u);
    for (const UpdateColorCall& call : sim.Calls())
        EXPECT_TRUE(SameCall(call, 255, 255, 30, true));
}

TEST(SliderDrag, PageClickAppliesOnRelease)
{
    SliderPanelSimulator sim(FORMAT_RGB, 20);
    sim.LButtonDown(SLIDER_TOP, 200);
    EXPECT_EQ(sim.Position(SLIDER_TOP), 20);
    EXPECT_TRUE(sim.Calls().empty());
    sim.LButtonUp(SLIDER_TOP, 200);
    ASSERT_EQ(sim.Calls().size(), 1u);
    EXPECT_TRUE(SameCall(sim.Calls()[0], 20, 0, 0, true));
    EXPECT_EQ(sim.Shown().valueTexts[SLIDER_TOP], "20");
    EXPECT_EQ(sim.Shown().color, 20u);
}

// A page click followed by moves does not drag the thumb, but each move still
// notifies with the unchanged position.
TEST(SliderDrag, MovesAfterPageClickNotifyUnchangedPosition)
{
    SliderPanelSimulator sim(FORMAT_RGB, 20);
    sim.LButtonDown(SLIDER_MID, 100);
    sim.MouseMove(SLIDER_MID, 150);
    sim.Pump();
    ASSERT_EQ(sim.Calls().size(), 1u);
    EXPECT_TRUE(SameCall(sim.Calls()[0], 0, 20, 0, true));
}

TEST(SliderDrag, NoPostsWithoutPressedButton)
{
    SliderPanelSimulator sim(FORMAT_RGB);
    for (int slider = 0; slider < kSliderCount; ++slider)
        for (int v = 0; v < 50; v += 7)
            sim.MouseMove(slider, v);
    EXPECT_EQ(sim.Pending(), 0u);
    sim.Pump();
    EXPECT_TRUE(sim.Calls().empty());
    for (int slider = 0; slider < kSliderCount; ++slider)
        EXPECT_EQ(sim.Position(slider), 0);
}

// Notices still queued when the button comes up read the final positions the
// release has already applied, and change nothing.
TEST(SliderDrag, NoticesAfterReleaseChangeNothing)
{
    SliderPanelSimulator sim(FORMAT_RGB);
    sim.LButtonDown(SLIDER_MID, 0);
    sim.MouseMove(SLIDER_MID, 40);
    sim.MouseMove(SLIDER_MID, 90);
    sim.LButtonUp(SLIDER_MID, 90);
    ASSERT_EQ(sim.Calls().size(), 1u);
    const PanelView afterRelease = sim.Shown();
    EXPECT_EQ(afterRelease.valueTexts[SLIDER_MID], "90");
    sim.Pump();
    ASSERT_EQ(sim.Calls().size(), 3u);
    for (const UpdateColorCall& call : sim.Calls())
        EXPECT_TRUE(SameCall(call, 0, 90, 0, true));
    EXPECT_EQ(sim.Shown().color, afterRelease.color);
    EXPECT_EQ(sim.Shown().valueTexts, afterRelease.valueTexts);
}

// While a slider holds the capture, moves over the others still belong to it.
TEST(SliderDrag, CaptureKeepsMovesOnDraggedSlider)
{
    SliderPanelSimulator sim(FORMAT_RGB);
    sim.LButtonDown(SLIDER_TOP, 0);
    sim.MouseMove(SLIDER_BOTTOM, 60);
    sim.Pump();
    EXPECT_EQ(sim.Position(SLIDER_TOP), 60);
    EXPECT_EQ(sim.Position(SLIDER_BOTTOM), 0);
    sim.LButtonUp(SLIDER_BOTTOM, 60);
    EXPECT_FALSE(sim.Dragging(SLIDER_TOP));
    EXPECT_FALSE(sim.HasCapture(SLIDER_TOP));
    EXPECT_TRUE(SameCall(sim.Calls().back(), 60, 0, 0, true));
}

// A slider that loses the capture without seeing the release keeps dragging:
// every move over it posts again, each an update with unchanged positions,
// until its next release.
TEST(SliderDrag, LostCaptureLeavesDragging)
{
    SliderPanelSimulator sim(FORMAT_RGB);
    sim.LButtonDown(SLIDER_MID, 0);
    sim.MouseMove(SLIDER_MID, 30);
    sim.Pump();
    sim.LoseCapture();
    EXPECT_TRUE(sim.Dragging(SLIDER_MID));
    EXPECT_FALSE(sim.HasCapture(SLIDER_MID));

    const std::size_t before = sim.Calls().size();
    sim.MouseMove(SLIDER_MID, 200);
    sim.MouseMove(SLIDER_MID, 210);
    sim.Pump();
    ASSERT_EQ(sim.Calls().size(), before + 2);
    EXPECT_TRUE(SameCall(sim.Calls().back(), 0, 30, 0, true));
    EXPECT_EQ(sim.Position(SLIDER_MID), 30);

    // Moves over another slider post nothing: its own flag is down.
    sim.MouseMove(SLIDER_TOP, 5);
    EXPECT_EQ(sim.Pending(), 0u);

    sim.LButtonDown(SLIDER_MID, 30);
    sim.LButtonUp(SLIDER_MID, 30);
    EXPECT_FALSE(sim.Dragging(SLIDER_MID));
    sim.MouseMove(SLIDER_MID, 100);
    EXPECT_EQ(sim.Pending(), 0u);
}

// In HSV with no saturation the hue label follows the drag while the colour
// stays grey; the next repaint takes the hue back to 0.
TEST(SliderDrag, HueWithoutSaturationStaysGrey)
{
    SliderPanelSimulator sim(FORMAT_HSV);
    // Value to 128 first, so that grey is not black.
    sim.KeyMove(SLIDER_BOTTOM, 128);
    sim.LButtonDown(SLIDER_TOP, 0);
    for (int hue = 10; hue <= 300; hue += 10) {
        sim.MouseMove(SLIDER_TOP, hue);
        sim.Pump();
        ASSERT_EQ(sim.Shown().valueTexts[SLIDER_TOP], std::to_string(hue));
        ASSERT_EQ(sim.Shown().color, 0x00808080u) << hue;
    }
    sim.LButtonUp(SLIDER_TOP, 300);
    EXPECT_EQ(sim.Position(SLIDER_TOP), 300);
    sim.Repaint();
    EXPECT_EQ(sim.Position(SLIDER_TOP), 0);
    EXPECT_EQ(sim.Shown().valueTexts[SLIDER_TOP], "0");
    EXPECT_EQ(sim.Shown().color, 0x00808080u);
}

// A drag past either end stops at the slider's range, which is the format's.
TEST(SliderDrag, DragStopsAtRange)
{
    SliderPanelSimulator sim(FORMAT_HLS);
    EXPECT_EQ(sim.Maximum(SLIDER_TOP), 359);
    sim.LButtonDown(SLIDER_TOP, 0);
    sim.MouseMove(SLIDER_TOP, 5000);
    sim.Pump();
    EXPECT_EQ(sim.Position(SLIDER_TOP), 359);
    sim.MouseMove(SLIDER_TOP, -40);
    sim.LButtonUp(SLIDER_TOP, -40);
    EXPECT_EQ(sim.Position(SLIDER_TOP), 0);
    EXPECT_TRUE(SameCall(sim.Calls().back(), 0, 0, 0, true));
}
