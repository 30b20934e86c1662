#pragma once
// The windows that show the open pictures: the page view with its photo slots, and each
// document's own window. Edits tell them what to draw again.

#include "base/Geometry.h"

#include <optional>

namespace gp {

class Document;

class DocumentViewPort {
public:
    virtual ~DocumentViewPort() = default;

    // A command changed or saved the image: the page view shows the photos again.
    virtual void redrawPage() {}
    // A document's picture changed: repaint `area` (image pixels, top row 0), or the whole window
    // with new scroll ranges when there is no area (its size may have changed).
    virtual void repaintDocument(const Document& /*document*/, std::optional<Rect> /*area*/) {}
};

} // namespace gp
