// The main dialog and the About box, run for real: initial state, format
// switches, always on top, the copy buttons, the ways to end the dialog, tab
// order, the About box's texts, and the common controls the manifest brings.
#include <gtest/gtest.h>
#include <initguid.h>
#include <oleacc.h>
#include <wrl/client.h>

#include <array>
#include <cwchar>
#include <functional>
#include <string>
#include <vector>

#include "framework/gdi.h"
#include "panel/copy_forms.h"
#include "res/resource.h"
#include "tests/win/harness.h"
#include "tests/win/view_model.h"

namespace {

const UINT kFormatCommands[] = {ID_FORMAT_RGB, ID_FORMAT_HSV, ID_FORMAT_HLS, ID_FORMAT_YMC};

struct Shown {
    std::array<std::wstring, 3> letters;
    std::array<int, 3> maxima;
    std::array<int, 3> positions;
    std::array<std::wstring, 3> values;
    std::wstring dec, hex;
};

Shown Read(CPickerDlg& dlg)
{
    HWND h = dlg.m_hWnd;
    Shown s;
    const int letterIds[] = {IDC_LABEL_TOP, IDC_LABEL_MID, IDC_LABEL_BOTTOM};
    const int sliderIds[] = {IDC_SLIDER_TOP, IDC_SLIDER_MID, IDC_SLIDER_BOTTOM};
    const int valueIds[] = {IDC_VALUE_TOP, IDC_VALUE_MID, IDC_VALUE_BOTTOM};
    for (int i = 0; i < 3; ++i) {
        s.letters[i] = WindowText(::GetDlgItem(h, letterIds[i]));
        HWND slider = ::GetDlgItem(h, sliderIds[i]);
        EXPECT_EQ(::SendMessageW(slider, TBM_GETRANGEMIN, 0, 0), 0);
        s.maxima[i] = static_cast<int>(::SendMessageW(slider, TBM_GETRANGEMAX, 0, 0));
        s.positions[i] = static_cast<int>(::SendMessageW(slider, TBM_GETPOS, 0, 0));
        s.values[i] = WindowText(::GetDlgItem(h, valueIds[i]));
    }
    s.dec = WindowText(::GetDlgItem(h, IDC_EDIT_DEC));
    s.hex = WindowText(::GetDlgItem(h, IDC_EDIT_HEX));
    return s;
}

void Command(CPickerDlg& dlg, UINT id)
{
    ::SendMessageW(dlg.m_hWnd, WM_COMMAND, id, 0);
}

void SetSliders(CPickerDlg& dlg, int top, int mid, int bottom)
{
    dlg.m_sliderTop.SetPos(top);
    dlg.m_sliderMid.SetPos(mid);
    dlg.m_sliderBottom.SetPos(bottom);
    dlg.ReadSliders();
}

int CheckedFormat(CPickerDlg& dlg)
{
    int checked = -1;
    for (int i = 0; i < 4; ++i) {
        if (IsMenuChecked(dlg.m_hWnd, kFormatCommands[i])) {
            EXPECT_EQ(checked, -1) << "two format items checked";
            checked = i;
        }
    }
    return checked;
}

// The swatch's inside and its frame as they are on the screen.
void ExpectSwatch(CPickerDlg& dlg, COLORREF color)
{
    HWND swatch = dlg.m_stSwatch.m_hWnd;
    RECT rc;
    ::GetClientRect(swatch, &rc);
    EXPECT_EQ(ClientPixel(swatch, 1, 1), color);
    EXPECT_EQ(ClientPixel(swatch, rc.right / 2, rc.bottom / 2), color);
    EXPECT_EQ(ClientPixel(swatch, rc.right - 2, rc.bottom - 2), color);
    // The control's own frame stays.
    // (the zoom view is drawn the same way and never painted over at 0, 0)
    const COLORREF frame = ClientPixel(dlg.m_stZoomView.m_hWnd, 0, 0);
    EXPECT_NE(frame, color);
    EXPECT_EQ(ClientPixel(swatch, 0, 0), frame);
    EXPECT_EQ(ClientPixel(swatch, rc.right - 1, rc.bottom / 2), frame);
}

// The file of the module whose code runs a control, the one that holds its
// class's window procedure, in lower case.
std::wstring ClassModulePath(HWND control)
{
    HMODULE module = nullptr;
    ::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                         reinterpret_cast<LPCWSTR>(::GetClassLongPtrW(control, GCLP_WNDPROC)), &module);
    wchar_t path[MAX_PATH] = L"";
    ::GetModuleFileNameW(module, path, MAX_PATH);
    return ::CharLowerW(path);
}

// Centred on the work area of its monitor, as the dialog manager centres,
// and inside it.
void ExpectCentredInWorkArea(HWND hWnd)
{
    RECT window, inside;
    ::GetWindowRect(hWnd, &window);
    MONITORINFO monitor{sizeof monitor, {}, {}, 0};
    ::GetMonitorInfoW(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& area = monitor.rcWork;
    EXPECT_NEAR(window.left + window.right, area.left + area.right, 1);
    EXPECT_NEAR(window.top + window.bottom, area.top + area.bottom, 1);
    ::IntersectRect(&inside, &window, &area);
    EXPECT_TRUE(::EqualRect(&inside, &window));
}

} // namespace

