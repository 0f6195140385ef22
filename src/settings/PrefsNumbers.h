#pragma once
// Numbers as the preferences file stores them: integers as plain signed
// decimals, floats with six decimals, independent of the user's locale.

#include <string>
#include <string_view>

namespace tonlira {

// "-12", "0", "131152".
std::string formatInteger(int value);
// Six decimals: 1.0 gives "1.000000", 1.5 gives "1.500000".
std::string formatFloat(float value);

// The leading decimal number of `text`: leading spaces and tabs skipped, an
// optional sign, then digits up to the first non-digit. Text without digits
// reads 0; numbers beyond the int range stop at its ends.
int parseInteger(std::string_view text);
// Likewise, as a decimal fraction ("1.5", "-.25", "2.").
float parseFloat(std::string_view text);

}  // namespace tonlira
