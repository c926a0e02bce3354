#pragma once
// What tests of every kind share: reading files and the data tables under tests/data, and
// finding an option by the name of its drawing.

#include "OptionTable.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <QStringList>

// The whole file, or "<missing>" when it cannot be read.
inline QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// A file under tests/data.
inline QString dataPath(const QString& name)
{
    return QStringLiteral(VESK_TEST_DATA "/") + name;
}

inline QByteArray dataFile(const QString& name)
{
    return readAll(dataPath(name));
}

// The lines of a data file without its comments, split at `separator` (blanks: runs of them).
inline QList<QStringList> dataRows(const QString& name, QChar separator = u' ')
{
    QList<QStringList> rows;
    for (const QByteArray& line : dataFile(name).split('\n')) {
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        rows << QString::fromUtf8(line).split(separator, separator == u' ' ? Qt::SkipEmptyParts
                                                                           : Qt::KeepEmptyParts);
    }
    return rows;
}

// The index into Options of the option whose drawing has this name, or -1.
inline int optionIndex(const QString& drawing)
{
    for (int i = 0; i < OptionCount; ++i) {
        if (QLatin1String(Options[std::size_t(i)].drawing.data(),
                          qsizetype(Options[std::size_t(i)].drawing.size())) == drawing)
            return i;
    }
    return -1;
}

inline QString text(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}
