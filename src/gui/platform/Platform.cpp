#include "Platform.h"

#include "Seams.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHash>
#include <QMessageBox>
#include <QSettings>
#include <QWidget>

namespace platform {
namespace {

bool show(const MessageRequest& request)
{
    if (seams().message)
        return seams().message(request);
    QMessageBox box(QMessageBox::NoIcon, request.title, request.text,
                    request.buttons == Buttons::Ok ? QMessageBox::Ok
                                                   : QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    // A short message makes a narrow box, and the window manager cuts its title short: the
    // box is kept wide enough for the title and the title bar's buttons.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const int width = QFontMetrics(titleFont).horizontalAdvance(request.title) + 160;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    // Enter answers No: a question never takes the step that cannot be undone by itself.
    if (request.buttons == Buttons::YesNo)
        box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace

void messageBox(const QString& text, const QString& title)
{
    show({text, title, Buttons::Ok});
}

bool questionBox(const QString& text, const QString& title)
{
    return show({text, title, Buttons::YesNo});
}

void endProgram()
{
    if (seams().endProgram) {
        seams().endProgram();
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void registerFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

QString fontFamily(const QString& designed)
{
    // The fonts installed do not change while the program runs.
    static QHash<QString, QString> chosen;
    const auto known = chosen.constFind(designed);
    if (known != chosen.constEnd())
        return *known;
    // The stand-in where it is installed (the program's package brings it), else the designed
    // family: asked whether a family it lacks is there, the font database searches for an alias
    // of it, which costs more than the search this spares.
    const QString standIn = QFont::substitute(designed);
    const QString family =
        standIn != designed && QFontDatabase::hasFamily(standIn) ? standIn : designed;
    chosen.insert(designed, family);
    return family;
}

} // namespace platform

namespace platform {
namespace {

QString& helpFileSetting()
{
    static QString path;
    return path;
}

} // namespace

QString programFolder()
{
    if (!seams().programFolder.isEmpty())
        return seams().programFolder;
    return QCoreApplication::applicationDirPath();
}

QString applicationHelpFile()
{
    // Until the risk level window sets it, the setting names the program help in capitals.
    if (helpFileSetting().isEmpty())
        return programFolder() + QStringLiteral("/HelpFile/HELPFILE.html");
    return helpFileSetting();
}

void setApplicationHelpFile(const QString& path)
{
    helpFileSetting() = path;
}

QString resolveCaseInsensitive(const QString& path)
{
    if (QFileInfo::exists(path))
        return path;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const QStringList parts = absolute.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = QStringLiteral("/");
    for (const QString& part : parts) {
        const QDir dir(current);
        QString match;
        for (const QString& entry :
             dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                if (entry == part)
                    break;
            }
        }
        if (match.isEmpty())
            return path;
        current = dir.filePath(match);
    }
    return current;
}

namespace {

QSettings userSettings()
{
    return QSettings(QSettings::UserScope, QStringLiteral("VESK"), ApplicationTitle);
}

} // namespace

QString rememberedFolder(const QString& kind)
{
    if (seams().rememberedFolders)
        return seams().rememberedFolders->value(kind);
    return userSettings().value(QStringLiteral("folders/") + kind).toString();
}

void rememberFolder(const QString& kind, const QString& folder)
{
    if (seams().rememberedFolders)
        seams().rememberedFolders->insert(kind, folder);
    else
        userSettings().setValue(QStringLiteral("folders/") + kind, folder);
}

} // namespace platform
