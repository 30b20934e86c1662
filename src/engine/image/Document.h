#pragma once
// A document: a photo the user works on, with its title (a file path or an "Untitled-" name),
// its view zoom, its selection and its modified flag. Every document holds a 24-bit image; the
// image is shared with the layout's photo slots, which refer to it without owning it.

#include "base/Geometry.h"
#include "image/Image.h"

#include <memory>
#include <optional>
#include <string>

namespace gp {

// Selection state as other parts ask for it.
enum class SelectionState { None = 0, Mask = 1, Floating = 2 };

struct DocumentState {
    std::shared_ptr<Image> image;
    int bitsOffset = 40;
    int width = 0;
    int height = 0;
    // 0 = 1:1; n > 0 = (n+1):1; n < 0 = 1:(1−n).
    int zoom = 0;
    bool rulers = false;
    bool selectionShown = false;
    Rect selection;
    std::optional<Image> floating; // pixels lifted by a paste or a move
    std::optional<Image> mask;     // 1-bit selection mask
    bool modified = false;
};

class Document {
public:
    Document(int serial, std::string title, DocumentState state)
        : m_serial(serial), m_title(std::move(title)), m_state(std::move(state))
    {
    }

    // Creation order, unique for the run.
    int serial() const { return m_serial; }
    const std::string& title() const { return m_title; }
    void setTitle(std::string title) { m_title = std::move(title); }

    DocumentState& state() { return m_state; }
    const DocumentState& state() const { return m_state; }
    Image& image() { return *m_state.image; }
    const Image& image() const { return *m_state.image; }

    SelectionState selectionState() const
    {
        if (m_state.floating)
            return SelectionState::Floating;
        return m_state.mask ? SelectionState::Mask : SelectionState::None;
    }

    // Replaces the image (an edit in place, undo, paste) and keeps the size fields in step;
    // returns the old image for the undo record.
    std::shared_ptr<Image> replaceImage(std::shared_ptr<Image> image);

private:
    int m_serial;
    std::string m_title;
    DocumentState m_state;
};

// The initial zoom of a new document: the largest reduction step that keeps it near 320 pixels.
int initialZoom(int width, int height);
// Size on screen at a zoom.
int zoomedLength(int length, int zoom);

} // namespace gp
