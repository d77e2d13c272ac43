#include "framework/TImageList.h"

#include "framework/TBitmap.h"
#include "framework/TCanvas.h"

TImageList::TImageList(int width, int height) : m_width(std::max(width, 0)), m_height(std::max(height, 0)) {}

int TImageList::Add(const TBitmap& bitmap)
{
    return AddCells(bitmap.Image());
}

int TImageList::AddMasked(const TBitmap& bitmap, TColor maskColor)
{
    QImage image = bitmap.Image();
    if (!image.isNull())
        ClearKeyColor(image, maskColor);
    return AddCells(std::move(image));
}

int TImageList::AddCells(QImage image)
{
    if (image.isNull() || m_width == 0 || m_height == 0)
        return -1;
    if (image.format() != QImage::Format_ARGB32)
        image.convertTo(QImage::Format_ARGB32);
    const int cells = std::max(1, image.width() / m_width);
    const int first = Count();
    for (int cell = 0; cell < cells; ++cell) {
        QImage item(m_width, m_height, QImage::Format_ARGB32);
        item.fill(qRgba(0, 0, 0, 0));
        for (int y = 0; y < std::min(m_height, image.height()); ++y) {
            for (int x = 0; x < m_width; ++x) {
                const int sx = cell * m_width + x;
                if (sx >= image.width())
                    break;
                item.setPixel(x, y, image.pixel(sx, y));
            }
        }
        m_images.push_back(item);
    }
    return first;
}

QImage TImageList::Image(int index) const
{
    if (index < 0 || index >= Count())
        return QImage();
    return m_images[std::size_t(index)];
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) const
{
    if (index < 0 || index >= Count())
        return;
    QImage image = m_images[std::size_t(index)];
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
    QPainter& painter = canvas.Painter();
    const auto mode = painter.compositionMode();
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(QPoint(x, y), image);
    painter.setCompositionMode(mode);
}
