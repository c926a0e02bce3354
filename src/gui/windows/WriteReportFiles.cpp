#include "WriteReportFiles.h"

#include "Forms.h"
#include "Main2.h"
#include "Module1.h"
#include "Platform.h"
#include "ReportFiles.h"

bool WriteReportFiles()
{
    completeReport(Forms::get<Main2>().highlightedOptions());
    const reportfiles::SaveResult result =
        reportfiles::writeBoth(Module1::SaveFolder, Module1::ReportBaseName, Module1::ReportFields);
    if (!result.saved) {
        platform::messageBox(QStringLiteral("The assessment could not be saved.\n\n%1\n\n%2")
                                 .arg(result.failure, result.onDisk));
        return false;
    }
    platform::messageBox(QStringLiteral("File Saved"));
    platform::endProgram();
    return true;
}
