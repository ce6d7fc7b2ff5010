// The magnifier of the main dialog: the zoom bitmap behind the zoom view, the
// magnified screen image with its crosshair, and the pick of the colour.
#include <optional>
#include <vector>

#include "sampling/magnifier.h"
#include "sampling/screen_monitors.h"
#include "sampling/zoom_geometry.h"
#include "ui/picker_dlg.h"

namespace {

ZoomGeometry ViewGeometry(const CStatic& view, int cursorX = 0, int cursorY = 0, int factor = kMinZoomFactor,
                          int sampleSize = 1)
{
    RECT client;
    view.GetClientRect(&client);
    return ComputeZoomGeometry(client.right, client.bottom, cursorX, cursorY, factor, sampleSize);
}

// The bitmap, w x h, copied into the view inside its frame.
void CopyToView(const CStatic& view, const CDC& bitmapDC, const ZoomGeometry& g)
{
    CClientDC viewDC(view.m_hWnd);
    viewDC.BitBlt(g.viewX, g.viewY, g.width, g.height, bitmapDC, 0, 0, SRCCOPY);
}

// A w x h bitmap in the display's format, all black.
CBitmap* NewZoomBitmap(HWND dialog, const ZoomGeometry& g)
{
    auto* bitmap = new CBitmap;
    {
        CClientDC dialogDC(dialog);
        bitmap->CreateCompatibleBitmap(dialogDC, g.width, g.height);
    }
    CMemoryDC memDC;
    CSelectObject select(memDC, *bitmap);
    memDC.FillSolidRect({0, 0, g.width, g.height}, 0);
    return bitmap;
}

// The source rectangle stretched onto the bitmap, reading only what lies on a
// monitor (ReadableScreenRects): reading beyond the screen makes some
// platforms blacken the whole destination. Each piece is stretched on its
// own; at the exact ratio of k it lands where the whole source would put it.
// Where k does not divide the bitmap's size the destination is larger than
// the bitmap, and the memory device context clips it.
void StretchScreen(const CDC& screenDC, const CDC& bitmapDC, const ZoomGeometry& g)
{
    for (const ZoomCopy& piece : ClipZoomCopies(g, ReadableScreenRects()))
        bitmapDC.StretchBlt(piece.destX, piece.destY, piece.destWidth, piece.destHeight, screenDC,
                            piece.sourceX, piece.sourceY, piece.sourceWidth, piece.sourceHeight, SRCCOPY);
}

template <class Strokes>
void DrawStrokes(const CDC& dc, const Strokes& strokes)
{
    for (const CrosshairSegment& segment : strokes) {
        dc.MoveTo(segment.fromX, segment.fromY);
        dc.LineTo(segment.toX, segment.toY);
    }
}

// The screen pixel the view shows at its pick point, the sampled square's centre.
POINT PickedPixel(const SampleSquare& square)
{
    return {square.left + square.size / 2, square.top + square.size / 2};
}

} // namespace

ZoomGeometry CPickerDlg::ZoomAt(POINT cursor) const
{
    return ViewGeometry(m_stZoomView, cursor.x, cursor.y, m_nZoomFactor, m_nSampleSize);
}

void CPickerDlg::CreateZoomBitmap()
{
    m_pZoomBitmap = NewZoomBitmap(m_hWnd, ViewGeometry(m_stZoomView));
}

// The view's pixel size changes with the DPI of the dialog's monitor. The
// new bitmap is black, as at creation: the last image stretched to the new
// size would thicken the crosshair and put a blend of source pixels at the
// pick point. It is made before the old one goes, so the dialog is never
// without one.
void CPickerDlg::FitZoomBitmap()
{
    if (!m_pZoomBitmap)
        return;
    const ZoomGeometry g = ViewGeometry(m_stZoomView);
    if (m_pZoomBitmap->GetWidth() != g.width || m_pZoomBitmap->GetHeight() != g.height)
        RenewZoomBitmap();
}

