#pragma once
// What every adjustment, filter and effect needs besides its image: the allocator (which shows
// "There is not enough memory." when a block cannot be had), the Host for the wait cursor and
// the Escape test, the program's status line for the progress texts (one made on the Host when
// none is given), and whether the run is interactive. Previews run quietly: no cursor, no
// progress texts and no Escape test. With worker threads the routines that allow it split their
// rows over them; the results are the same bytes as on the calling thread alone.

#include "base/WorkerPool.h"
#include "image/Allocator.h"
#include "shell/Host.h"
#include "shell/StatusLine.h"

namespace gp {

struct FilterRun {
    const Allocator& allocator;
    Host& host;
    bool interactive = true;
    StatusLine* status = nullptr;
    WorkerPool* workers = nullptr; // none: the calling thread does every row
};

// Shows the wait cursor for the lifetime of the scope (interactive runs only).
class WaitCursorScope {
public:
    explicit WaitCursorScope(const FilterRun& run);
    ~WaitCursorScope();
    WaitCursorScope(const WaitCursorScope&) = delete;
    WaitCursorScope& operator=(const WaitCursorScope&) = delete;

private:
    Host* m_host;
};

// Progress of a row loop: before each row it polls Escape, and every `every` rows it shows the
// percentage, mapped into [firstPercent, lastPercent] so that a two-pass filter shows 0..50 for
// its first pass and 50..100 for its second.
class FilterProgress {
public:
    FilterProgress(const FilterRun& run, int rows, int firstPercent = 0, int lastPercent = 100, int every = 16);

    // Call before row `row` (0-based); false when the user holds Escape and the run must stop.
    bool beforeRow(int row);
    // Shows 100 percent ("  Ready").
    void finish();

private:
    const FilterRun* m_run;
    int m_rows;
    int m_first;
    int m_last;
    int m_every;
};

// The progress line itself: "  Processing: N%" below 100, "  Ready" at 100.
void showProcessingProgress(const FilterRun& run, int percent);

} // namespace gp
