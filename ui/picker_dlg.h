#pragma once

#include <optional>

#include "color/colorref.h"
#include "framework/accessible_name.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/gdi.h"
#include "framework/message_map.h"
#include "framework/tooltip.h"
#include "panel/color_format.h"
#include "panel/drag_slider.h"
#include "panel/recent_colors.h"
#include <optional>

#include "sampling/capture_model.h"
#include "sampling/cursor_cover.h"

template <class Host>
class CaptureRunner;

// The main dialog: the magnifier, the colour panel and the capture button.
// Its members are defined by the folders that own them: the frame here in
// ui/, the colour panel in panel/, capture and magnifier in sampling/.
class CPickerDlg : public CDialog {
public:
    explicit CPickerDlg(CWnd* pParent = nullptr);
    ~CPickerDlg() override;

    // State
    bool m_bCapturing;
    // The capture's injected button, its release and its hold of the mouse.
    CaptureRecord m_capture;
    CBitmap* m_pZoomBitmap;
    // Each screen pixel is an m_nZoomFactor square of the view (2 at start);
    // a pick is the mean of m_nSampleSize x m_nSampleSize screen pixels.
    int m_nZoomFactor;
    int m_nSampleSize;
    bool m_bTopMost;
    ColorFormat m_nFormat;
    COLORREF m_crColor;
    // The colours the captures of this run left, and the screen pixel the
    // last pick read (none before the first).
    RecentColors m_recentColors;
    std::optional<POINT> m_ptPicked;

    // Controls, in binding order
    CStatic m_stLabelTop;
    CStatic m_stLabelBottom;
    CStatic m_stLabelMid;
    CStatic m_stZoomView;
    CStatic m_stSwatch;
    CStatic m_stValueTop;
    CStatic m_stValueMid;
    CStatic m_stValueBottom;
    CDragSlider m_sliderTop;
    CDragSlider m_sliderMid;
    CDragSlider m_sliderBottom;
    CEdit m_editHex;
    CEdit m_editDec;
    CButton m_btnCapture;
    // What screen readers call the copy buttons, the zoom view and the
    // swatch; bound and named by NameControls.
    static constexpr int kNamedControls = 4;
    CAccessibleName m_controlNames[kNamedControls];

    HICON m_hIcon;
    // What the copy buttons, the swatch, the zoom view and the capture
    // button do beyond a click; off while capturing.
    CToolTip m_tips;

    // Colour panel
    void UpdateColor(int a, int b, int c, bool fromSliders);
    void SelectFormat(ColorFormat format);
    void ReadSliders();

    // Magnifier
    void CreateZoomBitmap();
    void DestroyZoomBitmap();
    // A new, black bitmap when the view's inner size is no longer the bitmap's.
    void FitZoomBitmap();
    // A new, black bitmap of the view's inner size in the display's format.
    void RenewZoomBitmap();
    void Magnify();
    COLORREF GetCenterPixel();
    void PickColor();
    void RedrawZoomView();
    void SelectSample(int size);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    bool OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // Frame
    void NameControls();
    void CreateTips();
    // The tips of the swatch and the zoom view are rectangles of the dialog:
    // set again whenever the controls are laid out anew.
    void PlaceTips() const;
    // Tips off as a capture starts, on again as it ends, when its colour
    // joins the recent ones.
    void OnCaptureModeChange(bool capturing);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnAbout();
    void OnExit();
    void OnTopMost();
    void OnTimer(UINT_PTR id);
    void OnDpiChanged(const RECT& suggested);
    void OnSettingChange(UINT_PTR action);
    void OnDisplayChange();

    // Capture mode
    void OnCapture();
    void OnLButtonDown(UINT flags, POINT point);
    void OnMouseMove(UINT flags, POINT point);
    void OnRButtonDown(UINT flags, POINT point);
    void OnRButtonUp(UINT flags, POINT point);
    void OnLButtonUp(UINT flags, POINT point);
    void OnCaptureChanged(HWND hWndNew);
    void OnActivateApp(UINT_PTR active);
    void OnCancelMode();
    void OnDestroy();

    // Colour panel
    void OnSliderReleasedCapture(NMHDR* pNMHDR, LRESULT* pResult);
    void OnHScroll(HWND slider);
    void OnFormatRgb();
    void OnFormatHsv();
    void OnFormatHls();
    void OnFormatYmc();
    void OnCopyDec();
    void OnCopyHex();
    void OnContextMenu(HWND window, POINT point);
    void ShowCopyMenu(HWND button, POINT point);
    void ShowRecentMenu(POINT point);
    // Makes the recent colour chosen from either menu the current one, as a pick does.
    void ChooseRecent(UINT chosen, const std::vector<COLORREF>& recent);

    // Magnifier
    void OnSample1();
    void OnSample3();
    void OnSample5();

private:
    enum : UINT_PTR { kReleaseTimer = 1, kCopyTimer = 2, kHoldTimer = 3 };

    // What capture mode asks of the system; its decisions are the runner's.
    friend class CaptureRunner<CPickerDlg>;
    void CaptureMouse();
    void ReleaseMouse();
    bool ThreadHoldsCapture() const;
    HWND OurWindowInFront() const;
    bool OursInFront() const;
    bool CursorOverOurs() const;
    bool CoverCursor();
    void UncoverCursor();
    void CaptureMouseForRelease();
    void EndCaptureForRelease();
    bool ButtonsSwapped() const;
    bool ButtonHeld(MouseButton button) const;
    bool InjectButton(MouseButton button, bool down, bool ontoCover);
    void SetCaptureText(bool capturing);
    void DefaultProcessing() { Default(); }
    void FrameworkDestroy() { Default(); }
    bool ConfineCursor();
    void FreeCursor();
    void StartCaptureTimer(CaptureEvent timer, unsigned ms);
    void StopCaptureTimer(CaptureEvent timer);
    template <class Done>
    void DispatchMouseInputUntil(Done done);
    bool AwaitOwnRightUp();
    void OnCaptureAction(CaptureAction, CaptureEvent) {}
    void StartCopy(CEdit* edit, std::wstring text);
    bool CopyNow() const;
    void RetryCopy();

    // Under the cursor while a release must come back with another program in front.
    std::optional<CCursorCover> m_cursorCover;

    // A copy waiting for a busy clipboard: all of an edit's text or, without
    // an edit, a text of its own; since when.
    CEdit* m_pCopyEdit = nullptr;
    std::wstring m_strCopyText;
    DWORD m_dwCopyStart = 0;

    // While capturing: the zoom keys and the wheel, wherever among the
    // dialog's windows they arrive; true when the message was one of them.
    bool PreTranslateZoom(const MSG& msg);
    // Doublings (halvings when negative) of the factor; the view and pick follow.
    void StepZoom(int steps);
    // What is left of a wheel notch from earlier wheel messages.
    int m_nWheelRest = 0;
    // The view's geometry for a cursor at `cursor`, at the current factor and sample.
    ZoomGeometry ZoomAt(POINT cursor) const;
    // The cursor as the move being handled read it, once, for the view and
    // the pick alike; none when it could not be read.
    std::optional<POINT> m_ptReading;
    // The mean of the sampled square.
    COLORREF SampleMean(const SampleSquare& square) const;

    // The swatch's inside, filled with m_crColor; its frame is left alone.
    void FillSwatch();
    // Runs one row of the capture table.
    void RunCapture(CaptureEvent event);

    static const MessageEntry<CPickerDlg> messageMap[];
};
