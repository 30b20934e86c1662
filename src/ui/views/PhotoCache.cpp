#include "views/PhotoCache.h"

#include "gfx/QtImage.h"

#include <algorithm>

namespace gp::ui {

namespace {

bool samePhoto(const std::weak_ptr<Image>& a, const std::shared_ptr<Image>& b)
{
    return !a.expired() && !a.owner_before(b) && !b.owner_before(a);
}

} // namespace

const QImage& PhotoCache::picture(const std::shared_ptr<Image>& photo, QSize size)
{
    for (Entry& entry : m_entries)
        if (entry.size == size && samePhoto(entry.photo, photo)) {
            entry.used = true;
            return entry.picture;
        }
    Entry entry { photo, size, {}, true };
    if (photo && !size.isEmpty())
        entry.picture = gfx::toQImage(*photo).scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    m_entries.push_back(std::move(entry));
    return m_entries.back().picture;
}

void PhotoCache::sweep()
{
    std::erase_if(m_entries, [](const Entry& entry) { return !entry.used || entry.photo.expired(); });
    for (Entry& entry : m_entries)
        entry.used = false;
}

} // namespace gp::ui
