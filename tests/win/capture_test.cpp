// Capture mode run for real: the capture button, the injected right press,
// moves over a window of known pixels, the ways a capture ends, clicks on the
// dialog's own controls, a lost capture and closing in the middle of one.
// Wine routes captured input only to windows of the capturing process, so
// the picture under the cursor is a window of this test process.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <memory>
#include <string>

#include "framework/gdi.h"
#include "panel/panel_view.h"
#include "res/resource.h"
#include "tests/win/harness.h"
#include "tests/win/view_model.h"

namespace {

const wchar_t kTextIdle[] = L"キャプチャ開始";
const wchar_t kTextCapturing[] = L"キャプチャ中";

// The picture sits in the screen's top-left corner, so that a source
// rectangle can reach past the screen's edge; the dialog is centred, far away.
const RECT kPatternRect{0, 0, 200, 200};

struct Move {
    const char* name;
    int x, y;
};

// Cursor positions over the picture.
const Move kMoves[] = {
    {"middle", 100, 100},
    {"off the top-left edge", 3, 5},
    {"source starts at the edge", 31, 31},
    {"towards the right", 150, 60},
    {"past the picture's right edge", 199, 120},
    {"towards the bottom", 64, 180},
};

bool IsCapturingText(CPickerDlg& dlg)
{
    return WindowText(dlg.m_btnCapture.m_hWnd) == kTextCapturing;
}

bool RightButtonDown()
{
    return (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
}

// A real click, both buttons through the input queue.
void Click(POINT at, DWORD down, DWORD up)
{
    MoveCursorTo(at);
    Pump(20);
    SendMouseButton(down);
    SendMouseButton(up);
}

// Clicks the capture button and waits for the injected press to come back.
void StartCapture(CPickerDlg& dlg, MessageCounter& counter)
{
    const int presses = counter.Queued(dlg.m_hWnd, WM_RBUTTONDOWN);
    Click(ClientCentre(dlg.m_btnCapture.m_hWnd), MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
    ASSERT_TRUE(PumpUntil([&] { return counter.Queued(dlg.m_hWnd, WM_RBUTTONDOWN) > presses; }))
        << "the injected right press never came back";
    ASSERT_TRUE(dlg.m_bCapturing);
}

// Moves the cursor and waits until the dialog has handled a move there.
void MoveAndWait(CPickerDlg& dlg, MessageCounter& counter, int x, int y)
{
    const int moves = counter.Queued(dlg.m_hWnd, WM_MOUSEMOVE);
    MoveCursorTo(x, y);
    EXPECT_TRUE(PumpUntil([&] { return counter.Queued(dlg.m_hWnd, WM_MOUSEMOVE) > moves; }))
        << "no move reached the dialog";
    Pump(10);
}

// Ends a capture with a click at the cursor and waits for the mode to end.
void EndWith(CPickerDlg& dlg, DWORD down, DWORD up)
{
    SendMouseButton(down);
    SendMouseButton(up);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bCapturing; })) << "capture did not end";
    Pump(20);
}

// The view after a move to (x, y) against the model, pixel for pixel and
// crosshair included; returns the colour the model picks, which is the
// picture's where the picture is.
COLORREF ExpectViewMatchesModel(CPickerDlg& dlg, const PatternWindow& pattern, int x, int y)
{
    const SIZE size = ViewSize(dlg);
    const Image expected = ModelView(size, x, y);
    std::string first;
    EXPECT_EQ(CountDifferences(ViewInside(dlg), expected, first), 0) << "first: " << first;
    const COLORREF picked = GetCenterPixel(expected, size.cx, size.cy);
    const POINT source = ModelPickSource(size, x, y);
    if (::PtInRect(&kPatternRect, source)) {
        EXPECT_EQ(picked, pattern.AtScreen(source.x, source.y));
    }
    return picked;
}

std::wstring Widen(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// Sliders, labels, texts, swatch and stored colour for a picked RGB colour.
void ExpectPanelShowsPick(CPickerDlg& dlg, COLORREF picked)
{
    const int r = GetRValue(picked), g = GetGValue(picked), b = GetBValue(picked);
    const PanelView view = ComputePanelView(r, g, b, false, dlg.m_nFormat);
    const HWND sliders[] = {dlg.m_sliderTop.m_hWnd, dlg.m_sliderMid.m_hWnd, dlg.m_sliderBottom.m_hWnd};
    const HWND values[] = {dlg.m_stValueTop.m_hWnd, dlg.m_stValueMid.m_hWnd, dlg.m_stValueBottom.m_hWnd};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(::SendMessageW(sliders[i], TBM_GETPOS, 0, 0), view.positions[i]) << i;
        EXPECT_EQ(WindowText(values[i]), Widen(view.valueTexts[i])) << i;
    }
    EXPECT_EQ(WindowText(dlg.m_editDec.m_hWnd), Widen(view.decimalText));
    EXPECT_EQ(WindowText(dlg.m_editHex.m_hWnd), Widen(view.hexText));
    EXPECT_EQ(dlg.m_crColor, view.color);
    RECT rc;
    ::GetClientRect(dlg.m_stSwatch.m_hWnd, &rc);
    EXPECT_EQ(ClientPixel(dlg.m_stSwatch.m_hWnd, rc.right / 2, rc.bottom / 2), view.color);

    // RGB and YMC keep the pick exactly; their numbers follow from it alone.
    if (dlg.m_nFormat == FORMAT_RGB || dlg.m_nFormat == FORMAT_YMC) {
        EXPECT_EQ(dlg.m_crColor, picked);
        wchar_t hex[8];
        std::swprintf(hex, 8, L"%06x", static_cast<unsigned>(r << 16 | g << 8 | b));
        EXPECT_EQ(WindowText(dlg.m_editHex.m_hWnd), hex);
        // Y is the complement of blue.
        const int top = dlg.m_nFormat == FORMAT_RGB ? r : 255 - b;
        EXPECT_EQ(::SendMessageW(sliders[0], TBM_GETPOS, 0, 0), top);
    }
}

