#pragma once
// What the file readers and writers take from the running program: the host for messages,
// questions and the wait cursor, the allocator the pixel blocks come from, the remembered save
// options, the Photo CD options, the folder of the platform libraries, whether embedded colour
// profiles are converted and the worker threads a decoder may spread its work over. The program makes one from its own state; a test or tool makes one
// from its own parts without building the program.

#include <filesystem>
#include <string_view>

namespace gp {

class Allocator;
class Host;
class WorkerPool;
struct PhotoCdOptions;
struct SaveOptions;

struct ImageFileContext {
    Host& host;
    Allocator& allocator;
    SaveOptions& saveOptions;
    PhotoCdOptions& photoCdOptions;
    std::filesystem::path libraryDir;
    bool convertProfiles = true; // photos with an embedded colour profile are converted to sRGB
    WorkerPool* workers = nullptr; // none: decoders work on the calling thread alone

    std::filesystem::path library(std::string_view fileName) const { return libraryDir / fileName; }
};

} // namespace gp
