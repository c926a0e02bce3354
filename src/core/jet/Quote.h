#pragma once

#include <string>
#include <string_view>

namespace jet {

// Quotes a value for a statement: apostrophe, the value with every apostrophe doubled,
// apostrophe.
std::string quoteValue(std::string_view utf8);

} // namespace jet
