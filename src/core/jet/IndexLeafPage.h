#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace jet {

// An index leaf page (type 0x04) that is also the index root: the whole index fits one page.
class IndexLeafPage
{
public:
    explicit IndexLeafPage(std::uint32_t tablePage);

    void add(const std::vector<std::uint8_t>& key, std::uint32_t page, std::uint8_t row);
    std::size_t entryCount() const { return entries_.size(); }
    // Sorts the entries and writes the page; throws Error when they do not fit.
    void write(std::span<std::uint8_t> out) const;

private:
    std::uint32_t tablePage_;
    std::vector<std::vector<std::uint8_t>> entries_;
};

} // namespace jet
