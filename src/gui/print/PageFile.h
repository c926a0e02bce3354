#pragma once
// Where a printed page goes when it is written to a file: the PDF is made in memory first, so
// that nothing reaches the disk until the whole page exists, and then written through the one
// safe-write. A failure leaves an older file of that name as it was.

#include <QByteArray>
#include <QString>

namespace pagefile {

// Writes the bytes of a finished PDF at `path`. A regular file there (or the file a link there
// leads to) is replaced only by the complete new one. A pipe or a terminal is written to as it
// is, never replaced by a file; a folder or anything else is refused. Returns what went wrong,
// empty on success.
QString write(const QString& path, const QByteArray& pdf);

// Whether `a` and `b` name one file, through links and hard links too.
bool sameFile(const QString& a, const QString& b);

// The fonts the page is set in, when one of them is not installed (every character of the page
// would otherwise print as a box): what is missing and how to install it. Empty when all are.
QString missingFonts();

} // namespace pagefile
