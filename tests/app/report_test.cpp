#include "app/report.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace kandelor {
namespace {

std::vector<std::string> splitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

RoomRow makeRow(std::string_view name, std::string_view number, float length, float width,
                float height, std::int32_t rcr, std::int32_t design, std::int32_t calculated,
                std::int32_t fixture, std::string_view description, std::int32_t quantity,
                float wattsPerSquareFoot) {
  RoomRow row;
  row.name.assign(name);
  row.number.assign(number);
  row.length = length;
  row.width = width;
  row.height = height;
  row.roomCavityRatio = rcr;
  row.designFootcandles = design;
  row.calculatedFootcandles = calculated;
  row.fixtureNumber = fixture;
  row.description.assign(description);
  row.quantity = quantity;
  row.wattsPerSquareFoot = wattsPerSquareFoot;
  return row;
}

// A page with a worked room, a blank row, values below 1, empty-field values (-999),
// values too wide for their columns, negatives and a saved blank row.
RoomPage samplePage() {
  RoomPage page;
  page.defaults = {1.0f, 0.5f, 0.75f, 34, 2800};
  page.row(1) = makeRow("Lobby", "101", 20, 15, 9, 3, 50, 58, 1, "2LampTroffer", 6, 1.36f);
  // row 2 stays as a new page holds it: blank texts, zeros
  page.row(3) = makeRow("Closet", "B-2", 0.5f, 0.25f, 0.35f, -1, -999, 0, 23, ".", 0, 0.5f);
  page.row(4) = makeRow("Empty", ".", -999, -999, -999, -999, -999, -999, -999, ".", -999, -999);
  page.row(5) = makeRow("Warehouse-Main", "W1", 1000, 999.94f, 35, 1000, 1000, 10000, 22,
                        "HighBay-400W", 1000, 99.995f);
  page.row(6) = makeRow("Neg", "N", -12.5f, -0.04f, -0.5f, -10, -5, -12, -1, "x", -99, -0.5f);
  page.row(19) = makeRow(".", ".", 0, 0, 0, 0, 0, 0, 0, ".", 0, 0);
  return page;
}

// The expected report of samplePage() on page 3 with ceiling 80 % and wall 10 %, laid
// out by hand column by column.
std::string expectedReport() {
  const std::string blankRow = std::string(13, ' ') + ' ' + std::string(6, ' ') +
                               "   0.0   0.0   0.0   0    0    0   0 " + std::string(9, ' ') +
                               "   0  0.00";
  std::string r;
  r += " Kandelor 2.0\n";
  r += " Zonal Cavity Lighting\n";
  r += " \n";
  r += " >>> Global Defaults\n";
  r += " \n";
  r += " Ballast Factor        1.00000000\n";
  r += " LLD       0.500000000\n";
  r += " LDD       0.750000000\n";
  r += " \n";
  r += " >>>Lamp Data\n";
  r += " \n";
  r += " Watts/lamp           34\n";
  r += " Lumens/lamp         2800\n";
  r += " \n";
  r += " >>>Room Data\n";
  r += " \n";
  r += " Ceiling Reflectance           80\n";
  r += " Wall Reflectance           10\n";
  r += " Floor Reflectance           20\n";
  r += " Work Surface Height  2.5 Ft.\n";
  r += " \n";
  r += " >>>Calculations\n";
  r += " \n";
  r += " Room Name     Number  L     W      H   RCR  FC  Calc  #   Type    Qty  W/sqft.\n";
  r += " \n";
  r += "Lobby         101     20.0  15.0   9.0   3   50   58   1 2LampTrof   6  1.36\n";
  r += blankRow + "\n";
  r += "Closet        B-2      0.5   0.3   0.3  -1 -999    0  23 .           0  0.50\n";
  r += "Empty         .      ***** ***** ***** *** -999 -999 *** .         *** *****\n";
  r += "Warehouse-Mai W1     ***** 999.9  35.0 *** 1000 ****  22 HighBay-4 *** *****\n";
  r += "Neg           N      -12.5   0.0  -0.5 -10   -5  -12  -1 x         -99 -0.50\n";
  for (int row = 7; row <= 18; ++row) r += blankRow + "\n";
  r += ".             .        0.0   0.0   0.0   0    0    0   0 .           0  0.00\n";
  r += " \n";
  r += " out.dat" + std::string(218, ' ') + "\n";
  r += " Page            3\n";
  return r;
}

TEST(Report, PageMatchesTheHandMadeReport) {
  ReportPercentages percentages;
  percentages.update(4, 1);
  const std::string report = formatReport(samplePage(), percentages, 3);
  EXPECT_EQ(report, expectedReport());

  const auto lines = splitLines(report);
  ASSERT_EQ(lines.size(), 47u);
  EXPECT_EQ(report.back(), '\n');
  EXPECT_EQ(lines[23].size(), 79u);  // a blank and the 78-character heading
  for (int record = 26; record <= 44; ++record) {
    EXPECT_EQ(lines[static_cast<std::size_t>(record - 1)].size(), 76u) << "record " << record;
  }
  EXPECT_EQ(lines[45].size(), 226u);
}

// Names and descriptions in UTF-8 take their width in characters, never split.
TEST(Report, RowsWithUtf8TextsStay76CharactersWide) {
  RoomPage page;
  page.row(1) = makeRow("B\u00fcro S\u00fcdfl\u00fcgel", "R\u00e4um1", 20, 15, 9, 3, 50, 58, 1,
                        "\u00d6lbrenner\u00fc\u00fc\u00fc", 6, 1.36f);
  const auto lines = splitLines(formatReport(page, ReportPercentages{}, 1));
  const std::string& row = lines[25];
  const auto characters = std::count_if(row.begin(), row.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  });
  EXPECT_EQ(characters, 76);
  EXPECT_EQ(row.substr(0, 17), "B\u00fcro S\u00fcdfl\u00fcge ");
  EXPECT_NE(row.find(" \u00d6lbrenner "), std::string::npos) << row;
}

