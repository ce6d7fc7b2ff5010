#pragma once

#include <string>

#include "framework/win.h"

// Puts the text on the clipboard as Unicode text, in the owner's name. False
// when another program holds the clipboard open, or without memory for it.
bool SetClipboardText(HWND owner, const std::wstring& text);
