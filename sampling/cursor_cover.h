#pragma once

#include "framework/noncopyable.h"
#include "framework/win.h"

// A window of ours, one pixel, under the cursor and above every other, for
// the moment a release must come back here while another program is in
// front: the system sends a button message to the window under the cursor.
// Nearly transparent, so nothing shows; it never takes the activation.
class CCursorCover : CNoCopy {
public:
    CCursorCover();
    ~CCursorCover();

    // Whether it is the window under the cursor now.
    bool Covers() const;

private:
    static LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd = nullptr;
};
