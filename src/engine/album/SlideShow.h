#pragma once
// The state of a running slide show: its settings, the slides, the current photo and the tick
// counter. The slide window's timer fires every seconds × 80 ms; on every 10th tick the show
// moves to the next photo, after the last back to the first when it loops, else it closes.
// Enter brings the next photo at once; Esc and the abort key close the show.

#include "base/ClassicRandom.h"
#include "album/SlideList.h"

#include <vector>

namespace gp {

struct SlideShowSettings {
    bool transitions = true;
    bool autoLoop = true;
    int seconds = 5;
};

class SlideShow {
public:
    enum class Action { None, NextPhoto, Close };

    SlideShow(std::vector<Slide> slides, SlideShowSettings settings);

    int timerInterval() const { return m_settings.seconds * 80; }
    const std::vector<Slide>& slides() const { return m_slides; }
    int currentIndex() const { return m_current; }
    const Slide& current() const { return m_slides[std::size_t(m_current)]; }
    int ticks() const { return m_ticks; }

    // One timer tick; abortKey is the program's abort key test, polled on every tick.
    Action tick(bool abortKey);
    // Enter: the tick counter goes to 10 and a tick follows.
    Action enter();

    // The transition for the next photo: 0 when transitions are off, else 1..132 at random.
    int chooseEffect(ClassicRandom& random) const;

private:
    Action advance();

    std::vector<Slide> m_slides;
    SlideShowSettings m_settings;
    int m_current = 0;
    int m_ticks = 0;
};

} // namespace gp
