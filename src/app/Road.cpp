#include "Road.h"

#include "AssessmentChange.h"
#include "CautionStatement.h"
#include "EmployeeDetails.h"
#include "ExtraPics.h"
#include "Main2.h"
#include "MeasurePicture.h"
#include "MeasurementRun.h"
#include "MediaPlayer.h"
#include "OpenExtraPics.h"
#include "OpenPictureFile.h"
#include "OverwriteFile.h"
#include "PictureBox.h"
#include "PictureLoader.h"
#include "Platform.h"
#include "ReportFields.h"
#include "ReportFiles.h"
#include "RiskLevel.h"
#include "Save.h"
#include "VESKOverview.h"
#include "VESKResults.h"
#include "VESKRiskLevel.h"
#include "Windows1252.h"
#include "WorksheetPage.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>
#include <QStandardPaths>

namespace {

QString riskLevelWord(std::int16_t finalScore)
{
    const std::string_view word = scoring::riskLevelWord(finalScore).value_or("");
    return QString::fromUtf8(word);
}

// Each side's final score and risk level word in the saved assessment and now.
std::pair<QString, QString> sinceEarlier(const Scores& before, const Scores& now)
{
    return {finalScoreChange(before.LeftVESKScore, now.LeftVESKScore),
            finalScoreChange(before.RightVESKScore, now.RightVESKScore)};
}

// The kinds of file whose folder the choosers remember from run to run.
const QString PicturesKind = QStringLiteral("pictures");
const QString ReportsKind = QStringLiteral("reports");

// Decoded pictures the windows hold: what every picture box shows.
qint64 picturesHeld()
{
    qint64 bytes = 0;
    for (QWidget* widget : QApplication::allWidgets()) {
        if (const auto* box = qobject_cast<const PictureBox*>(widget))
            bytes += box->content().sizeInBytes();
    }
    return bytes;
}

// Makes a window on first use; `wire` connects it once it exists.
template <class Window, class... Arguments, class Wire>
Window& made(std::unique_ptr<Window>& window, Wire wire, Arguments&&... arguments)
{
    if (!window) {
        window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
        wire(*window);
    }
    return *window;
}

} // namespace

Road::Road(const QString& recoveryFolder) : m_recovery(recoveryFolder) {}

QString Road::defaultRecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) +
           QStringLiteral("/recovery");
}

// The windows go before the state some of them refer to (the members are destroyed in reverse).
Road::~Road() = default;

void Road::start()
{
    caution().showInFront();
}

void Road::offerRecovery()
{
    for (const Recovery::Left& left : m_recovery.leftByEndedRuns()) {
        const QString when = QLocale::system().toString(left.lastChanged, QLocale::ShortFormat);
        const QString name = left.assessment.EmployeeName();
        const QString question =
            name.isEmpty()
                ? QStringLiteral("An assessment from %1 was not saved. Continue it?").arg(when)
                : QStringLiteral("An assessment of %1 from %2 was not saved. Continue it?")
                      .arg(name, when);
        if (platform::questionBox(question)) {
            takeUp(left.assessment);
            m_recovery.takeOver(left.path);
            return;
        }
        m_recovery.throwAway(left.path);
    }
}

void Road::startFrom(const Assessment& saved, const QString& folder)
{
    m_reopenedFolder = folder;
    m_earlier = saved;
    takeUp(saved);
}

void Road::takeUp(const Assessment& saved)
{
    for (int option = 0; option < OptionCount; ++option) {
        if (saved.isChosen(option) != m_assessment.isChosen(option))
            m_assessment.choose(option);
    }
    if (m_main2)
        m_main2->showAssessment(m_assessment);
    if (const auto& employee = saved.employee())
        details().fillIn(employee->name, employee->idNumber, employee->location);
}

CautionStatement& Road::caution()
{
    return made(m_caution, [this](CautionStatement& window) {
        connect(&window, &CautionStatement::acceptRequested, this, &Road::accept);
        connect(&window, &CautionStatement::exitRequested, this, &Road::leave);
        connect(&window, &Form::closeRequested, this, [this] {
            // Shown again after View Results, it stands on the road of a whole assessment.
            if (CautionAccepted != 0)
                quitWithoutSaving();
            else
                leave();
        });
    });
}

