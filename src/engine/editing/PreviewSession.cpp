#include "editing/PreviewSession.h"

namespace gp {

bool PreviewCountdown::tick()
{
    if (m_count == 0)
        return false;
    if (++m_count <= kDue)
        return false;
    m_count = 0;
    return true;
}

bool PreviewSession::open(const Image& source, Size client, const Allocator& allocator)
{
    m_allocator = &allocator;
    m_source = source.clone();
    m_inner = previewInnerSize(client);
    m_crop = PanCrop({ source.width(), source.height() }, m_inner);
    m_panMode = false;
    return rebuild();
}

bool PreviewSession::rebuild()
{
    m_sample
        = m_panMode ? cropSample(*m_source, m_crop.rect(), *m_allocator) : fitSample(*m_source, m_inner, *m_allocator);
    if (!m_sample) {
        m_after.reset();
        return false;
    }
    m_after = m_sample->clone();
    return true;
}

bool PreviewSession::setPanMode(bool on)
{
    if (!m_source)
        return false;
    m_panMode = on;
    m_crop = PanCrop({ m_source->width(), m_source->height() }, m_inner);
    const bool built = rebuild();
    m_countdown.changed();
    return built;
}

bool PreviewSession::drag(int dx, int dy)
{
    if (!m_source || !m_panMode)
        return false;
    m_crop.drag(dx, dy);
    const bool built = rebuild();
    m_countdown.changed();
    return built;
}

bool PreviewSession::tick(const Compute& compute)
{
    if (!m_countdown.tick() || !m_sample)
        return false;
    auto result = compute(*m_sample);
    m_after = result ? std::move(*result) : m_sample->clone();
    return true;
}

void PreviewSession::close()
{
    m_source.reset();
    m_sample.reset();
    m_after.reset();
    m_countdown = PreviewCountdown();
}

} // namespace gp
