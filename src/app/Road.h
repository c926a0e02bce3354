#pragma once
// The road of one assessment: the caution statement, the employee details, the posture
// selection, then for each View Results the caution statement again, the results, the risk
// levels and the save. The road owns the one assessment of the run and every window that
// shows it. Each window is made the first time it is needed and kept for the run; the windows
// only announce what the person did, and the road decides what comes next.

#include "Assessment.h"
#include "FitAndCentre.h"
#include "Recovery.h"
#include "TaggedValue.h"

#include <QObject>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

class CautionStatement;
class EmployeeDetails;
class ExtraPics;
class Form;
class Main2;
class MeasurePicture;
class MeasurementRun;
class OpenExtraPics;
class OpenPictureFile;
class OverwriteFile;
class PictureChooser;
class Save;
class VESKOverview;
class VESKResults;
class VESKRiskLevel;
struct LoadedPicture;
namespace measurecommand {
struct PhotoMeasurement;
}

class Road : public QObject
{
    Q_OBJECT

public:
    // The assessment in progress is kept in `recoveryFolder` while the run goes on.
    explicit Road(const QString& recoveryFolder = defaultRecoveryFolder());
    ~Road() override;
    Road(const Road&) = delete;
    Road& operator=(const Road&) = delete;

    // Shows the caution statement, the first window of every run.
    void start();
    // Lets the assessment start from a saved one: its drawings chosen and its employee details
    // in their boxes, to be confirmed with Continue as if typed. The save dialog then starts in
    // `folder`, where the saved one lies.
    void startFrom(const Assessment& saved, const QString& folder = {});
    // Offers each assessment that an earlier run left unsaved, newest first, until one is
    // continued; the others the person declines are thrown away.
    void offerRecovery();

    // The user's own folder for recoveries.
    static QString defaultRecoveryFolder();

    const Assessment& assessment() const { return m_assessment; }

    // The windows, each made on first use.
    CautionStatement& caution();
    EmployeeDetails& details();
    Main2& main2();
    VESKOverview& overview();
    VESKResults& results();
    VESKRiskLevel& riskLevel();
    Save& save();
    OverwriteFile& overwrite();
    OpenPictureFile& pictureChooser();
    OpenExtraPics& extraPictureChooser();
    ExtraPics& extraPictures();
    MeasurePicture& measurePicture();

private:
    // The drawings of `saved` chosen and its details put in their boxes.
    void takeUp(const Assessment& saved);
    void accept();
    void continueWith(const QString& name, const QString& idNumber, const QString& location);
    void choose(int option);
    void viewResults();
    void showRiskLevels();
    void print();
    void saveAs(const QString& folder, const QString& name);
    bool writeReportFiles();
    // Exit: at once where nothing would be lost, else only once the person confirms.
    void leave();
    bool somethingToLose() const;
    void quitWithoutSaving();
    // The end of the run: nothing is left to recover.
    void end();
    void viewExtraPictures();
    void playVideo();
    void connectChooser(PictureChooser& chooser);
    LoadedPicture loadChosenPicture(QSize deviceSize);
    bool openTaskPicture(bool reveal);
    void openExtraPicture();
    void measureTaskPicture();
    void showMeasurement(const measurecommand::PhotoMeasurement& measurement);
    void chooseSuggested(const QList<int>& options);

    Assessment m_assessment;
    Recovery m_recovery;

    // 0 until the caution statement has been accepted once, then 1.
    std::int16_t CautionAccepted = 0;
    // The picture file last clicked in either chooser.
    QString SelectedPicturePath;
    // The drive list position last listed, shared by every window with a drive list.
    TaggedValue LastDriveIndex;
    std::int16_t ExtraPictureCount = 0;
    // The saved assessment the run started from, shown beside the new results.
    std::optional<Assessment> m_earlier;
    // The picture file last opened into the task picture box, and where the box shows it: the
    // printed page reads the file again at the printer's resolution. And the picture the
    // measuring window shows measured or being measured (empty when its measurement came to
    // nothing).
    QString m_taskPicturePath;
    FitResult m_taskPictureFit;
    QString m_measuredPath;
    // The last save's name (with " VESK Analysis") and folder.
    QString ReportBaseName;
    QString SaveFolder;
    // The folder of the report the run started from, if it did.
    QString m_reopenedFolder;

    std::unique_ptr<CautionStatement> m_caution;
    std::unique_ptr<EmployeeDetails> m_details;
    std::unique_ptr<Main2> m_main2;
    std::unique_ptr<VESKOverview> m_overview;
    std::unique_ptr<VESKResults> m_results;
    std::unique_ptr<VESKRiskLevel> m_riskLevel;
    std::unique_ptr<Save> m_save;
    std::unique_ptr<OverwriteFile> m_overwrite;
    std::unique_ptr<OpenPictureFile> m_pictureChooser;
    std::unique_ptr<OpenExtraPics> m_extraPictureChooser;
    std::unique_ptr<ExtraPics> m_extraPictures;
    std::unique_ptr<MeasurePicture> m_measurePicture;
    // Made on the first measurement, which loads the pose model.
    std::unique_ptr<MeasurementRun> m_measurement;
};
