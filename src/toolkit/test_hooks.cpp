#include "toolkit/test_hooks.h"

#include <utility>

#include "toolkit/dialog_answers.h"

namespace toolkit::testing {

void setNextFileName(const std::string& name) {
  detail::dialogAnswers().files.push_back({true, name});
}

void setNextFileAccept() {
  detail::dialogAnswers().files.push_back({true, {}});
}

void setNextFileCancel() {
  detail::dialogAnswers().files.push_back({false, {}});
}

void answerMessageBoxes(bool on) {
  detail::dialogAnswers().answerMessageBoxes = on;
}

std::vector<std::string> takeMessageBoxTexts() {
  return std::exchange(detail::dialogAnswers().messageBoxTexts, {});
}

void setNextQuestionAnswer(const std::string& button) {
  detail::dialogAnswers().questionAnswers.push_back(button);
}

std::vector<std::string> takeQuestionTexts() {
  return std::exchange(detail::dialogAnswers().questionTexts, {});
}

void setPrintToPdf(bool on) {
  detail::dialogAnswers().printToPdf = on;
}

void reset() {
  detail::dialogAnswers() = {};
}

}  // namespace toolkit::testing
