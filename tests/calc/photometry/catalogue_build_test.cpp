#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "calc/photometry/catalogue_list.h"
#include "calc/photometry/cu_table.h"
#include "lm63_text.h"
#include "model/text_file.h"
#include "support/temp_folder.h"

namespace kandelor::photometry {
namespace {

using kandelor::testing::TempFolder;

const std::string kDataDir = KANDELOR_DATA_DIR;

const FixtureCatalogue& shippedSources() {
  static const FixtureCatalogue catalogue = [] {
    auto built = buildCatalogueFromList(kDataDir + "/photometry/catalog.list");
    if (!built) {
      ADD_FAILURE() << built.error().message();
      return FixtureCatalogue{};
    }
    return *built;
  }();
  return catalogue;
}

std::string readFile(const std::string& name) {
  auto content = readWholeFile(name);
  if (!content) {
    ADD_FAILURE() << content.error().message();
    return {};
  }
  return std::move(content).value();
}

TEST(ShippedCatalogue, IsWhatThePhotometricFilesGive) {
  const FixtureCatalogue& catalogue = shippedSources();
  EXPECT_EQ(formatLightDat(catalogue), readFile(kDataDir + "/light.dat"))
      << "data/light.dat is out of date: run kandelor-catalog on data/photometry/catalog.list";
  EXPECT_EQ(formatTypeDat(catalogue), readFile(kDataDir + "/Type.dat"))
      << "data/Type.dat is out of date: run kandelor-catalog on data/photometry/catalog.list";
  EXPECT_EQ(catalogue.types[0].lampsPerFixture, 2);
}

// Columns of one ceiling reflectance by rising wall reflectance, and of one wall
// reflectance by rising ceiling reflectance.
const std::vector<std::vector<int>> kRisingWall = {
    {1, 2, 3}, {4, 5, 6}, {7, 8, 9, 10}, {11, 12, 13, 14}};
const std::vector<std::vector<int>> kRisingCeiling = {
    {1, 4, 7, 11}, {2, 5, 8, 12}, {3, 6, 9, 13}, {10, 14}};

TEST(ShippedCatalogue, CuFollowsRoomShapeAndReflectances) {
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    const FixtureType& type = *shippedSources().find(n);
    SCOPED_TRACE("type " + std::to_string(n) + " " + std::string(type.description.trimmed()));
    EXPECT_FALSE(type.description.isBlank());
    EXPECT_GE(type.lampsPerFixture, 1);
    EXPECT_LE(type.lampsPerFixture, 4);
    for (int column = 1; column <= kReflectanceColumnCount; ++column) {
      EXPECT_GT(type.cu(column, 10), 0) << "column " << column;
      for (int rcr = 2; rcr <= kRcrCount; ++rcr) {
        EXPECT_LE(type.cu(column, rcr), type.cu(column, rcr - 1)) << "column " << column;
      }
    }
    for (const auto& groups : {kRisingWall, kRisingCeiling}) {
      for (const auto& group : groups) {
        for (std::size_t i = 1; i < group.size(); ++i) {
          for (int rcr = 1; rcr <= kRcrCount; ++rcr) {
            EXPECT_GE(type.cu(group[i], rcr), type.cu(group[i - 1], rcr))
                << "columns " << group[i - 1] << ", " << group[i] << " at RCR " << rcr;
          }
        }
      }
    }
  }
}

TEST(CatalogueList, ReadsEntriesAndNamesTheBadLine) {
  const auto parsed = parseCatalogueList(
      "# types\n\nlamp.ies  Down  3   # three lamps\n  other.ies Wide\r\nu.ies Plafonni\xC3\xA9\n",
      "my.list");
  ASSERT_TRUE(parsed);
  const auto& entries = *parsed;
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].file, "lamp.ies");
  EXPECT_EQ(entries[0].description, "Down");
  EXPECT_EQ(entries[0].lampCount, 3);
  EXPECT_EQ(entries[1].file, "other.ies");
  EXPECT_EQ(entries[1].description, "Wide");
  EXPECT_FALSE(entries[1].lampCount.has_value());
  EXPECT_EQ(entries[2].description, "Plafonni\xC3\xA9");  // 9 characters in 10 bytes

  for (const auto& [text, fragment] :
       {std::pair{"a.ies Ok 2\nb.ies TenLetters\n", "1 to 9 characters"},
        std::pair{"a.ies Ok 2\nb.ies Wide,Lens\n", "commas"},
        std::pair{"a.ies Ok 2\nb.ies Wide\x01\n", "control characters"},
        std::pair{"a.ies Ok 2\nb.ies Caf\xE9\n", "UTF-8"},  // Latin-1
        std::pair{"a.ies Ok 2\nb.ies Wide two\n", "lamp count"},
        std::pair{"a.ies Ok 2\nb.ies Wide 0\n", "lamp count"},
        std::pair{"a.ies Ok 2\nb.ies\n", "description"}}) {
    const auto bad = parseCatalogueList(text, "my.list");
    ASSERT_FALSE(bad) << text;
    const FileError& error = bad.error();
    EXPECT_EQ(error.file, "my.list");
    EXPECT_EQ(error.line, 2) << text;
    EXPECT_NE(error.what.find(fragment), std::string::npos) << error.what;
  }
}

