#pragma once

#include <functional>
#include <string>

#include "sampling/magnifier.h"
#include "ui/picker_dlg.h"

// The real main dialog, run modally inside the test process. The test body
// runs from within the dialog's own modal loop, once the window is up.
class PickerHarness {
public:
    // Runs `body` inside the dialog's modal loop, then closes the dialog.
    // Returns DoModal's result.
    static INT_PTR Run(const std::function<void(CPickerDlg&)>& body);

    // Runs `body`, which must make the dialog end by itself; a dialog still
    // open seconds later is a failure. `after` sees the object once the
    // window is gone.
    static INT_PTR RunToEnd(const std::function<void(CPickerDlg&)>& body,
                            const std::function<void(CPickerDlg&)>& after);
};

// Runs `action` from inside whatever modal loop is running `delay_ms` from
// now (a nested dialog's, for instance).
void RunSoon(std::function<void()> action, UINT delay_ms = 10);

// Processes the thread's pending messages the way a dialog's modal loop
// does, for `ms` milliseconds at least and until the queue is empty.
void Pump(DWORD ms = 0);

// Waits, pumping, until `done` holds or `timeout_ms` passes.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout_ms = 2000);

// Repaints the whole dialog, controls included, at once.
void Repaint(CPickerDlg& dlg);

std::wstring WindowText(HWND hWnd);
std::wstring ClipboardText();
void ClearClipboard();
bool IsMenuChecked(HWND hWnd, UINT id);

// A pixel of a window's client area as it is on the screen.
COLORREF ClientPixel(HWND hWnd, int x, int y);

// Real input through the system's input queue.
void SendKey(WORD vk);
void SendMouseButton(DWORD flags);

// Presses `vk` with `modifier` held, through the input queue.
void SendKeyWith(WORD modifier, WORD vk);

// A mouse button held, as another process sees it.
bool ButtonDownElsewhere();

// other_process.exe: a window of another process that counts the button
// messages it gets ("count L T R B"), or Windows' button swap ("swap").
class OtherProcess {
public:
    explicit OtherProcess(const std::wstring& arguments);
    ~OtherProcess();
    OtherProcess(const OtherProcess&) = delete;
    OtherProcess& operator=(const OtherProcess&) = delete;
    int ButtonMessages() const;

private:
    HANDLE m_process;
    HWND m_hWnd = nullptr;
};

// Runs a program to its end, or starts it and returns its process handle.
DWORD RunProgram(const std::wstring& commandLine);
HANDLE StartProgram(const std::wstring& commandLine);

// Puts the cursor on a screen point and reports it as a mouse move through
// the input queue, as a real move would arrive (SetCursorPos alone need not
// produce a WM_MOUSEMOVE).
void MoveCursorTo(int x, int y);
void MoveCursorTo(POINT point);

// The centre of a window's client area, in screen coordinates.
POINT ClientCentre(HWND hWnd);
// A client point of a window in screen coordinates.
POINT ClientToScreenPoint(HWND hWnd, int x, int y);

// Counts the messages this thread's windows get, by window and message:
// queued ones when they are taken from the queue (WH_GETMESSAGE) and sent
// ones when they are delivered (WH_CALLWNDPROC). One counter at a time.
class MessageCounter {
public:
    MessageCounter();
    ~MessageCounter();
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;

    int Queued(HWND hWnd, UINT message) const;
    // Queued messages of that kind for any window but `except`.
    int QueuedElsewhere(HWND except, UINT message) const;
    int Sent(HWND hWnd, UINT message) const;
    // The last lParam sent with `message` to `hWnd`.
    LPARAM LastSentLParam(HWND hWnd, UINT message) const;
    void Reset();

private:
    HHOOK m_getMessage;
    HHOOK m_callWndProc;
};

// Pixels of the screen (through the desktop window's device context) or of a
// window's client area (through its own), as a true-colour Image whose pixel
// (0, 0) is the rectangle's top-left corner.
Image GrabScreen(const RECT& rect);
Image GrabClient(HWND hWnd, const RECT& rect);

// A top-level, topmost popup of this process that shows a fixed picture,
// one colour per client pixel. It never takes the activation.
class PatternWindow {
public:
    using Pattern = std::function<COLORREF(int x, int y)>;
    PatternWindow(const RECT& screenRect, Pattern pattern);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    HWND m_hWnd = nullptr;
    RECT m_rect;
    // The colour at a screen point inside the window.
    COLORREF AtScreen(int x, int y) const;
    // Waits until the screen shows the picture; false if it never does.
    bool WaitShown(DWORD timeout_ms = 3000) const;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    Pattern m_pattern;
};

// A different colour at every pixel of a window up to 216 x 216; none is
// black, the colour of whatever a stretch leaves unwritten.
COLORREF UniquePattern(int x, int y);
