#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "sampling/capture_model.h"
#include "tests/model/support/capture_simulator.h"

namespace {

using S = CaptureState;
using E = CaptureEvent;
using A = CaptureAction;

struct ExpectedRow {
    S state;
    E event;
    std::vector<A> actions;
    S next;
};

// The capture table as the dialog's handlers must run it.
const ExpectedRow kExpected[] = {
    {S::Idle, E::CaptureClicked, {A::TakeCapture, A::CatchRelease, A::SetFlag, A::ConfineCursor, A::InjectPress, A::SetTextCapturing}, S::Capturing},
    {S::Capturing, E::CaptureClicked, {}, S::Capturing},
    {S::Idle, E::LButtonDown, {A::NoteLeftDown, A::DefaultProcessing}, S::Idle},
    {S::Capturing, E::LButtonDown, {A::NoteLeftDown, A::InjectRelease, A::DefaultProcessing}, S::Capturing},
    {S::Idle, E::MouseMove, {A::DefaultProcessing}, S::Idle},
    {S::Capturing, E::MouseMove, {A::Magnify, A::PickColor, A::DefaultProcessing}, S::Capturing},
    {S::Idle, E::RButtonDown, {A::NoteRightDown, A::DefaultProcessing}, S::Idle},
    {S::Capturing, E::RButtonDown, {A::NoteRightDown}, S::Capturing},
    {S::Idle, E::RButtonUp, {A::NoteRightUp, A::LetGoIfSettled, A::DefaultProcessing}, S::Idle},
    {S::Capturing, E::RButtonUp, {A::NoteRightUp, A::ClearFlag, A::LetGoOrHold, A::SetTextIdle}, S::Idle},
    {S::Idle, E::Destroy, {A::FrameworkDestroy, A::SettleRelease, A::EndHold, A::DestroyZoomBitmap}, S::Gone},
    {S::Capturing, E::Destroy, {A::FrameworkDestroy, A::ClearFlag, A::FreeCursor, A::OweRelease, A::SettleRelease, A::ReleaseCapture, A::DestroyZoomBitmap}, S::Gone},
    {S::Idle, E::CaptureLost, {A::EndHold, A::DefaultProcessing}, S::Idle},
    {S::Capturing, E::CaptureLost, {A::ClearFlag, A::FreeCursor, A::SetTextIdle, A::OweRelease, A::DefaultProcessing}, S::Idle},
    {S::Idle, E::CursorKey, {}, S::Idle},
    {S::Capturing, E::CursorKey, {A::Magnify, A::PickColor}, S::Capturing},
    {S::Idle, E::FinishKey, {}, S::Idle},
    {S::Capturing, E::FinishKey, {A::InjectRelease}, S::Capturing},
    {S::Idle, E::Close, {A::AwaitSettled, A::PayRelease}, S::Idle},
    {S::Capturing, E::Close, {A::InjectRelease, A::AwaitSettled}, S::Idle},
    {S::Idle, E::Deactivated, {A::CatchRelease, A::LetGoIfSettled, A::DefaultProcessing}, S::Idle},
    {S::Capturing, E::Deactivated, {A::ClearFlag, A::FreeCursor, A::SetTextIdle, A::OweRelease, A::ReleaseCapture, A::PayReleaseUnderCursor, A::DefaultProcessing}, S::Idle},
};

const E kAllEvents[] = {E::CaptureClicked, E::LButtonDown, E::MouseMove,    E::RButtonDown,
                        E::RButtonUp,      E::Destroy,     E::CaptureLost,  E::CursorKey,
                        E::FinishKey,      E::Close,       E::LButtonUp,    E::OwnRButtonUp,
                        E::OwnLButtonDown, E::HoldTimer,   E::RetryTimer,   E::Deactivated,
                        E::OwnRButtonDown};

std::vector<A> Actions(const CaptureTransition& row)
{
    return std::vector<A>(row.begin(), row.end());
}

std::size_t Count(const std::vector<A>& actions, A action)
{
    return static_cast<std::size_t>(std::count(actions.begin(), actions.end(), action));
}

// Screen pixels tell where they came from; none is black.
Image UniqueScreen(int width, int height)
{
    Image screen(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            screen.at(x, y) = static_cast<COLORREF>((x + 1) << 12 | (y + 1));
    return screen;
}

COLORREF ScreenAt(int x, int y)
{
    return static_cast<COLORREF>((x + 1) << 12 | (y + 1));
}

// A 102 x 102 view picks exactly the pixel under the cursor.
CaptureSimulator MakeSimulator()
{
    return CaptureSimulator(UniqueScreen(300, 200), 102, 102);
}

void StartCapture(CaptureSimulator& sim)
{
    sim.ClickCaptureButton();
    sim.Pump();  // the injected press comes back
}

} // namespace

TEST(CaptureTable, EveryRow)
{
    for (const ExpectedRow& expected : kExpected) {
        const CaptureTransition& row = CaptureStep(expected.state, expected.event);
        SCOPED_TRACE(testing::Message() << "state " << static_cast<int>(expected.state) << " event "
                                        << static_cast<int>(expected.event));
        EXPECT_EQ(row.state, expected.state);
        EXPECT_EQ(row.event, expected.event);
        EXPECT_EQ(Actions(row), expected.actions);
        EXPECT_EQ(row.next, expected.next);
    }
}

// Running a row's flag actions from its state's flag leaves the flag of its
// next state, and the flag is always down before the capture is released (so
// the WM_CAPTURECHANGED that the release sends finds Idle) and up before the
// press is injected (so the press finds Capturing).
TEST(CaptureTable, FlagOrderInEveryRow)
{
    for (S state : {S::Idle, S::Capturing}) {
        for (E event : kAllEvents) {
            const CaptureTransition& row = CaptureStep(state, event);
            SCOPED_TRACE(testing::Message() << "state " << static_cast<int>(state) << " event "
                                            << static_cast<int>(event));
            bool flag = state == S::Capturing;
            for (A action : row) {
                if (action == A::SetFlag)
                    flag = true;
                // The wait ends once the release's own row has cleared it.
                if (action == A::ClearFlag || action == A::AwaitSettled)
                    flag = false;
                if (action == A::ReleaseCapture || action == A::LetGoOrHold || action == A::SetTextIdle) {
                    EXPECT_FALSE(flag);
                }
                if (action == A::InjectPress || action == A::SetTextCapturing) {
                    EXPECT_TRUE(flag);
                }
            }
            if (row.next != S::Gone) {
                EXPECT_EQ(CaptureStateFromFlag(flag), row.next);
            } else {
                EXPECT_FALSE(flag);
            }
        }
    }
}

TEST(CaptureTable, GoneHasNoActions)
{
    for (E event : kAllEvents) {
        const CaptureTransition& row = CaptureStep(S::Gone, event);
        EXPECT_EQ(row.actionCount, 0u);
        EXPECT_EQ(row.next, S::Gone);
        EXPECT_EQ(row.event, event);
    }
}

TEST(CaptureTable, ButtonTextsDiffer)
{
    EXPECT_STRNE(kCaptureTextCapturing, kCaptureTextIdle);
    // UTF-8, not Shift_JIS: "キャプチャ" is five three-byte characters.
    EXPECT_EQ(std::strlen(kCaptureTextCapturing), 18u);
    EXPECT_EQ(std::strlen(kCaptureTextIdle), 21u);
    EXPECT_EQ(std::memcmp(kCaptureTextCapturing, "\xE3\x82\xAD", 3), 0);
    EXPECT_EQ(std::memcmp(kCaptureTextCapturing, kCaptureTextIdle, 15), 0);
}

TEST(CaptureRun, LeftClickEndsCapture)
{
    CaptureSimulator sim = MakeSimulator();
    sim.ClickCaptureButton();
    EXPECT_EQ(sim.State(), S::Capturing);
    EXPECT_EQ(sim.ButtonText(), kCaptureTextCapturing);
    EXPECT_EQ(sim.Owner(), CaptureSimulator::CaptureOwner::Dialog);
    ASSERT_EQ(sim.Pending(), 1u);  // the injected press, not yet handled

    sim.Pump();
    EXPECT_EQ(sim.State(), S::Capturing);
    EXPECT_TRUE(sim.DefaultProcessed().empty());  // the press was swallowed

    sim.MoveMouse(40, 60);
    sim.Pump();
    EXPECT_EQ(sim.Color(), ScreenAt(40, 60));
    sim.MoveMouse(250, 10);
    sim.Pump();
    EXPECT_EQ(sim.Color(), ScreenAt(250, 10));
    EXPECT_EQ(sim.PickCount(), 2);

    sim.PressLeft();
    ASSERT_TRUE(sim.Step());
    // The release is only injected; the mode lasts until it comes back, and a
    // move before it still samples.
    EXPECT_EQ(sim.State(), S::Capturing);
    EXPECT_EQ(sim.Injected(), (std::vector<E>{E::RButtonDown, E::RButtonUp}));
    sim.MoveMouse(251, 11);  // queued behind the release
    ASSERT_TRUE(sim.Step());
    EXPECT_EQ(sim.State(), S::Idle);
    EXPECT_EQ(sim.ButtonText(), kCaptureTextIdle);
    // The left button is still down: its release must come here too, and
    // under Wine only the cursor's clip keeps an X release from going elsewhere.
    EXPECT_EQ(sim.Owner(), CaptureSimulator::CaptureOwner::Dialog);
    EXPECT_TRUE(sim.CursorClipped());
    const Image last = sim.Bitmap();

    // The move queued after the release arrives Idle: no sample.
    sim.Pump();
    EXPECT_EQ(sim.Color(), ScreenAt(250, 10));
    EXPECT_EQ(sim.PickCount(), 2);
    EXPECT_EQ(sim.Bitmap().pixels, last.pixels);
    sim.ReleaseLeft();
    sim.Pump();
    EXPECT_EQ(sim.Owner(), CaptureSimulator::CaptureOwner::None);
    EXPECT_EQ(sim.DeliveredElsewhere(), 0);

    // The end ran once: the WM_CAPTURECHANGED from ReleaseCapture found Idle.
    EXPECT_EQ(Count(sim.Actions(), A::ClearFlag), 1u);
    EXPECT_EQ(Count(sim.Actions(), A::SetTextIdle), 1u);
    EXPECT_EQ(sim.DefaultProcessed(), (std::vector<E>{E::MouseMove, E::MouseMove, E::LButtonDown, E::MouseMove,
                                                      E::CaptureLost, E::LButtonUp}));
    EXPECT_EQ(sim.FlagMismatches(), 0);
}

TEST(CaptureRun, RightClickEndsCapture)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.MoveMouse(5, 5);
    sim.PressRight();
    sim.Pump();
    EXPECT_EQ(sim.State(), S::Capturing);
    sim.ReleaseRight();
    sim.Pump();
    EXPECT_EQ(sim.State(), S::Idle);
    EXPECT_EQ(sim.ButtonText(), kCaptureTextIdle);
    EXPECT_EQ(sim.Color(), ScreenAt(5, 5));
    // Neither the press nor the release got default processing, and no
    // release was injected.
    for (E e : sim.DefaultProcessed())
        EXPECT_TRUE(e != E::RButtonDown && e != E::RButtonUp);
    EXPECT_EQ(sim.Injected(), std::vector<E>{E::RButtonDown});
    EXPECT_EQ(sim.FlagMismatches(), 0);
}

