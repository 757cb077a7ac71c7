#include "calc/catalogue.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/temp_folder.h"
#include "tracing_catalogue.h"

namespace kandelor {
namespace {

namespace fs = std::filesystem;

// The tracing catalogue with n lamps in type n, so lamp counts differ too.
FixtureCatalogue sampleCatalogue() {
  FixtureCatalogue catalogue = tracingCatalogue();
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    catalogue.types[static_cast<std::size_t>(n - 1)].lampsPerFixture = n;
  }
  return catalogue;
}

// The sample's 141 values of type n, optionally broken after every tenth value.
std::string sampleRecord(int n, const std::string& breakEvery10) {
  std::string out;
  for (int k = 1; k <= kReflectanceColumnCount; ++k) {
    for (int r = 1; r <= kRcrCount; ++r) {
      out += ' ';
      out += std::to_string(1000 * n + 10 * k + r);
    }
    out += breakEvery10;
  }
  out += ' ';
  out += std::to_string(n);
  return out;
}

std::string sampleDescriptions(const std::string& separator) {
  std::string out;
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    out += "Type";
    out += std::to_string(n);
    out += separator;
  }
  return out;
}

class CatalogueFiles : public ::testing::Test {
 protected:
  std::string write(const std::string& name, const std::string& content) const {
    const std::string path = folder_.file(name);
    kandelor::testing::writeFile(path, content);
    return path;
  }

  Result<> read(const std::string& light, const std::string& types,
                FixtureCatalogue& catalogue) const {
    return rawdata(catalogue, write("light.dat", light), write("Type.dat", types));
  }

  kandelor::testing::TempFolder folder_;
};

TEST_F(CatalogueFiles, LightDatLayoutsReadAlike) {
  std::string oneLine, fifteenLines, extrasAndBlanks;
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    oneLine += sampleRecord(n, "") + "\n";
    fifteenLines += sampleRecord(n, "\n") + "\n";
    extrasAndBlanks += "\n  \r\n" + sampleRecord(n, ",\t\r\n") + " 77 -5 junk\r\n";
  }
  const std::string types = sampleDescriptions("\n");
  for (const std::string& light : {oneLine, fifteenLines, extrasAndBlanks}) {
    FixtureCatalogue catalogue;
    const auto error = read(light, types, catalogue);
    ASSERT_TRUE(error) << error.error().message();
    EXPECT_EQ(catalogue, sampleCatalogue());
    EXPECT_EQ(catalogue.types[21].lampsPerFixture, 22);  // value 141
    EXPECT_EQ(catalogue.types[21].cu(14, 10), 22150);    // value 140
    EXPECT_EQ(catalogue.types[21].cu(1, 1), 22011);      // value 1
  }
}

TEST_F(CatalogueFiles, TypeDatLayoutsReadAlikeAndDescriptionsAreCutOrPadded) {
  std::string light;
  for (int n = 1; n <= kFixtureTypeCount; ++n) light += sampleRecord(n, "") + "\n";
  for (const std::string& types : {sampleDescriptions("\n"), sampleDescriptions(" ") + "\n",
                                   sampleDescriptions(",\t") + "\nignored"}) {
    FixtureCatalogue catalogue;
    ASSERT_TRUE(read(light, types, catalogue));
    EXPECT_EQ(catalogue, sampleCatalogue());
  }
  FixtureCatalogue catalogue;
  ASSERT_TRUE(read(light, "Twelve_chars " + sampleDescriptions(" "), catalogue));
  EXPECT_EQ(catalogue.types[0].description.view(), "Twelve_ch");
  EXPECT_EQ(catalogue.types[1].description.view(), "Type1    ");
}

TEST_F(CatalogueFiles, BadFilesNameFileAndLineAndChangeNothing) {
  std::string light;
  for (int n = 1; n <= kFixtureTypeCount; ++n) light += sampleRecord(n, "\n") + "\n";
  std::string badInteger = light;
  badInteger.replace(badInteger.find(" 5033"), 5, " 50x3");  // type 5, column 3: line 63
  const std::string types = sampleDescriptions("\n");

  struct Case {
    std::string light, types, file;
    int line;
  };
  const Case cases[] = {
      {light.substr(0, light.rfind(" 22")), types, "light.dat", 329},  // lamp count missing
      {badInteger, types, "light.dat", 63},
      {light, sampleDescriptions("\n").substr(0, 138), "Type.dat", 21},
      {"", types, "light.dat", 0},
  };
  for (const Case& c : cases) {
    FixtureCatalogue catalogue = sampleCatalogue();
    catalogue.types[3].description.assign("Kept");
    const FixtureCatalogue before = catalogue;
    const auto error = read(c.light, c.types, catalogue);
    ASSERT_FALSE(error);
    EXPECT_EQ(fs::path(error.error().file).filename(), c.file);
    EXPECT_EQ(error.error().line, c.line) << error.error().message();
    EXPECT_EQ(catalogue, before);
  }

  FixtureCatalogue catalogue;
  const auto missing = rawdata(catalogue, folder_.file("none.dat"), write("Type.dat", types));
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().message().find("none.dat"), std::string::npos)
      << missing.error().message();
}

TEST_F(CatalogueFiles, FormattedFilesReadBackIdentically) {
  FixtureCatalogue written = sampleCatalogue();
  written.types[0].description.assign("T8 2,lamp");
  written.types[1].description.assign("");
  written.types[2].description.assign("it's/2");
  written.types[3].cuPercent[13][9] = INT_MIN;
  written.types[3].cuPercent[13][8] = INT_MAX;
  written.types[4].lampsPerFixture = INT_MIN;
  FixtureCatalogue read;
  const auto error = rawdata(read, write("light.dat", formatLightDat(written)),
                             write("Type.dat", formatTypeDat(written)));
  ASSERT_TRUE(error) << error.error().message();
  EXPECT_EQ(read, written);
}

}  // namespace
}  // namespace kandelor
