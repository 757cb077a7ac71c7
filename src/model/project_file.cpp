#include "model/project_file.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/clean_text.h"
#include "model/project_slots.h"
#include "model/records.h"
#include "model/text_file.h"

namespace kandelor {

namespace {

// What savedata formats with; tests put a faulty formatter here.
std::string (*projectFormatter)(const Project&) = formatProject;

static_assert(kPageCount * kValuesPerPage == kProjectFileLines);

// Trailing blanks are padding of the fixed-width file name, not part of it.
std::string withoutTrailingBlanks(const std::string& fileName) {
  const std::size_t last = fileName.find_last_not_of(' ');
  return last == std::string::npos ? std::string{} : fileName.substr(0, last + 1);
}

// Line of the first real that is infinite or not a number (0 when there is none):
// such a value could be written but never read back.
int firstNonFiniteLine(const Project& project) {
  int line = 0;
  int found = 0;
  for (const auto& page : project.pages) {
    visitPageValues(page, [&](const auto& value) {
      ++line;
      if constexpr (std::is_same_v<std::decay_t<decltype(value)>, float>) {
        if (found == 0 && !std::isfinite(value)) found = line;
      }
    });
  }
  return found;
}

std::string withThousands(int n) {
  const std::string digits = std::to_string(n);
  std::string text;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

// Whether two values of a project are the same, reals bit for bit (so that -0 and 0
// differ, as they do in the file).
template <class T>
bool sameBits(const T& a, const T& b) {
  if constexpr (std::is_same_v<T, float>) {
    return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b);
  } else {
    return a == b;
  }
}

// The most bytes one page can take: numbers have fixed widths, and a text at most
// four bytes a character, quoted, with every character doubled.
std::size_t maxPageBytes() {
  std::size_t bytes = 0;
  const RoomPage page;
  visitPageValues(page, [&](const auto& value) {
    using Value = std::decay_t<decltype(value)>;
    if constexpr (std::is_same_v<Value, std::int32_t>) {
      bytes += kIntegerRecordBytes;
    } else if constexpr (std::is_same_v<Value, float>) {
      bytes += kRealRecordBytes;
    } else {
      bytes += maxTextRecordBytes(4 * Value::width);
    }
  });
  return bytes;
}

// The reflectance choices after the layout's values: one record of the two item numbers,
// each right-aligned in 11 characters, one blank apart.
void appendReflectanceRecord(std::string& out, const ReflectanceChoices& choices) {
  out += ' ';
  appendInteger(out, choices.ceiling);
  out += ' ';
  appendInteger(out, choices.wall);
  out += '\n';
}

// The space types after the reflectance record: one record of 95 texts, room 1 first,
// one blank apart, each quoted only where it would not read back whole ('' for none).
void appendSpaceTypeRecord(std::string& out, const Project& project) {
  out += ' ';
  bool first = true;
  for (const std::string& type : project.spaceTypes) {
    if (!first) out += ' ';
    appendText(out, type);
    first = false;
  }
  out += '\n';
}

// Reads the optional reflectance record that follows the layout's values. Nothing but
// blanks after the values means a file of the plain layout; "0 0" records no choices.
Result<std::optional<ReflectanceChoices>> readReflectanceRecord(RecordReader& reader,
                                                                const std::string& fileName,
                                                                int& line) {
  reader.beginRecord();
  if (reader.atEnd()) return std::optional<ReflectanceChoices>{};
  ReflectanceChoices choices;
  const std::pair<std::int32_t*, const char*> items[] = {{&choices.ceiling, "ceiling"},
                                                         {&choices.wall, "wall"}};
  for (auto [choice, what] : items) {
    *choice = reader.readInteger();
    if (!reader.ok()) {
      FileError error = *reader.error();
      error.what +=
          std::string(" (the ") + what + " reflectance choice after the project's values)";
      return error;
    }
    if (line == 0) line = reader.line();
  }
  if (choices.ceiling == 0 && choices.wall == 0) return std::optional<ReflectanceChoices>{};
  for (auto [choice, what] : items) {
    if (*choice < 1 || *choice > kReflectanceChoiceCount) {
      return FileError{fileName, reader.line(),
                       std::string("expected the ") + what + " reflectance choice, 1 to " +
                           std::to_string(kReflectanceChoiceCount) + ", found " +
                           std::to_string(*choice)};
    }
  }
  return std::optional<ReflectanceChoices>{choices};
}

// Reads the optional space-type record after the reflectance record into `types`; nothing
// but blanks there leaves every room without one.
Result<> readSpaceTypeRecord(RecordReader& reader, const std::string& fileName,
                             std::array<std::string, kRoomCount>& types,
                             std::array<int, kRoomCount>& lines) {
  reader.beginRecord();
  if (reader.atEnd()) return {};
  for (int room = 1; room <= kRoomCount; ++room) {
    const std::string_view text = reader.readText();
    auto what = [room] { return "the space type of room " + std::to_string(room); };
    if (!reader.ok()) {
      FileError error = *reader.error();
      error.what += " (" + what() + ")";
      return error;
    }
    auto key = spaceTypeKey(text);
    if (!key) {
      return FileError{fileName, reader.line(),
                       "expected " + what() + ", a name of at most " +
                           std::to_string(kSpaceTypeMaxCharacters) +
                           " characters, found a longer one"};
    }
    types[static_cast<std::size_t>(room - 1)] = std::move(*key);
    lines[static_cast<std::size_t>(room - 1)] = reader.line();
  }
  return {};
}

}  // namespace

std::string formatProject(const Project& project) {
  // Every value is written straight into a buffer with room for the longest file.
  static const std::size_t pageBytes = maxPageBytes();
  std::string out(kPageCount * pageBytes, ' ');
  char* end = out.data();
  for (const auto& page : project.pages) {
    visitPageValues(page, [&](const auto& value) {
      if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
        end = putValueRecord(end, value);
      } else {
        end = putValueRecord(end, value.view());
      }
    });
  }
  out.resize(static_cast<std::size_t>(end - out.data()));
  // The space types follow the reflectance record, "0 0" where no choices are recorded.
  const bool spaceTypes = project.hasSpaceTypes();
  if (project.reflectances || spaceTypes) {
    appendReflectanceRecord(out, project.reflectances.value_or(ReflectanceChoices{0, 0}));
  }
  if (spaceTypes) appendSpaceTypeRecord(out, project);
  return out;
}

