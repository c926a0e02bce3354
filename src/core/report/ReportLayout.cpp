#include "ReportLayout.h"

namespace report {

const std::array<std::string_view, ResultCount> ResultCaptions{
    "VESK Score - Left Arm",
    "Risk Level - Left Arm",
    "Upper Arm - Left",
    "Lower Arm - Left",
    "Wrist - Left",
    "VESK Score - Right Arm",
    "Risk Level - Right Arm",
    "Upper Arm - Right",
    "Lower Arm - Right",
    "Wrist - Right",
    "Trunk",
    "Neck",
    "Legs",
    "Load / Force",
    "Coupling",
    "Activity",
};

const std::array<std::string_view, 3> EmployeeCaptions{
    "Employee Name:",
    "Employee ID:",
    "Employee Location:",
};

const std::array<std::string_view, 3> EmployeeColumns{
    "Employee Name",
    "Employee Number",
    "Employee Location",
};

} // namespace report
