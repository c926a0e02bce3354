#pragma once
// A path as a person types or pastes it into a path or name box: with or without quotes around
// it, as a file:// address, starting at the home folder with "~", or relative to the folder the
// lists show.

#include <QString>

// The absolute, clean path that `typed` means, seen from the folder `base`; empty when nothing
// but blanks was typed.
QString typedPath(const QString& typed, const QString& base);

// Whether `typed` names a place rather than a bare name: it holds a folder separator, or starts
// with "~" or a drive.
bool looksLikePath(const QString& typed);
