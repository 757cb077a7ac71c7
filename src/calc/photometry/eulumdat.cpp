#include "calc/photometry/eulumdat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

#include "model/text_lines.h"

namespace kandelor::photometry {

namespace {

// More C planes or vertical angles than any photometer measures (1/2 degree steps).
constexpr int kMaxPlanes = 721;
constexpr int kMaxVerticalAngles = 361;
constexpr int kMaxLampSets = 20;
constexpr int kDirectRatioCount = 10;

// ISO-8859-1 as UTF-8: every byte is the code point of its value.
std::string latin1ToUtf8(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (byte >> 6));
      out += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return out;
}

// The file's lines in order, each value on a line of its own; errors name the line.
class LineValues {
 public:
  LineValues(std::string_view content, std::string fileName)
      : lines_(content), fileName_(std::move(fileName)) {}

  std::optional<std::string_view> text(std::string_view what) {
    if (error_) return std::nullopt;
    if (!lines_.next()) {
      fail(std::string("expected ") + std::string(what) + ", found the end of the file");
      return std::nullopt;
    }
    return trimBlanks(lines_.line());
  }

  // A number, with a point or (as many European files write it) a comma as its
  // decimal separator.
  std::optional<double> number(std::string_view what) {
    const auto line = text(what);
    if (!line) return std::nullopt;
    std::string value(*line);
    for (char& c : value) {
      if (c == ',') c = '.';
    }
    double result = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), result);
    if (value.empty() || error != std::errc{} || end != value.data() + value.size() ||
        !std::isfinite(result)) {
      fail(std::string("expected ") + std::string(what) + ", found \"" + std::string(*line) + "\"");
      return std::nullopt;
    }
    return result;
  }

  std::optional<int> integer(std::string_view what, int low, int high) {
    const auto value = number(what);
    if (!value) return std::nullopt;
    if (*value != std::floor(*value) || *value < low || *value > high) {
      std::ostringstream message;
      message << "expected " << what << " from " << low << " to " << high << ", found " << *value;
      fail(message.str());
      return std::nullopt;
    }
    return static_cast<int>(*value);
  }

  // Records an error about the line last read.
  void fail(std::string what) {
    if (!error_) error_ = FileError{fileName_, lines_.number(), std::move(what)};
  }
  const std::optional<FileError>& error() const { return error_; }

 private:
  TextLines lines_;
  std::string fileName_;
  std::optional<FileError> error_;
};

// `count` ascending angles within [low, high].
std::vector<double> readAngles(LineValues& values, int count, const char* what, double low,
                               double high) {
  std::vector<double> angles;
  for (int i = 0; i < count; ++i) {
    const auto angle = values.number(std::string("a ") + what + " angle");
    if (!angle) return {};
    if (*angle < low || *angle > high || (!angles.empty() && *angle <= angles.back())) {
      std::ostringstream message;
      message << "expected the " << what << " angles ascending from " << low << " to " << high
              << ", found " << *angle;
      values.fail(message.str());
      return {};
    }
    angles.push_back(*angle);
  }
  return angles;
}

// The planes the symmetry indicator says are stored, as indices into the Mc planes
// from C 0 (they run on past C 360 for a distribution symmetric about C 90-270).
std::vector<int> storedPlanes(int symmetry, int planeCount) {
  int first = 0, count = planeCount;
  switch (symmetry) {
    case 1:
      count = 1;
      break;
    case 2:
      count = planeCount / 2 + 1;
      break;
    case 3:
      first = 3 * planeCount / 4, count = planeCount / 2 + 1;
      break;
    case 4:
      count = planeCount / 4 + 1;
      break;
    default:
      break;
  }
  std::vector<int> planes;
  for (int k = 0; k < count; ++k) planes.push_back((first + k) % planeCount);
  return planes;
}

// What each symmetry needs of the number of planes so that its stored planes fall on
// C 90, 180 and 270.
bool planeCountFits(int symmetry, int planeCount) {
  if (symmetry == 2) return planeCount % 2 == 0;
  if (symmetry == 3 || symmetry == 4) return planeCount % 4 == 0;
  return true;
}

