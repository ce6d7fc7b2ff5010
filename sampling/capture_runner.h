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
//   void UncoverCursor();            //   (a few pixels wide, centred on the cursor)
//   void CaptureMouseForRelease();   // SetCapture on that window, or the dialog
//   void EndCaptureForRelease();     // ReleaseCapture after it
//   bool ButtonsSwapped();           // SM_SWAPBUTTON
//   bool ButtonHeld(MouseButton);    // the physical button, as the system sees it
//   bool InjectButton(MouseButton, bool down, bool ontoCover);
//                                    // tagged with kOwnInputTag; false if not inserted; with
//                                    //   ontoCover, after a move onto that window's centre in
//                                    //   the same uninterrupted input
//   void SetCaptureText(bool capturing);
//   void Magnify(); void PickColor(); void DefaultProcessing();
//   void FrameworkDestroy(); void DestroyZoomBitmap();
//   bool ConfineCursor(); void FreeCursor();
//   void StartCaptureTimer(CaptureEvent timer, unsigned ms); void StopCaptureTimer(CaptureEvent timer);
//   void DispatchMouseInputUntil(Done);   // handles mouse input until done(), bounded
//   bool AwaitOwnRightUp();          // takes only WM_RBUTTONUP out of the queue until one
//                                    //   has come and the button is up, bounded; whether one came
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
            host.InjectButton(r.pressed, true, false);
            break;
        case A::InjectRelease:
            // Input the system did not take is not on its way: Enter again,
            // or the end of the program, tries once more.
            if (!r.releaseSent)
                r.releaseSent = host.InjectButton(r.pressed, false, false);
            break;
        case A::PressOtherButton:
            // A release already on its way lets go of the wrong button; the
            // right one then gets a release of its own to end the mode.
            if (!r.releaseSent)
                host.InjectButton(r.pressed, false, false);
            r.pressed = OtherButton(r.pressed);
            host.InjectButton(r.pressed, true, false);
            if (r.releaseSent)
                host.InjectButton(r.pressed, false, false);
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
            // However late, a release that comes back pays what is owed.
            r.releaseSent = false;
            if (r.releaseOwed)
                SettleDebt(host);
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
        case A::AwaitSettled: {
            const auto settled = [&host] { return !host.m_bCapturing && !host.m_capture.holding; };
            host.DispatchMouseInputUntil(settled);
            // The bound has passed without the release: not waited for again.
            if (!settled() && r.releaseSent)
                ReleaseNotBack(host);
            break;
        }
        case A::OweRelease:
            // A release on its way comes back to whoever holds the capture.
            if (!r.releaseSent && !r.releaseOwed)
                Owe(host, false);
            break;
        case A::PayRelease:
            PayRelease(host, Reach::Retry);
            break;
        case A::PayReleaseUnderCursor:
            PayRelease(host, Reach::Cover);
            break;
        case A::SettleRelease:
            PayRelease(host, Reach::Final);
            break;
        case A::CatchRelease:
            if (r.releaseSent)
                BringBackRelease(host, false, Reach::Cover);
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

    // The bound has passed, or another window has taken the capture: the
    // user's presses are given up, but a release not back is owed.
    static void EndHold(Host& host)
    {
        if (!host.m_capture.holding)
            return;
        StopHolding(host);
        host.m_capture.leftDown = host.m_capture.rightDown = false;
        if (host.m_capture.releaseSent)
            ReleaseNotBack(host);
        LetGo(host);
    }

    // `dropped`: it was sent where it would have come back, and did not.
    static void Owe(Host& host, bool dropped)
    {
        host.m_capture.releaseOwed = true;
        host.m_capture.releaseDropped = dropped;
        host.StartCaptureTimer(CaptureEvent::RetryTimer, kReleaseRetryMs);
    }

    // SendInput reports input that UIPI drops (an elevated window in front)
    // as inserted: a release is paid only once it has come back, or once
    // the button reads up while one of our windows is in front.
    static void ReleaseNotBack(Host& host)
    {
        host.m_capture.releaseSent = false;
        Owe(host, true);
    }

    static void SettleDebt(Host& host)
    {
        host.m_capture.releaseOwed = host.m_capture.releaseDropped = false;
        host.StopCaptureTimer(CaptureEvent::RetryTimer);
    }

    // How far a payment may go. A retry pays only where the release comes
    // back by itself, and a release once dropped only with one of ours in
    // front, where nothing drops it, so that no timer waits out the bound
    // again and again. When another program takes the foreground, the
    // release also goes under a window of ours put under the cursor, and
    // what cannot come back stays owed. At the end, also past a capture
    // still held; what cannot come back then is given up.
    enum class Reach { Retry, Cover, Final };

    // An owed release goes out only where it comes back to a window of the
    // thread, and while the thread holds no capture, so that no other
    // program gets a button message. If the user has clicked the button up
    // since, nothing is injected: the key state tells, but only while one of
    // our windows is in front, since it reads 0 whenever it cannot be read
    // (another desktop, an elevated window in front). At the end a release
    // still on its way is waited for too.
    static void PayRelease(Host& host, Reach reach)
    {
        CaptureRecord& r = host.m_capture;
        if (r.releaseOwed && host.m_bCapturing) {
            SettleDebt(host);
            return;
        }
        const bool final = reach == Reach::Final;
        bool pay = r.releaseOwed && (final || !host.ThreadHoldsCapture());
        if (pay && reach == Reach::Retry && r.releaseDropped && !host.OursInFront())
            pay = false;
        if (pay && !host.ButtonHeld(r.pressed) && host.OursInFront()) {
            SettleDebt(host);
            pay = false;
        }
        if (pay || (reach != Reach::Retry && r.releaseSent))
            BringBackRelease(host, pay, reach);
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

    // Injects the owed release (`pay`) where it comes back to us, and waits
    // for it, or for one already on its way. The cursor may have left the
    // window put under it by the time the release lands: the release then
    // brings it back first. One that does not come back stays owed, except
    // at the end, when nothing more can be done: the user's next click of
    // the button releases it.
    static void BringBackRelease(Host& host, bool pay, Reach reach)
    {
        CaptureRecord& r = host.m_capture;
        const Return back = BringBack(host, reach != Reach::Retry);
        if (pay && back.ours)
            r.releaseSent = host.InjectButton(r.pressed, false, back.covered);
        if (r.releaseSent) {
            if (back.ours && host.AwaitOwnRightUp()) {
                r.releaseSent = false;
                SettleDebt(host);
            } else {
                ReleaseNotBack(host);
            }
        }
        if (reach == Reach::Final && r.releaseOwed)
            SettleDebt(host);
        if (back.took)
            host.EndCaptureForRelease();
        if (back.covered)
            host.UncoverCursor();
    }
};
