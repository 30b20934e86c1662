#include "album/ThumbnailDiskCache.h"

#include "codecs/BmpWriter.h"
#include "image/Image.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace gp {

namespace {

// The folder is trimmed after this many new files (and once when the cache starts).
constexpr int kStoresPerTrim = 64;

// FNV-1a, 64 bits: a file name for any identity, stable between runs.
std::uint64_t hashOf(const std::string& text)
{
    std::uint64_t hash = 1469598103934665603ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

} // namespace

ThumbnailDiskCache::ThumbnailDiskCache(std::filesystem::path folder, std::size_t byteLimit)
    : m_folder(std::move(folder))
    , m_byteLimit(byteLimit)
    , m_storesSinceTrim(kStoresPerTrim)
{
}

std::uintmax_t ThumbnailDiskCache::fileBytes(Size thumbnail)
{
    const auto row = Image::rowSizeFor(thumbnail.width, 24);
    if (!row || thumbnail.height <= 0)
        return 0;
    return 14 + kInfoHeaderSize + row.value() * std::uintmax_t(thumbnail.height);
}

std::filesystem::path ThumbnailDiskCache::fileFor(const std::string& identity, Size thumbnail) const
{
    char name[64];
    std::snprintf(name, sizeof name, "%016llx-%dx%d.bmp", static_cast<unsigned long long>(hashOf(identity)),
        thumbnail.width, thumbnail.height);
    return m_folder / name;
}

void ThumbnailDiskCache::touch(const std::filesystem::path& file) const
{
    std::error_code error;
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now(), error);
}

void ThumbnailDiskCache::discard(const std::filesystem::path& file) const
{
    std::error_code error;
    std::filesystem::remove(file, error);
}

bool ThumbnailDiskCache::store(const std::string& identity, const Image& thumbnail)
{
    std::error_code error;
    std::filesystem::create_directories(m_folder, error);
    const std::filesystem::path file = fileFor(identity, { thumbnail.width(), thumbnail.height() });
    // A name of this process's own, so another program writing the same thumbnail cannot mix
    // its bytes into this one before the rename.
    std::filesystem::path temporary = file;
    temporary += ".part" + std::to_string(::getpid());
    bool written = false;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        const std::vector<std::uint8_t> header = bmpFileHeader(thumbnail);
        const auto packed = thumbnail.packed();
        out.write(reinterpret_cast<const char*>(header.data()), std::streamsize(header.size()));
        out.write(reinterpret_cast<const char*>(packed.data()), std::streamsize(packed.size()));
        out.close();
        written = !out.fail();
    }
    if (written)
        std::filesystem::rename(temporary, file, error);
    if (!written || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    if (++m_storesSinceTrim >= kStoresPerTrim) {
        m_storesSinceTrim = 0;
        trim();
    }
    return true;
}

void ThumbnailDiskCache::trim() const
{
    struct Found {
        std::filesystem::path path;
        std::filesystem::file_time_type used;
        std::uintmax_t bytes;
    };
    std::vector<Found> files;
    std::uintmax_t total = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator it(m_folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statError;
        if (!it->is_regular_file(statError))
            continue;
        const std::uintmax_t bytes = it->file_size(statError);
        const auto used = it->last_write_time(statError);
        if (statError)
            continue;
        files.push_back({ it->path(), used, bytes });
        total += bytes;
    }
    if (total <= m_byteLimit)
        return;
    std::sort(files.begin(), files.end(), [](const Found& a, const Found& b) { return a.used < b.used; });
    for (const Found& found : files) {
        if (total <= m_byteLimit)
            break;
        std::error_code removeError;
        if (std::filesystem::remove(found.path, removeError))
            total -= found.bytes;
    }
}

} // namespace gp