// Only common controls 6 draw in the visual style: the manifest makes every
// control of the dialog, the buttons, edits and statics included (which
// user32 runs otherwise), come from its side-by-side assembly.
TEST(PickerDialog, EveryControlComesFromCommonControls6)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        int controls = 0;
        for (HWND child = ::GetWindow(dlg.m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT), ++controls) {
            const std::wstring path = ClassModulePath(child);
            EXPECT_NE(path.find(L"\\winsxs\\amd64_microsoft.windows.common-controls_6595b64144ccf1df_6.0."),
                      std::wstring::npos) << ::GetDlgCtrlID(child) << ": " << path;
            EXPECT_EQ(path.substr(path.find_last_of(L'\\') + 1), L"comctl32.dll");
        }
        EXPECT_EQ(controls, 20);
    });
}

TEST(PickerDialog, InitialState)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd;
        EXPECT_EQ(WindowText(h), L"Tintora ver 1.3");

        const Shown s = Read(dlg);
        EXPECT_EQ(s.letters, (std::array<std::wstring, 3>{L"R", L"G", L"B"}));
        EXPECT_EQ(s.maxima, (std::array<int, 3>{255, 255, 255}));
        EXPECT_EQ(s.positions, (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(s.values, (std::array<std::wstring, 3>{L"0", L"0", L"0"}));
        EXPECT_EQ(s.dec, L"0");
        EXPECT_EQ(s.hex, L"000000");

        EXPECT_EQ(CheckedFormat(dlg), FORMAT_RGB);
        EXPECT_TRUE(IsMenuChecked(h, ID_TOPMOST));
        EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_EQ(dlg.m_nFormat, FORMAT_RGB);
        EXPECT_EQ(dlg.m_crColor, 0u);
        EXPECT_FALSE(dlg.m_bCapturing);
        EXPECT_TRUE(dlg.m_bTopMost);
        EXPECT_NE(dlg.m_pZoomBitmap, nullptr);

        HMENU system = ::GetSystemMenu(h, FALSE);
        EXPECT_EQ(::GetMenuState(system, SC_SIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_EQ(::GetMenuState(system, SC_MAXIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_NE(::GetMenuState(system, SC_MINIMIZE, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_NE(::GetMenuState(system, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
        EXPECT_FALSE(::GetWindowLongW(h, GWL_STYLE) & (WS_MAXIMIZEBOX | WS_THICKFRAME));

        EXPECT_EQ(::GetFocus(), ::GetDlgItem(h, IDC_EDIT_DEC));
        // No text input anywhere, so no IME: Space and Enter reach a capture.
        for (HWND child = ::GetWindow(h, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            EXPECT_EQ(::ImmGetContext(child), nullptr) << ::GetDlgCtrlID(child);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(h, WM_GETICON, ICON_BIG, 0)), dlg.m_hIcon);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(h, WM_GETICON, ICON_SMALL, 0)), dlg.m_hIcon);
        EXPECT_NE(dlg.m_hIcon, nullptr);

        ExpectSwatch(dlg, RGB(0, 0, 0));
        // The view inside its frame is black until the first capture.
        RECT view;
        ::GetClientRect(dlg.m_stZoomView.m_hWnd, &view);
        EXPECT_EQ(ClientPixel(dlg.m_stZoomView.m_hWnd, view.right / 2, view.bottom / 2), RGB(0, 0, 0));
    });
}

TEST(PickerDialog, IsCentredOnTheScreen)
{
    PickerHarness::Run([](CPickerDlg& dlg) { ExpectCentredInWorkArea(dlg.m_hWnd); });
}

// Larger text enlarges the menu font alone: the menu bar wraps, and the
// dialog manager, which sizes the window for one row, would cut the bottom
// off. Wine keeps the menu font a process first read, so this suite runs in
// a process of its own (CMakeLists.txt).
TEST(LargerText, AWrappedMenuBarLeavesTheCaptureButtonInside)
{
    NONCLIENTMETRICSW saved{};
    saved.cbSize = sizeof saved;
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved, &saved, 0);
    NONCLIENTMETRICSW large = saved;
    large.iMenuHeight = 28;
    large.lfMenuFont.lfHeight = -18;
    ASSERT_TRUE(::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof large, &large, 0));
    PickerHarness::Run([&](CPickerDlg& dlg) {
        MENUBARINFO bar{sizeof bar, {}, nullptr, nullptr, FALSE, FALSE};
        ::GetMenuBarInfo(dlg.m_hWnd, OBJID_MENU, 0, &bar);
        EXPECT_GE(bar.rcBar.bottom - bar.rcBar.top, 2 * large.iMenuHeight) << "the menu bar wraps";
        RECT client, button;
        ::GetClientRect(dlg.m_hWnd, &client);
        ::GetWindowRect(dlg.m_btnCapture.m_hWnd, &button);
        EXPECT_LE(button.bottom, ClientToScreenPoint(dlg.m_hWnd, 0, client.bottom).y);
        ExpectCentredInWorkArea(dlg.m_hWnd);
        // A change of any kind may come with a new menu font: the window
        // grows back from a height that cut the bottom off.
        RECT grown, window;
        ::GetWindowRect(dlg.m_hWnd, &grown);
        ::SetWindowPos(dlg.m_hWnd, nullptr, 0, 0, grown.right - grown.left, grown.bottom - grown.top - 20,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::SendMessageW(dlg.m_hWnd, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"WindowMetrics"));
        ::GetWindowRect(dlg.m_hWnd, &window);
        EXPECT_EQ(window.bottom - window.top, grown.bottom - grown.top);
    });
    ::SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved, &saved, 0);
}

// Each switch from RGB (10, 20, 30): letters, ranges, positions, labels,
// check marks, and the colour kept where the trip is exact.
TEST(PickerDialog, FormatSwitchesShowTheStoredColour)
{
    struct Case {
        UINT command;
        ColorFormat format;
        std::array<const wchar_t*, 3> letters;
        std::array<int, 3> maxima;
        std::array<int, 3> positions;
    };
    const Case cases[] = {
        {ID_FORMAT_HSV, FORMAT_HSV, {L"H", L"S", L"V"}, {359, 255, 255}, {210, 170, 30}},
        {ID_FORMAT_HLS, FORMAT_HLS, {L"H", L"L", L"S"}, {359, 255, 255}, {210, 20, 127}},
        {ID_FORMAT_YMC, FORMAT_YMC, {L"Y", L"M", L"C"}, {255, 255, 255}, {225, 235, 245}},
    };
    PickerHarness::Run([&](CPickerDlg& dlg) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.format);
            Command(dlg, ID_FORMAT_RGB);
            SetSliders(dlg, 10, 20, 30);
            ASSERT_EQ(dlg.m_crColor, RGB(10, 20, 30));

            Command(dlg, c.command);
            const Shown s = Read(dlg);
            EXPECT_EQ(dlg.m_nFormat, c.format);
            EXPECT_EQ(CheckedFormat(dlg), c.format);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(s.letters[i], c.letters[i]);
                EXPECT_EQ(s.maxima[i], c.maxima[i]);
                EXPECT_EQ(s.positions[i], c.positions[i]);
                EXPECT_EQ(s.values[i], std::to_wstring(c.positions[i]));
            }
            // The stored colour is what the new triple converts back to.
            int r, g, b;
            const FormatInfo& info = GetFormatInfo(c.format);
            info.toRgb(c.positions[0], c.positions[1], c.positions[2], r, g, b);
            EXPECT_EQ(dlg.m_crColor, RGB(r, g, b));
            ExpectSwatch(dlg, dlg.m_crColor);
        }
        // YMC and back: (10, 20, 30) unchanged.
        Command(dlg, ID_FORMAT_RGB);
        EXPECT_EQ(Read(dlg).positions, (std::array<int, 3>{10, 20, 30}));
        EXPECT_EQ(Read(dlg).hex, L"0a141e");
        EXPECT_EQ(Read(dlg).dec, L"660510");
    });
}

