#include "PoseDetector.h"

#include "PoseEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace {

// The module that runs the models, in the folder of the models.
QString moduleIn(const std::string& folder)
{
#ifdef _WIN32
    const char* const name = "vesk_pose_model.dll";
#else
    const char* const name = "libvesk_pose_model.so";
#endif
    return QDir(QString::fromStdString(folder)).filePath(QString::fromLatin1(name));
}

} // namespace

struct PoseDetector::Models
{
    std::unique_ptr<PoseEngine> engine;
};

PoseDetector::PoseDetector(std::unique_ptr<Models> models) : m_models(std::move(models)) {}

PoseDetector::~PoseDetector() = default;

std::unique_ptr<PoseDetector> PoseDetector::load(const std::string& folder, std::string& error)
{
    const std::string detector = folder + "/" + DetectorFile;
    const std::string landmarks = folder + "/" + LandmarkFile;
    for (const std::string& file : {detector, landmarks}) {
        if (!QFileInfo(QString::fromStdString(file)).isFile()) {
            error = "the pose model " + file + " is missing";
            return nullptr;
        }
    }
    // Loaded once and kept for the run: the engines it makes live in it.
    QLibrary module(moduleIn(folder));
    const auto open = reinterpret_cast<OpenPoseEngine>(module.resolve(OpenPoseEngineSymbol));
    if (!open) {
        error = "the pose model's module cannot be loaded: " + module.errorString().toStdString();
        return nullptr;
    }
    PoseEngine* engine = open(detector.c_str(), landmarks.c_str(), &error);
    if (!engine)
        return nullptr;
    return std::unique_ptr<PoseDetector>(
        new PoseDetector(std::make_unique<Models>(Models{std::unique_ptr<PoseEngine>(engine)})));
}

std::string PoseDetector::defaultFolder()
{
    const QString fromEnvironment = qEnvironmentVariable("VESK_POSE_MODELS");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment.toStdString();
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("pose"))
        .toStdString();
}

PoseMeasurement PoseDetector::measure(const PixelView& picture, const std::stop_token& stop)
{
    return m_models->engine->measure(picture, stop);
}
