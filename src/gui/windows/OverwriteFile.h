#pragma once
// The overwrite confirmation, shown when the report of the chosen name already exists.

#include "Form.h"

#include <QPointer>

class QLabel;
class QPushButton;

class OverwriteFile : public Form
{
    Q_OBJECT

public:
    OverwriteFile();

    void Command3_Click(); // "&Overwrite"
    void Command5_Click(); // "&New Filename"

    // The save dialog it belongs to: shown, it stands beside that dialog rather than over it.
    void placeBeside(QWidget* dialog) { m_dialog = dialog; }
    // Names the files a save would replace.
    void showFiles(const QStringList& names);

    QLabel* Label84;
    QLabel* Label1;
    QPushButton* Command3;
    QPushButton* Command5;

signals:
    void overwriteRequested();
    // After the person has been asked for another name.
    void newFilenameRequested();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPointer<QWidget> m_dialog;
};
