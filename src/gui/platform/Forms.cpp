#include "Forms.h"

#include <QCoreApplication>
#include <QGuiApplication>

std::map<std::type_index, std::unique_ptr<QWidget>>& Forms::instances()
{
    static std::map<std::type_index, std::unique_ptr<QWidget>> forms;
    // Windows must go before the application object does, however the program ends.
    static const bool registered = [] {
        qAddPostRoutine(&Forms::destroyAll);
        return true;
    }();
    Q_UNUSED(registered);
    return forms;
}

void Forms::destroyAll()
{
    // A form may refer to another while it is destroyed; take them out first.
    auto forms = std::move(instances());
    instances().clear();
    forms.clear();
}

void Forms::bringToFront(QWidget& form)
{
    // The offscreen platform of the tests has no window stacking to change.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    form.raise();
    form.activateWindow();
}
