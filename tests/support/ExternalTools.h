#pragma once
// The independent programs that make and judge test files (ImageMagick, netpbm, the libtiff and
// libjpeg tools, poppler, ...). Locally a test whose tools are missing is skipped; under CI
// (CI=true), where the install script brings every tool, a missing one fails the test instead,
// so a broken install can never pass as a run of skipped tests.

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace gp::test {

// Runs a shell command with its standard error discarded; true when it exits with status 0.
bool runTool(const std::string& command);
// True when the program is on the PATH.
bool haveTool(const std::string& program);
// The programs of the list that are not on the PATH, separated by spaces; empty when all are.
std::string missingTools(std::initializer_list<const char*> programs);
// True when the tests run under continuous integration.
bool underCi();

} // namespace gp::test

// Skips the test (fails it under CI) with `why` unless `available` holds.
#define GLIMMER_REQUIRE(available, why)                                                                  \
    do {                                                                                                 \
        if (!(available)) {                                                                              \
            if (::gp::test::underCi())                                                                   \
                FAIL() << "missing under CI: " << (why);                                                 \
            else                                                                                         \
                GTEST_SKIP() << (why);                                                                   \
        }                                                                                                \
    } while (0)

// Skips the test (fails it under CI) unless every program named is on the PATH.
#define GLIMMER_REQUIRE_TOOLS(...)                                                                       \
    do {                                                                                                 \
        const std::string missing_ = ::gp::test::missingTools({ __VA_ARGS__ });                          \
        GLIMMER_REQUIRE(missing_.empty(), "not installed: " + missing_);                                 \
    } while (0)
