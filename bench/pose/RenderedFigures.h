#pragma once
// The rendered figures of tests/data/pose (tools/render-pose-figures.py) and what the pose
// measurement makes of them: each figure's true angles and drawings from figures.tsv, and the
// tallies of errors, agreement with the true drawing, and "check by eye", per view and joint.

#include "MeasureCommand.h"
#include "OptionTable.h"
#include "Suggestion.h"

#include <QFile>
#include <QMap>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <vector>

namespace rendered {

inline const QString Folder = QStringLiteral(VESK_SOURCE_DIR "/tests/data/pose");

struct Figure
{
    QString picture;
    int view = 0;               // degrees off the side view toward the front
    QMap<QString, float> truth; // "trunk", "neck", "knee", "right_arm", "left_wrist", ...
    QMap<QString, int> option;  // the same keys: the true drawing's option number, 0 none
};

inline std::vector<Figure> figures()
{
    std::vector<Figure> list;
    QFile file(Folder + QStringLiteral("/figures.tsv"));
    if (!file.open(QIODevice::ReadOnly))
        return list;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList columns = lines.value(0).split(u'\t');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(u'\t');
        Figure f;
        for (qsizetype c = 0; c < columns.size() && c < cells.size(); ++c) {
            const QString& name = columns[c];
            if (name == u"picture")
                f.picture = cells[c];
            else if (name == u"view")
                f.view = cells[c].toInt();
            else if (name.endsWith(u"_option"))
                f.option[name.chopped(7)] = cells[c].toInt();
            else if (name != u"facing")
                f.truth[name] = cells[c].toFloat();
        }
        list.push_back(f);
    }
    return list;
}

// The figures.tsv key of a region's angle, "trunk" or "right_elbow".
inline QString key(const RegionSuggestion& s)
{
    static const char* const names[] = {"", "trunk", "neck", "knee", "arm", "elbow", "wrist"};
    const QString name = QString::fromLatin1(names[int(s.measure)]);
    if (s.measure == Measure::Trunk || s.measure == Measure::Neck || s.measure == Measure::Knee)
        return name;
    return (s.side == Side::Right ? QStringLiteral("right_") : QStringLiteral("left_")) + name;
}

// The option number of a region's drawing for an angle, by the option table; 0 none.
inline int optionNumber(Region region, float degrees)
{
    const int index = bandOption(region, degrees);
    return index < 0 ? 0 : Options[std::size_t(index)].option;
}

struct Tally
{
    std::vector<float> errors; // measured minus true; the wrist by its size, its sign unsure
    int suggested = 0, agreed = 0, twoAway = 0, checkByEye = 0, regions = 0;

    float percentile(double p) const
    {
        if (errors.empty())
            return 0;
        std::vector<float> a;
        for (const float e : errors)
            a.push_back(std::abs(e));
        std::sort(a.begin(), a.end());
        return a[std::size_t(p * double(a.size() - 1) + 0.5)];
    }
};

struct Evaluation
{
    QMap<int, int> figures, found; // by view
    QMap<QString, Tally> joints;   // "<view> <measure> near|far"
    QMap<int, Tally> views;        // all regions of a view: check by eye

    void add(const Figure& figure, const measurecommand::PhotoMeasurement& m)
    {
        ++figures[figure.view];
        if (m.pose.outcome != PoseMeasurement::Outcome::Person)
            return;
        ++found[figure.view];
        for (const RegionSuggestion& s : m.suggestions) {
            const QString k = key(s);
            const bool whole = s.measure == Measure::Trunk || s.measure == Measure::Neck ||
                               s.measure == Measure::Knee;
            const QString joint = QStringLiteral("%1 %2 %3")
                                      .arg(figure.view)
                                      .arg(k.section(u'_', -1))
                                      .arg(whole || s.side == m.angles.nearSide ? "near" : "far");
            Tally& t = joints[joint];
            Tally& v = views[figure.view];
            ++t.regions;
            ++v.regions;
            const float truth = figure.truth.value(k);
            if (s.angle.measured)
                t.errors.push_back(s.measure == Measure::Wrist
                                       ? std::abs(s.angle.degrees) - std::abs(truth)
                                       : s.angle.degrees - truth);
            if (s.checkByEye()) {
                ++t.checkByEye;
                ++v.checkByEye;
                continue;
            }
            const int expected = figure.option.value(k);
            const int got = s.option >= 0 ? Options[std::size_t(s.option)].option : 0;
            ++t.suggested;
            t.agreed += got == expected;
            // Knee drawings 3 and 4 follow "none" (0) as bands 1, 2 and 3 of the knee.
            const auto rank = [&](int option) {
                return s.measure == Measure::Knee && option > 0 ? option - 2 : option;
            };
            t.twoAway += std::abs(rank(got) - rank(expected)) >= 2;
        }
    }
};

} // namespace rendered
