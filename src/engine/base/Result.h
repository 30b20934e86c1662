#pragma once
// Result<T>: either a value or an Error. Every function that reads a file, parses stored data or
// takes numbers from the user returns one; exceptions never cross the engine's interfaces.

#include <cassert>
#include <string>
#include <utility>
#include <variant>

namespace gp {

enum class ErrorKind { Io, Truncated, Malformed, Unsupported, TooLarge, OutOfMemory };

struct Error {
    ErrorKind kind;
    std::string message;
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_state(std::move(value)) {}
    Result(Error error) : m_state(std::move(error)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { assert(ok()); return std::get<0>(m_state); }
    const T& value() const& { assert(ok()); return std::get<0>(m_state); }
    T&& value() && { assert(ok()); return std::get<0>(std::move(m_state)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }

    const Error& error() const { assert(!ok()); return std::get<1>(m_state); }

private:
    std::variant<T, Error> m_state;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : m_error(std::move(error)), m_ok(false) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const Error& error() const { assert(!m_ok); return m_error; }

private:
    Error m_error{ErrorKind::Io, {}};
    bool m_ok = true;
};

inline Error makeError(ErrorKind kind, std::string message) { return Error{kind, std::move(message)}; }

} // namespace gp
