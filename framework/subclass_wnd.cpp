#include "framework/subclass_wnd.h"

namespace {
// The object travels in a window property rather than GWLP_USERDATA, which
// belongs to whoever registered the control's class.
const wchar_t kObjectProperty[] = L"Tintora.CWnd";
}

CSubclassWnd::~CSubclassWnd()
{
    Unsubclass();
}

void CSubclassWnd::BindControl(HWND hWnd)
{
    m_hWnd = hWnd;
    if (!hWnd)
        return;
    ::SetPropW(hWnd, kObjectProperty, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
}

void CSubclassWnd::Unsubclass()
{
    if (m_hWnd && m_pfnSuper) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropW(m_hWnd, kObjectProperty);
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnMessageMap(message, wParam, lParam, result))
        return result;
    return Default();
}

LRESULT CSubclassWnd::Default()
{
    if (!m_pCurrentMsg || !m_pfnSuper)
        return 0;
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_pCurrentMsg->message, m_pCurrentMsg->wParam,
                             m_pCurrentMsg->lParam);
}

LRESULT CALLBACK CSubclassWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CSubclassWnd*>(::GetPropW(hWnd, kObjectProperty));
    if (!self)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);

    const CurrentMessage current{message, wParam, lParam};
    const CurrentMessage* outer = self->m_pCurrentMsg;
    self->m_pCurrentMsg = &current;
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    self->m_pCurrentMsg = outer;

    // The window is going away: give it its own procedure back so the
    // wrapper never sees a message of a window it no longer drives.
    if (message == WM_NCDESTROY)
        self->Unsubclass();
    return result;
}
