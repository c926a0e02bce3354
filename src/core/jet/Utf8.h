#pragma once
// UTF-8 handling for names and values: validation (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF) and conversion to the UTF-16 Jet stores.

#include <cstddef>
#include <string>
#include <string_view>

namespace jet::utf8 {

// Byte offset of the first byte that does not start a valid UTF-8 sequence, or npos.
std::size_t findInvalid(std::string_view text);

// Converts valid UTF-8 (check with findInvalid first) to UTF-16.
std::u16string toUtf16(std::string_view text);

} // namespace jet::utf8
