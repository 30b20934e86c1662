#pragma once
// The page's photos scaled to the size they are shown at, in the screen's device pixels (twice
// the window size each way on a screen of ratio 2), made once per photo and size so that a
// repaint only copies pixels. Entries are keyed by the photo's identity (not its address, which a
// later photo may reuse) and dropped when a paint no longer asks for them.

#include "image/Image.h"

#include <QImage>
#include <memory>
#include <vector>

namespace gp::ui {

class PhotoCache {
public:
    // The photo scaled smoothly to size (window units) at the device pixel ratio, made on first
    // use; it paints at size.
    const QImage& picture(const std::shared_ptr<Image>& photo, QSize size, qreal ratio = 1.0);
    // The pictures made so far, for checking their pixels.
    std::vector<QImage> pictures() const;
    // Forgets the pictures not asked for since the previous sweep.
    void sweep();
    void clear() { m_entries.clear(); }
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        std::weak_ptr<Image> photo;
        QSize size;
        qreal ratio = 1.0;
        QImage picture;
        bool used = true;
    };
    std::vector<Entry> m_entries;
};

} // namespace gp::ui
