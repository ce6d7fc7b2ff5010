#pragma once

#include <deque>
#include <set>
#include <vector>

#include "color/colorref.h"
#include "sampling/capture_runner.h"
#include "sampling/magnifier.h"

// Capture mode without the platform: the program's own runner drives the
// transition table against a small model of the system. Mouse input waits in
// a queue until it is pumped; the buttons the dialog injects join the back of
// that queue and come back later as button messages tagged as its own, or,
// late as through slow low-level hooks, wait in flight until they land
// (a wait of the dialog's lands them, within its bound). Injected flags name
// physical buttons; whether the user's swap maps them (Windows) or not
// (Wine 8) is the model's choice. Mouse input goes to the dialog while it
// holds the capture and is in front, or while the cursor is over one of its
// windows; otherwise to another window. ReleaseCapture sends the dialog its
// WM_CAPTURECHANGED at once, inside the handler that calls it. A user's
// click lasts less than the bound of the dialog's waits: a button of the
// user's still down is let go during one.
class CaptureSimulator {
public:
    enum class CaptureOwner { None, Dialog, Other };

    CaptureSimulator(Image screen, int viewWidth, int viewHeight);

    // What the user and the system do.
    void ClickCaptureButton();          // BN_CLICKED, handled at once
    void MoveMouse(int x, int y);       // the cursor moves now; WM_MOUSEMOVE is queued
    void PressLeft();
    void ReleaseLeft();
    void PressRight();
    void ReleaseRight();
    void OtherWindowTakesCapture();     // another window of the program: WM_CAPTURECHANGED, at once
    void SetCursorOverDialog(bool over) { m_bOverDialog = over; }
    void SetOursInFront(bool front) { m_bInFront = front; }
    // Another program takes the foreground: WM_ACTIVATEAPP, handled at once.
    void OtherProgramTakesForeground();
    // Injected input comes back only once it lands (LandInjected).
    void SetInjectedLate(bool late) { m_bLate = late; }
    void LandInjected();
    // The key state cannot be read (an elevated window in front): it reads 0.
    void SetKeyStateReadable(bool readable) { m_bKeyStateReadable = readable; }
    void SetInjectionFails(bool fails) { m_bInjectionFails = fails; }
    // The system takes injected input and loses it (UIPI): SendInput says 1.
    void SetInjectionDrops(bool drops) { m_bInjectionDrops = drops; }
    // Whether a window of ours put under the cursor is the window there, and
    // whether the cursor leaves it again before input lands.
    void SetCoverWorks(bool works) { m_bCoverWorks = works; }
    void SetCursorLeavesCover(bool leaves) { m_bCursorLeavesCover = leaves; }
    // SM_SWAPBUTTON, and whether injected buttons are mapped by it.
    void SwapButtons(bool swapped, bool platformSwapsInjected);
    void Destroy();                     // WM_DESTROY, handled at once
    void PressKey(CaptureEvent key);    // CursorKey or FinishKey, handled at once
    void Close();                       // OnCancel, handled at once
    // OnCancel, then WM_DESTROY as the modal loop ends: a press of the
    // user's that the close waited for is no longer excused.
    void CloseWindow();
    void OtherWindowReleasesCapture();  // the thread holds no capture again
    void FireTimer(CaptureEvent timer); // HoldTimer or RetryTimer, if it is running

    // Delivers queued input: one message, or all of them. Step returns false
    // when the queue was empty.
    bool Step();
    void Pump();

    // What can be observed.
    CaptureState State() const;
    bool Capturing() const { return m_bCapturing; }
    const char* ButtonText() const { return m_pszButtonText; }
    COLORREF Color() const { return m_crColor; }
    int PickCount() const { return m_nPicks; }
    const Image& Bitmap() const { return m_bitmap; }
    bool HasBitmap() const { return m_bHasBitmap; }
    CaptureOwner Owner() const { return m_owner; }
    std::size_t Pending() const { return m_queue.size(); }
    // Every action run, in order, across all handlers.
    const std::vector<CaptureAction>& Actions() const { return m_actions; }
    // Events, in order, that were handed on to default processing.
    const std::vector<CaptureEvent>& DefaultProcessed() const { return m_defaulted; }
    // Injected button events, in order, as the physical button's
    // (L or R) ButtonDown or ButtonUp.
    const std::vector<CaptureEvent>& Injected() const { return m_injected; }
    // Queued input that went to some other window; and the button messages
    // among it that were the capture's: injected by the dialog, or the
    // release of a press that the dialog got.
    int DeliveredElsewhere() const { return m_nElsewhere; }
    int ButtonsElsewhere() const { return m_nButtonsElsewhere; }
    // The dialog's own injected buttons handed on to default processing.
    int OwnDefaultProcessed() const { return m_nOwnDefaulted; }
    std::size_t InFlight() const { return m_inFlight.size(); }
    // Rows whose next state did not match the flag they left behind.
    int FlagMismatches() const { return m_nMismatches; }
    // The system's physical buttons: pressed and released by injection or by hand.
    bool RightHeld() const { return m_held[1]; }
    bool LeftHeld() const { return m_held[0]; }
    bool CursorClipped() const { return m_bClipped; }
    bool RightUpOwed() const { return m_capture.releaseOwed; }

