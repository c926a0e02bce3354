#pragma once
// A command button whose caption wraps over several lines when it does not fit on one, as the
// buttons of the designed windows do ("Load &Extra Pictures" in a narrow button).

#include <QPushButton>

class CommandButton : public QPushButton
{
    Q_OBJECT

public:
    CommandButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter presses the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;
};
