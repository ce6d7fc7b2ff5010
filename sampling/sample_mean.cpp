// The averaged pick: the mean of the screen pixels around the one that the
// single-pixel pick shows, read from the screen itself.
#include "sampling/magnifier.h"
#include "sampling/screen_monitors.h"
#include "ui/picker_dlg.h"

namespace {

// The square's pixels that lie on a monitor, copied piece by piece as the
// magnifier reads (reading beyond the screen may blacken the whole copy);
// the rest of the block stays as it is and is never averaged.
Image ReadSquare(const SampleSquare& square, const std::vector<ScreenRect>& monitors)
{
    Image block(square.size, square.size);
    CClientDC screenDC(nullptr);
    CMemoryDC memDC(&screenDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(screenDC, square.size, square.size);
    CSelectObject select(memDC, bitmap);
    for (const ZoomCopy& piece : ClipSampleCopies(square, monitors))
        memDC.BitBlt(piece.destX, piece.destY, piece.destWidth, piece.destHeight, screenDC, piece.sourceX,
                     piece.sourceY, SRCCOPY);
    for (int y = 0; y < square.size; ++y)
        for (int x = 0; x < square.size; ++x)
            block.at(x, y) = memDC.GetPixel(x, y);
    return block;
}

} // namespace

COLORREF CPickerDlg::SampleMean(const SampleSquare& square) const
{
    const std::vector<ScreenRect> monitors = ReadableScreenRects();
    return AverageSample(ReadSquare(square, monitors), square.left, square.top, square, monitors);
}
