// Where an installed program keeps the user's files, and its first start in an empty home.

#include "shell/FirstStart.h"

#include "ScopedEnv.h"
#include "TempDir.h"

#include <gtest/gtest.h>

using namespace gp;
using namespace gp::test;

namespace {

// An installation under prefix/ with the program in bin/ and its default settings file.
struct Installation {
    TempDir root;
    std::filesystem::path prefix() const { return root / "prefix"; }
    std::filesystem::path program() const { return prefix() / "bin/glimmerpress"; }
    Installation()
    {
        writeFile(prefix() / "share/glimmerpress/GLMPRESS.INI", "[Glimmerpress]\nGammaR=12\n");
        std::filesystem::create_directories(prefix() / "lib/glimmerpress");
        writeFile(program(), "");
    }
};

} // namespace

TEST(FirstStart, FoldersFollowTheDesktopConventionsAndTheOverridesWin)
{
    Installation installed;
    const std::string home = (installed.root / "home").string();
    ScopedEnv homeEnv("HOME", home.c_str());
    ScopedEnv config("XDG_CONFIG_HOME", nullptr), data("XDG_DATA_HOME", nullptr);
    ScopedEnv windir("GLIMMERPRESS_WINDIR", nullptr), datadir("GLIMMERPRESS_DATADIR", nullptr);
    ScopedEnv progdir("GLIMMERPRESS_PROGDIR", nullptr), libdir("GLIMMERPRESS_LIBDIR", nullptr);

    Paths p = Paths::fromEnvironment("/nonexistent/build/data", "/nonexistent/build/lib", installed.program());
    EXPECT_EQ(p.settingsDir, std::filesystem::path(home) / ".config/glimmerpress");
    EXPECT_EQ(p.dataDir, std::filesystem::path(home) / ".local/share/glimmerpress");
    // The installation beside the program, wherever its prefix is.
    EXPECT_EQ(p.programDir, installed.prefix() / "share/glimmerpress");
    EXPECT_EQ(p.libraryDir, installed.prefix() / "lib/glimmerpress");

    {
        ScopedEnv xdgConfig("XDG_CONFIG_HOME", "/x/config"), xdgData("XDG_DATA_HOME", "/x/data");
        p = Paths::fromEnvironment({}, {}, installed.program());
        EXPECT_EQ(p.settingsDir, std::filesystem::path("/x/config/glimmerpress"));
        EXPECT_EQ(p.dataDir, std::filesystem::path("/x/data/glimmerpress"));
        ScopedEnv w("GLIMMERPRESS_WINDIR", "/o/win"), d("GLIMMERPRESS_DATADIR", "/o/data");
        ScopedEnv g("GLIMMERPRESS_PROGDIR", "/o/prog"), l("GLIMMERPRESS_LIBDIR", "/o/lib");
        p = Paths::fromEnvironment({}, {}, installed.program());
        EXPECT_EQ(p.settingsDir, std::filesystem::path("/o/win"));
        EXPECT_EQ(p.dataDir, std::filesystem::path("/o/data"));
        EXPECT_EQ(p.programDir, std::filesystem::path("/o/prog"));
        EXPECT_EQ(p.libraryDir, std::filesystem::path("/o/lib"));
    }
    // A program running from its build tree (nothing installed beside it) uses the build's folders.
    TempDir build;
    std::filesystem::create_directories(build / "data");
    p = Paths::fromEnvironment(build / "data", {}, build / "src/ui/glimmerpress");
    EXPECT_EQ(p.programDir, build / "data");
}

TEST(FirstStart, AnEmptyHomeGetsTheDefaultSettingsOnceAndKeepsTheUsersOwn)
{
    Installation installed;
    Paths p;
    p.programDir = installed.prefix() / "share/glimmerpress";
    p.settingsDir = installed.root / "home/.config/glimmerpress";
    p.dataDir = installed.root / "home/.local/share/glimmerpress";

    ASSERT_TRUE(provideUserFolders(p));
    EXPECT_EQ(readFile(p.settingsFile()), "[Glimmerpress]\nGammaR=12\n");
    EXPECT_TRUE(std::filesystem::is_directory(p.dataDir));

    // The user's changed settings survive every later start.
    writeFile(p.settingsFile(), "[Glimmerpress]\nGammaR=3\n");
    ASSERT_TRUE(provideUserFolders(p));
    EXPECT_EQ(readFile(p.settingsFile()), "[Glimmerpress]\nGammaR=3\n");

    // Without an installed default there is nothing to copy, and no empty file appears.
    Paths broken = p;
    broken.programDir = installed.root / "missing";
    broken.settingsDir = installed.root / "other";
    EXPECT_FALSE(provideUserFolders(broken));
    EXPECT_FALSE(std::filesystem::exists(broken.settingsFile()));
    // A settings folder that cannot be made (a file stands in its place) fails the same way.
    writeFile(installed.root / "blocked", "");
    broken.programDir = p.programDir;
    broken.settingsDir = installed.root / "blocked/glimmerpress";
    EXPECT_FALSE(provideUserFolders(broken));
}
