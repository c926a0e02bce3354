#pragma once
// Names compare without regard to case, as in Jet: letters of every script, not only ASCII.

#include <string_view>

namespace jet {

// The simple lower-case form of a UTF-16 code unit (surrogates and caseless units unchanged).
char16_t lowerCase(char16_t c);
bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace jet
