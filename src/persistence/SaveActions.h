#pragma once
// What the risk level window's "&Save" does: shows the save dialog.
void showSaveDialog();
