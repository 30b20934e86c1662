#include "CodecTestSupport.h"

namespace gp::test {

std::filesystem::path fixture(const std::string& relative)
{
    return std::filesystem::path(GLIMMER_SOURCE_DIR) / "tests" / "fixtures" / relative;
}

} // namespace gp::test
