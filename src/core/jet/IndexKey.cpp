#include "IndexKey.h"

#include "Error.h"

#include <array>

namespace jet {
namespace {

constexpr std::uint8_t kAscendingPresent = 0x7F;
constexpr std::uint8_t kEndOfText = 0x01;
constexpr std::uint8_t kEndOfExtra = 0x00;

// Sort codes of A..Z in the legacy General order (not evenly spaced: K, R, Y follow their
// predecessor directly).
constexpr std::array<std::uint8_t, 26> kLetterCodes{
    0x4A, 0x4C, 0x4D, 0x4F, 0x51, 0x53, 0x55, 0x57, 0x59, 0x5B, 0x5C, 0x5E, 0x60,
    0x62, 0x64, 0x66, 0x68, 0x69, 0x6B, 0x6D, 0x6F, 0x71, 0x73, 0x75, 0x76, 0x78};
constexpr std::uint8_t kFirstDigitCode = 0x36; // then every second code

} // namespace

IndexKey& IndexKey::appendLong(std::int32_t value)
{
    const std::uint32_t flipped = std::uint32_t(value) ^ 0x80000000u;
    bytes_.push_back(kAscendingPresent);
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes_.push_back(std::uint8_t((flipped >> shift) & 0xFF));
    return *this;
}

bool IndexKey::canEncode(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

IndexKey& IndexKey::appendText(std::u16string_view text)
{
    bytes_.push_back(kAscendingPresent);
    for (char16_t c : text) {
        if (c >= u'A' && c <= u'Z')
            bytes_.push_back(kLetterCodes[std::size_t(c - u'A')]);
        else if (c >= u'a' && c <= u'z')
            bytes_.push_back(kLetterCodes[std::size_t(c - u'a')]);
        else if (c >= u'0' && c <= u'9')
            bytes_.push_back(std::uint8_t(kFirstDigitCode + 2 * (c - u'0')));
        else
            throw Error("index key: no sort code for character U+" + std::to_string(int(c)));
    }
    bytes_.push_back(kEndOfText);
    bytes_.push_back(kEndOfExtra);
    return *this;
}

} // namespace jet
