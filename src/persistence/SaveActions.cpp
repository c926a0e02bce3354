#include "persistence/SaveActions.h"

// Placeholder until the save dialog exists.
void showSaveDialog() {}
