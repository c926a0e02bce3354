#include "results/CommonDialog.h"

#include "results/HelpWindow.h"

void CommonDialog::ShowHelp()
{
    showHelpFile(HelpFile);
}