std::optional<std::string> spaceTypeKey(std::string_view text) {
  std::vector<char> clean(4 * text.size());
  const CleanCopy copied = copyCleanText(text, text.size(), clean.data());
  std::string_view key(clean.data(), copied.bytes);
  const std::size_t first = key.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::string{};
  key = key.substr(first, key.find_last_not_of(' ') + 1 - first);
  if (bytesOfCharacters(key, kSpaceTypeMaxCharacters) < key.size()) return std::nullopt;
  return std::string(key);
}

Result<> parseProject(std::string_view content, const std::string& fileName, Project& out,
                      ProjectRecordLines* lines) {
  // Read into a new project so that a file that fails halfway changes nothing.
  auto fresh = std::make_unique<Project>();
  RecordReader reader(content, fileName);
  for (auto& page : fresh->pages) {
    visitPageValues(page, [&](auto& value) {
      if (!reader.ok()) return;
      reader.beginRecord();
      using Value = std::decay_t<decltype(value)>;
      if constexpr (std::is_same_v<Value, std::int32_t>) {
        value = reader.readInteger();
      } else if constexpr (std::is_same_v<Value, float>) {
        value = reader.readReal();
      } else {
        value.assign(reader.readText());
        value.alignLeft();  // blanks inside quotes, or control characters, at its start
      }
    });
  }
  if (!reader.ok()) {
    FileError error = *reader.error();
    const int found = reader.valuesRead();
    const std::string next = describeProjectLine(found + 1);
    if (reader.endedEarly()) {
      error.what = std::string(error.line == 0 ? "the file is empty" : "the file ends here") +
                   "; expected " + withThousands(kProjectFileLines) + " values, found " +
                   withThousands(found) + " (the next one is " + next + ")";
    } else {
      error.what += " (" + next + ")";
    }
    return error;
  }
  ProjectRecordLines found;
  const auto reflectances = readReflectanceRecord(reader, fileName, found.reflectances);
  if (!reflectances) return reflectances.error();
  fresh->reflectances = *reflectances;
  if (found.reflectances != 0) {
    const auto types = readSpaceTypeRecord(reader, fileName, fresh->spaceTypes, found.spaceTypes);
    if (!types) return types.error();
  }
  out = *fresh;
  if (lines != nullptr) *lines = found;
  return {};
}

