#pragma once

#include "sampling/capture_model.h"

// Runs the capture table against a host that performs its actions: the main
// dialog with Win32, the tests' simulator against a model of the system. The
// decisions live here, once; a host only answers and acts:
//
//   bool m_bCapturing;  CaptureRecord m_capture;
//   void CaptureMouse();             // SetCapture on the dialog
//   void ReleaseMouse();             // ReleaseCapture, if the dialog holds it
//   bool ThreadHoldsCapture();       // some window of the thread holds it
//   bool OursInFront();              // the active window is one of the thread's
//   void CaptureMouseForRelease();   // SetCapture on that window, or the dialog
//   void EndCaptureForRelease();     // ReleaseCapture after it
//   bool ButtonsSwapped();           // SM_SWAPBUTTON
//   bool ButtonHeld(MouseButton);    // the physical button, as the system sees it
//   void InjectButton(MouseButton, bool down);  // tagged with kOwnInputTag
//   void SetCaptureText(bool capturing);
//   void Magnify(); void PickColor(); void DefaultProcessing();
//   void FrameworkDestroy(); void DestroyZoomBitmap();
//   bool ConfineCursor(); void FreeCursor();
//   void StartCaptureTimer(CaptureEvent timer, unsigned ms); void StopCaptureTimer(CaptureEvent timer);
//   void DispatchMouseInputUntil(Done);   // handles mouse input until done(), bounded
//   void AwaitOwnRightUp();          // takes only WM_RBUTTONUP out of the queue until one
//                                    //   has come and the button is up, bounded
//   void OnCaptureAction(CaptureAction, CaptureEvent);  // sees each action first
template <class Host>
class CaptureRunner {
public:
    // Runs the row of (the host's state, event) and returns it.
    static const CaptureTransition& Run(Host& host, CaptureEvent event)
    {
        const CaptureTransition& row = CaptureStep(CaptureStateFromFlag(host.m_bCapturing), event);
        for (CaptureAction action : row) {
            host.OnCaptureAction(action, event);
            Do(host, action);
        }
        return row;
    }

private:
    using A = CaptureAction;

    static void Do(Host& host, CaptureAction action)
    {
        CaptureRecord& r = host.m_capture;
        switch (action) {
        case A::TakeCapture:
            StopHolding(host);
            host.CaptureMouse();
            break;
        case A::SetFlag:
            host.m_bCapturing = true;
            r.releaseSent = r.leftDown = false;
            break;
        case A::ClearFlag:
            host.m_bCapturing = false;
            break;
        case A::InjectPress:
            r.pressed = host.ButtonsSwapped() ? MouseButton::Left : MouseButton::Right;
            host.InjectButton(r.pressed, true);
            break;
        case A::InjectRelease:
            if (!r.releaseSent) {
                r.releaseSent = true;
                host.InjectButton(r.pressed, false);
            }
            break;
        case A::PressOtherButton:
            // A release already on its way lets go of the wrong button; the
            // right one then gets a release of its own to end the mode.
            if (!r.releaseSent)
                host.InjectButton(r.pressed, false);
            r.pressed = OtherButton(r.pressed);
            host.InjectButton(r.pressed, true);
            if (r.releaseSent)
                host.InjectButton(r.pressed, false);
            break;
        case A::SetTextCapturing:
            host.SetCaptureText(true);
            break;
        case A::SetTextIdle:
            host.SetCaptureText(false);
            break;
        case A::ReleaseCapture:
            host.ReleaseMouse();
            break;
        case A::LetGoOrHold:
            if (r.leftDown || r.releaseSent) {
                r.holding = true;
                host.StartCaptureTimer(CaptureEvent::HoldTimer, kInjectedInputBoundMs);
            } else {
                LetGo(host);
            }
            break;
        case A::LetGoIfSettled:
            if (r.holding && !r.leftDown && !r.releaseSent)
                EndHold(host);
            break;
        case A::EndHold:
            EndHold(host);
            break;
        case A::NoteLeftDown:
            r.leftDown = true;
            break;
        case A::NoteLeftUp:
            r.leftDown = false;
            break;
        case A::NoteReleaseBack:
            r.releaseSent = false;
            break;
        case A::Magnify:
            host.Magnify();
            break;
        case A::PickColor:
            host.PickColor();
            break;
        case A::DefaultProcessing:
            host.DefaultProcessing();
            break;
        case A::FrameworkDestroy:
            host.FrameworkDestroy();
            break;
        case A::DestroyZoomBitmap:
            host.DestroyZoomBitmap();
            break;
        case A::ConfineCursor:
            r.cursorClipped = host.ConfineCursor();
            break;
        case A::FreeCursor:
            FreeCursor(host);
            break;
        case A::AwaitSettled:
            host.DispatchMouseInputUntil([&host] { return !host.m_bCapturing && !host.m_capture.holding; });
            break;
        case A::OweRelease:
            // A release on its way comes back to whoever holds the capture.
            if (!r.releaseSent) {
                r.releaseOwed = true;
                host.StartCaptureTimer(CaptureEvent::RetryTimer, kReleaseRetryMs);
            }
            break;
        case A::PayRelease:
            PayRelease(host, false);
            break;
        case A::SettleRelease:
            PayRelease(host, true);
            break;
        }
    }

    static void FreeCursor(Host& host)
    {
        if (host.m_capture.cursorClipped) {
            host.FreeCursor();
            host.m_capture.cursorClipped = false;
        }
    }

    // The cursor's clip goes with the capture: under Wine it is what keeps
    // the X pointer grabbed, without which a release over another program's
    // window is that program's.
    static void LetGo(Host& host)
    {
        FreeCursor(host);
        host.ReleaseMouse();
    }

    static void StopHolding(Host& host)
    {
        if (host.m_capture.holding) {
            host.m_capture.holding = false;
            host.StopCaptureTimer(CaptureEvent::HoldTimer);
        }
    }

    // Whatever is still outstanding is given up: the bound has passed, or
    // another window has taken the capture.
    static void EndHold(Host& host)
    {
        if (!host.m_capture.holding)
            return;
        StopHolding(host);
        host.m_capture.leftDown = host.m_capture.releaseSent = false;
        LetGo(host);
    }

    // An owed release goes out while one of the thread's windows is active
    // and the thread holds no capture, with the capture taken for the moment
    // so that the release comes back here; at the end (`final`) it goes out
    // whatever, and a release still on its way is waited for. If the user
    // has clicked the button up since, nothing is injected.
    static void PayRelease(Host& host, bool final)
    {
        CaptureRecord& r = host.m_capture;
        if (r.releaseOwed) {
            if (host.m_bCapturing) {
                r.releaseOwed = false;
                host.StopCaptureTimer(CaptureEvent::RetryTimer);
                return;
            }
            if (!final && (host.ThreadHoldsCapture() || !host.OursInFront()))
                return;
        }
        const bool inject = r.releaseOwed && host.ButtonHeld(r.pressed);
        if (r.releaseOwed) {
            r.releaseOwed = false;
            host.StopCaptureTimer(CaptureEvent::RetryTimer);
        }
        if (!inject && !(final && r.releaseSent))
            return;
        const bool took = !host.ThreadHoldsCapture();
        if (took)
            host.CaptureMouseForRelease();
        if (inject)
            host.InjectButton(r.pressed, false);
        host.AwaitOwnRightUp();
        r.releaseSent = false;
        if (took)
            host.EndCaptureForRelease();
    }
};
