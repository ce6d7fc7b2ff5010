#pragma once

// The private message a dragged slider posts to the dialog: WM_USER + 1.
constexpr unsigned int kSliderDragMessage = 0x0400 + 1;

// The mouse messages CDragSlider looks at before the trackbar's own processing.
enum class SliderMouseEvent : int { LButtonDown, MouseMove, LButtonUp };

struct SliderStep {
    bool dragging;  // the new value of m_bDragging
    bool postDrag;  // post WM_SLIDER_DRAG to the parent before the default processing
};

// One mouse message through CDragSlider: the handler stores `dragging` in
// m_bDragging, posts when asked, then always hands the message on to the
// control. Only a press sets the flag and only a release clears it; a lost
// capture changes nothing, so the flag can stay set until the next release.
constexpr SliderStep SliderMouse(bool dragging, SliderMouseEvent event)
{
    switch (event) {
    case SliderMouseEvent::LButtonDown:
        return {true, false};
    case SliderMouseEvent::MouseMove:
        return {dragging, dragging};
    case SliderMouseEvent::LButtonUp:
        return {false, false};
    }
    return {dragging, false};
}
