#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/project_file.h"
#include "model/project_slots.h"

namespace kandelor::fuzz {

// Every value of a project in file order, as its bytes, so that reals compare bit for
// bit (-0 differs from 0) and texts character for character.
inline std::vector<std::string> projectValueBytes(const Project& project) {
  std::vector<std::string> values;
  values.reserve(kProjectFileLines);
  for (const RoomPage& page : project.pages) {
    visitPageValues(page, [&](const auto& value) {
      using Value = std::decay_t<decltype(value)>;
      if constexpr (std::is_arithmetic_v<Value>) {
        const auto bytes = std::bit_cast<std::array<char, sizeof(Value)>>(value);
        values.emplace_back(bytes.data(), bytes.size());
      } else {
        values.emplace_back(value.view());
      }
    });
  }
  return values;
}

// Byte values of a short text, for messages about texts that may hold control characters.
inline std::string shownBytes(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  for (const char c : bytes) {
    const auto u = static_cast<unsigned char>(c);
    if (!shown.empty()) shown += ' ';
    shown += kHex[u >> 4];
    shown += kHex[u & 15];
  }
  return shown;
}

// What is wrong with saving a project file that the reader accepts, or nothing: the
// saved text must have one line per value, read back to the same project bit for bit,
// and give the same bytes when saved again. Inputs the reader rejects pass.
inline std::optional<std::string> projectRoundTripFault(std::string_view input) {
  auto read = std::make_unique<Project>();
  if (!parseProject(input, "input", *read)) return std::nullopt;

  const std::string saved = formatProject(*read);
  const auto lines = std::count(saved.begin(), saved.end(), '\n');
  // The reflectance record is written ("0 0" without choices) wherever space types follow.
  const bool spaceTypes = read->hasSpaceTypes();
  const auto expectedLines =
      kProjectFileLines + (read->reflectances || spaceTypes ? 1 : 0) + (spaceTypes ? 1 : 0);
  if (lines != expectedLines || saved.back() != '\n') {
    return "the saved file has " + std::to_string(lines) + " line ends instead of " +
           std::to_string(expectedLines);
  }
  auto reread = std::make_unique<Project>();
  if (const auto readBack = parseProject(saved, "saved", *reread); !readBack) {
    return "the saved file does not read back: " + readBack.error().message();
  }
  const auto before = projectValueBytes(*read);
  const auto after = projectValueBytes(*reread);
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) {
      const int line = static_cast<int>(i) + 1;
      return "line " + std::to_string(line) + " (" + describeProjectLine(line) +
             ") reads back as [" + shownBytes(after[i]) + "] instead of [" + shownBytes(before[i]) +
             "]";
    }
  }
  if (reread->reflectances != read->reflectances) {
    return "the reflectance choices do not read back as they were";
  }
  for (int room = 1; room <= kRoomCount; ++room) {
    if (reread->spaceType(room) != read->spaceType(room)) {
      return "the space type of room " + std::to_string(room) + " reads back as [" +
             shownBytes(reread->spaceType(room)) + "] instead of [" +
             shownBytes(read->spaceType(room)) + "]";
    }
  }
  if (formatProject(*reread) != saved) return "saving the read-back project gives other bytes";
  return std::nullopt;
}

}  // namespace kandelor::fuzz
