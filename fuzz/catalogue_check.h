#pragma once

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

#include "calc/catalogue.h"
#include "calc/photometry/catalogue_list.h"

namespace kandelor::fuzz {

// What is wrong with rewriting a "light.dat" that the reader accepts, or nothing: the
// formatted file must read back to the same CU tables and lamp counts and format to
// the same bytes again. Inputs the reader rejects pass.
inline std::optional<std::string> lightDatRoundTripFault(std::string_view input) {
  FixtureCatalogue read;
  if (!parseLightDat(input, "light.dat", read)) return std::nullopt;
  const std::string written = formatLightDat(read);
  FixtureCatalogue reread;
  if (const auto readBack = parseLightDat(written, "written light.dat", reread); !readBack) {
    return "the written light.dat does not read back: " + readBack.error().message();
  }
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    if (!(read.types[i] == reread.types[i])) {
      return "type " + std::to_string(n) + " of the written light.dat reads back differently";
    }
  }
  if (formatLightDat(reread) != written) return "writing light.dat again gives other bytes";
  return std::nullopt;
}

// The same for "Type.dat" and the 22 descriptions.
inline std::optional<std::string> typeDatRoundTripFault(std::string_view input) {
  FixtureCatalogue read;
  if (!parseTypeDat(input, "Type.dat", read)) return std::nullopt;
  const std::string written = formatTypeDat(read);
  FixtureCatalogue reread;
  if (const auto readBack = parseTypeDat(written, "written Type.dat", reread); !readBack) {
    return "the written Type.dat does not read back: " + readBack.error().message();
  }
  for (int n = 1; n <= kFixtureTypeCount; ++n) {
    const std::size_t i = static_cast<std::size_t>(n - 1);
    if (read.types[i].description != reread.types[i].description) {
      return "description " + std::to_string(n) + " of the written Type.dat reads back as \"" +
             std::string(reread.types[i].description.view()) + "\" instead of \"" +
             std::string(read.types[i].description.view()) + "\"";
    }
  }
  if (formatTypeDat(reread) != written) return "writing Type.dat again gives other bytes";
  return std::nullopt;
}

// What is wrong with the entries of a catalogue list that the list reader accepts, or
// nothing: each names a file, keeps a lamp count from 1 to 99, comes from a later
// line than the one before, and has a description that Type.dat gives back whole.
inline std::optional<std::string> catalogueListFault(std::string_view input) {
  const auto parsed = photometry::parseCatalogueList(input, "catalog.list");
  if (!parsed) return std::nullopt;
  const auto& entries = *parsed;
  int previousLine = 0;
  for (std::size_t start = 0; start < entries.size(); start += kFixtureTypeCount) {
    FixtureCatalogue catalogue;
    const std::size_t count = std::min<std::size_t>(kFixtureTypeCount, entries.size() - start);
    for (std::size_t i = 0; i < count; ++i) {
      const photometry::CatalogueEntry& entry = entries[start + i];
      const std::string where = "the entry of line " + std::to_string(entry.line);
      if (entry.line <= previousLine)
        return where + " does not follow line " + std::to_string(previousLine);
      previousLine = entry.line;
      if (entry.file.empty()) return where + " names no file";
      if (entry.lampCount && (*entry.lampCount < 1 || *entry.lampCount > 99)) {
        return where + " has a lamp count of " + std::to_string(*entry.lampCount);
      }
      catalogue.types[i].description.assign(entry.description);
    }
    FixtureCatalogue reread;
    if (const auto readBack = parseTypeDat(formatTypeDat(catalogue), "Type.dat", reread);
        !readBack) {
      return "the descriptions do not read back from Type.dat: " + readBack.error().message();
    }
    for (std::size_t i = 0; i < count; ++i) {
      const photometry::CatalogueEntry& entry = entries[start + i];
      if (reread.types[i].description.trimmed() != entry.description) {
        return "the description of line " + std::to_string(entry.line) + ", \"" +
               entry.description + "\", reads back from Type.dat as \"" +
               std::string(reread.types[i].description.trimmed()) + "\"";
      }
    }
  }
  return std::nullopt;
}

}  // namespace kandelor::fuzz
