#pragma once

#include "framework/noncopyable.h"
#include "framework/win.h"

// A menu handle the window owns; the wrapper only drives it.
class CMenu {
public:
    static CMenu FromHandle(HMENU hMenu) { return CMenu(hMenu); }

    HMENU GetSafeHmenu() const { return m_hMenu; }
    DWORD CheckMenuItem(UINT id, UINT check) const { return ::CheckMenuItem(m_hMenu, id, check); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT check, UINT flags) const
    {
        return ::CheckMenuRadioItem(m_hMenu, first, last, check, flags);
    }
    BOOL RemoveMenu(UINT id, UINT flags) const { return ::RemoveMenu(m_hMenu, id, flags); }

private:
    explicit CMenu(HMENU hMenu) : m_hMenu(hMenu) {}
    HMENU m_hMenu;
};

// A popup menu the program makes for one showing; destroyed with the object.
class CPopupMenu : CNoCopy {
public:
    CPopupMenu() : m_hMenu(::CreatePopupMenu()) {}
    ~CPopupMenu()
    {
        if (m_hMenu)
            ::DestroyMenu(m_hMenu);
    }

    BOOL AppendMenu(UINT flags, UINT_PTR id, const wchar_t* text) const
    {
        return ::AppendMenuW(m_hMenu, flags, id, text);
    }
    // Runs the menu until it closes; with TPM_RETURNCMD, returns the chosen
    // item's identifier, 0 for none.
    UINT TrackPopupMenu(UINT flags, POINT at, HWND owner) const
    {
        return static_cast<UINT>(::TrackPopupMenu(m_hMenu, flags, at.x, at.y, 0, owner, nullptr));
    }

private:
    HMENU m_hMenu;
};
