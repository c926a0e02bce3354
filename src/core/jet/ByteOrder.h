#pragma once
// Little-endian stores into page buffers. Every integer in a Jet file is little-endian except
// index keys and index row pointers, which IndexKey and IndexLeafPage write big-endian.

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

namespace jet::bytes {

inline void put16(std::span<std::uint8_t> out, std::size_t at, std::uint16_t value)
{
    out[at] = std::uint8_t(value & 0xFF);
    out[at + 1] = std::uint8_t(value >> 8);
}

inline void put32(std::span<std::uint8_t> out, std::size_t at, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        out[at + std::size_t(k)] = std::uint8_t((value >> (8 * k)) & 0xFF);
}

inline void append16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(std::uint8_t(value & 0xFF));
    out.push_back(std::uint8_t(value >> 8));
}

inline void append32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int k = 0; k < 4; ++k)
        out.push_back(std::uint8_t((value >> (8 * k)) & 0xFF));
}

inline void appendDouble(std::vector<std::uint8_t>& out, double value)
{
    std::uint64_t bits = 0;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    for (int k = 0; k < 8; ++k)
        out.push_back(std::uint8_t((bits >> (8 * k)) & 0xFF));
}

inline void appendUtf16(std::vector<std::uint8_t>& out, std::u16string_view text)
{
    for (char16_t unit : text)
        append16(out, std::uint16_t(unit));
}

inline void putBytes(std::span<std::uint8_t> out, std::size_t at,
                     std::span<const std::uint8_t> source)
{
    if (!source.empty()) // an empty value may have no storage at all
        std::memcpy(out.data() + at, source.data(), source.size());
}

} // namespace jet::bytes
