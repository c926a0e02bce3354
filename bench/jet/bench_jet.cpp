// Saving an assessment database: the whole writer (tables, statements, image, file write
// through a temporary file and rename) against writing the same number of bytes with a
// plain file write, both without fsync.

#include "../../tests/jet/SampleDatabase.h"
#include "../BenchTable.h"
#include "Database.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

namespace {

// The database the program saves for an assessment (the shared sample of the writer tests),
// without fsync.
jet::Database assessment(const std::string& path)
{
    jet::Options options = sample::referenceOptions();
    options.syncToDisk = false;
    return sample::assessment(path, true, options);
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
