#include "SvgPicture.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace {

// Several controls show the same drawing (both arms use one set): parse each file once.
QHash<QString, std::shared_ptr<QSvgRenderer>>& renderers()
{
    static QHash<QString, std::shared_ptr<QSvgRenderer>> parsed;
    return parsed;
}

std::shared_ptr<QSvgRenderer> sharedRenderer(const QString& resource)
{
    std::shared_ptr<QSvgRenderer>& renderer = renderers()[resource];
    if (!renderer)
        renderer = std::make_shared<QSvgRenderer>(resource);
    return renderer;
}

// What a screen reader is told about a picture: a check box or radio button when it can be
// chosen, otherwise a graphic. Pressing or toggling it through the accessibility bus clicks it.
class SvgPictureAccessible : public QAccessibleWidget
{
public:
    explicit SvgPictureAccessible(SvgPicture* picture) : QAccessibleWidget(picture) {}

    QAccessible::Role role() const override
    {
        switch (picture()->choice()) {
        case SvgPicture::Choice::CheckBox:
            return QAccessible::CheckBox;
        case SvgPicture::Choice::RadioButton:
            return QAccessible::RadioButton;
        case SvgPicture::Choice::None:
            break;
        }
        return QAccessible::Graphic;
    }

    QAccessible::State state() const override
    {
        QAccessible::State result = QAccessibleWidget::state();
        if (picture()->isCheckable()) {
            result.checkable = true;
            result.checked = picture()->isChecked();
        }
        return result;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (picture()->isCheckable())
            names << pressAction() << toggleAction();
        return names;
    }

    void doAction(const QString& actionName) override
    {
        if (picture()->isCheckable() &&
            (actionName == pressAction() || actionName == toggleAction()))
            emit picture()->clicked();
        else
            QAccessibleWidget::doAction(actionName);
    }

private:
    SvgPicture* picture() const { return static_cast<SvgPicture*>(widget()); }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("SvgPicture") && object && object->isWidgetType())
        return new SvgPictureAccessible(static_cast<SvgPicture*>(object));
    return nullptr;
}

} // namespace

SvgPicture::SvgPicture(const QString& resource, Scaling scaling, QWidget* parent)
    : QWidget(parent), m_resource(resource), m_scaling(scaling),
      m_renderer(sharedRenderer(resource))
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
}

void SvgPicture::setChecked(bool checked)
{
    if (checked == m_checked)
        return;
    m_checked = checked;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

QString SvgPicture::drawnWords() const
{
    QFile file(m_resource);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader svg(&file);
    QStringList lines;
    int textDepth = 0; // inside a text element, counting its nested spans
    while (!svg.atEnd()) {
        switch (svg.readNext()) {
        case QXmlStreamReader::StartElement:
            if (textDepth > 0)
                ++textDepth;
            else if (svg.name() == QLatin1String("text")) {
                textDepth = 1;
                lines << QString();
            }
            break;
        case QXmlStreamReader::EndElement:
            if (textDepth > 0)
                --textDepth;
            break;
        case QXmlStreamReader::Characters:
            if (textDepth > 0)
                lines.last() += svg.text();
            break;
        default:
            break;
        }
    }
    return lines.join(QLatin1Char(' ')).simplified();
}

QRectF SvgPicture::pictureRect() const
{
    const QRectF area = rect();
    if (m_scaling == Scaling::Stretch || !m_renderer->isValid())
        return area;
    QSizeF size = m_renderer->viewBoxF().size();
    size.scale(area.size(), Qt::KeepAspectRatio);
    return QRectF(area.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

void SvgPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    m_renderer->render(&painter, pictureRect());
    if (hasFocus()) {
        // Black dashes on white: no colour, so the focus is never taken for the red of a choice.
        const QRectF edge = QRectF(rect()).adjusted(1, 1, -1, -1);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 2));
        painter.drawRect(edge);
        QPen dashes(Qt::black, 2, Qt::CustomDashLine);
        dashes.setDashPattern({2, 2});
        painter.setPen(dashes);
        painter.drawRect(edge);
    }
}

void SvgPicture::keyPressEvent(QKeyEvent* event)
{
    if (focusPolicy() != Qt::NoFocus && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Space || event->key() == Qt::Key_Return ||
         event->key() == Qt::Key_Enter)) {
        emit clicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SvgPicture::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
    if (m_pressed && focusPolicy() != Qt::NoFocus)
        setFocus(Qt::MouseFocusReason);
}

void SvgPicture::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Qt's default turns the double click into a second press, and its release into a second
    // click: the option would be chosen and unchosen at once.
    m_pressed = false;
    event->accept();
}

void SvgPicture::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
}
