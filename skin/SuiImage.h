#pragma once

#include "framework/TBitmap.h"
#include "framework/TControl.h"

#include <QString>

// A picture on a window: drawn from the top-left at its own size, centred,
// or stretched to the control. With Transparent the parent shows wherever
// the picture does not cover the control, and a bitmap's transparent colour
// is left out.
class TImage : public TControl
{
    Q_OBJECT
    Q_CLASSINFO("Published", "")

public:
    explicit TImage(QWidget* parent = nullptr);

    TPicture& Picture() { return m_picture; }
    const TPicture& Picture() const { return m_picture; }
    void SetPicture(const TPicture& picture);
    // JPEG by content, other formats through Qt's readers; resource paths
    // (":/pictures/main.jpg") work too. False leaves the picture empty.
    bool LoadFromFile(const QString& path);
    // The same, but a JPEG is decoded when the control is first painted and
    // at the scale it is shown (TPicture::LoadFromFileWhenShown).
    bool LoadFromFileWhenShown(const QString& path);

    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);

    // Where the picture lands inside the control.
    TRect DestRect() const;

protected:
    void Paint(TCanvas& canvas) override;

private:
    // The stretched picture, kept while picture, size and transparency stay.
    const QImage& Stretched(const TRect& dest, qreal ratio);

    TPicture m_picture;
    QImage m_stretched;
    qint64 m_stretchedFrom = 0; // cache key of the bitmap it was made from
    bool m_stretchedKeyed = false;
    bool m_stretch = false;
    bool m_center = false;
    bool m_transparent = false;
};
