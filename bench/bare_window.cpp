// Baseline for the start-up benchmark: a bare Qt window program that quits after its first
// paint, as the real program does under VESK_QUIT_AFTER_FIRST_PAINT.

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

class QuitAfterPaint : public QObject
{
protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return false;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QLabel window(QStringLiteral("A bare window"));
    window.resize(627, 512);
    QuitAfterPaint probe;
    window.installEventFilter(&probe);
    window.show();
    return QApplication::exec();
}