TEST(PickerDialog, HlsSwitchIsLossyAndStays)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        SetSliders(dlg, 255, 0, 0);
        Command(dlg, ID_FORMAT_HLS);
        Shown s = Read(dlg);
        EXPECT_EQ(s.positions, (std::array<int, 3>{0, 127, 255}));
        EXPECT_EQ(dlg.m_crColor, RGB(254, 0, 0));
        EXPECT_EQ(s.hex, L"fe0000");
        EXPECT_EQ(s.dec, L"16646144");
        Command(dlg, ID_FORMAT_RGB);
        s = Read(dlg);
        EXPECT_EQ(s.positions, (std::array<int, 3>{254, 0, 0}));
        EXPECT_EQ(s.values, (std::array<std::wstring, 3>{L"254", L"0", L"0"}));
    });
}

TEST(PickerDialog, ChoosingTheCurrentFormatChangesNothing)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        Command(dlg, ID_FORMAT_HSV);
        SetSliders(dlg, 200, 0, 128);
        EXPECT_EQ(dlg.m_crColor, RGB(128, 128, 128));
        ::CheckMenuItem(::GetMenu(dlg.m_hWnd), ID_FORMAT_RGB, MF_BYCOMMAND | MF_CHECKED);

        Command(dlg, ID_FORMAT_HSV);
        const Shown s = Read(dlg);
        EXPECT_EQ(s.positions, (std::array<int, 3>{200, 0, 128}));
        EXPECT_EQ(s.values[0], L"200");
        // Not even the check marks are touched.
        EXPECT_TRUE(IsMenuChecked(dlg.m_hWnd, ID_FORMAT_RGB));
    });
}

// HSV hue at 300, then RGB: the range shrinks to 255 before the red
// component becomes the position.
TEST(PickerDialog, RangesAreSetBeforePositions)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        Command(dlg, ID_FORMAT_HSV);
        SetSliders(dlg, 300, 255, 255);
        EXPECT_EQ(dlg.m_crColor, RGB(255, 0, 255));
        Command(dlg, ID_FORMAT_RGB);
        const Shown s = Read(dlg);
        EXPECT_EQ(s.maxima[0], 255);
        EXPECT_EQ(s.positions, (std::array<int, 3>{255, 0, 255}));
        // HSV to HLS computes the hue anew from the stored colour.
        Command(dlg, ID_FORMAT_HSV);
        SetSliders(dlg, 100, 0, 50);
        Command(dlg, ID_FORMAT_HLS);
        EXPECT_EQ(Read(dlg).positions, (std::array<int, 3>{0, 50, 0}));
    });
}

