#include "calc/space_types.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "model/project.h"
#include "model/text_file.h"
#include "model/text_lines.h"

namespace kandelor {

namespace {

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") + 1 - first);
}

// The two comma-separated fields of a line, trimmed; nothing unless there are two.
std::optional<std::pair<std::string_view, std::string_view>> twoFields(std::string_view line) {
  const auto comma = line.find(',');
  if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair{trim(line.substr(0, comma)), trim(line.substr(comma + 1))};
}

bool skipped(std::string_view line) {
  line = trim(line);
  return line.empty() || line.front() == '#';
}

template <class Number>
std::optional<Number> numberOf(std::string_view text) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string quoted(std::string_view text) {
  std::string out(1, '"');
  out.append(text);
  out += '"';
  return out;
}

}  // namespace

Result<SpaceTypeTable> parseSpaceTypeTable(std::string_view content, const std::string& fileName) {
  SpaceTypeTable table;
  bool first = true;
  for (TextLines lines(content); lines.next();) {
    if (skipped(lines.line())) continue;
    const auto fields = twoFields(lines.line());
    const bool header = first && fields && fields->first == "space_type";
    first = false;
    if (header) continue;
    const auto allowance = fields ? numberOf<double>(fields->second) : std::nullopt;
    if (!fields || fields->first.empty() || !allowance || !std::isfinite(*allowance) ||
        *allowance < 0) {
      return FileError{fileName, lines.number(),
                       "expected a space type and its allowance in W/sqft, such as "
                       "\"corridor,0.41\""};
    }
    const auto same = [&](const SpaceType& t) { return t.name == fields->first; };
    if (std::any_of(table.begin(), table.end(), same)) {
      return FileError{fileName, lines.number(),
                       "the space type " + quoted(fields->first) + " is given a second time"};
    }
    table.push_back({std::string(fields->first), *allowance});
  }
  if (table.empty()) return FileError{fileName, 0, "expected at least one space type"};
  return table;
}

Result<SpaceTypeTable> readSpaceTypeTable(const std::string& path) {
  const auto content = readWholeFile(path);
  if (!content) return content.error();
  return parseSpaceTypeTable(*content, path);
}

Result<RoomSpaceTypes> parseRoomSpaceTypes(std::string_view content, const std::string& fileName,
                                           const SpaceTypeTable& table) {
  RoomSpaceTypes rooms;
  bool first = true;
  for (TextLines lines(content); lines.next();) {
    if (skipped(lines.line())) continue;
    const auto fields = twoFields(lines.line());
    const bool header = first && fields && fields->first == "room";
    first = false;
    if (header) continue;
    if (!fields) {
      return FileError{fileName, lines.number(),
                       "expected a room number and its space type, such as \"5,corridor\""};
    }
    const auto room = numberOf<int>(fields->first);
    if (!room || *room < 1 || *room > kPageCount * kRowCount) {
      return FileError{fileName, lines.number(),
                       "expected a room number from 1 to " +
                           std::to_string(kPageCount * kRowCount) + ", found " +
                           quoted(fields->first)};
    }
    const auto type = std::find_if(table.begin(), table.end(),
                                   [&](const SpaceType& t) { return t.name == fields->second; });
    if (type == table.end()) {
      std::string known;
      for (const SpaceType& t : table) {
        if (!known.empty()) known += ", ";
        known += t.name;
      }
      return FileError{
          fileName, lines.number(),
          "unknown space type " + quoted(fields->second) + "; the space types are " + known};
    }
    if (!rooms.emplace(*room, static_cast<std::size_t>(type - table.begin())).second) {
      return FileError{fileName, lines.number(),
                       "room " + std::to_string(*room) + " is given a second time"};
    }
  }
  return rooms;
}

Result<RoomSpaceTypes> readRoomSpaceTypes(const std::string& path, const SpaceTypeTable& table) {
  const auto content = readWholeFile(path);
  if (!content) return content.error();
  return parseRoomSpaceTypes(*content, path, table);
}

}  // namespace kandelor
