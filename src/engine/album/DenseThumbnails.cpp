#include "album/DenseThumbnails.h"

#include "album/JpegThumbnail.h"
#include "album/Thumbnail.h"

#include <algorithm>
#include <sys/stat.h>

namespace gp {

namespace {

// What an entry that holds no thumbnail counts against the byte limit, so that a folder of
// missing files cannot grow the cache without bound either.
constexpr std::size_t kFailureBytes = 256;

} // namespace

DenseThumbnails::DenseThumbnails(Reader reader, int density, std::size_t byteLimit, std::size_t blockCeiling)
    : m_reader(std::move(reader))
    , m_density(std::max(1, density))
    , m_byteLimit(byteLimit)
    , m_ceiling(blockCeiling)
{
}

DenseThumbnails::~DenseThumbnails()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
        m_wishes.clear();
    }
    m_changed.notify_all();
    if (m_worker.joinable())
        m_worker.join();
}

bool DenseThumbnails::gainsDetail(const PhotoRecord& record)
{
    return record.thumbnailWidth > 0 && record.thumbnailHeight > 0
        && (record.width > record.thumbnailWidth || record.height > record.thumbnailHeight);
}

Size DenseThumbnails::sizeFor(const PhotoRecord& record) const
{
    return { record.thumbnailWidth * m_density, record.thumbnailHeight * m_density };
}

DenseThumbnails::Key DenseThumbnails::keyOf(const PhotoRecord& record)
{
    return { record.path, record.fileSize, record.fileTime, record.width, record.height };
}

std::shared_ptr<const Image> DenseThumbnails::find(const PhotoRecord& record)
{
    const std::lock_guard lock(m_mutex);
    const auto at = m_entries.find(keyOf(record));
    if (at == m_entries.end())
        return nullptr;
    m_recent.splice(m_recent.begin(), m_recent, at->second.age);
    return at->second.thumbnail;
}

void DenseThumbnails::want(const std::vector<PhotoRecord>& records)
{
    {
        const std::lock_guard lock(m_mutex);
        m_wishes.clear();
        for (const PhotoRecord& record : records) {
            if (!gainsDetail(record) || record.path.empty())
                continue;
            Key key = keyOf(record);
            if (m_entries.count(key))
                continue;
            m_wishes.push_back({ std::move(key), sizeFor(record) });
        }
        if (m_wishes.empty())
            return;
        if (!m_worker.joinable())
            m_worker = std::thread([this] { work(); });
    }
    m_changed.notify_all();
}

void DenseThumbnails::keepOnDisk(std::filesystem::path folder, std::size_t byteLimit)
{
    const std::lock_guard lock(m_mutex);
    if (!m_worker.joinable())
        m_disk = std::make_unique<ThumbnailDiskCache>(std::move(folder), byteLimit);
}

std::string DenseThumbnails::identity(const Key& key)
{
    return key.path + '\n' + std::to_string(key.fileSize) + ' ' + std::to_string(key.fileTime) + ' '
        + std::to_string(key.width) + 'x' + std::to_string(key.height);
}

std::shared_ptr<const Image> DenseThumbnails::make(const Wish& wish)
{
    struct stat status { };
    if (::stat(wish.key.path.c_str(), &status) != 0)
        return nullptr;
    // The folder's thumbnail is of this file only while the file is the one the album recorded.
    const bool recorded
        = std::uint32_t(status.st_size) == wish.key.fileSize && std::uint32_t(status.st_ctime) == wish.key.fileTime;
    if (m_disk && recorded && m_reader) {
        const std::filesystem::path file = m_disk->fileFor(identity(wish.key), wish.thumbnail);
        std::error_code error;
        if (std::filesystem::exists(file, error)) {
            // A file cut short could still read (its missing rows black): only whole ones count.
            std::optional<Image> kept;
            if (std::filesystem::file_size(file, error) == ThumbnailDiskCache::fileBytes(wish.thumbnail) && !error)
                kept = m_reader(file.string());
            if (kept && kept->bitsPerPixel() == 24 && kept->width() == wish.thumbnail.width
                && kept->height() == wish.thumbnail.height) {
                m_disk->touch(file);
                return std::make_shared<const Image>(std::move(*kept));
            }
            m_disk->discard(file);
        }
    }
    std::shared_ptr<const Image> made = makeFromPhoto(wish);
    if (made && m_disk && recorded)
        m_disk->store(identity(wish.key), *made);
    return made;
}

std::shared_ptr<const Image> DenseThumbnails::makeFromPhoto(const Wish& wish)
{
    const Size photo { wish.key.width, wish.key.height };
    // The quick JPEG road decodes only the rows the thumbnail samples.
    if (std::optional<SizedThumbnail> quick = jpegThumbnail(wish.key.path, m_ceiling, m_density)) {
        if (quick->photo != photo || quick->thumbnail.width() != wish.thumbnail.width
            || quick->thumbnail.height() != wish.thumbnail.height)
            return nullptr;
        return std::make_shared<const Image>(std::move(quick->thumbnail));
    }
    if (!m_reader)
        return nullptr;
    const std::optional<Image> whole = m_reader(wish.key.path);
    if (!whole || whole->width() != photo.width || whole->height() != photo.height)
        return nullptr;
    auto thumbnail = Image::create(wish.thumbnail.width, wish.thumbnail.height, 24);
    if (!thumbnail)
        return nullptr;
    sampleWholePhoto(*whole, *thumbnail);
    return std::make_shared<const Image>(std::move(thumbnail).value());
}

void DenseThumbnails::keep(const Key& key, std::shared_ptr<const Image> thumbnail)
{
    const std::size_t bytes = thumbnail ? thumbnail->blockSize() : kFailureBytes;
    m_recent.push_front(key);
    m_entries[key] = Entry { std::move(thumbnail), bytes, m_recent.begin() };
    m_bytes += bytes;
    // The least recently asked go first; the newest stays even when it alone passes the limit.
    while (m_bytes > m_byteLimit && m_recent.size() > 1) {
        const auto oldest = m_entries.find(m_recent.back());
        m_bytes -= oldest->second.bytes;
        m_entries.erase(oldest);
        m_recent.pop_back();
    }
}

void DenseThumbnails::work()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_stop || !m_wishes.empty(); });
        if (m_stop)
            return;
        const Wish wish = std::move(m_wishes.front());
        m_wishes.pop_front();
        if (m_entries.count(wish.key)) {
            m_changed.notify_all();
            continue;
        }
        m_busy = true;
        lock.unlock();
        std::shared_ptr<const Image> thumbnail = make(wish);
        const bool made = thumbnail != nullptr;
        lock.lock();
        keep(wish.key, std::move(thumbnail));
        lock.unlock();
        if (made) {
            const std::lock_guard listening(m_listenerMutex);
            for (const auto& [owner, handler] : m_listeners)
                handler();
        }
        // Idle only once the listeners have heard, so a waiter sees their work done.
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

void DenseThumbnails::addListener(const void* owner, std::function<void()> handler)
{
    const std::lock_guard lock(m_listenerMutex);
    m_listeners[owner] = std::move(handler);
}

void DenseThumbnails::removeListener(const void* owner)
{
    const std::lock_guard lock(m_listenerMutex);
    m_listeners.erase(owner);
}

void DenseThumbnails::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_stop || (m_wishes.empty() && !m_busy); });
}

std::size_t DenseThumbnails::bytesKept() const
{
    const std::lock_guard lock(m_mutex);
    return m_bytes;
}

std::size_t DenseThumbnails::countKept() const
{
    const std::lock_guard lock(m_mutex);
    return m_entries.size();
}

} // namespace gp
