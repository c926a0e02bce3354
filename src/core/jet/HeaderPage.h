#pragma once

#include <cstdint>
#include <span>

namespace jet {

// Page 0, the database header. Its content is constant: the creation date, the unknown word
// at 0x6A and the obfuscated security ids of the catalog belong together (see SystemTables),
// so the header always carries the reference creation date they were taken with.
class HeaderPage
{
public:
    // OLE date stored at 0x72; the empty-password mask derives from its whole days.
    static constexpr double kCreationDate = 38143.546523784724;

    static void write(std::span<std::uint8_t> page);
};

} // namespace jet
