#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace jet {

// An index key for ascending columns as Jet 4 compares them: bytewise, big-endian. Each
// column adds a flag byte 0x7F (ascending, value present) and then its value.
class IndexKey
{
public:
    // 4 bytes big-endian with the sign bit flipped, so that unsigned byte order is numeric
    // order.
    IndexKey& appendLong(std::int32_t value);
    // One "General" (legacy) sort code per character, case folded, then 01 (end of text)
    // and 00 (no extra section: plain letters and digits need none). Throws Error for a
    // character outside A-Z, a-z, 0-9.
    IndexKey& appendText(std::u16string_view text);

    static bool canEncode(char16_t character);
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace jet
