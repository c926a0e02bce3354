#pragma once
// An image control showing a vector picture. It paints at the device's resolution, so the
// picture stays sharp at any scaling. A press and release inside it is a click; a double click
// is one click, not two.
//
// A picture that can be chosen (setChoice) is a check box or, as one of a group of which one is
// chosen, a radio button to assistive technology: its accessible name and description come from
// the widget, its checked state from setChecked.

#include <QWidget>

#include <memory>

class QSvgRenderer;

class SvgPicture : public QWidget
{
    Q_OBJECT

public:
    enum class Scaling
    {
        Stretch, // fills the control, proportions not kept (a stretched image control)
        Fit,     // as large as fits, proportions kept, centred
    };

    SvgPicture(const QString& resource, Scaling scaling, QWidget* parent = nullptr);

    QString resource() const { return m_resource; }
    // The rectangle the picture is painted into.
    QRectF pictureRect() const;
    // The words drawn on the picture, in the order of the file, separated by single blanks.
    QString drawnWords() const;

    enum class Choice
    {
        None,        // only a picture
        CheckBox,    // chosen and unchosen on its own
        RadioButton, // one of a group of which one is chosen
    };
    Choice choice() const { return m_choice; }
    void setChoice(Choice choice) { m_choice = choice; }
    bool isCheckable() const { return m_choice != Choice::None; }
    bool isChecked() const { return m_checked; }
    void setChecked(bool checked);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // A control that takes the focus is clicked with Space or Enter as well.
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The second press of a double click belongs to the click already made.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_resource;
    Scaling m_scaling;
    std::shared_ptr<QSvgRenderer> m_renderer;
    bool m_pressed = false;
    Choice m_choice = Choice::None;
    bool m_checked = false;
};
