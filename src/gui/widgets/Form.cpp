#include "Form.h"

#include "CommandButton.h"
#include "FocusMark.h"
#include "Platform.h"
#include "Seams.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

QColor vbColor(quint32 value)
{
    if (value & 0x80000000u) {
        const QPalette palette = QApplication::palette();
        switch (value & 0xFFu) {
        case 0x05:
            return palette.color(QPalette::Base);
        case 0x0D:
            return palette.color(QPalette::Highlight);
        case 0x0F:
            return palette.color(QPalette::Button);
        default:
            return palette.color(QPalette::Window);
        }
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

Form::Form(const QString& objectName, const QString& caption, QSize clientTwips, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    // A window, named by its title; those that ask something and go are dialogs.
    setAccessibleRole(this, QAccessible::Window);
    FocusMark::install();
    if (clientTwips.isValid() && !clientTwips.isEmpty()) {
        const QSize design(toPixels(clientTwips.width()), toPixels(clientTwips.height()));
        if (platform::seams().availableArea.isValid()) {
            m_zoom = fitZoom(design, platform::seams().availableArea);
        } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            // Leave room for the title bar and frame the window manager adds.
            const QSize available = screen->availableGeometry().size() - QSize(16, 48);
            m_zoom = fitZoom(design, available);
        }
        resize(toPixels(clientTwips.width()), toPixels(clientTwips.height()));
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - rect().center());
    }
}

double Form::fitZoom(QSize designPixels, QSize available)
{
    if (designPixels.isEmpty() || available.isEmpty())
        return 1.0;
    const double zoom = std::min(double(available.width()) / designPixels.width(),
                                 double(available.height()) / designPixels.height());
    return std::min(1.0, zoom);
}

int Form::toPixels(int twips) const
{
    return qRound(twips * logicalDpiX() / 1440.0 * m_zoom);
}

QRect Form::toPixels(int left, int top, int width, int height) const
{
    // Map both corners so that neighbouring controls keep their designed gaps.
    // A thin designed line stays at least one pixel wide however far the window is zoomed out.
    const int x = toPixels(left);
    const int y = toPixels(top);
    const int pixelWidth = toPixels(left + width) - x;
    const int pixelHeight = toPixels(top + height) - y;
    return QRect(x, y, width > 0 ? std::max(1, pixelWidth) : pixelWidth,
                 height > 0 ? std::max(1, pixelHeight) : pixelHeight);
}

QFont Form::designFont(const QString& family, double points, bool bold) const
{
    QFont font(platform::fontFamily(family));
    font.setPointSizeF(points * m_zoom);
    font.setBold(bold);
    return font;
}

void Form::place(QWidget* child, int left, int top, int width, int height) const
{
    child->setGeometry(toPixels(left, top, width, height));
}

QLabel* Form::addLabel(const QString& name, const QString& text, QRect twips, const QFont& font,
                       QWidget* parent)
{
    auto* label = new QLabel(text, parent ? parent : this);
    label->setObjectName(name);
    label->setFont(font);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    place(label, twips.x(), twips.y(), twips.width(), twips.height());
    return label;
}

QPushButton* Form::addButton(const QString& name, const QString& caption, QRect twips,
                             const QFont& font, QWidget* parent)
{
    auto* button = new CommandButton(caption, parent ? parent : this);
    button->setObjectName(name);
    button->setFont(font);
    place(button, twips.x(), twips.y(), twips.width(), twips.height());
    return button;
}

void Form::keepDesignedSize()
{
    setFixedSize(size());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
}

void Form::showInFront()
{
    // A window that comes into sight comes on top; one already in sight may lie under others.
    if (isVisible())
        raise();
    show();
    activateWindow();
}

void Form::closeEvent(QCloseEvent* event)
{
    event->ignore();
    titleBarClose();
}

void Form::titleBarClose()
{
    hide();
}

namespace {

const char* const AccessibleCaption = "accessibleCaption";

class CaptionedValueAccessible : public QAccessibleWidget
{
public:
    explicit CaptionedValueAccessible(QLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QString text(QAccessible::Text which) const override
    {
        if (which != QAccessible::Name)
            return QAccessibleWidget::text(which);
        const QString caption = widget()->property(AccessibleCaption).toString();
        const QString value = static_cast<QLabel*>(widget())->text();
        return value.isEmpty() ? caption : caption + QStringLiteral(": ") + value;
    }
};

QAccessibleInterface* captionedValueFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("QLabel") && object->property(AccessibleCaption).isValid())
        return new CaptionedValueAccessible(static_cast<QLabel*>(object));
    return nullptr;
}

} // namespace

void setAccessibleCaption(QLabel* label, const QString& caption)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(captionedValueFor);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    label->setProperty(AccessibleCaption, caption);
}

namespace {

const char* const AccessibleRole = "accessibleRole";

// Asked when it is read, so that a window made as a Form can still become a dialog.
class RoleAccessible : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    QAccessible::Role role() const override
    {
        return QAccessible::Role(widget()->property(AccessibleRole).toInt());
    }
};

QAccessibleInterface* roleFor(const QString& className, QObject* object)
{
    // The most derived class is asked first: that is where the role applies.
    if (object && object->isWidgetType() && object->property(AccessibleRole).isValid() &&
        className == QLatin1String(object->metaObject()->className()))
        return new RoleAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void setAccessibleRole(QWidget* widget, QAccessible::Role role)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(roleFor);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    widget->setProperty(AccessibleRole, int(role));
}

void setTextColour(QWidget* widget, quint32 colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, vbColor(colour));
    widget->setPalette(palette);
}

namespace {

class EnterKeyFilter : public QObject
{
public:
    EnterKeyFilter(QObject* parent, std::function<void(std::int16_t)> handler)
        : QObject(parent), m_handler(std::move(handler))
    {
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_handler(13);
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(std::int16_t)> m_handler;
};

} // namespace

void onEnterKey(QWidget* box, std::function<void(std::int16_t keyAscii)> handler)
{
    box->installEventFilter(new EnterKeyFilter(box, std::move(handler)));
}
