// glimmerpress-cli album: show, make and change album files and the album registry.

#include "Commands.h"
#include "Json.h"
#include "album/AddToAlbum.h"
#include "album/AlbumFile.h"
#include "album/AlbumPhotoReader.h"
#include "album/AlbumRegistry.h"
#include "album/AlbumSort.h"
#include "album/ThumbnailPrefetch.h"
#include "album/ThumbnailSheet.h"
#include "gfx/QtPrinterCatalog.h"
#include "print/PrinterState.h"
#include "PageOptions.h"
#include "gfx/QtImage.h"

#include <QImage>
#include <QString>
#include <charconv>
#include <cstdio>
#include <iostream>

namespace gp::cli {

namespace {

constexpr std::string_view kUsage = "album show FILE.abm | new NAME | list | add FILE.abm PHOTO... | "
                                    "remove FILE.abm INDEX... | sort FILE.abm name|type|size|date|description "
                                    "[--reverse] | thumbs FILE.abm OUTDIR | print-thumbnails FILE.abm "
                                    "(-o OUT.pdf|OUT.png | --printer NAME) [--from N --to M] [--names]";

void printHelp()
{
    std::cout << "usage: glimmerpress-cli " << kUsage
              << "\n\n"
                 "  show    print the album and each photo's record as JSON lines\n"
                 "  new     register a new general album called NAME\n"
                 "  list    print the general albums of the registry\n"
                 "  add     add photo files (the album file is made when missing)\n"
                 "  remove  remove the photos at the given indexes (from 0)\n"
                 "  sort    sort the album by a key, optionally reversed\n"
                 "  thumbs  write each thumbnail as OUTDIR/NNNN.png\n"
                 "  print-thumbnails  print the thumbnails (photos N to M, from 1) with their file names\n"
                 "          under them when --names is given, to a PDF or PNG file or a CUPS queue\n";
}

std::optional<int> parseIndex(const std::string& text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

int cannotRead(const std::string& file)
{
    std::cerr << "glimmerpress-cli: cannot read the album " << file << '\n';
    return kExitFailed;
}

// Loads an album that must exist and be whole enough to change.
bool loadForChange(CliContext& c, AlbumList& album, const std::string& file)
{
    std::error_code error;
    if (loadAlbum(album, file, c.app.paths().programDir, c.app.allocator(), &c.app.statusLine()))
        return true;
    return !album.isEmpty() || !std::filesystem::exists(file, error);
}

// Saves a changed album; an album left without photos is deleted, as the album window does.
int store(CliContext& c, AlbumList& album, const std::string& file)
{
    if (album.isEmpty()) {
        std::error_code error;
        std::filesystem::remove(file, error);
        return kExitOk;
    }
    if (!saveAlbum(album, file, c.host, &c.app.statusLine())) {
        std::cerr << "glimmerpress-cli: cannot write the album " << file << '\n';
        return kExitFailed;
    }
    return kExitOk;
}

int show(CliContext& c, const std::string& file)
{
    AlbumList album;
    const bool complete = loadAlbum(album, file, c.app.paths().programDir, c.app.allocator(), &c.app.statusLine());
    if (!complete && album.isEmpty())
        return cannotRead(file);
    std::cout << JsonLine().add("file", file).add("count", album.count()).add("description", album.description()).str()
              << '\n';
    int index = 0;
    for (const PhotoItem& item : album.photos()) {
        const PhotoRecord& r = item.record;
        std::cout << JsonLine()
                         .add("index", index++)
                         .add("path", r.path)
                         .add("description", r.description)
                         .add("fileSize", static_cast<long long>(r.fileSize))
                         .add("time", static_cast<long long>(r.fileTime))
                         .add("bits", int(r.bitCount))
                         .add("width", int(r.width))
                         .add("height", int(r.height))
                         .add("thumbWidth", int(r.thumbnailWidth))
                         .add("thumbHeight", int(r.thumbnailHeight))
                         .str()
                  << '\n';
    }
    return complete ? kExitOk : kExitFailed;
}

void printEntry(AlbumRegistry& registry, int index)
{
    std::cout << JsonLine()
                     .add("index", index)
                     .add("file", registry.path(AlbumFamily::General, index).string())
                     .add("name", registry.displayName(AlbumFamily::General, index))
                     .str()
              << '\n';
}

int create(CliContext& c, const std::string& name)
{
    AlbumRegistry registry(c.app.settingsFile(), c.app.paths().dataDir);
    if (!registry.create(AlbumFamily::General)) {
        std::cerr << "glimmerpress-cli: the registry holds 100 albums already\n";
        return kExitFailed;
    }
    const int index = registry.count(AlbumFamily::General) - 1;
    if (!name.empty() && !registry.rename(AlbumFamily::General, index, name)) {
        std::cerr << "glimmerpress-cli: cannot write " << c.app.settingsFile().path().string() << '\n';
        return kExitFailed;
    }
    printEntry(registry, index);
    return kExitOk;
}

int list(CliContext& c)
{
    AlbumRegistry registry(c.app.settingsFile(), c.app.paths().dataDir);
    for (int i = 0; i < registry.count(AlbumFamily::General); ++i)
        printEntry(registry, i);
    return kExitOk;
}

int add(CliContext& c, const std::string& file, const std::vector<std::string>& photos)
{
    AlbumList album;
    if (!loadForChange(c, album, file))
        return cannotRead(file);
    AlbumAdder adder { c.app.allocator(), albumPhotoReader(c.app.imageFiles()) };
    adder.prefetchWorkers = ThumbnailPrefetch::defaultWorkers();
    std::vector<AddOutcome> outcomes;
    const int added = addFilesToAlbum(album, photos, adder, &outcomes);
    const bool allIn = outcomes.size() == photos.size()
        && std::all_of(outcomes.begin(), outcomes.end(),
            [](AddOutcome o) { return o == AddOutcome::Added || o == AddOutcome::Duplicate; });
    if (added > 0 && store(c, album, file) != kExitOk)
        return kExitFailed;
    std::cout << JsonLine().add("file", file).add("added", added).add("count", album.count()).str() << '\n';
    return allIn ? kExitOk : kExitFailed;
}

int remove(CliContext& c, const std::string& file, const std::vector<std::string>& indexes)
{
    AlbumList album;
    if (!loadForChange(c, album, file) || album.isEmpty())
        return cannotRead(file);
    for (const std::string& text : indexes) {
        const auto index = parseIndex(text);
        if (!index || *index >= album.count())
            return usageError("album remove FILE.abm INDEX... (indexes from 0 below the photo count)");
        album.photos()[std::size_t(*index)].setSelected(true);
    }
    album.removeSelected(DeleteFiles::No, c.host);
    return store(c, album, file);
}

int sort(CliContext& c, const std::string& file, const std::string& key, bool reverse)
{
    static const std::pair<std::string_view, AlbumSortKey> kKeys[]
        = { { "name", AlbumSortKey::FileName }, { "type", AlbumSortKey::FileType }, { "size", AlbumSortKey::FileSize },
              { "date", AlbumSortKey::FileDate }, { "description", AlbumSortKey::Description } };
    const auto found = std::find_if(std::begin(kKeys), std::end(kKeys), [&](const auto& k) { return k.first == key; });
    if (found == std::end(kKeys))
        return usageError("album sort FILE.abm name|type|size|date|description [--reverse]");
    AlbumList album;
    if (!loadForChange(c, album, file) || album.isEmpty())
        return cannotRead(file);
    if (!sortAlbum(album, { found->second, reverse }))
        return kExitOk;
    return store(c, album, file);
}

int thumbs(CliContext& c, const std::string& file, const std::filesystem::path& outDir)
{
    AlbumList album;
    const bool complete = loadAlbum(album, file, c.app.paths().programDir, c.app.allocator(), &c.app.statusLine());
    if (!complete && album.isEmpty())
        return cannotRead(file);
    std::error_code error;
    std::filesystem::create_directories(outDir, error);
    int index = 0;
    bool allWritten = complete;
    for (const PhotoItem& item : album.photos()) {
        char name[16];
        std::snprintf(name, sizeof name, "%04d.png", index++);
        auto thumbnail = Image::fromPacked(item.thumbnail);
        if (!thumbnail || !gfx::toQImage(*thumbnail).save(QString::fromStdString((outDir / name).string()), "PNG")) {
            std::cerr << "glimmerpress-cli: cannot write the thumbnail of photo " << index - 1 << '\n';
            allWritten = false;
        }
    }
    return allWritten ? kExitOk : kExitFailed;
}

int printThumbnailSheets(CliContext& c, const std::vector<std::string>& args)
{
    OutputOptions output;
    ThumbnailPrintJob job;
    std::string file;
    for (std::size_t i = 0; i < args.size(); ++i) {
        bool bad = false;
        if (output.take(args, i, bad)) {
            if (bad)
                return usageError(kUsage);
        } else if ((args[i] == "--from" || args[i] == "--to") && i + 1 < args.size()) {
            const auto number = parseIndex(args[i + 1]);
            if (!number || *number < 1)
                return usageError(kUsage);
            (args[i] == "--from" ? job.from : job.to) = *number;
            ++i;
        } else if (args[i] == "--names") {
            job.fileNames = true;
        } else if (file.empty() && !args[i].starts_with("-")) {
            file = args[i];
        } else {
            return usageError(kUsage);
        }
    }
    if (file.empty() || !output.valid() || (job.from > 0 && job.to > 0 && job.from > job.to))
        return usageError(kUsage);
    AlbumList album;
    const bool complete = loadAlbum(album, file, c.app.paths().programDir, c.app.allocator(), &c.app.statusLine());
    if (!complete && album.isEmpty())
        return cannotRead(file);
    job.album = &album;
    gfx::QtPrinterCatalog catalog;
    c.app.printer().setCatalog(&catalog);
    c.app.printer().selection().setChoice(output.choice());
    const bool printed = printThumbnails(c.app.printer(), c.host, job);
    c.app.printer().setCatalog(nullptr);
    if (printed)
        std::cout << JsonLine().add("file", file).add("printed", int(thumbnailJobPhotos(job).size())).str() << '\n';
    return printed ? kExitOk : kExitFailed;
}

} // namespace

int runAlbum(CliContext& c)
{
    const auto& a = c.args;
    if (a.empty())
        return usageError(kUsage);
    const std::string& verb = a[0];
    if (verb == "--help") {
        printHelp();
        return kExitOk;
    }
    if (verb == "show" && a.size() == 2)
        return show(c, a[1]);
    if (verb == "new" && a.size() == 2)
        return create(c, a[1]);
    if (verb == "list" && a.size() == 1)
        return list(c);
    if (verb == "add" && a.size() >= 3)
        return add(c, a[1], { a.begin() + 2, a.end() });
    if (verb == "remove" && a.size() >= 3)
        return remove(c, a[1], { a.begin() + 2, a.end() });
    if (verb == "sort" && (a.size() == 3 || (a.size() == 4 && a[3] == "--reverse")))
        return sort(c, a[1], a[2], a.size() == 4);
    if (verb == "print-thumbnails" && a.size() >= 2)
        return printThumbnailSheets(c, { a.begin() + 1, a.end() });
    if (verb == "thumbs" && a.size() == 3)
        return thumbs(c, a[1], a[2]);
    return usageError(kUsage);
}

} // namespace gp::cli
