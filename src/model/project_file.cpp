#include "model/project_file.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <memory>
#include <type_traits>
#include <utility>

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

// Reads the optional reflectance record that follows the layout's values. Nothing but
// blanks after the values means a file of the plain layout.
Result<std::optional<ReflectanceChoices>> readReflectanceRecord(RecordReader& reader,
                                                                const std::string& fileName) {
  reader.beginRecord();
  if (reader.atEnd()) return std::optional<ReflectanceChoices>{};
  ReflectanceChoices choices;
  for (auto [choice, what] : {std::pair{&choices.ceiling, "ceiling"}, {&choices.wall, "wall"}}) {
    *choice = reader.readInteger();
    if (!reader.ok()) {
      FileError error = *reader.error();
      error.what +=
          std::string(" (the ") + what + " reflectance choice after the project's values)";
      return error;
    }
    if (*choice < 1 || *choice > kReflectanceChoiceCount) {
      return FileError{fileName, reader.line(),
                       std::string("expected the ") + what + " reflectance choice, 1 to " +
                           std::to_string(kReflectanceChoiceCount) + ", found " +
                           std::to_string(*choice)};
    }
  }
  return std::optional<ReflectanceChoices>{choices};
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
  if (project.reflectances) appendReflectanceRecord(out, *project.reflectances);
  return out;
}

Result<> parseProject(std::string_view content, const std::string& fileName, Project& out) {
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
  const auto reflectances = readReflectanceRecord(reader, fileName);
  if (!reflectances) return reflectances.error();
  fresh->reflectances = *reflectances;
  out = *fresh;
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
}

Result<> verifyReadsBack(std::string_view content, const Project& project,
                         const std::string& fileName) {
  auto readBack = std::make_unique<Project>();
  if (const auto read = parseProject(content, fileName, *readBack); !read) {
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
  if (differs == 0) return {};
  return FileError{
      fileName, differs,
      describeProjectLine(differs) + " would not read back as it is; nothing was written", true};
}

Result<> loaddata(Project& project, const std::string& fileName) {
  const std::string name = withoutTrailingBlanks(fileName);
  const auto content = readWholeFile(name);
  if (!content) return content.error();
  return parseProject(*content, name, project);
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
