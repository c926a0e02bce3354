#pragma once
// Support for window tests: the platform seams replaced by recorders, and a clean state (no
// forms, a fresh assessment, the real platform) around every test function.

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "OptionTable.h"
#include "Platform.h"
#include "Seams.h"
#include "SvgPicture.h"

#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QWidget>

#include <deque>
#include <optional>

struct SeamRecorder
{
    QStringList messages;     // texts in the order shown
    QStringList titles;       // their titles
    std::deque<bool> answers; // answers for the next questions (default No)
    int endRequests = 0;
    std::optional<platform::ScopedSeams> scope;

    // The seams of the running test, to replace more of them.
    platform::Seams* operator->() { return scope->operator->(); }

    void install()
    {
        messages.clear();
        titles.clear();
        answers.clear();
        endRequests = 0;
        scope.emplace();
        (*scope)->message = [this](const platform::MessageRequest& request) {
            messages << request.text;
            titles << request.title;
            if (request.buttons == platform::Buttons::Ok || answers.empty())
                return false;
            const bool answer = answers.front();
            answers.pop_front();
            return answer;
        };
        (*scope)->endProgram = [this] { ++endRequests; };
    }

    // Destroys every form, starts a fresh assessment and puts the real platform back.
    void resetAll()
    {
        Forms::destroyAll();
        Module1::reset();
        scope.reset();
    }
};

// The widget that the Tab key moves to from `widget`.
inline QWidget* nextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                               next->isVisibleTo(widget->window())))
        next = next->nextInFocusChain();
    return next;
}

// The road as a person walks it, shared by the window tests.
namespace road {

// The drawings of the worked example: left final score 8 "High", right 10 "High".
inline const QStringList WorkedExample = {"trunk3", "neck2",   "leg2",    "Image9",   "Image104",
                                          "Image1", "Image3",  "Image98", "Image110", "Image6",
                                          "Image8", "Image15", "Image17"};

// Clicks a drawing the way a person does: brings its tab to the front, then clicks it.
inline void clickDrawing(Main2& main2, const QString& name)
{
    auto* drawing = main2.findChild<SvgPicture*>(name);
    QVERIFY2(drawing, qPrintable(name));
    main2.SSTab2->setCurrentIndex(Options[optionIndexByDrawing(name.toStdString())].tab);
    QTest::mouseClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
}

inline void clickDrawings(Main2& main2, const QStringList& names)
{
    for (const QString& name : names)
        clickDrawing(main2, name);
}

// Accept, then Continue with the given texts typed: the posture selection window is shown.
inline Main2& reachPostureSelection(const QString& name = {}, const QString& id = {},
                                    const QString& location = {})
{
    Forms::show<CautionStatement>();
    Forms::get<CautionStatement>().Command1->click();
    auto& details = Forms::get<EmployeeDetails>();
    QTest::keyClicks(details.Text1, name);
    QTest::keyClicks(details.Text2, id);
    QTest::keyClicks(details.Text3, location);
    details.Command1->click();
    return Forms::get<Main2>();
}

} // namespace road
