#pragma once
// A shared library loaded at run time by its path, released when the object goes: the platform
// libraries (scanner source manager, mail) are loaded only for the moment they are needed.

#include <filesystem>
#include <optional>

namespace gp {

class DynamicLibrary {
public:
    // Nothing when the file cannot be loaded.
    static std::optional<DynamicLibrary> open(const std::filesystem::path& path);

    DynamicLibrary(DynamicLibrary&& other) noexcept
        : m_handle(other.m_handle)
    {
        other.m_handle = nullptr;
    }
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;
    ~DynamicLibrary();

    // The address of an exported function; nullptr when the library has none of that name.
    void* symbol(const char* name) const;

    template <typename Function> Function function(const char* name) const
    {
        return reinterpret_cast<Function>(symbol(name));
    }

private:
    explicit DynamicLibrary(void* handle)
        : m_handle(handle)
    {
    }
    void* m_handle = nullptr;
};

} // namespace gp
