#pragma once
// A JSON object written as one line, for the tool's machine-readable output.

#include <string>
#include <string_view>

namespace gp::cli {

class JsonLine {
public:
    JsonLine& add(std::string_view key, std::string_view value);
    JsonLine& add(std::string_view key, const char* value) { return add(key, std::string_view(value)); }
    JsonLine& add(std::string_view key, long long value);
    JsonLine& add(std::string_view key, int value) { return add(key, static_cast<long long>(value)); }
    JsonLine& add(std::string_view key, bool value);
    // A value already in JSON form (an array, null, a nested object).
    JsonLine& addRaw(std::string_view key, std::string_view json);
    std::string str() const { return "{" + m_body + "}"; }

    static std::string quote(std::string_view text);

private:
    JsonLine& field(std::string_view key);
    std::string m_body;
};

} // namespace gp::cli
