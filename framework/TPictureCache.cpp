#include "framework/TPictureCache.h"

#include <QHashFunctions>
#include <algorithm>

size_t qHash(const TPictureKey& key, size_t seed)
{
    const QRect& r = key.SourceRect;
    return qHashMulti(seed, key.Name, key.Source, key.Source2, r.x(), r.y(), r.width(), r.height(),
                      key.Size.width(), key.Size.height(), key.State, key.KeyColor, key.From, key.To,
                      key.Rotation, key.Ratio);
}

TPictureCache::TPictureCache(qsizetype limitBytes) : m_derived(limitBytes) {}

const TBitmap& TPictureCache::Kept(const TPictureKey& key, const std::function<TBitmap()>& make)
{
    auto found = m_kept.find(key);
    if (found != m_kept.end()) {
        ++m_hits;
        return found->second;
    }
    ++m_builds;
    // The map's nodes stay put, so the references handed out stay valid.
    return m_kept.emplace(key, make()).first->second;
}

QImage TPictureCache::Derived(const TPictureKey& key, const std::function<QImage()>& make)
{
    if (const QImage* found = m_derived.object(key)) {
        ++m_hits;
        return *found;
    }
    ++m_builds;
    QImage made = make();
    // A picture larger than the whole limit is handed out but not kept.
    const qsizetype cost = std::max<qsizetype>(made.sizeInBytes(), 1);
    if (cost <= m_derived.maxCost())
        m_derived.insert(key, new QImage(made), cost);
    return made;
}

TPictureCache& PictureCache()
{
    static TPictureCache cache;
    return cache;
}
