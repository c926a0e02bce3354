#pragma once
// The layout of the report table: 128 entries forming 64 caption and value pairs. Entry 2k holds
// a caption, entry 2k+1 the value that belongs to it. Entries 0-31 are the sixteen results,
// 32-121 the forty-five drawing options, 122-127 the employee details.

#include "OptionTable.h"
#include "TaggedValue.h"

#include <array>
#include <string_view>

namespace report {

inline constexpr int FieldCount = 128;
using ReportTable = std::array<TaggedValue, FieldCount>;

inline constexpr int ResultCount = 16;
inline constexpr int FirstOptionEntry = 32;
inline constexpr int OptionCount = ::OptionCount;
inline constexpr int FirstEmployeeEntry = 122;

// The captions of entries 0, 2, ..., 30; they are also the column names of the results table.
extern const std::array<std::string_view, ResultCount> ResultCaptions;
// The captions of entries 122, 124, 126.
extern const std::array<std::string_view, 3> EmployeeCaptions;
// The column names of the employee table, in the order of entries 123, 125, 127.
extern const std::array<std::string_view, 3> EmployeeColumns;

// Value entries by meaning.
inline constexpr int LeftFinalScore = 1;
inline constexpr int LeftRiskLevel = 3;
inline constexpr int RightFinalScore = 11;
inline constexpr int RightRiskLevel = 13;
inline constexpr int EmployeeName = 123;
inline constexpr int EmployeeIdNumber = 125;
inline constexpr int EmployeeLocation = 127;

} // namespace report
