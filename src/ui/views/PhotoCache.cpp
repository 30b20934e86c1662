#include "views/PhotoCache.h"

#include "editing/PreviewSample.h"
#include "gfx/QtImage.h"
#include "image/ImageType.h"

#include <algorithm>

namespace gp::ui {

namespace {

bool samePhoto(const std::weak_ptr<Image>& a, const std::shared_ptr<Image>& b)
{
    return !a.expired() && !a.owner_before(b) && !b.owner_before(a);
}

// The photo at pixels. A true-colour or gray photo that is reduced is averaged over the source
// pixels each picture pixel covers, straight from the photo (a large photo is neither copied nor
// converted first, which on a 6000 x 4000 photo would cost several times the reduction); other
// photos, and enlargements, are scaled smoothly by Qt.
QImage scaledPicture(const Image& photo, QSize pixels)
{
    const bool averaged = photo.bitsPerPixel() == 24 || isGrayscale(&photo);
    if (averaged && pixels.width() <= photo.width() && pixels.height() <= photo.height()) {
        auto sample = Image::create(pixels.width(), pixels.height(), photo.bitsPerPixel(), photo.colorCount());
        if (sample) {
            fillSample(photo, *sample);
            return gfx::toQImage(*sample);
        }
    }
    return gfx::toQImage(photo).scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

} // namespace

const QImage& PhotoCache::picture(const std::shared_ptr<Image>& photo, QSize size, qreal ratio)
{
    for (Entry& entry : m_entries)
        if (entry.size == size && entry.ratio == ratio && samePhoto(entry.photo, photo)) {
            entry.used = true;
            return entry.picture;
        }
    Entry entry { photo, size, ratio, {}, true };
    if (photo && !size.isEmpty()) {
        // Scaled once straight to the device pixels, so a dense screen shows the photo's own detail
        // rather than a window-sized copy enlarged.
        const QSize pixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
        entry.picture = scaledPicture(*photo, pixels);
        entry.picture.setDevicePixelRatio(ratio);
    }
    m_entries.push_back(std::move(entry));
    return m_entries.back().picture;
}

std::vector<QImage> PhotoCache::pictures() const
{
    std::vector<QImage> all;
    for (const Entry& entry : m_entries)
        all.push_back(entry.picture);
    return all;
}

void PhotoCache::sweep()
{
    std::erase_if(m_entries, [](const Entry& entry) { return !entry.used || entry.photo.expired(); });
    for (Entry& entry : m_entries)
        entry.used = false;
}

} // namespace gp::ui
