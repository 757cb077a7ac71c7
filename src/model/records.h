#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "model/file_error.h"

namespace kandelor {

// Free-form records: the line-oriented text conventions shared by the project file,
// the catalogue files and the report.

// One value of a record: a text (written at its full width), an integer or a real.
using RecordValue = std::variant<std::string_view, std::int32_t, float>;

// Appends one record (one line, ended by '\n') holding the values in order:
// a leading blank; texts at full width (between apostrophes when they hold a blank,
// tab, comma, slash or quote); integers right-aligned in 11; reals with 9 significant
// digits right-aligned in 16; one blank between a text and a following number.
// No values: a record of one blank.
void writeRecord(std::string& out, std::initializer_list<RecordValue> values);

// The 11-character integer and 16-character real fields of a record.
void appendInteger(std::string& out, std::int32_t value);
void appendReal(std::string& out, float value);

// Reads values of free-form records. Each read statement starts with beginRecord(),
// which skips what is left of the line the previous statement used. Errors are
// sticky: after the first one every read returns an empty or zero value and ok()
// is false, so a caller can read a whole file and check once at the end.
class RecordReader {
 public:
  RecordReader(std::string_view content, std::string fileName);

  void beginRecord();

  std::string readText();
  std::int32_t readInteger();
  float readReal();

  bool ok() const { return !error_.has_value(); }
  const std::optional<FileError>& error() const { return error_; }
  // The 1-based line of the last value read (or of the error).
  int line() const { return line_; }

 private:
  std::string_view content_;
  std::string fileName_;
  std::size_t pos_ = 0;      // next character to look at
  std::size_t lineEnd_ = 0;  // end of the current line (before '\r'/'\n')
  int line_ = 0;
  bool lineOpen_ = false;  // a read statement has values left on the current line
  std::optional<FileError> error_;
};

}  // namespace kandelor
