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
    LButtonDown,     // WM_LBUTTONDOWN: the user's primary press
    MouseMove,       // WM_MOUSEMOVE
    RButtonDown,     // WM_RBUTTONDOWN of the user's
    RButtonUp,       // WM_RBUTTONUP of the user's
    Destroy,         // WM_DESTROY
    CaptureLost,     // WM_CAPTURECHANGED
    CursorKey,       // an arrow key, once the cursor has been moved by it
    FinishKey,       // Enter or Space
    Close,           // OnCancel: Esc, the close box, the exit command
    LButtonUp,       // WM_LBUTTONUP
    OwnRButtonUp,    // WM_RBUTTONUP of the capture's own injected release
    OwnLButtonDown,  // WM_LBUTTONDOWN of the capture's own injected press
    HoldTimer,       // the bound on keeping the capture after the mode has ended
    RetryTimer,      // an owed release looks for a safe moment again
    Deactivated,     // WM_ACTIVATEAPP (FALSE) or WM_CANCELMODE: another program takes the foreground
    OwnRButtonDown,  // WM_RBUTTONDOWN of the capture's own injected press
};
constexpr int kCaptureEventCount = 17;

enum class CaptureAction : int {
    TakeCapture,        // SetCapture on the dialog window; a hold still running ends
    SetFlag,            // m_bCapturing = true, with a fresh record of the capture's buttons
    ClearFlag,          // m_bCapturing = false
    InjectPress,        // press the button that comes back as WM_RBUTTONDOWN (tagged)
    InjectRelease,      // release it, at most once per capture (tagged)
    PressOtherButton,   // the press came back as the primary button: swap to the other one
    SetTextCapturing,   // capture button reads kCaptureTextCapturing
    SetTextIdle,        // capture button reads kCaptureTextIdle
    ReleaseCapture,     // ReleaseCapture, if the dialog holds the capture
    LetGoOrHold,        // FreeCursor and ReleaseCapture, or hold both while a release is outstanding
    LetGoIfSettled,     // end a hold once nothing is outstanding
    EndHold,            // end a hold whatever is outstanding
    NoteLeftDown,       // the user's primary press is down
    NoteLeftUp,         // and up again
    NoteRightDown,      // the user's secondary press is down
    NoteRightUp,        // and up again
    NoteReleaseBack,    // the injected release has come back
    Magnify,            // Magnify
    PickColor,          // PickColor
    DefaultProcessing,  // CWnd::Default
    FrameworkDestroy,   // CWnd::OnDestroy
    DestroyZoomBitmap,  // DestroyZoomBitmap
    ConfineCursor,      // under Wine only: ClipCursor to the virtual screen less its last column
    FreeCursor,         // ClipCursor(NULL) if ConfineCursor clipped
    AwaitSettled,       // handle mouse input until the mode and any hold have ended (bounded)
    OweRelease,         // a press left held: release it once that is safe
    PayRelease,         // release it now if it is owed and safe
    PayReleaseUnderCursor,  // the same, and where no window of ours is under the cursor, put one there
    SettleRelease,      // the program ends: release whatever is owed or on its way, now
    CatchRelease,       // a release on its way is brought back to a window of ours and waited for
};

// The physical mouse buttons. Injected button flags name these; which one
// a program sees as WM_LBUTTON* or WM_RBUTTON* depends on the user's swap.
enum class MouseButton : int { Left, Right };

constexpr MouseButton OtherButton(MouseButton button)
{
    return button == MouseButton::Left ? MouseButton::Right : MouseButton::Left;
}

// What a capture keeps besides m_bCapturing: its buttons and cursor.
struct CaptureRecord {
    // The physical button of the injected press; the release uses the same.
    MouseButton pressed = MouseButton::Right;
    // The release is injected and has not come back yet.
    bool releaseSent = false;
    // A lost capture left the press held, or its release did not come back;
    // it is released once that is safe.
    bool releaseOwed = false;
    // The owed release was sent where it would have come back, and was lost.
    bool releaseDropped = false;
    // The user's presses that the capture took (the primary one that ended
    // the mode, a secondary one) are not released yet.
    bool leftDown = false;
    bool rightDown = false;
    // The mode has ended but the dialog keeps the capture, so that neither
    // that release nor the injected one reaches the window under the cursor.
    bool holding = false;
    bool cursorClipped = false;
};

// Injected input is delivered asynchronously on Windows: through the raw
// input thread and every low-level mouse hook on the system, each of which
// may take up to LowLevelHooksTimeout (at most 1 s on Windows 10 1709 and
// later). Waits for the capture's own input, and the hold for the release of
// the click that ended the mode, give up after this long.
constexpr unsigned kInjectedInputBoundMs = 1000;
// How often an owed release looks for a safe moment.
constexpr unsigned kReleaseRetryMs = 50;

// The tag in the extra information of every button event the capture
// injects, so that its own input is told from the user's when it comes back.
constexpr unsigned long kOwnInputTag = 0x546E7443;  // "CtnT"

constexpr std::size_t kMaxCaptureActions = 7;

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
// - The flag is set before the press is injected, so the press always comes
//   back to Capturing and is swallowed.
// - Every row that lets go of the capture clears the flag first.
//   ReleaseCapture sends WM_CAPTURECHANGED to the dialog at once; it then
//   finds Idle, where CaptureLost only ends a hold, so the end of a capture
//   never runs twice. WM_CAPTURECHANGED can therefore be fed in
//   unconditionally.
// - The held button is the one that comes back as WM_RBUTTONDOWN, so that
//   the user's primary click (WM_LBUTTONDOWN) ends the mode. Injected flags
//   name physical buttons, which the user's swap maps on Windows and Wine 8
//   does not: the press follows SM_SWAPBUTTON, and should it come back as
//   WM_LBUTTONDOWN all the same (recognised by its tag), it is released and
//   the other button pressed instead.
// - Every way out of Capturing lets go of the button that the capture
//   pressed, with one release per capture. Clicks and Enter or Space inject
//   it and let it come back as WM_RBUTTONUP. Closing does the same and waits
//   for it before the dialog goes, since a release that arrives after the
//   dialog has let go is delivered to whatever window is then under the
//   cursor, whose default processing opens a context menu. For the same
//   reason the capture is kept after the mode while the user's finishing
//   click or the injected release is still to come (bounded). Losing the
//   capture to another window cannot inject at once: the release would go to
//   the new owner (a menu, say), or with no owner to any window under the
//   cursor; it is owed instead and paid once one of the thread's windows is
//   active and the thread holds no capture, by taking the capture for the
//   moment of the release, and at the latest when the dialog is destroyed.
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
