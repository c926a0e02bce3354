#include "FocusMark.h"

#include "SvgPicture.h"

#include <QApplication>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>

namespace {

// Where the ring lies: half outside the control, so that a control at the edge of its window
// still shows the inner half; above it, so that the control does not paint it over.
class MarkStyle : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override
    {
        if (metric == PM_FocusFrameHMargin || metric == PM_FocusFrameVMargin)
            return FocusMark::Width - 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override
    {
        if (hint == SH_FocusFrame_AboveWidget)
            return 1;
        // Only the ring covers the control; what is inside it stays as it is.
        if (hint == SH_FocusFrame_Mask) {
            if (auto* mask = qstyleoption_cast<QStyleHintReturnMask*>(data)) {
                constexpr int W = FocusMark::Width;
                mask->region = QRegion(option->rect) - option->rect.adjusted(W, W, -W, -W);
            }
            return 1;
        }
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

} // namespace

FocusMark::FocusMark()
{
    auto* style = new MarkStyle;
    style->setParent(this);
    setStyle(style);
}

void FocusMark::install()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    // The mark lives in the window of the control it marks and goes with that window: a new one
    // is made when the focus comes to a control again.
    static QPointer<FocusMark> mark;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, [](QWidget*, QWidget* now) {
        // A drawing marks its focus itself; a drop-down list is a window of its own.
        const bool marked = now && !qobject_cast<SvgPicture*>(now) && !now->isWindow() &&
                            now->window()->windowType() != Qt::Popup;
        if (marked && !mark)
            mark = new FocusMark;
        if (mark)
            mark->setWidget(marked ? now : nullptr);
    });
}

void FocusMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const qreal inset = Width / 2.0;
    const QRectF ring = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    painter.setPen(QPen(Qt::white, Width));
    painter.drawRect(ring);
    QPen dashes(Qt::black, Width, Qt::CustomDashLine, Qt::FlatCap);
    dashes.setDashPattern({1.5, 1.5});
    painter.setPen(dashes);
    painter.drawRect(ring);
}
