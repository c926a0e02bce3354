#pragma once
// For the start-up benchmark: ends the event loop right after a window's first paint, so that
// the time from start to a painted window can be measured from outside the process. Installed
// only when VESK_QUIT_AFTER_FIRST_PAINT is set.

#include <QObject>

class FirstPaintProbe : public QObject
{
public:
    static void watch(QObject* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
