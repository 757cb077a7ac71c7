#pragma once

#include <QString>

#include <cstdint>
#include <optional>

#include "toolkit/toolkit.h"

// Reading and writing the numbers shown in numeric fields.
namespace toolkit::detail {

// The finite number the text spells (blanks around it allowed), or nothing.
std::optional<double> parseNumber(const QString& text);
// As parseNumber, but only numbers a float can hold.
std::optional<float> parseReal(const QString& text);
// The value an integer field gives for a number: truncated toward zero and held at the
// 32-bit limits when it lies beyond them (NaN gives 0).
std::int32_t integerFieldValue(double value);
// Whether the integer part of the value lies within 32 bits.
bool fitsInt32(double value);
// Fixed-point with the format's decimals and no padding (a wide value is shown in
// full); without a format the shortest digits that read back as the same float.
QString formatReal(float value, std::optional<RealFormat> format);

// What an edit put into a text: what lies in `after` between the common start and end
// of the text before and after it, and where.
struct Inserted {
  qsizetype at = 0;
  QString text;
};
Inserted insertedText(const QString& before, const QString& after);

}  // namespace toolkit::detail
