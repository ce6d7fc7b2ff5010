#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <vector>

#include "panel/color_format.h"
#include "panel/panel_view.h"

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

// Slider order in the component triple: top, middle, bottom.
enum SliderIndex : int { SLIDER_TOP = 0, SLIDER_MID = 1, SLIDER_BOTTOM = 2 };
constexpr int kSliderCount = 3;

// One UpdateColor call as the dialog made it.
struct UpdateColorCall {
    int a, b, c;
    bool fromSliders;
};

// The three sliders and the dialog without the platform. Each slider runs
// SliderMouse and then a small trackbar: a press on the thumb grabs it, a
// press beside it moves one page toward the press; the press takes the mouse
// capture, and while a slider holds it every mouse message goes to that
// slider. The release ends the drag and notifies NM_RELEASEDCAPTURE to the
// dialog at once. WM_SLIDER_DRAG waits in a queue until pumped. The dialog
// answers both by reading all three positions into UpdateColor with
// fromSliders true, and shows what ComputePanelView gives.
class SliderPanelSimulator {
public:
    // Starts as the dialog does: black, already shown in `format`.
    explicit SliderPanelSimulator(ColorFormat format, int pageSize = 20);

    // Mouse input over a slider; `value` is the slider position under the
    // mouse. With a slider holding the capture, it receives the input instead.
    void LButtonDown(int slider, int value);
    void MouseMove(int slider, int value);
    void LButtonUp(int slider, int value);
    // Arrow keys, Page Up/Down, Home, End: the thumb moves, nothing is notified.
    void KeyMove(int slider, int position);
    // The slider holding the capture loses it without seeing the release.
    void LoseCapture();
    // The dialog's repaint: UpdateColor with the stored colour as RGB.
    void Repaint();

    // Handles posted WM_SLIDER_DRAG messages: one, or all of them. Step
    // returns false when the queue was empty.
    bool Step();
    void Pump();
    std::size_t Pending() const { return m_posted.size(); }

    int Position(int slider) const { return m_sliders[Clamp(slider)].position; }
    int Maximum(int slider) const { return m_sliders[Clamp(slider)].maximum; }
    bool Dragging(int slider) const { return m_sliders[Clamp(slider)].m_bDragging; }
    bool HasCapture(int slider) const { return m_sliders[Clamp(slider)].hasCapture; }
    // What the panel shows: value labels, colour and number texts.
    const PanelView& Shown() const { return m_shown; }
    const std::vector<UpdateColorCall>& Calls() const { return m_calls; }

private:
    struct Trackbar {
        int position = 0;
        int maximum = 0;
        bool hasCapture = false;
        bool draggingThumb = false;
        bool m_bDragging = false;
    };

    static int Clamp(int slider);
    int Target(int slider) const;
    void SetPosition(Trackbar& bar, int position);
    void ReadSliders();
    void UpdateColor(int a, int b, int c, bool fromSliders);

    ColorFormat m_format;
    int m_pageSize;
    std::array<Trackbar, kSliderCount> m_sliders;
    std::deque<int> m_posted;
    PanelView m_shown;
    std::vector<UpdateColorCall> m_calls;
};
