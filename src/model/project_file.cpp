#include "model/project_file.h"

#include <cmath>
#include <memory>
#include <type_traits>

#include "model/project_slots.h"
#include "model/records.h"
#include "model/text_file.h"

namespace kandelor {
namespace {

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

}  // namespace

std::string formatProject(const Project& project) {
  std::string out;
  out.reserve(static_cast<std::size_t>(kProjectFileLines) * 18);
  for (const auto& page : project.pages) {
    visitPageValues(page, [&](const auto& value) {
      if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
        writeValueRecord(out, value);
      } else {
        writeValueRecord(out, value.view());
      }
    });
  }
  return out;
}

std::optional<FileError> parseProject(std::string_view content, const std::string& fileName,
                                      Project& out) {
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
  out = *fresh;
  return std::nullopt;
}

void normaliseBlankTexts(Project& project) {
  for (auto& page : project.pages) {
    for (auto& row : page.rows) {
      visitRowTexts(row, [](auto& text) {
        if (text.isBlank()) text.assign(".");
      });
    }
  }
}

std::optional<FileError> loaddata(Project& project, const std::string& fileName) {
  const std::string name = withoutTrailingBlanks(fileName);
  std::string content;
  if (auto error = readWholeFile(name, content)) return error;
  return parseProject(content, name, project);
}

std::optional<FileError> savedata(Project& project, const std::string& fileName) {
  const std::string name = withoutTrailingBlanks(fileName);
  normaliseBlankTexts(project);
  if (const int line = firstNonFiniteLine(project); line != 0) {
    return FileError{name, line, describeProjectLine(line) + " is not a finite number", true};
  }
  return writeFileAtomically(name, formatProject(project));
}

}  // namespace kandelor
