#pragma once

#include <string>

#include "framework/noncopyable.h"
#include "framework/win.h"

// The common controls' tooltip window for the controls of one window,
// shown on hover whether or not that window is active, and above every
// other window; destroyed with this object.
class CToolTip : CNoCopy {
public:
    ~CToolTip();

    void Create(HWND window);
    // A control that gets its own mouse messages (a button).
    void AddWindowTool(HWND control, const std::wstring& text) const;
    // A rectangle of the window's client area: a static control, which lets
    // the mouse through to its parent, is one of these.
    void AddRectTool(UINT id, const RECT& rect, const std::wstring& text) const;
    void SetToolRect(UINT id, const RECT& rect) const;
    // Inactive, no tip shows, and one showing goes.
    void Activate(bool active) const { ::SendMessageW(m_hWnd, TTM_ACTIVATE, active, 0); }

    HWND m_hWnd = nullptr;

private:
    TOOLINFOW Tool(UINT flags, UINT_PTR id) const;

    HWND m_hWindow = nullptr;
};
