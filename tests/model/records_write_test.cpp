#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "model/records.h"

namespace kandelor {
namespace {

std::string record(std::initializer_list<RecordValue> values) {
  std::string out;
  writeRecord(out, values);
  return out;
}

std::string realField(float value) {
  std::string out;
  appendReal(out, value);
  return out;
}

TEST(RecordWriter, IntegersAreRightAlignedInEleven) {
  EXPECT_EQ(record({0}), "           0\n");
  EXPECT_EQ(record({-42}), "         -42\n");
  EXPECT_EQ(record({2147483647}), "  2147483647\n");
  EXPECT_EQ(record({INT32_MIN}), " -2147483648\n");
  // Two numbers touch unless the second fills its field, which would merge them.
  EXPECT_EQ(record({1, -2}), "           1         -2\n");
  EXPECT_EQ(record({1, INT32_MIN}), "           1 -2147483648\n");
}

TEST(RecordWriter, RealsUsePlainNotationFromPointOneToBelowOneBillion) {
  EXPECT_EQ(realField(1.0f), "      1.00000000");
  EXPECT_EQ(realField(0.5f), "     0.500000000");
  EXPECT_EQ(realField(-2.5f), "     -2.50000000");
  EXPECT_EQ(realField(0.1f), "     0.100000001");
  EXPECT_EQ(realField(std::nextafter(0.1f, 0.0f)), "  9.99999940E-02");
  EXPECT_EQ(realField(999999936.0f), "      999999936.");
  EXPECT_EQ(realField(123456789.0f), "      123456792.");
  EXPECT_EQ(realField(1e9f), "  1.00000000E+09");
  EXPECT_EQ(realField(1e10f), "  1.00000000E+10");
  EXPECT_EQ(realField(0.0f), "  0.00000000E+00");
  EXPECT_EQ(realField(-0.0f), " -0.00000000E+00");
  EXPECT_EQ(realField(FLT_MAX), "  3.40282347E+38");
  EXPECT_EQ(realField(-FLT_MAX), " -3.40282347E+38");
  EXPECT_EQ(realField(FLT_TRUE_MIN), "  1.40129846E-45");
  EXPECT_EQ(realField(-0.0123456789f), " -1.23456791E-02");
}

TEST(RecordWriter, TextsKeepTheirWidthAndQuoteWhatWouldNotReadBack) {
  EXPECT_EQ(record({}), " \n");
  EXPECT_EQ(record({std::string_view("Office       ")}), " Office       \n");
  EXPECT_EQ(record({std::string_view("   abc")}), " abc   \n");
  EXPECT_EQ(record({std::string_view("a b   ")}), " 'a b' \n");
  EXPECT_EQ(record({std::string_view("it's")}), " 'it''s'\n");
  EXPECT_EQ(record({std::string_view("x,y/z\t   ")}), " 'x,y/z\t' \n");
  EXPECT_EQ(record({std::string_view("say \"hi\"")}), " 'say \"hi\"'\n");
  EXPECT_EQ(record({std::string_view("    ")}), " ''  \n");
  // A number after a text is set off by one blank; a text after a number too.
  EXPECT_EQ(record({std::string_view("Watts/lamp "), 40}), " 'Watts/lamp'          40\n");
  EXPECT_EQ(record({Label{"Ballast Factor "}, 1.0f}), " Ballast Factor        1.00000000\n");
  EXPECT_EQ(record({Label{"Page "}, 3}), " Page            3\n");
  EXPECT_EQ(record({7, std::string_view("abc")}), "           7 abc\n");
}

// Every finite float must come back with the same bits after a write and a read.
TEST(RecordWriter, EveryRealReadsBackBitIdentical) {
  std::vector<float> values = {0.0f,    -0.0f,        FLT_MIN, -FLT_MIN,   FLT_TRUE_MIN,
                               FLT_MAX, -FLT_MAX,     0.1f,    1e9f,       999999936.0f,
                               1.0f,    -1.0f / 3.0f, 1e-40f,  16777217.0f};
  std::mt19937 random(12345);
  while (values.size() < 200000) {
    const std::uint32_t bits = random();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (std::isfinite(value)) values.push_back(value);
  }
  std::string text;
  for (const float value : values) writeRecord(text, {value});
  RecordReader reader(text, "reals.dat");
  for (const float value : values) {
    reader.beginRecord();
    const float back = reader.readReal();
    ASSERT_TRUE(reader.ok()) << reader.error()->message();
    ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << value << " read as " << back;
  }
}

// The field from an independent route: printf's correctly rounded nine digits.
std::string reference(float value) {
  char sci[32];
  std::snprintf(sci, sizeof sci, "%.8E", static_cast<double>(value));
  std::string text(sci);
  const bool negative = text[0] == '-';
  if (negative) text.erase(0, 1);
  const int exponent = std::atoi(text.c_str() + text.find('E') + 1);
  const std::string digits = text.substr(0, 1) + text.substr(2, 8);
  std::string field = text;
  if (value != 0.0f && exponent == -1) {
    field = "0." + digits;
  } else if (value != 0.0f && exponent >= 0 && exponent <= 8) {
    const auto point = static_cast<std::size_t>(exponent) + 1;
    field = digits.substr(0, point) + "." + digits.substr(point);
  }
  if (negative) field = "-" + field;
  return std::string(16 - field.size(), ' ') + field;
}

// The exact integer route must round every float as printf does, in both notations,
// ties and carries into the next power of ten included.
TEST(RecordWriter, RealsMatchCorrectRounding) {
  std::mt19937 random(99);
  int checked = 0;
  for (float low = 1e-12f; low < 1e20f; low *= 10.0f) {
    for (int i = 0; i < 4000; ++i) {
      const float value = low * (1.0f + 9.0f * std::ldexp(static_cast<float>(random() >> 8), -24));
      const float signedValue = (i % 2) ? -value : value;
      ASSERT_EQ(realField(signedValue), reference(signedValue)) << signedValue;
      ++checked;
    }
  }
  for (int i = 0; i < 100000; ++i) {
    const std::uint32_t bits = random();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isfinite(value)) continue;
    ASSERT_EQ(realField(value), reference(value)) << value;
    ++checked;
  }
  // Exact ties at the ninth digit, and values that round up to a power of ten.
  for (const float value : {0.1025390625f, 0.1005859375f, 7.830078125f, 99999999.5f, 9.99999999f,
                            0.999999999f, 9.999999e-5f, 999999940.0f, 9.9999999e18f}) {
    EXPECT_EQ(realField(value), reference(value)) << value;
  }
  EXPECT_GT(checked, 180000);
}

}  // namespace
}  // namespace kandelor
