#include "sampling/capture_model.h"

namespace {

using S = CaptureState;
using E = CaptureEvent;
using A = CaptureAction;

constexpr CaptureTransition Row(S state, E event, std::array<A, kMaxCaptureActions> actions,
                                std::size_t count, S next)
{
    return {state, event, actions, count, next};
}

} // namespace

const CaptureTransition kCaptureTable[2 * kCaptureEventCount] = {
    Row(S::Idle, E::CaptureClicked,
        {A::TakeCapture, A::SetFlag, A::ConfineCursor, A::InjectRightDown, A::SetTextCapturing}, 5,
        S::Capturing),
    Row(S::Idle, E::LButtonDown, {A::DefaultProcessing}, 1, S::Idle),
    Row(S::Idle, E::MouseMove, {A::DefaultProcessing}, 1, S::Idle),
    Row(S::Idle, E::RButtonDown, {A::DefaultProcessing}, 1, S::Idle),
    Row(S::Idle, E::RButtonUp, {A::DefaultProcessing}, 1, S::Idle),
    Row(S::Idle, E::Destroy, {A::FrameworkDestroy, A::DestroyZoomBitmap}, 2, S::Gone),
    Row(S::Idle, E::CaptureLost, {A::DefaultProcessing}, 1, S::Idle),
    Row(S::Idle, E::CursorKey, {}, 0, S::Idle),
    Row(S::Idle, E::FinishKey, {}, 0, S::Idle),
    // A release still owed from a lost capture is paid before the dialog goes.
    Row(S::Idle, E::Close, {A::PayRightUp}, 1, S::Idle),

    // A second click notification (from the keyboard) must not take a second
    // capture nor inject a second press.
    Row(S::Capturing, E::CaptureClicked, {}, 0, S::Capturing),
    // The flag stays set: the injected release ends the mode when it comes back.
    Row(S::Capturing, E::LButtonDown, {A::InjectRightUp, A::DefaultProcessing}, 2, S::Capturing),
    Row(S::Capturing, E::MouseMove, {A::Magnify, A::PickColor, A::DefaultProcessing}, 3,
        S::Capturing),
    Row(S::Capturing, E::RButtonDown, {}, 0, S::Capturing),
    Row(S::Capturing, E::RButtonUp, {A::ClearFlag, A::FreeCursor, A::ReleaseCapture, A::SetTextIdle},
        4, S::Idle),
    Row(S::Capturing, E::Destroy,
        {A::FrameworkDestroy, A::ClearFlag, A::FreeCursor, A::ReleaseCapture, A::DestroyZoomBitmap}, 5,
        S::Gone),
    Row(S::Capturing, E::CaptureLost,
        {A::ClearFlag, A::FreeCursor, A::SetTextIdle, A::OweRightUp, A::DefaultProcessing}, 5, S::Idle),
    // The cursor has already moved: no mouse move need arrive for it.
    Row(S::Capturing, E::CursorKey, {A::Magnify, A::PickColor}, 2, S::Capturing),
    Row(S::Capturing, E::FinishKey, {A::InjectRightUp}, 1, S::Capturing),
    // The release comes back inside AwaitRightUp and its own row ends the
    // mode there, as after a click; should it never come, Destroy ends it.
    Row(S::Capturing, E::Close, {A::InjectRightUp, A::AwaitRightUp}, 2, S::Idle),
};

const CaptureTransition& CaptureStep(CaptureState state, CaptureEvent event)
{
    const int e = static_cast<int>(event);
    if (state == S::Gone) {
        static const CaptureTransition kGoneRows[kCaptureEventCount] = {
            Row(S::Gone, E::CaptureClicked, {}, 0, S::Gone),
            Row(S::Gone, E::LButtonDown, {}, 0, S::Gone),
            Row(S::Gone, E::MouseMove, {}, 0, S::Gone),
            Row(S::Gone, E::RButtonDown, {}, 0, S::Gone),
            Row(S::Gone, E::RButtonUp, {}, 0, S::Gone),
            Row(S::Gone, E::Destroy, {}, 0, S::Gone),
            Row(S::Gone, E::CaptureLost, {}, 0, S::Gone),
            Row(S::Gone, E::CursorKey, {}, 0, S::Gone),
            Row(S::Gone, E::FinishKey, {}, 0, S::Gone),
            Row(S::Gone, E::Close, {}, 0, S::Gone),
        };
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
