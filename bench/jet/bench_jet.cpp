// Saving an assessment database: the whole writer (tables, rows, image, file write through a
// temporary file and rename) against writing the same number of bytes with a plain file
// write, both without fsync.

#include "../../tests/jet/SampleDatabase.h"
#include "../BenchTable.h"
#include "Database.h"
#include "SafeWrite.h"

#include <QTemporaryDir>

#include <fstream>
#include <string>
#include <vector>

int main()
{
    constexpr int runs = 200;
    QTemporaryDir dir;
    const std::string path = dir.filePath("assessment.mdb").toStdString();
    const std::string plainPath = dir.filePath("plain.bin").toStdString();
    // The database the program saves for an assessment (the shared sample of the writer tests).
    const auto assessment = [] { return sample::assessment(true); };
    const std::size_t size = assessment().bytes().size();
    const std::vector<char> payload(size, 'x');

    const auto plainWrite = [&] {
        std::ofstream out(plainPath, std::ios::binary | std::ios::trunc);
        out.write(payload.data(), std::streamsize(payload.size()));
        out.close();
    };
    const Sample baseline = measure(runs, plainWrite);
    const Sample save =
        measure(runs, [&] { safewrite::writeFile(path, assessment().bytes(), false); });
    const Sample image = measure(runs, [&] { (void)assessment().bytes(); });
    const Sample baselineAgain = measure(runs, plainWrite);

    std::printf("%d runs, %zu bytes per file\n", runs, size);
    printHeader();
    printRow("plain write of the same bytes", baseline, {}, "-");
    printRow("jet: save two-table assessment", save, baseline, "<= 3x");
    printRow("jet: build image only (no file)", image, baseline, "-");
    printRow("plain write again (drift check)", baselineAgain, baseline, "-");
    return 0;
}
