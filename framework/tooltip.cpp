#include "framework/tooltip.h"

CToolTip::~CToolTip()
{
    if (::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
}

// The window has no owner of its own: under Wine 8 a window that owns a
// topmost one cannot be made topmost itself (SetWindowPos puts it just
// below the owned one, and the server then takes it out of the topmost
// band), which would break the dialog's always-on-top.
void CToolTip::Create(HWND window)
{
    m_hWindow = window;
    m_hWnd = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
}

// TTF_SUBCLASS: the tooltip watches the tool's window (the control, or the
// window whose rectangle it is) for the mouse moves it needs.
TOOLINFOW CToolTip::Tool(UINT flags, UINT_PTR id) const
{
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = flags | TTF_SUBCLASS;
    tool.hwnd = m_hWindow;
    tool.uId = id;
    return tool;
}

void CToolTip::AddWindowTool(HWND control, const std::wstring& text) const
{
    TOOLINFOW tool = Tool(TTF_IDISHWND, reinterpret_cast<UINT_PTR>(control));
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTip::AddRectTool(UINT id, const RECT& rect, const std::wstring& text) const
{
    TOOLINFOW tool = Tool(0, id);
    tool.rect = rect;
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    ::SendMessageW(m_hWnd, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CToolTip::SetToolRect(UINT id, const RECT& rect) const
{
    TOOLINFOW tool = Tool(0, id);
    tool.rect = rect;
    ::SendMessageW(m_hWnd, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}
