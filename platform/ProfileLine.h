#pragma once

#include <cstddef>
#include <string_view>

// The line rules shared by the streaming INI reader and the in-memory snapshot, so that both
// read a file the same way.
namespace ProfileLine {

// Longer lines keep only their beginning: values are cut far shorter than this anyway.
inline constexpr std::size_t kMaxKeptLine = 64 * 1024;

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

constexpr std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

// The name between "[" and "]" of a trimmed section line; an unclosed header runs to its end.
constexpr std::string_view SectionName(std::string_view header) {
    header.remove_prefix(1);
    const std::size_t close = header.find(']');
    return Trim(close == std::string_view::npos ? header : header.substr(0, close));
}

} // namespace ProfileLine
