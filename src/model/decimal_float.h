#pragma once

#include <string_view>

namespace kandelor {

// Reads a short decimal number such as "-1.25", "3.", ".5" or "1.00000000E+09" (an
// optional sign, at most 15 significant digits with an optional point, an optional E
// exponent) as the nearest single-precision value, exactly as from_chars would.
// Returns false, leaving `value` alone, for any other text and for the rare values
// this quick method cannot round with certainty: the caller then reads them the
// general way.
bool readShortDecimalFloat(std::string_view text, float& value);

}  // namespace kandelor
