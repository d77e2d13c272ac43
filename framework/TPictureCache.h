#pragma once

#include "framework/TBitmap.h"
#include "framework/TColor.h"

#include <QCache>
#include <QImage>
#include <QRect>
#include <QString>
#include <functional>
#include <unordered_map>

// Every input a derived picture depends on. Fields a picture does not use
// stay at their defaults.
struct TPictureKey
{
    QString Name;       // a skin bitmap's name, a file's path, or what the composition is
    qint64 Source = 0;  // QImage::cacheKey() of the source pixels
    qint64 Source2 = 0; // ... and of its 2x picture, where it matters
    QRect SourceRect;   // the part of the source used
    QSize Size;         // the result's size in device pixels
    int State = 0;      // the drawer's own variant (state, flags)
    TColor KeyColor = clNone;
    TColor From = clNone; // the colours a composition is drawn in
    TColor To = clNone;
    int Rotation = 0; // quarter turns
    qreal Ratio = 1;

    bool operator==(const TPictureKey&) const = default;
};

size_t qHash(const TPictureKey& key, size_t seed = 0);

template <> struct std::hash<TPictureKey>
{
    size_t operator()(const TPictureKey& key) const { return qHash(key); }
};

// The process's pictures: skin bitmaps decoded once and kept (references to
// them are handed out, and a skin has a fixed set), and pictures derived from
// them (decoded at a size, stretched, keyed, composed) kept up to a byte
// limit, least recently used first out, as QPixmapCache does.
class TPictureCache
{
public:
    static constexpr qsizetype kDefaultLimit = 16 * 1024 * 1024;

    explicit TPictureCache(qsizetype limitBytes = kDefaultLimit);

    // The named bitmap, loaded by `make` on first use and kept from then on.
    const TBitmap& Kept(const TPictureKey& key, const std::function<TBitmap()>& make);
    // The derived picture, made by `make` on first use or after it was evicted.
    QImage Derived(const TPictureKey& key, const std::function<QImage()>& make);

    // How often `make` ran, and how often a lookup found its picture: a second
    // build of the same windows must only find.
    int Builds() const { return m_builds; }
    int Hits() const { return m_hits; }

    // Forgets the derived pictures (the kept ones stay valid).
    void ClearDerived() { m_derived.clear(); }

private:
    std::unordered_map<TPictureKey, TBitmap> m_kept;
    QCache<TPictureKey, QImage> m_derived;
    int m_builds = 0;
    int m_hits = 0;
};

// The widgets' one cache; they all live on the GUI thread.
TPictureCache& PictureCache();
