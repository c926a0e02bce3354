#include "ReportReader.h"

#include "RiskLevel.h"
#include "Windows1252.h"

#include <QFile>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace report {
namespace {

ReadReport failed(const QString& problem)
{
    return {std::nullopt, problem};
}

QString quoted(std::string_view text)
{
    return QLatin1Char('"') + QString::fromUtf8(text) + QLatin1Char('"');
}

// A line as the user would see it in an editor, shortened when long.
QString shown(std::string_view line)
{
    QString text = fromWindows1252(line);
    if (text.size() > 40)
        text = text.left(40) + QStringLiteral("...");
    return text.isEmpty() ? QStringLiteral("an empty line") : QLatin1Char('\'') + text + '\'';
}

std::string_view captionOf(int entry)
{
    if (entry < FirstOptionEntry)
        return ResultCaptions[std::size_t(entry / 2)];
    if (entry < FirstEmployeeEntry)
        return Options[std::size_t((entry - FirstOptionEntry) / 2)].caption;
    return EmployeeCaptions[std::size_t((entry - FirstEmployeeEntry) / 2)];
}

bool isQuoted(std::string_view line)
{
    return line.size() >= 2 && line.front() == '"' && line.back() == '"';
}

std::string_view unquoted(std::string_view line)
{
    return line.substr(1, line.size() - 2);
}

bool isScore(std::string_view line)
{
    const std::string_view digits = line.substr(!line.empty() && line.front() == '-' ? 1 : 0);
    if (digits.empty() || digits.size() > 5)
        return false;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
    }
    const int value = std::stoi(std::string(line));
    return value >= -32768 && value <= 32767;
}

// Bytes the writer never writes: control characters, in Windows-1252 too.
bool isControl(unsigned char byte)
{
    static const std::array<bool, 256> controls = [] {
        std::array<bool, 256> table{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            table[std::size_t(b)] =
                fromWindows1252({&c, 1}).at(0).category() == QChar::Other_Control;
        }
        return table;
    }();
    return controls[byte];
}

bool isRiskLevelWord(std::string_view word)
{
    for (std::int16_t score = 1; score <= 15; ++score) {
        if (scoring::riskLevelWord(score) == word)
            return true;
    }
    return false;
}

QString checkLine(int entry, std::string_view line)
{
    const int number = entry + 1;
    if (entry % 2 == 0) {
        // The captions are plain ASCII, the same bytes in Windows-1252 as in UTF-8.
        const std::string_view caption = captionOf(entry);
        if (!isQuoted(line) || unquoted(line) != caption)
            return QStringLiteral("Line %1 should read %2, not %3.")
                .arg(number)
                .arg(quoted(caption), shown(line));
        return {};
    }
    if (entry == LeftRiskLevel || entry == RightRiskLevel) {
        if (!isQuoted(line) || !isRiskLevelWord(unquoted(line)))
            return QStringLiteral("Line %1 should hold a risk level word in double quotes, not %2.")
                .arg(number)
                .arg(shown(line));
        return {};
    }
    if (entry < FirstOptionEntry) {
        if (!isScore(line))
            return QStringLiteral("Line %1 should hold a score, a whole number, not %2.")
                .arg(number)
                .arg(shown(line));
        return {};
    }
    if (entry < FirstEmployeeEntry) {
        if (line != "\"True\"" && line != "\"False\"")
            return QStringLiteral("Line %1 should read \"True\" or \"False\", not %2.")
                .arg(number)
                .arg(shown(line));
        return {};
    }
    if (!line.empty() && !isQuoted(line))
        return QStringLiteral("Line %1 should hold a text in double quotes, not %2.")
            .arg(number)
            .arg(shown(line));
    if (line.size() > std::size_t(MaxEmployeeText) + 2)
        return QStringLiteral("Line %1 is longer than the %2 characters an employee text can have.")
            .arg(number)
            .arg(MaxEmployeeText);
    return {};
}

int lineOfOption(int option)
{
    return FirstOptionEntry + 2 * option + 2;
}

