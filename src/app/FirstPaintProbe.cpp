#include "FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

void FirstPaintProbe::watch(QObject* window)
{
    if (!qEnvironmentVariableIsSet("VESK_QUIT_AFTER_FIRST_PAINT"))
        return;
    window->installEventFilter(new FirstPaintProbe);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Paint) {
        watched->removeEventFilter(this);
        // Quit once the paint has been delivered.
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        deleteLater();
    }
    return false;
}
