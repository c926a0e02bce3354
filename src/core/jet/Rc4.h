#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace jet {

// The RC4 stream cipher. The database header hides part of itself behind an RC4 keystream
// with a fixed key; XOR-ing with the stream masks and unmasks alike.
class Rc4
{
public:
    explicit Rc4(std::span<const std::uint8_t> key);

    std::uint8_t next();
    void apply(std::span<std::uint8_t> data);

private:
    std::array<std::uint8_t, 256> state_{};
    std::uint8_t i_ = 0;
    std::uint8_t j_ = 0;
};

} // namespace jet
