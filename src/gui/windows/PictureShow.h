#pragma once
// A window that is never shown: it holds the two off-screen surfaces the pictures are loaded
// into before they are painted into a box, the first for the task picture, the second for the
// extra pictures. Each surface takes the size of the picture loaded into it.

#include "Form.h"

#include <QImage>

class PictureShow : public Form
{
    Q_OBJECT

public:
    PictureShow();

    QImage Picture1;
    QImage Picture2;
};
