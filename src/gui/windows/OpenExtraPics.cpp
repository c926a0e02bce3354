#include "OpenExtraPics.h"

#include "ExtraPics.h"
#include "Forms.h"
#include "Module1.h"
#include "PictureShow.h"
#include "Platform.h"

OpenExtraPics::OpenExtraPics()
    : PictureChooser(QStringLiteral("OpenExtraPics"), {{6195, 4050},
                                                       {120, 120, 3735, 315},
                                                       {120, 480, 3735, 2115},
                                                       {3960, 120, 2055, 2430},
                                                       {120, 2640, 5895, 495},
                                                       {1320, 3240, 2175, 615},
                                                       {3600, 3240, 2175, 615}})
{
}

void OpenExtraPics::cmdOpen_Click()
{
    if (Module1::ExtraPictureCount >= ExtraPics::SlotCount) {
        platform::messageBox(QStringLiteral("You have already loaded the maximum 4 pictures"),
                             QStringLiteral("Error"));
        return;
    }
    ExtraPics& viewer = Forms::get<ExtraPics>();
    LoadedPicture picture = loadChosenPicture(viewer.pictureSize());
    if (!picture.ok())
        return;
    const int index = Module1::ExtraPictureCount;
    paintPicture(
        std::move(picture), Forms::get<PictureShow>().Picture2,
        [&](const QImage& image, QSizeF size) { return viewer.showPicture(index, image, size); });
    Module1::ExtraPictureCount = static_cast<std::int16_t>(Module1::ExtraPictureCount + 1);
    hide();
    Forms::show<ExtraPics>();
}

void OpenExtraPics::Command1_Click()
{
    hide();
}