// A display of another colour depth needs a bitmap in its format; the
// image is not carried over, as at a change of size.
void CPickerDlg::RenewZoomBitmap()
{
    if (!m_pZoomBitmap)
        return;
    CBitmap* renewed = NewZoomBitmap(m_hWnd, ViewGeometry(m_stZoomView));
    DestroyZoomBitmap();
    m_pZoomBitmap = renewed;
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
    m_ptReading.reset();
    FitZoomBitmap();
    if (!m_pZoomBitmap)
        return;
    // While the input desktop switches (a secure desktop, a locked session)
    // there is no cursor position to read, and nothing to show.
    POINT cursor;
    if (!::GetCursorPos(&cursor))
        return;
    m_ptReading = cursor;
    const ZoomGeometry g = ZoomAt(cursor);
    const RECT whole{0, 0, g.width, g.height};

    // What can be read, after the Win32 documentation ("The Virtual Screen",
    // "HMONITOR and the Device Context", GetDC, EnumDisplayMonitors):
    // - The desktop spans the virtual screen, the bounding rectangle of all
    //   monitors (SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN, SM_CXVIRTUALSCREEN,
    //   SM_CYVIRTUALSCREEN). The primary monitor holds (0, 0); monitors left
    //   of or above it lie at negative coordinates.
    // - GetDC(NULL) is the device context of the entire screen, in screen
    //   coordinates; the documentation reaches the whole virtual screen
    //   through it. A display device context got otherwise "normally" covers
    //   the primary monitor only, and what the desktop window's context and
    //   its clip box cover with several monitors is not documented at all.
    // - The virtual screen can hold parts that no monitor shows (monitors of
    //   different sizes, L-shaped arrangements), with no pixels to read.
    //   EnumDisplayMonitors without a device context gives every monitor's
    //   rectangle in virtual-screen coordinates. (Wine 8, measured: both
    //   device contexts' clip box is the bounding rectangle, gaps included,
    //   and the desktop window's own rectangle the primary monitor alone.)
    // So the read goes through GetDC(NULL), one piece per monitor that the
    // source rectangle meets; whatever lies on no monitor stays black.
    std::optional<CClientDC> screenDC;
    screenDC.emplace(nullptr);
    CMemoryDC memDC(&*screenDC);
    CSelectObject select(memDC, *m_pZoomBitmap);
    memDC.FillSolidRect(whole, 0);
    StretchScreen(*screenDC, memDC, g);
    // The screen's DC goes back before drawing: it is only needed for the read.
    screenDC.reset();

    memDC.SetROP2(R2_NOT);
    DrawStrokes(memDC, g.crosshair);
    DrawStrokes(memDC, g.outline);
    CopyToView(m_stZoomView, memDC, g);
}

COLORREF CPickerDlg::GetCenterPixel()
{
    FitZoomBitmap();
    if (!m_pZoomBitmap)
        return 0;
    const ZoomGeometry g = ViewGeometry(m_stZoomView);
    CMemoryDC memDC;
    CSelectObject select(memDC, *m_pZoomBitmap);
    return MaskPickedPixel(memDC.GetPixel(g.pickX, g.pickY));
}

// An averaged pick reads the screen again rather than the bitmap, where the
// crosshair and the outline cover some of the square's pixels. Both take the
// cursor where the view's reading found it: read again, it may have moved
// on, and the colour would be another than the view frames.
void CPickerDlg::PickColor()
{
    std::optional<COLORREF> pixel;
    if (m_ptReading) {
        const SampleSquare square = ZoomAt(*m_ptReading).sample;
        m_ptPicked = PickedPixel(square);
        if (m_nSampleSize > 1)
            pixel = SampleMean(square);
    }
    if (m_nSampleSize == 1)
        pixel = GetCenterPixel();
    if (pixel)
        UpdateColor(GetRValue(*pixel), GetGValue(*pixel), GetBValue(*pixel), false);
}

// A repaint shows the stored image and colour again and changes neither: a
// trip of the stored colour through HSV or HLS could move it a unit at a
// time. The sliders, labels and texts are controls and repaint themselves.
void CPickerDlg::RedrawZoomView()
{
    FitZoomBitmap();
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