EmployeeDetails& Road::details()
{
    return made(m_details, [this](EmployeeDetails& window) {
        connect(&window, &EmployeeDetails::continueRequested, this, &Road::continueWith);
        connect(&window, &EmployeeDetails::exitRequested, this, &Road::leave);
        connect(&window, &Form::closeRequested, this, &Road::leave);
    });
}

Main2& Road::main2()
{
    return made(m_main2, [this](Main2& window) {
        window.showAssessment(m_assessment);
        connect(&window, &Main2::drawingClicked, this, &Road::choose);
        connect(&window, &Main2::viewResultsRequested, this, &Road::viewResults);
        connect(&window, &Main2::loadPictureRequested, this,
                [this] { pictureChooser().showInFront(); });
        connect(&window, &Main2::loadExtraPicturesRequested, this,
                [this] { extraPictureChooser().showInFront(); });
        connect(&window, &Main2::viewExtraPicturesRequested, this, &Road::viewExtraPictures);
        connect(&window, &Main2::playVideoRequested, this, &Road::playVideo);
        connect(&window, &Main2::overviewRequested, this, [this] { overview().showInFront(); });
        connect(&window, &Main2::measurePictureRequested, this, &Road::measureTaskPicture);
        connect(&window, &Main2::exitRequested, this, &Road::leave);
        connect(&window, &Form::closeRequested, this, &Road::quitWithoutSaving);
    });
}

VESKOverview& Road::overview()
{
    return made(m_overview, [](VESKOverview&) {});
}

VESKResults& Road::results()
{
    return made(m_results, [this](VESKResults& window) {
        connect(&window, &VESKResults::riskLevelsRequested, this, &Road::showRiskLevels);
        connect(&window, &VESKResults::backRequested, this, [this] {
            main2().showInFront();
            m_results->hide();
        });
        connect(&window, &VESKResults::exitRequested, this, &Road::leave);
        connect(&window, &VESKResults::printRequested, this, &Road::print);
        connect(&window, &Form::closeRequested, this, &Road::quitWithoutSaving);
    });
}

VESKRiskLevel& Road::riskLevel()
{
    return made(m_riskLevel, [this](VESKRiskLevel& window) {
        connect(&window, &VESKRiskLevel::backRequested, this, [this] {
            m_riskLevel->hide();
            results().showInFront();
        });
        connect(&window, &VESKRiskLevel::saveRequested, this, [this] { save().showInFront(); });
        // A save belongs to the risk levels on screen: once they are left, the choices may
        // change, so the save windows go too and come back only through Save there.
        connect(&window, &VESKRiskLevel::hidden, this, [this] {
            if (m_save)
                m_save->hide();
            if (m_overwrite)
                m_overwrite->hide();
        });
        connect(&window, &VESKRiskLevel::exitRequested, this, &Road::leave);
        connect(&window, &Form::closeRequested, this, &Road::quitWithoutSaving);
    });
}

Save& Road::save()
{
    // The name box starts with the name as typed on the employee details, apostrophes and all.
    return made(
        m_save,
        [this](Save& window) { connect(&window, &Save::saveRequested, this, &Road::saveAs); },
        details().typedName(), LastDriveIndex,
        m_reopenedFolder.isEmpty() ? platform::rememberedFolder(ReportsKind) : m_reopenedFolder);
}

OverwriteFile& Road::overwrite()
{
    return made(m_overwrite, [this](OverwriteFile& window) {
        window.placeBeside(m_save.get());
        connect(&window, &OverwriteFile::overwriteRequested, this, [this] {
            // The name and folder of the last Save, not what the dialog shows now.
            if (!writeReportFiles())
                m_overwrite->hide(); // back to the save dialog for another folder or name
        });
        connect(&window, &OverwriteFile::newFilenameRequested, this,
                [this] { save().clearName(); });
    });
}

