#pragma once

#include <string>

#include "framework/win_app.h"

// A string resource of this module, UTF-16 as stored.
inline std::wstring LoadResourceString(UINT id)
{
    const wchar_t* text = nullptr;
    // With a zero buffer size LoadStringW hands out a pointer into the
    // resource itself, which is not terminated: the length is the result.
    const int length = ::LoadStringW(AfxGetInstanceHandle(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}
