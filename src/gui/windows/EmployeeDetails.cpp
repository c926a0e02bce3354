#include "EmployeeDetails.h"

#include "EnteredTextValidator.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EmployeeDetails::EmployeeDetails()
    : Form(QStringLiteral("EmployeeDetails"), QStringLiteral("Employee Details"), QSize(8505, 5370))
{
    const QString arial = QStringLiteral("Arial");
    Label2 = addLabel(QStringLiteral("Label2"), QStringLiteral("Employee Details"),
                      {2040, 360, 4575, 735}, designFont(arial, 24, true));
    const QFont labelFont = designFont(arial, 15.75);
    const QFont boxFont = designFont(arial, 14.25);
    Label1 = addLabel(QStringLiteral("Label1"), QStringLiteral("Employees Name:"),
                      {480, 1680, 3015, 495}, labelFont);
    Label3 = addLabel(QStringLiteral("Label3"), QStringLiteral("Employees ID Number:"),
                      {480, 2520, 3615, 495}, labelFont);
    Label4 = addLabel(QStringLiteral("Label4"), QStringLiteral("Employees Location:"),
                      {480, 3360, 3135, 495}, labelFont);
    for (QLabel* label : {Label1, Label2, Label3, Label4}) {
        setTextColour(label, DarkBlue);
        label->setWordWrap(false);
    }

    auto makeBox = [&](const char* name, int top) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setFont(boxFont);
        EnteredTextValidator::install(box, MaxTextLength);
        place(box, 4200, top, 3975, 495);
        return box;
    };
    Text1 = makeBox("Text1", 1680);
    Text2 = makeBox("Text2", 2520);
    Text3 = makeBox("Text3", 3360);
    onEnterKey(Text3, [this](std::int16_t key) { Text3_KeyPress(key); });
    Label1->setBuddy(Text1);
    Label3->setBuddy(Text2);
    Label4->setBuddy(Text3);

    const QFont buttonFont = designFont(arial, 12, true);
    Command1 = addButton(QStringLiteral("Command1"), QStringLiteral("&Continue"),
                         {4080, 4200, 1935, 855}, buttonFont);
    Command2 = addButton(QStringLiteral("Command2"), QStringLiteral("&Exit"),
                         {6240, 4200, 1935, 855}, buttonFont);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Command1);
    setTabOrder(Command1, Command2);
    setAccessibleRole(this, QAccessible::Dialog);
    Text1->setFocus();

    connect(Command1, &QPushButton::clicked, this, &EmployeeDetails::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &EmployeeDetails::Command2_Click);
}

QString EmployeeDetails::typedName() const
{
    return Text1->text();
}

bool EmployeeDetails::hasTypedText() const
{
    return !Text1->text().isEmpty() || !Text2->text().isEmpty() || !Text3->text().isEmpty();
}

void EmployeeDetails::fillIn(const QString& name, const QString& idNumber, const QString& location)
{
    Text1->setText(name);
    Text2->setText(idNumber);
    Text3->setText(location);
}

void EmployeeDetails::Command1_Click()
{
    Text1->setFocus();
    emit continueRequested(Text1->text(), Text2->text(), Text3->text());
}

void EmployeeDetails::Command2_Click()
{
    emit exitRequested();
}

void EmployeeDetails::Text3_KeyPress(std::int16_t keyAscii)
{
    if (keyAscii == 13)
        Command1_Click();
}
