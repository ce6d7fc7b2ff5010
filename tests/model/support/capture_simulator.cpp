#include "tests/model/support/capture_simulator.h"

#include <algorithm>
#include <utility>

CaptureSimulator::CaptureSimulator(Image screen, int viewWidth, int viewHeight)
    : m_screen(std::move(screen)), m_viewWidth(viewWidth), m_viewHeight(viewHeight),
      m_bitmap(CreateZoomImage(viewWidth, viewHeight))
{
}

void CaptureSimulator::ClickCaptureButton() { Dispatch(CaptureEvent::CaptureClicked); }
void CaptureSimulator::PressKey(CaptureEvent key) { Dispatch(key); }
void CaptureSimulator::Close() { Dispatch(CaptureEvent::Close); }
void CaptureSimulator::CloseWindow()
{
    Close();
    Dispatch(CaptureEvent::Destroy);
}
// Made to let go (the hold's bound passed, the window going, another window
// or program taking over), the dialog answers no more for the user's buttons
// still down: their releases go where the system sends them.
void CaptureSimulator::Destroy()
{
    LetGoOfUsersPresses();
    Dispatch(CaptureEvent::Destroy);
}

void CaptureSimulator::MoveMouse(int x, int y)
{
    m_cursorX = x;
    m_cursorY = y;
    Queue(CaptureEvent::MouseMove);
}

void CaptureSimulator::PressLeft() { UserButton(CaptureEvent::LButtonDown, true); }
void CaptureSimulator::ReleaseLeft() { UserButton(CaptureEvent::LButtonUp, true); }
void CaptureSimulator::PressRight() { UserButton(CaptureEvent::RButtonDown, false); }
void CaptureSimulator::ReleaseRight() { UserButton(CaptureEvent::RButtonUp, false); }

// The user's buttons are logical: where the platform swaps, the primary
// button is the physical right one.
void CaptureSimulator::UserButton(CaptureEvent message, bool primary)
{
    const bool down = message == CaptureEvent::LButtonDown || message == CaptureEvent::RButtonDown;
    if (!down && !m_userDown[primary ? 0 : 1])
        return;
    m_userDown[primary ? 0 : 1] = down;
    m_held[primary == (m_bSwapped && m_bPlatformSwaps) ? 1 : 0] = down;
    Queue(message);
}

bool CaptureSimulator::LetGoOfAUserButton()
{
    if (m_userDown[0])
        ReleaseLeft();
    else if (m_userDown[1])
        ReleaseRight();
    else
        return false;
    return true;
}

void CaptureSimulator::SwapButtons(bool swapped, bool platformSwapsInjected)
{
    m_bSwapped = swapped;
    m_bPlatformSwaps = platformSwapsInjected;
}

void CaptureSimulator::OtherWindowTakesCapture()
{
    const bool hadIt = m_owner == CaptureOwner::Dialog;
    m_owner = CaptureOwner::Other;
    LetGoOfUsersPresses();
    if (hadIt)
        Dispatch(CaptureEvent::CaptureLost);
}

void CaptureSimulator::OtherWindowReleasesCapture()
{
    if (m_owner == CaptureOwner::Other)
        m_owner = CaptureOwner::None;
}

void CaptureSimulator::OtherProgramTakesForeground()
{
    m_bInFront = false;
    LetGoOfUsersPresses();
    Dispatch(CaptureEvent::Deactivated);
}

// WM_TIMER comes only once no other message waits; and the hold's bound is
// the latest that injected input is documented to come back.
void CaptureSimulator::FireTimer(CaptureEvent timer)
{
    if (timer == CaptureEvent::HoldTimer)
        LandInjected();
    Pump();
    if (!m_timers.count(timer))
        return;
    if (timer == CaptureEvent::HoldTimer)
        LetGoOfUsersPresses();
    Dispatch(timer);
}

// Only the window in front routes input through its capture (Windows);
// input over one of the dialog's windows reaches them in any case, unless
// another window holds the capture.
bool CaptureSimulator::RoutedToDialog() const
{
    return !m_bGone && (m_owner == CaptureOwner::Dialog ? m_bInFront || CursorOverOurs()
                                                        : m_owner == CaptureOwner::None && CursorOverOurs());
}

bool CaptureSimulator::Step()
{
    if (m_queue.empty())
        return false;
    const Input input = m_queue.front();
    m_queue.pop_front();
    const bool toDialog = RoutedToDialog();
    // A user's press that the dialog got makes its release the dialog's too.
    const bool up = input.event == CaptureEvent::LButtonUp || input.event == CaptureEvent::RButtonUp;
    const int button = input.event == CaptureEvent::RButtonDown || input.event == CaptureEvent::RButtonUp;
    const bool upOfOurs = up && m_pressAtDialog[button];
    if (input.event == CaptureEvent::LButtonDown || input.event == CaptureEvent::RButtonDown)
        m_pressAtDialog[button] = toDialog && !m_bGone;
    if (toDialog) {
        const Input outer = m_current;
        m_current = input;
        Dispatch(input.event);
        m_current = outer;
    } else {
        DeliverElsewhere(input, upOfOurs);
    }
    return true;
}

