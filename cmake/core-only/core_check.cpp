// Writes a small database at the path given (over the file there, if any) through the safe-write:
// a check that the core builds and links on its own, for any system. The test command runs the
// Windows build under Wine and reads the file back with mdbtools and mdb-reader
// (tests/windows/run-under-wine.sh), so the rows here are the ones that script expects.

#include "Database.h"
#include "RiskLevel.h"
#include "SafeWrite.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: core_check <file.mdb>\n");
        return 2;
    }
    try {
        jet::Database database;
        jet::Table table("Check");
        table.appendColumn("Score");
        table.appendColumn("Word");
        database.appendTable(std::move(table));
        for (const std::int16_t score : {1, 7, 15}) {
            const std::string word(scoring::riskLevelWord(score).value_or("none"));
            database.appendRow("Check", {std::to_string(score), word});
        }
        // Latin-1 letters, then characters beyond it (Jet keeps those uncompressed).
        database.appendRow("Check", {"Zoë Ørsted", "Łódź 日本 €"});
        const std::vector<std::uint8_t> bytes = database.bytes();
        safewrite::writeFile(argv[1], bytes);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
