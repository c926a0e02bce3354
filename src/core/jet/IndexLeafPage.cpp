#include "IndexLeafPage.h"

#include "ByteOrder.h"
#include "Error.h"
#include "FileLayout.h"

#include <algorithm>
#include <cstring>

namespace jet {
namespace {

constexpr std::size_t kBitmapOffset = 27;
constexpr std::size_t kFirstEntry = 0x1E0;

} // namespace

IndexLeafPage::IndexLeafPage(std::uint32_t tablePage) : tablePage_(tablePage) {}

// Entry: key, then the row pointer (page << 8 | row) big-endian, so that entries with equal
// keys sort by row position.
void IndexLeafPage::add(const std::vector<std::uint8_t>& key, std::uint32_t page, std::uint8_t row)
{
    std::vector<std::uint8_t> entry = key;
    entry.push_back(std::uint8_t((page >> 16) & 0xFF));
    entry.push_back(std::uint8_t((page >> 8) & 0xFF));
    entry.push_back(std::uint8_t(page & 0xFF));
    entry.push_back(row);
    entries_.push_back(std::move(entry));
}

// Layout:
//   0 u8 0x04  1 u8 0x01  2 u16 free space = 4096 - end of the last entry
//   4 u32 TDEF page of the table  8 u32 0  12 u32 previous leaf (0)  16 u32 next leaf (0)
//   20 u32 tail page (0)  24 u16 shared prefix length (0)  26 u8 0
//   27 453-byte bitmap: bit t set where an entry ends, t counted from 0x1E0
//   0x1E0 entries back to back in unsigned byte order
void IndexLeafPage::write(std::span<std::uint8_t> out) const
{
    std::vector<std::vector<std::uint8_t>> sorted = entries_;
    // Unsigned bytewise order, shorter first on a common prefix (std::vector's own operator<
    // draws a false overread warning from GCC 12 at -O3).
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) {
        const std::size_t common = std::min(a.size(), b.size());
        const int order = common == 0 ? 0 : std::memcmp(a.data(), b.data(), common);
        return order != 0 ? order < 0 : a.size() < b.size();
    });
    std::memset(out.data(), 0, out.size());
    out[0] = 0x04;
    out[1] = 0x01;
    bytes::put32(out, 4, tablePage_);
    std::size_t at = kFirstEntry;
    for (const auto& entry : sorted) {
        if (at + entry.size() > kPageSize)
            throw Error("index entries do not fit one index page");
        bytes::putBytes(out, at, entry);
        at += entry.size();
        const std::size_t bit = at - kFirstEntry;
        out[kBitmapOffset + bit / 8] =
            std::uint8_t(out[kBitmapOffset + bit / 8] | (1u << (bit % 8)));
    }
    bytes::put16(out, 2, std::uint16_t(kPageSize - at));
}

} // namespace jet
