#include "Assessment.h"

#include "Scoring.h"

#include <utility>

namespace {

bool sameRegionOfKind(const OptionSpec& option, Region region, OptionKind kind)
{
    return option.region == region && option.kind == kind;
}

std::int16_t sum(std::int16_t a, std::int16_t b)
{
    return static_cast<std::int16_t>(a + b);
}

} // namespace

std::int16_t Scores::input(Region region) const
{
    switch (region) {
    case Region::Trunk:
        return TrunkScore;
    case Region::Neck:
        return NeckScore;
    case Region::Legs:
        return LegsScore;
    case Region::UpperRightArm:
        return UpperRightArmScore;
    case Region::UpperLeftArm:
        return UpperLeftArmScore;
    case Region::LowerRightArm:
        return LowerRightArmScore;
    case Region::LowerLeftArm:
        return LowerLeftArmScore;
    case Region::RightWrist:
        return RightWristScore;
    case Region::LeftWrist:
        return LeftWristScore;
    case Region::LoadForce:
        return LoadForceScore;
    case Region::Coupling:
        return CouplingScoreValue;
    case Region::Activity:
        break;
    }
    return ActivityScoreValue;
}

void Assessment::choose(int option)
{
    const OptionSpec& clicked = Options[std::size_t(option)];
    auto chosen = [this](std::size_t i) -> bool& { return m_chosen[i]; };
    switch (clicked.kind) {
    case OptionKind::Base:
        for (std::size_t i = 0; i < Options.size(); ++i) {
            if (sameRegionOfKind(Options[i], clicked.region, OptionKind::Base))
                chosen(i) = int(i) == option;
        }
        break;
    case OptionKind::Adjustment:
    case OptionKind::Toggle:
        chosen(std::size_t(option)) = !isChosen(option);
        break;
    case OptionKind::Knee: {
        // The two knee options are neighbours in the table; once one is chosen one stays chosen.
        const int partner = clicked.option == 3 ? option + 1 : option - 1;
        const bool wasChosen = isChosen(option);
        chosen(std::size_t(option)) = !wasChosen;
        chosen(std::size_t(partner)) = wasChosen;
        break;
    }
    }
}

bool Assessment::hasAnyChoice() const
{
    for (bool chosen : m_chosen) {
        if (chosen)
            return true;
    }
    return false;
}

bool Assessment::isFilled(Region region) const
{
    for (std::size_t i = 0; i < Options.size(); ++i) {
        if (m_chosen[i] && sameRegionOfKind(Options[i], region, OptionKind::Base))
            return true;
    }
    return false;
}

std::vector<RequiredRegion> Assessment::missingRegions() const
{
    std::vector<RequiredRegion> missing;
    for (const RequiredRegion& required : RequiredRegions) {
        if (!isFilled(required.region))
            missing.push_back(required);
    }
    return missing;
}

std::int16_t Assessment::regionScore(Region region) const
{
    std::int16_t score = 0;
    for (std::size_t i = 0; i < Options.size(); ++i) {
        if (m_chosen[i] && Options[i].region == region)
            score = sum(score, Options[i].value);
    }
    return score;
}

Scores Assessment::scores() const
{
    Scores s;
    s.TrunkScore = regionScore(Region::Trunk);
    s.NeckScore = regionScore(Region::Neck);
    s.LegsScore = regionScore(Region::Legs);
    s.UpperRightArmScore = regionScore(Region::UpperRightArm);
    s.UpperLeftArmScore = regionScore(Region::UpperLeftArm);
    s.LowerRightArmScore = regionScore(Region::LowerRightArm);
    s.LowerLeftArmScore = regionScore(Region::LowerLeftArm);
    s.RightWristScore = regionScore(Region::RightWrist);
    s.LeftWristScore = regionScore(Region::LeftWrist);
    s.LoadForceScore = regionScore(Region::LoadForce);
    s.CouplingScoreValue = regionScore(Region::Coupling);
    s.ActivityScoreValue = regionScore(Region::Activity);

    scoring::PostureInputs in;
    in.trunk = s.TrunkScore;
    in.neck = s.NeckScore;
    in.legs = s.LegsScore;
    in.loadForce = s.LoadForceScore;
    in.upperLeftArm = s.UpperLeftArmScore;
    in.lowerLeftArm = s.LowerLeftArmScore;
    in.leftWrist = s.LeftWristScore;
    in.upperRightArm = s.UpperRightArmScore;
    in.lowerRightArm = s.LowerRightArmScore;
    in.rightWrist = s.RightWristScore;
    in.coupling = s.CouplingScoreValue;
    in.activity = s.ActivityScoreValue;
    const scoring::ComputedScores out = scoring::computeScores(in);
    s.PostureScoreA = out.postureScoreA;
    s.ScoreA = out.scoreA;
    s.LeftPostureScoreB = out.leftPostureScoreB;
    s.RightPostureScoreB = out.rightPostureScoreB;
    s.LeftScoreB = out.leftScoreB;
    s.RightScoreB = out.rightScoreB;
    s.LeftScoreC = out.leftScoreC;
    s.RightScoreC = out.rightScoreC;
    s.LeftVESKScore = out.leftVESKScore;
    s.RightVESKScore = out.rightVESKScore;
    return s;
}

void Assessment::setEmployee(const QString& name, const QString& idNumber, const QString& location)
{
    m_employee =
        Employee{RemoveApostrophes(name), RemoveApostrophes(idNumber), RemoveApostrophes(location)};
}

QString RemoveApostrophes(const QString& text)
{
    QString result = text;
    for (int round = 0; round < 100; ++round) {
        const qsizetype position = result.indexOf(QLatin1Char('\''));
        if (position < 0)
            break;
        result.remove(position, 1);
    }
    return result;
}
