#pragma once

#include <string>

#include <wrl/client.h>

#include "framework/message_map.h"
#include "framework/subclass_wnd.h"

class CNamedAccessible;

// The thread's COM apartment (single-threaded: the thread has windows and a
// message loop), entered for as long as the object lives.
class CComApartment : CNoCopy {
public:
    CComApartment();
    ~CComApartment();

private:
    HRESULT m_hr;
};

// A control whose name for screen readers is not its window text: a button
// labelled 「c」 says nothing of what it copies, a frame has no text at all.
// Screen readers ask the control's own window (WM_GETOBJECT), so the control
// must see its own messages: it is subclassed. The answer is the system's
// accessible object for the control with the name replaced, made at the
// first question and kept while the control lives; clients that hold it
// longer are then told that it is gone.
class CAccessibleName : public CSubclassWnd {
public:
    // Out of line, where CNamedAccessible is complete.
    CAccessibleName();
    ~CAccessibleName() override;

    // Subclasses the control and gives it its name.
    void NameControl(HWND control, std::wstring name);

protected:
    bool OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    void OnNcDestroy();

private:
    // Screen readers in other processes call the object through it.
    CComApartment m_apartment;
    std::wstring m_strName;
    Microsoft::WRL::ComPtr<CNamedAccessible> m_accessible;

    static const MessageEntry<CAccessibleName> messageMap[];
};
