#include "calc/photometry/lm63.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <sstream>

#include "calc/photometry/number_scanner.h"
#include "model/text_file.h"
#include "model/text_lines.h"

namespace kandelor::photometry {

namespace {

// More angles than any photometer measures; a larger count means a damaged file.
constexpr int kMaxAngles = 2000;

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::vector<std::string_view> splitLines(std::string_view content) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);  // UTF-8 byte order mark
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    const auto end = content.find('\n', start);
    const auto stop = end == std::string_view::npos ? content.size() : end;
    std::string_view line = content.substr(start, stop - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    start = stop + 1;
  }
  return lines;
}

std::optional<Lm63Version> versionOf(std::string_view firstLine) {
  const std::string head = upper(trimBlanks(firstLine));
  if (head == "IESNA91") return Lm63Version::Lm63_1991;
  if (head == "IESNA:LM-63-1995") return Lm63Version::Lm63_1995;
  if (head == "IESNA:LM-63-2002") return Lm63Version::Lm63_2002;
  if (head == "IES:LM-63-2019") return Lm63Version::Lm63_2019;
  return std::nullopt;
}

// The value after "TILT=" when `line` is the TILT line.
std::optional<std::string_view> tiltValue(std::string_view line) {
  line = trimBlanks(line);
  if (upper(line.substr(0, 4)) != "TILT") return std::nullopt;
  line = trimBlanks(line.substr(4));
  if (line.empty() || line.front() != '=') return std::nullopt;
  return trimBlanks(line.substr(1));
}

// Skips the tilt table of TILT=INCLUDE: geometry, count, angles, factors. The
// table describes lamp output against burning position, which a CU table does not use.
void skipTiltTable(NumberScanner& numbers) {
  numbers.integer("the lamp-to-luminaire geometry of the tilt data");
  const auto count = numbers.integer("the number of tilt angles");
  if (!count) return;
  if (*count < 0 || *count > kMaxAngles) {
    numbers.fail("expected a number of tilt angles from 0 to " + std::to_string(kMaxAngles));
    return;
  }
  for (int i = 0; i < 2 * *count && !numbers.error(); ++i) {
    numbers.number(i < *count ? "a tilt angle" : "a tilt multiplying factor");
  }
}

// Reads `count` ascending angles within [low, high].
std::vector<double> readAngles(NumberScanner& numbers, int count, const char* what, double low,
                               double high) {
  std::vector<double> angles;
  const std::string name = std::string("a ") + what + " angle";
  for (int i = 0; i < count; ++i) {
    const auto angle = numbers.number(name);
    if (!angle) return {};
    if (*angle < low || *angle > high) {
      std::ostringstream what_;
      what_ << "expected " << name << " from " << low << " to " << high << ", found " << *angle;
      numbers.fail(what_.str());
      return {};
    }
    if (!angles.empty() && *angle <= angles.back()) {
      std::ostringstream what_;
      what_ << "expected the " << what << " angles in ascending order, found " << *angle
            << " after " << angles.back();
      numbers.fail(what_.str());
      return {};
    }
    angles.push_back(*angle);
  }
  return angles;
}

std::optional<int> countOfAngles(NumberScanner& numbers, const char* what) {
  const auto count = numbers.integer(std::string("the number of ") + what + " angles");
  if (count && (*count < 1 || *count > kMaxAngles)) {
    numbers.fail(std::string("expected a number of ") + what + " angles from 1 to " +
                 std::to_string(kMaxAngles));
    return std::nullopt;
  }
  return count;
}

