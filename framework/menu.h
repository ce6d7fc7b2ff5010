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

// A popup menu the program makes for one showing; destroyed with the object,
// together with the submenus handed to it.
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
    // A text item with a picture before it; the bitmap must outlive the menu.
    BOOL AppendBitmapItem(UINT id, const wchar_t* text, HBITMAP bitmap) const
    {
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_STRING | MIIM_BITMAP;
        item.wID = id;
        item.dwTypeData = const_cast<wchar_t*>(text);
        item.hbmpItem = bitmap;
        return ::InsertMenuItemW(m_hMenu, ::GetMenuItemCount(m_hMenu), TRUE, &item);
    }
    // The submenu becomes this menu's, which destroys it.
    BOOL AppendPopup(CPopupMenu& submenu, const wchar_t* text)
    {
        const BOOL appended =
            ::AppendMenuW(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.m_hMenu), text);
        if (appended)
            submenu.m_hMenu = nullptr;
        return appended;
    }
    // Runs the menu until it closes; with TPM_RETURNCMD, returns the chosen
    // item's identifier, 0 for none. The menu avoids `exclude` where the
    // system honours it.
    UINT TrackPopupMenu(UINT flags, POINT at, HWND owner, const RECT* exclude = nullptr) const
    {
        TPMPARAMS params{sizeof params, exclude ? *exclude : RECT{}};
        return static_cast<UINT>(::TrackPopupMenuEx(m_hMenu, flags, at.x, at.y, owner, exclude ? &params : nullptr));
    }

private:
    HMENU m_hMenu;
};
