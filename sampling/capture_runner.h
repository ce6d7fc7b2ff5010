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
//   bool CursorOverOurs();           // input at the cursor would reach one of the thread's windows
//   bool CoverCursor();              // puts a window of ours under the cursor, if it can
//   void UncoverCursor();
//   void CaptureMouseForRelease();   // SetCapture on that window, or the dialog
//   void EndCaptureForRelease();     // ReleaseCapture after it
//   bool ButtonsSwapped();           // SM_SWAPBUTTON
//   bool ButtonHeld(MouseButton);    // the physical button, as the system sees it
//   bool InjectButton(MouseButton, bool down);  // tagged with kOwnInputTag; false if not inserted
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
            r.releaseSent = r.leftDown = r.rightDown = false;
            break;
        case A::ClearFlag:
            host.m_bCapturing = false;
            break;
        case A::InjectPress:
            r.pressed = host.ButtonsSwapped() ? MouseButton::Left : MouseButton::Right;
            host.InjectButton(r.pressed, true);
            break;
        case A::InjectRelease:
            // Input the system did not take is not on its way: Enter again,
            // or the end of the program, tries once more.
            if (!r.releaseSent)
                r.releaseSent = host.InjectButton(r.pressed, false);
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
            if (r.leftDown || r.rightDown || r.releaseSent) {
                r.holding = true;
                host.StartCaptureTimer(CaptureEvent::HoldTimer, kInjectedInputBoundMs);
            } else {
                LetGo(host);
            }
            break;
        case A::LetGoIfSettled:
            if (r.holding && !r.leftDown && !r.rightDown && !r.releaseSent)
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
        case A::NoteRightDown:
            r.rightDown = true;
            break;
        case A::NoteRightUp:
            r.rightDown = false;
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
        case A::CatchRelease:
            if (r.releaseSent)
                BringBackRelease(host, false, true);
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
        host.m_capture.leftDown = host.m_capture.rightDown = host.m_capture.releaseSent = false;
        LetGo(host);
    }

    static void SettleDebt(Host& host)
    {
        host.m_capture.releaseOwed = false;
        host.StopCaptureTimer(CaptureEvent::RetryTimer);
    }

    // An owed release goes out only where it comes back to a window of the
    // thread, and while the thread holds no capture, so that no other
    // program gets a button message; at the end (`final`) also with a
    // capture held, and then a release still on its way is waited for too.
    // If the user has clicked the button up since, nothing is injected: the
    // key state tells, but only while one of our windows is in front, since
    // it reads 0 whenever it cannot be read (another desktop, an elevated
    // window in front).
    static void PayRelease(Host& host, bool final)
    {
        CaptureRecord& r = host.m_capture;
        if (r.releaseOwed && host.m_bCapturing) {
            SettleDebt(host);
            return;
        }
        bool pay = r.releaseOwed && (final || !host.ThreadHoldsCapture());
        if (pay && !host.ButtonHeld(r.pressed) && host.OursInFront()) {
            SettleDebt(host);
            pay = false;
        }
        if (pay || (final && r.releaseSent))
            BringBackRelease(host, pay, final);
    }

    // Where a release goes: while one of the thread's windows is in front,
    // to the thread's capture (taken for the moment if it holds none);
    // otherwise to the window under the cursor, which must then be ours.
    // With `cover` one of ours is put there if none is.
    struct Return {
        bool ours, took, covered;
    };

    static Return BringBack(Host& host, bool cover)
    {
        Return back{host.OursInFront() || host.CursorOverOurs(), false, false};
        if (!back.ours && cover)
            back.ours = back.covered = host.CoverCursor();
        // A capture of a thread not in front routes nothing on Windows: the
        // window put under the cursor gets the release by its place.
        if (back.ours && !back.covered && !host.ThreadHoldsCapture()) {
            host.CaptureMouseForRelease();
            back.took = true;
        }
        return back;
    }

    // Injects the owed release (`pay`) and waits for it, or for one already
    // on its way, where it comes back to us. With `cover` (the last chance)
    // a release that cannot come back is given up: the user's next click of
    // the button releases it.
    static void BringBackRelease(Host& host, bool pay, bool cover)
    {
        CaptureRecord& r = host.m_capture;
        const Return back = BringBack(host, cover);
        if (pay && back.ours && host.InjectButton(r.pressed, false)) {
            SettleDebt(host);
            r.releaseSent = true;
        } else if (pay && cover) {
            SettleDebt(host);
        }
        if (r.releaseSent && (back.ours || cover)) {
            if (back.ours)
                host.AwaitOwnRightUp();
            r.releaseSent = false;
        }
        if (back.took)
            host.EndCaptureForRelease();
        if (back.covered)
            host.UncoverCursor();
    }
};
