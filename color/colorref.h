#pragma once

// COLORREF is 0x00BBGGRR. The Windows build takes the system's own type so the
// core and the Win32 code share it without casts; elsewhere it is a plain
// 32-bit unsigned integer of the same layout.
#ifdef _WIN32
#include <windef.h>
#else
#include <cstdint>
typedef std::uint32_t COLORREF;
#endif
