// The task picture: a 6000 x 4000 photo opened into the task picture box (read at the size the
// box needs, fitted and painted, as Open does) against a plain full-size read of the same file,
// and the peak memory of each, measured in a fresh child process so that nothing else counts.

#include "../BenchTable.h"
#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "OpenPictureFile.h"
#include "PictureBox.h"
#include "Platform.h"
#include "Seams.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int Runs = 15;
constexpr int MemoryRuns = 5;

// A photo-like picture: smooth gradients with fine detail, so the JPEG is of a camera's size.
bool writePhoto(const QString& path)
{
    QImage image(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb((x / 24 + (x ^ y) % 17) & 0xFF, (y / 16 + (x * 3 + y) % 13) & 0xFF,
                           ((x + y) / 40) & 0xFF);
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
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

void openIntoTaskBox(const QString& path)
{
    Module1::SelectedPicturePath = path;
    Forms::get<OpenPictureFile>().cmdOpen_Click();
}

// The child: everything set up, the peak reset to what is resident now, then one read.
int memoryChild(const QString& mode, const QString& path)
{
    platform::ScopedSeams seams;
    seams->message = [](const platform::MessageRequest&) {
        std::exit(2); // a picture that does not open is not measured
        return false;
    };
    Forms::show<Main2>();
    Forms::get<OpenPictureFile>();
    QImageReader(path).canRead(); // the image plug-ins loaded before measuring
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    const bool reset = clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    clear.close();
    const qint64 idle = reset ? statusKb("VmRSS:") : statusKb("VmHWM:");
    if (mode == QStringLiteral("fitted")) {
        openIntoTaskBox(path);
    } else {
        const QImage image(path);
        if (image.isNull())
            return 1;
    }
    std::printf("%lld\n", statusKb("VmHWM:") - idle);
    std::fflush(stdout);
    Forms::destroyAll();
    return 0;
}

Sample childPeaks(const QString& mode, const QString& path)
{
    std::vector<double> peaks;
    for (int i = 0; i < MemoryRuns; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--memory"), mode, path});
        child.waitForFinished(120000);
        peaks.push_back(child.readAllStandardOutput().trimmed().toDouble() / 1024);
    }
    std::sort(peaks.begin(), peaks.end());
    return {peaks[peaks.size() / 2], peaks.front(), peaks.back()};
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
    if (args.size() == 4 && args[1] == QStringLiteral("--memory"))
        return memoryChild(args[2], args[3]);

    QTemporaryDir temp;
    const QString path = temp.filePath(QStringLiteral("photo.jpg"));
    if (!temp.isValid() || !writePhoto(path)) {
        std::fprintf(stderr, "cannot write the test photo\n");
        return 1;
    }
    platform::ScopedSeams seams;
    seams->message = [](const platform::MessageRequest& request) {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(request.text));
        return false;
    };

    Forms::show<Main2>();
    const PictureBox& box = *Forms::get<Main2>().Picture1;
    std::printf("photo 6000 x 4000, %lld kB; task picture box %d x %d device pixels\n",
                QFile(path).size() / 1024, box.deviceSize().width(), box.deviceSize().height());
    printHeader();

    const Sample plain = measure(Runs, [&] {
        const QImage image(path);
        if (image.isNull())
            std::abort();
    });
    const Sample fitted = measure(Runs, [&] { openIntoTaskBox(path); });
    printRow("plain full-size QImage load", plain, {}, "-");
    printRow("open into the task picture box", fitted, plain, "<= 0.25x");

    const Sample plainPeak = childPeaks(QStringLiteral("plain"), path);
    const Sample fittedPeak = childPeaks(QStringLiteral("fitted"), path);
    printRow("peak memory above idle, plain load", plainPeak, {}, "-", "MB");
    printRow("peak memory above idle, open into the box", fittedPeak, plainPeak, "< 30 MB", "MB");
    Forms::destroyAll();
    return 0;
}