// A repaint shows the stored colour and changes nothing: not the colour,
// not the sliders, even where a trip through the format would.
TEST(PickerDialog, RepaintNeverMovesTheColour)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        Command(dlg, ID_FORMAT_HSV);
        dlg.UpdateColor(0, 3, 21, false);
        const COLORREF stored = dlg.m_crColor;
        EXPECT_EQ(stored, RGB(0, 4, 21));
        const Shown before = Read(dlg);
        for (int i = 0; i < 5; ++i)
            Repaint(dlg);
        EXPECT_EQ(dlg.m_crColor, stored);
        const Shown after = Read(dlg);
        EXPECT_EQ(after.positions, before.positions);
        EXPECT_EQ(after.hex, before.hex);
        ExpectSwatch(dlg, stored);

        Command(dlg, ID_FORMAT_HLS);
        dlg.UpdateColor(0, 9, 6, false);
        const COLORREF hls = dlg.m_crColor;
        Repaint(dlg);
        Repaint(dlg);
        EXPECT_EQ(dlg.m_crColor, hls);

        // A slider triple that a trip would replace stays as the user set it.
        Command(dlg, ID_FORMAT_HSV);
        SetSliders(dlg, 200, 0, 128);
        Repaint(dlg);
        EXPECT_EQ(Read(dlg).positions, (std::array<int, 3>{200, 0, 128}));
        ExpectSwatch(dlg, RGB(128, 128, 128));
    });
}

TEST(PickerDialog, AlwaysOnTopToggles)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd;
        for (bool expected : {false, true, false, true}) {
            Command(dlg, ID_TOPMOST);
            EXPECT_EQ(dlg.m_bTopMost, expected);
            EXPECT_EQ(IsMenuChecked(h, ID_TOPMOST), expected);
            EXPECT_EQ((::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, expected);
        }
    });
}

TEST(PickerDialog, CopyButtonsPutExactlyTheirTextOnTheClipboard)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd;
        SetSliders(dlg, 255, 255, 255);
        HWND dec = ::GetDlgItem(h, IDC_EDIT_DEC);
        HWND hex = ::GetDlgItem(h, IDC_EDIT_HEX);
        ::SendMessageW(dec, EM_SETSEL, 0, 0);
        ::SendMessageW(hex, EM_SETSEL, 0, 0);

        ClearClipboard();
        ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_COPY_HEX, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(h, IDC_COPY_HEX)));
        EXPECT_EQ(ClipboardText(), L"ffffff");
        DWORD start = 1, end = 1;
        ::SendMessageW(dec, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 0u);
        ::SendMessageW(hex, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 6u);

        ClearClipboard();
        // A real click on the button.
        ::SendMessageW(::GetDlgItem(h, IDC_COPY_DEC), BM_CLICK, 0, 0);
        EXPECT_EQ(ClipboardText(), L"16777215");
        EXPECT_EQ(WindowText(dec), L"16777215");
        EXPECT_EQ(WindowText(hex), L"ffffff");
        EXPECT_EQ(dlg.m_crColor, RGB(255, 255, 255));
    });
}

// Points one of the program's imports elsewhere; returns what it held.
template <class Function>
Function SwapImport(Function& import, Function to)
{
    DWORD protection;
    ::VirtualProtect(&import, sizeof to, PAGE_READWRITE, &protection);
    const Function was = import;
    import = to;
    ::VirtualProtect(&import, sizeof to, protection, &protection);
    return was;
}

// Counts the program's beeps by taking over its import of MessageBeep.
extern "C" BOOL(WINAPI* __imp_MessageBeep)(UINT);

class BeepCounter {
public:
    BeepCounter() : m_original(SwapImport(__imp_MessageBeep, &Count)) {}
    ~BeepCounter() { SwapImport(__imp_MessageBeep, m_original); }
    int beeps() const { return s_beeps; }

private:
    static BOOL WINAPI Count(UINT)
    {
        ++s_beeps;
        return TRUE;
    }
    static inline int s_beeps = 0;
    BOOL(WINAPI* m_original)(UINT);
};

