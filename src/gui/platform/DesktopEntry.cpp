#include "DesktopEntry.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace desktopentry {
namespace {

bool isFieldCode(const QString& token)
{
    static const QString codes = QStringLiteral("fFuUdDnNickvm");
    return token.size() == 2 && token[0] == QLatin1Char('%') && codes.contains(token[1]);
}

} // namespace

platform::ProgramCommand commandOf(const QString& desktopFile)
{
    QFile file(desktopFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QTextStream in(&file);
    bool inMainGroup = false;
    QString exec;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('[')))
            inMainGroup = line == QStringLiteral("[Desktop Entry]");
        else if (inMainGroup && line.startsWith(QStringLiteral("Exec=")))
            exec = line.mid(5);
    }

    QStringList tokens;
    for (QString token : QProcess::splitCommand(exec)) {
        if (isFieldCode(token))
            continue;
        token.replace(QStringLiteral("%%"), QStringLiteral("%"));
        tokens << token;
    }
    if (tokens.isEmpty())
        return {};
    const QString program = tokens.takeFirst();
    return {program, tokens};
}

QString defaultFor(const QString& mimeType)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(2000)) {
        query.kill();
        query.waitForFinished(500);
        return {};
    }
    const QString id = QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
    if (id.isEmpty())
        return {};
    return QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
}

} // namespace desktopentry
