#pragma once
// The end of the road: completes the report table from the posture selection window, writes
// both files, says "File Saved" and ends the program.

// Writes both files for the current ReportBaseName and SaveFolder. On success shows
// "File Saved" and ends the program; on failure shows what failed and what is on disk, and
// returns false with the program still running.
bool WriteReportFiles();
