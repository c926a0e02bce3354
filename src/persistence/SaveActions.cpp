#include "persistence/SaveActions.h"

#include "persistence/Save.h"
#include "platform/Forms.h"

void showSaveDialog()
{
    Forms::show<Save>();
}
