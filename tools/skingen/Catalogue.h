#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

namespace skingen {

// One bitmap of the skin, under the name the theme table gives it.
struct SkinEntry
{
    QString name;
    QSize size;
    // The picture at a zoom of 1 or 2: size times the zoom in device pixels.
    std::function<QImage(int zoom)> draw;
};

enum class PictureFormat
{
    Jpeg,
    Png24,
    Png16Colours,
    Png32 // with alpha
};

// One window picture, stored under its file name.
struct PictureEntry
{
    QString file;
    QSize size;
    PictureFormat format;
    std::function<QImage(int zoom)> draw;
};

std::vector<SkinEntry> SkinEntries();
std::vector<PictureEntry> PictureEntries();
// The application icon at the sizes a desktop's icon theme asks for; installed, not compiled in.
std::vector<PictureEntry> DesktopIconEntries();

} // namespace skingen
