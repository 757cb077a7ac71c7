#pragma once

#include <deque>
#include <string>
#include <vector>

namespace toolkit::detail {

struct FileAnswer {
  bool ok = false;
  std::string name;  // empty with ok: the name the dialog proposes
};

// Answers to the modal dialogs given in advance by tests (test_hooks.h); the program
// itself never gives any, so its dialogs always ask the user.
struct DialogAnswers {
  std::deque<FileAnswer> files;
  bool answerMessageBoxes = false;
  std::vector<std::string> messageBoxTexts;
  std::deque<std::string> questionAnswers;  // button texts without their '&'
  std::vector<std::string> questionTexts;
  bool printToPdf = false;
};

inline DialogAnswers& dialogAnswers() {
  static DialogAnswers answers;
  return answers;
}

}  // namespace toolkit::detail
