#include "toolkit/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace toolkit::detail {

std::optional<double> parseNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  bool ok = false;
  const double value = trimmed.toDouble(&ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<float> parseReal(const QString& text) {
  const auto value = parseNumber(text);
  if (!value || std::fabs(*value) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(*value);
}

bool fitsInt32(double value) {
  const double truncated = std::trunc(value);
  return truncated >= std::numeric_limits<std::int32_t>::min() &&
         truncated <= std::numeric_limits<std::int32_t>::max();
}

std::int32_t integerFieldValue(double value) {
  if (std::isnan(value)) return 0;
  const double truncated = std::trunc(value);
  if (truncated <= std::numeric_limits<std::int32_t>::min())
    return std::numeric_limits<std::int32_t>::min();
  if (truncated >= std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(truncated);
}

QString formatReal(float value, std::optional<RealFormat> format) {
  if (format && format->width > 0) {
    return QString::number(static_cast<double>(value), 'f', std::clamp(format->decimals, 0, 30));
  }
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  // Exponents are shown as "E", the letter that real fields accept.
  return QString::fromLatin1(buffer, result.ptr - buffer).toUpper();
}

Inserted insertedText(const QString& before, const QString& after) {
  const qsizetype shorter = std::min(before.size(), after.size());
  qsizetype start = 0;
  while (start < shorter && before[start] == after[start]) ++start;
  qsizetype end = 0;
  while (end < shorter - start && before[before.size() - 1 - end] == after[after.size() - 1 - end])
    ++end;
  return {start, after.mid(start, after.size() - start - end)};
}

}  // namespace toolkit::detail
