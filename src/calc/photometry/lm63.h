#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "model/result.h"

namespace kandelor::photometry {

// The editions of the IES LM-63 photometric file format, told apart by the first line.
enum class Lm63Version { Lm63_1986, Lm63_1991, Lm63_1995, Lm63_2002, Lm63_2019 };

// Photometric types: C (vertical polar axis, used for interior luminaires), B and A.
enum class PhotometricType { C = 1, B = 2, A = 3 };

// The photometric file formats read.
enum class PhotometricFormat { Lm63, Eulumdat };

// One luminaire's candela distribution as an LM-63 file gives it (a EULUMDAT file's is
// converted to the same form).
struct Photometry {
  PhotometricFormat format = PhotometricFormat::Lm63;
  Lm63Version version = Lm63Version::Lm63_1986;  // for LM-63 files
  std::vector<std::string> keywords;             // the label lines before TILT, as written
  int lampCount = 1;
  double lumensPerLamp = -1;  // -1: absolute photometry
  double candelaMultiplier = 1;
  PhotometricType type = PhotometricType::C;
  int typeLine = 0;  // the line that gave the photometric type, for messages
  double ballastFactor = 1;
  double inputWatts = 0;
  bool metres = false;  // the luminous opening is given in metres, not feet
  // The luminous opening: width and length (along C 0 in an LM-63 file, along C 90 in
  // a EULUMDAT file), height. A negative
  // width or length is a round opening of that diameter; 0 is a point.
  double luminousWidth = 0;
  double luminousLength = 0;
  double luminousHeight = 0;
  // A EULUMDAT file's heights of the lit sides facing its C 0, 90, 180 and 270 (an
  // LM-63 file gives one height for all of them).
  std::array<double, 4> sideHeights{};
  std::vector<double> verticalAngles;    // ascending, degrees
  std::vector<double> horizontalAngles;  // ascending, degrees
  // candela[h][v]: intensity in plane h at vertical angle v, multiplier applied.
  std::vector<std::vector<double>> candela;

  bool absolute() const { return lumensPerLamp < 0; }
};

// Reads an LM-63 file's text; errors name `fileName`, the line and what was expected.
Result<Photometry> readLm63(std::string_view content, const std::string& fileName);

// Reads the LM-63 file at `path`.
Result<Photometry> readLm63File(const std::string& path);

}  // namespace kandelor::photometry
