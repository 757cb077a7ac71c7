#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/catalogue.h"
#include "model/result.h"

namespace kandelor::photometry {

// One fixture type to build: its photometric file, the description shown in the
// room table and, when given, the lamp count to store instead of the file's.
struct CatalogueEntry {
  std::string file;  // relative names are taken from the list file's folder
  std::string description;
  std::optional<int> lampCount;
  int line = 0;  // the list line (or argument number) that gave the entry
};

// Parses one entry from its words: FILE DESCRIPTION [LAMPS]. Errors name `source`
// and `line`.
Result<CatalogueEntry> parseCatalogueEntry(const std::vector<std::string_view>& words,
                                           const std::string& source, int line);

// Parses a list file: one entry per line, '#' starts a comment, blank lines are
// skipped. It must name exactly 22 entries, in type order.
Result<std::vector<CatalogueEntry>> parseCatalogueList(std::string_view content,
                                                       const std::string& source);

// The path of the entry's photometric file: relative names are taken from `baseDir`.
std::string photometryPath(const CatalogueEntry& entry, const std::string& baseDir);

// Reads the 22 entries' photometric files (relative to `baseDir`) and computes each
// type's CU table. `source` names the list in messages about the entry count.
Result<FixtureCatalogue> buildCatalogue(const std::vector<CatalogueEntry>& entries,
                                        const std::string& baseDir, const std::string& source);

// Reads the list file at `listPath` and builds the catalogue it names.
Result<FixtureCatalogue> buildCatalogueFromList(const std::string& listPath);

}  // namespace kandelor::photometry