void CaptureSimulator::DeliverElsewhere(const Input& input, bool upOfOurs)
{
    ++m_nElsewhere;
    // Only a window of the program itself can take the capture from the
    // dialog (another program takes the foreground instead).
    m_nButtonsElsewhere += (input.own || upOfOurs) && IsButton(input.event) && m_owner != CaptureOwner::Other;
}

void CaptureSimulator::LandInjected()
{
    m_queue.insert(m_queue.end(), m_inFlight.begin(), m_inFlight.end());
    m_inFlight.clear();
}

void CaptureSimulator::DefaultProcessing()
{
    m_defaulted.push_back(m_current.event);
    m_nOwnDefaulted += m_current.own && IsButton(m_current.event);
}

void CaptureSimulator::Pump()
{
    while (Step()) {
    }
}

CaptureState CaptureSimulator::State() const
{
    return m_bGone ? CaptureState::Gone : CaptureStateFromFlag(m_bCapturing);
}

void CaptureSimulator::Queue(CaptureEvent event, bool own)
{
    (own && m_bLate ? m_inFlight : m_queue).push_back({event, own});
}

void CaptureSimulator::Dispatch(CaptureEvent event)
{
    if (m_bGone)
        return;
    // Like the dialog, look the row up from the flag as it is right now: a
    // nested WM_CAPTURECHANGED sees whatever the outer handler has done so far.
    const Input outer = m_current;
    if (m_current.event != event)
        m_current = {event, false};
    const CaptureTransition& row = CaptureRunner<CaptureSimulator>::Run(*this, event);
    m_current = outer;
    if (row.next == CaptureState::Gone)
        m_bGone = true;
    else if (row.next != State())
        ++m_nMismatches;
}

void CaptureSimulator::CaptureMouse()
{
    m_owner = CaptureOwner::Dialog;
}

void CaptureSimulator::ReleaseMouse()
{
    if (m_owner == CaptureOwner::Dialog) {
        m_owner = CaptureOwner::None;
        Dispatch(CaptureEvent::CaptureLost);
    }
}

bool CaptureSimulator::InjectButton(MouseButton button, bool down, bool ontoCover)
{
    if (m_bInjectionFails)
        return false;
    const bool left = button == MouseButton::Left;
    m_injected.push_back(left ? (down ? CaptureEvent::LButtonDown : CaptureEvent::LButtonUp)
                              : (down ? CaptureEvent::RButtonDown : CaptureEvent::RButtonUp));
    if (m_bInjectionDrops)
        return true;
    // Unless the input brings it back first, the cursor has moved on.
    if (m_bCovered && m_bCursorLeavesCover)
        m_bOnCover = ontoCover;
    m_held[static_cast<int>(button)] = down;
    // Its own press and release come back tagged: their own events.
    const bool arrivesLeft = left != (m_bSwapped && m_bPlatformSwaps);
    if (arrivesLeft)
        Queue(down ? CaptureEvent::OwnLButtonDown : CaptureEvent::LButtonUp, true);
    else
        Queue(down ? CaptureEvent::OwnRButtonDown : CaptureEvent::OwnRButtonUp, true);
    return true;
}

void CaptureSimulator::SetCaptureText(bool capturing)
{
    m_pszButtonText = capturing ? kCaptureTextCapturing : kCaptureTextIdle;
}

void CaptureSimulator::Magnify()
{
    if (m_bHasBitmap)
        ::Magnify(m_screen, ComputeZoomGeometry(m_viewWidth, m_viewHeight, m_cursorX, m_cursorY), m_bitmap);
}

void CaptureSimulator::PickColor()
{
    m_crColor = m_bHasBitmap ? GetCenterPixel(m_bitmap, m_viewWidth, m_viewHeight) : 0;
    ++m_nPicks;
}

// Only a WM_RBUTTONUP is taken out, unhandled, if it comes to one of the
// dialog's windows; all else stays queued.
bool CaptureSimulator::AwaitOwnRightUp()
{
    const auto isUp = [](const Input& input) {
        return input.event == CaptureEvent::RButtonUp || input.event == CaptureEvent::OwnRButtonUp;
    };
    if (std::none_of(m_queue.begin(), m_queue.end(), isUp))
        LandInjected();
    const auto up = std::find_if(m_queue.begin(), m_queue.end(), isUp);
    if (up == m_queue.end())
        return false;
    const Input input = *up;
    m_queue.erase(up);
    if (RoutedToDialog())
        return true;
    DeliverElsewhere(input, false);
    return false;
}