TEST(CaptureRun, IdleButtonsOnlyGetDefaultProcessing)
{
    CaptureSimulator sim = MakeSimulator();
    sim.PressRight();
    sim.ReleaseRight();
    sim.PressLeft();
    sim.MoveMouse(100, 100);
    sim.Pump();
    EXPECT_EQ(sim.State(), S::Idle);
    EXPECT_EQ(sim.DefaultProcessed(), (std::vector<E>{E::RButtonDown, E::RButtonUp, E::LButtonDown, E::MouseMove}));
    EXPECT_TRUE(sim.Injected().empty());
    EXPECT_EQ(sim.PickCount(), 0);
    // The view stays black until the first capture.
    for (COLORREF c : sim.Bitmap().pixels)
        ASSERT_EQ(c, 0u);
}

TEST(CaptureRun, SecondClickNotificationIgnored)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    const std::size_t before = sim.Actions().size();
    sim.ClickCaptureButton();
    EXPECT_EQ(sim.Actions().size(), before);
    EXPECT_EQ(sim.Pending(), 0u);
    EXPECT_EQ(sim.Injected(), std::vector<E>{E::RButtonDown});
    EXPECT_EQ(sim.ButtonText(), kCaptureTextCapturing);
    EXPECT_EQ(sim.State(), S::Capturing);
}

