#include "Quote.h"

namespace jet {

std::string quoteValue(std::string_view utf8)
{
    std::string quoted;
    quoted.reserve(utf8.size() + 2);
    quoted.push_back('\'');
    for (char c : utf8) {
        quoted.push_back(c);
        if (c == '\'')
            quoted.push_back('\'');
    }
    quoted.push_back('\'');
    return quoted;
}

} // namespace jet
