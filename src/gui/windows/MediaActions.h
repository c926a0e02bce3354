#pragma once
// What the posture selection window's picture and video buttons do.

// "&Load Picture": shows the task picture chooser.
void showTaskPictureChooser();
// "Load &Extra Pictures": shows the extra picture chooser.
void showExtraPictureChooser();
// "View Extra &Pictures": shows the viewer, or says that no extra picture is loaded yet.
void viewExtraPictures();
// "Play &Video": starts the platform's media player without waiting.
void playVideo();
