#include "Rc4.h"

#include <utility>

namespace jet {

Rc4::Rc4(std::span<const std::uint8_t> key)
{
    for (std::size_t k = 0; k < state_.size(); ++k)
        state_[k] = std::uint8_t(k);
    std::uint8_t j = 0;
    for (std::size_t k = 0; k < state_.size(); ++k) {
        j = std::uint8_t(j + state_[k] + key[k % key.size()]);
        std::swap(state_[k], state_[j]);
    }
}

std::uint8_t Rc4::next()
{
    i_ = std::uint8_t(i_ + 1);
    j_ = std::uint8_t(j_ + state_[i_]);
    std::swap(state_[i_], state_[j_]);
    return state_[std::uint8_t(state_[i_] + state_[j_])];
}

void Rc4::apply(std::span<std::uint8_t> data)
{
    for (std::uint8_t& byte : data)
        byte ^= next();
}

} // namespace jet