    // The host the runner drives; its members are the system calls of the model.
    bool m_bCapturing = false;
    CaptureRecord m_capture;
    void CaptureMouse();
    void ReleaseMouse();
    bool ThreadHoldsCapture() const { return m_owner != CaptureOwner::None; }
    bool OursInFront() const { return m_bInFront; }
    bool CursorOverOurs() const { return m_bOverDialog || m_bOnCover; }
    bool CoverCursor() { return m_bCovered = m_bOnCover = m_bCoverWorks; }
    void UncoverCursor() { m_bCovered = m_bOnCover = false; }
    void CaptureMouseForRelease() { CaptureMouse(); }
    void EndCaptureForRelease() { ReleaseMouse(); }
    bool ButtonsSwapped() const { return m_bSwapped; }
    bool ButtonHeld(MouseButton button) const { return m_bKeyStateReadable && m_held[static_cast<int>(button)]; }
    bool InjectButton(MouseButton button, bool down, bool ontoCover);
    void SetCaptureText(bool capturing);
    void Magnify();
    void PickColor();
    void DefaultProcessing();
    void FrameworkDestroy() {}
    void DestroyZoomBitmap() { m_bHasBitmap = false; }
    bool ConfineCursor() { return m_bClipped = true; }
    void FreeCursor() { m_bClipped = false; }
    void StartCaptureTimer(CaptureEvent timer, unsigned) { m_timers.insert(timer); }
    void StopCaptureTimer(CaptureEvent timer) { m_timers.erase(timer); }
    template <class Done>
    void DispatchMouseInputUntil(Done done)
    {
        while (!done()) {
            LandInjected();
            if (!Step() && !LetGoOfAUserButton())
                return;
        }
    }
    bool AwaitOwnRightUp();
    void OnCaptureAction(CaptureAction action, CaptureEvent) { m_actions.push_back(action); }

private:
    struct Input {
        CaptureEvent event;
        bool own;  // injected by the dialog, with its tag
    };
    void Queue(CaptureEvent event, bool own = false);
    static bool IsButton(CaptureEvent event) { return event != CaptureEvent::MouseMove; }
    void LetGoOfUsersPresses() { m_pressAtDialog[0] = m_pressAtDialog[1] = false; }
    void UserButton(CaptureEvent message, bool primary);
    bool LetGoOfAUserButton();
    bool RoutedToDialog() const;
    void DeliverElsewhere(const Input& input, bool upOfOurs);
    void Dispatch(CaptureEvent event);

    Image m_screen;
    int m_viewWidth;
    int m_viewHeight;
    int m_cursorX = 0;
    int m_cursorY = 0;

    bool m_bGone = false;
    bool m_bHasBitmap = true;
    Image m_bitmap;
    COLORREF m_crColor = 0;
    int m_nPicks = 0;
    const char* m_pszButtonText = kCaptureTextIdle;

    CaptureOwner m_owner = CaptureOwner::None;
    bool m_bOverDialog = true;
    bool m_bInFront = true;
    bool m_bSwapped = false;
    bool m_bPlatformSwaps = true;
    bool m_bLate = false;
    bool m_bKeyStateReadable = true;
    bool m_bInjectionFails = false;
    bool m_bInjectionDrops = false;
    bool m_bCoverWorks = true;
    bool m_bCursorLeavesCover = false;
    bool m_bCovered = false;
    bool m_bOnCover = false;
    // The user's logical buttons, primary and secondary.
    bool m_userDown[2] = {false, false};
    std::deque<Input> m_queue;
    std::deque<Input> m_inFlight;
    std::set<CaptureEvent> m_timers;
    Input m_current{CaptureEvent::MouseMove, false};

    std::vector<CaptureAction> m_actions;
    std::vector<CaptureEvent> m_defaulted;
    std::vector<CaptureEvent> m_injected;
    bool m_held[2] = {false, false};
    bool m_bClipped = false;
    int m_nElsewhere = 0;
    int m_nButtonsElsewhere = 0;
    int m_nOwnDefaulted = 0;
    bool m_pressAtDialog[2] = {false, false};
    int m_nMismatches = 0;
};