// A point of the dialog's client area that no control covers.
POINT DialogBackground(CPickerDlg& dlg)
{
    const POINT at = ClientToScreenPoint(dlg.m_hWnd, 2, 2);
    POINT client{2, 2};
    EXPECT_EQ(::ChildWindowFromPoint(dlg.m_hWnd, client), dlg.m_hWnd);
    return at;
}

} // namespace

// The real click starts the mode; the press it injects comes back to the
// dialog and is swallowed: no context menu, the mode stays. Outside capture
// a right click gets the default processing, which asks for a context menu.
TEST(CaptureMode, ButtonStartsItAndTheInjectedPressIsSwallowed)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        MessageCounter counter;
        HWND h = dlg.m_hWnd;
        Click(DialogBackground(dlg), MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
        EXPECT_TRUE(PumpUntil([&] { return counter.Sent(h, WM_CONTEXTMENU) == 1; }))
            << "an idle right click gets no default processing";
        EXPECT_FALSE(dlg.m_bCapturing);
        counter.Reset();

        EXPECT_EQ(WindowText(dlg.m_btnCapture.m_hWnd), kTextIdle);
        StartCapture(dlg, counter);
        Pump(100);
        EXPECT_TRUE(dlg.m_bCapturing);
        EXPECT_TRUE(IsCapturingText(dlg));
        EXPECT_EQ(::GetCapture(), h);
        EXPECT_TRUE(RightButtonDown()) << "the press was not injected";
        EXPECT_EQ(counter.Queued(h, WM_RBUTTONDOWN), 1);
        EXPECT_EQ(counter.Queued(h, WM_RBUTTONUP), 0);
        EXPECT_EQ(counter.Sent(h, WM_CONTEXTMENU), 0);
        // Starting changes neither the colour nor the view.
        EXPECT_EQ(dlg.m_crColor, 0u);

        EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        EXPECT_EQ(counter.Sent(h, WM_CONTEXTMENU), 0);
        EXPECT_FALSE(RightButtonDown());
    });
}

// Every move over the picture redraws the view as the model does and picks
// the pixel beside the crosshair's centre, shown in each of the four formats.
// The click that ends the mode picks nothing itself.
TEST(CaptureMode, ViewAndPanelFollowTheCursorInEveryFormat)
{
    PatternWindow pattern(kPatternRect, UniquePattern);
    const UINT commands[] = {ID_FORMAT_RGB, ID_FORMAT_HSV, ID_FORMAT_HLS, ID_FORMAT_YMC};
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        MessageCounter counter;
        const SIZE size = ViewSize(dlg);
        // The frame is the control's own and is never drawn over.
        const Image frameBefore = GrabClient(dlg.m_stZoomView.m_hWnd, {0, 0, size.cx, size.cy});

        for (int f = 0; f < 4; ++f) {
            SCOPED_TRACE(f);
            ::SendMessageW(dlg.m_hWnd, WM_COMMAND, commands[f], 0);
            ASSERT_EQ(dlg.m_nFormat, f);
            StartCapture(dlg, counter);
            for (const Move& move : kMoves) {
                SCOPED_TRACE(move.name);
                MoveAndWait(dlg, counter, move.x, move.y);
                const COLORREF modelPick = ExpectViewMatchesModel(dlg, pattern, move.x, move.y);
                // Near the screen's edge too: only the source's part off the
                // screen stays black.
                const POINT pixel = PickedScreenPixel(dlg, move.x, move.y);
                EXPECT_EQ(modelPick, pattern.AtScreen(pixel.x, pixel.y));
                ExpectPanelShowsPick(dlg, modelPick);
            }
            const Image lastView = ViewInside(dlg);

            // One more move, then a left click there.
            MoveAndWait(dlg, counter, 120, 130);
            const COLORREF last = dlg.m_crColor;
            const Image beforeClick = ViewInside(dlg);
            EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
            EXPECT_EQ(WindowText(dlg.m_btnCapture.m_hWnd), kTextIdle);
            EXPECT_EQ(::GetCapture(), nullptr);
            EXPECT_EQ(dlg.m_crColor, last);
            std::string first;
            EXPECT_EQ(CountDifferences(ViewInside(dlg), beforeClick, first), 0) << first;
            EXPECT_GT(CountDifferences(lastView, beforeClick, first), 0)
                << "the last two moves showed the same image";
        }

        const Image frameAfter = GrabClient(dlg.m_stZoomView.m_hWnd, {0, 0, size.cx, size.cy});
        for (int x = 0; x < size.cx; ++x) {
            EXPECT_EQ(frameAfter.at(x, 0), frameBefore.at(x, 0));
            EXPECT_EQ(frameAfter.at(x, size.cy - 1), frameBefore.at(x, size.cy - 1));
        }
        for (int y = 0; y < size.cy; ++y) {
            EXPECT_EQ(frameAfter.at(0, y), frameBefore.at(0, y));
            EXPECT_EQ(frameAfter.at(size.cx - 1, y), frameBefore.at(size.cx - 1, y));
        }
    });
}

