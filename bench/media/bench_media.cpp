// The task picture: a 6000 x 4000 photo opened into the task picture box (read at the size the
// box needs, fitted and painted, as Open does) against the floor that JPEG allows: the same
// file decoded at 1/8 scale by libjpeg directly, with nothing else, in the same run.
//
// Then the peak memory of opening pictures, each case in a fresh child process so that nothing
// else counts: a 12000 x 9000 phone photo, a 16-bit PNG of 7000 x 7000, and five files that are
// small but hold large pictures, one opened into the task picture box and four into the extra
// picture viewer, one after another. All must stay under the 256 MB the pictures may use.

#include "../BenchTable.h"
#include "Main2.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "PictureBox.h"
#include "PictureLoader.h"
#include "Platform.h"
#include "Road.h"
#include "Seams.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

#ifdef VESK_BENCH_LIBJPEG
extern "C" {
#include <jpeglib.h>
}

namespace {

constexpr int Runs = 15;
constexpr int MemoryRuns = 3;

using PixelAt = std::function<QRgb(int x, int y)>;

// A photo-like picture: smooth gradients with fine detail, so the JPEG is of a camera's size.
QRgb detailed(int x, int y)
{
    return qRgb((x / 24 + (x ^ y) % 17) & 0xFF, (y / 16 + (x * 3 + y) % 13) & 0xFF,
                ((x + y) / 40) & 0xFF);
}

// Smooth, as a phone photo of a plain scene compresses.
QRgb smooth(int x, int y)
{
    return qRgb((x / 47) & 0xFF, (y / 35) & 0xFF, ((x + y) / 82) & 0xFF);
}

// Written a row at a time, so that no picture of that size is ever held.
bool writeJpeg(const QString& path, int width, int height, bool progressive, const PixelAt& pixel)
{
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    if (!file)
        return false;
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_CreateCompress(&info, JPEG_LIB_VERSION, sizeof info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    if (progressive)
        jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * 3);
    JSAMPROW rows[] = {row.data()};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb rgb = pixel(x, y);
            row[std::size_t(x) * 3] = JSAMPLE(qRed(rgb));
            row[std::size_t(x) * 3 + 1] = JSAMPLE(qGreen(rgb));
            row[std::size_t(x) * 3 + 2] = JSAMPLE(qBlue(rgb));
        }
        jpeg_write_scanlines(&info, rows, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(file) == 0;
}

// The floor: libjpeg alone decodes the file at 1/8 scale, reading it from disk.
void decodeEighth(const QString& path)
{
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        std::abort();
    jpeg_decompress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_CreateDecompress(&info, JPEG_LIB_VERSION, sizeof info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    info.scale_num = 1;
    info.scale_denom = 8;
    jpeg_start_decompress(&info);
    std::vector<JSAMPLE> row(std::size_t(info.output_width) * std::size_t(info.output_components));
    JSAMPROW rows[] = {row.data()};
    while (info.output_scanline < info.output_height)
        jpeg_read_scanlines(&info, rows, 1);
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    std::fclose(file);
}

QImage filled(QSize size, QImage::Format format)
{
    QImage image(size, format);
    image.fill(QColor(40, 120, 200));
    return image;
}

bool writeImage(const QString& path, const QImage& image, const char* format)
{
    QImageWriter writer(path, format);
    writer.setCompression(1);
    return writer.write(image);
}

// Resident set now and its peak, in kB, from /proc/self/status.
qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// As a person does it: the file clicked in the chooser, then Open.
void openWith(PictureChooser& chooser, const QString& path)
{
    emit chooser.fileChosen(path);
    chooser.cmdOpen_Click();
}

// The child: everything set up, the peak reset to what is resident now, then the first file
// opened into the task picture box and the others into the extra picture viewer. Prints the
// peak above idle in kB and how many were refused.
int memoryChild(const QStringList& paths)
{
    platform::ScopedSeams seams;
    int refused = 0;
    seams->message = [&refused](const platform::MessageRequest&) {
        ++refused;
        return false;
    };
    QTemporaryDir recoveries;
    Road road(recoveries.path());
    road.main2().show();
    OpenPictureFile& taskChooser = road.pictureChooser();
    OpenExtraPics& extraChooser = road.extraPictureChooser();
    QImageReader(paths.front()).canRead(); // the image plug-ins loaded before measuring
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    const bool reset = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    clear.close();
    const qint64 idle = reset ? statusKb("VmRSS:") : statusKb("VmHWM:");
    openWith(taskChooser, paths.front());
    for (qsizetype i = 1; i < paths.size(); ++i)
        openWith(extraChooser, paths[i]);
    std::printf("%lld %d\n", statusKb("VmHWM:") - idle, refused);
    std::fflush(stdout);
    return 0;
}

struct Peak
{
    Sample megabytes;
    int refused = 0;
};

Peak childPeak(const QStringList& paths)
{
    std::vector<double> peaks;
    int refused = 0;
    for (int i = 0; i < MemoryRuns; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), QStringList{"--memory"} + paths);
        child.waitForFinished(120000);
        const QList<QByteArray> fields = child.readAllStandardOutput().trimmed().split(' ');
        peaks.push_back(fields.value(0).toDouble() / 1024);
        refused = fields.value(1).toInt();
    }
    std::sort(peaks.begin(), peaks.end());
    return {{peaks[peaks.size() / 2], peaks.front(), peaks.back()}, refused};
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    platform::registerFontSubstitutes();
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args[1] == QStringLiteral("--memory"))
        return memoryChild(args.mid(2));

    QTemporaryDir temp;
    const auto file = [&temp](const char* name) {
        return temp.filePath(QString::fromLatin1(name));
    };
    const bool written =
        temp.isValid() && writeJpeg(file("photo.jpg"), 6000, 4000, false, detailed) &&
        writeJpeg(file("phone.jpg"), 12000, 9000, false, smooth) &&
        writeImage(file("deep.png"), filled({7000, 7000}, QImage::Format_RGBX64), "png") &&
        writeImage(file("bomb1.tif"), filled({7000, 5000}, QImage::Format_RGB32), "tiff") &&
        writeImage(file("bomb2.png"), filled({7000, 5000}, QImage::Format_RGB32), "png") &&
        writeImage(file("bomb3.png"), filled({4000, 4000}, QImage::Format_RGBX64), "png") &&
        writeImage(file("bomb4.webp"), filled({5000, 5000}, QImage::Format_RGB32), "webp") &&
        writeJpeg(file("bomb5.jpg"), 6000, 4000, true, smooth);
    if (!written) {
        std::fprintf(stderr, "cannot write the test pictures\n");
        return 1;
    }
    platform::ScopedSeams seams;
    seams->message = [](const platform::MessageRequest& request) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(request.text));
        return false;
    };

    QTemporaryDir recoveries;
    Road road(recoveries.path());
    road.main2().show();
    const PictureBox& box = *road.main2().Picture1;
    OpenPictureFile& taskChooser = road.pictureChooser();
    const QString photo = file("photo.jpg");
    std::printf("photo 6000 x 4000, %lld kB; task picture box %d x %d device pixels\n",
                QFile(photo).size() / 1024, box.deviceSize().width(), box.deviceSize().height());
    printHeader();

    // In turns, so that both see the same machine.
    std::vector<double> floorTimes, openTimes;
    decodeEighth(photo);
    openWith(taskChooser, photo);
    for (int i = 0; i < Runs; ++i) {
        floorTimes.push_back(measure(
                                 1, [&] { decodeEighth(photo); }, false)
                                 .median);
        openTimes.push_back(measure(
                                1, [&] { openWith(taskChooser, photo); }, false)
                                .median);
    }
    const auto sample = [](std::vector<double> times) {
        std::sort(times.begin(), times.end());
        return Sample{times[times.size() / 2], times.front(), times.back()};
    };
    const Sample floor = sample(floorTimes);
    printRow("floor: libjpeg alone, 1/8 scale", floor, {}, "-");
    printRow("open into the task picture box", sample(openTimes), floor, "<= 1.2x");

    const double budget = double(PictureLimits::MemoryBudget) / (1 << 20);
    const char* target = "< 256 MB";
    const auto peakRow = [&](const char* name, const QStringList& paths, int refusals) {
        const Peak peak = childPeak(paths);
        printRow(name, peak.megabytes, {}, target, "MB");
        if (peak.refused != refusals || peak.megabytes.max >= budget)
            std::printf("  ^ %d of %lld refused, expected %d\n", peak.refused,
                        static_cast<long long>(paths.size()), refusals);
    };
    std::printf("\npeak memory above idle, pictures opened in a fresh process\n");
    printHeader();
    peakRow("phone photo 12000 x 9000 (opens)", {file("phone.jpg")}, 0);
    peakRow("16-bit png 7000 x 7000 (refused)", {file("deep.png")}, 1);
    peakRow("five small files of large pictures",
            {file("bomb1.tif"), file("bomb2.png"), file("bomb3.png"), file("bomb4.webp"),
             file("bomb5.jpg")},
            0);
    return 0;
}

#else

int main()
{
    std::printf("bench_media needs libjpeg (Debian: libjpeg62-turbo-dev): nothing measured\n");
    return 0;
}

#endif
