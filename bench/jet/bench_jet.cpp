// Saving an assessment database: the whole writer (tables, statements, image, file write
// through a temporary file and rename) against writing the same number of bytes with a
// plain file write, both without fsync.

#include "../BenchTable.h"
#include "jet/Database.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> resultColumns{"VESK Score - Left Arm",
                                             "Risk Level - Left Arm",
                                             "Upper Arm - Left",
                                             "Lower Arm - Left",
                                             "Wrist - Left",
                                             "VESK Score - Right Arm",
                                             "Risk Level - Right Arm",
                                             "Upper Arm - Right",
                                             "Lower Arm - Right",
                                             "Wrist - Right",
                                             "Trunk",
                                             "Neck",
                                             "Legs",
                                             "Load / Force",
                                             "Coupling",
                                             "Activity"};
const std::vector<std::string> resultValues{"7", "Medium", "2", "3", "3", "4", "Low", "1",
                                            "2", "1",      "2", "3", "1", "0", "1",   "1"};
const std::vector<std::string> employeeColumns{"Employee Name", "Employee Number",
                                               "Employee Location"};
const std::vector<std::string> employeeValues{"Zo\u00eb \u00c5ngstr\u00f6m-Dvo\u0159\u00e1k",
                                              "E-20417", "Warehouse 3, Bay 12"};

void addTable(jet::Database& database, const std::string& name,
              const std::vector<std::string>& columns, const std::vector<std::string>& values)
{
    jet::Table table(name);
    for (const std::string& column : columns)
        table.appendColumn(column);
    database.appendTable(std::move(table));
    std::string sql = "INSERT INTO " + name + " VALUES (";
    for (std::size_t k = 0; k < values.size(); ++k)
        sql += (k ? ", " : "") + jet::quoteValue(values[k]);
    database.execute(sql + ")");
}

jet::Database assessment(const std::string& path)
{
    jet::Options options;
    options.syncToDisk = false;
    jet::Database database = jet::Database::create(path, options);
    addTable(database, "VESKResult", resultColumns, resultValues);
    addTable(database, "EmployeeDetails", employeeColumns, employeeValues);
    return database;
}

} // namespace

int main()
{
    constexpr int runs = 200;
    QTemporaryDir dir;
    const std::string path = dir.filePath("assessment.mdb").toStdString();
    const std::string plainPath = dir.filePath("plain.bin").toStdString();
    const std::size_t size = assessment(path).bytes().size();
    const std::vector<char> payload(size, 'x');

    const auto plainWrite = [&] {
        std::ofstream out(plainPath, std::ios::binary | std::ios::trunc);
        out.write(payload.data(), std::streamsize(payload.size()));
        out.close();
    };
    const Sample baseline = measure(runs, plainWrite);
    const Sample save = measure(runs, [&] { assessment(path).close(); });
    const Sample image = measure(runs, [&] { (void)assessment(path).bytes(); });
    const Sample baselineAgain = measure(runs, plainWrite);

    std::printf("%d runs, %zu bytes per file\n", runs, size);
    printHeader();
    printRow("plain write of the same bytes", baseline, {}, "-");
    printRow("jet: save two-table assessment", save, baseline, "<= 3x");
    printRow("jet: build image only (no file)", image, baseline, "-");
    printRow("plain write again (drift check)", baselineAgain, baseline, "-");
    return 0;
}
