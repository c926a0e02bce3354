#pragma once

#include <chrono>

namespace jet {

// OLE automation date: days since 1899-12-30 00:00 as a double, the fraction being the time
// of day. Jet stores local wall-clock time, so the conversion goes through the local time
// zone; seconds are whole (Jet keeps no sub-second part).
double toOleDate(std::chrono::system_clock::time_point time);

// The same from a civil date and time (used for fixed reference dates and tests).
double toOleDate(int year, int month, int day, int hour, int minute, int second);

} // namespace jet
