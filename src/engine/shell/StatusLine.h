#pragma once
// The status bar's progress and help texts. Progress shows "  Reading: 42%" and the like in the
// message pane with "  Press Esc to abort." beside it, and "  Ready" at 100. The help line shows
// hints in the help pane without flicker: a hint already shown is not shown again, and the hints
// that repeat while the mouse moves (every third id from 2399 to 2477) wait for their sixth
// request in a row.

#include <string_view>

namespace gp {

class ProgressPort;

// The kind selects the text 96 + kind.
enum class ProgressKind { Reading = 0, Saving, Converting, Displaying, Processing, Printing, Scanning };

class StatusLine {
public:
    explicit StatusLine(ProgressPort& host)
        : m_host(&host)
    {
    }

    void progress(int percent, ProgressKind kind);

    // Shows text in the help pane under the rules above; an id of 0 always shows. Returns true
    // when the text was shown.
    bool help(std::string_view text, int stringId);
    // The text of a string id.
    bool help(int stringId);

    // A batch run without messages shows no progress.
    void setQuiet(bool quiet) { m_quiet = quiet; }
    bool quiet() const { return m_quiet; }

    static bool isRepeatingHint(int stringId)
    {
        return stringId >= 2399 && stringId <= 2477 && (stringId - 2399) % 3 == 0;
    }

private:
    ProgressPort* m_host;
    bool m_quiet = false;
    int m_shownId = 0;
    int m_requestedId = 0;
    int m_requests = 0;
};

} // namespace gp
