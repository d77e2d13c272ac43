#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

struct JpegResult
{
    QImage Image;  // RGB32; null on failure
    QString Error; // empty on success
};

// Baseline or progressive JPEG through libjpeg. Corrupt or truncated data
// yields a null image and libjpeg's own message; it never aborts the process.
JpegResult DecodeJpeg(const QByteArray& bytes);
