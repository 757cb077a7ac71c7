#pragma once

#include <cstddef>

namespace kandelor {

// Reads the decimal number at the start of [first, last), such as "-1.25", "3.", ".5"
// or "1.00000000E+09" (an optional sign, digits with an optional point, an optional E
// exponent), as the nearest single-precision value, exactly as from_chars would, and
// returns how many characters it took. Returns 0, leaving `value` alone, when no such
// number starts there or when it is one of the rare values this quick method cannot
// round with certainty (more than 19 digits, a mantissa of 2^53 or more, a power of
// ten beyond 22, results outside the normal float range, near-halfway cases): the
// caller then reads it the general way.
std::size_t readShortDecimalFloat(const char* first, const char* last, float& value);

}  // namespace kandelor
