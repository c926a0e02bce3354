#include "media/MediaActions.h"

// Placeholders until the picture windows exist.
void showTaskPictureChooser() {}
void showExtraPictureChooser() {}
void viewExtraPictures() {}
void playVideo() {}
