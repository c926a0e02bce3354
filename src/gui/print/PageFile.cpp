#include "PageFile.h"

#include "SafeWrite.h"

#include <QFile>
#include <QFontDatabase>

#include <filesystem>
#include <span>

namespace pagefile {
namespace {

namespace fs = std::filesystem;

fs::path toPath(const QString& path)
{
    return fs::path(path.toStdU16String());
}

QString cannotWrite(const QString& path, const QString& why)
{
    return QStringLiteral("%1 cannot be written: %2").arg(path, why);
}

QString systemWords(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message().c_str());
}

} // namespace

QString write(const QString& path, const QByteArray& pdf)
{
    std::error_code error;
    fs::path target = toPath(path);
    const fs::file_status status = fs::status(target, error);
    if (error && status.type() != fs::file_type::not_found)
        return cannotWrite(path, systemWords(error));
    switch (status.type()) {
    case fs::file_type::not_found:
        break;
    case fs::file_type::regular:
        // Through a link, the file it leads to is replaced; the link stays.
        target = fs::canonical(target, error);
        if (error)
            return cannotWrite(path, systemWords(error));
        break;
    case fs::file_type::character:
    case fs::file_type::fifo: {
        QFile stream(path);
        if (!stream.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
            stream.write(pdf) != pdf.size())
            return cannotWrite(path, stream.errorString());
        return {};
    }
    case fs::file_type::directory:
        return cannotWrite(path, QStringLiteral("it is a folder"));
    default:
        return cannotWrite(path, QStringLiteral("it is not a file"));
    }
    try {
        safewrite::writeFile(target,
                             std::span(reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                                       std::size_t(pdf.size())));
    } catch (const safewrite::Error& failed) {
        return cannotWrite(path, QString::fromLocal8Bit(failed.reason().c_str()));
    }
    if (QFile(QString::fromStdU16String(target.u16string())).size() != pdf.size())
        return cannotWrite(path, QStringLiteral("the file on disk is not the page written"));
    return {};
}

bool sameFile(const QString& a, const QString& b)
{
    std::error_code error;
    return fs::equivalent(toPath(a), toPath(b), error) && !error;
}

QString missingFonts()
{
    const QStringList installed = QFontDatabase::families();
    const struct
    {
        QStringList names;
        const char* package;
    } fonts[] = {
        {{QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, "fonts-liberation2"},
        {{QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue")}, "fonts-comic-neue"},
    };
    for (const auto& font : fonts) {
        const bool found =
            std::any_of(font.names.begin(), font.names.end(),
                        [&](const QString& name) { return installed.contains(name); });
        if (!found)
            return QStringLiteral("The page cannot be printed: the font %1 is not installed, so "
                                  "its text would print as boxes. Install %2 (the package %3).")
                .arg(font.names.first(), font.names.last(), QString::fromLatin1(font.package));
    }
    return {};
}

} // namespace pagefile
