#pragma once

#include "framework/TBitmap.h"
#include "framework/TColor.h"

#include <QImage>
#include <vector>

class TCanvas;

// Images of one fixed size. A bitmap wider than the cell adds one image per
// whole cell; masked adds make the key colour transparent.
class TImageList
{
public:
    TImageList(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int Count() const { return int(m_images.size()); }
    void Clear() { m_images.clear(); }

    // Index of the first added image, or -1 when nothing was added.
    int Add(const TBitmap& bitmap);
    int AddMasked(const TBitmap& bitmap, TColor maskColor);

    // Out-of-range indices draw nothing. A disabled draw shows the image in grey.
    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true) const;
    // Draw in two steps, for callers that keep the picture: what it puts on a
    // canvas of that ratio (a null image for an index out of range), and
    // putting it there.
    QImage Shown(int index, bool enabled, qreal ratio) const;
    void DrawShown(TCanvas& canvas, int x, int y, const QImage& shown) const;
    // The image as stored (ARGB32; masked pixels have alpha 0).
    QImage Image(int index) const;

private:
    int AddCells(QImage image, QImage hiRes);

    int m_width;
    int m_height;
    std::vector<TBitmap> m_images;
};