OpenPictureFile& Road::pictureChooser()
{
    return made(
        m_pictureChooser,
        [this](OpenPictureFile& window) {
            connectChooser(window);
            // Read first: a picture that cannot be read leaves the task picture as it was.
            connect(&window, &PictureChooser::openRequested, this, [this] {
                if (openTaskPicture(true))
                    m_pictureChooser->hide();
            });
            // Exit paints the chosen picture too, but leaves the box hidden if it was: before
            // the first Open the picture is only there to be seen once the box is shown. A file
            // that cannot be shown is reported, then the window closes.
            connect(&window, &PictureChooser::exitRequested, this, [this] {
                if (!SelectedPicturePath.isEmpty())
                    openTaskPicture(false);
                m_pictureChooser->hide();
            });
        },
        LastDriveIndex, platform::rememberedFolder(PicturesKind));
}

OpenExtraPics& Road::extraPictureChooser()
{
    return made(
        m_extraPictureChooser,
        [this](OpenExtraPics& window) {
            connectChooser(window);
            connect(&window, &PictureChooser::openRequested, this, &Road::openExtraPicture);
            connect(&window, &PictureChooser::exitRequested, &window, &QWidget::hide);
        },
        LastDriveIndex, platform::rememberedFolder(PicturesKind));
}

ExtraPics& Road::extraPictures()
{
    return made(m_extraPictures, [](ExtraPics&) {});
}

MeasurePicture& Road::measurePicture()
{
    return made(m_measurePicture, [this](MeasurePicture& window) {
        connect(&window, &MeasurePicture::chooseRequested, this, &Road::chooseSuggested);
        connect(&window, &MeasurePicture::cancelRequested, this, [this] {
            m_measuredPath.clear();
            if (m_measurement)
                m_measurement->cancel();
        });
    });
}

void Road::accept()
{
    if (CautionAccepted != 0) {
        results().showInFront();
        m_caution->hide();
        return;
    }
    details().showInFront();
    m_caution->hide();
    CautionAccepted = 1;
}

void Road::continueWith(const QString& name, const QString& idNumber, const QString& location)
{
    main2().showInFront();
    m_details->hide();
    m_assessment.setEmployee(name, idNumber, location);
    m_recovery.keep(m_assessment);

    // The text report holds what Windows-1252 can: the person learns at once how a detail
    // outside it will read there (the database keeps every character).
    QStringList changed;
    const Employee& typed = *m_assessment.employee();
    for (const QString& text : {typed.name, typed.idNumber, typed.location}) {
        const QString written = asWrittenInWindows1252(text);
        if (written != text)
            changed << QStringLiteral("\"%1\" as \"%2\"").arg(text, written);
    }
    if (!changed.isEmpty())
        platform::messageBox(
            QStringLiteral("The text report is written in Windows-1252, which does not hold every "
                           "character typed. It will hold %1. The database keeps the details "
                           "exactly as typed.")
                .arg(changed.join(QStringLiteral(" and "))));
}

void Road::choose(int option)
{
    m_assessment.choose(option);
    m_main2->showAssessment(m_assessment);
    m_recovery.keep(m_assessment);
}

void Road::viewResults()
{
    const std::vector<RequiredRegion> missing = m_assessment.missingRegions();
    for (const RequiredRegion& region : missing)
        platform::messageBox(QString::fromUtf8(region.message));
    if (!missing.empty()) {
        m_main2->showRegion(missing.front().region);
        return;
    }
    const Scores scores = m_assessment.scores();
    results().showScores(scores);
    if (m_earlier) {
        const auto [left, right] = sinceEarlier(m_earlier->scores(), scores);
        m_results->showEarlier(left, right);
    }
    caution().showInFront();
    m_main2->hide();
}

void Road::showRiskLevels()
{
    const Scores scores = m_assessment.scores();
    riskLevel().showRiskLevels(riskLevelWord(scores.LeftVESKScore),
                               riskLevelWord(scores.RightVESKScore));
    if (m_earlier) {
        const auto [left, right] = sinceEarlier(m_earlier->scores(), scores);
        m_riskLevel->showEarlier(left, right);
    }
    m_riskLevel->showInFront();
    m_results->hide();
}

