#pragma once
// The parts that the printed worksheet and the printed comparison share: the title with its date,
// who was assessed, each side's final score with what its risk level asks for, what changed since
// an earlier assessment, and drawings with their words. Each part is laid out at a top left
// corner in a width, in points, and gives back its bottom edge.

#include "AssessmentChange.h"
#include "PageLayout.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <vector>

namespace pageblocks {

// The page's margin on every side, and the space between parts.
inline constexpr double Margin = 36;
inline constexpr double Gap = 10;

// The dark blue of the windows' titles and labels.
QColor ink();
QString arial();
QString comic();

// "Saved on 6 December 2026, 14:03 CET": the date in local time with its zone.
QString dateLine(const QString& caption, const QDateTime& date);

// The title on the left, `date` (if any) on the right, a rule under both.
double header(PageLayout& page, QPointF topLeft, double width, const QString& title,
              const QString& date);

// Name, ID number and location side by side, each under its caption. A long text wraps, at any
// character where a word is longer than its column, and its font shrinks to no less than 8 pt.
double employee(PageLayout& page, QPointF topLeft, double width, const Employee& employee);

// For each side, in two columns: "Left hand side", the final score with its risk level word (with
// `before`, as it was and is now), and under them the action and time frame that the risk level
// asks for.
double sideResults(PageLayout& page, QPointF topLeft, double width, const Scores& scores,
                   const Scores* before = nullptr);

// "Since the saved assessment": each side's final score and risk level word before and now, and
// by region the drawings chosen or given up, in `columns` columns (from 3 on, the smaller text).
double sinceBlock(PageLayout& page, QPointF topLeft, double width, int columns,
                  const AssessmentChange& change);

// A drawing to list: the option, and what to say before its words ("chosen", "given up").
struct DrawingEntry
{
    int option;
    QString prefix;
};

// The drawings under their region's name, in the order given, in `columns` columns: each drawing
// small, `drawingHeight` points high at most, with its words beside it.
double drawingList(PageLayout& page, QPointF topLeft, double width, int columns,
                   double drawingHeight, const std::vector<DrawingEntry>& entries);

// The heights of a drawing in a list, largest first: a page takes the largest that fits.
inline constexpr std::array<double, 5> DrawingHeights{44, 36, 28, 22, 18};

// The drawings chosen in an assessment, in table order.
std::vector<DrawingEntry> chosenDrawings(const Assessment& assessment);
// The drawings chosen and given up, in table order.
std::vector<DrawingEntry> changedDrawings(const AssessmentChange& change);

} // namespace pageblocks
