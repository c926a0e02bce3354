#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QMessageBox>
#include <QWidget>

namespace platform {
namespace {

std::function<bool(const MessageRequest&)>& messageHandler()
{
    static std::function<bool(const MessageRequest&)> handler;
    return handler;
}

std::function<void()>& endHandler()
{
    static std::function<void()> handler;
    return handler;
}

bool show(const MessageRequest& request)
{
    if (messageHandler())
        return messageHandler()(request);
    QMessageBox box(QMessageBox::NoIcon, request.title, request.text,
                    request.buttons == Buttons::Ok ? QMessageBox::Ok
                                                   : QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
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
    if (endHandler()) {
        endHandler()();
        return;
    }
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void setMessageHandler(std::function<bool(const MessageRequest&)> handler)
{
    messageHandler() = std::move(handler);
}

void setEndProgramHandler(std::function<void()> handler)
{
    endHandler() = std::move(handler);
}

void registerFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
}

} // namespace platform

namespace platform {
namespace {

QString& programFolderOverride()
{
    static QString folder;
    return folder;
}

QString& helpFileSetting()
{
    static QString path;
    return path;
}

} // namespace

QString programFolder()
{
    if (!programFolderOverride().isEmpty())
        return programFolderOverride();
    return QCoreApplication::applicationDirPath();
}

void setProgramFolder(const QString& folder)
{
    programFolderOverride() = folder;
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

} // namespace platform
