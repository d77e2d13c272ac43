#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

struct JpegResult
{
    QImage Image;  // RGB32; null on failure
    QString Error; // empty on success
};

// Baseline or progressive JPEG through libjpeg. Corrupt or truncated data
// yields a null image and libjpeg's own message; it never aborts the process.
// With `cover` set, libjpeg scales while it decodes, to the smallest of its
// scales (n/8) whose picture still covers `cover` in both directions.
JpegResult DecodeJpeg(const QByteArray& bytes, QSize cover = QSize());
// How many decodes this process asked for: pictures are meant to be decoded
// once, and tests hold them to it.
int JpegDecodeCount();

// The picture's size from its header alone; an invalid size when the bytes
// do not start a JPEG.
QSize JpegSize(const QByteArray& bytes);
