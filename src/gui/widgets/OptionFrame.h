#pragma once
// The frame around one drawing option. Its background colour is the record of the choice:
// 255 (red) while the option is chosen, the button face colour otherwise.

#include <QFrame>

class SvgPicture;

class OptionFrame : public QFrame
{
    Q_OBJECT

public:
    OptionFrame(const QString& frameName, QWidget* parent);

    void setBackColor(quint32 colour);
    bool isHighlighted() const { return m_backColor == 255; }

    SvgPicture* drawing = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    quint32 m_backColor;
};
