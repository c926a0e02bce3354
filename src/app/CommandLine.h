#pragma once
// What the program is asked to do on its command line: start as usual, start from a saved
// report ("vesk <report>", the desktop entry's file), write the printed worksheet of a saved
// report to a PDF file without any window ("vesk --pdf <report> <pdf>"), write the comparison of
// two saved reports ("vesk --compare <before> <after> <pdf>"), write a table of saved reports
// to the standard output ("vesk --csv <report>..."), or say its usage or version.

#include <QString>
#include <QStringList>

namespace commandline {

struct Request
{
    enum class Action
    {
        Run,     // the usual road, from `report` when one is given
        Pdf,     // `report` printed into `pdf`, then the end
        Measure, // the photo `report` measured, printed (as JSON when `json`), then the end
        Compare, // the two `reports`, the earlier first, compared into `pdf`, then the end
        Csv,     // one row for each of `reports` to the standard output, then the end
        Help,    // `text` to the standard output
        Version, // `text` to the standard output
        Refused, // `text` says why, to the standard error
    };
    Action action = Action::Run;
    QString report;
    QString pdf;
    QString text;
    bool json = false;
    QStringList reports = {};
};

// `arguments` as QCoreApplication::arguments() gives them, the program first.
Request parse(const QStringList& arguments);

// Reads the command line before any window can be made, so that a usage error or a request
// that shows no window never needs a display.
Request read(int argc, char* argv[]);

} // namespace commandline
