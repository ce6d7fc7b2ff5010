// The copy buttons' menu (the colour's forms, the recent colours, the last
// pick's position) and the swatch's menu of the recent colours.
#include <array>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "framework/menu.h"
#include "framework/utf8.h"
#include "panel/copy_forms.h"
#include "res/resource.h"
#include "ui/picker_dlg.h"

namespace {

// Item identifiers from 1 (TrackPopupMenu answers 0 for no choice): the
// forms, the recent colours, the position.
constexpr UINT kFirstForm = 1;
constexpr UINT kFirstRecent = kFirstForm + kCopyFormCount;
constexpr UINT kPositionItem = kFirstRecent + RecentColors::kMaxCount;

// The dialog's DPI (its monitor's, the process being per-monitor aware);
// before Windows 10 1607 the system's.
UINT WindowDpi(HWND window)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpi)
        return getDpi(window);
    CClientDC screen(nullptr);
    return static_cast<UINT>(::GetDeviceCaps(screen.GetSafeHdc(), LOGPIXELSY));
}

// A square of each recent colour inside a black frame, as the swatch is
// drawn, 16 pixels at 96 DPI: the items' pictures for as long as the menu
// shows.
class CColorSquares : CNoCopy {
public:
    explicit CColorSquares(HWND window) : m_nSize(::MulDiv(16, static_cast<int>(WindowDpi(window)), 96)) {}

    HBITMAP Make(std::size_t i, COLORREF color)
    {
        CClientDC screen(nullptr);
        m_bitmaps[i].CreateCompatibleBitmap(screen, m_nSize, m_nSize);
        CMemoryDC memDC(&screen);
        CSelectObject select(memDC, m_bitmaps[i]);
        memDC.FillSolidRect({0, 0, m_nSize, m_nSize}, 0);
        memDC.FillSolidRect({1, 1, m_nSize - 1, m_nSize - 1}, color);
        return m_bitmaps[i].GetSafeHandle();
    }

private:
    int m_nSize;
    std::array<CBitmap, RecentColors::kMaxCount> m_bitmaps;
};

// Newest first; a single greyed item while there are none.
void AddRecentItems(const CPopupMenu& menu, const std::vector<COLORREF>& recent, CColorSquares& squares)
{
    if (recent.empty())
        menu.AppendMenu(MF_STRING | MF_GRAYED, kFirstRecent, FromUtf8(kNoRecentColorsText).c_str());
    for (std::size_t i = 0; i < recent.size(); ++i)
        menu.AppendBitmapItem(kFirstRecent + static_cast<UINT>(i), FromUtf8(HexForm(recent[i])).c_str(),
                              squares.Make(i, recent[i]));
}

// The menu's height is known only once it shows; this reckons it from the
// height of a menu bar's item. Wine's items are lower (15 pixels against 18
// at 96 DPI, separators 9), so a menu taken to fit below the button there
// does; Windows 10's are taller, but there the system itself keeps the menu
// off the excluded button.
int MenuHeight(int items, int separators)
{
    const int item = ::GetSystemMetrics(SM_CYMENUSIZE);
    return items * item + separators * item / 2 + 4 * ::GetSystemMetrics(SM_CYEDGE);
}

// Opened from the keyboard, the menu hangs from the button's lower-left
// corner where it fits in the work area, else stands on its upper-left one,
// never over the button. Windows also keeps it off the button by itself
// (TPM_VERTICAL with the button excluded); Wine 8 ignores that, so the side
// is chosen here.
UINT TrackFromButton(const CPopupMenu& menu, HWND button, HWND owner, int height)
{
    RECT rect;
    ::GetWindowRect(button, &rect);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &monitor);
    const bool below = rect.bottom + height <= monitor.rcWork.bottom;
    const UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_VERTICAL | (below ? TPM_TOPALIGN : TPM_BOTTOMALIGN);
    return menu.TrackPopupMenu(flags, {rect.left, below ? rect.bottom : rect.top}, owner, &rect);
}

} // namespace

// A right click on a copy button, or Shift+F10 or the menu key while one has
// the focus, reaches the dialog through the button's default processing. A
// right click on the swatch, which lets the mouse through to the dialog,
// comes as the dialog's own.
void CPickerDlg::OnContextMenu(HWND window, POINT point)
{
    RECT swatch;
    ::GetWindowRect(m_stSwatch.m_hWnd, &swatch);
    if (window == ::GetDlgItem(m_hWnd, IDC_COPY_DEC) || window == ::GetDlgItem(m_hWnd, IDC_COPY_HEX))
        ShowCopyMenu(window, point);
    else if ((window == m_hWnd || window == m_stSwatch.m_hWnd) && ::PtInRect(&swatch, point))
        ShowRecentMenu(point);
    else
        Default();
}

// The texts of the colour as the menu opens, which is what it copies.
void CPickerDlg::ShowCopyMenu(HWND button, POINT point)
{
    const std::array<CopyForm, kCopyFormCount> forms = ComputeCopyForms(m_crColor);
    const std::vector<COLORREF> recent = m_recentColors.Colors();
    const std::optional<CopyForm> position =
        m_ptPicked ? std::optional<CopyForm>(PositionForm(m_ptPicked->x, m_ptPicked->y)) : std::nullopt;
    CColorSquares squares(m_hWnd);
    CPopupMenu menu, recentMenu;
    for (int i = 0; i < kCopyFormCount; ++i)
        menu.AppendMenu(MF_STRING, kFirstForm + i, FromUtf8(forms[i].itemText).c_str());
    menu.AppendMenu(MF_SEPARATOR, 0, nullptr);
    AddRecentItems(recentMenu, recent, squares);
    menu.AppendPopup(recentMenu, FromUtf8(kRecentColorsText).c_str());
    if (position) {
        menu.AppendMenu(MF_SEPARATOR, 0, nullptr);
        menu.AppendMenu(MF_STRING, kPositionItem, FromUtf8(position->itemText).c_str());
    }
    const bool keyboard = point.x == -1 && point.y == -1;
    const int items = kCopyFormCount + (position ? 2 : 1), separators = position ? 2 : 1;
    const UINT chosen = keyboard ? TrackFromButton(menu, button, m_hWnd, MenuHeight(items, separators))
                                 : menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_RETURNCMD, point, m_hWnd);
    if (chosen >= kFirstForm && chosen < kFirstRecent)
        StartCopy(nullptr, FromUtf8(forms[chosen - kFirstForm].copyText));
    else if (chosen == kPositionItem && position)
        StartCopy(nullptr, FromUtf8(position->copyText));
    else
        ChooseRecent(chosen, recent);
}

void CPickerDlg::ShowRecentMenu(POINT point)
{
    const std::vector<COLORREF> recent = m_recentColors.Colors();
    CColorSquares squares(m_hWnd);
    CPopupMenu menu;
    AddRecentItems(menu, recent, squares);
    ChooseRecent(menu.TrackPopupMenu(TPM_RIGHTBUTTON | TPM_RETURNCMD, point, m_hWnd), recent);
}

void CPickerDlg::ChooseRecent(UINT chosen, const std::vector<COLORREF>& recent)
{
    if (chosen < kFirstRecent || chosen - kFirstRecent >= recent.size())
        return;
    const COLORREF color = recent[chosen - kFirstRecent];
    UpdateColor(GetRValue(color), GetGValue(color), GetBValue(color), false);
}
