#include "album/ThumbnailPrefetch.h"

#include "album/JpegThumbnail.h"
#include "codecs/ImageFileTypes.h"

#include <algorithm>

namespace gp {

namespace {

// Files the opener would hand to the JPEG reader first.
bool readByJpegReader(const std::string& path)
{
    const ImageFileType* type = fileTypeForExtension(extensionOf(path));
    return type && type->type == FileType::Jpg;
}

} // namespace

int ThumbnailPrefetch::defaultWorkers()
{
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

ThumbnailPrefetch::ThumbnailPrefetch(std::vector<std::string> paths, std::size_t blockCeiling, int workers)
    : m_paths(std::move(paths))
    , m_ceiling(blockCeiling)
    , m_window(2 * std::size_t(std::max(workers, 1)) + 2)
    , m_slots(m_paths.size())
{
    bool any = false;
    for (std::size_t i = 0; i < m_paths.size(); ++i)
        any |= m_slots[i].wanted = readByJpegReader(m_paths[i]);
    if (!any)
        return;
    for (int i = 0; i < workers; ++i)
        m_workers.emplace_back([this] { work(); });
}

ThumbnailPrefetch::~ThumbnailPrefetch()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_changed.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

void ThumbnailPrefetch::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || m_next >= m_slots.size() || m_next < m_taken + m_window; });
        if (m_stop || m_next >= m_slots.size())
            return;
        const std::size_t index = m_next++;
        if (!m_slots[index].wanted)
            continue;
        lock.unlock();
        std::optional<PhotoItem> item = jpegThumbnailItem(m_paths[index], m_ceiling);
        lock.lock();
        m_slots[index].item = std::move(item);
        m_slots[index].done = true;
        m_changed.notify_all();
    }
}

std::optional<PhotoItem> ThumbnailPrefetch::take(std::size_t index)
{
    if (index >= m_slots.size() || m_workers.empty())
        return std::nullopt;
    std::unique_lock lock(m_mutex);
    m_taken = std::max(m_taken, index);
    m_changed.notify_all();
    Slot& slot = m_slots[index];
    if (!slot.wanted)
        return std::nullopt;
    m_changed.wait(lock, [&] { return slot.done; });
    return std::move(slot.item);
}

} // namespace gp
