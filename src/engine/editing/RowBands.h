#pragma once
// Splits the rows of a pixel routine into bands worked by the engine's worker threads. Only the
// calling thread reports: between its own bands it passes the rows done so far to the routine's
// progress (which shows the percentage and tests Escape), and the workers stop taking bands once
// that has answered false. Without workers the whole picture is one band, worked with the
// progress before every row exactly as a plain loop would. Every band must give the same bytes
// wherever the bands are cut, so the picture never depends on the number of threads.

#include "base/WorkerPool.h"

#include <algorithm>

namespace gp {

// Rows per band for `threads` threads: about sixteen bands a thread, so the threads finish
// together, in whole multiples of 16 rows so the progress steps stay where they were.
inline int bandRowsFor(int rows, int threads)
{
    const int even = rows / (std::max(1, threads) * 16);
    return std::max(16, (even + 15) / 16 * 16);
}

// fillBand(first, end, beforeRow) works rows first..end-1 and calls beforeRow(y) before each row,
// stopping (answering false) when that answers false. `progress` has beforeRow(int) -> bool.
// Returns false when the user stopped the routine.
template <class Progress, class FillBand>
bool runRowBands(WorkerPool* workers, int rows, Progress& progress, FillBand&& fillBand)
{
    if (!workers || workers->threadCount() < 2 || rows < 32)
        return fillBand(0, rows, [&](int y) { return progress.beforeRow(y); });
    const int bandRows = bandRowsFor(rows, workers->threadCount());
    const int bands = (rows + bandRows - 1) / bandRows;
    const auto anyRow = [](int) { return true; };
    return workers->run(
        bands,
        [&](int band) { fillBand(band * bandRows, std::min(rows, (band + 1) * bandRows), anyRow); },
        [&](int done) { return progress.beforeRow(std::min(rows, done * bandRows)); });
}

} // namespace gp
