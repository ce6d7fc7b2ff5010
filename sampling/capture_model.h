#pragma once

#include <array>
#include <cstddef>

// Capture mode as a transition table. The dialog keeps only m_bCapturing; each
// of its handlers looks up the row for (state of the flag, its event) and runs
// the row's actions in order. Flag changes are actions too, so the flag always
// ends up matching the row's next state.

enum class CaptureState : int {
    Idle,       // m_bCapturing false
    Capturing,  // m_bCapturing true
    Gone,       // the dialog window has been destroyed
};

enum class CaptureEvent : int {
    CaptureClicked,  // BN_CLICKED from the capture button
    LButtonDown,     // WM_LBUTTONDOWN
    MouseMove,       // WM_MOUSEMOVE
    RButtonDown,     // WM_RBUTTONDOWN
    RButtonUp,       // WM_RBUTTONUP
    Destroy,         // WM_DESTROY
    CaptureLost,     // WM_CAPTURECHANGED
};
constexpr int kCaptureEventCount = 7;

enum class CaptureAction : int {
    TakeCapture,        // SetCapture on the dialog window
    SetFlag,            // m_bCapturing = true
    ClearFlag,          // m_bCapturing = false
    InjectRightDown,    // mouse_event(MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0)
    InjectRightUp,      // mouse_event(MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0)
    SetTextCapturing,   // capture button reads kCaptureTextCapturing
    SetTextIdle,        // capture button reads kCaptureTextIdle
    ReleaseCapture,     // ReleaseCapture
    Magnify,            // Magnify
    PickColor,          // PickColor
    DefaultProcessing,  // CWnd::Default
    FrameworkDestroy,   // CWnd::OnDestroy
    DestroyZoomBitmap,  // DestroyZoomBitmap
};

constexpr std::size_t kMaxCaptureActions = 4;

struct CaptureTransition {
    CaptureState state;
    CaptureEvent event;
    std::array<CaptureAction, kMaxCaptureActions> actions;
    std::size_t actionCount;
    CaptureState next;

    const CaptureAction* begin() const { return actions.data(); }
    const CaptureAction* end() const { return actions.data() + actionCount; }
};

// The row for a state and an event. Every (Idle or Capturing, event) pair has
// exactly one row. Gone has none: a destroyed window gets no more messages,
// so any event there yields a row without actions that stays Gone.
const CaptureTransition& CaptureStep(CaptureState state, CaptureEvent event);

constexpr CaptureState CaptureStateFromFlag(bool capturing)
{
    return capturing ? CaptureState::Capturing : CaptureState::Idle;
}

// All rows, Idle ones first, each state's rows in the order of CaptureEvent.
extern const CaptureTransition kCaptureTable[2 * kCaptureEventCount];

// Capture button texts, UTF-8 (the window code converts them to UTF-16, so
// they read right whatever the system's ANSI code page):
// "キャプチャ中" while capturing, "キャプチャ開始" otherwise.
extern const char kCaptureTextCapturing[];
extern const char kCaptureTextIdle[];

// Why the table can be run straight from the message handlers:
// - The flag is set before the right press is injected, so the press always
//   comes back to Capturing and is swallowed.
// - Every row that releases the capture clears the flag first. ReleaseCapture
//   sends WM_CAPTURECHANGED to the dialog at once; it then finds Idle, where
//   CaptureLost only gets default processing, so the end of a capture never
//   runs twice. WM_CAPTURECHANGED can therefore be fed in unconditionally.
// - Losing the capture to another window while Capturing ends the mode as a
//   right release does, but releases nothing (the capture is already gone)
//   and injects nothing.
