#include "CodecTestSupport.h"

// The HEIF encoder the tests use to make their files keeps a few blocks for the life of the
// process; the leak checker of the sanitizer builds is told to let that library's blocks be.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

namespace gp::test {

std::filesystem::path fixture(const std::string& relative)
{
    return std::filesystem::path(GLIMMER_SOURCE_DIR) / "tests" / "fixtures" / relative;
}

} // namespace gp::test
