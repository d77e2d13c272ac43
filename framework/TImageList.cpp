#include "framework/TImageList.h"

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"

TImageList::TImageList(int width, int height) : m_width(std::max(width, 0)), m_height(std::max(height, 0)) {}

int TImageList::Add(const TBitmap& bitmap)
{
    return AddCells(bitmap.Image(), bitmap.HiRes());
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor)
{
    QImage image = bitmap.Image();
    QImage hiRes = bitmap.HiRes();
    if (!image.isNull())
        ClearKeyColor(image, maskColor);
    if (!hiRes.isNull())
        ClearKeyColor(hiRes, maskColor);
    return AddCells(std::move(image), std::move(hiRes));
}

namespace {

// Cell `cell` of `width` x `height` (device pixels) out of a strip.
QImage Cell(const QImage& image, int cell, int width, int height)
{
    QImage item(width, height, QImage::Format_ARGB32);
    item.fill(qRgba(0, 0, 0, 0));
    for (int y = 0; y < std::min(height, image.height()); ++y) {
        for (int x = 0; x < width; ++x) {
            const int sx = cell * width + x;
            if (sx >= image.width())
                break;
            item.setPixel(x, y, image.pixel(sx, y));
        }
    }
    return item;
}

} // namespace

int TImageList::AddCells(QImage image, QImage hiRes)
{
    if (image.isNull() || m_width == 0 || m_height == 0)
        return -1;
    if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    const int cells = std::max(1, image.width() / m_width);
    const int first = Count();
    for (int cell = 0; cell < cells; ++cell) {
        TBitmap item(Cell(image, cell, m_width, m_height));
        if (!hiRes.isNull())
            item.SetHiRes(Cell(hiRes, cell, 2 * m_width, 2 * m_height));
        m_images.push_back(std::move(item));
    }
    return first;
}

QImage TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    return m_images[std::size_t(index)].Image();
}

QImage TImageList::Shown(int index, bool enabled, qreal ratio) const
{
    if (index < 0 || index >= Count())
        return QImage();
    const TBitmap& item = m_images[std::size_t(index)];
    // Above ratio 1 the 2x cell, where there is one.
    QImage image = ratio > 1 && !item.HiRes().isNull() ? item.HiRes() : item.Image();
    if (!enabled) {
        for (int py = 0; py < image.height(); ++py) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
            for (int px = 0; px < image.width(); ++px) {
                const QRgb p = line[px];
                const int grey = (qRed(p) * 30 + qGreen(p) * 59 + qBlue(p) * 11) / 100;
                line[px] = qRgba(grey, grey, grey, qAlpha(p));
            }
        }
    }
    return image;
}

void TImageList::DrawShown(TCanvas& canvas, int x, int y, const QImage& shown) const
{
    if (!shown.isNull())
        canvas.DrawImage(Bounds(x, y, m_width, m_height), shown, Rect(0, 0, m_width, m_height));
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    DrawShown(canvas, x, y, Shown(index, enabled, canvas.Ratio()));
}
