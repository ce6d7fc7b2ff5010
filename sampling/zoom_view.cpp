// The magnifier of the main dialog: the zoom bitmap behind the zoom view, the
// magnified screen image with its crosshair, and the pick of the colour.
#include <optional>

#include "sampling/magnifier.h"
#include "sampling/zoom_geometry.h"
#include "ui/picker_dlg.h"

namespace {

ZoomGeometry ViewGeometry(const CStatic& view, int cursorX = 0, int cursorY = 0)
{
    RECT client;
    view.GetClientRect(&client);
    return ComputeZoomGeometry(client.right, client.bottom, cursorX, cursorY);
}

// The bitmap, w x h, copied into the view inside its frame.
void CopyToView(const CStatic& view, const CDC& bitmapDC, const ZoomGeometry& g)
{
    CClientDC viewDC(view.m_hWnd);
    viewDC.BitBlt(g.viewX, g.viewY, g.width, g.height, bitmapDC, 0, 0, SRCCOPY);
}

} // namespace

void CPickerDlg::CreateZoomBitmap()
{
    const ZoomGeometry g = ViewGeometry(m_stZoomView);
    {
        CClientDC dialogDC(m_hWnd);
        m_pZoomBitmap = new CBitmap;
        m_pZoomBitmap->CreateCompatibleBitmap(dialogDC, g.width, g.height);
    }
    CMemoryDC memDC;
    CSelectObject select(memDC, *m_pZoomBitmap);
    memDC.FillSolidRect({0, 0, g.width, g.height}, 0);
}

void CPickerDlg::DestroyZoomBitmap()
{
    if (!m_pZoomBitmap)
        return;
    m_pZoomBitmap->DeleteObject();
    delete m_pZoomBitmap;
    m_pZoomBitmap = nullptr;
}

void CPickerDlg::Magnify()
{
    if (!m_pZoomBitmap)
        return;
    POINT cursor;
    ::GetCursorPos(&cursor);
    const ZoomGeometry g = ViewGeometry(m_stZoomView, cursor.x, cursor.y);
    const RECT whole{g.destX, g.destY, g.destX + g.destWidth, g.destY + g.destHeight};

    std::optional<CClientDC> screenDC;
    screenDC.emplace(::GetDesktopWindow());
    CMemoryDC memDC(&*screenDC);
    CSelectObject select(memDC, *m_pZoomBitmap);
    // Whatever the stretch leaves unwritten (beyond the screen's edges) stays black.
    memDC.FillSolidRect(whole, 0);
    // Only the part of the source that is on the screen is copied.
    RECT screen;
    ::GetClipBox(screenDC->GetSafeHdc(), &screen);
    const ZoomCopy copy = ClipZoomCopy(g, screen.left, screen.top, screen.right, screen.bottom);
    if (!copy.IsEmpty())
        memDC.StretchBlt(copy.destX, copy.destY, copy.destWidth, copy.destHeight, *screenDC,
                         copy.sourceX, copy.sourceY, copy.sourceWidth, copy.sourceHeight, SRCCOPY);
    // The screen's DC goes back before drawing: it is only needed for the read.
    screenDC.reset();

    memDC.SetROP2(R2_NOT);
    for (const CrosshairSegment& segment : g.crosshair) {
        memDC.MoveTo(segment.fromX, segment.fromY);
        memDC.LineTo(segment.toX, segment.toY);
    }
    CopyToView(m_stZoomView, memDC, g);
}

COLORREF CPickerDlg::GetCenterPixel()
{
    if (!m_pZoomBitmap)
        return 0;
    const ZoomGeometry g = ViewGeometry(m_stZoomView);
    CMemoryDC memDC;
    CSelectObject select(memDC, *m_pZoomBitmap);
    return MaskPickedPixel(memDC.GetPixel(g.pickX, g.pickY));
}

void CPickerDlg::PickColor()
{
    const COLORREF pixel = GetCenterPixel();
    UpdateColor(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel), false);
}

// A repaint shows the stored image and colour again and changes neither: a
// trip of the stored colour through HSV or HLS could move it a unit at a
// time. The sliders, labels and texts are controls and repaint themselves.
void CPickerDlg::RedrawZoomView()
{
    if (!m_pZoomBitmap)
        return;
    const ZoomGeometry g = ViewGeometry(m_stZoomView);
    {
        CMemoryDC memDC;
        CSelectObject select(memDC, *m_pZoomBitmap);
        CopyToView(m_stZoomView, memDC, g);
    }
    FillSwatch();
}
