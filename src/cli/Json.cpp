#include "Json.h"

#include <cstdio>

namespace gp::cli {

std::string JsonLine::quote(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += c;
            }
        }
    }
    return out + "\"";
}

JsonLine& JsonLine::field(std::string_view key)
{
    if (!m_body.empty())
        m_body += ", ";
    m_body += quote(key) + ":";
    return *this;
}

JsonLine& JsonLine::add(std::string_view key, std::string_view value)
{
    field(key).m_body += quote(value);
    return *this;
}

JsonLine& JsonLine::add(std::string_view key, long long value)
{
    field(key).m_body += std::to_string(value);
    return *this;
}

JsonLine& JsonLine::add(std::string_view key, bool value)
{
    field(key).m_body += value ? "true" : "false";
    return *this;
}

JsonLine& JsonLine::addRaw(std::string_view key, std::string_view json)
{
    field(key).m_body += json;
    return *this;
}

} // namespace gp::cli
