#include "HelpWindow.h"

#include "Platform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpWindow::HelpWindow() : Form(QStringLiteral("HelpWindow"), QStringLiteral("Help"), QSize())
{
    contentsButton = new QPushButton(QStringLiteral("&Contents"), this);
    contentsButton->setObjectName(QStringLiteral("contentsButton"));
    backButton = new QPushButton(QStringLiteral("&Back"), this);
    backButton->setObjectName(QStringLiteral("backButton"));
    forwardButton = new QPushButton(QStringLiteral("&Forward"), this);
    forwardButton->setObjectName(QStringLiteral("forwardButton"));
    closeButton = new QPushButton(QStringLiteral("C&lose"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    browser = new QTextBrowser(this);
    browser->setObjectName(QStringLiteral("browser"));
    browser->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contentsButton);
    buttons->addWidget(backButton);
    buttons->addWidget(forwardButton);
    buttons->addStretch();
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser);

    backButton->setEnabled(false);
    forwardButton->setEnabled(false);
    connect(contentsButton, &QPushButton::clicked, browser, &QTextBrowser::home);
    connect(backButton, &QPushButton::clicked, browser, &QTextBrowser::backward);
    connect(forwardButton, &QPushButton::clicked, browser, &QTextBrowser::forward);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::hide);
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::hide);
    connect(browser, &QTextBrowser::backwardAvailable, backButton, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::forwardAvailable, forwardButton, &QPushButton::setEnabled);
    connect(browser, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
    });
    resize(760, 620);
}

void HelpWindow::open(const QString& path, const QString& part)
{
    QUrl url = QUrl::fromLocalFile(path);
    url.setFragment(part);
    browser->setSource(url);
    browser->clearHistory();
}

namespace {

// The help window of the run: made when help is first asked for, then shown again with each
// request, and gone with the application.
QPointer<HelpWindow>& theWindow()
{
    static QPointer<HelpWindow> window;
    return window;
}

void destroyWindow()
{
    delete theWindow().data();
}

} // namespace

HelpWindow* helpWindow()
{
    return theWindow().data();
}

void showHelpFile(const QString& path, const QString& part)
{
    const QString resolved = platform::resolveCaseInsensitive(path);
    const QFileInfo file(resolved);
    if (!file.isFile() || !file.isReadable()) {
        platform::messageBox(QStringLiteral("The help file \"%1\" could not be found.")
                                 .arg(QDir::toNativeSeparators(path)));
        return;
    }
    if (!theWindow()) {
        theWindow() = new HelpWindow;
        static const bool registered = [] {
            qAddPostRoutine(&destroyWindow);
            return true;
        }();
        Q_UNUSED(registered);
    }
    theWindow()->open(file.absoluteFilePath(), part);
    theWindow()->showInFront();
}

namespace {

class HelpKey : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 && watched->isWidgetType()) {
            showHelpFile(platform::applicationHelpFile());
            return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

void installHelpKey()
{
    static HelpKey* key = nullptr;
    if (!key) {
        key = new HelpKey(qApp);
        qApp->installEventFilter(key);
    }
}