// Wine lets a copy through while another thread or program holds the
// clipboard open (its server only asks that someone has it open), so the
// refusal comes from the window station instead: reopened without clipboard
// access, it makes every clipboard call of this process fail, as a busy
// clipboard makes the edit's copy fail on Windows. A timer gives it back.
class ClipboardRefused {
public:
    explicit ClipboardRefused(UINT ms)
    {
        m_station = ::OpenWindowStationW(L"WinSta0", FALSE,
                                         WINSTA_ALL_ACCESS & ~WINSTA_ACCESSCLIPBOARD);
        if (m_station && ::SetProcessWindowStation(m_station)) {
            s_self = this;
            ::SetTimer(nullptr, 0, ms, &GiveBack);
        }
    }
    ~ClipboardRefused() { Restore(); }
    bool refused() const { return s_self == this; }
    static bool Over() { return s_self == nullptr; }

private:
    static void CALLBACK GiveBack(HWND, UINT, UINT_PTR id, DWORD)
    {
        ::KillTimer(nullptr, id);
        if (s_self)
            s_self->Restore();
    }
    void Restore()
    {
        if (s_self == this) {
            ::SetProcessWindowStation(m_original);
            s_self = nullptr;
        }
        if (m_station)
            ::CloseWindowStation(m_station);
        m_station = nullptr;
    }
    static inline ClipboardRefused* s_self = nullptr;
    HWINSTA m_original = ::GetProcessWindowStation();
    HWINSTA m_station = nullptr;
};

// Held for a moment, the copy lands once the clipboard is free; held for
// seconds, it gives up with one beep. Either way the click returns at once.
TEST(PickerDialog, CopyToABusyClipboardWaitsABitThenBeeps)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd;
        SetSliders(dlg, 1, 2, 3);
        BeepCounter counter;
        for (DWORD held : {200u, 3000u}) {
            SCOPED_TRACE(held);
            ClearClipboard();
            const int beeps = counter.beeps();
            ClipboardRefused busy(held);
            ASSERT_TRUE(busy.refused());
            ::SendMessageW(::GetDlgItem(h, IDC_COPY_HEX), BM_CLICK, 0, 0);
            EXPECT_EQ(counter.beeps(), beeps) << "the click waited";
            const bool lands = held < 500;
            if (lands)
                EXPECT_TRUE(PumpUntil([] { return ClipboardText() == L"010203"; }, 1000));
            else
                EXPECT_TRUE(PumpUntil([&] { return counter.beeps() == beeps + 1; }, 1000));
            Pump(held < 500 ? 500 : 0);
            EXPECT_EQ(counter.beeps(), beeps + (lands ? 0 : 1));
            // Given up, nothing lands later.
            EXPECT_TRUE(PumpUntil(&ClipboardRefused::Over, 5000));
            Pump(100);
            EXPECT_EQ(ClipboardText(), lands ? L"010203" : L"");
        }
    });
}

// A right click on either button, or Shift+F10 or the menu key on it, opens
// the menu at the cursor or from the keyboard below the button, or above it
// where the work area ends below it; the item chosen goes to the clipboard,
// once free if it is busy.
TEST(PickerDialog, CopyButtonsMenuCopiesTheChosenForm)
{
    const struct {
        int button;
        WORD key;  // none: a right click
        int item;
        const wchar_t* copied;
        UINT busyMs;
        bool atBottom;  // the dialog at the work area's bottom
    } cases[] = {
        {IDC_COPY_DEC, 0, 0, L"#0a0b0c", 0, false},
        {IDC_COPY_HEX, 0, 6, L"789258", 0, false},
        {IDC_COPY_DEC, VK_F10, 4, L"hsl(210, 9%, 4%)", 0, false},
        {IDC_COPY_HEX, VK_APPS, 7, L"black", 400, false},
        {IDC_COPY_HEX, VK_APPS, 1, L"#0A0B0C", 0, true},
    };
    PickerHarness::Run([&](CPickerDlg& dlg) {
        SetSliders(dlg, 10, 11, 12);
        for (const auto& c : cases) {
            SCOPED_TRACE(c.copied);
            HWND button = ::GetDlgItem(dlg.m_hWnd, c.button);
            RECT rect, menu{}, area, window;
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
            ::GetWindowRect(dlg.m_hWnd, &window);
            if (c.atBottom)
                dlg.SetWindowPos(nullptr, window.left, area.bottom - window.bottom + window.top, 0, 0, SWP_NOSIZE);
            ::GetWindowRect(button, &rect);
            const POINT at = c.key ? POINT{rect.left, c.atBottom ? rect.top : rect.bottom} : ClientCentre(button);
            RunSoon([&] {
                ::GetWindowRect(::FindWindowW(L"#32768", nullptr), &menu);
                for (int i = 0; i <= c.item; ++i)
                    SendKey(VK_DOWN);
                SendKey(VK_RETURN);
            }, 200);
            ClearClipboard();
            ClipboardRefused busy(c.busyMs);
            ::SetFocus(button);
            if (c.key == VK_F10) {
                SendKeyWith(VK_SHIFT, VK_F10);
            } else if (c.key) {
                SendKey(c.key);
            } else {
                MoveCursorTo(at);
                SendMouseButton(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP);
            }
            EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == c.copied; })) << ClipboardText();
            EXPECT_TRUE(menu.left == at.x && (c.atBottom ? menu.bottom : menu.top) == at.y)
                << menu.left << ", " << menu.top << " - " << menu.bottom;
        }
    });
}

