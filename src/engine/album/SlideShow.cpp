#include "album/SlideShow.h"

#include "album/Transition.h"

namespace gp {

namespace {

constexpr int kTicksPerPhoto = 10;

} // namespace

SlideShow::SlideShow(std::vector<Slide> slides, SlideShowSettings settings)
    : m_slides(std::move(slides))
    , m_settings(settings)
{
}

SlideShow::Action SlideShow::tick(bool abortKey)
{
    if (++m_ticks >= kTicksPerPhoto) {
        m_ticks = 0;
        const Action action = advance();
        if (action == Action::Close)
            return action;
        return abortKey ? Action::Close : action;
    }
    return abortKey ? Action::Close : Action::None;
}

SlideShow::Action SlideShow::enter()
{
    m_ticks = kTicksPerPhoto;
    return tick(false);
}

SlideShow::Action SlideShow::advance()
{
    if (m_current + 1 < int(m_slides.size())) {
        ++m_current;
        return Action::NextPhoto;
    }
    if (!m_settings.autoLoop || m_slides.empty())
        return Action::Close;
    m_current = 0;
    return Action::NextPhoto;
}

int SlideShow::chooseEffect(ClassicRandom& random) const
{
    return m_settings.transitions ? random.next() % kTransitionCount + 1 : 0;
}

} // namespace gp
