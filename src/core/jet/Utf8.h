#pragma once
// UTF-8 handling for statements and names: validation (strict: no overlong forms, no
// surrogates, nothing above U+10FFFF), conversion to the UTF-16 Jet stores, and the
// character positions used in error messages.

#include <cstddef>
#include <string>
#include <string_view>

namespace jet::utf8 {

// Byte offset of the first byte that does not start a valid UTF-8 sequence, or npos.
std::size_t findInvalid(std::string_view text);

// Converts valid UTF-8 (check with findInvalid first) to UTF-16.
std::u16string toUtf16(std::string_view text);

// 1-based position in characters (code points) of the byte at `byteOffset`.
std::size_t characterPosition(std::string_view text, std::size_t byteOffset);

} // namespace jet::utf8
