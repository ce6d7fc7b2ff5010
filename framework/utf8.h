#pragma once

#include <string>

#include "framework/win.h"

// The program keeps its own texts in UTF-8; the window functions take UTF-16.
inline std::wstring FromUtf8(const std::string& text)
{
    std::wstring wide(text.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                      static_cast<int>(wide.size())));
    return wide;
}