// The window goes in the middle of a capture without a close (the session
// ends, say): the press is released before it goes, with the capture still
// the dialog's, and its release taken out of the queue unhandled.
TEST(CaptureRun, DestroyDuringCapture)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.MoveMouse(20, 30);
    sim.Pump();
    const std::size_t before = sim.Actions().size();
    sim.PressRight();  // still queued when the window goes
    sim.Destroy();
    const std::vector<A> run(sim.Actions().begin() + static_cast<std::ptrdiff_t>(before), sim.Actions().end());
    // The nested rows are the WM_CAPTURECHANGED that the release sends; it
    // finds the flag already down.
    EXPECT_EQ(run, (std::vector<A>{A::FrameworkDestroy, A::ClearFlag, A::FreeCursor, A::OweRelease,
                                   A::SettleRelease, A::ReleaseCapture, A::EndHold,
                                   A::DefaultProcessing, A::DestroyZoomBitmap}));
    EXPECT_EQ(sim.State(), S::Gone);
    EXPECT_FALSE(sim.Capturing());
    EXPECT_FALSE(sim.HasBitmap());
    EXPECT_EQ(sim.Owner(), CaptureSimulator::CaptureOwner::None);
    // The text is not restored.
    EXPECT_EQ(sim.ButtonText(), kCaptureTextCapturing);
    EXPECT_EQ(sim.Injected(), (std::vector<E>{E::RButtonDown, E::RButtonUp}));
    EXPECT_FALSE(sim.RightUpOwed());

    sim.Pump();
    EXPECT_EQ(sim.Actions().size(), run.size() + before);
    EXPECT_EQ(sim.DeliveredElsewhere(), 1);
    EXPECT_EQ(sim.FlagMismatches(), 0);
}