// Each item's text ("~" before a greyed one) and the centre colour of its
// picture, if it has one; a submenu's items follow its own.
std::vector<std::wstring> MenuItems(HMENU menu)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = L"";
        MENUITEMINFOW info{sizeof info, MIIM_STRING | MIIM_STATE | MIIM_BITMAP | MIIM_SUBMENU, 0, 0, 0, nullptr,
                           nullptr, nullptr, 0, text, 64, nullptr};
        ::GetMenuItemInfoW(menu, i, TRUE, &info);
        CMemoryDC dc;
        CSelectObject select(dc, info.hbmpItem);
        const std::wstring picture = info.hbmpItem ? L" " + std::to_wstring(dc.GetPixel(8, 8)) : L"";
        items.push_back((info.fState & MFS_GRAYED ? L"~" : L"") + std::wstring(text) + picture);
        for (const std::wstring& item : info.hSubMenu ? MenuItems(info.hSubMenu) : std::vector<std::wstring>())
            items.push_back(item);
    }
    return items;
}

// Right-clicks at `at`, reads the menu once it shows, then presses `keys`.
std::vector<std::wstring> RightClickMenu(POINT at, std::vector<WORD> keys)
{
    std::vector<std::wstring> read;
    RunSoon([&] {
        HWND window = ::FindWindowW(L"#32768", nullptr);
        read = MenuItems(reinterpret_cast<HMENU>(::SendMessageW(window, MN_GETHMENU, 0, 0)));
        for (WORD key : keys)
            SendKey(key);
        // A menu the keys left open would hold the test for ever.
        RunSoon([window] { ::IsWindowVisible(window) && ::EndMenu(); }, 1000);
    }, 300);
    MoveCursorTo(at);
    SendMouseButton(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_RIGHTUP);
    EXPECT_TRUE(PumpUntil([&] { return !read.empty() && !::FindWindowW(L"#32768", nullptr); }, 3000));
    return read;
}

// The colours of the captures, newest first, on the swatch's right click and
// in the copy menu's submenu, each chosen as a pick; the last pick's
// position; the tips, shown when idle, gone while capturing; and one reading
// of the cursor for the view and the pick.
TEST(PickerDialog, RecentColoursPositionAndTips)
{
    PatternWindow pattern({0, 0, 200, 200}, UniquePattern);
    ASSERT_TRUE(pattern.WaitShown());
    PickerHarness::Run([&](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd, tip = dlg.m_tips.m_hWnd;
        const POINT swatch = ClientCentre(dlg.m_stSwatch.m_hWnd), copy = ClientCentre(::GetDlgItem(h, IDC_COPY_DEC));
        EXPECT_EQ(RightClickMenu(swatch, {VK_ESCAPE}), (std::vector<std::wstring>{L"~(なし)"}));
        EXPECT_EQ(RightClickMenu(copy, {VK_ESCAPE}).size(), 11u) << "a position before any pick";
        RECT window, covered;
        ::GetWindowRect(h, &window);
        MoveCursorTo(window.right + 100, window.bottom + 50);
        ASSERT_TRUE(PumpUntil([&] { return !::IsWindowVisible(tip); }, 3000));
        const Image plain = GrabScreen(window);
        MoveCursorTo(swatch);
        wchar_t text[128] = L"";
        TOOLINFOW tool{sizeof tool, 0, nullptr, 0, {}, nullptr, text, 0, nullptr};
        EXPECT_TRUE(PumpUntil([&] {
            return ::SendMessageW(tip, TTM_GETCURRENTTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) &&
                   ::IsWindowVisible(tip) && std::wstring(text) == L"色見本 (右クリック: 最近の色)";
        }, 3000)) << text;
        // Where the tip was, over the dialog, the pick is the dialog's pixel.
        ::GetWindowRect(tip, &covered);
        const POINT under{covered.left + 2, covered.top + 2}, source = ModelPickSource(ViewSize(dlg), under.x, under.y);
        const POINT picked = ModelPickSource(ViewSize(dlg), 50, 60);
        ASSERT_TRUE(::PtInRect(&window, source));
        const COLORREF c1 = plain.at(source.x - window.left, source.y - window.top);
        const COLORREF c2 = pattern.AtScreen(picked.x, picked.y);
        for (POINT at : {under, POINT{50, 60}}) {
            ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_CAPTURE, BN_CLICKED), 0);
            EXPECT_FALSE(::IsWindowVisible(tip));
            MoveCursorTo(swatch);
            Pump(1500);
            EXPECT_FALSE(::IsWindowVisible(tip)) << "a tip while capturing";
            MoveCursorTo(at);
            EXPECT_TRUE(PumpUntil([&] { return dlg.m_crColor == (at.x == 50 ? c2 : c1); }));
            SendKey(VK_RETURN);
            EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bCapturing; }));
        }
        const auto item = [](COLORREF c) {
            const std::string hex = HexForm(c);
            return std::wstring(hex.begin(), hex.end()) + L" " + std::to_wstring(c);
        };
        const std::vector<std::wstring> recent{item(c2), item(c1)};
        EXPECT_EQ(RightClickMenu(swatch, {VK_DOWN, VK_DOWN, VK_RETURN}), recent);
        EXPECT_EQ(dlg.m_crColor, c1);
        const std::wstring position = std::to_wstring(picked.x) + L", " + std::to_wstring(picked.y);
        const std::vector<std::wstring> items = RightClickMenu(copy, {VK_UP, VK_RETURN});
        EXPECT_EQ(std::vector<std::wstring>(items.begin() + 10, items.end() - 2), recent);
        EXPECT_EQ(items.back(), L"位置 " + position);
        EXPECT_TRUE(PumpUntil([&] { return ClipboardText() == position; })) << ClipboardText();
        RightClickMenu(copy, {'R', VK_RETURN});
        EXPECT_EQ(dlg.m_crColor, c2);

        Command(dlg, ID_SAMPLE_3);
        ::SetCursorPos(100, 100);
        dlg.Magnify();
        dlg.PickColor();
        const COLORREF still = dlg.m_crColor;
        // The cursor moves on, as a fast hand moves it, between the two.
        dlg.Magnify();
        ::SetCursorPos(140, 100);
        dlg.PickColor();
        EXPECT_EQ(dlg.m_crColor, still) << "the mean of where the cursor read a second time";
    });
}

