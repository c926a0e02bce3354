#include "HeaderPage.h"

#include "ByteOrder.h"
#include "Rc4.h"

#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace jet {

// Header layout (plaintext; bytes 0x18..0x97 are then XOR-ed with an RC4 keystream):
//   0x000  4  00 01 00 00            page type 0 and a constant
//   0x004 16  "Standard Jet DB\0"    format name (ACE files say "Standard ACE DB")
//   0x014  4  1                      engine version: 1 = Jet 4
//   0x018 24  constant block         00 01 00 00 01 01 00 00 02 00.. 03.. 04.. 05 00 00 00
//   0x03C  2  1252                   default code page
//   0x03E  4  0                      database key; non-zero would mean every page is encrypted
//   0x042 40  password area          empty password = M[i % 4], M = LE int32 of the whole days
//                                    of the creation date
//   0x06A  4  AA 21 00 00            unknown; kept with the creation date it came with
//   0x06E  2  1033                   text sort order "General"
//   0x070  2  00 00                  sort order version 0 (legacy General)
//   0x072  8  double                 creation date
//   0x098  8  54 06 00 00 34 2E 30 00  constant, outside the masked range
//   0xE00 512 words 0x0101, then 0x0100 x 255
void HeaderPage::write(std::span<std::uint8_t> page)
{
    std::memset(page.data(), 0, page.size());
    page[1] = 0x01;
    const char name[] = "Standard Jet DB";
    std::memcpy(page.data() + 0x04, name, sizeof name);
    bytes::put32(page, 0x14, 1);
    constexpr std::array<std::uint8_t, 24> constantBlock{0, 1, 0, 0, 1, 1, 0, 0, 2, 0, 0, 0,
                                                         3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0};
    bytes::putBytes(page, 0x18, constantBlock);
    bytes::put16(page, 0x3C, 1252);
    bytes::put32(page, 0x3E, 0);

    std::array<std::uint8_t, 4> dayMask{};
    bytes::put32(dayMask, 0, std::uint32_t(std::int32_t(std::floor(kCreationDate))));
    for (std::size_t k = 0; k < 40; ++k)
        page[0x42 + k] = dayMask[k % 4];

    bytes::put32(page, 0x6A, 0x21AA);
    bytes::put16(page, 0x6E, 1033);
    std::vector<std::uint8_t> date;
    bytes::appendDouble(date, kCreationDate);
    bytes::putBytes(page, 0x72, date);
    constexpr std::array<std::uint8_t, 8> trailer{0x54, 0x06, 0, 0, 0x34, 0x2E, 0x30, 0};
    bytes::putBytes(page, 0x98, trailer);

    bytes::put16(page, 0xE00, 0x0101);
    for (std::size_t k = 1; k < 256; ++k)
        bytes::put16(page, 0xE00 + 2 * k, 0x0100);

    constexpr std::array<std::uint8_t, 4> maskKey{0xC7, 0xDA, 0x39, 0x6B};
    Rc4(maskKey).apply(page.subspan(0x18, 0x80));
}

} // namespace jet
