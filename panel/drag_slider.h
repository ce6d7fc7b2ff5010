#pragma once

#include "framework/controls.h"
#include "framework/message_map.h"
#include "framework/subclass_wnd.h"
#include "panel/slider_model.h"

// Posted by a slider to its dialog while it is dragged with the left button.
// On a dialog WM_USER + 1 is also DM_SETDEFID, so the dialog must take this
// message before the dialog manager sees it.
constexpr UINT WM_SLIDER_DRAG = kSliderDragMessage;
static_assert(WM_SLIDER_DRAG == WM_USER + 1);

// A trackbar that reports mouse moves with the left button held down to its
// parent, so the colour can follow the thumb while it is dragged.
class CDragSlider : public CSliderOps<CSubclassWnd> {
public:
    bool m_bDragging = false;

protected:
    bool OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);

private:
    void OnMouse(SliderMouseEvent event, POINT point);

    static const MessageEntry<CDragSlider> messageMap[];
};
