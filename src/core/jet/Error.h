#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace jet {

// Everything the writer rejects is reported with this type; what() says what went wrong and
// where (table, column, value).
class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A name or value as given, fit for a message: control characters (a NUL would end the message
// early) are written as \xNN.
std::string printable(std::string_view text);

} // namespace jet
