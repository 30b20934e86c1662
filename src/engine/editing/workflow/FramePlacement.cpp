#include "editing/workflow/FramePlacement.h"

#include <algorithm>
#include <cmath>

namespace gp {

namespace {

constexpr double kRadiansPerTenthDegree = 0.00174532925;

// Turns the placement counter-clockwise as seen on the screen (rows run downward).
Placement rotated(const Placement& p, double radians)
{
    const double cs = std::cos(radians);
    const double sn = std::sin(radians);
    return { cs * p.a + sn * p.c, cs * p.b + sn * p.d, -sn * p.a + cs * p.c, -sn * p.b + cs * p.d,
        cs * p.tx + sn * p.ty, -sn * p.tx + cs * p.ty };
}

} // namespace

void PlacementLog::append(PlacementKind kind, int amount)
{
    if (m_records.size() == m_records.capacity())
        m_records.reserve(m_records.capacity() + kGrowth);
    m_records.push_back({ static_cast<std::int32_t>(kind), amount });
}

double Placement::scaleX() const { return std::hypot(a, c); }
double Placement::scaleY() const { return std::hypot(b, d); }

Placement replay(Placement p, std::span<const PlacementRecord> records)
{
    for (const PlacementRecord& record : records) {
        switch (static_cast<PlacementKind>(record.kind)) {
        case PlacementKind::MoveX:
            p.tx += record.amount;
            break;
        case PlacementKind::MoveY:
            // The log counts rows from the bottom; the placement's rows run downward.
            p.ty -= record.amount;
            break;
        case PlacementKind::Rotate:
            p = rotated(p, record.amount * kRadiansPerTenthDegree);
            break;
        case PlacementKind::Zoom:
            p = p.scaledBy(record.amount / 100.0);
            break;
        }
    }
    return p;
}

void FramePlacement::start(Size frame)
{
    m_log.clear();
    if (m_photo.width <= 0 || m_photo.height <= 0)
        return;
    double z = std::max(100.0 * frame.width / m_photo.width, 100.0 * frame.height / m_photo.height);
    while (z >= 100.1) {
        m_log.append(PlacementKind::Zoom, kZoomInPercent);
        z /= 1.05;
    }
}

void FramePlacement::rescale(double displayScale, int unit)
{
    const double newScale = displayScale > 0 ? displayScale : 1.0;
    const double factor = newScale / m_scale;
    m_scale = newScale;
    m_unit = unit > 0 ? unit : 1;
    PlacementLog converted;
    // The exact converted total of the run of moves so far and what the records have taken of
    // it, each way; a turn or a zoom ends the run, since it acts on the moves before it.
    double exactX = 0, exactY = 0;
    long long takenX = 0, takenY = 0;
    for (const PlacementRecord& record : m_log.records()) {
        const auto kind = static_cast<PlacementKind>(record.kind);
        if (kind == PlacementKind::MoveX || kind == PlacementKind::MoveY) {
            double& exact = kind == PlacementKind::MoveX ? exactX : exactY;
            long long& taken = kind == PlacementKind::MoveX ? takenX : takenY;
            exact += record.amount * factor;
            const long long next = std::llround(exact);
            converted.append(kind, int(next - taken));
            taken = next;
            continue;
        }
        exactX = exactY = 0;
        takenX = takenY = 0;
        converted.append(kind, record.amount);
    }
    m_log = std::move(converted);
}

Placement FramePlacement::displayTransform() const
{
    return replay(Placement {}.scaledBy(m_scale), m_log.records());
}

double FramePlacement::placedWidth() const
{
    const Placement p = displayTransform();
    return m_photo.width * p.scaleX();
}

double FramePlacement::placedHeight() const
{
    const Placement p = displayTransform();
    return m_photo.height * p.scaleY();
}

bool FramePlacement::command(PlacementCommand command)
{
    switch (command) {
    case PlacementCommand::ZoomIn: {
        const double f = kZoomInPercent / 100.0;
        const double most = double(kPlacedMaximum) * m_unit;
        if (placedWidth() * f > most || placedHeight() * f > most)
            return false;
        m_log.append(PlacementKind::Zoom, kZoomInPercent);
        return true;
    }
    case PlacementCommand::ZoomOut: {
        const double f = kZoomOutPercent / 100.0;
        const double least = double(kPlacedMinimum) * m_unit;
        if (placedWidth() * f < least || placedHeight() * f < least)
            return false;
        m_log.append(PlacementKind::Zoom, kZoomOutPercent);
        return true;
    }
    case PlacementCommand::RotateLeft:
        m_log.append(PlacementKind::Rotate, kRotateStep);
        return true;
    case PlacementCommand::RotateRight:
        m_log.append(PlacementKind::Rotate, -kRotateStep);
        return true;
    case PlacementCommand::MoveLeft:
        m_log.append(PlacementKind::MoveX, -kMoveStep * m_unit);
        return true;
    case PlacementCommand::MoveRight:
        m_log.append(PlacementKind::MoveX, kMoveStep * m_unit);
        return true;
    case PlacementCommand::MoveUp:
        m_log.append(PlacementKind::MoveY, kMoveStep * m_unit);
        return true;
    case PlacementCommand::MoveDown:
        m_log.append(PlacementKind::MoveY, -kMoveStep * m_unit);
        return true;
    }
    return false;
}

void FramePlacement::drag(int dx, int dy)
{
    if (dx != 0)
        m_log.append(PlacementKind::MoveX, dx);
    if (dy != 0)
        m_log.append(PlacementKind::MoveY, -dy);
}

} // namespace gp
