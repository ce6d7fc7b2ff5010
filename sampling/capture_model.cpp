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

// Filler for unused action slots; never executed.
constexpr A kNone = A::DefaultProcessing;

} // namespace

const CaptureTransition kCaptureTable[2 * kCaptureEventCount] = {
    Row(S::Idle, E::CaptureClicked,
        {A::TakeCapture, A::SetFlag, A::InjectRightDown, A::SetTextCapturing}, 4, S::Capturing),
    Row(S::Idle, E::LButtonDown, {A::DefaultProcessing, kNone, kNone, kNone}, 1, S::Idle),
    Row(S::Idle, E::MouseMove, {A::DefaultProcessing, kNone, kNone, kNone}, 1, S::Idle),
    Row(S::Idle, E::RButtonDown, {A::DefaultProcessing, kNone, kNone, kNone}, 1, S::Idle),
    Row(S::Idle, E::RButtonUp, {A::DefaultProcessing, kNone, kNone, kNone}, 1, S::Idle),
    Row(S::Idle, E::Destroy, {A::FrameworkDestroy, A::DestroyZoomBitmap, kNone, kNone}, 2, S::Gone),
    Row(S::Idle, E::CaptureLost, {A::DefaultProcessing, kNone, kNone, kNone}, 1, S::Idle),

    // A second click notification (from the keyboard) must not take a second
    // capture nor inject a second press.
    Row(S::Capturing, E::CaptureClicked, {kNone, kNone, kNone, kNone}, 0, S::Capturing),
    // The flag stays set: the injected release ends the mode when it comes back.
    Row(S::Capturing, E::LButtonDown, {A::InjectRightUp, A::DefaultProcessing, kNone, kNone}, 2,
        S::Capturing),
    Row(S::Capturing, E::MouseMove, {A::Magnify, A::PickColor, A::DefaultProcessing, kNone}, 3,
        S::Capturing),
    Row(S::Capturing, E::RButtonDown, {kNone, kNone, kNone, kNone}, 0, S::Capturing),
    Row(S::Capturing, E::RButtonUp, {A::ClearFlag, A::ReleaseCapture, A::SetTextIdle, kNone}, 3,
        S::Idle),
    Row(S::Capturing, E::Destroy,
        {A::FrameworkDestroy, A::ClearFlag, A::ReleaseCapture, A::DestroyZoomBitmap}, 4, S::Gone),
    Row(S::Capturing, E::CaptureLost, {A::ClearFlag, A::SetTextIdle, A::DefaultProcessing, kNone}, 3,
        S::Idle),
};

const CaptureTransition& CaptureStep(CaptureState state, CaptureEvent event)
{
    const int e = static_cast<int>(event);
    if (state == S::Gone) {
        static const CaptureTransition kGoneRows[kCaptureEventCount] = {
            Row(S::Gone, E::CaptureClicked, {kNone, kNone, kNone, kNone}, 0, S::Gone),
            Row(S::Gone, E::LButtonDown, {kNone, kNone, kNone, kNone}, 0, S::Gone),
            Row(S::Gone, E::MouseMove, {kNone, kNone, kNone, kNone}, 0, S::Gone),
            Row(S::Gone, E::RButtonDown, {kNone, kNone, kNone, kNone}, 0, S::Gone),
            Row(S::Gone, E::RButtonUp, {kNone, kNone, kNone, kNone}, 0, S::Gone),
            Row(S::Gone, E::Destroy, {kNone, kNone, kNone, kNone}, 0, S::Gone),
            Row(S::Gone, E::CaptureLost, {kNone, kNone, kNone, kNone}, 0, S::Gone),
        };
        return kGoneRows[e];
    }
    return kCaptureTable[static_cast<int>(state) * kCaptureEventCount + e];
}

const char kCaptureTextCapturing[] = "キャプチャ中";
const char kCaptureTextIdle[] = "キャプチャ開始";
