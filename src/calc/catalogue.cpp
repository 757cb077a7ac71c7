#include "calc/catalogue.h"

#include <cstddef>
#include <utility>

#include "model/records.h"
#include "model/text_file.h"

namespace kandelor {

namespace {

// One record of the ten CU values of a column (writeRecord keeps full-width numbers apart).
template <std::size_t... I>
void writeColumn(std::string& out, const std::array<std::int32_t, kRcrCount>& column,
                 std::index_sequence<I...>) {
  writeRecord(out, {RecordValue(column[I])...});
}

}  // namespace

Result<> parseLightDat(std::string_view content, const std::string& fileName,
                       FixtureCatalogue& out) {
  RecordReader reader(content, fileName);
  for (FixtureType& type : out.types) {
    reader.beginRecord();
    for (auto& column : type.cuPercent) {
      for (std::int32_t& cu : column) cu = reader.readInteger();
    }
    type.lampsPerFixture = reader.readInteger();
  }
  return reader.outcome();
}

Result<> parseTypeDat(std::string_view content, const std::string& fileName,
                      FixtureCatalogue& out) {
  RecordReader reader(content, fileName);
  reader.beginRecord();
  for (FixtureType& type : out.types) {
    type.description.assign(reader.readText());
    // Blanks inside quotes, or control characters made blanks, may stand at its start;
    // a description read from a file begins with its first non-blank, as it is written.
    type.description.alignLeft();
  }
  return reader.outcome();
}

Result<> rawdata(FixtureCatalogue& catalogue, const std::string& lightFile,
                 const std::string& typeFile) {
  // Both files are read into a new catalogue first, so a bad file changes nothing.
  FixtureCatalogue read;
  const auto light = readWholeFile(lightFile);
  if (!light) return light.error();
  if (auto parsed = parseLightDat(*light, lightFile, read); !parsed) return parsed;
  const auto types = readWholeFile(typeFile);
  if (!types) return types.error();
  if (auto parsed = parseTypeDat(*types, typeFile, read); !parsed) return parsed;
  catalogue = read;
  return {};
}

std::string formatLightDat(const FixtureCatalogue& catalogue) {
  // One line per reflectance column and one for the lamp count, so the file can be read
  // and edited by eye; rawdata reads the 15 lines of a type as one record.
  std::string out;
  for (const FixtureType& type : catalogue.types) {
    for (const auto& column : type.cuPercent) {
      writeColumn(out, column, std::make_index_sequence<kRcrCount>{});
    }
    writeRecord(out, {type.lampsPerFixture});
  }
  return out;
}

std::string formatTypeDat(const FixtureCatalogue& catalogue) {
  std::string out;
  for (const FixtureType& type : catalogue.types) writeRecord(out, {type.description.view()});
  return out;
}

}  // namespace kandelor
