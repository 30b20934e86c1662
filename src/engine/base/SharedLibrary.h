#pragma once
// A run-time library loaded by path for as long as this object lives, released when it goes; its
// functions are looked up by name. The program loads its optional libraries at the moment of use
// this way and goes on without them when they are missing.

#include <filesystem>
#include <optional>
#include <utility>

namespace gp {

class SharedLibrary {
public:
    // Nothing when the library is missing or cannot be loaded.
    static std::optional<SharedLibrary> load(const std::filesystem::path& path);

    SharedLibrary(SharedLibrary&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr))
    {
    }
    SharedLibrary& operator=(SharedLibrary&&) = delete;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;
    ~SharedLibrary();

    // The function of that name, or null when the library has none.
    template <typename Function> Function function(const char* name) const
    {
        return reinterpret_cast<Function>(address(name));
    }

private:
    explicit SharedLibrary(void* handle)
        : m_handle(handle)
    {
    }
    void* address(const char* name) const;

    void* m_handle = nullptr;
};

} // namespace gp
