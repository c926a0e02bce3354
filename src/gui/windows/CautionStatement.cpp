#include "CautionStatement.h"

#include <QLabel>
#include <QPushButton>

namespace {

const char* const TextA =
    "This software package is intended to assist people who design or assess workplaces, to "
    "help to identify and reduce or eliminate, possible risks of Work-related Musculo-Skeletal "
    "Disorders (WMSDs).  In no way can it be presumed to guarantee that such problems will not "
    "arise.  Rather it provides aids to what can be considered good practice.  Users employ this "
    "tool at their own risk.";

const char* const TextB =
    "Proper and appropriate application of this tool is expected to give most workers a "
    "reasonable level of protection from musculo-skeletal injuries in most jobs.  In particular "
    "it attempts to address those jobs that have a high degree of repetition.  However marginal "
    "situations will inevitably arise where the exercise of professional judgement and "
    "experience is necessary.  In such cases the advice of specialists such as ergonomists must "
    "be requested.";

} // namespace

CautionStatement::CautionStatement()
    : Form(QStringLiteral("CautionStatement"), QStringLiteral("KOLVE - Caution Statement"),
           QSize(9405, 7680))
{
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Cautionary Note"),
                      {2040, 0, 4575, 735}, designFont(QStringLiteral("Arial"), 27.75, true));
    Label1 = addLabel(QStringLiteral("Label1"), QString::fromUtf8(TextA), {480, 960, 8415, 2055},
                      designFont(QStringLiteral("Arial"), 14.25));
    Label3 = addLabel(QStringLiteral("Label3"), QString::fromUtf8(TextB), {480, 3240, 8535, 2655},
                      designFont(QStringLiteral("Arial"), 14.25));
    // Two blanks after each full stop are kept; QLabel would otherwise show them as they are.
    Label1->setTextFormat(Qt::PlainText);
    Label3->setTextFormat(Qt::PlainText);

    const QFont buttonFont = designFont(QStringLiteral("Arial"), 12, true);
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("Accept"),
                         {4800, 6360, 1935, 975}, buttonFont);
    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("Exit "),
                         {7080, 6360, 1935, 975}, buttonFont);
    setTabOrder(Command1, Command2);
    setAccessibleRole(this, QAccessible::Dialog);
    Command1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &CautionStatement::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &CautionStatement::Command2_Click);
}

void CautionStatement::Command1_Click()
{
    emit acceptRequested();
}

void CautionStatement::Command2_Click()
{
    emit exitRequested();
}
