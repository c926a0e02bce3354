#include "UsageMap.h"

#include "Error.h"

#include <cstring>

namespace jet {

void UsageMap::add(std::uint32_t page)
{
    if (page >= bits_.size() * 8)
        throw Error("page " + std::to_string(page) +
                    " lies beyond what an inline usage map covers");
    bits_[page / 8] = std::uint8_t(bits_[page / 8] | (1u << (page % 8)));
}

void UsageMap::addRange(std::uint32_t first, std::uint32_t end)
{
    for (std::uint32_t page = first; page < end; ++page)
        add(page);
}

std::vector<std::uint8_t> UsageMap::row() const
{
    std::vector<std::uint8_t> out(kRowSize, 0); // type 0 and first page 0 included
    std::memcpy(out.data() + 5, bits_.data(), bits_.size());
    return out;
}

} // namespace jet
