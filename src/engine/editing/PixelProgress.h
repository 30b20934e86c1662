#pragma once
// Progress and cancellation of one transform routine: the wait cursor while it runs, the
// "  Processing: " percentage in the status bar every 16 rows and "  Ready" when it ends, and the
// Escape test before each row. A routine that transforms a selection mask runs with
// Interrupt::Never, so a mask is never left half transformed.

#include "shell/StatusLine.h"

namespace gp {

class ProgressPort;

enum class Interrupt { ByEscape, Never };

class PixelProgress {
public:
    PixelProgress(ProgressPort& host, int rows, Interrupt interrupt);
    ~PixelProgress();
    PixelProgress(const PixelProgress&) = delete;
    PixelProgress& operator=(const PixelProgress&) = delete;

    // Call before row `row` (0-based, in processing order). False when the user pressed Escape:
    // the routine then frees its result and returns nothing.
    bool beforeRow(int row);

private:
    ProgressPort& m_host;
    StatusLine m_status;
    int m_rows;
    Interrupt m_interrupt;
};

} // namespace gp
