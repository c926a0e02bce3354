#include "TypedPath.h"

#include <QDir>
#include <QUrl>

QString typedPath(const QString& typed, const QString& base)
{
    QString path = typed.trimmed();
    // File managers copy paths in quotes; a dropped or pasted address starts with file://.
    if (path.size() >= 2 && path.startsWith(QLatin1Char('"')) && path.endsWith(QLatin1Char('"')))
        path = path.mid(1, path.size() - 2);
    if (path.startsWith(QStringLiteral("file://")))
        path = QUrl(path).toLocalFile();
    if (path.isEmpty())
        return {};
    if (path == QLatin1String("~") || path.startsWith(QStringLiteral("~/")))
        path = QDir::homePath() + path.mid(1);
    path = QDir::fromNativeSeparators(path);
    return QDir::cleanPath(QDir(base).absoluteFilePath(path));
}

bool looksLikePath(const QString& typed)
{
    const QString text = typed.trimmed();
    return text.contains(QLatin1Char('/')) || text.contains(QDir::separator()) ||
           text.startsWith(QLatin1Char('~')) || text.startsWith(QStringLiteral("file://")) ||
           QDir::isAbsolutePath(text);
}