TEST(CaptureRun, DestroyWhileIdle)
{
    CaptureSimulator sim = MakeSimulator();
    sim.Destroy();
    EXPECT_EQ(sim.Actions(),
              (std::vector<A>{A::FrameworkDestroy, A::SettleRelease, A::EndHold, A::DestroyZoomBitmap}));
    EXPECT_EQ(sim.State(), S::Gone);
    sim.ClickCaptureButton();
    EXPECT_EQ(sim.Actions().size(), 4u);
    EXPECT_TRUE(sim.Injected().empty());
}

TEST(CaptureRun, CaptureLostEndsCaptureOnce)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.MoveMouse(70, 80);
    sim.Pump();
    sim.OtherWindowTakesCapture();
    EXPECT_EQ(sim.State(), S::Idle);
    EXPECT_EQ(sim.ButtonText(), kCaptureTextIdle);
    EXPECT_EQ(sim.Injected(), std::vector<E>{E::RButtonDown});
    EXPECT_EQ(Count(sim.Actions(), A::ReleaseCapture), 0u);
    EXPECT_EQ(Count(sim.Actions(), A::ClearFlag), 1u);

    // Input now goes to the other window; the colour stays.
    sim.MoveMouse(10, 10);
    sim.PressLeft();
    sim.Pump();
    EXPECT_EQ(sim.DeliveredElsewhere(), 2);
    EXPECT_EQ(sim.Color(), ScreenAt(70, 80));
    EXPECT_EQ(Count(sim.Actions(), A::SetTextIdle), 1u);

    // The dialog can start again.
    StartCapture(sim);
    sim.MoveMouse(11, 12);
    sim.Pump();
    EXPECT_EQ(sim.State(), S::Capturing);
    EXPECT_EQ(sim.Color(), ScreenAt(11, 12));
    EXPECT_EQ(sim.FlagMismatches(), 0);
}

TEST(CaptureRun, CaptureLostWhileIdleChangesNothing)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.PressLeft();
    sim.ReleaseLeft();
    sim.Pump();
    ASSERT_EQ(sim.State(), S::Idle);
    const std::size_t before = sim.Actions().size();
    // The dialog no longer holds the capture, so it is not told.
    sim.OtherWindowTakesCapture();
    EXPECT_EQ(sim.Actions().size(), before);
    EXPECT_EQ(sim.ButtonText(), kCaptureTextIdle);
}

TEST(CaptureRun, RepeatedCaptures)
{
    CaptureSimulator sim = MakeSimulator();
    for (int round = 0; round < 3; ++round) {
        StartCapture(sim);
        sim.MoveMouse(10 * round, 20 * round);
        sim.PressLeft();
    sim.ReleaseLeft();
        sim.Pump();
        EXPECT_EQ(sim.State(), S::Idle);
        EXPECT_EQ(sim.Color(), ScreenAt(10 * round, 20 * round));
    }
    EXPECT_EQ(Count(sim.Actions(), A::TakeCapture), 3u);
    EXPECT_EQ(Count(sim.Actions(), A::LetGoOrHold), 3u);
    EXPECT_EQ(sim.Owner(), CaptureSimulator::CaptureOwner::None);
    EXPECT_EQ(sim.Injected().size(), 6u);
    EXPECT_EQ(sim.FlagMismatches(), 0);
}

