#include "PictureShow.h"

PictureShow::PictureShow() : Form(QStringLiteral("PictureShow"), QStringLiteral("PictureShow"), {})
{
}
