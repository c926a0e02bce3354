#pragma once
// Measures the task picture off the GUI thread. The thread starts with the first measurement,
// and the pose model is loaded on it then, once for the run: starting the program loads
// nothing. One measurement runs at a time; a newer one stops the one under way, and only the
// newest one's result is delivered, on the GUI thread.

#include "MeasureCommand.h"

#include <QObject>
#include <QThread>

#include <memory>
#include <stop_token>

class MeasurementRun : public QObject
{
    Q_OBJECT

public:
    MeasurementRun();
    // Stops what is under way; waits for the model's pass in progress, if one is.
    ~MeasurementRun() override;
    MeasurementRun(const MeasurementRun&) = delete;
    MeasurementRun& operator=(const MeasurementRun&) = delete;

    void start(const QString& path);
    // The measurement under way comes back Stopped, unless the model had already finished.
    void cancel();

signals:
    void finished(const measurecommand::PhotoMeasurement& measurement);

private:
    QThread m_thread;
    QObject m_worker;                         // lives on m_thread
    std::unique_ptr<PoseDetector> m_detector; // touched on m_thread only
    std::stop_source m_stop;
    quint64 m_latest = 0;
};