TEST(Report, HeadingWordsStartAtTheirColumns) {
  const auto lines = splitLines(formatReport(RoomPage{}, ReportPercentages{}, 1));
  const std::string heading = lines[23].substr(1);
  const std::vector<std::pair<std::string, std::size_t>> words{
      {"Room", 1},  {"Name", 6}, {"Number", 15}, {"L", 23},    {"W", 29},
      {"H", 36},    {"RCR", 40}, {"FC", 45},     {"Calc", 49}, {"#", 55},
      {"Type", 59}, {"Qty", 67}, {"W/sqft.", 72}};
  for (const auto& [word, column] : words) {
    EXPECT_EQ(heading.substr(column - 1, word.size()), word) << word;
    if (column > 1) {
      EXPECT_EQ(heading[column - 2], ' ') << word;
    }
  }
}

TEST(Report, PercentagesPersistAcrossPrints) {
  ReportPercentages percentages;
  auto reflectanceLines = [&percentages](int pageNumber) {
    const auto lines = splitLines(formatReport(RoomPage{}, percentages, pageNumber));
    return std::vector<std::string>{lines[16], lines[17], lines[46]};
  };
  // Nothing chosen yet: the first Print shows 0.
  percentages.update(0, -999);
  EXPECT_EQ(reflectanceLines(1),
            (std::vector<std::string>{" Ceiling Reflectance            0",
                                      " Wall Reflectance            0", " Page            1"}));
  percentages.update(2, 3);
  EXPECT_EQ(percentages.ceiling, 50);
  EXPECT_EQ(percentages.wall, 50);
  // Typed text matching no item, an empty list, item 5: the last percentages stay.
  percentages.update(0, -999);
  percentages.update(5, 4);
  EXPECT_EQ(percentages.ceiling, 50);
  EXPECT_EQ(percentages.wall, 70);
  percentages.update(-999, 0);
  EXPECT_EQ(reflectanceLines(5)[0], " Ceiling Reflectance           50");
  EXPECT_EQ(reflectanceLines(5)[1], " Wall Reflectance           70");
  EXPECT_EQ(reflectanceLines(5)[2], " Page            5");
  percentages.update(1, 2);
  EXPECT_EQ(percentages.ceiling, 30);
  EXPECT_EQ(percentages.wall, 30);
}

