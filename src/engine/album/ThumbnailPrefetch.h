#pragma once
// Makes the album items of JPEG files ahead of the album on worker threads, so a batch of adds
// decodes on every core while the album still takes the files one by one in their order. Only
// files the JPEG thumbnail reader can handle on its own are prefetched; for every other file
// take() answers nothing at once and the caller reads it the ordinary way on its own thread.
// At most a small window of files beyond the one taken is worked on, which bounds memory.

#include "album/PhotoItem.h"

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gp {

class ThumbnailPrefetch {
public:
    // paths are absolute; workers 0 makes no threads (take() then answers nothing).
    ThumbnailPrefetch(std::vector<std::string> paths, std::size_t blockCeiling, int workers);
    ~ThumbnailPrefetch();
    ThumbnailPrefetch(const ThumbnailPrefetch&) = delete;
    ThumbnailPrefetch& operator=(const ThumbnailPrefetch&) = delete;

    // The item of file index, waiting for it if a worker is still on it; nothing when the file
    // is not prefetched or the quick reader could not make it. Indexes are taken in order.
    std::optional<PhotoItem> take(std::size_t index);

    // The worker count for this machine: every core, at most four.
    static int defaultWorkers();

private:
    struct Slot {
        bool wanted = false;
        bool done = false;
        std::optional<PhotoItem> item;
    };
    void work();

    std::vector<std::string> m_paths;
    std::size_t m_ceiling;
    std::size_t m_window;
    std::vector<Slot> m_slots;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::size_t m_next = 0;
    std::size_t m_taken = 0;
    bool m_stop = false;
    std::vector<std::thread> m_workers;
};

} // namespace gp
