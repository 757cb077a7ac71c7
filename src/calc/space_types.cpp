#include "calc/space_types.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>

#include "model/project.h"
#include "model/text_file.h"
#include "model/text_lines.h"

namespace kandelor {

namespace {

using Fields = std::optional<std::vector<std::string>>;

// The fields of a CSV record, each trimmed: a quoted field may hold commas and doubled
// quotes. Nothing where a quote is left open.
Fields csvFields(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (quoted) return std::nullopt;
  for (std::string& field : fields) field = std::string(trimBlanks(field));
  return fields;
}

// Calls use(fields, line number, header) for each record of a CSV: every line but blank
// ones and '#' comments; `header` is true for a first line whose first field is
// `heading`. Stops at the first error `use` returns.
template <class Use>
Result<> forEachRecord(std::string_view content, std::string_view heading, Use use) {
  bool first = true;
  for (TextLines lines(content); lines.next();) {
    const std::string_view line = trimBlanks(lines.line());
    if (line.empty() || line.front() == '#') continue;
    const Fields fields = csvFields(line);
    const bool header = first && fields && fields->front() == heading;
    first = false;
    if (auto used = use(fields, lines.number(), header); !used) return used;
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

constexpr std::size_t kColumnCount = std::size(kSpaceTypeColumns);
enum Column : std::size_t {
  kName,
  kAllowance,
  kLux,
  kUo,
  kUgr,
  kWallsLux,
  kWallsUo,
  kCeilingLux,
  kCeilingUo,
  kSource
};

// The target in a column: none where empty; a number of at least 0, and at most 1 for a
// uniformity, otherwise.
Result<std::optional<double>> targetOf(const std::string& text, std::size_t column,
                                       const std::string& fileName, int line) {
  if (text.empty()) return std::optional<double>{};
  const auto value = numberOf<double>(text);
  const bool ratio = column == kUo || column == kWallsUo || column == kCeilingUo;
  if (!value || !std::isfinite(*value) || *value < 0 || (ratio && *value > 1)) {
    return FileError{fileName, line,
                     std::string("expected ") + (ratio ? "a uniformity from 0 to 1" : "a number") +
                         " or nothing for " + kSpaceTypeColumns[column] + ", found " +
                         quoted(text)};
  }
  return std::optional<double>(*value);
}

// The header's columns as indexes into kSpaceTypeColumns.
Result<std::vector<std::size_t>> headerColumns(const std::vector<std::string>& names,
                                               const std::string& fileName, int line) {
  std::vector<std::size_t> columns;
  for (const std::string& name : names) {
    const auto known = std::find(std::begin(kSpaceTypeColumns), std::end(kSpaceTypeColumns), name);
    const auto column = static_cast<std::size_t>(known - std::begin(kSpaceTypeColumns));
    if (known == std::end(kSpaceTypeColumns)) {
      return FileError{fileName, line, "unknown column " + quoted(name)};
    }
    if (std::find(columns.begin(), columns.end(), column) != columns.end()) {
      return FileError{fileName, line, "the column " + quoted(name) + " is given a second time"};
    }
    columns.push_back(column);
  }
  if (columns.size() < 2 || columns[0] != kName || columns[1] != kAllowance) {
    return FileError{fileName, line, "expected the header to start \"space_type,watts_per_sqft\""};
  }
  return columns;
}

}  // namespace

Result<SpaceTypeTable> parseSpaceTypeTable(std::string_view content, const std::string& fileName) {
  SpaceTypeTable table;
  std::vector<std::size_t> columns(kColumnCount);
  for (std::size_t c = 0; c < kColumnCount; ++c) columns[c] = c;
  const auto failure = forEachRecord(
      content, "space_type", [&](const Fields& fields, int line, bool header) -> Result<> {
        if (header) {
          auto named = headerColumns(*fields, fileName, line);
          if (!named) return named.error();
          columns = std::move(*named);
          return {};
        }
        // -1 where the field is missing or no number: refused with the rest.
        const double allowance =
            fields && fields->size() >= 2 ? numberOf<double>((*fields)[1]).value_or(-1) : -1;
        if (!fields || fields->size() > columns.size() || fields->front().empty() ||
            !std::isfinite(allowance) || allowance < 0) {
          return FileError{fileName, line,
                           "expected a space type and its allowance in W/sqft, such as "
                           "\"corridor,0.41\", and at most " +
                               std::to_string(columns.size() - 2) + " more fields"};
        }
        const std::string& name = fields->front();
        const auto same = [&](const SpaceType& t) { return t.name == name; };
        if (std::any_of(table.begin(), table.end(), same)) {
          return FileError{fileName, line,
                           "the space type " + quoted(name) + " is given a second time"};
        }
        SpaceType type{name, allowance, {}, {}};
        std::optional<double>* targets[kColumnCount] = {};
        targets[kLux] = &type.targets.maintainedLux;
        targets[kUo] = &type.targets.uniformity;
        targets[kUgr] = &type.targets.glareLimit;
        targets[kWallsLux] = &type.targets.wallsLux;
        targets[kWallsUo] = &type.targets.wallsUniformity;
        targets[kCeilingLux] = &type.targets.ceilingLux;
        targets[kCeilingUo] = &type.targets.ceilingUniformity;
        for (std::size_t f = 2; f < fields->size(); ++f) {
          const std::size_t column = columns[f];
          if (column == kSource) {
            type.source = (*fields)[f];
            continue;
          }
          auto target = targetOf((*fields)[f], column, fileName, line);
          if (!target) return target.error();
          *targets[column] = *target;
        }
        table.push_back(std::move(type));
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
      forEachRecord(content, "room", [&](const Fields& fields, int line, bool header) -> Result<> {
        if (header && fields->size() == 2) return {};
        if (!fields || fields->size() != 2) {
          return FileError{fileName, line,
                           "expected a room number and its space type, such as \"5,corridor\""};
        }
        const auto room = numberOf<int>(fields->front());
        if (!room || *room < 1 || *room > kPageCount * kRowCount) {
          return FileError{fileName, line,
                           "expected a room number from 1 to " +
                               std::to_string(kPageCount * kRowCount) + ", found " +
                               quoted(fields->front())};
        }
        const auto type = std::find_if(table.begin(), table.end(),
                                       [&](const SpaceType& t) { return t.name == (*fields)[1]; });
        if (type == table.end()) {
          std::string known;
          for (const SpaceType& t : table) {
            if (!known.empty()) known += ", ";
            known += t.name;
          }
          return FileError{
              fileName, line,
              "unknown space type " + quoted((*fields)[1]) + "; the space types are " + known};
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