TEST(ReportFields, FixedPointRoundsTheExactValueHalfAwayFromZero) {
  EXPECT_EQ(formatFixed(0.25f, 5, 1), "  0.3");  // exactly half: away from zero
  EXPECT_EQ(formatFixed(-0.25f, 5, 1), " -0.3");
  EXPECT_EQ(formatFixed(0.35f, 5, 1), "  0.3");   // held as 0.3499999...
  EXPECT_EQ(formatFixed(2.675f, 5, 2), " 2.67");  // held as 2.6749999...
  EXPECT_EQ(formatFixed(1.36f, 5, 2), " 1.36");
  EXPECT_EQ(formatFixed(999.94f, 5, 1), "999.9");
  EXPECT_EQ(formatFixed(999.96f, 5, 1), "*****");  // rounds to 1000.0
  EXPECT_EQ(formatFixed(-99.94f, 5, 1), "-99.9");
  EXPECT_EQ(formatFixed(-99.96f, 5, 1), "*****");
  EXPECT_EQ(formatFixed(2.5f, 4, 0), "  3.");
  EXPECT_EQ(formatFixed(123.456789f, 12, 6), "  123.456787");
}

TEST(ReportFields, FixedPointSignsZerosAndWidth) {
  EXPECT_EQ(formatFixed(0.0f, 5, 1), "  0.0");
  EXPECT_EQ(formatFixed(-0.0f, 5, 1), "  0.0");
  EXPECT_EQ(formatFixed(-0.04f, 5, 1), "  0.0");  // rounds to zero: no minus sign
  EXPECT_EQ(formatFixed(0.5f, 4, 2), "0.50");
  EXPECT_EQ(formatFixed(0.5f, 3, 2), ".50");  // no room for the leading 0
  EXPECT_EQ(formatFixed(-0.5f, 4, 2), "-.50");
  EXPECT_EQ(formatFixed(-0.5f, 3, 2), "***");
  EXPECT_EQ(formatFixed(-999.0f, 5, 1), "*****");
  EXPECT_EQ(formatFixed(-999.0f, 6, 1), "-999.0");
}

TEST(ReportFields, FixedPointNeverPrintsNonFiniteOrHugeValues) {
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(formatFixed(std::numeric_limits<float>::quiet_NaN(), 5, 1), "*****");
  EXPECT_EQ(formatFixed(inf, 5, 2), "*****");
  EXPECT_EQ(formatFixed(-inf, 5, 1), "*****");
  EXPECT_EQ(formatFixed(std::numeric_limits<float>::max(), 5, 1), "*****");
  EXPECT_EQ(formatFixed(-std::numeric_limits<float>::max(), 5, 1), "*****");
  EXPECT_EQ(formatFixed(1e30f, 5, 1), "*****");
  EXPECT_EQ(formatFixed(std::numeric_limits<float>::denorm_min(), 5, 2), " 0.00");
  EXPECT_EQ(formatFixed(16777216.0f, 11, 1), " 16777216.0");
  EXPECT_EQ(formatFixed(1.0f, 5, 10), "*****");  // more decimals than supported
}

TEST(ReportFields, IntegersRightAlignedOrStars) {
  EXPECT_EQ(formatInteger(0, 3), "  0");
  EXPECT_EQ(formatInteger(-999, 3), "***");
  EXPECT_EQ(formatInteger(-999, 4), "-999");
  EXPECT_EQ(formatInteger(1000, 3), "***");
  EXPECT_EQ(formatInteger(999, 3), "999");
  EXPECT_EQ(formatInteger(-99, 3), "-99");
  EXPECT_EQ(formatInteger(std::numeric_limits<std::int32_t>::min(), 11), "-2147483648");
  EXPECT_EQ(formatInteger(std::numeric_limits<std::int32_t>::min(), 10), "**********");
  EXPECT_EQ(formatInteger(std::numeric_limits<std::int32_t>::max(), 12), "  2147483647");
}

}  // namespace
}  // namespace kandelor
