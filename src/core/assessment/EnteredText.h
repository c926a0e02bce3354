#pragma once
// What a person types or pastes into a text box, made safe where it enters: line breaks, tabs
// and other control characters (C0, DEL, C1) become one blank, the invisible U+FEFF and halves
// of characters go, and a length limit never cuts a character in two. Every one-line box whose
// text ends up in a report or a file name goes through here.

#include <QString>

// The text with each run of control characters made one blank (a trailing run dropped), every
// U+FEFF and every unpaired surrogate removed, then cut to at most `maxUnits` UTF-16 units
// without splitting a character.
QString cleanEnteredText(const QString& text, qsizetype maxUnits);