void normaliseTexts(Project& project) {
  for (auto& page : project.pages) {
    for (auto& row : page.rows) {
      visitRowTexts(row, [](auto& text) {
        if (text.isBlank()) text.assign(".");
        text.alignLeft();
      });
    }
  }
  for (std::string& type : project.spaceTypes) {
    if (auto key = spaceTypeKey(type)) type = std::move(*key);
  }
}

Result<> verifyReadsBack(std::string_view content, const Project& project,
                         const std::string& fileName) {
  auto readBack = std::make_unique<Project>();
  ProjectRecordLines lines;
  if (const auto read = parseProject(content, fileName, *readBack, &lines); !read) {
    FileError error = read.error();
    error.writing = true;
    error.what = "the saved text would not read back (" + error.what + "); nothing was written";
    return error;
  }
  int line = 0;
  int differs = 0;
  for (std::size_t p = 0; p < project.pages.size() && differs == 0; ++p) {
    visitPageValuePairs(project.pages[p], readBack->pages[p], [&](const auto& a, const auto& b) {
      ++line;
      if (differs == 0 && !sameBits(a, b)) differs = line;
    });
  }
  if (differs == 0 && readBack->reflectances != project.reflectances) {
    return FileError{fileName, kProjectFileLines + 1,
                     "the reflectance choices would not read back as they are; nothing was "
                     "written",
                     true};
  }
  for (int room = 1; differs == 0 && room <= kRoomCount; ++room) {
    if (readBack->spaceType(room) == project.spaceType(room)) continue;
    const int at = lines.spaceTypes[static_cast<std::size_t>(room - 1)];
    return FileError{fileName, at != 0 ? at : kProjectFileLines + 2,
                     "the space type of room " + std::to_string(room) +
                         " would not read back as it is; nothing was written",
                     true};
  }
  if (differs == 0) return {};
  return FileError{
      fileName, differs,
      describeProjectLine(differs) + " would not read back as it is; nothing was written", true};
}

Result<> loaddata(Project& project, const std::string& fileName, ProjectRecordLines* lines) {
  const std::string name = withoutTrailingBlanks(fileName);
  const auto content = readWholeFile(name);
  if (!content) return content.error();
  return parseProject(*content, name, project, lines);
}

Result<> savedata(Project& project, const std::string& fileName) {
  const std::string name = withoutTrailingBlanks(fileName);
  normaliseTexts(project);
  if (const int line = firstNonFiniteLine(project); line != 0) {
    return FileError{name, line, describeProjectLine(line) + " is not a finite number", true};
  }
  const std::string content = projectFormatter(project);
  if (auto verified = verifyReadsBack(content, project, name); !verified) return verified;
  return writeFileAtomically(name, content);
}

void setProjectFormatterForTesting(std::string (*formatter)(const Project&)) {
  projectFormatter = formatter != nullptr ? formatter : formatProject;
}

}  // namespace kandelor
