#include "calc/photometry/photometry_index.h"

#include <charconv>
#include <filesystem>

#include "model/text_file.h"
#include "model/text_lines.h"

namespace kandelor::photometry {

namespace fs = std::filesystem;

std::string formatPhotometryIndex(const PhotometryFiles& files) {
  std::string text =
      "# The photometric file of each fixture type, relative to this folder (kandelor-catalog)\n";
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (files[i].empty()) continue;
    text += std::to_string(i + 1);
    text += ' ';
    text += files[i];
    text += '\n';
  }
  return text;
}

Result<PhotometryFiles> parsePhotometryIndex(std::string_view content, const std::string& fileName,
                                             const std::string& folder) {
  PhotometryFiles files;
  for (TextLines lines(content); lines.next();) {
    const std::string_view line = trimBlanks(lines.line());
    const int lineNumber = lines.number();
    if (line.empty() || line.front() == '#') continue;

    int type = 0;
    const auto [next, error] = std::from_chars(line.data(), line.data() + line.size(), type);
    const std::string_view rest = line.substr(static_cast<std::size_t>(next - line.data()));
    const auto name = rest.find_first_not_of(" \t");
    if (error != std::errc{} || type < 1 || type > kFixtureTypeCount || rest.empty() ||
        (rest[0] != ' ' && rest[0] != '\t') || name == std::string_view::npos) {
      return FileError{fileName, lineNumber,
                       "expected a fixture type from 1 to " + std::to_string(kFixtureTypeCount) +
                           " and its photometric file"};
    }
    std::string& file = files[static_cast<std::size_t>(type - 1)];
    if (!file.empty()) {
      return FileError{fileName, lineNumber,
                       "type " + std::to_string(type) + " is named a second time"};
    }
    fs::path path(rest.substr(name));
    if (path.is_relative() && !folder.empty()) path = fs::path(folder) / path;
    file = path.string();
  }
  return files;
}

PhotometryFiles indexOfEntries(const std::vector<CatalogueEntry>& entries,
                               const std::string& listFolder, const std::string& outputFolder) {
  PhotometryFiles files;
  const fs::path output = fs::absolute(outputFolder).lexically_normal();
  for (std::size_t i = 0; i < entries.size() && i < files.size(); ++i) {
    const fs::path file = fs::absolute(photometryPath(entries[i], listFolder)).lexically_normal();
    const fs::path relative = file.lexically_relative(output);
    files[i] = (relative.empty() ? file : relative).generic_string();
  }
  return files;
}

Result<PhotometryFiles> indexOfList(const std::string& listPath, const std::string& outputFolder) {
  const auto content = readWholeFile(listPath);
  if (!content) return content.error();
  const auto entries = parseCatalogueList(*content, listPath);
  if (!entries) return entries.error();
  return indexOfEntries(*entries, fs::path(listPath).parent_path().string(), outputFolder);
}

}  // namespace kandelor::photometry