// A left or a right click ends the mode, and the end runs once: one
// ReleaseCapture (one WM_CAPTURECHANGED, to nobody), one change of the
// button's text, no context menu, the right button up again.
TEST(CaptureMode, LeftOrRightClickEndsItOnce)
{
    struct Way {
        const char* name;
        DWORD down, up;
    };
    const Way ways[] = {
        {"left", MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP},
        {"right", MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP},
    };
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        HWND h = dlg.m_hWnd;
        HWND button = dlg.m_btnCapture.m_hWnd;
        for (const Way& way : ways) {
            SCOPED_TRACE(way.name);
            MessageCounter counter;
            StartCapture(dlg, counter);
            MoveAndWait(dlg, counter, 80, 90);
            const COLORREF picked = dlg.m_crColor;
            EXPECT_EQ(picked, pattern.AtScreen(PickedScreenPixel(dlg, 80, 90).x,
                                               PickedScreenPixel(dlg, 80, 90).y));
            counter.Reset();

            EndWith(dlg, way.down, way.up);
            Pump(100);
            EXPECT_FALSE(dlg.m_bCapturing);
            EXPECT_EQ(WindowText(button), kTextIdle);
            EXPECT_EQ(::GetCapture(), nullptr);
            EXPECT_FALSE(RightButtonDown());
            EXPECT_EQ(counter.Sent(button, WM_SETTEXT), 1);
            EXPECT_EQ(counter.Sent(h, WM_CAPTURECHANGED), 1);
            EXPECT_EQ(counter.LastSentLParam(h, WM_CAPTURECHANGED), 0);
            EXPECT_EQ(counter.Queued(h, WM_RBUTTONUP), 1);
            EXPECT_EQ(counter.Sent(h, WM_CONTEXTMENU), 0);
            EXPECT_EQ(dlg.m_crColor, picked);
        }
    });
}

