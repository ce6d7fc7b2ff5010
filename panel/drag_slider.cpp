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

void CDragSlider::OnLButtonDown(UINT, POINT point) { OnMouse(SliderMouseEvent::LButtonDown, point); }
void CDragSlider::OnMouseMove(UINT, POINT point) { OnMouse(SliderMouseEvent::MouseMove, point); }
void CDragSlider::OnLButtonUp(UINT, POINT point) { OnMouse(SliderMouseEvent::LButtonUp, point); }

void CDragSlider::OnMouse(SliderMouseEvent event, POINT point)
{
    const SliderStep step = SliderMouse(m_bDragging, event);
    m_bDragging = step.dragging;
    // Posted, not sent: the dialog must read the position this move is
    // about to produce, after the trackbar's own processing below.
    if (step.postDrag)
        ::PostMessageW(GetParent(), WM_SLIDER_DRAG, static_cast<WPARAM>(point.x),
                       static_cast<LPARAM>(point.y));
    Default();
}
