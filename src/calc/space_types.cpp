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

// The two comma-separated fields of a line, trimmed; nothing unless there are two.
std::optional<std::pair<std::string_view, std::string_view>> twoFields(std::string_view line) {
  const auto comma = line.find(',');
  if (comma == std::string_view::npos || line.find(',', comma + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return std::pair{trimBlanks(line.substr(0, comma)), trimBlanks(line.substr(comma + 1))};
}

using Fields = std::optional<std::pair<std::string_view, std::string_view>>;

// Calls use(fields, line number) for each record of a two-column CSV: every line but
// blank ones, '#' comments and a first line whose first column is `heading`. Stops at
// the first error `use` returns.
template <class Use>
Result<> forEachRecord(std::string_view content, std::string_view heading, Use use) {
  bool first = true;
  for (TextLines lines(content); lines.next();) {
    const std::string_view line = trimBlanks(lines.line());
    if (line.empty() || line.front() == '#') continue;
    const Fields fields = twoFields(line);
    const bool header = first && fields && fields->first == heading;
    first = false;
    if (header) continue;
    if (auto used = use(fields, lines.number()); !used) return used;
  }
  return {};
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
  const auto failure =
      forEachRecord(content, "space_type", [&](const Fields& fields, int line) -> Result<> {
        const auto allowance = fields ? numberOf<double>(fields->second) : std::nullopt;
        if (!fields || fields->first.empty() || !allowance || !std::isfinite(*allowance) ||
            *allowance < 0) {
          return FileError{fileName, line,
                           "expected a space type and its allowance in W/sqft, such as "
                           "\"corridor,0.41\""};
        }
        const auto same = [&](const SpaceType& t) { return t.name == fields->first; };
        if (std::any_of(table.begin(), table.end(), same)) {
          return FileError{fileName, line,
                           "the space type " + quoted(fields->first) + " is given a second time"};
        }
        table.push_back({std::string(fields->first), *allowance});
        return {};
      });
  if (!failure) return failure.error();
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
  const auto failure =
      forEachRecord(content, "room", [&](const Fields& fields, int line) -> Result<> {
        if (!fields) {
          return FileError{fileName, line,
                           "expected a room number and its space type, such as \"5,corridor\""};
        }
        const auto room = numberOf<int>(fields->first);
        if (!room || *room < 1 || *room > kPageCount * kRowCount) {
          return FileError{fileName, line,
                           "expected a room number from 1 to " +
                               std::to_string(kPageCount * kRowCount) + ", found " +
                               quoted(fields->first)};
        }
        const auto type = std::find_if(table.begin(), table.end(), [&](const SpaceType& t) {
          return t.name == fields->second;
        });
        if (type == table.end()) {
          std::string known;
          for (const SpaceType& t : table) {
            if (!known.empty()) known += ", ";
            known += t.name;
          }
          return FileError{
              fileName, line,
              "unknown space type " + quoted(fields->second) + "; the space types are " + known};
        }
        if (!rooms.emplace(*room, static_cast<std::size_t>(type - table.begin())).second) {
          return FileError{fileName, line,
                           "room " + std::to_string(*room) + " is given a second time"};
        }
        return {};
      });
  if (!failure) return failure.error();
  return rooms;
}

Result<RoomSpaceTypes> readRoomSpaceTypes(const std::string& path, const SpaceTypeTable& table) {
  const auto content = readWholeFile(path);
  if (!content) return content.error();
  return parseRoomSpaceTypes(*content, path, table);
}

}  // namespace kandelor
