#pragma once
// Progress and cancellation of one pixel routine: the wait cursor while it runs, the percentage
// in the status bar every 16 rows and "  Ready" when it ends, and the Escape test before each
// row. A routine that transforms a selection mask runs with Interrupt::Never, so a mask is never
// left half transformed.

namespace gp {

class Host;

enum class Interrupt { ByEscape, Never };

class RowProgress {
public:
    RowProgress(Host& host, int rows, Interrupt interrupt);
    ~RowProgress();
    RowProgress(const RowProgress&) = delete;
    RowProgress& operator=(const RowProgress&) = delete;

    // Call before row `row` (0-based, in processing order). False when the user pressed Escape:
    // the routine then frees its result and returns nothing.
    bool beforeRow(int row);

private:
    void show(int percent);

    Host& m_host;
    int m_rows;
    Interrupt m_interrupt;
};

} // namespace gp
