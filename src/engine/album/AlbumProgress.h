#pragma once
// The progress display of album reading and writing: the status line's "  Reading: 42%" or
// "  Saving: 42%" after each piece and "  Ready" at the end, and the Escape test before each.

#include "shell/StatusLine.h"

#include <cstddef>
#include <optional>

namespace gp {

class ProgressPort;

// Albums move in pieces of this many bytes.
inline constexpr std::size_t kAlbumPieceSize = 32767;

class AlbumProgress {
public:
    // Reports through the program's status line when given one, else straight to the host.
    AlbumProgress(ProgressPort& host, StatusLine* status, ProgressKind kind);

    void report(std::size_t done, std::size_t total);
    bool abortRequested();

private:
    ProgressPort* m_host;
    std::optional<StatusLine> m_ownStatus;
    StatusLine* m_status;
    ProgressKind m_kind;
};

} // namespace gp
