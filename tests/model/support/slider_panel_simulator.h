#pragma once

#include <array>
#include <cstddef>
#include <deque>
#include <vector>

#include "panel/color_format.h"
#include "panel/panel_view.h"
#include "panel/slider_model.h"

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
    // Arrow keys, Page Up/Down, Home, End: the thumb moves and the dialog
    // applies it at once, unless that slider counts as dragged.
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
