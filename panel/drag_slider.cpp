#include "panel/drag_slider.h"

const MessageEntry<CDragSlider> CDragSlider::messageMap[] = {
    OnMessage<&CDragSlider::OnLButtonDown>(WM_LBUTTONDOWN),
    OnMessage<&CDragSlider::OnMouseMove>(WM_MOUSEMOVE),
    OnMessage<&CDragSlider::OnLButtonUp>(WM_LBUTTONUP),
};

bool CDragSlider::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return DispatchMessageMap(messageMap, *this, message, wParam, lParam, result);
}

void CDragSlider::OnLButtonDown(UINT, POINT)
{
    m_bDragging = true;
    Default();
}

void CDragSlider::OnMouseMove(UINT, POINT point)
{
    // Posted, not sent: the dialog must read the position this move is
    // about to produce, after the trackbar's own processing below.
    if (m_bDragging)
        ::PostMessageW(GetParent(), WM_SLIDER_DRAG, static_cast<WPARAM>(point.x),
                       static_cast<LPARAM>(point.y));
    Default();
}

void CDragSlider::OnLButtonUp(UINT, POINT)
{
    m_bDragging = false;
    Default();
}
