#pragma once

#include <string>

#include "framework/noncopyable.h"
#include "framework/win.h"

// A window wrapper. It owns no window: it is bound to one and drives it.
class CWnd : CNoCopy {
public:
    HWND m_hWnd = nullptr;

    CWnd() = default;
    virtual ~CWnd() = default;

    // Binds the wrapper to a control of its dialog. Controls that must see
    // their own messages override this to subclass the window as well.
    virtual void BindControl(HWND hWnd) { m_hWnd = hWnd; }

    // Handles one message of a window whose messages pass through this
    // object. The default hands it on to Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The window's default processing of the message now being handled, as
    // if this object had no handler for it.
    virtual LRESULT Default();

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(m_hWnd, message, wParam, lParam);
    }

    void SetWindowText(const wchar_t* text) const { ::SetWindowTextW(m_hWnd, text); }
    void SetWindowText(const std::wstring& text) const { SetWindowText(text.c_str()); }
    int GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }

    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL SetWindowPos(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) const
    {
        return ::SetWindowPos(m_hWnd, insertAfter, x, y, cx, cy, flags);
    }
    HMENU GetMenu() const { return ::GetMenu(m_hWnd); }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }

    // Centres the window over its owner, inside the work area of the owner's
    // monitor, or on the primary monitor's work area when it has none.
    void CenterWindow() const;

protected:
    // The message being handled, for Default().
    struct CurrentMessage {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    const CurrentMessage* m_pCurrentMsg = nullptr;
};
