#include "calc/photometry/catalogue_list.h"

#include <charconv>
#include <filesystem>
#include <sstream>

#include "calc/photometry/cu_table.h"
#include "calc/photometry/photometric_file.h"
#include "model/text_file.h"
#include "model/text_lines.h"

namespace kandelor::photometry {

namespace {

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t pos = 0;
  while (true) {
    pos = line.find_first_not_of(" \t\r", pos);
    if (pos == std::string_view::npos) break;
    const auto end = std::min(line.find_first_of(" \t\r", pos), line.size());
    out.push_back(line.substr(pos, end - pos));
    pos = end;
  }
  return out;
}

// Type.dat is read as free-form texts, which end at a blank, tab, comma or slash;
// a quote would start a quoted text. The description must also be a catalogue text as
// it stands: at most 9 characters of UTF-8 without control characters, which the
// catalogue would otherwise cut, blank out or take as Latin-1.
bool validDescription(std::string_view text) {
  return !text.empty() && text.find_first_of(" \t,/'\"") == std::string_view::npos &&
         FixedText<9>(text).trimmed() == text;
}

}  // namespace

Result<CatalogueEntry> parseCatalogueEntry(const std::vector<std::string_view>& w,
                                           const std::string& source, int line) {
  if (w.size() < 2 || w.size() > 3) {
    return FileError{source, line,
                     "expected a photometric file, a description and an optional lamp count"};
  }
  CatalogueEntry entry{std::string(w[0]), std::string(w[1]), std::nullopt, line};
  if (!validDescription(w[1])) {
    return FileError{source, line,
                     "expected a description of 1 to 9 characters (UTF-8) without blanks, "
                     "control characters, commas, slashes or quotes, found \"" +
                         std::string(w[1]) + "\""};
  }
  if (w.size() == 3) {
    int lamps = 0;
    const auto [end, ec] = std::from_chars(w[2].data(), w[2].data() + w[2].size(), lamps);
    if (ec != std::errc{} || end != w[2].data() + w[2].size() || lamps < 1 || lamps > 99) {
      return FileError{source, line,
                       "expected a lamp count from 1 to 99, found \"" + std::string(w[2]) + "\""};
    }
    entry.lampCount = lamps;
  }
  return entry;
}

Result<std::vector<CatalogueEntry>> parseCatalogueList(std::string_view content,
                                                       const std::string& source) {
  std::vector<CatalogueEntry> entries;
  for (TextLines lines(content); lines.next();) {
    const auto w = words(lines.line().substr(0, lines.line().find('#')));
    if (w.empty()) continue;
    auto entry = parseCatalogueEntry(w, source, lines.number());
    if (!entry) return entry.error();
    entries.push_back(std::move(entry).value());
  }
  return entries;
}

std::string photometryPath(const CatalogueEntry& entry, const std::string& baseDir) {
  std::filesystem::path path(entry.file);
  if (path.is_relative() && !baseDir.empty()) path = std::filesystem::path(baseDir) / path;
  return path.string();
}

Result<FixtureCatalogue> buildCatalogue(const std::vector<CatalogueEntry>& entries,
                                        const std::string& baseDir, const std::string& source) {
  if (entries.size() != kFixtureTypeCount) {
    return FileError{source, 0,
                     "expected exactly " + std::to_string(kFixtureTypeCount) +
                         " fixture types, found " + std::to_string(entries.size())};
  }
  FixtureCatalogue catalogue;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const CatalogueEntry& entry = entries[i];
    const std::string path = photometryPath(entry, baseDir);
    const auto read = readPhotometryFile(path);
    if (!read) return read.error();
    const Photometry& photometry = *read;
    if (photometry.type != PhotometricType::C) {
      return FileError{path, photometry.typeLine,
                       "expected photometric type 1 (C), as interior luminaires are measured; "
                       "types B and A are not supported"};
    }
    const ZonalFlux flux = zonalFlux(photometry);
    if (const double ratio = lightOutputRatio(flux); !(ratio <= kMaxLightOutputRatio)) {
      std::ostringstream what;
      what << "the candela values give " << ratio
           << " times the light of the lamps (lamps x lumens per lamp); expected at most "
           << kMaxLightOutputRatio << " (for absolute photometry the lumens per lamp are -1)";
      return FileError{path, 0, what.str()};
    }
    FixtureType& type = catalogue.types[i];
    type.description.assign(entry.description);
    type.lampsPerFixture = entry.lampCount.value_or(photometry.lampCount);
    type.cuPercent = cuPercentTable(flux);
  }
  return catalogue;
}

Result<FixtureCatalogue> buildCatalogueFromList(const std::string& listPath) {
  const auto content = readWholeFile(listPath);
  if (!content) return content.error();
  const auto entries = parseCatalogueList(*content, listPath);
  if (!entries) return entries.error();
  const auto baseDir = std::filesystem::path(listPath).parent_path().string();
  return buildCatalogue(*entries, baseDir, listPath);
}

}  // namespace kandelor::photometry
