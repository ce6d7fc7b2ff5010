#pragma once

#include <cstddef>
#include <type_traits>

#include <windowsx.h>

#include "framework/win.h"

// Static message tables: each row names a message (and, for commands and
// notifications, the control identifier and code) and a handler. The rows
// are built by the small functions below, which unpack the message's
// arguments for the handler's signature:
//   void ()                      plain messages, commands, button clicks
//   R ()                         messages whose result is the handler's value
//   void (UINT flags, POINT pt)  mouse messages
//   void (NMHDR*, LRESULT*)      notifications
//   void (HWND)                  messages that name a window in lParam
//   void (HWND, POINT)           WM_CONTEXTMENU: the window, the screen point
//   void (UINT_PTR)              messages that carry an identifier in wParam
//   LRESULT (WPARAM, LPARAM)     messages taken as they come

template <class T>
struct MessageEntry {
    UINT message;
    UINT id;    // command or control identifier; WM_COMMAND and WM_NOTIFY only
    UINT code;  // notification code; WM_COMMAND and WM_NOTIFY only
    LRESULT (*handler)(T& self, WPARAM wParam, LPARAM lParam);
};

namespace message_map_detail {

template <class>
struct Owner;
template <class C, class R, class... A>
struct Owner<R (C::*)(A...)> {
    using type = C;
};

template <auto Fn>
using OwnerOf = typename Owner<decltype(Fn)>::type;

template <auto Fn>
LRESULT Invoke(OwnerOf<Fn>& self, WPARAM wParam, LPARAM lParam)
{
    using T = OwnerOf<Fn>;
    using F = decltype(Fn);
    if constexpr (std::is_invocable_v<F, T&>) {
        if constexpr (std::is_void_v<std::invoke_result_t<F, T&>>) {
            (self.*Fn)();
            return 0;
        } else {
            return (LRESULT)(self.*Fn)();
        }
    } else if constexpr (std::is_invocable_v<F, T&, UINT, POINT>) {
        // Signed coordinates: positions left of or above the window, which a
        // window holding the capture does receive, are negative.
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        (self.*Fn)(static_cast<UINT>(wParam), point);
        return 0;
    } else if constexpr (std::is_invocable_v<F, T&, HWND, POINT>) {
        // (-1, -1) when the menu was asked for from the keyboard.
        const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        (self.*Fn)(reinterpret_cast<HWND>(wParam), point);
        return 0;
    } else if constexpr (std::is_invocable_v<F, T&, HWND>) {
        (self.*Fn)(reinterpret_cast<HWND>(lParam));
        return 0;
    } else if constexpr (std::is_invocable_v<F, T&, UINT_PTR>) {
        (self.*Fn)(static_cast<UINT_PTR>(wParam));
        return 0;
    } else if constexpr (std::is_invocable_v<F, T&, WPARAM, LPARAM>) {
        return (self.*Fn)(wParam, lParam);
    } else {
        static_assert(std::is_invocable_v<F, T&, NMHDR*, LRESULT*>, "unsupported handler signature");
        LRESULT result = 0;
        (self.*Fn)(reinterpret_cast<NMHDR*>(lParam), &result);
        return result;
    }
}

} // namespace message_map_detail

template <auto Fn>
constexpr auto OnMessage(UINT message)
{
    using T = message_map_detail::OwnerOf<Fn>;
    return MessageEntry<T>{message, 0, 0, &message_map_detail::Invoke<Fn>};
}

// A menu command or a button's BN_CLICKED (both arrive with code 0).
template <auto Fn>
constexpr auto OnCommand(UINT id, UINT code = 0)
{
    using T = message_map_detail::OwnerOf<Fn>;
    return MessageEntry<T>{WM_COMMAND, id, code, &message_map_detail::Invoke<Fn>};
}

template <auto Fn>
constexpr auto OnNotify(UINT code, UINT id)
{
    using T = message_map_detail::OwnerOf<Fn>;
    return MessageEntry<T>{WM_NOTIFY, id, code, &message_map_detail::Invoke<Fn>};
}

// Looks the message up in the table and runs the first matching handler.
template <class T, std::size_t N>
bool DispatchMessageMap(const MessageEntry<T> (&map)[N], T& self, UINT message, WPARAM wParam,
                        LPARAM lParam, LRESULT& result)
{
    UINT id = 0;
    UINT code = 0;
    if (message == WM_COMMAND) {
        id = LOWORD(wParam);
        code = HIWORD(wParam);
    } else if (message == WM_NOTIFY) {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
        id = static_cast<UINT>(header->idFrom);
        code = header->code;
    }
    for (const MessageEntry<T>& entry : map) {
        if (entry.message == message && entry.id == id && entry.code == code) {
            result = entry.handler(self, wParam, lParam);
            return true;
        }
    }
    return false;
}
