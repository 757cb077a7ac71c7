#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "model/file_error.h"
#include "model/result.h"

namespace kandelor {

// Free-form records: the line-oriented text conventions shared by the project file,
// the catalogue files and the report.

// A text written exactly as given, never between apostrophes: for the labels of a
// printed report, which are read by people, not read back by the program.
struct Label {
  std::string_view text;
};

// One value of a record: a text (written at its full width so that it reads back
// whole), an integer, a real or a label.
using RecordValue = std::variant<std::string_view, std::int32_t, float, Label>;

// Appends one record (one line, ended by '\n') holding the values in order:
// a leading blank; texts at full width (between apostrophes when they hold a blank,
// tab, comma, slash or quote, or nothing at all; leading blanks are dropped);
// integers right-aligned in 11; reals with 9 significant digits right-aligned in 16;
// one blank between a text and a following number and before a text that follows a
// value; none between two numbers unless the second fills its whole field.
// No values: a record of one blank.
void writeRecord(std::string& out, std::initializer_list<RecordValue> values);

// A record of one value, as every line of the project file is: the bytes of
// writeRecord with that value alone, written at `out` for the hot path of saving.
// They take kIntegerRecordBytes, kRealRecordBytes or at most maxTextRecordBytes of the
// text's size; each returns the end of what it wrote.
inline constexpr std::size_t kIntegerRecordBytes = 13;
inline constexpr std::size_t kRealRecordBytes = 18;
constexpr std::size_t maxTextRecordBytes(std::size_t textBytes) {
  return 2 * textBytes + 4;  // blank, quotes, each character doubled, line end
}
char* putValueRecord(char* out, std::int32_t value);
char* putValueRecord(char* out, float value);
char* putValueRecord(char* out, std::string_view text);

// The 11-character integer and 16-character real fields of a record, and a text as
// writeRecord writes it (without the blank before it).
void appendInteger(std::string& out, std::int32_t value);
void appendReal(std::string& out, float value);
void appendText(std::string& out, std::string_view text);

// Reads values of free-form records. Each read statement starts with beginRecord(),
// which skips what is left of the line the previous statement used. Errors are
// sticky: after the first one every read returns an empty or zero value and ok()
// is false, so a caller can read a whole file and check once at the end.
//
// Values are separated by blanks, tabs (or any other control character), a comma or
// a slash; blank lines supply nothing; lines may end in "\r\n". A text may be quoted with
// apostrophes or double quotes (the quote doubled inside stands for itself). Reals accept a "D"
// exponent.
class RecordReader {
 public:
  RecordReader(std::string_view content, std::string fileName);

  void beginRecord();

  // The text is valid until the next read.
  std::string_view readText();
  std::int32_t readInteger();
  float readReal();

  // True when nothing but blanks and line ends is left to read (after beginRecord()).
  bool atEnd() const;

  bool ok() const { return !error_.has_value(); }
  // Success, or the first error.
  Result<> outcome() const {
    if (error_) return *error_;
    return {};
  }
  const std::optional<FileError>& error() const { return error_; }
  // The 1-based line of the last value read (or of the error).
  int line() const { return line_; }
  // How many values were read without error.
  int valuesRead() const { return valuesRead_; }
  // True when the error is that the file ended before the value asked for.
  bool endedEarly() const { return endedEarly_; }

 private:
  // Moves to the first character of the next value; false (and the error) at the end.
  bool skipToValue(std::string_view expected);
  // The next value's characters, quotes still in place; empty after an error.
  std::string_view nextToken(std::string_view expected);
  // Ends a value that ends at `end`: a comma or slash right after it belongs to it.
  void finishValue(std::size_t end);
  bool endsValueAt(std::size_t pos) const;
  void fail(std::string what);

  std::string_view content_;
  std::string fileName_;
  std::size_t pos_ = 0;  // next character to look at
  int line_ = 0;         // the line of pos_ (0 for an empty file)
  int valuesRead_ = 0;
  bool recordStarted_ = false;  // the current read statement has taken a value
  bool endedEarly_ = false;
  std::optional<FileError> error_;
  std::string unquoted_;  // the last quoted text, its quotes removed
};

}  // namespace kandelor
