#include "ui/picker_dlg.h"

#include "framework/menu.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "ui/about_dlg.h"
#include "ui/load_string.h"

const MessageEntry<CPickerDlg> CPickerDlg::messageMap[] = {
    OnMessage<&CPickerDlg::OnPaint>(WM_PAINT),
    OnMessage<&CPickerDlg::OnQueryDragIcon>(WM_QUERYDRAGICON),
    OnCommand<&CPickerDlg::OnAbout>(ID_ABOUT),
    OnCommand<&CPickerDlg::OnExit>(ID_EXIT),
    OnCommand<&CPickerDlg::OnCapture>(IDC_CAPTURE, BN_CLICKED),
    OnMessage<&CPickerDlg::OnLButtonDown>(WM_LBUTTONDOWN),
    OnMessage<&CPickerDlg::OnMouseMove>(WM_MOUSEMOVE),
    OnMessage<&CPickerDlg::OnRButtonDown>(WM_RBUTTONDOWN),
    OnMessage<&CPickerDlg::OnDestroy>(WM_DESTROY),
    OnNotify<&CPickerDlg::OnSliderReleasedCapture>(NM_RELEASEDCAPTURE, IDC_SLIDER_BOTTOM),
    OnNotify<&CPickerDlg::OnSliderReleasedCapture>(NM_RELEASEDCAPTURE, IDC_SLIDER_MID),
    OnNotify<&CPickerDlg::OnSliderReleasedCapture>(NM_RELEASEDCAPTURE, IDC_SLIDER_TOP),
    OnMessage<&CPickerDlg::OnRButtonUp>(WM_RBUTTONUP),
    OnCommand<&CPickerDlg::OnTopMost>(ID_TOPMOST),
    OnCommand<&CPickerDlg::OnFormatHsv>(ID_FORMAT_HSV),
    OnCommand<&CPickerDlg::OnFormatRgb>(ID_FORMAT_RGB),
    OnCommand<&CPickerDlg::OnFormatHls>(ID_FORMAT_HLS),
    OnCommand<&CPickerDlg::OnFormatYmc>(ID_FORMAT_YMC),
    OnCommand<&CPickerDlg::OnSample1>(ID_SAMPLE_1),
    OnCommand<&CPickerDlg::OnSample3>(ID_SAMPLE_3),
    OnCommand<&CPickerDlg::OnSample5>(ID_SAMPLE_5),
    OnCommand<&CPickerDlg::OnCopyDec>(IDC_COPY_DEC, BN_CLICKED),
    OnCommand<&CPickerDlg::OnCopyHex>(IDC_COPY_HEX, BN_CLICKED),
    // The copy buttons' menu; any other window's request keeps its default.
    OnMessage<&CPickerDlg::OnContextMenu>(WM_CONTEXTMENU),
    // Losing the capture to another window must not leave capture mode
    // stuck on with no input arriving.
    OnMessage<&CPickerDlg::OnCaptureChanged>(WM_CAPTURECHANGED),
    OnMessage<&CPickerDlg::OnTimer>(WM_TIMER),
    // The release of the click that ends a capture is the capture's too.
    OnMessage<&CPickerDlg::OnLButtonUp>(WM_LBUTTONUP),
    // A slider moved from the keyboard; drags go through the two rows above.
    OnMessage<&CPickerDlg::OnHScroll>(WM_HSCROLL),
    // Another program in front ends a capture.
    OnMessage<&CPickerDlg::OnActivateApp>(WM_ACTIVATEAPP),
    OnMessage<&CPickerDlg::OnCancelMode>(WM_CANCELMODE),
    OnMessage<&CPickerDlg::OnSettingChange>(WM_SETTINGCHANGE),
    OnMessage<&CPickerDlg::OnDisplayChange>(WM_DISPLAYCHANGE),
};

CPickerDlg::CPickerDlg(CWnd* pParent) : CDialog(IDD_PICKER, pParent)
{
    m_hIcon = ::LoadIconW(AfxFindResourceHandle(MAKEINTRESOURCEW(IDR_MAINFRAME), RT_GROUP_ICON),
                          MAKEINTRESOURCEW(IDR_MAINFRAME));
    m_bCapturing = false;
    m_pZoomBitmap = nullptr;
    m_nZoomFactor = kMinZoomFactor;
    m_nSampleSize = 1;
    m_bTopMost = false;
    m_nFormat = FORMAT_RGB;
    m_crColor = 0;
}

