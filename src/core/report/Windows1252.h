#pragma once
// Encoding of text into Windows-1252, the single-byte code page of the text report, and back.

#include <QString>

#include <string>
#include <string_view>

// A character the code page cannot hold is written as the close character Windows writes for it
// (its best fit: Ł as L, ś as s), and where there is none as one "?", whatever its length in
// UTF-16.
std::string toWindows1252(const QString& text);

// The text as a report written in Windows-1252 holds it.
QString asWrittenInWindows1252(const QString& text);

// Every byte stands for one character; none is lost, so what was encoded reads back the same.
QString fromWindows1252(std::string_view bytes);