TEST(PickerDialog, EditsAreReadOnly)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        for (int id : {IDC_EDIT_DEC, IDC_EDIT_HEX}) {
            HWND edit = ::GetDlgItem(dlg.m_hWnd, id);
            EXPECT_TRUE(::GetWindowLongW(edit, GWL_STYLE) & ES_READONLY);
            const std::wstring before = WindowText(edit);
            ::SendMessageW(edit, WM_CHAR, L'7', 0);
            EXPECT_EQ(WindowText(edit), before);
        }
    });
}

TEST(PickerDialog, EnterDoesNothing)
{
    const INT_PTR result = PickerHarness::Run([](CPickerDlg& dlg) {
        SetSliders(dlg, 1, 2, 3);
        ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_DEC));
        SendKey(VK_RETURN);
        Pump(300);
        ::SendMessageW(dlg.m_hWnd, WM_COMMAND, IDOK, 0);
        Pump(50);
        EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
        EXPECT_EQ(dlg.m_crColor, RGB(1, 2, 3));
        // A queued drag notice on a dialog is also DM_SETDEFID; it must not
        // make a push button the default one.
        const LRESULT defId = ::SendMessageW(dlg.m_hWnd, DM_GETDEFID, 0, 0);
        ::PostMessageW(dlg.m_hWnd, WM_SLIDER_DRAG, IDC_CAPTURE, 0);
        Pump(20);
        EXPECT_EQ(::SendMessageW(dlg.m_hWnd, DM_GETDEFID, 0, 0), defId);
        EXPECT_EQ(dlg.m_crColor, RGB(1, 2, 3));
    });
    EXPECT_EQ(result, IDCANCEL);
}

TEST(PickerDialog, EscCloseAndExitEndTheDialog)
{
    struct Way {
        const char* name;
        void (*end)(CPickerDlg&);
    };
    const Way ways[] = {
        {"Esc", [](CPickerDlg& dlg) {
             ::SetForegroundWindow(dlg.m_hWnd);
             ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_DEC));
             SendKey(VK_ESCAPE);
         }},
        {"close", [](CPickerDlg& dlg) { ::PostMessageW(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Exit", [](CPickerDlg& dlg) { ::PostMessageW(dlg.m_hWnd, WM_COMMAND, ID_EXIT, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const INT_PTR result = PickerHarness::RunToEnd(
            [&](CPickerDlg& dlg) { way.end(dlg); },
            // Destroying the window deletes the zoom bitmap.
            [](CPickerDlg& dlg) { EXPECT_EQ(dlg.m_pZoomBitmap, nullptr); });
        EXPECT_EQ(result, IDCANCEL);
    }
}

// Screen readers in another process read what the copy buttons copy and
// name the zoom view and the swatch, also through UI Automation, which wraps
// these objects and refuses the system's own (the decimal edit's:
// E_INVALIDARG); the dialog serves their calls meanwhile.
TEST(PickerDialog, ScreenReadersReadTheControlsNames)
{
    Microsoft::WRL::ComPtr<IAccessible> held;
    PickerHarness::Run([&](CPickerDlg& dlg) {
        std::wstring reader = L"other_process.exe names";
        for (int id : {IDC_COPY_DEC, IDC_COPY_HEX, IDC_ZOOM_VIEW, IDC_SWATCH, IDC_EDIT_DEC})
            reader += L" " + std::to_wstring(reinterpret_cast<UINT_PTR>(::GetDlgItem(dlg.m_hWnd, id)));
        ClearClipboard();
        HANDLE process = StartProgram(reader);
        EXPECT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(process, 0) == WAIT_OBJECT_0; }, 10000));
        ::CloseHandle(process);
        EXPECT_EQ(ClipboardText(), L"0 10進数をコピー 10進数をコピー\n0 16進数をコピー 16進数をコピー\n0 拡大表示 拡大表示\n"
                                   L"0 色見本 色見本\n-2147024809\n");
        // In the dialog's own process, where an in-context hook gets the
        // object itself, the interfaces clients use lead back to it.
        Microsoft::WRL::ComPtr<IUnknown> object;
        ::AccessibleObjectFromWindow(::GetDlgItem(dlg.m_hWnd, IDC_SWATCH), OBJID_CLIENT, IID_IAccessible, &held);
        for (const IID* iid : {&IID_IOleWindow, &IID_IEnumVARIANT}) {
            Microsoft::WRL::ComPtr<IUnknown> part, identity;
            EXPECT_TRUE(held && SUCCEEDED(held.As(&object)) && SUCCEEDED(held->QueryInterface(*iid, &part)) &&
                        SUCCEEDED(part.As(&identity)) && identity.Get() == object.Get());
        }
    });
    // Held past its window, the object answers as a disconnected one.
    VARIANT self{};
    self.vt = VT_I4;
    BSTR name = nullptr;
    EXPECT_EQ(held ? held->get_accName(self, &name) : S_OK, CO_E_OBJNOTCONNECTED);
}

