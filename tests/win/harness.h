#pragma once

#include <functional>
#include <string>

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

std::wstring WindowText(HWND hWnd);
std::wstring ClipboardText();
void ClearClipboard();
bool IsMenuChecked(HWND hWnd, UINT id);

// A pixel of a window's client area as it is on the screen.
COLORREF ClientPixel(HWND hWnd, int x, int y);

// Real input through the system's input queue.
void SendKey(WORD vk);
void SendMouseButton(DWORD flags);
