#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/fixed_text.h"
#include "model/result.h"

namespace kandelor {

inline constexpr int kFixtureTypeCount = 22;
inline constexpr int kReflectanceColumnCount = 14;
inline constexpr int kRcrCount = 10;  // RCR 1 to 10

// One luminaire type of the catalogue.
struct FixtureType {
  FixedText<9> description;
  std::int32_t lampsPerFixture = 0;
  // cuPercent[column - 1][rcr - 1], CU as a whole percentage.
  std::array<std::array<std::int32_t, kRcrCount>, kReflectanceColumnCount> cuPercent{};

  // CU of reflectance column 1..14 at RCR 1..10.
  std::int32_t cu(int column, int rcr) const {
    return cuPercent.at(static_cast<std::size_t>(column - 1)).at(static_cast<std::size_t>(rcr - 1));
  }

  bool operator==(const FixtureType&) const = default;
};

// The 22 fixture types, numbered 1 to 22.
struct FixtureCatalogue {
  std::array<FixtureType, kFixtureTypeCount> types;

  // The type with this number, or nullptr outside 1 to 22.
  const FixtureType* find(int fixtureNumber) const {
    if (fixtureNumber < 1 || fixtureNumber > kFixtureTypeCount) return nullptr;
    return &types[static_cast<std::size_t>(fixtureNumber - 1)];
  }

  bool operator==(const FixtureCatalogue&) const = default;
};

// Reads "light.dat" (22 records of 141 integers) and then "Type.dat" (22 texts) into
// `catalogue`; on error the catalogue is left as it was and the error names the file
// and line.
Result<> rawdata(FixtureCatalogue& catalogue, const std::string& lightFile = "light.dat",
                 const std::string& typeFile = "Type.dat");

// The in-memory halves of rawdata. parseLightDat reads the CU tables and lamp counts,
// parseTypeDat the descriptions, each into `out` as far as it got (the rest of `out`
// is untouched); the error names `fileName` and the line.
Result<> parseLightDat(std::string_view content, const std::string& fileName,
                       FixtureCatalogue& out);
Result<> parseTypeDat(std::string_view content, const std::string& fileName, FixtureCatalogue& out);

// The two files' contents for a catalogue, in the layouts rawdata reads.
std::string formatLightDat(const FixtureCatalogue& catalogue);
std::string formatTypeDat(const FixtureCatalogue& catalogue);

}  // namespace kandelor
