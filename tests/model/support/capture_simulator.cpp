#include "tests/model/support/capture_simulator.h"

#include <utility>

CaptureSimulator::CaptureSimulator(Image screen, int viewWidth, int viewHeight)
    : m_screen(std::move(screen)), m_viewWidth(viewWidth), m_viewHeight(viewHeight),
      m_bitmap(CreateZoomImage(viewWidth, viewHeight))
{
}

void CaptureSimulator::ClickCaptureButton()
{
    Dispatch(CaptureEvent::CaptureClicked);
}

void CaptureSimulator::MoveMouse(int x, int y)
{
    m_cursorX = x;
    m_cursorY = y;
    Queue(CaptureEvent::MouseMove);
}

void CaptureSimulator::PressKey(CaptureEvent key)
{
    Dispatch(key);
}

void CaptureSimulator::Close()
{
    Dispatch(CaptureEvent::Close);
}

void CaptureSimulator::OtherWindowReleasesCapture()
{
    if (m_owner == CaptureOwner::Other)
        m_owner = CaptureOwner::None;
}

void CaptureSimulator::RetryTimerFires()
{
    if (!m_bGone)
        Run(CaptureAction::PayRightUp);
}

void CaptureSimulator::PressLeft()
{
    Queue(CaptureEvent::LButtonDown);
}

void CaptureSimulator::PressRight()
{
    m_bRightHeld = true;
    Queue(CaptureEvent::RButtonDown);
}

void CaptureSimulator::ReleaseRight()
{
    m_bRightHeld = false;
    Queue(CaptureEvent::RButtonUp);
}

void CaptureSimulator::OtherWindowTakesCapture()
{
    const bool hadIt = m_owner == CaptureOwner::Dialog;
    m_owner = CaptureOwner::Other;
    if (hadIt)
        Dispatch(CaptureEvent::CaptureLost);
}

void CaptureSimulator::Destroy()
{
    Dispatch(CaptureEvent::Destroy);
}

bool CaptureSimulator::Step()
{
    if (m_queue.empty())
        return false;
    const CaptureEvent event = m_queue.front();
    m_queue.pop_front();
    const bool toDialog = m_owner == CaptureOwner::Dialog || (m_owner == CaptureOwner::None && m_bOverDialog);
    if (toDialog && !m_bGone)
        Dispatch(event);
    else
        ++m_nElsewhere;
    return true;
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

void CaptureSimulator::Queue(CaptureEvent event)
{
    m_queue.push_back(event);
}

void CaptureSimulator::Dispatch(CaptureEvent event)
{
    if (m_bGone)
        return;
    // Like the dialog, look the row up from the flag as it is right now: a
    // nested WM_CAPTURECHANGED sees whatever the outer handler has done so far.
    const CaptureTransition& row = CaptureStep(State(), event);
    for (CaptureAction action : row) {
        m_actions.push_back(action);
        if (action == CaptureAction::DefaultProcessing)
            m_defaulted.push_back(event);
        Run(action);
    }
    if (row.next == CaptureState::Gone)
        m_bGone = true;
    else if (row.next != State())
        ++m_nMismatches;
}

void CaptureSimulator::Run(CaptureAction action)
{
    switch (action) {
    case CaptureAction::TakeCapture:
        m_owner = CaptureOwner::Dialog;
        break;
    case CaptureAction::SetFlag:
        m_bCapturing = true;
        break;
    case CaptureAction::ClearFlag:
        m_bCapturing = false;
        break;
    case CaptureAction::InjectRightDown:
        m_bRightHeld = true;
        m_injected.push_back(CaptureEvent::RButtonDown);
        Queue(CaptureEvent::RButtonDown);
        break;
    case CaptureAction::InjectRightUp:
        m_bRightHeld = false;
        m_injected.push_back(CaptureEvent::RButtonUp);
        Queue(CaptureEvent::RButtonUp);
        break;
    case CaptureAction::SetTextCapturing:
        m_pszButtonText = kCaptureTextCapturing;
        break;
    case CaptureAction::SetTextIdle:
        m_pszButtonText = kCaptureTextIdle;
        break;
    case CaptureAction::ReleaseCapture:
        if (m_owner == CaptureOwner::Dialog) {
            m_owner = CaptureOwner::None;
            Dispatch(CaptureEvent::CaptureLost);
        }
        break;
    case CaptureAction::Magnify:
        if (m_bHasBitmap)
            ::Magnify(m_screen, ComputeZoomGeometry(m_viewWidth, m_viewHeight, m_cursorX, m_cursorY), m_bitmap);
        break;
    case CaptureAction::PickColor:
        m_crColor = m_bHasBitmap ? GetCenterPixel(m_bitmap, m_viewWidth, m_viewHeight) : 0;
        ++m_nPicks;
        break;
    case CaptureAction::DefaultProcessing:
    case CaptureAction::FrameworkDestroy:
        break;
    case CaptureAction::DestroyZoomBitmap:
        m_bHasBitmap = false;
        break;
    case CaptureAction::ConfineCursor:
        m_bClipped = true;
        break;
    case CaptureAction::FreeCursor:
        m_bClipped = false;
        break;
    case CaptureAction::AwaitRightUp:
        while (m_bCapturing && Step()) {
        }
        break;
    case CaptureAction::OweRightUp:
        m_bOwed = true;
        break;
    case CaptureAction::PayRightUp:
        // Safe once the thread holds no capture: the dialog takes it for the
        // release, which comes back to it and is dropped.
        if (m_bOwed && !m_bCapturing && m_owner == CaptureOwner::None) {
            m_bRightHeld = false;
            m_injected.push_back(CaptureEvent::RButtonUp);
            m_bOwed = false;
        } else if (m_bCapturing) {
            m_bOwed = false;
        }
        break;
    }
}
