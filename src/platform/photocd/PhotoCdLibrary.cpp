// The exported functions of libglimmer-photocd.so over the decoder; see PhotoCd.h.

#include "PhotoCd.h"

#include "PcdDecoder.h"
#include "PcdRender.h"

#include <algorithm>
#include <memory>
#include <new>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#define PCD_EXPORT __attribute__((visibility("default")))

struct PcdReference {
    std::vector<std::uint8_t> file;
    gp::pcd::PackInfo info;
    gp::pcd::OutputFormat format = gp::pcd::OutputFormat::Rgb24;
    gp::pcd::Level level = gp::pcd::Level::Base;
    PCDAbortTest abortTest = nullptr;
    void* abortData = nullptr;
    PCDProgress progress = nullptr;
    void* progressData = nullptr;
};

namespace {

// A real image pack is at most a few megabytes; a larger "pack" is refused before it is read.
constexpr off_t kLargestPack = off_t(64) << 20;

unsigned long errorFor(const gp::Error& error)
{
    return error.kind == gp::ErrorKind::OutOfMemory ? PCD_ERROR_MEMORY : PCD_ERROR_READ;
}

bool readWholeFile(int fd, std::vector<std::uint8_t>& bytes)
{
    struct stat status { };
    if (fstat(fd, &status) != 0 || status.st_size <= 0 || status.st_size > kLargestPack)
        return false;
    bytes.resize(std::size_t(status.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = pread(fd, bytes.data() + done, bytes.size() - done, off_t(done));
        if (n <= 0)
            return false;
        done += std::size_t(n);
    }
    return true;
}

} // namespace

extern "C" {

PCD_EXPORT unsigned long PCDrefOpen(int fd, PCDHandle* handle)
{
    if (!handle)
        return PCD_ERROR_ARGUMENT;
    *handle = nullptr;
    try {
        auto reference = std::make_unique<PcdReference>();
        if (!readWholeFile(fd, reference->file))
            return PCD_ERROR_READ;
        auto info = gp::pcd::readPackInfo(reference->file);
        if (!info)
            return info.error().kind == gp::ErrorKind::Malformed ? PCD_ERROR_NOT_PCD : PCD_ERROR_READ;
        reference->info = *info;
        *handle = reference.release();
        return PCD_OK;
    } catch (const std::bad_alloc&) {
        return PCD_ERROR_MEMORY;
    }
}

PCD_EXPORT unsigned long PCDsetFormat(PCDHandle handle, int format)
{
    if (!handle || (format != PCD_FORMAT_GRAY8 && format != PCD_FORMAT_RGB24))
        return PCD_ERROR_ARGUMENT;
    handle->format = format == PCD_FORMAT_GRAY8 ? gp::pcd::OutputFormat::Gray8 : gp::pcd::OutputFormat::Rgb24;
    return PCD_OK;
}

PCD_EXPORT unsigned long PCDsetResolution(PCDHandle handle, int resolution)
{
    if (!handle || resolution < PCD_RES_BASE16 || resolution > PCD_RES_16BASE)
        return PCD_ERROR_ARGUMENT;
    handle->level = gp::pcd::Level(resolution - PCD_RES_BASE16);
    return PCD_OK;
}

PCD_EXPORT unsigned long PCDsetAbort(PCDHandle handle, PCDAbortTest test, void* data)
{
    if (!handle)
        return PCD_ERROR_ARGUMENT;
    handle->abortTest = test;
    handle->abortData = data;
    return PCD_OK;
}

PCD_EXPORT unsigned long PCDsetProgress(PCDHandle handle, PCDProgress progress, void* data)
{
    if (!handle)
        return PCD_ERROR_ARGUMENT;
    handle->progress = progress;
    handle->progressData = data;
    return PCD_OK;
}

PCD_EXPORT unsigned long PCDloadImage(PCDHandle handle, const void* reserved, void** image)
{
    if (!handle || reserved || !image)
        return PCD_ERROR_ARGUMENT;
    *image = nullptr;
    try {
        // Progress counts the abort tests: one per coded row plus the steps around them.
        long steps = 0;
        const long total = long(gp::pcd::storedHeight(handle->level)) * 2;
        bool abandoned = false;
        auto shouldAbort = [handle, &steps, total, &abandoned] {
            if (handle->progress)
                handle->progress(std::min(++steps, total), total, handle->progressData);
            abandoned = handle->abortTest && handle->abortTest(handle->abortData) != 0;
            return abandoned;
        };
        if (shouldAbort())
            return PCD_ERROR_ABORTED;
        auto picture = gp::pcd::decodePicture(handle->file, handle->info, handle->level, shouldAbort);
        if (!picture)
            return abandoned ? static_cast<unsigned long>(PCD_ERROR_ABORTED) : errorFor(picture.error());
        auto block = gp::pcd::renderBlock(*picture, handle->format, handle->info.rotation);
        if (!block)
            return errorFor(block.error());
        if (handle->progress)
            handle->progress(total, total, handle->progressData);
        *image = block->release();
        return PCD_OK;
    } catch (const std::bad_alloc&) {
        return PCD_ERROR_MEMORY;
    }
}

PCD_EXPORT unsigned long PCDrefClose(PCDHandle handle)
{
    if (!handle)
        return PCD_ERROR_ARGUMENT;
    delete handle;
    return PCD_OK;
}

} // extern "C"
