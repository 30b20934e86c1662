#include "base/SharedLibrary.h"

#include <dlfcn.h>

namespace gp {

std::optional<SharedLibrary> SharedLibrary::load(const std::filesystem::path& path)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return std::nullopt;
    return SharedLibrary(handle);
}

SharedLibrary::~SharedLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}

void* SharedLibrary::address(const char* name) const
{
    return dlsym(m_handle, name);
}

} // namespace gp
