// The engine's folders form layers that only point down: a file may include its own folder and
// the folders below it, never a folder above it or a sibling on its own level, and never Qt.
// The order is the one docs/ARCHITECTURE.md shows.

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Lowest first; folders on one level must not include each other.
const std::vector<std::vector<std::string>> kLayers = {
    { "base" }, { "shell" }, { "image" }, { "draw" }, { "codecs" }, { "editing" },
    { "layout" }, { "print" }, { "album", "acquire", "mail" }, { "app" },
};

int levelOf(const std::string& folder)
{
    for (std::size_t level = 0; level < kLayers.size(); ++level)
        for (const auto& name : kLayers[level])
            if (name == folder)
                return int(level);
    return -1;
}

// Every include of an engine file that breaks the order, as "file: reason", and every top
// folder the order does not know.
std::vector<std::string> layerViolations(const fs::path& engineRoot)
{
    static const std::regex include(R"(^\s*#\s*include\s*[<"]([^">]+)[">])");
    static const std::regex qt(R"(^(Q[A-Za-z]|Qt))");
    std::vector<std::string> found;
    for (const auto& top : fs::directory_iterator(engineRoot)) {
        if (top.is_directory() && levelOf(top.path().filename().string()) < 0)
            found.push_back(top.path().filename().string() + ": folder missing from the layer order");
    }
    for (const auto& entry : fs::recursive_directory_iterator(engineRoot)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
            continue;
        const fs::path relative = fs::relative(entry.path(), engineRoot);
        if (relative.begin() == relative.end() || std::next(relative.begin()) == relative.end())
            continue; // files at the engine's root belong to no layer
        const std::string folder = relative.begin()->string();
        const int own = levelOf(folder);
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (!std::regex_search(line, match, include))
                continue;
            const std::string header = match[1];
            if (std::regex_search(header, qt)) {
                found.push_back(relative.string() + ": includes Qt header " + header);
                continue;
            }
            const std::size_t slash = header.find('/');
            if (slash == std::string::npos)
                continue;
            const std::string target = header.substr(0, slash);
            const int level = levelOf(target);
            if (level < 0 || target == folder || own < 0)
                continue;
            if (level > own)
                found.push_back(relative.string() + ": includes " + header + " from a layer above");
            else if (level == own)
                found.push_back(relative.string() + ": includes " + header + " from a sibling");
        }
    }
    return found;
}

std::string joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

} // namespace

TEST(LayerOrder, EngineIncludesOnlyPointDownAndNeverQt)
{
    const fs::path engine = fs::path(GLIMMER_SOURCE_DIR) / "src" / "engine";
    const auto violations = layerViolations(engine);
    EXPECT_TRUE(violations.empty()) << joined(violations);
}

TEST(LayerOrder, CheckFindsUpwardSiblingQtAndUnknownFolders)
{
    gp::test::TempDir dir;
    const fs::path root = dir.path();
    gp::test::writeFile(root / "image" / "Fine.h", "#include \"base/Rgb.h\"\n#include \"image/Image.h\"\n#include <vector>\n");
    gp::test::writeFile(root / "image" / "Up.cpp", "#include \"image/Up.h\"\n  # include \"layout/LayoutPage.h\"\n");
    gp::test::writeFile(root / "album" / "Sibling.cpp", "#include \"mail/MailSend.h\"\n");
    gp::test::writeFile(root / "editing" / "tone" / "Window.cpp", "#include <QImage>\n#include <QtCore/QString>\n");
    gp::test::writeFile(root / "widgets" / "Stray.h", "#include \"base/Rgb.h\"\n");

    const std::string report = joined(layerViolations(root));
    EXPECT_EQ(layerViolations(root).size(), 5u) << report;
    EXPECT_NE(report.find("image/Up.cpp: includes layout/LayoutPage.h from a layer above"), std::string::npos);
    EXPECT_NE(report.find("album/Sibling.cpp: includes mail/MailSend.h from a sibling"), std::string::npos);
    EXPECT_NE(report.find("editing/tone/Window.cpp: includes Qt header QImage"), std::string::npos);
    EXPECT_NE(report.find("editing/tone/Window.cpp: includes Qt header QtCore/QString"), std::string::npos);
    EXPECT_NE(report.find("widgets: folder missing from the layer order"), std::string::npos);
    EXPECT_EQ(report.find("Fine.h"), std::string::npos);
}

TEST(LayerOrder, ArchitectureDocumentShowsTheSameOrder)
{
    std::ifstream in(fs::path(GLIMMER_SOURCE_DIR) / "docs" / "ARCHITECTURE.md");
    ASSERT_TRUE(in) << "docs/ARCHITECTURE.md is missing";
    std::string expected;
    for (const auto& level : kLayers) {
        if (!expected.empty())
            expected += " → ";
        for (std::size_t i = 0; i < level.size(); ++i)
            expected += (i ? ", `" : "`") + level[i] + "/`";
    }
    std::string line;
    bool shown = false;
    while (std::getline(in, line))
        shown = shown || line.find(expected) != std::string::npos;
    EXPECT_TRUE(shown) << "expected the order line: " << expected;
}
