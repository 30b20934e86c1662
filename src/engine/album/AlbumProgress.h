#pragma once
// The progress display of album reading and writing: "  Reading: 42%" or "  Saving: 42%" on the
// status bar after each piece, "  Ready" at 100, and the Escape test before each piece.

#include <cstddef>

namespace gp {

class Host;

enum class AlbumProgressKind { Reading, Saving };

// Albums move in pieces of this many bytes.
inline constexpr std::size_t kAlbumPieceSize = 32767;

class AlbumProgress {
public:
    AlbumProgress(Host& host, AlbumProgressKind kind)
        : m_host(&host)
        , m_kind(kind)
    {
    }

    void report(std::size_t done, std::size_t total);
    bool abortRequested();

private:
    Host* m_host;
    AlbumProgressKind m_kind;
};

} // namespace gp
