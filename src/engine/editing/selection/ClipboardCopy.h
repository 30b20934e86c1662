#pragma once
// The program's private copy of the last copied pixels: the picture (the selection's rectangle,
// or the whole picture), a copy of the selection mask when there was one, and whether the
// selection was shown. Paste prefers it to the system clipboard's bitmap; the system clipboard
// gets it, with the mask applied, only when another program asks (render).

#include "image/Image.h"
#include "base/Rgb.h"

#include <optional>

namespace gp {

class ClipboardCopy {
public:
    bool isEmpty() const { return !m_image; }
    const Image& image() const { return *m_image; }
    const std::optional<Image>& mask() const { return m_mask; }
    bool selectionShown() const { return m_selectionShown; }
    int bitsPerPixel() const { return m_image ? m_image->bitsPerPixel() : 0; }
    int width() const { return m_image ? m_image->width() : 0; }
    int height() const { return m_image ? m_image->height() : 0; }

    void set(Image image, std::optional<Image> mask, bool selectionShown);
    // Frees the copy (before the next Copy, and when another program empties the clipboard).
    void clear();

    // The bitmap for the system clipboard: the copy with the pixels outside its mask in the fill
    // colour (the active colour, as a crop leaves them). Nothing when there is no copy.
    std::optional<Image> render(Rgb fill) const;

private:
    std::optional<Image> m_image;
    std::optional<Image> m_mask;
    bool m_selectionShown = false;
};

} // namespace gp
