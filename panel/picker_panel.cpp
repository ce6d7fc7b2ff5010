// The colour panel of the main dialog: sliders, value labels, swatch, the
// number texts, the format commands and the copy buttons (their menu and
// the swatch's are in copy_menu.cpp).
#include <string>
#include <utility>

#include "framework/clipboard.h"
#include "framework/menu.h"
#include "framework/utf8.h"
#include "framework/win_app.h"
#include "panel/panel_view.h"
#include "res/resource.h"
#include "ui/picker_dlg.h"

namespace {

const UINT kFormatCommands[kFormatCount] = {ID_FORMAT_RGB, ID_FORMAT_HSV, ID_FORMAT_HLS,
                                            ID_FORMAT_YMC};

} // namespace

void CPickerDlg::UpdateColor(int a, int b, int c, bool fromSliders)
{
    const PanelView view = ComputePanelView(a, b, c, fromSliders, m_nFormat);

    const CDragSlider* sliders[] = {&m_sliderTop, &m_sliderMid, &m_sliderBottom};
    for (int i = 0; i < 3; ++i)
        sliders[i]->SetPos(view.positions[i]);
    const CStatic* values[] = {&m_stValueTop, &m_stValueMid, &m_stValueBottom};
    for (int i = 0; i < 3; ++i)
        values[i]->SetWindowText(FromUtf8(view.valueTexts[i]));

    m_crColor = view.color;
    FillSwatch();

    m_editDec.SetWindowText(FromUtf8(view.decimalText));
    m_editHex.SetWindowText(FromUtf8(view.hexText));
}

void CPickerDlg::FillSwatch()
{
    RECT rect;
    m_stSwatch.GetClientRect(&rect);
    ::InflateRect(&rect, -1, -1);
    CClientDC dc(m_stSwatch.m_hWnd);
    dc.FillSolidRect(rect, m_crColor);
}

void CPickerDlg::SelectFormat(ColorFormat format)
{
    if (m_nFormat == format)
        return;

    CWnd* mainWnd = AfxGetThread()->GetMainWnd();
    CMenu menu = CMenu::FromHandle((mainWnd ? mainWnd : this)->GetMenu());
    for (int i = 0; i < kFormatCount; ++i)
        menu.CheckMenuItem(kFormatCommands[i], MF_BYCOMMAND | (i == format ? MF_CHECKED : MF_UNCHECKED));

    m_nFormat = format;
    const FormatInfo& info = GetFormatInfo(format);

    const CStatic* letters[] = {&m_stLabelTop, &m_stLabelMid, &m_stLabelBottom};
    for (int i = 0; i < 3; ++i)
        letters[i]->SetWindowText(std::wstring(1, static_cast<wchar_t>(info.letters[i])));
    // Ranges before positions, so that each new position fits its range.
    const CDragSlider* sliders[] = {&m_sliderTop, &m_sliderMid, &m_sliderBottom};
    for (int i = 0; i < 3; ++i)
        sliders[i]->SetRange(0, info.maxima[i], FALSE);

    UpdateColor(GetRValue(m_crColor), GetGValue(m_crColor), GetBValue(m_crColor), false);
}

void CPickerDlg::OnFormatRgb() { SelectFormat(FORMAT_RGB); }
void CPickerDlg::OnFormatHsv() { SelectFormat(FORMAT_HSV); }
void CPickerDlg::OnFormatHls() { SelectFormat(FORMAT_HLS); }
void CPickerDlg::OnFormatYmc() { SelectFormat(FORMAT_YMC); }

namespace {

// Clipboard managers and remote-desktop tools hold the clipboard open for
// moments at a time; a copy then waits for it, this long at most, retrying
// from a timer so that the dialog stays responsive meanwhile.
constexpr DWORD kCopyWaitMs = 500;
constexpr UINT kCopyRetryMs = 25;

// The edit's own select-and-copy, so the clipboard gets exactly its text.
// WM_COPY reports nothing, but a copy that lands changes the clipboard's
// sequence number; that tells without reading back what another program
// may be writing.
bool CopyAll(const CEdit& edit)
{
    const int length = edit.GetWindowTextLength();
    edit.SendMessage(EM_SETSEL, 0, length);
    edit.SendMessage(EM_SCROLLCARET, 0, 0);
    const DWORD before = ::GetClipboardSequenceNumber();
    edit.SendMessage(WM_COPY, 0, 0);
    return ::GetClipboardSequenceNumber() != before;
}

} // namespace

void CPickerDlg::OnCopyDec() { StartCopy(&m_editDec, {}); }
void CPickerDlg::OnCopyHex() { StartCopy(&m_editHex, {}); }

// A later copy takes over from one still waiting.
void CPickerDlg::StartCopy(CEdit* edit, std::wstring text)
{
    m_pCopyEdit = edit;
    m_strCopyText = std::move(text);
    m_dwCopyStart = ::GetTickCount();
    RetryCopy();
}

bool CPickerDlg::CopyNow() const
{
    return m_pCopyEdit ? CopyAll(*m_pCopyEdit) : SetClipboardText(m_hWnd, m_strCopyText);
}

// Gives up with the default beep: the program shows no messages.
void CPickerDlg::RetryCopy()
{
    if ((m_pCopyEdit || !m_strCopyText.empty()) && !CopyNow()) {
        if (::GetTickCount() - m_dwCopyStart < kCopyWaitMs) {
            ::SetTimer(m_hWnd, kCopyTimer, kCopyRetryMs, nullptr);
            return;
        }
        ::MessageBeep(MB_OK);
    }
    m_pCopyEdit = nullptr;
    m_strCopyText.clear();
    ::KillTimer(m_hWnd, kCopyTimer);
}

void CPickerDlg::ReadSliders()
{
    const int bottom = m_sliderBottom.GetPos();
    const int mid = m_sliderMid.GetPos();
    const int top = m_sliderTop.GetPos();
    UpdateColor(top, mid, bottom, true);
}

void CPickerDlg::OnSliderReleasedCapture(NMHDR*, LRESULT* pResult)
{
    ReadSliders();
    *pResult = 0;
}

// The keyboard (and the wheel) move a slider by lines, pages or to an end,
// reported only as WM_HSCROLL; the change takes effect at once, as a drag's
// does. A mouse drag's own scroll codes, and the page step of a click,
// arrive while the slider counts as dragged and are left to the drag.
void CPickerDlg::OnHScroll(HWND slider)
{
    const UINT code = LOWORD(m_pCurrentMsg->wParam);
    if (code == TB_THUMBTRACK || code == TB_THUMBPOSITION || code == TB_ENDTRACK)
        return;
    for (const CDragSlider* s : {&m_sliderTop, &m_sliderMid, &m_sliderBottom}) {
        if (s->m_hWnd == slider && !s->m_bDragging)
            ReadSliders();
    }
}
