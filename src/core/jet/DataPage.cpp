#include "DataPage.h"

#include "ByteOrder.h"
#include "Error.h"
#include "FileLayout.h"

#include <cstring>

namespace jet {
namespace {

constexpr std::size_t kHeaderSize = 14;

} // namespace

DataPage::DataPage(std::uint32_t owner) : owner_(owner) {}

std::size_t DataPage::freeSpace() const
{
    return kPageSize - used_ - kHeaderSize - 2 * rows_.size();
}

bool DataPage::fits(std::size_t size) const
{
    return rows_.size() < kMaxRowsPerPage && size + 2 <= freeSpace();
}

std::uint8_t DataPage::add(std::vector<std::uint8_t> row)
{
    if (!fits(row.size()))
        throw Error("a row of " + std::to_string(row.size()) + " bytes does not fit the " +
                    std::to_string(freeSpace()) + " bytes left in data page");
    used_ += row.size();
    rows_.push_back(std::move(row));
    return std::uint8_t(rows_.size() - 1);
}

// Layout:
//   0 u8 0x01  1 u8 0x01  2 u16 free space = start of the lowest row - (14 + 2 * rows)
//   4 u32 owning TDEF page (0 for usage-map rows, 1 for the global map)  8 u32 0
//   12 u16 row count  14 u16 x rows: start offset of each row
// Rows are packed from the end of the page downwards: row 0 ends at 4096 and each further
// row ends where the previous one starts.
void DataPage::write(std::span<std::uint8_t> page) const
{
    std::memset(page.data(), 0, page.size());
    page[0] = 0x01;
    page[1] = 0x01;
    bytes::put16(page, 2, std::uint16_t(freeSpace()));
    bytes::put32(page, 4, owner_);
    bytes::put16(page, 12, std::uint16_t(rows_.size()));
    std::size_t end = kPageSize;
    for (std::size_t k = 0; k < rows_.size(); ++k) {
        end -= rows_[k].size();
        bytes::put16(page, kHeaderSize + 2 * k, std::uint16_t(end));
        bytes::putBytes(page, end, rows_[k]);
    }
}

} // namespace jet