// While capturing, the dialog holds the mouse: a click over one of its own
// controls ends the mode and reaches nothing else.
TEST(CaptureMode, ClickOnTheDialogsOwnControlsReachesNothing)
{
    struct Target {
        const char* name;
        int id;
        // Where on the control, in its client coordinates.
        POINT (*where)(HWND control);
    };
    const auto centre = [](HWND control) {
        RECT rc;
        ::GetClientRect(control, &rc);
        return POINT{rc.right / 2, rc.bottom / 2};
    };
    // Right of the thumb, on the channel: a page step if the slider saw it.
    const auto besideThumb = [](HWND slider) {
        RECT thumb, channel;
        ::SendMessageW(slider, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        ::SendMessageW(slider, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        return POINT{(thumb.right + channel.right) / 2, (channel.top + channel.bottom) / 2};
    };
    const Target targets[] = {
        {"copy hex", IDC_COPY_HEX, centre},
        {"copy dec", IDC_COPY_DEC, centre},
        {"top slider", IDC_SLIDER_TOP, besideThumb},
        {"capture button", IDC_CAPTURE, centre},
    };
    PickerHarness::Run([&](CPickerDlg& dlg) {
        for (const Target& target : targets) {
            SCOPED_TRACE(target.name);
            HWND control = ::GetDlgItem(dlg.m_hWnd, target.id);
            MessageCounter counter;
            ::SendMessageW(dlg.m_hWnd, WM_COMMAND, ID_FORMAT_RGB, 0);
            dlg.UpdateColor(10, 20, 30, false);
            ClearClipboard();
            StartCapture(dlg, counter);
            const POINT client = target.where(control);
            const POINT at = ClientToScreenPoint(control, client.x, client.y);
            MoveAndWait(dlg, counter, at.x, at.y);
            const COLORREF picked = dlg.m_crColor;
            const int position = dlg.m_sliderTop.GetPos();
            counter.Reset();

            EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
            Pump(200);
            EXPECT_FALSE(dlg.m_bCapturing);
            EXPECT_EQ(WindowText(dlg.m_btnCapture.m_hWnd), kTextIdle);
            EXPECT_EQ(counter.Queued(control, WM_LBUTTONDOWN), 0);
            EXPECT_EQ(counter.Queued(dlg.m_hWnd, WM_LBUTTONDOWN), 1);
            EXPECT_EQ(ClipboardText(), L"");
            EXPECT_EQ(dlg.m_sliderTop.GetPos(), position);
            EXPECT_FALSE(dlg.m_sliderTop.m_bDragging);
            EXPECT_EQ(dlg.m_crColor, picked);
            EXPECT_EQ(::GetCapture(), nullptr);
        }
    });
}

// A click notification that arrives while capturing (as from the keyboard)
// takes no second capture and injects no second press.
TEST(CaptureMode, SecondClickNotificationIsIgnored)
{
    PickerHarness::Run([](CPickerDlg& dlg) {
        HWND h = dlg.m_hWnd;
        HWND button = dlg.m_btnCapture.m_hWnd;
        MessageCounter counter;
        StartCapture(dlg, counter);
        Pump(50);
        counter.Reset();

        for (int i = 0; i < 3; ++i)
            ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(IDC_CAPTURE, BN_CLICKED),
                           reinterpret_cast<LPARAM>(button));
        Pump(200);
        EXPECT_TRUE(dlg.m_bCapturing);
        EXPECT_TRUE(IsCapturingText(dlg));
        EXPECT_EQ(counter.Sent(button, WM_SETTEXT), 0);
        EXPECT_EQ(counter.Queued(h, WM_RBUTTONDOWN), 0) << "a second press was injected";
        EXPECT_EQ(counter.Sent(h, WM_CAPTURECHANGED), 0);
        EXPECT_EQ(::GetCapture(), h);

        // One release ends it and leaves the right button up: there was one press.
        EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        EXPECT_FALSE(RightButtonDown());
        EXPECT_EQ(counter.Queued(h, WM_RBUTTONUP), 1);
    });
}

// Idle, the dialog still gets the moves over itself, but they sample
// nothing; a left press there neither starts nor ends anything.
TEST(CaptureMode, MovesWhileIdleDoNotSample)
{
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        HWND h = dlg.m_hWnd;
        MessageCounter counter;
        const POINT background = DialogBackground(dlg);

        // Before any capture: black view, black colour.
        const Image black = ViewInside(dlg);
        for (int x : {0, 4}) {
            SCOPED_TRACE(x);
            MoveAndWait(dlg, counter, background.x + x, background.y);
            EXPECT_EQ(dlg.m_crColor, 0u);
            std::string first;
            EXPECT_EQ(CountDifferences(ViewInside(dlg), Image(black.width, black.height, 0), first), 0)
                << first;
        }

        StartCapture(dlg, counter);
        MoveAndWait(dlg, counter, 100, 100);
        EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        const COLORREF kept = dlg.m_crColor;
        ASSERT_NE(kept, 0u);
        const Image view = ViewInside(dlg);

        // Over the dialog: the moves arrive and change nothing.
        for (int x : {2, 6, 0}) {
            SCOPED_TRACE(x);
            MoveAndWait(dlg, counter, background.x + x, background.y + 1);
            EXPECT_EQ(dlg.m_crColor, kept);
        }
        // Over the picture: the dialog gets nothing at all.
        const int moves = counter.Queued(h, WM_MOUSEMOVE);
        MoveCursorTo(50, 50);
        Pump(100);
        EXPECT_EQ(counter.Queued(h, WM_MOUSEMOVE), moves);
        // A left click on the dialog's background.
        Click(background, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        Pump(100);
        EXPECT_FALSE(dlg.m_bCapturing);
        EXPECT_FALSE(RightButtonDown());
        EXPECT_EQ(dlg.m_crColor, kept);
        std::string first;
        EXPECT_EQ(CountDifferences(ViewInside(dlg), view, first), 0) << first;
    });
}

// The cursor's clip while Idle: none, the whole virtual screen.
bool CursorFree()
{
    RECT clip;
    ::GetClipCursor(&clip);
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN);
    const int top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return clip.left == left && clip.top == top &&
           clip.right == left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           clip.bottom == top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

// Esc, the close box or the exit command in the middle of a capture: the
// dialog releases the right button it pressed before it goes, and the
// release comes back to it, so no other window (here the picture under the
// cursor) sees a right-button message and every program sees the button up.
TEST(CaptureMode, ClosingDuringCaptureReleasesTheButton)
{
    struct Way {
        const char* name;
        void (*close)(CPickerDlg&);
    };
    const Way ways[] = {
        {"Esc", [](CPickerDlg& dlg) {
             ::SetForegroundWindow(dlg.m_hWnd);
             ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDC_EDIT_DEC));
             SendKey(VK_ESCAPE);
         }},
        {"close", [](CPickerDlg& dlg) { ::PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0); }},
        {"exit command", [](CPickerDlg& dlg) {
             ::PostMessageW(dlg.m_hWnd, WM_COMMAND, ID_EXIT, 0);
         }},
    };
    PatternWindow pattern(kPatternRect, UniquePattern);
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        const int liveBefore = GdiLiveCount();
        MessageCounter counter;
        HWND window = nullptr;
        const INT_PTR result = PickerHarness::RunToEnd(
            [&](CPickerDlg& dlg) {
                window = dlg.m_hWnd;
                StartCapture(dlg, counter);
                MoveAndWait(dlg, counter, 60, 70);
                EXPECT_NE(dlg.m_crColor, 0u);
                EXPECT_EQ(GdiLiveCount(), liveBefore + 1);
                way.close(dlg);
            },
            [&](CPickerDlg& dlg) {
                EXPECT_FALSE(dlg.m_bCapturing);
                EXPECT_EQ(dlg.m_pZoomBitmap, nullptr);
                EXPECT_EQ(dlg.m_hWnd, nullptr);
            });
        EXPECT_EQ(result, IDCANCEL);
        EXPECT_FALSE(::IsWindow(window));
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_EQ(GdiLiveCount(), liveBefore);
        EXPECT_EQ(counter.Queued(window, WM_RBUTTONUP), 1);
        Pump(100);
        EXPECT_EQ(counter.QueuedElsewhere(window, WM_RBUTTONUP), 0);
        EXPECT_EQ(counter.QueuedElsewhere(window, WM_RBUTTONDOWN), 0);
        EXPECT_EQ(counter.Sent(pattern.m_hWnd, WM_CONTEXTMENU), 0);
        EXPECT_FALSE(RightButtonDown());
        EXPECT_FALSE(ButtonDownElsewhere());
        EXPECT_TRUE(CursorFree());
    }
}

