#include "Recovery.h"

#include "SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>

#include <array>

namespace {

const QByteArray Format = QByteArrayLiteral("VESK recovery 1");
const std::array<QByteArray, 3> EmployeeCaptions{
    "Employee Name:", "Employee ID:", "Employee Location:"};
// A recovery is small; anything larger is not one.
constexpr qint64 MaxBytes = qint64(64) * 1024;

// The lock of a recovery: held by the run that writes it, released by the system when that run
// ends however it ends (a lock whose process is gone counts as stale).
std::unique_ptr<QLockFile> lockOf(const QString& path)
{
    auto lock = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    return lock;
}

QByteArray oneLine(const QString& text)
{
    QByteArray line = text.toUtf8();
    line.replace('\n', ' ').replace('\r', ' ');
    return line;
}

} // namespace

Recovery::Recovery(QString folder) : m_folder(std::move(folder)) {}

Recovery::~Recovery() = default;

std::vector<Recovery::Left> Recovery::leftByEndedRuns()
{
    std::vector<Left> left;
    const QFileInfoList files = QDir(m_folder).entryInfoList(
        {QStringLiteral("recovery-*.txt")}, QDir::Files | QDir::Hidden, QDir::Time);
    for (const QFileInfo& file : files) {
        const QString path = file.absoluteFilePath();
        if (path == m_path)
            continue;
        std::unique_ptr<QLockFile> lock = lockOf(path);
        if (!lock->tryLock(0))
            continue; // its run goes on
        QFile recovery(path);
        std::optional<Assessment> assessment;
        if (file.size() <= MaxBytes && recovery.open(QIODevice::ReadOnly))
            assessment = parse(recovery.readAll());
        if (!assessment) {
            QFile::remove(path); // not a recovery this program wrote whole
            continue;
        }
        left.push_back({path, *assessment, file.lastModified()});
        m_locked.emplace_back(path, std::move(lock));
    }
    return left;
}

void Recovery::takeOver(const QString& path)
{
    for (auto held = m_locked.begin(); held != m_locked.end(); ++held) {
        if (held->first == path) {
            discard();
            m_path = path;
            m_lock = std::move(held->second);
            m_locked.erase(held);
            return;
        }
    }
}

void Recovery::throwAway(const QString& path)
{
    for (auto held = m_locked.begin(); held != m_locked.end(); ++held) {
        if (held->first == path) {
            QFile::remove(path);
            m_locked.erase(held);
            return;
        }
    }
}

bool Recovery::keep(const Assessment& assessment)
{
    if (m_path.isEmpty()) {
        if (!QDir().mkpath(m_folder))
            return false;
        const QString path = QDir(m_folder).filePath(
            QStringLiteral("recovery-%1.txt")
                .arg(QRandomGenerator::system()->generate64(), 16, 16, QLatin1Char('0')));
        std::unique_ptr<QLockFile> lock = lockOf(path);
        if (!lock->tryLock(0))
            return false;
        m_path = path;
        m_lock = std::move(lock);
    }
    const QByteArray bytes = text(assessment);
    try {
        // Not synced: what has to survive is the end of this process, not of the machine, and a
        // sync at every click would make clicks slow.
        safewrite::writeFile(m_path.toStdU16String(),
                             std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       std::size_t(bytes.size())),
                             false);
    } catch (const safewrite::Error&) {
        return false;
    }
    return true;
}

void Recovery::discard()
{
    if (m_path.isEmpty())
        return;
    QFile::remove(m_path);
    m_lock.reset();
    m_path.clear();
}

QByteArray Recovery::text(const Assessment& assessment)
{
    QByteArray text = Format + '\n';
    if (const auto& employee = assessment.employee()) {
        const QString values[3] = {employee->name, employee->idNumber, employee->location};
        for (std::size_t k = 0; k < EmployeeCaptions.size(); ++k)
            text += EmployeeCaptions[k] + '\t' + oneLine(values[k]) + '\n';
    }
    for (int option = 0; option < OptionCount; ++option) {
        if (assessment.isChosen(option)) {
            const std::string_view caption = Options[std::size_t(option)].caption;
            text += QByteArray(caption.data(), qsizetype(caption.size())) + '\n';
        }
    }
    return text;
}

std::optional<Assessment> Recovery::parse(const QByteArray& text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 2 || lines.takeFirst() != Format || !lines.takeLast().isEmpty())
        return std::nullopt;
    std::array<bool, OptionCount> chosen{};
    std::array<std::optional<QString>, 3> details;
    for (const QByteArray& line : lines) {
        bool known = false;
        for (std::size_t k = 0; k < EmployeeCaptions.size() && !known; ++k) {
            if (line.startsWith(EmployeeCaptions[k] + '\t')) {
                details[k] = QString::fromUtf8(line.mid(EmployeeCaptions[k].size() + 1));
                known = true;
            }
        }
        for (int option = 0; option < OptionCount && !known; ++option) {
            const std::string_view caption = Options[std::size_t(option)].caption;
            if (line == QByteArray(caption.data(), qsizetype(caption.size())))
                known = chosen[std::size_t(option)] = true;
        }
        if (!known)
            return std::nullopt;
    }
    Assessment assessment;
    for (int option = 0; option < OptionCount; ++option) {
        if (chosen[std::size_t(option)])
            assessment.choose(option);
    }
    if (details[0] && details[1] && details[2])
        assessment.setEmployee(*details[0], *details[1], *details[2]);
    return assessment;
}
