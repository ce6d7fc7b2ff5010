#include "framework/gdi.h"

#ifdef TINTORA_COUNT_GDI
int& GdiLiveCount()
{
    static int count = 0;
    return count;
}
#endif

void CDC::FillSolidRect(const RECT& rect, COLORREF color) const
{
    // ExtTextOut with an opaque rectangle fills without creating a brush.
    const COLORREF old = ::SetBkColor(m_hDC, color);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, old);
}

CClientDC::CClientDC(HWND hWnd) : CDC(::GetDC(hWnd)), m_hWnd(hWnd)
{
    TINTORA_GDI_ACQUIRED(m_hDC);
}

CClientDC::~CClientDC()
{
    if (m_hDC) {
        ::ReleaseDC(m_hWnd, m_hDC);
        TINTORA_GDI_RELEASED();
    }
}

CPaintDC::CPaintDC(HWND hWnd) : CDC(nullptr), m_hWnd(hWnd), m_ps{}
{
    m_hDC = ::BeginPaint(hWnd, &m_ps);
    TINTORA_GDI_ACQUIRED(m_hDC);
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    if (m_hDC)
        TINTORA_GDI_RELEASED();
}

CMemoryDC::CMemoryDC(const CDC* reference)
    : CDC(::CreateCompatibleDC(reference ? reference->GetSafeHdc() : nullptr))
{
    TINTORA_GDI_ACQUIRED(m_hDC);
}

CMemoryDC::~CMemoryDC()
{
    if (m_hDC) {
        ::DeleteDC(m_hDC);
        TINTORA_GDI_RELEASED();
    }
}

BOOL CBitmap::CreateCompatibleBitmap(const CDC& reference, int width, int height)
{
    DeleteObject();
    m_hBitmap = ::CreateCompatibleBitmap(reference.GetSafeHdc(), width, height);
    TINTORA_GDI_ACQUIRED(m_hBitmap);
    if (m_hBitmap) {
        m_nWidth = width;
        m_nHeight = height;
    }
    return m_hBitmap != nullptr;
}

void CBitmap::DeleteObject()
{
    if (m_hBitmap) {
        ::DeleteObject(m_hBitmap);
        m_hBitmap = nullptr;
        m_nWidth = 0;
        m_nHeight = 0;
        TINTORA_GDI_RELEASED();
    }
}