TEST(CaptureRun, MovesSampleAtTheCursorOfTheMomentOfHandling)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.MoveMouse(1, 2);
    sim.MoveMouse(3, 4);
    sim.Pump();
    // Both moves read the cursor where it is when they are handled.
    EXPECT_EQ(sim.PickCount(), 2);
    EXPECT_EQ(sim.Color(), ScreenAt(3, 4));
}

// Holding the capture is what lets the dialog sample over other windows; once
// it lets go, input over them no longer reaches it.
TEST(CaptureRun, CaptureRoutesInputFromAnywhere)
{
    CaptureSimulator sim = MakeSimulator();
    sim.SetCursorOverDialog(false);
    sim.MoveMouse(1, 1);
    sim.Pump();
    EXPECT_EQ(sim.DeliveredElsewhere(), 1);

    StartCapture(sim);
    sim.MoveMouse(123, 45);
    sim.PressLeft();
    sim.ReleaseLeft();
    sim.Pump();
    EXPECT_EQ(sim.State(), S::Idle);
    EXPECT_EQ(sim.Color(), ScreenAt(123, 45));
    EXPECT_EQ(sim.DeliveredElsewhere(), 1);

    sim.MoveMouse(2, 2);
    sim.Pump();
    EXPECT_EQ(sim.DeliveredElsewhere(), 2);
}

