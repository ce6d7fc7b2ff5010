#include "sampling/capture_model.h"

#include <initializer_list>

namespace {

using S = CaptureState;
using E = CaptureEvent;
using A = CaptureAction;

constexpr CaptureTransition Row(S state, E event, std::initializer_list<A> actions, S next)
{
    CaptureTransition row{state, event, {}, actions.size(), next};
    std::size_t i = 0;
    for (A action : actions)
        row.actions[i++] = action;
    return row;
}

} // namespace

const CaptureTransition kCaptureTable[2 * kCaptureEventCount] = {
    // A release still on its way from the last capture is taken out first:
    // coming back during the new one, it would end it.
    Row(S::Idle, E::CaptureClicked,
        {A::TakeCapture, A::CatchRelease, A::SetFlag, A::ConfineCursor, A::InjectPress, A::SetTextCapturing},
        S::Capturing),
    // A hold waits for the release of any press that comes to it.
    Row(S::Idle, E::LButtonDown, {A::NoteLeftDown, A::DefaultProcessing}, S::Idle),
    Row(S::Idle, E::MouseMove, {A::DefaultProcessing}, S::Idle),
    Row(S::Idle, E::RButtonDown, {A::NoteRightDown, A::DefaultProcessing}, S::Idle),
    Row(S::Idle, E::RButtonUp, {A::NoteRightUp, A::LetGoIfSettled, A::DefaultProcessing}, S::Idle),
    // Whatever release is still owed or on its way goes before the window
    // does, while a hold still brings it here.
    Row(S::Idle, E::Destroy, {A::FrameworkDestroy, A::SettleRelease, A::EndHold, A::DestroyZoomBitmap},
        S::Gone),
    Row(S::Idle, E::CaptureLost, {A::EndHold, A::DefaultProcessing}, S::Idle),
    Row(S::Idle, E::CursorKey, {}, S::Idle),
    Row(S::Idle, E::FinishKey, {}, S::Idle),
    Row(S::Idle, E::Close, {A::AwaitSettled, A::PayRelease}, S::Idle),
    // The release of the click that ended the mode comes to the dialog while
    // it holds on to the capture.
    Row(S::Idle, E::LButtonUp, {A::NoteLeftUp, A::LetGoIfSettled, A::DefaultProcessing}, S::Idle),
    Row(S::Idle, E::OwnRButtonUp, {A::NoteReleaseBack, A::LetGoIfSettled}, S::Idle),
    // A press of a capture already over: its own, and no concern of anyone's.
    Row(S::Idle, E::OwnLButtonDown, {}, S::Idle),
    Row(S::Idle, E::HoldTimer, {A::EndHold}, S::Idle),
    Row(S::Idle, E::RetryTimer, {A::PayRelease}, S::Idle),
    // Out of the foreground a hold no longer routes anything here.
    Row(S::Idle, E::Deactivated, {A::CatchRelease, A::LetGoIfSettled, A::DefaultProcessing}, S::Idle),
    Row(S::Idle, E::OwnRButtonDown, {}, S::Idle),

    // A second click notification (from the keyboard) must not take a second
    // capture nor inject a second press.
    Row(S::Capturing, E::CaptureClicked, {}, S::Capturing),
    // The flag stays set: the injected release ends the mode when it comes back.
    Row(S::Capturing, E::LButtonDown, {A::NoteLeftDown, A::InjectRelease, A::DefaultProcessing},
        S::Capturing),
    Row(S::Capturing, E::MouseMove, {A::Magnify, A::PickColor, A::DefaultProcessing}, S::Capturing),
    Row(S::Capturing, E::RButtonDown, {A::NoteRightDown}, S::Capturing),
    Row(S::Capturing, E::RButtonUp, {A::NoteRightUp, A::ClearFlag, A::LetGoOrHold, A::SetTextIdle}, S::Idle),
    Row(S::Capturing, E::Destroy,
        {A::FrameworkDestroy, A::ClearFlag, A::FreeCursor, A::OweRelease, A::SettleRelease,
         A::ReleaseCapture, A::DestroyZoomBitmap},
        S::Gone),
    Row(S::Capturing, E::CaptureLost,
        {A::ClearFlag, A::FreeCursor, A::SetTextIdle, A::OweRelease, A::DefaultProcessing}, S::Idle),
    // The cursor has already moved: no mouse move need arrive for it.
    Row(S::Capturing, E::CursorKey, {A::Magnify, A::PickColor}, S::Capturing),
    Row(S::Capturing, E::FinishKey, {A::InjectRelease}, S::Capturing),
    // The release comes back inside AwaitSettled and its own row ends the
    // mode there, as after a click; should it never come, Destroy ends it.
    Row(S::Capturing, E::Close, {A::InjectRelease, A::AwaitSettled}, S::Idle),
    // The user's release, or that of a press swapped for the other button.
    Row(S::Capturing, E::LButtonUp, {A::NoteLeftUp}, S::Capturing),
    Row(S::Capturing, E::OwnRButtonUp,
        {A::NoteReleaseBack, A::ClearFlag, A::LetGoOrHold, A::SetTextIdle}, S::Idle),
    Row(S::Capturing, E::OwnLButtonDown, {A::PressOtherButton}, S::Capturing),
    Row(S::Capturing, E::HoldTimer, {}, S::Capturing),
    // A new capture makes an owed release its own: it ends with a release.
    Row(S::Capturing, E::RetryTimer, {A::PayRelease}, S::Capturing),
    // Only the window in front routes input through its capture (and Wine
    // cancels nothing): the mode ends as a lost capture does and the dialog
    // lets go; the release, on its way or owed, comes back to a window of
    // ours under the cursor at once, so that the button is not held for
    // every program while the user works in the other one.
    Row(S::Capturing, E::Deactivated,
        {A::ClearFlag, A::FreeCursor, A::SetTextIdle, A::OweRelease, A::ReleaseCapture,
         A::PayReleaseUnderCursor, A::DefaultProcessing},
        S::Idle),
    Row(S::Capturing, E::OwnRButtonDown, {}, S::Capturing),
};

const CaptureTransition& CaptureStep(CaptureState state, CaptureEvent event)
{
    const int e = static_cast<int>(event);
    if (state == S::Gone) {
        // A destroyed window gets no more messages: every event stays Gone.
        static const auto kGoneRows = [] {
            std::array<CaptureTransition, kCaptureEventCount> rows{};
            for (int i = 0; i < kCaptureEventCount; ++i)
                rows[i] = Row(S::Gone, static_cast<E>(i), {}, S::Gone);
            return rows;
        }();
        return kGoneRows[e];
    }
    return kCaptureTable[static_cast<int>(state) * kCaptureEventCount + e];
}

const char kCaptureTextCapturing[] = "キャプチャ中";
const char kCaptureTextIdle[] = "キャプチャ開始";

namespace {

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

} // namespace

CursorPoint NudgeCursor(CursorPoint from, NudgeKey key, bool shift, const ScreenRect& screen)
{
    const int step = shift ? kNudgeShiftStep : kNudgeStep;
    CursorPoint to = from;
    switch (key) {
    case NudgeKey::Left: to.x -= step; break;
    case NudgeKey::Right: to.x += step; break;
    case NudgeKey::Up: to.y -= step; break;
    case NudgeKey::Down: to.y += step; break;
    }
    // An empty screen leaves the cursor where it is rather than inverting the range.
    if (screen.right <= screen.left || screen.bottom <= screen.top)
        return from;
    to.x = Clamp(to.x, screen.left, screen.right - 1);
    to.y = Clamp(to.y, screen.top, screen.bottom - 1);
    return to;
}