// Another window of the process taking the mouse capture ends the mode as a
// right release would. A release injected now would reach that window, so
// the button stays held until the capture is free again; then the dialog
// releases it with the capture its own for the moment, and no other window
// sees it. The button then starts a new capture as usual.
TEST(CaptureMode, LosingTheCaptureToAnotherWindowEndsIt)
{
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        HWND h = dlg.m_hWnd;
        HWND button = dlg.m_btnCapture.m_hWnd;
        MessageCounter counter;
        StartCapture(dlg, counter);
        MoveAndWait(dlg, counter, 100, 100);
        const COLORREF picked = dlg.m_crColor;
        counter.Reset();

        ::SetCapture(pattern.m_hWnd);
        EXPECT_FALSE(dlg.m_bCapturing);
        EXPECT_EQ(WindowText(button), kTextIdle);
        EXPECT_EQ(counter.Sent(button, WM_SETTEXT), 1);
        EXPECT_EQ(counter.Sent(h, WM_CAPTURECHANGED), 1);
        EXPECT_EQ(counter.LastSentLParam(h, WM_CAPTURECHANGED), reinterpret_cast<LPARAM>(pattern.m_hWnd));
        EXPECT_EQ(::GetCapture(), pattern.m_hWnd);
        Pump(100);
        EXPECT_EQ(counter.Queued(h, WM_RBUTTONUP), 0) << "a release was injected";
        EXPECT_TRUE(RightButtonDown());

        // Moves now go to the other window and sample nothing.
        MoveCursorTo(150, 150);
        EXPECT_TRUE(PumpUntil([&] { return counter.Queued(pattern.m_hWnd, WM_MOUSEMOVE) > 0; }));
        EXPECT_EQ(counter.Queued(h, WM_MOUSEMOVE), 0);
        EXPECT_EQ(dlg.m_crColor, picked);

        ::ReleaseCapture();
        ::SetForegroundWindow(h);
        EXPECT_TRUE(PumpUntil([] { return !RightButtonDown(); })) << "the release never came";
        EXPECT_FALSE(ButtonDownElsewhere());
        EXPECT_EQ(counter.QueuedElsewhere(h, WM_RBUTTONUP), 0);
        EXPECT_EQ(counter.Sent(h, WM_CONTEXTMENU), 0);
        EXPECT_EQ(::GetCapture(), nullptr);
        EXPECT_TRUE(CursorFree());

        StartCapture(dlg, counter);
        EXPECT_TRUE(IsCapturingText(dlg));
        EXPECT_EQ(::GetCapture(), h);
        MoveAndWait(dlg, counter, 150, 150);
        const POINT pixel = PickedScreenPixel(dlg, 150, 150);
        EXPECT_EQ(dlg.m_crColor, pattern.AtScreen(pixel.x, pixel.y));
        EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        EXPECT_EQ(WindowText(button), kTextIdle);
        EXPECT_FALSE(RightButtonDown());
    });
}

// A left click released only after the mode has ended, as a user's is.
void ClickReleasedAfterTheEnd(CPickerDlg& dlg)
{
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bCapturing; })) << "capture did not end";
    SendMouseButton(MOUSEEVENTF_LEFTUP);
}

bool UnderWine()
{
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The counting window's program brings a window of its own to the front.
void OtherProgramTakesTheForeground(CPickerDlg& dlg)
{
    ::PostMessageW(::FindWindowW(L"TintoraOtherProcess", L"count"), WM_APP + 1, 0, 0);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bCapturing; })) << "capture did not end";
}