// Whether a person could have clicked these options and saved them: one base option of each
// region that has them, at most one of the two knee options.
QString checkCombination(const std::array<bool, OptionCount>& chosen)
{
    for (int k = 0; k < OptionCount; ++k) {
        const OptionSpec& option = Options[std::size_t(k)];
        if (option.kind != OptionKind::Base && option.kind != OptionKind::Knee)
            continue;
        int firstOfKind = -1;
        int lastOfKind = k;
        int chosenBefore = -1;
        for (int j = 0; j < OptionCount; ++j) {
            const OptionSpec& other = Options[std::size_t(j)];
            if (other.region != option.region || other.kind != option.kind)
                continue;
            if (firstOfKind < 0)
                firstOfKind = j;
            lastOfKind = j;
            if (j < k && chosen[std::size_t(j)] && chosenBefore < 0)
                chosenBefore = j;
        }
        if (chosen[std::size_t(k)] && chosenBefore >= 0)
            return QStringLiteral("Line %1 chooses %2 as well as %3; only one of them can be "
                                  "chosen.")
                .arg(lineOfOption(k))
                .arg(quoted(option.caption), quoted(Options[std::size_t(chosenBefore)].caption));
        if (option.kind == OptionKind::Base && k == lastOfKind) {
            bool any = false;
            for (int j = firstOfKind; j <= lastOfKind; ++j)
                any = any || chosen[std::size_t(j)];
            if (!any)
                return QStringLiteral("Lines %1 to %2 choose none of %3 to %4; a saved "
                                      "assessment chooses one of them.")
                    .arg(lineOfOption(firstOfKind))
                    .arg(lineOfOption(lastOfKind))
                    .arg(quoted(Options[std::size_t(firstOfKind)].caption), quoted(option.caption));
        }
    }
    return {};
}

} // namespace

ReadReport parseReport(const QByteArray& bytes)
{
    if (bytes.size() > MaxReportBytes)
        return failed(
            QStringLiteral("It is too large to be a saved report (%1 bytes).").arg(bytes.size()));

    // Lines end in CR LF as saved, or in a line feed alone where a tool has changed the line
    // ends: the report is the same. Every other control character is refused.
    std::vector<std::string_view> lines;
    const std::string_view all(bytes.constData(), std::size_t(bytes.size()));
    std::size_t start = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        const auto byte = static_cast<unsigned char>(all[i]);
        const bool crlf = byte == '\r' && i + 1 < all.size() && all[i + 1] == '\n';
        if (crlf || byte == '\n') {
            lines.push_back(all.substr(start, i - start));
            i += crlf ? 1 : 0;
            start = i + 1;
        } else if (isControl(byte)) {
            return failed(QStringLiteral("Line %1 holds a control character (byte %2): this is "
                                         "not a text report.")
                              .arg(lines.size() + 1)
                              .arg(QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'))));
        }
    }
    // Every byte is read as Windows-1252, the code page the writer writes: a name saved as bytes
    // that would also read as UTF-8 ("Ó’" is D3 92, a Cyrillic letter in UTF-8) is the name saved.
    if (start < all.size())
        lines.push_back(all.substr(start));
    if (lines.size() != std::size_t(FieldCount) || start < all.size())
        return failed(QStringLiteral("It has %1 lines%2; a saved report has exactly %3, each "
                                     "ending in a line break.")
                          .arg(lines.size())
                          .arg(start < all.size() ? QStringLiteral(", the last without a line "
                                                                   "break")
                                                  : QString())
                          .arg(FieldCount));

    for (int entry = 0; entry < FieldCount; ++entry) {
        if (QString problem = checkLine(entry, lines[std::size_t(entry)]); !problem.isEmpty())
            return failed(problem);
    }

    std::array<bool, OptionCount> chosen{};
    for (std::size_t k = 0; k < std::size_t(OptionCount); ++k)
        chosen[k] = lines[std::size_t(FirstOptionEntry) + 2 * k + 1] == "\"True\"";
    if (QString problem = checkCombination(chosen); !problem.isEmpty())
        return failed(problem);

    // Clicking the chosen drawings in table order, as a person could have, chooses exactly them.
    Assessment saved;
    for (int k = 0; k < OptionCount; ++k) {
        if (chosen[std::size_t(k)])
            saved.choose(k);
    }
    auto employee = [&](int entry) {
        const std::string_view line = lines[std::size_t(entry)];
        return line.empty() ? QString() : fromWindows1252(unquoted(line));
    };
    saved.setEmployee(employee(EmployeeName), employee(EmployeeIdNumber),
                      employee(EmployeeLocation));
    return {saved, {}};
}

ReadReport readReport(const QString& path)
{
    // What the path is, before anything opens it: opening a named pipe waits for a writer.
    std::error_code error;
    const auto type = std::filesystem::status(path.toStdU16String(), error).type();
    if (type == std::filesystem::file_type::not_found)
        return failed(QStringLiteral("There is no such file."));
    if (error)
        return failed(QStringLiteral("It cannot be read: %1.")
                          .arg(QString::fromLocal8Bit(error.message().c_str())));
    if (type == std::filesystem::file_type::directory)
        return failed(QStringLiteral("It is a folder, not a saved report."));
    if (type != std::filesystem::file_type::regular)
        return failed(QStringLiteral("It is not a file but a pipe, a device or a socket, not a "
                                     "saved report."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(QStringLiteral("It cannot be read: %1.").arg(file.errorString()));
    // One byte more than allowed is enough to know a file is too large.
    const QByteArray bytes = file.read(MaxReportBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(QStringLiteral("It cannot be read: %1.").arg(file.errorString()));
    return parseReport(bytes);
}

} // namespace report
