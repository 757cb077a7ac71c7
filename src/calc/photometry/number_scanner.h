#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_error.h"

namespace kandelor::photometry {

// Reads the free-form numbers of a photometric file: values separated by blanks,
// tabs, commas or line ends, wrapping over any number of lines. Each value keeps
// the line it stands on so errors can name it.
class NumberScanner {
 public:
  // `lines` are the file's lines from `firstLine` (0-based index) on.
  NumberScanner(const std::vector<std::string_view>& lines, std::size_t firstLine,
                std::string fileName);

  // The next number, or the error (end of file, or a token that is not a finite
  // number) naming `what` was expected there. Errors are sticky.
  std::optional<double> number(std::string_view what);
  // As number(), and the value must be a whole number.
  std::optional<int> integer(std::string_view what);

  // The 1-based line of the last value read, or of the error.
  int line() const { return line_; }
  const std::optional<FileError>& error() const { return error_; }
  // Records an error about the last value read.
  void fail(std::string what);

 private:
  std::optional<std::string_view> nextToken();

  const std::vector<std::string_view>& lines_;
  std::size_t lineIndex_;
  std::size_t column_ = 0;
  std::string fileName_;
  int line_ = 0;
  std::optional<FileError> error_;
};

}  // namespace kandelor::photometry
