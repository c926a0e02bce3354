#include "VESKRiskLevel.h"

#include "CommonDialog.h"
#include "Platform.h"
#include "RiskLevel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// How grave a risk level word is: the lowest final score that has it (0 for no word).
int gravity(const QString& word)
{
    for (std::int16_t score = 1; score <= 15; ++score) {
        const std::string_view found = scoring::riskLevelWord(score).value_or("");
        if (word == QLatin1String(found.data(), qsizetype(found.size())))
            return score;
    }
    return 0;
}

} // namespace

VESKRiskLevel::VESKRiskLevel()
    : Form(QStringLiteral("VESKRiskLevel"), QStringLiteral("VESK - Risk Level"), QSize(14085, 9930))
{
    const QString comic = QStringLiteral("Comic Sans MS");
    const QFont labelFont = designFont(comic, 36, true);
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("VESK - Risk Levels"),
                      {2160, 240, 7095, 1095}, labelFont);
    Label5 = addLabel(QStringLiteral("Label5"), QStringLiteral("Left Hand Side"),
                      {240, 2040, 5535, 1095}, labelFont);
    Label6 = addLabel(QStringLiteral("Label6"), QStringLiteral("Right Hand Side"),
                      {6840, 2040, 6255, 1095}, labelFont);
    Label2 = addLabel(QStringLiteral("Label2"), QString(), {240, 3600, 5535, 1095}, labelFont);
    Label3 = addLabel(QStringLiteral("Label3"), QString(), {6840, 3600, 5535, 1095}, labelFont);
    // The risk words are read with their side.
    setAccessibleCaption(Label2, Label5->text());
    setAccessibleCaption(Label3, Label6->text());
    for (QLabel* label : {Label1, Label2, Label3, Label5, Label6}) {
        label->setWordWrap(false);
        setTextColour(label, DarkBlue);
    }

    // Not part of the designed window: the change since a saved assessment, under each word.
    const QFont earlierFont = designFont(comic, 16, true);
    Label7 = addLabel(QStringLiteral("Label7"), QString(), {240, 4800, 5535, 1095}, earlierFont);
    Label8 = addLabel(QStringLiteral("Label8"), QString(), {6840, 4800, 5535, 1095}, earlierFont);
    setAccessibleCaption(Label7, Label5->text());
    setAccessibleCaption(Label8, Label6->text());
    for (QLabel* label : {Label7, Label8}) {
        label->setWordWrap(true);
        setTextColour(label, DarkBlue);
    }

    const QFont buttonFont = designFont(comic, 12);
    Command3 = addButton(QStringLiteral("Command3"), QStringLiteral("&Reduction Measures"),
                         {4080, 7680, 2055, 855}, buttonFont);
    Command7 = addButton(QStringLiteral("Command7"), QStringLiteral("&Save"),
                         {6360, 7680, 2055, 855}, buttonFont);
    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("<< &Back"),
                         {8640, 7680, 2055, 855}, buttonFont);
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Exit"),
                         {10920, 7680, 2055, 855}, buttonFont);
    setTabOrder(Command3, Command7);
    setTabOrder(Command7, Command2);
    setTabOrder(Command2, Command1);

    CommonDialog1 = new CommonDialog(this);
    CommonDialog1->setObjectName(QStringLiteral("CommonDialog1"));

    connect(Command1, &QPushButton::clicked, this, &VESKRiskLevel::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &VESKRiskLevel::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &VESKRiskLevel::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &VESKRiskLevel::Command7_Click);
    setMouseTracking(true);
    setWindowState(Qt::WindowMaximized);
}

void VESKRiskLevel::showRiskLevels(const QString& left, const QString& right)
{
    Label2->setText(left);
    Label3->setText(right);
}

void VESKRiskLevel::showEarlier(const QString& left, const QString& right)
{
    Label7->setText(left);
    Label8->setText(right);
}

void VESKRiskLevel::hideEvent(QHideEvent* event)
{
    emit hidden();
    Form::hideEvent(event);
}

void VESKRiskLevel::Command1_Click()
{
    emit exitRequested();
}

void VESKRiskLevel::Command2_Click()
{
    emit backRequested();
}

void VESKRiskLevel::Command3_Click()
{
    CommonDialog1->HelpFile =
        platform::programFolder() + QStringLiteral("/reduction measures/helpfile.html");
    // The help opens at what the graver of the two levels asks for; its parts are named after
    // the words ("Very High" at "veryhigh").
    const QString graver =
        gravity(Label3->text()) > gravity(Label2->text()) ? Label3->text() : Label2->text();
    CommonDialog1->HelpKey = graver.toLower().remove(QLatin1Char(' '));
    CommonDialog1->ShowHelp();
}

void VESKRiskLevel::Command7_Click()
{
    emit saveRequested();
}

void VESKRiskLevel::Form_MouseMove()
{
    platform::setApplicationHelpFile(platform::programFolder() +
                                     QStringLiteral("/Helpfile/helpfile.html"));
}

void VESKRiskLevel::mouseMoveEvent(QMouseEvent* event)
{
    // Only the window's own background counts, not its labels and buttons.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
    Form::mouseMoveEvent(event);
}
