#pragma once

#include "framework/noncopyable.h"
#include "framework/win.h"

// A window of ours, a few pixels wide, centred under the cursor and above
// every other, for the moment a release must come back here while another
// program is in front: the system sends a button message to the window
// under the cursor. Nearly transparent, so nothing shows; it never takes
// the activation. Its size leaves room for the rounding of a move onto its
// centre.
class CCursorCover : CNoCopy {
public:
    CCursorCover();
    ~CCursorCover();

    // Whether it is the window under the cursor now.
    bool Covers() const;
    // Where the cursor was when it was made.
    POINT Centre() const { return m_centre; }

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
    POINT m_centre{};
};