// A window of another program under the cursor gets no button message of
// the capture's, injected or the user's, whichever way the capture ends, and
// no button is left held. With the buttons swapped the capture still holds
// the one that comes back as WM_RBUTTONDOWN: under Wine's mapping (none) the
// press the swap asks for comes back as WM_LBUTTONDOWN and is swapped for the
// other, under Windows' (played under Wine by a hook in another process) it
// is right at once; the left presses the dialog gets tell which.
TEST(CaptureMode, NoButtonMessageReachesAnotherProgram)
{
    enum Swap { None, WineMapping, WindowsMapping };
    struct Way {
        const char* name;
        void (*end)(CPickerDlg&);
        Swap swap;
        int leftPresses;  // at the dialog, when it matters
    };
    const Way ways[] = {
        {"left click", ClickReleasedAfterTheEnd, None, 1},
        {"swapped, Wine", ClickReleasedAfterTheEnd, WineMapping, 2},
        {"swapped, Windows", ClickReleasedAfterTheEnd, WindowsMapping, 1},
        {"right click", [](CPickerDlg&) {
             SendMouseButton(MOUSEEVENTF_RIGHTDOWN);
             SendMouseButton(MOUSEEVENTF_RIGHTUP);
         }, None, 0},
        {"Enter", [](CPickerDlg&) { SendKey(VK_RETURN); }, None, 0},
        {"Space", [](CPickerDlg&) { SendKey(VK_SPACE); }, None, 0},
        {"Esc", [](CPickerDlg&) { SendKey(VK_ESCAPE); }, None, 0},
        {"close", [](CPickerDlg& dlg) { ::PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0); }, None, 0},
        {"exit command", [](CPickerDlg& dlg) { ::PostMessageW(dlg.m_hWnd, WM_COMMAND, ID_EXIT, 0); }, None, 0},
        {"lost capture", [](CPickerDlg& dlg) {
             ::SetCapture(::GetDlgItem(dlg.m_hWnd, IDC_SWATCH));
             ::ReleaseCapture();
         }, None, 0},
        // The About box takes the capture and stays open while the program
        // is told to close: the owed release must not wait for the dialog.
        {"About box, then a close", [](CPickerDlg& dlg) {
             HWND main = dlg.m_hWnd;
             RunSoon([main] {
                 ::PostMessageW(main, WM_CLOSE, 0, 0);
                 RunSoon([] { ::PostMessageW(::GetActiveWindow(), WM_COMMAND, IDOK, 0); }, 300);
             }, 300);
             ::PostMessageW(main, WM_COMMAND, ID_ABOUT, 0);
         }, None, 0},
        // Keys that take the foreground or the mouse away end it first.
        {"Alt", [](CPickerDlg&) { SendKey(VK_MENU); }, None, 0},
        {"Ctrl, then Alt", [](CPickerDlg&) { SendKeyWith(VK_CONTROL, VK_MENU); }, None, 0},
        {"F10", [](CPickerDlg&) { SendKey(VK_F10); }, None, 0},
        {"Windows key", [](CPickerDlg&) { SendKey(VK_LWIN); }, None, 0},
        // The release comes back under a window of ours put under the
        // cursor at once, not when the dialog is in front again.
        {"foreground taken", [](CPickerDlg& dlg) {
             OtherProgramTakesTheForeground(dlg);
             EXPECT_TRUE(PumpUntil([] { return !RightButtonDown(); }, 2000)) << "the button stays held";
             EXPECT_FALSE(ButtonDownElsewhere());
             ::SetForegroundWindow(dlg.m_hWnd);
         }, None, 0},
        {"foreground taken, then a close", [](CPickerDlg& dlg) {
             OtherProgramTakesTheForeground(dlg);
             ::PostMessageW(dlg.m_hWnd, WM_CLOSE, 0, 0);
         }, None, 0},
    };
    OtherProcess counting(L"count 0 0 200 200");
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        if (way.swap == WineMapping && !UnderWine())
            continue;
        ::SwapMouseButton(way.swap != None);
        std::unique_ptr<OtherProcess> hook;
        if (way.swap == WindowsMapping && UnderWine())
            hook = std::make_unique<OtherProcess>(L"swap");
        const int before = counting.ButtonMessages();
        PickerHarness::RunToEnd(
            [&](CPickerDlg& dlg) {
                MessageCounter counter;
                ::SetForegroundWindow(dlg.m_hWnd);
                StartCapture(dlg, counter);
                MoveAndWait(dlg, counter, 100, 100);
                EXPECT_EQ(dlg.m_crColor, RGB(128, 128, 128)) << "the other window's grey";
                way.end(dlg);
                Pump(300);
                if (::IsWindow(dlg.m_hWnd)) {
                    EXPECT_FALSE(dlg.m_bCapturing);
                }
                if (way.leftPresses) {
                    EXPECT_EQ(counter.Queued(dlg.m_hWnd, WM_LBUTTONDOWN), way.leftPresses);
                }
                if (::IsWindow(dlg.m_hWnd))
                    ::PostMessageW(dlg.m_hWnd, WM_COMMAND, IDCANCEL, 0);
            },
            nullptr);
        ::SwapMouseButton(FALSE);
        Pump(200);
        EXPECT_EQ(counting.ButtonMessages(), before);
        EXPECT_FALSE(ButtonDownElsewhere());
        EXPECT_TRUE(CursorFree());
    }
}

