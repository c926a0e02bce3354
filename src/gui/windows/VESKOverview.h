#pragma once
// The method overview: one picture summarising the procedure, and its Exit button.

#include "Form.h"

class QPushButton;
class SvgPicture;

class VESKOverview : public Form
{
    Q_OBJECT

public:
    VESKOverview();

    void Command1_Click(); // "&Exit"

    SvgPicture* Image1;
    QPushButton* Command1;
};
