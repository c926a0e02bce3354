#pragma once
// Support for window tests: every test function starts with a road of its own and the platform
// seams replaced by recorders, and ends with every window gone and the real platform back. The
// steps of the road are taken as a person takes them.

#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "Main2.h"
#include "Platform.h"
#include "Road.h"
#include "Save.h"
#include "Seams.h"
#include "SvgPicture.h"
#include "TestSupport.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <deque>
#include <memory>
#include <optional>

// The seams of a test: messages recorded, questions answered from a queue (No when it is
// empty), the end of the program counted.
struct SeamRecorder
{
    QStringList messages;     // texts in the order shown
    QStringList titles;       // their titles
    std::deque<bool> answers; // answers for the next questions
    int endRequests = 0;
    QHash<QString, QString> folders; // the folders remembered, kept from road to road
    std::optional<platform::ScopedSeams> scope;

    // The seams of the running test, to replace more of them.
    platform::Seams* operator->() { return scope->operator->(); }

    void install()
    {
        scope.reset();
        messages.clear();
        titles.clear();
        answers.clear();
        endRequests = 0;
        folders.clear();
        scope.emplace();
        (*scope)->rememberedFolders = &folders;
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

    void uninstall() { scope.reset(); }
};

// The base of window test classes: a fresh road and recorded seams around every test function.
class WindowTest : public QObject
{
    Q_OBJECT

protected:
    SeamRecorder seams;
    std::unique_ptr<QTemporaryDir> recoveries; // where the road keeps the assessment in progress
    std::unique_ptr<Road> road;

    // Starts again from nothing within a test function.
    void restart()
    {
        cleanup();
        init();
    }

private slots:
    void init()
    {
        seams.install();
        platform::setApplicationHelpFile({});
        recoveries = std::make_unique<QTemporaryDir>();
        road = std::make_unique<Road>(recoveries->path());
    }

    void cleanup()
    {
        road.reset();
        // Windows of the platform, such as the help, go too.
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (!window->parent())
                delete window;
        }
        seams.uninstall();
        recoveries.reset();
    }
};

// Drives without names at these roots, for the volumes seam.
inline QList<platform::Volume> volumesAt(const QStringList& roots)
{
    QList<platform::Volume> volumes;
    for (const QString& root : roots)
        volumes.append({root, {}});
    return volumes;
}

// The window with this object name, if it has been made.
inline QWidget* madeWindow(const QString& objectName)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == objectName)
            return window;
    }
    return nullptr;
}

inline void click(QWidget* widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
}

// The widget that the Tab key moves to from `widget`.
inline QWidget* nextTabStop(QWidget* widget)
{
    QWidget* next = widget->nextInFocusChain();
    while (next != widget && !((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() &&
                               next->isVisibleTo(widget->window())))
        next = next->nextInFocusChain();
    return next;
}

// The road as a person walks it.
namespace walk {

// Clicks a drawing the way a person does: brings its tab to the front, then clicks it.
inline void clickDrawing(Main2& main2, const QString& name)
{
    auto* drawing = main2.findChild<SvgPicture*>(name);
    QVERIFY2(drawing, qPrintable(name));
    main2.SSTab2->setCurrentIndex(Options[std::size_t(optionIndex(name))].tab);
    click(drawing);
}

inline void clickDrawings(Main2& main2, const QStringList& names)
{
    for (const QString& name : names)
        clickDrawing(main2, name);
}

// Accept, then Continue with the given texts typed: the posture selection window is shown.
inline Main2& toPostureSelection(Road& road, const QString& name = {}, const QString& id = {},
                                 const QString& location = {})
{
    road.start();
    road.caution().Command1->click();
    EmployeeDetails& details = road.details();
    const std::pair<QLineEdit*, QString> boxes[] = {
        {details.Text1, name}, {details.Text2, id}, {details.Text3, location}};
    for (const auto& [box, text] : boxes) {
        // Keys can be typed for ASCII only; other text comes in as a paste does.
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; }))
            QTest::keyClicks(box, text);
        else
            box->insert(text);
    }
    details.Command1->click();
    return road.main2();
}

// On from the posture selection window, with every region chosen, to the results.
inline VESKResults& toResults(Road& road)
{
    road.main2().Command2->click();
    road.caution().Command1->click();
    return road.results();
}

// From start-up through the worked example to the save dialog.
inline Save& toSaveDialog(Road& road, const QString& name,
                          const QString& id = QStringLiteral("E-1234"),
                          const QString& location = QStringLiteral("Hall B"))
{
    clickDrawings(toPostureSelection(road, name, id, location), WorkedExample);
    toResults(road).Command1->click();
    road.riskLevel().Command7->click();
    return road.save();
}

} // namespace walk