TEST(PickerDialog, TabOrderFollowsTheTemplate)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd;
        const int expected[] = {IDC_EDIT_DEC, IDC_EDIT_HEX, IDC_CAPTURE, IDC_SLIDER_TOP,
                                IDC_SLIDER_MID, IDC_SLIDER_BOTTOM, IDC_COPY_DEC, IDC_COPY_HEX,
                                IDC_EDIT_DEC};
        HWND control = ::GetDlgItem(h, IDC_EDIT_DEC);
        for (std::size_t i = 1; i < std::size(expected); ++i) {
            control = ::GetNextDlgTabItem(h, control, FALSE);
            EXPECT_EQ(::GetDlgCtrlID(control), expected[i]) << "step " << i;
        }
        // And with the real key, as far as the capture button.
        ::SetForegroundWindow(h);
        ::SetFocus(::GetDlgItem(h, IDC_EDIT_DEC));
        for (int id : {IDC_EDIT_HEX, IDC_CAPTURE}) {
            SendKey(VK_TAB);
            EXPECT_TRUE(PumpUntil([&] { return ::GetDlgCtrlID(::GetFocus()) == id; }, 2000)) << id;
        }
    });
}

TEST(AboutBox, ShowsCaptionAndLinesAndCloses)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        Command(dlg, ID_FORMAT_YMC);
        Command(dlg, ID_TOPMOST);
        for (UINT closeWith : {static_cast<UINT>(IDOK), static_cast<UINT>(IDCANCEL), 0u}) {
            bool seen = false;
            RunSoon([&] {
                HWND about = ::GetActiveWindow();
                ASSERT_NE(about, dlg.m_hWnd);
                seen = true;
                EXPECT_EQ(WindowText(about), L"Tintora のバージョン情報");
                EXPECT_EQ(WindowText(::GetDlgItem(about, IDC_ABOUT_VERSION)), L"Tintora ver 1.3");
                const std::wstring copyright = WindowText(::GetDlgItem(about, IDC_ABOUT_COPYRIGHT));
                EXPECT_EQ(copyright.rfind(L"Copyright", 0), 0u) << "copyright line";
                EXPECT_EQ(::GetWindow(about, GW_OWNER), dlg.m_hWnd);
                // The main dialog takes no input meanwhile.
                EXPECT_FALSE(::IsWindowEnabled(dlg.m_hWnd));
                if (closeWith)
                    ::PostMessageW(about, WM_COMMAND, closeWith, 0);
                else
                    ::PostMessageW(about, WM_SYSCOMMAND, SC_CLOSE, 0);
            });
            Command(dlg, ID_ABOUT);
            EXPECT_TRUE(seen);
            EXPECT_TRUE(::IsWindowEnabled(dlg.m_hWnd));
        }
        EXPECT_EQ(dlg.m_nFormat, FORMAT_YMC);
        EXPECT_FALSE(dlg.m_bTopMost);
        EXPECT_EQ(CheckedFormat(dlg), FORMAT_YMC);
    });
}

TEST(AboutBox, EnterPressesOk)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        bool seen = false;
        RunSoon([&] {
            HWND about = ::GetActiveWindow();
            seen = about != dlg.m_hWnd;
            SendKey(VK_RETURN);
            RunSoon([about] {
                if (::IsWindow(about)) {
                    ADD_FAILURE() << "Enter did not close the About box";
                    ::PostMessageW(about, WM_COMMAND, IDCANCEL, 0);
                }
            }, 5000);
        });
        Command(dlg, ID_ABOUT);
        EXPECT_TRUE(seen);
    });
}

// Minimised, the dialog draws only its icon; restored, the zoom view and the
// swatch come back with the stored colour, unchanged.
TEST(PickerDialog, MinimiseAndRestoreKeepTheColour)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        Command(dlg, ID_FORMAT_HLS);
        dlg.UpdateColor(0, 9, 6, false);
        const COLORREF stored = dlg.m_crColor;
        ::ShowWindow(dlg.m_hWnd, SW_MINIMIZE);
        Pump(50);
        EXPECT_TRUE(::IsIconic(dlg.m_hWnd));
        ::RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ::ShowWindow(dlg.m_hWnd, SW_RESTORE);
        Pump(50);
        EXPECT_FALSE(::IsIconic(dlg.m_hWnd));
        Repaint(dlg);
        EXPECT_EQ(dlg.m_crColor, stored);
        ExpectSwatch(dlg, stored);
        EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(dlg.m_hWnd, WM_QUERYDRAGICON, 0, 0)),
                  dlg.m_hIcon);
    });
}
