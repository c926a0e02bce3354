// Writes a one-table database at the path given and prints the risk level of a score: a
// check that the core builds and links on its own, for any system.

#include "Database.h"
#include "RiskLevel.h"
#include "SafeWrite.h"

#include <cstdio>
#include <exception>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: core_check <file.mdb>\n");
        return 2;
    }
    try {
        jet::Database database;
        jet::Table table("Check");
        table.appendColumn("Value");
        database.appendTable(std::move(table));
        const std::string value(scoring::riskLevelWord(7).value_or("none"));
        database.appendRow("Check", {value});
        safewrite::writeFile(argv[1], database.bytes());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