TEST(CatalogueList, BuildsTwentyTwoTypesFromFilesBesideTheList) {
  testing::Lm63Layout layout;
  layout.lamps = 3;
  layout.vertical = testing::angleSteps(0, 90, 10);
  layout.candela = [](double theta, double) { return testing::diffuseDownlight(theta); };
  // The photometric files go into a folder of their own, named as the list's folder.
  const TempFolder folder;
  const std::filesystem::path& dir = folder.path();
  std::ofstream(dir / "build_test.ies") << testing::lm63Text(layout);

  std::vector<CatalogueEntry> entries(kFixtureTypeCount,
                                      CatalogueEntry{"build_test.ies", "Down", std::nullopt, 0});
  entries[1].lampCount = 2;
  entries[2].description = "Other";
  const auto built = buildCatalogue(entries, dir.string(), "list");
  ASSERT_TRUE(built) << built.error().message();
  const FixtureCatalogue& catalogue = *built;
  EXPECT_EQ(catalogue.types[0].lampsPerFixture, 3);  // the file's count
  EXPECT_EQ(catalogue.types[1].lampsPerFixture, 2);  // the list's count
  EXPECT_EQ(catalogue.types[2].description.view(), "Other    ");
  EXPECT_EQ(catalogue.types[0].cuPercent, catalogue.types[1].cuPercent);
  // 750 lm of light from three 1000 lm lamps: a third of the 75 % downlight's CU.
  EXPECT_NEAR(catalogue.types[0].cu(13, 1), 77 / 3.0, 1);

  entries.pop_back();
  const auto shortList = buildCatalogue(entries, dir.string(), "list");
  ASSERT_FALSE(shortList);
  EXPECT_NE(shortList.error().what.find("found 21"), std::string::npos);

  entries.push_back(CatalogueEntry{"missing.ies", "Gone", std::nullopt, 0});
  const auto missing = buildCatalogue(entries, dir.string(), "list");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().file.find("missing.ies"), std::string::npos);

  layout.header = "IESNA:LM-63-2002\n";
  std::string typeB = testing::lm63Text(layout);
  typeB.replace(typeB.find(" 1 1 2 4 0"), 10, " 2 1 2 4 0");
  std::ofstream(dir / "type_b.ies") << typeB;
  entries.back().file = "type_b.ies";
  const auto unsupported = buildCatalogue(entries, dir.string(), "list");
  ASSERT_FALSE(unsupported);
  EXPECT_EQ(unsupported.error().line, 3);
  EXPECT_NE(unsupported.error().what.find("type 1 (C)"), std::string::npos);

  // Lamp lumens far below what the candela values give: not a CU table to store.
  layout.lumensPerLamp = 0.001;
  std::ofstream(dir / "bright.ies") << testing::lm63Text(layout);
  entries.back().file = "bright.ies";
  const auto bright = buildCatalogue(entries, dir.string(), "list");
  ASSERT_FALSE(bright);
  EXPECT_NE(bright.error().what.find("times the light of the lamps"), std::string::npos);
}

}  // namespace
}  // namespace kandelor::photometry
