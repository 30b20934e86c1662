#pragma once
// The page's photos scaled to the size they are shown at, made once per photo and size so that a
// repaint only copies pixels. Entries are keyed by the photo's identity (not its address, which a
// later photo may reuse) and dropped when a paint no longer asks for them.

#include "image/Image.h"

#include <QImage>
#include <memory>
#include <vector>

namespace gp::ui {

class PhotoCache {
public:
    // The photo scaled smoothly to size, made on first use.
    const QImage& picture(const std::shared_ptr<Image>& photo, QSize size);
    // Forgets the pictures not asked for since the previous sweep.
    void sweep();
    void clear() { m_entries.clear(); }
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::weak_ptr<Image> photo;
        QSize size;
        QImage picture;
        bool used = true;
    };
    std::vector<Entry> m_entries;
};

} // namespace gp::ui