// The numbers after the TILT line (and its tilt table).
void readPhotometricData(NumberScanner& numbers, Photometry& p) {
  const auto lamps = numbers.integer("the number of lamps");
  if (lamps && *lamps < 1) numbers.fail("expected a number of lamps of 1 or more");
  const auto lumens = numbers.number("the lumens per lamp");
  if (lumens && *lumens <= 0 && *lumens != -1) {
    numbers.fail("expected lumens per lamp above 0, or -1 for absolute photometry");
  }
  const auto multiplier = numbers.number("the candela multiplier");
  if (multiplier && *multiplier <= 0) numbers.fail("expected a candela multiplier above 0");
  const auto verticalCount = countOfAngles(numbers, "vertical");
  const auto horizontalCount = countOfAngles(numbers, "horizontal");
  const auto type = numbers.integer("the photometric type");
  if (type && (*type < 1 || *type > 3)) {
    numbers.fail("expected a photometric type of 1 (C), 2 (B) or 3 (A)");
  }
  const int typeLine = numbers.line();
  const auto units = numbers.integer("the units type");
  if (units && *units != 1 && *units != 2)
    numbers.fail("expected units type 1 (feet) or 2 (metres)");
  const auto openingWidth = numbers.number("the luminous opening's width");
  const auto openingLength = numbers.number("the luminous opening's length");
  const auto openingHeight = numbers.number("the luminous opening's height");
  const auto ballast = numbers.number("the ballast factor");
  numbers.number("the ballast-lamp photometric factor");
  const auto watts = numbers.number("the input watts");
  if (numbers.error()) return;

  p.lampCount = *lamps;
  p.lumensPerLamp = *lumens;
  p.candelaMultiplier = *multiplier;
  p.type = static_cast<PhotometricType>(*type);
  p.typeLine = typeLine;
  p.ballastFactor = *ballast;
  p.inputWatts = *watts;
  p.metres = *units == 2;
  p.luminousWidth = *openingWidth;
  p.luminousLength = *openingLength;
  p.luminousHeight = *openingHeight;

  // Type C measures from the nadir (0) to the zenith (180) around a vertical axis;
  // types B and A measure -90..90 about a horizontal axis.
  const bool typeC = p.type == PhotometricType::C;
  p.verticalAngles =
      readAngles(numbers, *verticalCount, "vertical", typeC ? 0 : -90, typeC ? 180 : 90);
  if (numbers.error()) return;
  p.horizontalAngles =
      readAngles(numbers, *horizontalCount, "horizontal", typeC ? 0 : -90, typeC ? 360 : 90);
  if (numbers.error()) return;

  bool anyLight = false;
  p.candela.assign(p.horizontalAngles.size(), {});
  for (std::size_t h = 0; h < p.horizontalAngles.size(); ++h) {
    auto& plane = p.candela[h];
    for (std::size_t v = 0; v < p.verticalAngles.size(); ++v) {
      const auto value = numbers.number("a candela value");
      if (!value) return;
      if (*value < 0) {
        numbers.fail("expected a candela value of 0 or more");
        return;
      }
      anyLight = anyLight || *value > 0;
      plane.push_back(*value * p.candelaMultiplier);
    }
  }
  if (!anyLight) numbers.fail("expected at least one candela value above 0");
}

}  // namespace

Result<Photometry> readLm63(std::string_view content, const std::string& fileName) {
  const auto lines = splitLines(content);
  Photometry p;
  std::size_t index = 0;
  if (!lines.empty()) {
    if (const auto version = versionOf(lines[0])) {
      p.version = *version;
      index = 1;
    }
  }
  // Label lines ([TEST], [MANUFAC], ...; free text in 1986 files) up to the TILT line.
  std::optional<std::string_view> tilt;
  for (; index < lines.size(); ++index) {
    tilt = tiltValue(lines[index]);
    if (tilt) break;
    if (!trimBlanks(lines[index]).empty()) p.keywords.emplace_back(trimBlanks(lines[index]));
  }
  if (!tilt) {
    return FileError{fileName, static_cast<int>(lines.size()),
                     "expected a line TILT=NONE, TILT=INCLUDE or TILT=<file>, found the end of "
                     "the file"};
  }
  const int tiltLine = static_cast<int>(index) + 1;
  const std::string tiltKind = upper(*tilt);
  if (tiltKind != "NONE" && tiltKind != "INCLUDE") {
    return FileError{fileName, tiltLine,
                     "the tilt data is in a separate file (TILT=" + std::string(*tilt) +
                         "), which is not supported; expected TILT=NONE or TILT=INCLUDE"};
  }

  NumberScanner numbers(lines, index + 1, fileName);
  if (tiltKind == "INCLUDE") skipTiltTable(numbers);
  if (!numbers.error()) readPhotometricData(numbers, p);
  if (numbers.error()) return *numbers.error();
  return p;
}

Result<Photometry> readLm63File(const std::string& path) {
  const auto content = readWholeFile(path);
  if (!content) return content.error();
  return readLm63(*content, path);
}

}  // namespace kandelor::photometry
