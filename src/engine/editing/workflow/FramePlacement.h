#pragma once
// Where the Frame screen puts the photo: a log of placement records (moves, turns and zooms) that
// the screen's commands and drags append to, and the transform replayed from the log. Because the
// result is replayed once from the log at full resolution, repeated moves, zooms and turns on the
// screen lose no quality.

#include "base/Geometry.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gp {

enum class PlacementKind : std::int32_t {
    MoveX = 0, // pixels, positive to the right
    MoveY = 1, // pixels, positive toward the top of the picture
    Rotate = 2, // tenths of a degree, positive counter-clockwise
    Zoom = 3, // percent, 100 = unchanged
};

struct PlacementRecord {
    std::int32_t kind = 0;
    std::int32_t amount = 0;
};
static_assert(sizeof(PlacementRecord) == 8);

// The records in order; room for 1001 at first, grown by 1000 at a time.
class PlacementLog {
public:
    static constexpr std::size_t kInitialRecords = 1001;
    static constexpr std::size_t kGrowth = 1000;

    PlacementLog() { m_records.reserve(kInitialRecords); }
    void clear() { m_records.clear(); }
    void append(PlacementKind kind, int amount);
    std::span<const PlacementRecord> records() const { return m_records; }
    std::size_t capacity() const { return m_records.capacity(); }

private:
    std::vector<PlacementRecord> m_records;
};

// An affine map from a photo position (pixels from the photo's centre, rows downward) to a
// position relative to the frame window's centre (rows downward).
struct Placement {
    double a = 1, b = 0, c = 0, d = 1;
    double tx = 0, ty = 0;

    Placement scaledBy(double factor) const
    {
        return { a * factor, b * factor, c * factor, d * factor, tx * factor, ty * factor };
    }
    // The same placement for a copy of the photo that is `factor` times the photo's size.
    Placement forSourceScaled(double factor) const
    {
        return { a / factor, b / factor, c / factor, d / factor, tx, ty };
    }
    // How many window pixels one photo pixel spans horizontally and vertically.
    double scaleX() const;
    double scaleY() const;
};

// The placement commands of the Frame screen.
enum class PlacementCommand {
    ZoomIn = 17,
    ZoomOut = 18,
    RotateLeft = 19,
    RotateRight = 20,
    MoveLeft = 21,
    MoveRight = 22,
    MoveUp = 23,
    MoveDown = 24,
};

inline constexpr int kZoomInPercent = 105;
inline constexpr int kZoomOutPercent = 95;
inline constexpr int kRotateStep = 50; // tenths of a degree
// The move step and the placed photo's limits, in units of the display (see below).
inline constexpr int kMoveStep = 10;
inline constexpr int kPlacedMaximum = 3000;
inline constexpr int kPlacedMinimum = 20;

// The log of one photo in one frame, with the display scale s (display width / frame width). On a
// dense display one step of the interface is `unit` display pixels (the window program's pixel
// density): a move button moves the photo by 10 units and the zoom limits are counted in units, so
// the buttons do on the screen and in the result what they do on an ordinary display. Drags and
// the log's moves stay in display pixels, which the scale turns into the same frame pixels.
class FramePlacement {
public:
    FramePlacement() = default;
    FramePlacement(Size photo, double displayScale, int unit = 1)
        : m_photo(photo), m_scale(displayScale > 0 ? displayScale : 1.0), m_unit(unit > 0 ? unit : 1)
    {
    }

    // Clears the log and appends 105-percent zooms until the photo about covers a frame of
    // the given size.
    void start(Size frame);
    // Appends the command's record; false (and the log unchanged) when a zoom would make the
    // placed photo larger than 3000 or smaller than 20 units either way.
    bool command(PlacementCommand command);
    // A drag by (dx, dy) display pixels, rows downward.
    void drag(int dx, int dy);
    void append(PlacementKind kind, int amount) { m_log.append(kind, amount); }
    // The display made again at another scale and density (the window moved to a screen of
    // another scale): the log's moves, counted in display pixels, are converted to the new ones
    // so the photo stays where it was in the frame. A move the new pixels cannot hold exactly
    // (going to a coarser display) is rounded with its neighbours', so a run of moves between two
    // turns or zooms is off by at most half a new pixel, not half a pixel for each move.
    void rescale(double displayScale, int unit);

    // The transform for the display (photo pixels to display pixels) or for the full-resolution
    // result (photo pixels to frame pixels).
    Placement displayTransform() const;
    Placement fullTransform() const { return displayTransform().scaledBy(1.0 / m_scale); }

    // The placed photo's size in display pixels.
    double placedWidth() const;
    double placedHeight() const;

    const PlacementLog& log() const { return m_log; }
    double displayScale() const { return m_scale; }
    int unit() const { return m_unit; }
    Size photo() const { return m_photo; }

private:
    Size m_photo;
    double m_scale = 1.0;
    int m_unit = 1;
    PlacementLog m_log;
};

// Replays records onto a starting transform.
Placement replay(Placement start, std::span<const PlacementRecord> records);

} // namespace gp
