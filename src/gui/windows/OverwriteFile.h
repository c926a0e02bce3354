#pragma once
// The overwrite confirmation, shown when the report of the chosen name already exists.

#include "Form.h"

class QLabel;
class QPushButton;

class OverwriteFile : public Form
{
    Q_OBJECT

public:
    OverwriteFile();

    void Command3_Click(); // "&Overwrite"
    void Command5_Click(); // "&New Filename"

    QLabel* Label84;
    QPushButton* Command3;
    QPushButton* Command5;

protected:
    void showEvent(QShowEvent* event) override;
};
