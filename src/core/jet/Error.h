#pragma once

#include <stdexcept>

namespace jet {

// Everything the writer rejects or fails at is reported with this type; what() says what went
// wrong and where (statement position, column, file path and the system's reason).
class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

} // namespace jet