void Road::print()
{
    WorksheetContent content = worksheetpage::printedNow(m_assessment);
    content.earlier = m_earlier;
    const PictureBox* box = main2().Picture1;
    if (!box->isHidden() && !box->content().isNull()) {
        content.taskPicturePath = m_taskPicturePath;
        // Should the file be gone by now, the page has the picture as the box shows it, without
        // the box's bands.
        const qreal ratio = box->content().devicePixelRatio();
        content.taskPictureShown = box->content().copy(
            QTransform::fromScale(ratio, ratio).mapRect(m_taskPictureFit.rect()).toRect());
    }
    content.pictureLimits.bytes = PictureLimits::MemoryBudget - picturesHeld();
    QString failure;
    if (!worksheetpage::print(content, m_results.get(), &failure) && !failure.isEmpty())
        platform::messageBox(failure);
}

void Road::saveAs(const QString& folder, const QString& name)
{
    ReportBaseName = name + QStringLiteral(" VESK Analysis");
    SaveFolder = folder;
    // Exact lookups: "*" and "?" in a name are ordinary characters. A database kept alone, maybe
    // extended in Access since, is asked about as much as a report.
    const reportfiles::Paths paths = reportfiles::pathsFor(SaveFolder, ReportBaseName);
    QStringList existing;
    for (const QString& path : {paths.report, paths.database}) {
        if (QFileInfo(path).exists() || QFileInfo(path).isSymLink())
            existing << QFileInfo(path).fileName();
    }
    if (!existing.isEmpty()) {
        overwrite().showFiles(existing);
        m_overwrite->showInFront();
        m_save->clearName();
        return;
    }
    writeReportFiles();
}

bool Road::writeReportFiles()
{
    const reportfiles::SaveResult result =
        reportfiles::writeBoth(SaveFolder, ReportBaseName, report::ReportFields(m_assessment));
    if (!result.saved) {
        platform::messageBox(QStringLiteral("The assessment could not be saved.\n\n%1\n\n%2")
                                 .arg(result.failure, result.onDisk));
        return false;
    }
    platform::rememberFolder(ReportsKind, SaveFolder);
    const reportfiles::Paths paths = reportfiles::pathsFor(SaveFolder, ReportBaseName);
    QString saved =
        QStringLiteral("File Saved\n\nThe report \"%1\" and the database \"%2\" are in the "
                       "folder \"%3\".")
            .arg(QFileInfo(paths.report).fileName(), QFileInfo(paths.database).fileName(),
                 QDir::toNativeSeparators(QFileInfo(paths.report).absolutePath()));
    if (!result.strangers.isEmpty())
        saved += QStringLiteral("\n\nThe folder also holds \"%1\": named like the files a save "
                                "leaves while it works, but made by no save of this program, and "
                                "left as they are.")
                     .arg(result.strangers.join(QStringLiteral("\", \"")));
    platform::messageBox(saved);
    end();
    return true;
}

bool Road::somethingToLose() const
{
    return m_assessment.hasAnyChoice() || (m_details && m_details->hasTypedText()) ||
           (m_assessment.employee() && *m_assessment.employee() != Employee{});
}

void Road::leave()
{
    if (somethingToLose())
        quitWithoutSaving();
    else
        end();
}

void Road::quitWithoutSaving()
{
    if (platform::questionBox(QStringLiteral("Do you want to quit without saving?")))
        end();
}

void Road::end()
{
    m_recovery.discard();
    platform::endProgram();
}

void Road::viewExtraPictures()
{
    if (ExtraPictureCount != 0) {
        extraPictures().showInFront();
        return;
    }
    platform::messageBox(QStringLiteral("You have not loaded any extra pictures yet. Please load "
                                        "extra pictures before viewing them"),
                         QStringLiteral("Error"));
}

void Road::playVideo()
{
    if (!MediaPlayer::start())
        platform::messageBox(QStringLiteral("No media player could be started."),
                             QStringLiteral("Error"));
}

void Road::connectChooser(PictureChooser& chooser)
{
    connect(&chooser, &PictureChooser::fileChosen, this,
            [this](const QString& path) { SelectedPicturePath = path; });
}

