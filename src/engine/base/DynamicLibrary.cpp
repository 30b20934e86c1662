#include "base/DynamicLibrary.h"

#include <dlfcn.h>
#include <utility>

namespace gp {

std::optional<DynamicLibrary> DynamicLibrary::open(const std::filesystem::path& path)
{
    // Local binding keeps the library's names out of the program's and of later libraries'.
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return std::nullopt;
    return DynamicLibrary(handle);
}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept
{
    if (this != &other) {
        if (m_handle)
            dlclose(m_handle);
        m_handle = std::exchange(other.m_handle, nullptr);
    }
    return *this;
}

DynamicLibrary::~DynamicLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}

void* DynamicLibrary::symbol(const char* name) const
{
    return m_handle ? dlsym(m_handle, name) : nullptr;
}

} // namespace gp
