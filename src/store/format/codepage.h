#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace roomwright {

// Text fields are stored one byte per character in Windows-1252, the code page of the
// workstations the data comes from; the program itself works in UTF-8.

// UTF-8 to Windows-1252. A character the code page cannot hold, and any malformed UTF-8
// sequence, becomes "?".
std::string toCp1252(std::string_view utf8);
// The bytes a text field holds for `utf8`, or nothing when the code page cannot hold every
// character of it: then no stored field equals it. Scans compare stored bytes with this
// instead of decoding every field they test.
std::optional<std::string> storedForm(std::string_view utf8);
// Windows-1252 to UTF-8. Every byte maps to one character (the five bytes the code page
// leaves undefined map to the C1 control of the same value), so the round trip is exact.
std::string fromCp1252(std::string_view bytes);
// The same into `out`, reusing its storage (scans decode many records into one).
void fromCp1252(std::string_view bytes, std::string& out);
// The same appended to `out`.
void appendCp1252(std::string_view bytes, std::string& out);

} // namespace roomwright
