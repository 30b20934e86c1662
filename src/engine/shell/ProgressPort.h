#pragma once
// The port through which long operations show that they work and learn that the user wants
// them to stop: the wait cursor, the status-bar panes and the Escape key.

#include <string_view>

namespace gp {

// The status-bar panes: the progress line, the zoom of the active document, its type, and the
// help line.
enum class StatusPane { Message, Zoom, Type, Help };

class ProgressPort {
public:
    virtual ~ProgressPort() = default;

    virtual void setWaitCursor(bool on) = 0;
    virtual void setStatus(StatusPane pane, std::string_view text) = 0;
    // True while the user holds Escape; long operations poll it between rows.
    virtual bool escapePressed() = 0;
};

} // namespace gp
