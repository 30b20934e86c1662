#include "base/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gp {

namespace {

Error ioError(const std::string& what, const std::filesystem::path& path)
{
    return makeError(ErrorKind::Io, what + " " + path.string() + ": " + std::strerror(errno));
}

} // namespace

Result<void> writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes)
{
    return writeFileAtomically(path, bytes, bytes.size(), {});
}

Result<void> writeFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
    std::size_t pieceSize, const WritePieceTest& beforePiece)
{
    std::filesystem::path temporary = path;
    temporary += ".tmp~";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return ioError("cannot create", temporary);
    std::size_t done = 0;
    while (done < bytes.size()) {
        if (beforePiece && !beforePiece(done)) {
            ::close(fd);
            ::unlink(temporary.c_str());
            return makeError(ErrorKind::Io, "writing " + path.string() + " was stopped");
        }
        const ssize_t n
            = ::write(fd, bytes.data() + done, std::min(bytes.size() - done, std::max<std::size_t>(pieceSize, 1)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            Error e = ioError("cannot write", temporary);
            ::close(fd);
            ::unlink(temporary.c_str());
            return e;
        }
        done += std::size_t(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        Error e = ioError("cannot flush", temporary);
        ::unlink(temporary.c_str());
        return e;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        Error e = ioError("cannot replace", path);
        ::unlink(temporary.c_str());
        return e;
    }
    return {};
}

Result<void> writeFileAtomically(const std::filesystem::path& path, std::string_view text)
{
    return writeFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Result<std::vector<std::uint8_t>> readWholeFile(const std::filesystem::path& path, std::size_t maxBytes)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return ioError("cannot open", path);
    std::vector<std::uint8_t> bytes;
    // Room for the whole file at once, when its size is known and allowed, so the bytes are not
    // copied each time the vector would grow (briefly holding twice the file).
    struct stat status {};
    if (::fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode) && std::uint64_t(status.st_size) <= maxBytes)
        bytes.reserve(std::size_t(status.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, file);
        if (n == 0)
            break;
        if (bytes.size() + n > maxBytes) {
            std::fclose(file);
            return makeError(ErrorKind::TooLarge, path.string() + " is larger than allowed");
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed)
        return ioError("cannot read", path);
    return bytes;
}

} // namespace gp
