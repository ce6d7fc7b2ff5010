#pragma once

#include "framework/wnd.h"

// A control whose own messages pass through this object first: binding it
// replaces the window procedure, and Default() hands a message on to the
// control's original one. Only for controls that must see their own input or
// the questions screen readers send them.
class CSubclassWnd : public CWnd {
public:
    ~CSubclassWnd() override;

    void BindControl(HWND hWnd) override;
    LRESULT Default() override;

protected:
    // The subclass's message table; true when a row handled the message.
    virtual bool OnMessageMap(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    void Unsubclass();

    WNDPROC m_pfnSuper = nullptr;
};
