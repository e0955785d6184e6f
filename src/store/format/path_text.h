#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace roomwright {

// Paths and the UTF-8 text the program works in (options, environment, messages), the same
// on every system. The plain narrow conversions of std::filesystem::path take the system's
// ANSI code page on Windows and would garble any name beyond ASCII.
inline std::filesystem::path pathFromUtf8(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

// The path with forward slashes, as UTF-8.
inline std::string utf8Text(const std::filesystem::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

} // namespace roomwright
