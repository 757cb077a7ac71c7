#pragma once

#include <string>
#include <vector>

// Lets tests answer the toolkit's modal dialogs in advance, so whole flows run
// without a person. Answers are used in order, one per dialog shown.

namespace toolkit::testing {

// The next file dialog ends with OK and this name (typed as a user would: a name
// without a folder is taken in the dialog's folder, and the extension rules apply).
void setNextFileName(const std::string& name);
// The next file dialog ends with OK on the name it proposes.
void setNextFileAccept();
// The next file dialog ends with Cancel.
void setNextFileCancel();
// Every message box shown from now on is answered at once and its text recorded.
void answerMessageBoxes(bool on);
// Texts of the message boxes shown since the last call (and forgets them).
std::vector<std::string> takeMessageBoxTexts();
// The next question is answered with the button of this text (without its '&'), e.g.
// "Don't Save". A question with no answer given is answered with its Esc button.
void setNextQuestionAnswer(const std::string& button);
// Texts of the questions asked since the last call (and forgets them).
std::vector<std::string> takeQuestionTexts();
// Forces printing into a PDF even where a printer exists.
void setPrintToPdf(bool on);
// Resets every answer and record.
void reset();

}  // namespace toolkit::testing
