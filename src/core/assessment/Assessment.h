#pragma once
// Assessment: what the assessor chose and typed for one task, as a value. The chosen drawings
// and the employee details are all it holds; every score follows from the drawings through
// scores(), so nothing can drift out of step with them. The click rules of the drawings live in
// choose(), the one place they are written.

#include "OptionTable.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The twelve posture input scores and the ten scores computed from them, under their designed
// names. Scores are 16-bit signed like the worksheet's.
struct Scores
{
    std::int16_t TrunkScore = 0;
    std::int16_t NeckScore = 0;
    std::int16_t LegsScore = 0;
    std::int16_t UpperRightArmScore = 0;
    std::int16_t UpperLeftArmScore = 0;
    std::int16_t LowerRightArmScore = 0;
    std::int16_t LowerLeftArmScore = 0;
    std::int16_t LeftWristScore = 0;
    std::int16_t RightWristScore = 0;
    std::int16_t LoadForceScore = 0;
    std::int16_t CouplingScoreValue = 0;
    std::int16_t ActivityScoreValue = 0;

    std::int16_t PostureScoreA = 0;
    std::int16_t ScoreA = 0;
    std::int16_t LeftPostureScoreB = 0;
    std::int16_t RightPostureScoreB = 0;
    std::int16_t LeftScoreB = 0;
    std::int16_t RightScoreB = 0;
    std::int16_t LeftScoreC = 0;
    std::int16_t RightScoreC = 0;
    std::int16_t LeftVESKScore = 0;
    std::int16_t RightVESKScore = 0;

    // The input score of a body region.
    std::int16_t input(Region region) const;

    friend bool operator==(const Scores&, const Scores&) = default;
};

// Who was assessed, as confirmed on the employee details: apostrophes removed.
struct Employee
{
    QString name;
    QString idNumber;
    QString location;

    friend bool operator==(const Employee&, const Employee&) = default;
};

class Assessment
{
public:
    // The click on the drawing of option `option` (an index into Options):
    // - a base option becomes the region's one base choice (clicking it again changes nothing);
    // - an adjustment or an activity is chosen or given up in turn;
    // - of the two knee options at most one is chosen, and once one is, one stays: clicking the
    //   chosen one moves the choice to the other.
    void choose(int option);

    bool isChosen(int option) const { return m_chosen[std::size_t(option)]; }
    const std::array<bool, OptionCount>& chosen() const { return m_chosen; }
    bool hasAnyChoice() const;

    // Whether one of the region's base options is chosen.
    bool isFilled(Region region) const;
    // The regions that still need a base choice before the results can be computed, in the
    // order they are checked.
    std::vector<RequiredRegion> missingRegions() const;

    // A region's score: the value of its chosen base option (0 while none is) plus the values of
    // its chosen adjustments.
    std::int16_t regionScore(Region region) const;
    // Every score, from the chosen drawings alone. Meaningful once no region is missing.
    Scores scores() const;

    // Sets the employee details as typed; apostrophes are removed.
    void setEmployee(const QString& name, const QString& idNumber, const QString& location);
    // Empty until the details are confirmed.
    const std::optional<Employee>& employee() const { return m_employee; }
    QString EmployeeName() const { return m_employee ? m_employee->name : QString(); }
    QString EmployeeIdNumber() const { return m_employee ? m_employee->idNumber : QString(); }
    QString EmployeeLocation() const { return m_employee ? m_employee->location : QString(); }

    friend bool operator==(const Assessment&, const Assessment&) = default;

private:
    std::array<bool, OptionCount> m_chosen{};
    std::optional<Employee> m_employee;
};

// Returns the text with its apostrophes (character 39) removed, at most the first 100 of them;
// every other character stays, in order.
QString RemoveApostrophes(const QString& text);
