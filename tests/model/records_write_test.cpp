#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
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

}  // namespace
}  // namespace kandelor
