#pragma once
// Encoding of text into Windows-1252, the single-byte code page of the text report.

#include <QString>

#include <string>

// Every character the code page cannot hold becomes one "?", whatever its length in UTF-16.
std::string toWindows1252(const QString& text);
