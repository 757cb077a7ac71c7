#include "calc/photometry/photometric_file.h"

#include <cctype>

#include "calc/photometry/eulumdat.h"
#include "model/text_file.h"
#include "model/text_lines.h"

namespace kandelor::photometry {

bool looksLikeLm63(std::string_view content) {
  // An LM-63 file's TILT line follows its label lines; a EULUMDAT file has no such line
  // (its first 12 lines are fixed, and text lines there are names, not keywords).
  constexpr int kLinesSearched = 400;
  for (TextLines lines(content); lines.next() && lines.number() <= kLinesSearched;) {
    std::string_view line = lines.line();
    const auto first = line.find_first_not_of(" \t\xEF\xBB\xBF");
    if (first == std::string_view::npos) continue;
    line.remove_prefix(first);
    if (line.size() < 5) continue;
    std::string head;
    for (const char c : line.substr(0, 4)) {
      head += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const auto rest = line.substr(4).find_first_not_of(" \t");
    if (head == "TILT" && rest != std::string_view::npos && line[4 + rest] == '=') return true;
  }
  return false;
}

Result<Photometry> readPhotometry(std::string_view content, const std::string& fileName) {
  return looksLikeLm63(content) ? readLm63(content, fileName) : readEulumdat(content, fileName);
}

Result<Photometry> readPhotometryFile(const std::string& path) {
  const auto content = readWholeFile(path);
  if (!content) return content.error();
  return readPhotometry(*content, path);
}

}  // namespace kandelor::photometry
