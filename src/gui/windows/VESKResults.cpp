#include "VESKResults.h"

#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "PictureBox.h"
#include "Platform.h"
#include "RiskLevel.h"
#include "SvgPicture.h"
#include "VESKRiskLevel.h"
#include "WorksheetPage.h"

#include <QLabel>
#include <QPushButton>

const std::array<VESKResults::ValueLabelSpec, 22> VESKResults::ValueLabels{{
    {"Label5", {960, 2640, 615, 615}},    {"Label6", {2400, 2640, 615, 615}},
    {"Label7", {3840, 2640, 615, 615}},   {"Label8", {6120, 2640, 615, 615}},
    {"Label9", {7920, 2520, 615, 615}},   {"Label10", {9000, 2640, 615, 615}},
    {"Label11", {10800, 2520, 615, 615}}, {"Label12", {11880, 2640, 615, 615}},
    {"Label13", {13680, 2520, 615, 615}}, {"Label14", {1800, 4440, 615, 615}},
    {"Label15", {4200, 4440, 615, 615}},  {"Label16", {7200, 4680, 615, 615}},
    {"Label17", {8520, 4440, 615, 615}},  {"Label18", {10680, 4440, 615, 615}},
    {"Label19", {3000, 6120, 615, 615}},  {"Label20", {8760, 6120, 615, 615}},
    {"Label21", {10080, 6000, 615, 495}}, {"Label22", {4800, 7800, 615, 495}},
    {"Label23", {6120, 7680, 615, 495}},  {"Label24", {8880, 7680, 615, 615}},
    {"Label25", {12240, 8040, 615, 615}}, {"Label26", {13560, 7680, 615, 615}},
}};

namespace {

// What each value label shows, in ValueLabels order, for assistive technology.
// clang-format off
const std::array<const char*, 22> ValueNames{
    "Trunk Score", "Neck Score", "Legs Score",
    "Upper Left Arm Score", "Upper Right Arm Score", "Left Wrist Score", "Right Wrist Score",
    "Lower Left Arm Score", "Lower Right Arm Score",
    "Posture Score A", "Load / Force Score", "Left Posture Score B", "Right Posture Score B",
    "Coupling Score", "Score A", "Left Score B", "Right Score B", "Left Score C",
    "Right Score C", "Activity Score", "Left VESK Score", "Right VESK Score"};
// clang-format on

} // namespace

VESKResults::VESKResults()
    : Form(QStringLiteral("VESKResults"), QStringLiteral("Results - VESK"), QSize(15270, 11145))
{
    const QString comic = QStringLiteral("Comic Sans MS");
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("VESK - Results"),
                      {2160, 240, 5775, 1095}, designFont(comic, 36, true));
    setTextColour(Label1, DarkBlue);

    Image1 = new SvgPicture(QStringLiteral(":/pictures/worksheet.svg"),
                            SvgPicture::Scaling::Stretch, this);
    Image1->setObjectName(QStringLiteral("Image1"));
    place(Image1, WorksheetTwips.x(), WorksheetTwips.y(), WorksheetTwips.width(),
          WorksheetTwips.height());

    const QFont valueFont = designFont(comic, 18, true);
    for (const ValueLabelSpec& design : ValueLabels) {
        QLabel* label =
            addLabel(QString::fromLatin1(design.name), QString(), design.twips, valueFont);
        setAccessibleCaption(label, QString::fromLatin1(ValueNames[&design - ValueLabels.data()]));
        label->setWordWrap(false);
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, vbColor(Highlight));
        palette.setColor(QPalette::Window, vbColor(WindowBackground));
        label->setPalette(palette);
    }

    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("<< &Back"),
                         {5760, 9720, 3015, 975}, designFont(comic, 12));
    Command8 = addButton(QStringLiteral("Command8"), QStringLiteral("&Exit"),
                         {8880, 9720, 3015, 975}, designFont(QStringLiteral("Arial"), 12, true));
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Risk Levels >>"),
                         {12000, 9720, 3015, 975}, designFont(comic, 12));
    // Printing is not part of the designed window: it takes the free corner at the lower left,
    // in the system's own button style.
    Command3 = addButton(QStringLiteral("Command3"), QStringLiteral("&Print..."),
                         {120, 9720, 3015, 975}, QFont());
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, Command8);
    setTabOrder(Command8, Command3);

    connect(Command1, &QPushButton::clicked, this, &VESKResults::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &VESKResults::Command2_Click);
    connect(Command8, &QPushButton::clicked, this, &VESKResults::Command8_Click);
    connect(Command3, &QPushButton::clicked, this, &VESKResults::Command3_Click);
    setWindowState(Qt::WindowMaximized);
}

QLabel* VESKResults::valueLabel(const QString& name) const
{
    return findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void VESKResults::showScores()
{
    for (const ResultPublication& row : ResultPublications)
        valueLabel(QString::fromLatin1(row.label))->setText(QString::number(*row.value));
}

namespace {

// The word of a final score; a score without one keeps the word shown before.
QString riskWordOr(std::int16_t score, const TaggedValue& previous)
{
    if (const auto word = scoring::riskLevelWord(score))
        return QString::fromUtf8(word->data(), qsizetype(word->size()));
    return previous.toText();
}

} // namespace

void VESKResults::Command1_Click()
{
    publishRiskLevels(
        riskWordOr(Module1::LeftVESKScore, Module1::ReportFields[report::LeftRiskLevel]),
        riskWordOr(Module1::RightVESKScore, Module1::ReportFields[report::RightRiskLevel]));
    Forms::get<VESKRiskLevel>().showRiskLevels(
        Module1::ReportFields[report::LeftRiskLevel].toText(),
        Module1::ReportFields[report::RightRiskLevel].toText());
    Forms::show<VESKRiskLevel>();
    hide();
}

void VESKResults::Command2_Click()
{
    Forms::show<Main2>();
    hide();
}

void VESKResults::Command8_Click()
{
    platform::endProgram();
}

void VESKResults::Command3_Click()
{
    const Main2& main2 = Forms::get<Main2>();
    const QImage picture = main2.Picture1->isHidden() ? QImage() : main2.Picture1->content();
    QString failure;
    if (!worksheetpage::print(worksheetpage::fromAssessment(main2.highlightedOptions(), picture),
                              this, &failure) &&
        !failure.isEmpty())
        platform::messageBox(failure);
}

void VESKResults::titleBarClose()
{
    confirmQuitWithoutSaving();
}