// The planes as an LM-63 file of the same symmetry holds them: 0 (all round), 0..90,
// 0..180, 90..270 or 0..360.
void arrangePlanes(int symmetry, const std::vector<double>& cAngles,
                   std::vector<std::vector<double>> planes, Photometry& p) {
  const std::vector<int> stored = storedPlanes(symmetry, static_cast<int>(cAngles.size()));
  if (symmetry == 1) {
    p.horizontalAngles = {0};
    p.candela = std::move(planes);
    return;
  }
  if (symmetry == 3) {
    // Stored from C 270 through 0 to C 90; their mirror images about C 90-270 run from
    // C 270 down to C 90, so reversed they are ascending.
    for (auto k = stored.size(); k-- > 0;) {
      const double c = cAngles[static_cast<std::size_t>(stored[k])];
      p.horizontalAngles.push_back(std::fmod(540 - c, 360));
      p.candela.push_back(planes[k]);
    }
    return;
  }
  for (std::size_t k = 0; k < stored.size(); ++k) {
    p.horizontalAngles.push_back(cAngles[static_cast<std::size_t>(stored[k])]);
  }
  p.candela = std::move(planes);
  if (symmetry == 0) {
    p.horizontalAngles.push_back(360);
    p.candela.push_back(p.candela.front());
  }
}

// Checks that the stored planes lie where the symmetry puts them.
std::optional<std::string> misplacedPlanes(int symmetry, const std::vector<double>& cAngles) {
  const std::vector<int> stored = storedPlanes(symmetry, static_cast<int>(cAngles.size()));
  auto angleOf = [&](std::size_t k) { return cAngles[static_cast<std::size_t>(stored[k])]; };
  const double last = angleOf(stored.size() - 1);
  if (cAngles.front() != 0) return "expected the first C angle to be 0";
  if (symmetry == 2 && last != 180) return "expected C 180 as the last plane stored";
  if (symmetry == 3 && (angleOf(0) != 270 || last != 90)) {
    return "expected the planes stored to run from C 270 to C 90";
  }
  if (symmetry == 4 && last != 90) return "expected C 90 as the last plane stored";
  return std::nullopt;
}

struct LampSets {
  int firstCount = 0;
  double totalFlux = 0;
  double totalWatts = 0;
};

LampSets readLampSets(LineValues& values) {
  LampSets sets;
  const auto count = values.integer("the number of lamp sets", 1, kMaxLampSets);
  if (!count) return sets;
  const auto n = static_cast<std::size_t>(*count);
  std::vector<int> lamps;
  for (std::size_t i = 0; i < n; ++i) {
    const auto value = values.integer("a number of lamps", -999, 999);
    if (!value) return sets;
    if (*value == 0) {
      values.fail("expected a number of lamps other than 0 (negative: absolute photometry)");
      return sets;
    }
    lamps.push_back(*value);
  }
  for (std::size_t i = 0; i < n; ++i) values.text("a type of lamps");
  for (std::size_t i = 0; i < n; ++i) {
    const auto flux = values.number("the lamps' total luminous flux (lm)");
    if (flux && *flux <= 0) values.fail("expected the lamps' total luminous flux above 0");
    if (flux) sets.totalFlux += *flux;
  }
  for (std::size_t i = 0; i < n; ++i) values.text("a colour temperature");
  for (std::size_t i = 0; i < n; ++i) values.text("a colour rendering group or index");
  for (std::size_t i = 0; i < n; ++i) {
    const auto watts = values.number("a wattage including ballast (W)");
    if (watts) sets.totalWatts += *watts;
  }
  sets.firstCount = lamps.front();
  return sets;
}

}  // namespace

