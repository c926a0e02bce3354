#include "CommonDialog.h"

#include "HelpWindow.h"

void CommonDialog::ShowHelp()
{
    showHelpFile(HelpFile, HelpKey);
}