// Whichever way a capture ends, the right button it pressed ends up released
// and the cursor free, and no release goes to another window. A lost capture
// owes the release until the other window lets go of the capture.
TEST(CaptureRun, EveryEndReleasesTheButtonAndTheCursor)
{
    struct Way {
        const char* name;
        void (*end)(CaptureSimulator&);
    };
    const Way ways[] = {
        {"left click", [](CaptureSimulator& sim) { sim.PressLeft(); sim.ReleaseLeft(); sim.Pump(); }},
        {"right click", [](CaptureSimulator& sim) { sim.PressRight(); sim.ReleaseRight(); sim.Pump(); }},
        {"Enter", [](CaptureSimulator& sim) { sim.PressKey(E::FinishKey); sim.Pump(); }},
        {"close", [](CaptureSimulator& sim) { sim.Close(); }},
        {"lost, then freed", [](CaptureSimulator& sim) {
             sim.OtherWindowTakesCapture();
             sim.FireTimer(E::RetryTimer);
             EXPECT_TRUE(sim.RightHeld()) << "released while another window held the capture";
             sim.OtherWindowReleasesCapture();
             sim.FireTimer(E::RetryTimer);
         }},
        {"left press, its release lost", [](CaptureSimulator& sim) {
             sim.PressLeft();
             sim.Pump();
             sim.FireTimer(E::HoldTimer);
         }},
        {"lost, then closed", [](CaptureSimulator& sim) {
             sim.OtherWindowTakesCapture();
             sim.OtherWindowReleasesCapture();
             sim.Close();
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        CaptureSimulator sim = MakeSimulator();
        StartCapture(sim);
        EXPECT_TRUE(sim.RightHeld());
        EXPECT_TRUE(sim.CursorClipped());
        sim.MoveMouse(30, 40);
        sim.Pump();
        way.end(sim);
        EXPECT_EQ(sim.State(), S::Idle);
        EXPECT_FALSE(sim.RightHeld());
        EXPECT_FALSE(sim.CursorClipped());
        EXPECT_EQ(sim.Owner(), CaptureSimulator::CaptureOwner::None);
        EXPECT_FALSE(sim.RightUpOwed());
        EXPECT_EQ(sim.DeliveredElsewhere(), 0);
        EXPECT_EQ(sim.Color(), ScreenAt(30, 40));
        EXPECT_EQ(sim.ButtonText(), kCaptureTextIdle);
        EXPECT_EQ(sim.FlagMismatches(), 0);
        // A second capture after the first starts and ends as usual.
        StartCapture(sim);
        sim.PressKey(E::FinishKey);
        sim.Pump();
        EXPECT_FALSE(sim.RightHeld());
    }
}

// A capture that starts while a release is still owed takes the debt over:
// its own end releases the button, and the owed release is not sent twice.
TEST(CaptureRun, NewCaptureTakesOverAnOwedRelease)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.OtherWindowTakesCapture();
    sim.OtherWindowReleasesCapture();
    StartCapture(sim);
    sim.FireTimer(E::RetryTimer);
    EXPECT_FALSE(sim.RightUpOwed());
    EXPECT_EQ(sim.Injected(), (std::vector<E>{E::RButtonDown, E::RButtonDown}));
    sim.PressKey(E::FinishKey);
    sim.Pump();
    EXPECT_FALSE(sim.RightHeld());
    EXPECT_EQ(sim.Injected(), (std::vector<E>{E::RButtonDown, E::RButtonDown, E::RButtonUp}));
}

// One release per capture, however often the user clicks or presses Enter
// before it comes back; none for an owed button clicked up since; a press
// that comes back as the primary button after Enter (Wine, swapped) still
// ends with both buttons up; none counted that the system refused.
TEST(CaptureRun, ReleasesOncePerCaptureAndOnlyWhileHeld)
{
    CaptureSimulator sim = MakeSimulator();
    StartCapture(sim);
    sim.PressLeft();
    sim.Step();
    sim.PressKey(E::FinishKey);
    sim.Close();
    EXPECT_EQ(sim.Injected(), (std::vector<E>{E::RButtonDown, E::RButtonUp}));
    StartCapture(sim);
    sim.OtherWindowTakesCapture();
    sim.PressRight();
    sim.ReleaseRight();
    sim.Pump();
    sim.OtherWindowReleasesCapture();
    sim.FireTimer(E::RetryTimer);
    EXPECT_FALSE(sim.RightUpOwed());
    EXPECT_EQ(sim.Injected().size(), 3u);

    CaptureSimulator wine = MakeSimulator();
    wine.SwapButtons(true, false);
    wine.ClickCaptureButton();
    wine.PressKey(E::FinishKey);
    wine.Pump();
    EXPECT_FALSE(wine.LeftHeld() || wine.RightHeld());
    EXPECT_EQ(wine.Injected(), (std::vector<E>{E::LButtonDown, E::LButtonUp, E::RButtonDown, E::RButtonUp}));

    // A release the system refused is not on its way: Enter again ends it.
    CaptureSimulator refused = MakeSimulator();
    StartCapture(refused);
    refused.SetInjectionFails(true);
    refused.PressKey(E::FinishKey);
    refused.SetInjectionFails(false);
    refused.PressKey(E::FinishKey);
    refused.Pump();
    EXPECT_FALSE(refused.Capturing() || refused.RightHeld());
}

// When another program takes the foreground the release goes out at once,
// but only where it comes back to a window of ours: the cursor over one, or
// one put under the cursor, which the release reaches even if the cursor
// has left it meanwhile. Where none can be, it stays owed, and at the end
// it is not injected at all. A key state that cannot be read (an elevated
// window in front reads 0) does not count as released. Input the system
// refused, or took and lost (UIPI), is not paid: it stays owed until it can
// come back.
TEST(CaptureRun, AnOwedReleaseGoesOnlyWhereItComesBack)
{
    const struct Case {
        const char* name;
        bool overOurs, keyStateReadable, coverWorks, refused, dropped, leavesCover;
        bool heldBeforeTheEnd, heldAtTheEnd;
    } cases[] = {
        {"cursor over ours", true, true, true, false, false, false, false, false},
        {"cursor over the other program", false, true, true, false, false, false, false, false},
        {"key state unreadable", false, false, false, false, false, false, true, true},
        {"no window can go under the cursor", false, true, false, false, false, false, true, true},
        {"injection refused", true, true, true, true, false, false, true, true},
        {"injection taken and lost", true, true, true, false, true, false, true, false},
        {"cursor leaves the cover", false, true, true, false, false, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CaptureSimulator sim = MakeSimulator();
        StartCapture(sim);
        sim.SetCursorOverDialog(c.overOurs);
        sim.SetKeyStateReadable(c.keyStateReadable);
        sim.SetCoverWorks(c.coverWorks);
        sim.SetInjectionFails(c.refused);
        sim.SetInjectionDrops(c.dropped);
        sim.SetCursorLeavesCover(c.leavesCover);
        sim.OtherProgramTakesForeground();
        sim.FireTimer(E::RetryTimer);
        EXPECT_TRUE(sim.RightHeld() == c.heldBeforeTheEnd && sim.RightUpOwed() == c.heldBeforeTheEnd);
        // Lost once, it waits for one of ours in front: no timer waits out the bound again and again.
        EXPECT_LE(std::count(sim.Injected().begin(), sim.Injected().end(), E::RButtonUp), 1);
        sim.SetInjectionDrops(false);
        sim.Close();
        sim.Destroy();
        EXPECT_TRUE(sim.RightHeld() == c.heldAtTheEnd && !sim.RightUpOwed());
        EXPECT_EQ(sim.ButtonsElsewhere() + sim.Pending() + sim.InFlight(), 0u) << "a release gone or left elsewhere";
    }
}

TEST(CaptureNudge, StepsAndEdges)
{
    struct Case {
        CursorPoint from;
        NudgeKey key;
        bool shift;
        ScreenRect screen;
        CursorPoint to;
    };
    const ScreenRect one{0, 0, 1024, 768};
    // A monitor left of the primary one puts the origin at a negative x.
    const ScreenRect two{-1024, 0, 800, 768};
    const Case cases[] = {
        {{100, 100}, NudgeKey::Left, false, one, {99, 100}},
        {{100, 100}, NudgeKey::Right, false, one, {101, 100}},
        {{100, 100}, NudgeKey::Up, false, one, {100, 99}},
        {{100, 100}, NudgeKey::Down, false, one, {100, 101}},
        {{100, 100}, NudgeKey::Left, true, one, {90, 100}},
        {{100, 100}, NudgeKey::Down, true, one, {100, 110}},
        {{0, 5}, NudgeKey::Left, false, one, {0, 5}},
        {{4, 5}, NudgeKey::Left, true, one, {0, 5}},
        {{1023, 5}, NudgeKey::Right, false, one, {1023, 5}},
        {{1020, 5}, NudgeKey::Right, true, one, {1023, 5}},
        {{7, 762}, NudgeKey::Down, true, one, {7, 767}},
        {{7, 3}, NudgeKey::Up, true, one, {7, 0}},
        {{0, 10}, NudgeKey::Left, false, two, {-1, 10}},
        {{-1020, 10}, NudgeKey::Left, true, two, {-1024, 10}},
        {{795, 10}, NudgeKey::Right, true, two, {799, 10}},
        {{5, 5}, NudgeKey::Right, false, {0, 0, 0, 0}, {5, 5}},
        // A monitor above and left of the primary one: left and top differ.
        {{-1020, 10}, NudgeKey::Up, true, {-1024, 4, 800, 768}, {-1020, 4}},
        {{-1020, 10}, NudgeKey::Left, true, {-1024, 4, 800, 768}, {-1024, 10}},
        {{5, 763}, NudgeKey::Down, true, {-1024, 4, 800, 768}, {5, 767}},
    };
    for (const Case& c : cases) {
        const CursorPoint to = NudgeCursor(c.from, c.key, c.shift, c.screen);
        EXPECT_EQ(to.x, c.to.x) << c.from.x << "," << c.from.y << " key " << static_cast<int>(c.key);
        EXPECT_EQ(to.y, c.to.y) << c.from.x << "," << c.from.y << " key " << static_cast<int>(c.key);
    }
}

namespace {

// What the user and the system do, each bringing events of the table to the
// dialog; buttons pressed here are let go when things settle.
struct Happening {
    const char* name;
    void (*act)(CaptureSimulator&);
    bool leftDown, rightDown;
};
const Happening kHappenings[] = {
    {"capture button", [](CaptureSimulator& s) { s.ClickCaptureButton(); }, false, false},
    {"left press", [](CaptureSimulator& s) { s.PressLeft(); }, true, false},
    {"left click", [](CaptureSimulator& s) { s.PressLeft(); s.ReleaseLeft(); }, false, false},
    {"right press", [](CaptureSimulator& s) { s.PressRight(); }, false, true},
    {"right click", [](CaptureSimulator& s) { s.PressRight(); s.ReleaseRight(); }, false, false},
    {"move", [](CaptureSimulator& s) { s.MoveMouse(7, 8); }, false, false},
    {"arrow", [](CaptureSimulator& s) { s.PressKey(E::CursorKey); }, false, false},
    {"Enter", [](CaptureSimulator& s) { s.PressKey(E::FinishKey); }, false, false},
    {"capture lost", [](CaptureSimulator& s) { s.OtherWindowTakesCapture(); }, false, false},
    {"foreground taken", [](CaptureSimulator& s) { s.OtherProgramTakesForeground(); }, false, false},
    {"hold timer", [](CaptureSimulator& s) { s.FireTimer(E::HoldTimer); }, false, false},
    {"retry timer", [](CaptureSimulator& s) { s.FireTimer(E::RetryTimer); }, false, false},
    // Closing ends the modal loop: the window goes next.
    {"close", [](CaptureSimulator& s) { s.CloseWindow(); }, false, false},
    {"foreground taken, then a close", [](CaptureSimulator& s) {
         s.OtherProgramTakesForeground();
         s.CloseWindow();
     }, false, false},
    {"destroy", [](CaptureSimulator& s) { s.Destroy(); }, false, false},
};

// Where the capture is when the happening comes, its injected input late
// (landing only afterwards, or in a wait of the dialog's); with the left
// button still down or not.
const struct Moment {
    const char* name;
    void (*reach)(CaptureSimulator&);
    bool leftDown;
} kMoments[] = {
    {"release on its way after Enter", [](CaptureSimulator& s) { s.PressKey(E::FinishKey); }, false},
    {"release on its way after a click", [](CaptureSimulator& s) { s.PressLeft(); s.Pump(); }, true},
    {"hold for the click's release", [](CaptureSimulator& s) { s.PressLeft(); s.Pump(); s.LandInjected(); s.Pump(); },
     true},
    {"hold for the release on its way",
     [](CaptureSimulator& s) { s.PressRight(); s.ReleaseRight(); s.PressKey(E::FinishKey); s.Pump(); }, false},
    {"release owed", [](CaptureSimulator& s) { s.OtherWindowTakesCapture(); s.OtherWindowReleasesCapture(); }, false},
    // The dialog noted the press; its release went to the program in front.
    {"a right press here, its release elsewhere", [](CaptureSimulator& s) {
         s.PressRight();
         s.Pump();
         s.OtherProgramTakesForeground();
         s.ReleaseRight();
         s.Pump();
         s.SetOursInFront(true);
     }, false},
};

// All on its way arrives, the user lets go, the program is in front again,
// the timers run out, and a capture still on is ended with Enter, which
// lets go as soon as its release is back. A capture that never ends fails.
void Settle(CaptureSimulator& sim, bool leftDown, bool rightDown, int round = 0)
{
    sim.LandInjected();
    sim.Pump();
    if (leftDown)
        sim.ReleaseLeft();
    if (rightDown)
        sim.ReleaseRight();
    sim.OtherWindowReleasesCapture();
    sim.SetOursInFront(true);
    for (int i = 0; i < 4; ++i) {
        sim.FireTimer(E::RetryTimer);
        sim.FireTimer(E::HoldTimer);
    }
    if (sim.State() == S::Capturing) {
        ASSERT_LT(round, 3) << "the capture does not end";
        sim.PressKey(E::FinishKey);
        sim.LandInjected();
        sim.Pump();
        EXPECT_NE(sim.Owner(), CaptureSimulator::CaptureOwner::Dialog) << "held on after its release";
        Settle(sim, false, false, round + 1);
    }
}

} // namespace

// Every happening at every moment when a release is still to come, in each
// button mapping, over another program's window: the mode ends, no button
// message of the capture's reaches that program or the dialog's default
// processing, no button stays held or owed, and no release goes without its
// press (the user may have let go of an owed one by hand).
TEST(CaptureSweep, EveryEventWhileAReleaseIsOnItsWayOrAHoldLasts)
{
    const bool mappings[][2] = {{false, false}, {true, true}, {true, false}};  // swapped, and mapped by the system
    for (const auto& mapping : mappings) {
        for (const Moment& moment : kMoments) {
            for (const Happening& happening : kHappenings) {
                if (moment.leftDown && std::strstr(happening.name, "left"))
                    continue;  // a button still down cannot be pressed again
                SCOPED_TRACE(testing::Message() << mapping[0] << mapping[1] << " / " << moment.name << " / "
                                                << happening.name);
                CaptureSimulator sim = MakeSimulator();
                sim.SwapButtons(mapping[0], mapping[1]);
                StartCapture(sim);
                sim.SetCursorOverDialog(false);
                sim.SetInjectedLate(true);
                moment.reach(sim);
                happening.act(sim);
                Settle(sim, moment.leftDown || happening.leftDown, happening.rightDown);

                EXPECT_NE(sim.State(), S::Capturing);
                EXPECT_EQ(sim.ButtonsElsewhere() + sim.OwnDefaultProcessed(), 0);
                EXPECT_FALSE(sim.LeftHeld() || sim.RightHeld() || sim.RightUpOwed() || sim.CursorClipped());
                const auto injected = [&](E e) { return std::count(sim.Injected().begin(), sim.Injected().end(), e); };
                EXPECT_LE(injected(E::RButtonUp), injected(E::RButtonDown));
                EXPECT_LE(injected(E::LButtonUp), injected(E::LButtonDown));
                EXPECT_EQ(sim.FlagMismatches(), 0);
            }
        }
    }
}
