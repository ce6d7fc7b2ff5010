#pragma once

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
