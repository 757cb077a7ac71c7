#include "calc/photometry/lm63.h"

#include <gtest/gtest.h>

#include "calc/photometry/cu_table.h"
#include "lm63_text.h"

namespace kandelor::photometry {
namespace {

using testing::angleSteps;
using testing::diffuseDownlight;
using testing::Lm63Layout;
using testing::lm63Text;

Result<Photometry> readText(const std::string& text) {
  return readLm63(text, "lamp.ies");
}

// A distribution with light up and down, the same in every plane.
Lm63Layout axialLayout() {
  Lm63Layout layout;
  layout.vertical = angleSteps(0, 180, 5);
  layout.candela = [](double theta, double) {
    return theta < 90 ? diffuseDownlight(theta, 0.6) : 0.2 * diffuseDownlight(180 - theta);
  };
  return layout;
}

CuPercentTable tableOf(const std::string& text) {
  const auto result = readText(text);
  if (!result) {
    ADD_FAILURE() << result.error().message();
    return {};
  }
  return cuPercentTable(zonalFlux(*result));
}

TEST(Lm63Reader, EveryEditionAndLayoutGivesTheSameTable) {
  Lm63Layout layout = axialLayout();
  const CuPercentTable expected = tableOf(lm63Text(layout));
  EXPECT_GT(expected[12][0], 0);

  const std::pair<const char*, Lm63Version> editions[] = {
      {"IESNA:LM-63-1995\n[TEST] 1\n", Lm63Version::Lm63_1995},
      {"IESNA91\n[TEST] 1\n", Lm63Version::Lm63_1991},
      {"IES:LM-63-2019\n[TEST] 1\n[MORE] second line\n", Lm63Version::Lm63_2019},
      {"Acme lighting, report 12\nlensed downlight\n", Lm63Version::Lm63_1986},
      {"", Lm63Version::Lm63_1986}};
  for (const auto& [header, version] : editions) {
    layout.header = header;
    const auto result = readText(lm63Text(layout));
    ASSERT_TRUE(result) << header;
    EXPECT_EQ(result->version, version) << header;
    EXPECT_EQ(tableOf(lm63Text(layout)), expected) << header;
  }

  // Commas, wrapped lines, CR LF line ends, a candela multiplier, included tilt data.
  layout = axialLayout();
  layout.separator = ",";
  layout.perLine = 3;
  layout.multiplier = 2.5;
  layout.tilt = "TILT=INCLUDE\n1\n3\n0 45 90\n1.0 0.95 0.9\n";
  std::string text = lm63Text(layout);
  EXPECT_EQ(tableOf(text), expected);
  std::string crlf;
  for (const char c : text) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  EXPECT_EQ(tableOf(crlf), expected);
}

TEST(Lm63Reader, EverySymmetryOfAnAxialDistributionGivesTheSameTable) {
  Lm63Layout layout = axialLayout();
  const CuPercentTable expected = tableOf(lm63Text(layout));
  const std::vector<std::vector<double>> symmetries = {
      angleSteps(0, 90, 22.5), angleSteps(0, 180, 45), angleSteps(0, 360, 15), {90, 180, 270}};
  for (const auto& horizontal : symmetries) {
    layout.horizontal = horizontal;
    EXPECT_EQ(tableOf(lm63Text(layout)), expected) << horizontal.back();
  }
  // A downlight measured 0..90 only: nothing above the horizontal.
  Lm63Layout down = axialLayout();
  down.vertical = angleSteps(0, 90, 5);
  const auto result = readText(lm63Text(down));
  ASSERT_TRUE(result);
  EXPECT_DOUBLE_EQ(zonalFlux(*result).upFraction, 0);
}

TEST(Lm63Reader, PlanesAreAveragedByTheirAngularSpan) {
  // Planes at 0, 30, 45 and 90 with a factor linear in the plane angle: over 0..90 it
  // averages to 1, so the light equals that of the plain distribution.
  Lm63Layout layout = axialLayout();
  const auto plain = readText(lm63Text(layout));
  layout.horizontal = {0, 30, 45, 90};
  layout.candela = [](double theta, double psi) {
    return axialLayout().candela(theta, 0) * (1.5 - psi / 90);
  };
  const auto planes = readText(lm63Text(layout));
  ASSERT_TRUE(plain);
  ASSERT_TRUE(planes);
  const ZonalFlux a = zonalFlux(*plain);
  const ZonalFlux b = zonalFlux(*planes);
  for (std::size_t n = 0; n < a.lumens.size(); ++n) EXPECT_NEAR(a.lumens[n], b.lumens[n], 1e-6);
}

void expectError(const std::string& text, int line, const std::string& fragment) {
  const auto result = readText(text);
  ASSERT_FALSE(result) << text;
  const FileError& error = result.error();
  EXPECT_EQ(error.file, "lamp.ies");
  EXPECT_EQ(error.line, line) << error.what;
  EXPECT_NE(error.what.find(fragment), std::string::npos) << error.what;
}

TEST(Lm63Reader, BadFilesNameTheLineAndWhatWasExpected) {
  const std::string good = lm63Text(axialLayout());  // header 3 lines, TILT on line 4
  expectError("IESNA:LM-63-2002\n[TEST] 1\n1 1000 1\n", 3, "TILT=NONE");
  expectError("IESNA:LM-63-2002\nTILT=lamp.tlt\n", 2, "not supported");
  // Cut inside the candela block: the end of the file is reached on its last line.
  const std::string cut = good.substr(0, good.size() - 40);
  const int lastLine = static_cast<int>(std::count(cut.begin(), cut.end(), '\n')) + 1;
  expectError(cut, lastLine, "candela value");
  // Lamp data on line 5, ballast factor and watts on line 6.
  std::string bad = good;
  bad.replace(bad.find("1 1 50"), 6, "1 x 50");
  expectError(bad, 6, "\"x\"");
  bad = good;
  bad.replace(bad.find("1 1000 1"), 8, "1 0 1");
  expectError(bad, 5, "lumens per lamp");
  bad = good;
  bad.replace(bad.find("0 5 10"), 6, "0 10 5");
  expectError(bad, 7, "ascending");
  bad = good;
  bad.replace(bad.find(" 1 1 2 4 0"), 10, " 1 7 2 4 0");
  expectError(bad, 5, "units");
  expectError("TILT=NONE\n1 1000 1 2 1 1 1 0 0 0 1 1 0\n0 90\n0\n0 0\n", 5, "above 0");
  expectError("TILT=NONE\n1 1000 1 2 1 1 1 0 0 0 1 1 0\n0 90\n0\n10 nan\n", 5, "\"nan\"");
}

}  // namespace
}  // namespace kandelor::photometry
