#include "editing/PreviewSession.h"

#include <algorithm>

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

bool PreviewSession::open(const Image& source, Size client, const Allocator& allocator, int density)
{
    m_allocator = &allocator;
    m_source = &source;
    m_density = std::max(1, density);
    const Size inner = previewInnerSize(client);
    m_inner = { inner.width * m_density, inner.height * m_density };
    m_fitted.reset();
    m_crop = PanCrop({ source.width(), source.height() }, m_inner);
    m_panMode = false;
    return rebuild();
}

bool PreviewSession::rebuild()
{
    if (m_panMode) {
        m_sample = cropSample(*m_source, m_crop.rect(), *m_allocator);
    } else {
        // The picture fitted to the window's size, with density times its pixels each way, so
        // it paints at exactly the size it has on a screen of ratio 1.
        if (!m_fitted) {
            const Size window = previewFitSize({ m_source->width(), m_source->height() },
                { m_inner.width / m_density, m_inner.height / m_density });
            m_fitted = fitSampleTo(*m_source, { window.width * m_density, window.height * m_density }, *m_allocator);
        }
        m_sample.reset();
        if (m_fitted)
            m_sample = m_fitted->clone();
    }
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
    m_crop.drag(dx * m_density, dy * m_density);
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
    m_source = nullptr;
    m_fitted.reset();
    m_sample.reset();
    m_after.reset();
    m_countdown = PreviewCountdown();
}

} // namespace gp
