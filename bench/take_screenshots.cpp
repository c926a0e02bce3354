// Walks the road offscreen and saves a picture of every window on the way, for looking at the
// layout (run it with QT_SCALE_FACTOR=2 for high-DPI screens).
// Usage: take_screenshots <folder>

#include "app/CautionStatement.h"
#include "app/VESKOverview.h"
#include "assessment/EmployeeDetails.h"
#include "assessment/Main2.h"
#include "assessment/Module1.h"
#include "persistence/SaveActions.h"
#include "platform/Forms.h"
#include "platform/Platform.h"
#include "platform/SvgPicture.h"
#include "results/VESKResults.h"
#include "results/VESKRiskLevel.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

QString folder;

void save(QWidget& window, const QString& name)
{
    window.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (app.arguments().size() < 2)
        return 2;
    folder = app.arguments().at(1);
    platform::registerFontSubstitutes();
    platform::setMessageHandler([](const platform::MessageRequest&) { return false; });
    platform::setEndProgramHandler([] {});
    // A full-HD screen, as a person would have it.
    Form::setAvailableAreaOverride(QSize(1904, 1000));

    Forms::show<CautionStatement>();
    save(Forms::get<CautionStatement>(), QStringLiteral("caution"));
    Forms::get<CautionStatement>().Command1->click();
    auto& details = Forms::get<EmployeeDetails>();
    QTest::keyClicks(details.Text1, QStringLiteral("Anna O'Brien"));
    QTest::keyClicks(details.Text2, QStringLiteral("E-1234"));
    QTest::keyClicks(details.Text3, QStringLiteral("Hall B"));
    save(details, QStringLiteral("employee"));
    details.Command1->click();

    Main2& main2 = Forms::get<Main2>();
    main2.resize(main2.toPixels(15270), main2.toPixels(10815));
    const QStringList choices = {"trunk3",   "trunk5",  "neck2",   "leg2",    "leg3",     "Image9",
                                 "Image104", "Image1",  "Image3",  "Image98", "Image110", "Image6",
                                 "Image8",   "Image15", "Image17", "Image100"};
    for (const QString& name : choices) {
        main2.SSTab2->setCurrentIndex(Options[optionIndexByDrawing(name.toStdString())].tab);
        auto* drawing = main2.findChild<SvgPicture*>(name);
        QTest::mouseClick(drawing, Qt::LeftButton, {}, drawing->rect().center());
    }
    for (int tab = 0; tab < 5; ++tab) {
        main2.SSTab2->setCurrentIndex(tab);
        save(main2, QStringLiteral("posture-tab%1").arg(tab + 1));
    }
    main2.SSTab2->setCurrentIndex(0);
    main2.Command6->click();
    save(Forms::get<VESKOverview>(), QStringLiteral("overview"));

    main2.Command2->click();
    Forms::get<CautionStatement>().Command1->click();
    VESKResults& results = Forms::get<VESKResults>();
    results.resize(results.toPixels(15270), results.toPixels(11145));
    save(results, QStringLiteral("results"));
    results.Command1->click();
    VESKRiskLevel& risk = Forms::get<VESKRiskLevel>();
    risk.resize(risk.toPixels(14085), risk.toPixels(9930));
    save(risk, QStringLiteral("risk-level"));
    showSaveDialog();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->objectName() == QLatin1String("Save"))
            save(*window, QStringLiteral("save"));
    }
    Forms::destroyAll();
    return 0;
}