// While capturing, the arrow keys move the cursor a pixel (ten with Shift)
// and the pick follows at once; Enter and Space end the capture with the
// colour kept. None of them reaches the dialog manager: the focus stays on
// the copy button, which a key would otherwise click or leave.
TEST(CaptureKeys, ArrowsNudgeThePickAndEnterOrSpaceEndIt)
{
    struct Step {
        WORD vk;
        bool shift;
        int dx, dy;
    };
    const Step steps[] = {
        {VK_RIGHT, false, 1, 0}, {VK_DOWN, false, 0, 1},  {VK_LEFT, false, -1, 0},
        {VK_UP, false, 0, -1},   {VK_RIGHT, true, 10, 0}, {VK_DOWN, true, 0, 10},
        {VK_LEFT, true, -10, 0}, {VK_UP, true, 0, -10},   {VK_RIGHT, false, 1, 0},
    };
    PatternWindow pattern(kPatternRect, UniquePattern);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        HWND copy = ::GetDlgItem(dlg.m_hWnd, IDC_COPY_HEX);
        for (WORD finish : {VK_RETURN, VK_SPACE}) {
            SCOPED_TRACE(finish);
            MessageCounter counter;
            StartCapture(dlg, counter);
            MoveAndWait(dlg, counter, 100, 100);
            ::SetForegroundWindow(dlg.m_hWnd);
            ::SetFocus(copy);
            ClearClipboard();
            POINT at{100, 100};
            for (const Step& step : steps) {
                at.x += step.dx;
                at.y += step.dy;
                SCOPED_TRACE(testing::Message() << at.x << ", " << at.y);
                if (step.shift)
                    SendKeyWith(VK_SHIFT, step.vk);
                else
                    SendKey(step.vk);
                EXPECT_TRUE(PumpUntil([&] {
                    POINT cursor;
                    ::GetCursorPos(&cursor);
                    return cursor.x == at.x && cursor.y == at.y;
                })) << "the cursor did not move there";
                Pump(20);
                const POINT pixel = PickedScreenPixel(dlg, at.x, at.y);
                EXPECT_EQ(dlg.m_crColor, pattern.AtScreen(pixel.x, pixel.y));
            }
            EXPECT_EQ(ExpectViewMatchesModel(dlg, pattern, at.x, at.y), dlg.m_crColor);
            EXPECT_EQ(::GetFocus(), copy);

            const COLORREF kept = dlg.m_crColor;
            SendKey(finish);
            EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bCapturing; })) << "the key did not end it";
            Pump(200);
            EXPECT_FALSE(dlg.m_bCapturing);
            EXPECT_EQ(dlg.m_crColor, kept);
            EXPECT_EQ(WindowText(dlg.m_btnCapture.m_hWnd), kTextIdle);
            EXPECT_EQ(ClipboardText(), L"") << "the copy button was clicked";
            EXPECT_FALSE(RightButtonDown());
            EXPECT_EQ(counter.Queued(dlg.m_hWnd, WM_RBUTTONUP), 1);
        }

        // Idle, an arrow is the focused slider's: the thumb and the colour
        // move, the cursor stays.
        ::SetFocus(dlg.m_sliderTop.m_hWnd);
        const int position = dlg.m_sliderTop.GetPos();
        const COLORREF color = dlg.m_crColor;
        POINT before;
        ::GetCursorPos(&before);
        SendKey(position > 0 ? VK_LEFT : VK_RIGHT);
        EXPECT_TRUE(PumpUntil([&] { return dlg.m_sliderTop.GetPos() != position; }));
        POINT after;
        ::GetCursorPos(&after);
        EXPECT_EQ(after.x, before.x);
        EXPECT_EQ(after.y, before.y);
        EXPECT_NE(dlg.m_crColor, color);
    });
}

// While capturing, "+" and "-" of both keyboards and the wheel (half notches
// adding up, and at the focused slider too, where Windows sends it) step the
// factor from 2 to 16 and back, and the view and the 3 x 3 average follow at
// once; a new capture keeps the factor. Idle, they change nothing.
TEST(CaptureZoom, KeysAndWheelStepTheFactorAndThreeByThreeAverages)
{
    struct Step {
        const char* name;
        void (*input)();  // none: a new capture
        int factor;
    };
    const Step steps[] = {
        {"a capture", nullptr, 2}, {"+", [] { SendKeyWith(VK_SHIFT, VK_OEM_PLUS); }, 4},
        {"keypad +", [] { SendKey(VK_ADD); }, 8},
        {"wheel", [] { ::mouse_event(MOUSEEVENTF_WHEEL, 0, 0, WHEEL_DELTA, 0); }, 16},
        {"+ at 16", [] { SendKey(VK_OEM_PLUS); }, 16},
        {"half a notch back", [] { ::mouse_event(MOUSEEVENTF_WHEEL, 0, 0, -60, 0); }, 16},
        {"and another", [] { ::mouse_event(MOUSEEVENTF_WHEEL, 0, 0, -60, 0); }, 8},
        {"half a notch on", [] { ::mouse_event(MOUSEEVENTF_WHEEL, 0, 0, 60, 0); }, 8},
        {"a new capture", nullptr, 8}, {"-", [] { SendKey(VK_OEM_MINUS); }, 4},
        {"keypad -", [] { SendKey(VK_SUBTRACT); }, 2}, {"- at 2", [] { SendKey(VK_OEM_MINUS); }, 2},
        {"wheel at the focus", [] { ::PostMessageW(::GetFocus(), WM_MOUSEWHEEL, WHEEL_DELTA << 16, 0); }, 4},
        // The half notch of the last capture is not kept.
        {"half a notch", [] { ::mouse_event(MOUSEEVENTF_WHEEL, 0, 0, 60, 0); }, 4},
    };
    // Curved, so that no mean is its centre's pixel.
    PatternWindow pattern(kPatternRect, [](int x, int y) { return RGB(x * x + y, y * y + x, x * y); });
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(pattern.WaitShown());
        EXPECT_TRUE(IsMenuChecked(dlg.m_hWnd, ID_SAMPLE_1));
        ::SendMessageW(dlg.m_hWnd, WM_COMMAND, ID_SAMPLE_3, 0);
        EXPECT_TRUE(IsMenuChecked(dlg.m_hWnd, ID_SAMPLE_3) && !IsMenuChecked(dlg.m_hWnd, ID_SAMPLE_1));
        const SIZE size = ViewSize(dlg);
        MessageCounter counter;
        for (const Step& step : steps) {
            SCOPED_TRACE(step.name);
            if (step.input) {
                step.input();
            } else {
                if (dlg.m_bCapturing)
                    EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
                StartCapture(dlg, counter);
                MoveAndWait(dlg, counter, 100, 100);
                ::SetForegroundWindow(dlg.m_hWnd);
                ::SetFocus(dlg.m_sliderTop.m_hWnd);
            }
            EXPECT_TRUE(PumpUntil([&] { return dlg.m_nZoomFactor == step.factor; }));
            Pump(50);
            std::string first;
            const Image expected = ModelView(size, 100, 100, step.factor, 3);
            EXPECT_EQ(CountDifferences(ViewInside(dlg), expected, first), 0) << first;
            // The mean of the picture's 3 x 3 pixels around the one picked alone.
            const POINT c = ModelPickSource(size, 100, 100, step.factor);
            int sum[3] = {};
            for (int i = 0; i < 27; ++i)
                sum[i % 3] += pattern.AtScreen(c.x + i / 3 % 3 - 1, c.y + i / 9 - 1) >> (8 * (i % 3)) & 0xFF;
            EXPECT_EQ(dlg.m_crColor, RGB((2 * sum[0] + 9) / 18, (2 * sum[1] + 9) / 18, (2 * sum[2] + 9) / 18));
        }
        EndWith(dlg, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP);
        SendKey(VK_ADD);
        Pump(100);
        EXPECT_EQ(dlg.m_nZoomFactor, 4);
    });
}

