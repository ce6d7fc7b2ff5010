#pragma once

#include <deque>
#include <vector>

#include "color/colorref.h"
#include "sampling/capture_model.h"
#include "sampling/magnifier.h"

// Capture mode without the platform: the dialog's handlers run the transition
// table against a small model of the system. Mouse input waits in a queue
// until it is pumped; the right-button events the dialog injects join the
// back of that queue and come back later as ordinary button messages. Mouse
// input goes to the dialog unless another window holds the capture (or, with
// no capture, the cursor is elsewhere). ReleaseCapture sends the dialog its
// WM_CAPTURECHANGED at once, inside the handler that calls it.
class CaptureSimulator {
public:
    enum class CaptureOwner { None, Dialog, Other };

    CaptureSimulator(Image screen, int viewWidth, int viewHeight);

    // What the user and the system do.
    void ClickCaptureButton();          // BN_CLICKED, handled at once
    void MoveMouse(int x, int y);       // the cursor moves now; WM_MOUSEMOVE is queued
    void PressLeft();
    void PressRight();
    void ReleaseRight();
    void OtherWindowTakesCapture();     // WM_CAPTURECHANGED, handled at once
    void SetCursorOverDialog(bool over) { m_bOverDialog = over; }
    void Destroy();                     // WM_DESTROY, handled at once
    void PressKey(CaptureEvent key);    // CursorKey or FinishKey, handled at once
    void Close();                       // OnCancel, handled at once
    void OtherWindowReleasesCapture();  // the thread holds no capture again
    void RetryTimerFires();             // the owed release's timer

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
    // Injected right-button events (RButtonDown or RButtonUp), in order.
    const std::vector<CaptureEvent>& Injected() const { return m_injected; }
    // Queued input that went to some other window.
    int DeliveredElsewhere() const { return m_nElsewhere; }
    // Rows whose next state did not match the flag they left behind.
    int FlagMismatches() const { return m_nMismatches; }
    // The system's right button: pressed and released by injection or by hand.
    bool RightHeld() const { return m_bRightHeld; }
    bool CursorClipped() const { return m_bClipped; }
    bool RightUpOwed() const { return m_bOwed; }

private:
    void Queue(CaptureEvent event);
    void Dispatch(CaptureEvent event);
    void Run(CaptureAction action);

    Image m_screen;
    int m_viewWidth;
    int m_viewHeight;
    int m_cursorX = 0;
    int m_cursorY = 0;

    bool m_bCapturing = false;
    bool m_bGone = false;
    bool m_bHasBitmap = true;
    Image m_bitmap;
    COLORREF m_crColor = 0;
    int m_nPicks = 0;
    const char* m_pszButtonText = kCaptureTextIdle;

    CaptureOwner m_owner = CaptureOwner::None;
    bool m_bOverDialog = true;
    std::deque<CaptureEvent> m_queue;

    std::vector<CaptureAction> m_actions;
    std::vector<CaptureEvent> m_defaulted;
    std::vector<CaptureEvent> m_injected;
    bool m_bRightHeld = false;
    bool m_bClipped = false;
    bool m_bOwed = false;
    int m_nElsewhere = 0;
    int m_nMismatches = 0;
};