// OnDestroy has already deleted the bitmap; without a window it was never made.
CPickerDlg::~CPickerDlg() = default;

bool CPickerDlg::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return DispatchMessageMap(messageMap, *this, message, wParam, lParam, result);
}

void CPickerDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_LABEL_TOP, m_stLabelTop);
    DDX_Control(pDX, IDC_LABEL_BOTTOM, m_stLabelBottom);
    DDX_Control(pDX, IDC_LABEL_MID, m_stLabelMid);
    DDX_Control(pDX, IDC_ZOOM_VIEW, m_stZoomView);
    DDX_Control(pDX, IDC_SWATCH, m_stSwatch);
    DDX_Control(pDX, IDC_VALUE_TOP, m_stValueTop);
    DDX_Control(pDX, IDC_VALUE_MID, m_stValueMid);
    DDX_Control(pDX, IDC_VALUE_BOTTOM, m_stValueBottom);
    DDX_Control(pDX, IDC_SLIDER_TOP, m_sliderTop);
    DDX_Control(pDX, IDC_SLIDER_MID, m_sliderMid);
    DDX_Control(pDX, IDC_SLIDER_BOTTOM, m_sliderBottom);
    DDX_Control(pDX, IDC_EDIT_HEX, m_editHex);
    DDX_Control(pDX, IDC_EDIT_DEC, m_editDec);
    DDX_Control(pDX, IDC_CAPTURE, m_btnCapture);
}

LRESULT CPickerDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Never to the dialog manager, which would read it as DM_SETDEFID.
    if (message == WM_SLIDER_DRAG) {
        ReadSliders();
        return 0;
    }
    // The suggested rectangle comes in lParam, which no row of the map unpacks.
    if (message == WM_DPICHANGED) {
        OnDpiChanged(*reinterpret_cast<const RECT*>(lParam));
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

BOOL CPickerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    NameControls();
    CreateTips();

    CMenu systemMenu = CMenu::FromHandle(GetSystemMenu(FALSE));
    systemMenu.RemoveMenu(SC_MAXIMIZE, MF_BYCOMMAND);
    systemMenu.RemoveMenu(SC_SIZE, MF_BYCOMMAND);

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    CreateZoomBitmap();

    // The format command is a no-op for the format already current; starting
    // from another one makes it set menu, letters, ranges and colour in full.
    m_nFormat = FORMAT_HSV;
    OnFormatRgb();
    SelectSample(1);

    SetWindowText(LoadResourceString(IDS_VERSION));

    // Nothing here takes text (the edits are read-only): without an input
    // context, a Japanese IME left on cannot swallow the Space or Enter
    // that ends a capture.
    ::ImmAssociateContextEx(m_hWnd, nullptr, IACE_CHILDREN);

    OnTopMost();
    return TRUE;
}

void CPickerDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(m_hWnd);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        const int cxIcon = ::GetSystemMetrics(SM_CXICON);
        const int cyIcon = ::GetSystemMetrics(SM_CYICON);
        RECT rect;
        GetClientRect(&rect);
        const int x = (rect.right - rect.left - cxIcon + 1) / 2;
        const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
    } else {
        Default();
        RedrawZoomView();
    }
}

HCURSOR CPickerDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

// Enter must not close the dialog: it has no default button.
void CPickerDlg::OnOK()
{
}

void CPickerDlg::OnExit()
{
    OnCancel();
}

void CPickerDlg::OnTopMost()
{
    CWnd* mainWnd = AfxGetThread()->GetMainWnd();
    CMenu menu = CMenu::FromHandle((mainWnd ? mainWnd : this)->GetMenu());
    if (!m_bTopMost) {
        menu.CheckMenuItem(ID_TOPMOST, MF_BYCOMMAND | MF_CHECKED);
        SetWindowPos(HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    } else {
        menu.CheckMenuItem(ID_TOPMOST, MF_BYCOMMAND | MF_UNCHECKED);
        SetWindowPos(HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }
    m_bTopMost = !m_bTopMost;
}

void CPickerDlg::OnTimer(UINT_PTR id)
{
    if (id == kReleaseTimer)
        RunCapture(CaptureEvent::RetryTimer);
    else if (id == kHoldTimer)
        RunCapture(CaptureEvent::HoldTimer);
    else if (id == kCopyTimer)
        RetryCopy();
}

void CPickerDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}
