#pragma once

#include <array>
#include <cstddef>

#include "sampling/zoom_geometry.h"

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
    CursorKey,       // an arrow key, once the cursor has been moved by it
    FinishKey,       // Enter or Space
    Close,           // OnCancel: Esc, the close box, the exit command
};
constexpr int kCaptureEventCount = 10;

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
    ConfineCursor,      // under Wine only: ClipCursor to the virtual screen less its last column
    FreeCursor,         // ClipCursor(NULL) if ConfineCursor clipped
    AwaitRightUp,       // handle mouse input until the injected release is back (bounded)
    OweRightUp,         // remember to release the right button once that is safe
    PayRightUp,         // release it now if it is owed and safe
};

constexpr std::size_t kMaxCaptureActions = 5;

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
// - Every way out of Capturing lets go of the right button that the capture
//   pressed. Clicks and Enter or Space inject the release and let it come
//   back as WM_RBUTTONUP. Closing does the same and waits for it before the
//   dialog goes, since a release that arrives after the dialog has gone is
//   delivered to whatever window is then under the cursor. Losing the capture
//   to another window cannot inject at once: the release would go to the new
//   owner (a menu, say), or with no owner to any window under the cursor; it
//   is owed instead and paid once the dialog is active and the thread holds
//   no capture, by taking the capture back for the moment of the release.
// - Keys are the capture's only while Capturing; Idle they go on to the
//   dialog manager untouched, so those rows are empty.

// The arrow keys while capturing move the cursor by a pixel, or by ten with
// Shift, for picking one exact pixel at 2x.
enum class NudgeKey : int { Left, Right, Up, Down };
constexpr int kNudgeStep = 1;
constexpr int kNudgeShiftStep = 10;

struct CursorPoint {
    int x, y;
};

// Where the key moves a cursor at `from`: a step the key's way, stopping at
// the last pixel of `screen` (the virtual screen, whose origin may be
// negative); the other coordinate is kept.
CursorPoint NudgeCursor(CursorPoint from, NudgeKey key, bool shift, const ScreenRect& screen);
