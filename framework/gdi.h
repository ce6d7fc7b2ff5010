#pragma once

#include "framework/noncopyable.h"
#include "framework/win.h"

// Device contexts and GDI objects. Each owner acquires in its constructor and
// releases in its destructor, so declaring them in acquisition order gives the
// reverse release order for free: a selection is undone before its memory DC
// is deleted, and a window DC goes back to the very window it came from.
//
// Test builds count the live handles, so a test can prove that no path leaks
// one (GetGuiResources does not report GDI counts under Wine).

#ifdef TINTORA_COUNT_GDI
int& GdiLiveCount();
#define TINTORA_GDI_ACQUIRED(handle) ((handle) ? ++GdiLiveCount() : 0)
#define TINTORA_GDI_RELEASED() (--GdiLiveCount())
#else
#define TINTORA_GDI_ACQUIRED(handle) ((void)0)
#define TINTORA_GDI_RELEASED() ((void)0)
#endif

// Drawing calls on a device context it does not own.
class CDC : CNoCopy {
public:
    HDC GetSafeHdc() const { return m_hDC; }

    void FillSolidRect(const RECT& rect, COLORREF color) const;
    int SetROP2(int mode) const { return ::SetROP2(m_hDC, mode); }
    void MoveTo(int x, int y) const { ::MoveToEx(m_hDC, x, y, nullptr); }
    void LineTo(int x, int y) const { ::LineTo(m_hDC, x, y); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL BitBlt(int x, int y, int width, int height, const CDC& source, int sourceX,
                int sourceY, DWORD rop) const
    {
        return ::BitBlt(m_hDC, x, y, width, height, source.m_hDC, sourceX, sourceY, rop);
    }
    BOOL StretchBlt(int x, int y, int width, int height, const CDC& source, int sourceX,
                    int sourceY, int sourceWidth, int sourceHeight, DWORD rop) const
    {
        return ::StretchBlt(m_hDC, x, y, width, height, source.m_hDC, sourceX, sourceY,
                            sourceWidth, sourceHeight, rop);
    }
    BOOL DrawIcon(int x, int y, HICON icon) const { return ::DrawIcon(m_hDC, x, y, icon); }

protected:
    explicit CDC(HDC hDC) : m_hDC(hDC) {}
    ~CDC() = default;

    HDC m_hDC;
};

// GetDC / ReleaseDC of one window (null: the whole screen).
class CClientDC : public CDC {
public:
    explicit CClientDC(HWND hWnd);
    ~CClientDC();

private:
    HWND m_hWnd;
};

// BeginPaint / EndPaint of one window's paint cycle.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC();

private:
    HWND m_hWnd;
    PAINTSTRUCT m_ps;
};

// CreateCompatibleDC / DeleteDC: a memory DC compatible with the reference
// DC, or with the screen when there is none.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(const CDC* reference = nullptr);
    ~CMemoryDC();
};

// An owned bitmap handle.
class CBitmap : CNoCopy {
public:
    CBitmap() = default;
    ~CBitmap() { DeleteObject(); }

    HBITMAP GetSafeHandle() const { return m_hBitmap; }
    // The size it was created with; 0 x 0 without an image.
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }

    BOOL CreateCompatibleBitmap(const CDC& reference, int width, int height);
    void DeleteObject();

private:
    HBITMAP m_hBitmap = nullptr;
    int m_nWidth = 0;
    int m_nHeight = 0;
};

// SelectObject into a DC for the life of this object, then the previous
// object back.
class CSelectObject : CNoCopy {
public:
    CSelectObject(const CDC& dc, HGDIOBJ object)
        : m_hDC(dc.GetSafeHdc()), m_hOld(::SelectObject(m_hDC, object))
    {
    }
    CSelectObject(const CDC& dc, const CBitmap& bitmap)
        : CSelectObject(dc, bitmap.GetSafeHandle())
    {
    }
    ~CSelectObject()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};
