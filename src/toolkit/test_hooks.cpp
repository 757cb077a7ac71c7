#include "toolkit/test_hooks.h"

#include "toolkit/state.h"

namespace toolkit::testing {

void setNextFileName(const std::string& name) {
  detail::state().fileAnswers.push_back({true, name});
}

void setNextFileAccept() {
  detail::state().fileAnswers.push_back({true, {}});
}

void setNextFileCancel() {
  detail::state().fileAnswers.push_back({false, {}});
}

void answerMessageBoxes(bool on) {
  detail::state().answerMessageBoxes = on;
}

std::vector<std::string> takeMessageBoxTexts() {
  return std::exchange(detail::state().messageBoxTexts, {});
}

void setPrintToPdf(bool on) {
  detail::state().printToPdf = on;
}

void reset() {
  detail::State& s = detail::state();
  s.fileAnswers.clear();
  s.answerMessageBoxes = false;
  s.messageBoxTexts.clear();
  s.printToPdf = false;
}

}  // namespace toolkit::testing
