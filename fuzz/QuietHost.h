#pragma once
// A Host for the fuzz targets: no user, so messages vanish, questions take their safe default
// and Escape is never pressed.

#include "shell/SilentHost.h"

namespace gp::fuzz {

class QuietHost final : public SilentHost {
public:
    QuietHost()
        : SilentHost(Answer::No)
    {
    }
};

} // namespace gp::fuzz
