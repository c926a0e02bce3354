#include "MeasurementRun.h"

MeasurementRun::MeasurementRun()
{
    m_thread.setObjectName(QStringLiteral("measuring"));
    m_worker.moveToThread(&m_thread);
    m_thread.start();
}

MeasurementRun::~MeasurementRun()
{
    m_stop.request_stop();
    m_thread.quit();
    m_thread.wait();
}

void MeasurementRun::start(const QString& path)
{
    m_stop.request_stop();
    m_stop = std::stop_source();
    const quint64 request = ++m_latest;
    QMetaObject::invokeMethod(
        &m_worker,
        [this, path, request, stop = m_stop.get_token()] {
            measurecommand::PhotoMeasurement measurement;
            if (stop.stop_requested()) {
                measurement.pose.outcome = PoseMeasurement::Outcome::Stopped;
            } else {
                if (!m_detector) {
                    std::string error;
                    m_detector = PoseDetector::load(PoseDetector::defaultFolder(), error);
                    measurement.error = QString::fromStdString(error);
                }
                if (m_detector)
                    measurement = measurecommand::measurePhoto(path, *m_detector, stop);
            }
            // Delivered on the GUI thread, where `this` lives; dropped with it.
            QMetaObject::invokeMethod(
                this,
                [this, request, measurement] {
                    if (request == m_latest)
                        emit finished(measurement);
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void MeasurementRun::cancel()
{
    m_stop.request_stop();
}
