#include "tests/model/support/slider_panel_simulator.h"

#include <algorithm>

SliderPanelSimulator::SliderPanelSimulator(ColorFormat format, int pageSize)
    : m_format(format), m_pageSize(pageSize > 0 ? pageSize : 1)
{
    const FormatInfo& info = GetFormatInfo(format);
    for (int i = 0; i < kSliderCount; ++i)
        m_sliders[i].maximum = info.maxima[i];
    UpdateColor(0, 0, 0, false);
    m_calls.clear();
}

int SliderPanelSimulator::Clamp(int slider)
{
    return std::min(std::max(slider, 0), kSliderCount - 1);
}

int SliderPanelSimulator::Target(int slider) const
{
    for (int i = 0; i < kSliderCount; ++i) {
        if (m_sliders[i].hasCapture)
            return i;
    }
    return Clamp(slider);
}

void SliderPanelSimulator::SetPosition(Trackbar& bar, int position)
{
    bar.position = std::min(std::max(position, 0), bar.maximum);
}

void SliderPanelSimulator::LButtonDown(int slider, int value)
{
    Trackbar& bar = m_sliders[Target(slider)];
    bar.m_bDragging = SliderMouse(bar.m_bDragging, SliderMouseEvent::LButtonDown).dragging;

    bar.hasCapture = true;
    if (value == bar.position) {
        bar.draggingThumb = true;
    } else if (value > bar.position) {
        SetPosition(bar, std::min(bar.position + m_pageSize, value));
    } else {
        SetPosition(bar, std::max(bar.position - m_pageSize, value));
    }
}

void SliderPanelSimulator::MouseMove(int slider, int value)
{
    const int index = Target(slider);
    Trackbar& bar = m_sliders[index];
    const SliderStep step = SliderMouse(bar.m_bDragging, SliderMouseEvent::MouseMove);
    bar.m_bDragging = step.dragging;
    if (step.postDrag)
        m_posted.push_back(index);

    if (bar.draggingThumb)
        SetPosition(bar, value);
}

void SliderPanelSimulator::LButtonUp(int slider, int value)
{
    Trackbar& bar = m_sliders[Target(slider)];
    bar.m_bDragging = SliderMouse(bar.m_bDragging, SliderMouseEvent::LButtonUp).dragging;

    if (!bar.hasCapture)
        return;
    if (bar.draggingThumb)
        SetPosition(bar, value);
    bar.draggingThumb = false;
    bar.hasCapture = false;
    // NM_RELEASEDCAPTURE is sent, so the dialog handles it inside this call.
    ReadSliders();
}

void SliderPanelSimulator::KeyMove(int slider, int position)
{
    Trackbar& bar = m_sliders[Clamp(slider)];
    SetPosition(bar, position);
    // WM_HSCROLL is sent: the dialog reads the sliders inside this call,
    // unless the slider counts as dragged and leaves it to the drag.
    if (!bar.m_bDragging)
        ReadSliders();
}

void SliderPanelSimulator::LoseCapture()
{
    for (Trackbar& bar : m_sliders) {
        bar.hasCapture = false;
        bar.draggingThumb = false;
    }
}

void SliderPanelSimulator::Repaint()
{
    const COLORREF color = m_shown.color;
    UpdateColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF), false);
}

bool SliderPanelSimulator::Step()
{
    if (m_posted.empty())
        return false;
    m_posted.pop_front();
    ReadSliders();
    return true;
}

void SliderPanelSimulator::Pump()
{
    while (Step()) {
    }
}

void SliderPanelSimulator::ReadSliders()
{
    // Bottom, middle, top, as the dialog reads them.
    const int bottom = m_sliders[SLIDER_BOTTOM].position;
    const int mid = m_sliders[SLIDER_MID].position;
    const int top = m_sliders[SLIDER_TOP].position;
    UpdateColor(top, mid, bottom, true);
}

void SliderPanelSimulator::UpdateColor(int a, int b, int c, bool fromSliders)
{
    m_calls.push_back({a, b, c, fromSliders});
    m_shown = ComputePanelView(a, b, c, fromSliders, m_format);
    for (int i = 0; i < kSliderCount; ++i)
        SetPosition(m_sliders[i], m_shown.positions[i]);
}
