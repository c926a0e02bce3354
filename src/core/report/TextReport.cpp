#include "TextReport.h"

#include "Windows1252.h"

std::string textReport(const report::ReportTable& fields)
{
    std::string out;
    for (const TaggedValue& field : fields) {
        if (field.isText())
            out += '"' + toWindows1252(field.toText()) + '"';
        else if (field.isInteger())
            out += std::to_string(field.toInteger());
        out += "\r\n";
    }
    return out;
}
