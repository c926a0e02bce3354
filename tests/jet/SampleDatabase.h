#pragma once
// The two tables the program saves, with the sample values the reference hashes were made
// with, and helpers the Jet writer tests share.

#include "Database.h"

#include <QDateTime>
#include <QMetaType>

#include <chrono>
#include <string>
#include <vector>

namespace sample {

struct TableSpec
{
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::vector<std::string>> rows;
};

inline const TableSpec result{
    "VESKResult",
    {"VESK Score - Left Arm", "Risk Level - Left Arm", "Upper Arm - Left", "Lower Arm - Left",
     "Wrist - Left", "VESK Score - Right Arm", "Risk Level - Right Arm", "Upper Arm - Right",
     "Lower Arm - Right", "Wrist - Right", "Trunk", "Neck", "Legs", "Load / Force", "Coupling",
     "Activity"},
    {{"7", "Medium", "2", "", "3", "4", "Low", "1", "2", "1", "2", "3", "1", "0", "1", "1"}}};
inline const TableSpec employee{
    "EmployeeDetails",
    {"Employee Name", "Employee Number", "Employee Location"},
    {{"Zo\u00eb \u00c5ngstr\u00f6m-Dvo\u0159\u00e1k \u738b\u5c0f\u660e \u20ac",
      "E" + std::string(199, '9'), ""}}};

// The user tables of the reference files are dated 2024-01-01 12:00:00 local time.
inline jet::Options referenceOptions()
{
    jet::Options options;
    options.clock = [] {
        const QDateTime local(QDate(2024, 1, 1), QTime(12, 0));
        return std::chrono::system_clock::time_point(
            std::chrono::seconds(local.toSecsSinceEpoch()));
    };
    return options;
}

inline void addTable(jet::Database& database, const TableSpec& wanted)
{
    jet::Table table(wanted.name);
    for (const std::string& column : wanted.columns)
        table.appendColumn(column);
    database.appendTable(std::move(table));
    for (const auto& row : wanted.rows)
        database.appendRow(wanted.name, row);
}

// The database the program writes for an assessment, with or without the employee table.
inline jet::Database assessment(bool withEmployee, jet::Options options = referenceOptions())
{
    jet::Database database(std::move(options));
    addTable(database, result);
    if (withEmployee)
        addTable(database, employee);
    return database;
}

} // namespace sample

Q_DECLARE_METATYPE(std::vector<sample::TableSpec>)
