#pragma once
// Desktop entries (.desktop files) of freedesktop.org desktops: the program an entry runs, and
// the entry of the desktop's default program for a kind of file.

#include "Seams.h"

#include <QString>

namespace desktopentry {

// The command the entry in `desktopFile` runs, its file placeholders (%f, %U, ...) removed; an
// empty program when the entry has no usable Exec line.
platform::ProgramCommand commandOf(const QString& desktopFile);

// The desktop entry file of the default program for `mimeType`; empty when there is none.
QString defaultFor(const QString& mimeType);

} // namespace desktopentry
