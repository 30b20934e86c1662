#pragma once
// Thumbnails at twice (or more) the album thumbnail's pixels each way, for album grids on
// high-density screens. The album file keeps its thumbnails at the one size its format fixes, so
// these are made again from the photo files: the quick JPEG reader first, any other reader
// through the reader given (one that may run off the program's thread). One worker thread makes
// them in the order the grid last asked for, so scrolling past rows drops their requests; the
// made ones stay in a cache bounded in bytes that forgets the least recently asked first.
//
// With a folder on disk (see album/ThumbnailDiskCache.h) the made thumbnails are also kept there
// and read back in later runs, as long as the photo file still has the size in bytes and the
// stamp its album recorded.
//
// A photo gets none when its stored thumbnail is the whole photo already (nothing finer to show),
// or its file is missing, unreadable or no longer of the recorded size; the grid then keeps
// painting the stored thumbnail, as it does while one is being made.

#include "album/PhotoItem.h"
#include "album/ThumbnailDiskCache.h"
#include "base/Geometry.h"
#include "image/Image.h"

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gp {

class DenseThumbnails {
public:
    // Reads a whole photo; only ever called on the worker thread, one call at a time.
    using Reader = std::function<std::optional<Image>(const std::string& path)>;

    // density: the thumbnails' pixels per stored thumbnail pixel each way (2 for a screen scaled
    // by 2). byteLimit bounds the pixels kept; blockCeiling bounds a single read's blocks.
    DenseThumbnails(Reader reader, int density, std::size_t byteLimit, std::size_t blockCeiling);
    ~DenseThumbnails();
    DenseThumbnails(const DenseThumbnails&) = delete;
    DenseThumbnails& operator=(const DenseThumbnails&) = delete;

    int density() const { return m_density; }
    // Keeps the thumbnails in a folder too, within byteLimit; call before the first want().
    void keepOnDisk(std::filesystem::path folder, std::size_t byteLimit);

    // Whether a finer thumbnail can show more than the stored one: the photo is larger than it.
    static bool gainsDetail(const PhotoRecord& record);
    // The size a record's dense thumbnail has: the stored thumbnail's size times the density.
    Size sizeFor(const PhotoRecord& record) const;

    // The made thumbnail of a record, or null while it is not made or when it cannot be.
    std::shared_ptr<const Image> find(const PhotoRecord& record);
    // The photos to make next, most wanted first; replaces the wishes not yet started. Records
    // already made, already found unmakeable, or without detail to gain are passed over.
    void want(const std::vector<PhotoRecord>& records);

    // Called on the worker thread after each thumbnail made: the handler must only hand the
    // news to its own thread. Removing a handler waits for a call of it in progress.
    void addListener(const void* owner, std::function<void()> handler);
    void removeListener(const void* owner);

    // Waits until every wish has been worked on (for tests and measurements).
    void waitUntilIdle();
    std::size_t bytesKept() const;
    std::size_t countKept() const;

private:
    // A photo is known by its path, its recorded file size and stamp and its recorded size, so a
    // replaced file under the same name is made again.
    struct Key {
        std::string path;
        std::uint32_t fileSize = 0;
        std::uint32_t fileTime = 0;
        int width = 0;
        int height = 0;
        friend auto operator<=>(const Key&, const Key&) = default;
    };
    struct Entry {
        std::shared_ptr<const Image> thumbnail; // null: cannot be made
        std::size_t bytes = 0;
        std::list<Key>::iterator age; // place in m_recent
    };
    struct Wish {
        Key key;
        Size thumbnail;
    };

    static Key keyOf(const PhotoRecord& record);
    static std::string identity(const Key& key);
    std::shared_ptr<const Image> make(const Wish& wish);
    std::shared_ptr<const Image> makeFromPhoto(const Wish& wish);
    void keep(const Key& key, std::shared_ptr<const Image> thumbnail);
    void work();

    Reader m_reader;
    int m_density;
    std::size_t m_byteLimit;
    std::size_t m_ceiling;
    std::unique_ptr<ThumbnailDiskCache> m_disk; // used by the worker alone

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::map<Key, Entry> m_entries;
    std::list<Key> m_recent; // most recently asked first
    std::size_t m_bytes = 0;
    std::deque<Wish> m_wishes;
    bool m_busy = false;
    bool m_stop = false;
    std::mutex m_listenerMutex; // held while a handler runs, so removal waits for it
    std::map<const void*, std::function<void()>> m_listeners;
    std::thread m_worker;
};

} // namespace gp
