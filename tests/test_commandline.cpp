// The program started from a shell as people and scripts start it, without a display: usage
// errors, saved reports that are not files, and pages written where they must not or cannot go.

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Runs the program with no display and no platform chosen, as a terminal on a server would.
Run run(const QStringList& arguments, const QStringList& environment = {})
{
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        variables.remove(QString::fromLatin1(name));
    for (const QString& variable : environment)
        variables.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return runProgram(QStringLiteral(VESK_PROGRAM), arguments, variables);
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;

    QString path(const QString& name) const { return folder.filePath(name); }

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(dataPath("report-full.txt"), path("report.txt")));
        QVERIFY(QFile::link(path("report.txt"), path("link.txt")));
        QVERIFY(QProcess::execute("ln", {path("report.txt"), path("hard.txt")}) == 0);
        QVERIFY(QProcess::execute("mkfifo", {path("fifo")}) == 0);
        QVERIFY(QDir(folder.path()).mkdir("fonts"));
        // fontconfig that finds no font at all
        QVERIFY(writeFile(path("fonts/fonts.conf"),
                          "<?xml version=\"1.0\"?><fontconfig><dir>" + path("fonts").toUtf8() +
                              "</dir><cachedir>" + path("fonts").toUtf8() +
                              "</cachedir></fontconfig>"));
    }

    // Each row: the arguments ({} stands for the folder), the exit status and what the standard
    // error says; the saved report is unchanged after every one.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("says");
        const auto row = [](const char* name, const QStringList& arguments, int status,
                            const char* says, const QStringList& environment = {}) {
            QTest::newRow(name) << arguments << environment << status << QString::fromUtf8(says);
        };
        for (const char* typo : {"--PDF", "-pdf", "--pdf=x", "--unknown"})
            row(typo, {QString::fromLatin1(typo), "{}/report.txt", "{}/page.pdf"}, 2, "Usage:");
        row("too few for --pdf", {"--pdf", "{}/report.txt"}, 2, "--pdf needs a saved report");
        row("a report named -h needs a window", {"--", "-h"}, 134, "");
        row("the report is a named pipe", {"--pdf", "{}/fifo", "{}/page.pdf"}, 1,
            "It is not a file but a pipe");
        for (const char* same : {"report.txt", "link.txt", "hard.txt"})
            row(same, {"--pdf", "{}/report.txt", QStringLiteral("{}/%1").arg(same)}, 1,
                "is the saved report itself");
        row("a full disk", {"--pdf", "{}/report.txt", "/dev/full"}, 1,
            "/dev/full cannot be written: No space left on device");
        row("a folder", {"--pdf", "{}/report.txt", "{}"}, 1, "cannot be written: it is a folder");
        row("no fonts", {"--pdf", "{}/report.txt", "{}/page.pdf"}, 1,
            "the font Arial is not installed", {"FONTCONFIG_FILE={}/fonts/fonts.conf"});
    }

    void refusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, status);
        QFETCH(QString, says);
        for (QString& argument : arguments)
            argument.replace("{}", folder.path());
        for (QString& variable : environment)
            variable.replace("{}", folder.path());
        const Run done = run(arguments, environment);
        // Without a display, a window cannot open: Qt says so and ends (status 134), at once.
        if (status == 134)
            QVERIFY(done.status != 0 && done.status != -2);
        else
            QCOMPARE(done.status, status);
        QVERIFY2(done.err.contains(says), qPrintable(done.err));
        QCOMPARE(readAll(path("report.txt")), dataFile("report-full.txt"));
        QVERIFY(!QFileInfo::exists(path("page.pdf")));
        QVERIFY(QFileInfo(path("link.txt")).isSymLink());
    }

    // Reports as the writer writes them open, whatever bytes their names hold, and so do reports
    // whose line ends a tool changed to line feeds.
    void ownReportsOpen()
    {
        QByteArray report = dataFile("report-full.txt");
        report.replace("\"Anna Smith\"", "\"Aoife \xD3\x92"
                                         "Brien\""); // also reads as UTF-8
        for (const QByteArray& bytes : {report, QByteArray(report).replace("\r\n", "\n")}) {
            QVERIFY(writeFile(path("own.txt"), bytes));
            const Run done = run({"--pdf", path("own.txt"), path("own.pdf")});
            QVERIFY2(done.status == 0, qPrintable(done.err));
        }
    }

    // A pipe gets the page as it is written and stays a pipe.
    void pageIntoAPipe()
    {
        QProcess reader;
        reader.setStandardOutputFile(path("piped.pdf"));
        reader.start("cat", {path("fifo")});
        QVERIFY(reader.waitForStarted());
        QCOMPARE(run({"--pdf", path("report.txt"), path("fifo")}).status, 0);
        QVERIFY(reader.waitForFinished());
        QVERIFY(readAll(path("piped.pdf")).startsWith("%PDF-"));
        QCOMPARE(QProcess::execute("test", {"-p", path("fifo")}), 0);
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "test_commandline.moc"