LoadedPicture Road::loadChosenPicture(QSize deviceSize)
{
    const QString path = SelectedPicturePath;
    if (path.isEmpty()) {
        platform::messageBox(QStringLiteral("No picture file has been chosen."),
                             QStringLiteral("Error"));
        return {QImage(), QSize(), 0, QStringLiteral("no file chosen"), false};
    }
    PictureLimits limits;
    limits.bytes = PictureLimits::MemoryBudget - picturesHeld();
    LoadedPicture picture = PictureLoader::load(path, deviceSize, limits);
    if (picture.tooLarge)
        platform::messageBox(
            QStringLiteral("The picture \"%1\" cannot be shown: %2.").arg(path, picture.error),
            QStringLiteral("Error"));
    else if (!picture.ok())
        platform::messageBox(
            QStringLiteral("The file \"%1\" could not be opened as a picture.").arg(path),
            QStringLiteral("Error"));
    else
        platform::rememberFolder(PicturesKind, QFileInfo(path).absolutePath());
    return picture;
}

bool Road::openTaskPicture(bool reveal)
{
    Main2& window = main2();
    const LoadedPicture picture = loadChosenPicture(window.taskPictureSize());
    if (!picture.ok())
        return false;
    m_taskPictureFit = window.showTaskPicture(picture.image, QSizeF(picture.pictureSize), reveal);
    m_taskPicturePath = SelectedPicturePath;
    // Opened again, the file may have changed: it is measured afresh.
    m_measuredPath.clear();
    if (m_measurement)
        m_measurement->cancel();
    if (m_measurePicture)
        m_measurePicture->hide();
    return true;
}

void Road::openExtraPicture()
{
    if (ExtraPictureCount >= ExtraPics::SlotCount) {
        platform::messageBox(QStringLiteral("You have already loaded the maximum 4 pictures"),
                             QStringLiteral("Error"));
        return;
    }
    ExtraPics& viewer = extraPictures();
    const LoadedPicture picture = loadChosenPicture(viewer.pictureSize());
    if (!picture.ok())
        return;
    viewer.showPicture(ExtraPictureCount, picture.image, QSizeF(picture.pictureSize));
    ExtraPictureCount = static_cast<std::int16_t>(ExtraPictureCount + 1);
    m_extraPictureChooser->hide();
    viewer.showInFront();
}

void Road::measureTaskPicture()
{
    MeasurePicture& window = measurePicture();
    window.showInFront();
    // Shown again as measured, with the points where the assessor left them.
    if (m_measuredPath == m_taskPicturePath)
        return;
    PictureLimits limits;
    limits.bytes = PictureLimits::MemoryBudget - picturesHeld();
    const LoadedPicture picture =
        PictureLoader::load(m_taskPicturePath, window.pictureDeviceSize(), limits);
    if (!picture.ok()) {
        window.showProblem(MeasurePicture::Problem::NotMeasured, picture.error);
        return;
    }
    window.showMeasuring(picture.image, QSizeF(picture.pictureSize));
    m_measuredPath = m_taskPicturePath;
    if (!m_measurement) {
        m_measurement = std::make_unique<MeasurementRun>();
        connect(m_measurement.get(), &MeasurementRun::finished, this, &Road::showMeasurement);
    }
    m_measurement->start(m_taskPicturePath);
}

void Road::showMeasurement(const measurecommand::PhotoMeasurement& measurement)
{
    using Outcome = PoseMeasurement::Outcome;
    if (measurement.error.isEmpty() && measurement.pose.outcome == Outcome::Person) {
        measurePicture().showKeypoints(measurement.pose.keypoints);
        return;
    }
    m_measuredPath.clear();
    if (!measurement.error.isEmpty())
        measurePicture().showProblem(MeasurePicture::Problem::NotMeasured, measurement.error);
    else if (measurement.pose.outcome == Outcome::Stopped)
        measurePicture().showProblem(MeasurePicture::Problem::Cancelled);
    else
        measurePicture().showProblem(MeasurePicture::Problem::NoPerson);
}

// Through the click rules, as if clicked: what is chosen already stays, since a second click
// on a knee drawing would move the choice to the other one.
void Road::chooseSuggested(const QList<int>& options)
{
    for (const int option : options) {
        if (!m_assessment.isChosen(option))
            m_assessment.choose(option);
    }
    main2().showAssessment(m_assessment);
    m_recovery.keep(m_assessment);
    main2().showInFront();
    m_measurePicture->hide();
}