Result<Photometry> readEulumdat(std::string_view content, const std::string& fileName) {
  LineValues values(content, fileName);
  Photometry p;
  p.format = PhotometricFormat::Eulumdat;
  p.type = PhotometricType::C;
  std::string company(values.text("the company identification").value_or(""));
  if (company.starts_with("\xEF\xBB\xBF")) company.erase(0, 3);
  values.integer("the type indicator", 0, 3);
  const auto symmetry = values.integer("the symmetry indicator", 0, 4);
  const auto planeCount = values.integer("the number of C planes", 1, kMaxPlanes);
  if (symmetry && planeCount && !planeCountFits(*symmetry, *planeCount)) {
    values.fail("expected a number of C planes that the symmetry indicator " +
                std::to_string(*symmetry) + " can halve or quarter");
  }
  values.number("the distance between C planes");
  const auto verticalCount =
      values.integer("the number of intensities in each C plane", 1, kMaxVerticalAngles);
  values.number("the distance between intensities");
  const auto report = values.text("the measurement report number");
  const auto luminaire = values.text("the luminaire name");
  const auto number = values.text("the luminaire number");
  values.text("the file name");
  values.text("the date and user");
  std::vector<double> sizes;  // mm: the luminaire, then its luminous area
  for (const char* dimension :
       {"the luminaire's length (mm)", "the luminaire's width (mm)", "the luminaire's height (mm)",
        "the luminous area's length (mm)", "the luminous area's width (mm)",
        "the luminous area's height in C 0 (mm)", "the luminous area's height in C 90 (mm)",
        "the luminous area's height in C 180 (mm)", "the luminous area's height in C 270 (mm)",
        "the downward flux fraction (%)", "the light output ratio (%)"}) {
    sizes.push_back(values.number(dimension).value_or(0));
  }
  const auto conversion = values.number("the conversion factor for the intensities");
  if (conversion && *conversion <= 0) values.fail("expected a conversion factor above 0");
  values.number("the tilt during measurement");
  const LampSets lamps = readLampSets(values);
  for (int i = 0; i < kDirectRatioCount; ++i) values.number("a direct ratio");
  if (values.error()) return *values.error();

  const std::vector<double> cAngles = readAngles(values, *planeCount, "C", 0, 360 - 1e-9);
  if (values.error()) return *values.error();
  if (const auto misplaced = misplacedPlanes(*symmetry, cAngles)) {
    values.fail(*misplaced);
    return *values.error();
  }
  p.verticalAngles = readAngles(values, *verticalCount, "vertical", 0, 180);
  if (values.error()) return *values.error();

  // Intensities are per 1000 lm of all the lamp sets' flux.
  const double toCandela = *conversion * lamps.totalFlux / 1000;
  if (!std::isfinite(toCandela)) {
    values.fail("expected a lamp flux and conversion factor of a sane size");
    return *values.error();
  }
  const auto planeTotal = storedPlanes(*symmetry, *planeCount).size();
  std::vector<std::vector<double>> planes(planeTotal);
  bool anyLight = false;
  for (auto& plane : planes) {
    for (int v = 0; v < *verticalCount; ++v) {
      const auto value = values.number("an intensity (cd/klm)");
      if (!value) return *values.error();
      if (*value < 0 || !std::isfinite(*value * toCandela)) {
        values.fail("expected an intensity of 0 or more, of a sane size");
        return *values.error();
      }
      anyLight = anyLight || *value > 0;
      plane.push_back(*value * toCandela);
    }
  }
  if (!anyLight) {
    values.fail("expected at least one intensity above 0");
    return *values.error();
  }
  arrangePlanes(*symmetry, cAngles, std::move(planes), p);

  // The luminous area in metres, as an LM-63 file in metres gives it: a width of 0 is a
  // round area, which LM-63 writes as a negative diameter.
  p.metres = true;
  p.luminousLength = sizes[3] / 1000;
  p.luminousWidth = sizes[4] / 1000;
  p.luminousHeight = sizes[5] / 1000;
  for (std::size_t k = 0; k < p.sideHeights.size(); ++k) p.sideHeights[k] = sizes[5 + k] / 1000;
  if (p.luminousWidth == 0 && p.luminousLength > 0) {
    p.luminousWidth = p.luminousLength = -p.luminousLength;
  }

  p.lampCount = std::abs(lamps.firstCount);
  p.lumensPerLamp = lamps.firstCount < 0 ? -1 : lamps.totalFlux / p.lampCount;
  p.inputWatts = lamps.totalWatts;
  auto keyword = [&](const char* key, std::optional<std::string_view> text) {
    if (text && !text->empty()) p.keywords.push_back(key + latin1ToUtf8(*text));
  };
  keyword("[MANUFAC] ", company);
  keyword("[LUMINAIRE] ", luminaire);
  keyword("[LUMCAT] ", number);
  keyword("[TEST] ", report);
  return p;
}

}  // namespace kandelor::photometry
