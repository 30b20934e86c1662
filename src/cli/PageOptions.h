#pragma once
// The options that say where a page goes and what page it is, shared by the printing commands:
// -o OUT.pdf|OUT.png, --printer NAME and --page PW,PH,DX,DY,PAPERW,PAPERH,OFFX,OFFY.

#include "draw/PrinterCatalog.h"
#include "draw/PageGeometry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gp::cli {

// Comma-separated integers; false when a field is not one.
bool parseInts(std::string_view text, std::vector<int>& values);

// The eight numbers of --page; nothing when they do not describe a page (the printable area
// must lie on the paper).
std::optional<PageSpec> parsePage(std::string_view text);

// The page geometry a layout computes with for a --page, with its whole-inch size.
PageGeometry geometryOf(const PageSpec& page);

bool endsWithNoCase(std::string_view text, std::string_view suffix);

struct OutputOptions {
    std::string output;  // -o
    std::string printer; // --printer
    std::optional<PageSpec> page;

    // Takes the option at args[i] (and its value) when it is one of these; false otherwise.
    // bad is set for a malformed value.
    bool take(const std::vector<std::string>& args, std::size_t& i, bool& bad);
    // Exactly one of a PDF/PNG file and a queue; a queue has its own page.
    bool valid() const;
    PrinterChoice choice() const;
};

} // namespace gp::cli
