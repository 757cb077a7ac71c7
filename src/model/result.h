#pragma once

#include <optional>
#include <utility>
#include <variant>

#include "model/file_error.h"

namespace kandelor {

// The outcome of an operation on a file: its value, or why it failed. It reads as true
// when the operation succeeded, so call sites say `if (!loaded)` and tests
// `ASSERT_TRUE(saved)`.
template <class T = void>
class [[nodiscard]] Result {
 public:
  Result(T value) : outcome_(std::in_place_index<0>, std::move(value)) {}
  Result(FileError error) : outcome_(std::in_place_index<1>, std::move(error)) {}

  bool ok() const { return outcome_.index() == 0; }
  explicit operator bool() const { return ok(); }

  T& value() & { return std::get<0>(outcome_); }
  const T& value() const& { return std::get<0>(outcome_); }
  T&& value() && { return std::get<0>(std::move(outcome_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // Only when the operation failed.
  const FileError& error() const { return std::get<1>(outcome_); }

 private:
  std::variant<T, FileError> outcome_;
};

// The outcome of an operation that gives nothing but success or failure.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(FileError error) : error_(std::move(error)) {}

  bool ok() const { return !error_.has_value(); }
  explicit operator bool() const { return ok(); }

  // Only when the operation failed.
  const FileError& error() const { return *error_; }

 private:
  std::optional<FileError> error_;
};

}  // namespace kandelor