namespace {

// Runs a program of the X desktop that Wine runs under, by its Unix path.
// An X program's own tools run without waiting: Wine gives no handle for a
// Unix process, only its effects show.
void RunX(const std::wstring& arguments)
{
    ::CloseHandle(StartProgram(L"Z:" + arguments));
}

} // namespace

// Under Wine only a grab of the X pointer brings input from over other X
// programs' windows, and the clip while capturing makes Wine grab it: moves
// made by the X server over an xlogo window reach the dialog, which picks
// the xlogo's colour, and the X server's left click there ends the capture.
// Afterwards the cursor reaches the screen's last column again.
TEST(CaptureMode, PicksOverAnotherXProgramUnderWine)
{
    // with_xlogo.sh puts the X program on screen and names it here.
    const char* xlogo = std::getenv("TINTORA_XLOGO");
    if (!UnderWine() || !xlogo)
        GTEST_SKIP() << "needs Wine and an xlogo from with_xlogo.sh";
    int width, height, left, top;
    unsigned colour;
    ASSERT_EQ(std::sscanf(xlogo, "%dx%d+%d+%d #%x", &width, &height, &left, &top, &colour), 5);
    const COLORREF kLogo = RGB(colour >> 16, (colour >> 8) & 0xff, colour & 0xff);
    const POINT inside{left + width / 2, top + height / 2};
    const RECT probe{inside.x, inside.y, inside.x + 1, inside.y + 1};
    const bool shown = PumpUntil([&] { return GrabScreen(probe).at(0, 0) == kLogo; }, 5000);
    PickerHarness::Run([&](CPickerDlg& dlg) {
        ASSERT_TRUE(shown) << "xlogo never appeared";
        MessageCounter counter;
        StartCapture(dlg, counter);
        const int moves = counter.Queued(dlg.m_hWnd, WM_MOUSEMOVE);
        // Wine takes the grab a moment after the clip: until then a move
        // is the X program's. Each try moves by one pixel, inside its colour.
        bool arrived = false;
        for (int i = 0; i < 5 && !arrived; ++i) {
            RunX(L"/usr/bin/xdotool mousemove " + std::to_wstring(inside.x + i % 2) + L" " +
                 std::to_wstring(inside.y));
            arrived = PumpUntil([&] { return counter.Queued(dlg.m_hWnd, WM_MOUSEMOVE) > moves; }, 1000);
        }
        EXPECT_TRUE(arrived) << "no move from over the X program reached the dialog";
        Pump(50);
        EXPECT_EQ(dlg.m_crColor, kLogo);

        RunX(L"/usr/bin/xdotool click 1");
        EXPECT_TRUE(PumpUntil([&] { return !dlg.m_bCapturing; })) << "the click did not end it";
        EXPECT_EQ(dlg.m_crColor, kLogo);
        EXPECT_TRUE(CursorFree());
        const int lastColumn = ::GetSystemMetrics(SM_CXVIRTUALSCREEN) - 1;
        ::SetCursorPos(lastColumn, 300);
        POINT cursor;
        ::GetCursorPos(&cursor);
        EXPECT_EQ(cursor.x, lastColumn);
        EXPECT_FALSE(RightButtonDown());
    });
}
